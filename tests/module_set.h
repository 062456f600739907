// The plug-ins of this build, loaded through the host's loader from Languages/
// beside the test program, as the editor loads them.
#pragma once

#include "file_system.h"
#include "plugin_loader.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {

inline const PluginSet& BuiltPlugins()
{
    static const PluginSet set = LoadLanguagePlugins(LanguagesFolder(ExecutableFolder()));
    return set;
}

// The plug-in built as `moduleName` (e.g. "Birchlex"); fails the test when it is missing.
inline const LanguagePlugin& Module(const std::string& moduleName)
{
    for (const LanguagePlugin& plugin : BuiltPlugins().plugins) {
        if (plugin.moduleName == moduleName)
            return plugin;
    }
    ADD_FAILURE() << "module " << moduleName << " was not loaded";
    static const LanguagePlugin none;
    return none;
}

inline std::string ReadTestData(const std::string& relativePath)
{
    const std::optional<std::string> text = ReadFile(std::string(VARNEL_TEST_DATA) + "/" + relativePath);
    EXPECT_TRUE(text.has_value()) << "cannot read test data " << relativePath;
    return text.value_or("");
}

} // namespace varnel::test
