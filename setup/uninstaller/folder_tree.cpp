#include "folder_tree.h"

#include "install_plan.h"
#include "removal_plan.h"

#include <windows.h>

namespace varnel::setup {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kOpenLinkItself = FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS;

} // namespace

void RemoveFolderLink(const std::string& link)
{
    // RemoveDirectory would follow a link on systems that cannot open one as itself,
    // and remove the (empty) folder it points at. The link is opened as itself first,
    // and only when the open handle is the link does a second handle delete it.
    HANDLE check = CreateFileA(link.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                               kOpenLinkItself, nullptr);
    if (check == INVALID_HANDLE_VALUE)
        return;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(check, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        HANDLE remove = CreateFileA(link.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING,
                                    kOpenLinkItself | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (remove != INVALID_HANDLE_VALUE)
            CloseHandle(remove);
    }
    CloseHandle(check);
}

void RemoveFolderTree(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(JoinWindowsPath(folder, "*.*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string path = JoinWindowsPath(folder, entry.cFileName);
            switch (ActionForEntry(entry.cFileName, entry.dwFileAttributes)) {
            case EntryAction::Skip:
                break;
            case EntryAction::RemoveTree:
                RemoveFolderTree(path);
                break;
            case EntryAction::RemoveLinkFolder:
                RemoveFolderLink(path);
                break;
            case EntryAction::RemoveFile:
                DeleteFileA(path.c_str());
                break;
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace varnel::setup
