// On Windows every load of a module takes a thread-local storage slot from the process
// that unloading never gives back (the thread library linked into each module allocates
// one as it starts). The editor loads its modules once; these tests run hundreds of
// commands in one process, each loading every module, and a 32-bit process runs out of
// slots after about a thousand loads. Holding each module of the build loaded for the
// whole run makes the commands' own loads and unloads mere reference counts.
#ifdef _WIN32
#include "file_system.h"
#include "plugin_loader.h"
#include "tool_loader.h"

#include <windows.h>

namespace varnel::test {
namespace {

void HoldModules(const std::string& folder)
{
    for (const std::string& name : ListFiles(folder, ".dll"))
        LoadLibraryA(JoinPath(folder, name).c_str());
}

struct ModulesHeldLoaded {
    ModulesHeldLoaded()
    {
        HoldModules(LanguagesFolder(ExecutableFolder()));
        HoldModules(ExtensionsFolder(ExecutableFolder()));
    }
};

const ModulesHeldLoaded kModulesHeldLoaded;

} // namespace
} // namespace varnel::test
#endif
