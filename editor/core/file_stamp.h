// What the editor remembers of a file when it reads or saves it, to notice later that
// something else changed the file on disk.
#pragma once

#include <cstdint>
#include <string>

namespace varnel::editor {

struct FileStamp {
    bool exists = false;         // a file (not a folder) was there
    std::uint64_t size = 0;      // its size in bytes
    // Its modification time since the system's epoch (1970 on POSIX, 1601 on Windows),
    // as finely as the system keeps it (100 ns steps on Windows).
    std::int64_t seconds = 0;
    std::int32_t nanoseconds = 0;

    bool operator==(const FileStamp& other) const
    {
        return exists == other.exists && size == other.size && seconds == other.seconds &&
               nanoseconds == other.nanoseconds;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

// The stamp of the file at `path` now; one with `exists` false when there is no file
// there (nothing, a folder, or a path the system will not look into).
FileStamp ReadFileStamp(const std::string& path);

// True when the file at `path` no longer has the stamp taken earlier: its size or
// modification time differ, it vanished, or it appeared where there was none.
bool ChangedOnDisk(const std::string& path, const FileStamp& stamp);

} // namespace varnel::editor
