// Finding and binding tool extensions.
#pragma once

#include "shared_library.h"
#include "tool_proxy.h"

#include <memory>
#include <string>
#include <vector>

namespace varnel {

using PerformFn = int (*)(VTextProxy& document);

struct ToolExtension {
    std::string path; // the module file
    std::string name; // its file name without folder and suffix: "Dunetool"
    PerformFn perform = nullptr;
    std::shared_ptr<SharedLibrary> library; // the last copy to go unloads the module
};

// Loads one module and binds its Perform; false with the reason in *error when the
// module does not load or exports no Perform.
bool LoadToolExtension(const std::string& path, ToolExtension* tool, std::string* error);

struct ToolSet {
    std::vector<ToolExtension> tools; // sorted by name
    std::vector<std::string> errors;  // one "file: reason" per refused module
};

// The folder of tool extensions inside a module folder: its Extensions/ folder.
std::string ExtensionsFolder(const std::string& moduleFolder);

// Loads every module in `folder` (files ending in the platform's module suffix).
ToolSet LoadToolExtensions(const std::string& folder);

// The extension of that name (either case), or null.
const ToolExtension* FindTool(const ToolSet& set, const std::string& name);

} // namespace varnel
