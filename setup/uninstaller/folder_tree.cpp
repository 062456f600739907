#include "folder_tree.h"

#include "install_plan.h"
#include "removal_plan.h"

#include <windows.h>

namespace varnel::setup {

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
                RemoveDirectoryA(path.c_str());
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
