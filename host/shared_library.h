// A module loaded at run time (dlopen on Linux, LoadLibrary on Windows).
#pragma once

#include <memory>
#include <string>

namespace varnel {

class SharedLibrary {
public:
    // The loaded library, or null with the reason in *error.
    static std::unique_ptr<SharedLibrary> Open(const std::string& path, std::string* error);
    ~SharedLibrary();

    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // The address of an exported function or data item, or null.
    void* Symbol(const char* name) const;

private:
    explicit SharedLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

// The file-name ending of modules on this platform: ".so" or ".dll".
const char* ModuleSuffix();

} // namespace varnel
