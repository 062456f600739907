#include "tool_loader.h"

#include "file_system.h"

#include <algorithm>
#include <cctype>

namespace varnel {

namespace {

bool SameNameIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

bool LoadToolExtension(const std::string& path, ToolExtension* tool, std::string* error)
{
    std::string reason;
    std::unique_ptr<SharedLibrary> library = SharedLibrary::Open(path, &reason);
    if (library == nullptr) {
        *error = reason;
        return false;
    }
    const auto perform = reinterpret_cast<PerformFn>(library->Symbol("Perform"));
    if (perform == nullptr) {
        *error = "not a tool extension (no Perform)";
        return false;
    }
    tool->path = path;
    tool->name = FileStem(path);
    tool->perform = perform;
    tool->library = std::move(library);
    return true;
}

std::string ExtensionsFolder(const std::string& moduleFolder)
{
    return JoinPath(moduleFolder, "Extensions");
}

ToolSet LoadToolExtensions(const std::string& folder)
{
    ToolSet set;
    LoadModuleFolder(folder, LoadToolExtension, &set.tools, &set.errors);
    return set;
}

const ToolExtension* FindTool(const ToolSet& set, const std::string& name)
{
    for (const ToolExtension& tool : set.tools) {
        if (SameNameIgnoringCase(tool.name, name))
            return &tool;
    }
    return nullptr;
}

} // namespace varnel
