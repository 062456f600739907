#include "shared_library.h"

#include <algorithm>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace varnel {

#if defined(_WIN32)

std::unique_ptr<SharedLibrary> SharedLibrary::Open(const std::string& path, std::string* error)
{
    // No "cannot load" message boxes for broken files: the caller reports them.
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE handle = LoadLibraryA(path.c_str());
    SetErrorMode(previous);
    if (handle == nullptr) {
        if (error != nullptr)
            *error = "cannot load (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
}

SharedLibrary::~SharedLibrary()
{
    FreeLibrary(static_cast<HMODULE>(handle_));
}

void* SharedLibrary::Symbol(const char* name) const
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

const char* ModuleSuffix()
{
    return ".dll";
}

#else

std::unique_ptr<SharedLibrary> SharedLibrary::Open(const std::string& path, std::string* error)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        if (error != nullptr) {
            const char* reason = dlerror();
            *error = reason != nullptr ? reason : "cannot load";
        }
        return nullptr;
    }
    return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
}

SharedLibrary::~SharedLibrary()
{
    dlclose(handle_);
}

void* SharedLibrary::Symbol(const char* name) const
{
    return dlsym(handle_, name);
}

const char* ModuleSuffix()
{
    return ".so";
}

#endif

std::vector<std::string> ModuleFiles(const std::string& folder)
{
    std::vector<std::string> files = ListFiles(folder, ModuleSuffix());
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    std::sort(files.begin(), files.end(), [&](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [&](char x, char y) { return lower(x) < lower(y); });
    });
    return files;
}

} // namespace varnel
