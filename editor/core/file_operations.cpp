#include "file_operations.h"

#include "file_system.h"

#include <atomic>
#include <cerrno>
#include <cstring>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace varnel::editor {

namespace {

void SetError(std::string* error, const std::string& reason)
{
    if (error != nullptr)
        *error = reason;
}

enum class MoveResult { Moved, TargetThere, Failed };

#if defined(_WIN32)

std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    for (wchar_t& c : wide) {
        if (c == L'/')
            c = L'\\';
    }
    return wide;
}

MoveResult MoveWithoutReplacing(const std::string& from, const std::string& to, std::string* error)
{
    // Without MOVEFILE_REPLACE_EXISTING the move fails when `to` is taken, in one step.
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH))
        return MoveResult::Moved;
    const DWORD code = GetLastError();
    SetError(error, SystemMessage(code));
    return code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS ? MoveResult::TargetThere : MoveResult::Failed;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MakeOneFolder(const std::string& path, std::string* error)
{
    if (CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
        return true;
    SetError(error, SystemMessage(GetLastError()));
    return false;
}

unsigned long ProcessId()
{
    return GetCurrentProcessId();
}

#else

MoveResult MoveWithoutReplacing(const std::string& from, const std::string& to, std::string* error)
{
    // A hard link takes the new name only when it is free, in one step; the old name
    // goes afterwards.
    if (link(from.c_str(), to.c_str()) == 0) {
        unlink(from.c_str());
        return MoveResult::Moved;
    }
    const int reason = errno;
    SetError(error, std::strerror(reason));
    if (reason == EEXIST)
        return MoveResult::TargetThere;
    // Some file systems have no hard links: look, then rename.
    if (reason == EPERM || reason == ENOTSUP || reason == EOPNOTSUPP || reason == ENOSYS || reason == EXDEV) {
        struct stat info;
        if (lstat(to.c_str(), &info) == 0) {
            SetError(error, std::strerror(EEXIST));
            return MoveResult::TargetThere;
        }
        if (rename(from.c_str(), to.c_str()) == 0)
            return MoveResult::Moved;
        SetError(error, std::strerror(errno));
    }
    return MoveResult::Failed;
}

bool Exists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

bool MakeOneFolder(const std::string& path, std::string* error)
{
    if (mkdir(path.c_str(), 0777) == 0 || errno == EEXIST)
        return true;
    SetError(error, std::strerror(errno));
    return false;
}

unsigned long ProcessId()
{
    return static_cast<unsigned long>(getpid());
}

#endif

} // namespace

bool SamePath(const std::string& a, const std::string& b)
{
#if defined(_WIN32)
    if (a == b)
        return true;
    const std::wstring wideA = Wide(a);
    const std::wstring wideB = Wide(b);
    return CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
#else
    return a == b;
#endif
}

bool RemoveFile(const std::string& path)
{
#if defined(_WIN32)
    return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
#else
    return unlink(path.c_str()) == 0 || errno == ENOENT || errno == ENOTDIR;
#endif
}

bool MakeFolders(const std::string& path, std::string* error)
{
    if (path.empty()) {
        SetError(error, "no folder given");
        return false;
    }
    if (IsFolder(path))
        return true;
    // Every folder above it first; those that exist or cannot be made (a drive, a
    // server's share) are passed over, and the last one decides.
    for (std::size_t i = 1; i < path.size(); ++i) {
        if (IsPathSeparator(path[i]) && !IsPathSeparator(path[i - 1])) {
            const std::string above = path.substr(0, i);
            if (!IsFolder(above))
                MakeOneFolder(above, nullptr);
        }
    }
    if (!MakeOneFolder(path, error))
        return false;
    if (!IsFolder(path)) {
        SetError(error, "a file of that name is in the way");
        return false;
    }
    return true;
}

bool MoveFileTo(const std::string& from, const std::string& to, std::string* error)
{
    return MoveWithoutReplacing(from, to, error) == MoveResult::Moved;
}

NewFileResult CreateNewFile(const std::string& path, const std::string& bytes, std::string* error)
{
    if (Exists(path))
        return NewFileResult::AlreadyThere;
    // A name of this process's own beside the file, so that two writers never share one.
    static std::atomic<unsigned> counter{0};
    const std::string folder = path.substr(0, path.size() - FileName(path).size());
    const std::string temporary = folder + ".varnel-new-" + std::to_string(ProcessId()) + "-" +
                                  std::to_string(counter.fetch_add(1));
    if (!WriteFile(temporary, bytes, error))
        return NewFileResult::Failed;
    const MoveResult moved = MoveWithoutReplacing(temporary, path, error);
    if (moved != MoveResult::Moved)
        RemoveFile(temporary);
    switch (moved) {
    case MoveResult::Moved:
        return NewFileResult::Created;
    case MoveResult::TargetThere:
        return NewFileResult::AlreadyThere;
    case MoveResult::Failed:
        break;
    }
    return NewFileResult::Failed;
}

bool IsHiddenFile(const std::string& path)
{
    const std::string name = FileName(path);
    if (!name.empty() && name[0] == '.')
        return true;
#if defined(_WIN32)
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
#else
    return false;
#endif
}

} // namespace varnel::editor
