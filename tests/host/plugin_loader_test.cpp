// Finding, binding and refusing language modules.
#include "file_system.h"
#include "plugin_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace varnel {
namespace {

std::string Folder(const std::string& testCase)
{
    return LanguagesFolder(JoinPath(VARNEL_TEST_MODULES, testCase));
}

bool HasErrorFor(const PluginSet& set, const std::string& module, const std::string& reason)
{
    return std::any_of(set.errors.begin(), set.errors.end(), [&](const std::string& error) {
        return error.rfind(module, 0) == 0 && error.find(reason) != std::string::npos;
    });
}

TEST(PluginLoader, NameOf28CharactersIsTakenAnd29Refused)
{
    const PluginSet set = LoadLanguagePlugins(Folder("names"));
    ASSERT_EQ(set.plugins.size(), 1u);
    EXPECT_EQ(set.plugins[0].name, "ABCDEFGHIJKLMNOPQRSTUVWXYZab");
    EXPECT_EQ(set.plugins[0].moduleName, "Longest");
    ASSERT_EQ(set.errors.size(), 1u);
    EXPECT_TRUE(HasErrorFor(set, "TooLong", "longer than 28 characters")) << set.errors[0];
}

TEST(PluginLoader, ModulesWithoutLookupOrDataAreRefused)
{
    const PluginSet set = LoadLanguagePlugins(Folder("missing"));
    ASSERT_EQ(set.plugins.size(), 1u);
    EXPECT_EQ(set.plugins[0].name, "Sound");
    EXPECT_TRUE(HasErrorFor(set, "NoLookup", "no GetDataAddress"));
    EXPECT_TRUE(HasErrorFor(set, "NoStyles", "kLanguageStyles"));
}

TEST(PluginLoader, BindsDataAndFindsNoServicesItDoesNotExport)
{
    const PluginSet set = LoadLanguagePlugins(Folder("missing"));
    ASSERT_EQ(set.plugins.size(), 1u);
    const LanguagePlugin& sound = set.plugins[0];
    EXPECT_EQ(sound.extensions, "*.fixture");
    EXPECT_EQ(sound.keywordFile, "keywords.fixture");
    EXPECT_STREQ(sound.defaultKeywords, "alpha beta\n");
    ASSERT_NE(sound.styles, nullptr);
    EXPECT_STREQ(sound.styles[0][0], "Words");
    EXPECT_TRUE(sound.Services().empty());
}

TEST(PluginLoader, FileThatIsNoLibraryIsRefused)
{
    const PluginSet set = LoadLanguagePlugins(Folder("broken"));
    EXPECT_TRUE(set.plugins.empty());
    ASSERT_EQ(set.errors.size(), 1u);
    EXPECT_EQ(set.errors[0].rfind("Broken", 0), 0u);
}

TEST(PluginLoader, EmptyOrMissingFolderGivesNothing)
{
    EXPECT_TRUE(LoadLanguagePlugins(Folder("empty")).plugins.empty());
    EXPECT_TRUE(LoadLanguagePlugins(Folder("empty")).errors.empty());
    EXPECT_TRUE(LoadLanguagePlugins(Folder("no-such-case")).plugins.empty());
}

TEST(PluginLoader, ModulesStayLoadedWhileAPluginIsKept)
{
    LanguagePlugin kept;
    {
        PluginSet set = LoadLanguagePlugins(Folder("missing"));
        ASSERT_EQ(set.plugins.size(), 1u);
        kept = set.plugins[0];
    }
    EXPECT_STREQ(kept.defaultKeywords, "alpha beta\n");
    EXPECT_EQ(kept.getDataAddress("kLanguageName"), static_cast<const void*>(kept.library->Symbol("kLanguageName")));
}

TEST(PluginLoader, CallsInitOnLoadAndCleanUpOnUnload)
{
    const std::string log = JoinPath(::testing::TempDir(), "varnel-hooks.log");
    WriteFile(log, "");
#if defined(_WIN32)
    _putenv_s("FIXTURE_HOOK_LOG", log.c_str());
#else
    setenv("FIXTURE_HOOK_LOG", log.c_str(), 1);
#endif
    {
        const PluginSet set = LoadLanguagePlugins(Folder("hooks"));
        ASSERT_EQ(set.plugins.size(), 1u);
        const LanguagePlugin copy = set.plugins[0];
        EXPECT_EQ(ReadFile(log), "Init\n");
    }
    EXPECT_EQ(ReadFile(log), "Init\nCleanUp\n");
}

TEST(FilePatterns, WildcardsMatchWholeNamesInEitherCase)
{
    EXPECT_TRUE(MatchesPatterns("index.html", "*.htm*;*.php*"));
    EXPECT_TRUE(MatchesPatterns("INDEX.HTM", "*.htm*;*.php*"));
    EXPECT_TRUE(MatchesPatterns("page.php3", "*.htm*;*.php*"));
    EXPECT_FALSE(MatchesPatterns("index.xhtm", "*.htm"));
    EXPECT_TRUE(MatchesPatterns("Makefile", "*.sh;*.mak*;*.mk;makefile*"));
    EXPECT_TRUE(MatchesPatterns("makefile.in", "*.sh;*.mak*;*.mk;makefile*"));
    EXPECT_TRUE(MatchesPatterns("build.mak", "*.sh;*.mak*;*.mk;makefile*"));
    EXPECT_FALSE(MatchesPatterns("mymakefile", "*.sh;*.mak*;*.mk;makefile*"));
    EXPECT_FALSE(MatchesPatterns("a.p.bak", "*.p;*.pas"));
    EXPECT_TRUE(MatchesPatterns("a.b.p", "*.p;*.pas"));
    EXPECT_FALSE(MatchesPatterns("x.java", ""));
    EXPECT_FALSE(MatchesPatterns("x.java", ";;"));
    EXPECT_TRUE(MatchesPatterns("", "*"));
    EXPECT_TRUE(MatchesPatterns("aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*b"));
    EXPECT_FALSE(MatchesPatterns("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "*a*a*a*a*a*a*b"));
}

} // namespace
} // namespace varnel
