#include "file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dirent.h>
#include <unistd.h>
#endif

namespace varnel {

namespace {

void SetError(std::string* error, const std::string& reason)
{
    if (error != nullptr)
        *error = reason;
}

} // namespace

bool IsPathSeparator(char c)
{
#if defined(_WIN32)
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

std::string FileName(const std::string& path)
{
    std::size_t i = path.size();
    while (i > 0 && !IsPathSeparator(path[i - 1]))
        --i;
    return path.substr(i);
}

std::string FileStem(const std::string& path)
{
    const std::string name = FileName(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (IsPathSeparator(folder.back()))
        return folder + name;
#if defined(_WIN32)
    return folder + "\\" + name;
#else
    return folder + "/" + name;
#endif
}

static bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

#if defined(_WIN32)

std::string ExecutableFolder()
{
    char buffer[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    std::string path(buffer, length < sizeof buffer ? length : 0);
    return path.substr(0, path.size() - FileName(path).size());
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& suffix)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(JoinPath(folder, "*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = entry.cFileName;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && EndsWith(name, suffix))
            names.push_back(name);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return names;
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

#else

std::string ExecutableFolder()
{
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    std::string path(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
    return path.substr(0, path.size() - FileName(path).size());
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& suffix)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        struct stat info;
        if (EndsWith(name, suffix) && stat(JoinPath(folder, name).c_str(), &info) == 0 &&
            S_ISREG(info.st_mode))
            names.push_back(name);
    }
    closedir(dir);
    return names;
}

bool IsFolder(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

#endif

std::optional<std::string> ReadFile(const std::string& path, std::string* error)
{
    if (IsFolder(path)) {
        SetError(error, "it is a folder");
        return std::nullopt;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        SetError(error, std::strerror(errno));
        return std::nullopt;
    }
    // The bytes go straight from the file into one string of the file's size: no
    // buffer between them, no growing and copying. A file that grows while it is read,
    // or whose size is not known, is still read to its end.
    std::setvbuf(file, nullptr, _IONBF, 0);
    std::string bytes;
    struct stat info;
    std::size_t expected = 0;
    if (stat(path.c_str(), &info) == 0 && info.st_size > 0)
        expected = static_cast<std::size_t>(info.st_size);
    bytes.resize(expected);
    const std::size_t got = expected > 0 ? std::fread(bytes.data(), 1, expected, file) : 0;
    if (got < expected) {
        bytes.resize(got);
    } else if (std::ferror(file) == 0) {
        char buffer[65536];
        std::size_t more;
        while ((more = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.append(buffer, more);
    }
    const bool failed = std::ferror(file) != 0;
    const int reason = errno;
    std::fclose(file);
    if (failed) {
        SetError(error, std::strerror(reason));
        return std::nullopt;
    }
    return bytes;
}

#if defined(_WIN32)

std::string SystemMessage(unsigned long code)
{
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 && text != nullptr ? std::string(text, length) : "error " + std::to_string(code);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message;
}

namespace {

// The file a path names, through any symbolic link: the link stays and its target is
// written. The path itself when it names no file yet or cannot be resolved.
std::string LinkTarget(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return path;
    char buffer[32768];
    const DWORD length = GetFinalPathNameByHandleA(file, buffer, sizeof buffer, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    CloseHandle(file);
    if (length == 0 || length >= sizeof buffer)
        return path;
    std::string target(buffer, length);
    // "\\?\C:\a" becomes "C:\a", and "\\?\UNC\server\share" "\\server\share".
    if (target.rfind("\\\\?\\UNC\\", 0) == 0)
        return "\\\\" + target.substr(8);
    if (target.rfind("\\\\?\\", 0) == 0)
        return target.substr(4);
    return target;
}

} // namespace

bool WriteFile(const std::string& givenPath, const std::string& bytes, std::string* error)
{
    const std::string path = LinkTarget(givenPath);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        SetError(error, "it is a folder");
        return false;
    }
    // A read-only file is refused, as a plain save would refuse it.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetError(error, SystemMessage(ERROR_ACCESS_DENIED));
        return false;
    }
    const std::string folder = path.substr(0, path.size() - FileName(path).size());
    char temporary[MAX_PATH];
    if (GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "vnl", 0, temporary) == 0) {
        SetError(error, SystemMessage(GetLastError()));
        return false;
    }
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        SetError(error, SystemMessage(GetLastError()));
        DeleteFileA(temporary);
        return false;
    }
    bool written = true;
    DWORD code = 0;
    for (std::size_t done = 0; written && done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD put = 0;
        written = ::WriteFile(file, bytes.data() + done, chunk, &put, nullptr) != 0 && put == chunk;
        if (!written)
            code = GetLastError();
        done += put;
    }
    if (written && !FlushFileBuffers(file)) {
        written = false;
        code = GetLastError();
    }
    CloseHandle(file);
    if (written && attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(temporary, attributes);
    if (written && !MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        written = false;
        code = GetLastError();
    }
    if (!written) {
        SetError(error, SystemMessage(code));
        DeleteFileA(temporary);
        return false;
    }
    return true;
}

#else

bool WriteFile(const std::string& path, const std::string& bytes, std::string* error)
{
    // Through a link, the file it names is replaced, and the link stays.
    std::string target = path;
    if (char* resolved = realpath(path.c_str(), nullptr)) {
        target = resolved;
        std::free(resolved);
    }
    struct stat info;
    const bool exists = stat(target.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) {
        SetError(error, "it is a folder");
        return false;
    }
    // The file is replaced, not written: what a plain save would refuse (a file the
    // user may not write) is refused here too.
    if (exists && access(target.c_str(), W_OK) != 0) {
        SetError(error, std::strerror(errno));
        return false;
    }
    // A short name of its own: the file's name with more around it could pass the
    // longest name the folder allows.
    const std::string folder = target.substr(0, target.size() - FileName(target).size());
    std::string temporary = (folder.empty() ? "./" : folder) + ".varnel-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        SetError(error, std::strerror(errno));
        return false;
    }
    // The replacement keeps the file's owner and group where the system lets it (the
    // group alone when the owner cannot be given away).
    if (exists && fchown(fd, info.st_uid, info.st_gid) != 0 && fchown(fd, static_cast<uid_t>(-1), info.st_gid) != 0) {
        // Neither is allowed: the file becomes the writer's, as a new file would.
    }
    int reason = 0;
    for (std::size_t done = 0; reason == 0 && done < bytes.size();) {
        const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno != EINTR)
            reason = errno;
        else if (put > 0)
            done += static_cast<std::size_t>(put);
    }
    // A new file gets the permissions a plain create would give it.
    mode_t mode = 0;
    if (exists) {
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    if (reason == 0 && fchmod(fd, mode) != 0)
        reason = errno;
    if (reason == 0 && fsync(fd) != 0)
        reason = errno;
    if (close(fd) != 0 && reason == 0)
        reason = errno;
    if (reason == 0 && rename(temporary.c_str(), target.c_str()) != 0)
        reason = errno;
    if (reason != 0) {
        unlink(temporary.c_str());
        SetError(error, std::strerror(reason));
        return false;
    }
    return true;
}

#endif

} // namespace varnel
