// Noticing that a file changed on disk since it was read.
#include "file_stamp.h"

#include "file_system.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace varnel::editor {
namespace {

namespace fs = std::filesystem;

// A file's modification time in the system's own form, to move it by less than a
// second (the library's setter may keep whole seconds only).
#if defined(_WIN32)
using NativeTime = FILETIME;

NativeTime ModifiedTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    return data.ftLastWriteTime;
}

void SetModifiedTime(const std::string& path, NativeTime time)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
    CloseHandle(file);
}

NativeTime Later(NativeTime time, std::chrono::nanoseconds by)
{
    ULARGE_INTEGER ticks;
    ticks.LowPart = time.dwLowDateTime;
    ticks.HighPart = time.dwHighDateTime;
    ticks.QuadPart += static_cast<ULONGLONG>(by.count() / 100);
    return {ticks.LowPart, ticks.HighPart};
}
#else
using NativeTime = struct timespec;

NativeTime ModifiedTime(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0);
    return info.st_mtim;
}

void SetModifiedTime(const std::string& path, NativeTime time)
{
    const struct timespec times[2] = {{0, UTIME_OMIT}, time};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

NativeTime Later(NativeTime time, std::chrono::nanoseconds by)
{
    const long long total = time.tv_nsec + by.count();
    time.tv_sec += static_cast<time_t>(total / 1000000000);
    time.tv_nsec = static_cast<long>(total % 1000000000);
    return time;
}
#endif

TEST(FileStamp, ChangesOfSizeTimeAndPresenceAreNoticed)
{
    struct Case {
        const char* what;
        void (*change)(const std::string& path);
        bool changed;
    };
    const std::vector<Case> cases{
        {"nothing done", [](const std::string&) {}, false},
        {"read again", [](const std::string& path) { (void)ReadFile(path); }, false},
        {"a byte more", [](const std::string& path) { ASSERT_TRUE(WriteFile(path, "hello!\n")); }, true},
        {"same size, a second later",
         [](const std::string& path) {
             const NativeTime time = ModifiedTime(path);
             ASSERT_TRUE(WriteFile(path, "HELLO\n"));
             SetModifiedTime(path, Later(time, std::chrono::seconds(1)));
         },
         true},
        {"same size, a microsecond later",
         [](const std::string& path) {
             const NativeTime time = ModifiedTime(path);
             ASSERT_TRUE(WriteFile(path, "HELLO\n"));
             SetModifiedTime(path, Later(time, std::chrono::microseconds(1)));
         },
         true},
        {"same bytes, time put back",
         [](const std::string& path) {
             const NativeTime time = ModifiedTime(path);
             ASSERT_TRUE(WriteFile(path, "hello\n"));
             SetModifiedTime(path, time);
         },
         false},
        {"vanished", [](const std::string& path) { ASSERT_TRUE(fs::remove(path)); }, true},
        {"a folder in its place",
         [](const std::string& path) {
             ASSERT_TRUE(fs::remove(path));
             fs::create_directory(path);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const test::ScratchFolder folder;
        const std::string path = folder / "file.txt";
        ASSERT_TRUE(WriteFile(path, "hello\n"));
        // Written an hour ago, so that a write now is later by any clock.
        fs::last_write_time(path, fs::last_write_time(path) - std::chrono::hours(1));
        const FileStamp stamp = ReadFileStamp(path);
        ASSERT_TRUE(stamp.exists);
        EXPECT_EQ(stamp.size, 6u);
        c.change(path);
        EXPECT_EQ(ChangedOnDisk(path, stamp), c.changed);
    }
}

TEST(FileStamp, AFileThatWasNotThere)
{
    const test::ScratchFolder folder;
    const std::string path = folder / "new.txt";
    const FileStamp none = ReadFileStamp(path);
    EXPECT_FALSE(none.exists);
    EXPECT_FALSE(ChangedOnDisk(path, none));
    EXPECT_FALSE(ReadFileStamp(folder.Path()).exists);
    EXPECT_FALSE(ReadFileStamp(JoinPath(path, "below a missing folder")).exists);
    // It appears, even empty.
    ASSERT_TRUE(WriteFile(path, ""));
    EXPECT_TRUE(ChangedOnDisk(path, none));
    const FileStamp empty = ReadFileStamp(path);
    EXPECT_TRUE(empty.exists);
    EXPECT_EQ(empty.size, 0u);
    EXPECT_FALSE(ChangedOnDisk(path, empty));
}

} // namespace
} // namespace varnel::editor
