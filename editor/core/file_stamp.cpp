#include "file_stamp.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace varnel::editor {

FileStamp ReadFileStamp(const std::string& path)
{
    FileStamp stamp;
#if defined(_WIN32)
    // Named as the host's file functions name it, so that the stamp is of the file they
    // read and write.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return stamp;
    stamp.exists = true;
    stamp.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    // FILETIME counts 100-nanosecond steps.
    const std::uint64_t ticks = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                data.ftLastWriteTime.dwLowDateTime;
    stamp.seconds = static_cast<std::int64_t>(ticks / 10000000);
    stamp.nanoseconds = static_cast<std::int32_t>(ticks % 10000000) * 100;
#else
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return stamp;
    stamp.exists = true;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
#if defined(__APPLE__)
    const struct timespec& time = info.st_mtimespec;
#else
    const struct timespec& time = info.st_mtim;
#endif
    stamp.seconds = static_cast<std::int64_t>(time.tv_sec);
    stamp.nanoseconds = static_cast<std::int32_t>(time.tv_nsec);
#endif
    return stamp;
}

bool ChangedOnDisk(const std::string& path, const FileStamp& stamp)
{
    return ReadFileStamp(path) != stamp;
}

} // namespace varnel::editor
