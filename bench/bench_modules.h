// Loading the built plug-ins for the benchmarks.
#pragma once

#include "file_system.h"
#include "plugin_loader.h"

#include <stdexcept>

namespace varnel::bench {

inline const PluginSet& Plugins()
{
    static const PluginSet set = LoadLanguagePlugins(LanguagesFolder(ExecutableFolder()));
    return set;
}

inline const LanguagePlugin& Plugin(const std::string& name)
{
    const LanguagePlugin* plugin = FindLanguageByName(Plugins(), name);
    if (plugin == nullptr)
        throw std::runtime_error("no plug-in " + name);
    return *plugin;
}

} // namespace varnel::bench
