// A module loaded at run time (dlopen on Linux, LoadLibrary on Windows).
#pragma once

#include "file_system.h"

#include <memory>
#include <string>
#include <vector>

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
// The names of the module files in `folder`, sorted ignoring case.
std::vector<std::string> ModuleFiles(const std::string& folder);

// Loads every module file of `folder` (sorted by name, ignoring case) with
// load(path, &module, &error): those that load go to `loaded`, the others to `errors`
// as "file: reason".
template <typename Module, typename Load>
void LoadModuleFolder(const std::string& folder, Load load, std::vector<Module>* loaded,
                      std::vector<std::string>* errors)
{
    for (const std::string& file : ModuleFiles(folder)) {
        Module module;
        std::string error;
        if (load(JoinPath(folder, file), &module, &error))
            loaded->push_back(std::move(module));
        else
            errors->push_back(file + ": " + error);
    }
}

} // namespace varnel
