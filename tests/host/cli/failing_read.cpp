// Loaded before the C library (LD_PRELOAD) by the tests: every read from a file whose
// path ends in $FAIL_READS_OF fails with EIO, as a failing disk would.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool ReadsFail(int fd)
{
    const char* suffix = std::getenv("FAIL_READS_OF");
    if (suffix == nullptr || *suffix == '\0')
        return false;
    char link[64];
    char path[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, path, sizeof path - 1);
    if (length < 0)
        return false;
    path[length] = '\0';
    const std::size_t size = std::strlen(suffix);
    return static_cast<std::size_t>(length) >= size && std::strcmp(path + length - size, suffix) == 0;
}

} // namespace

extern "C" __attribute__((visibility("default"))) ssize_t read(int fd, void* buffer, size_t count)
{
    using Read = ssize_t (*)(int, void*, size_t);
    static Read next = nullptr;
    if (next == nullptr)
        next = reinterpret_cast<Read>(dlsym(RTLD_NEXT, "read"));
    if (ReadsFail(fd)) {
        errno = EIO;
        return -1;
    }
    return next(fd, buffer, count);
}
