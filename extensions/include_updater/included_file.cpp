#include "included_file.h"

#include "path_routines.h"

#include <climits>

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace varnel::tool::updater {

namespace {

#if defined(_WIN32)
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// Files are read whole and must fit the document's int offsets.
constexpr unsigned long long kLargestFile = INT_MAX / 2;

} // namespace

std::string IncludedFilePath(const std::string& documentPath, const std::string& fileName)
{
    const std::size_t last = documentPath.rfind(kSeparator);
    const std::string folder = last == std::string::npos ? "" : documentPath.substr(0, last + 1);
#if defined(_WIN32)
    return folder + ToWindowsPath(fileName);
#else
    std::string name = fileName;
    for (char& c : name) {
        if (c == '\\')
            c = '/';
    }
    return folder + NormalizePath(name);
#endif
}

std::string PlaceholderPath(const std::string& includedFilePath)
{
#if defined(_WIN32)
    return ToURLPath(includedFilePath);
#else
    return NormalizePath(includedFilePath);
#endif
}

#if defined(_WIN32)

std::optional<std::string> ReadIncludedFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    // Devices and pipes ("NUL", "CON", "COM1", a named pipe) are no files to include:
    // reading one could wait for ever.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return std::nullopt;
    }
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    if ((size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0 || size > kLargestFile) {
        CloseHandle(file);
        return std::nullopt;
    }
    std::string bytes(size, '\0');
    DWORD total = 0;
    bool failed = false;
    while (total < size) {
        DWORD got = 0;
        if (!ReadFile(file, &bytes[total], size - total, &got, nullptr)) {
            failed = true; // a read error is no end of the file: the block stays as it is
            break;
        }
        if (got == 0)
            break; // the file got shorter while it was read: what is there is its text
        total += got;
    }
    CloseHandle(file);
    if (failed)
        return std::nullopt;
    bytes.resize(total);
    return bytes;
}

#else

std::optional<std::string> ReadIncludedFile(const std::string& path)
{
    // Opened without waiting: a FIFO with no writer would otherwise block the open
    // itself, before its type is seen. Only regular files are read.
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (file < 0)
        return std::nullopt;
    struct stat info;
    if (fstat(file, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
        static_cast<unsigned long long>(info.st_size) > kLargestFile) {
        close(file);
        return std::nullopt;
    }
    const std::size_t size = static_cast<std::size_t>(info.st_size);
    std::string bytes(size, '\0');
    std::size_t total = 0;
    bool failed = false;
    while (total < size) {
        const ssize_t got = read(file, &bytes[total], size - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            failed = true; // a read error is no end of the file: the block stays as it is
            break;
        }
        if (got == 0)
            break; // the file got shorter while it was read: what is there is its text
        total += static_cast<std::size_t>(got);
    }
    close(file);
    if (failed)
        return std::nullopt;
    bytes.resize(total);
    return bytes;
}

#endif

} // namespace varnel::tool::updater
