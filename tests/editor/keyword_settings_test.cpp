// The user's keyword files: made once from the default text, never replaced, and read
// again when saved.
#include "keyword_settings.h"

#include "file_system.h"
#include "module_set.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace varnel::editor {
namespace {

constexpr const char* kDefaultText = "alpha beta\n- User set 1:\ngamma\n";

LanguagePlugin TestPlugin()
{
    LanguagePlugin plugin;
    plugin.name = "Test";
    plugin.keywordFile = "keywords.test";
    plugin.defaultKeywords = kDefaultText;
    return plugin;
}

TEST(KeywordSettings, EnsureMakesTheFileOnceAndNeverReplacesIt)
{
    enum class Before { NoFolder, EmptyFolder, UserFile, EmptyUserFile, FolderOfThatName };
    struct Case {
        const char* what;
        Before before;
        bool answersPath;
        std::optional<std::string> text; // the file's text afterwards
    };
    const std::vector<Case> cases{
        {"settings folder missing", Before::NoFolder, true, kDefaultText},
        {"no keyword file yet", Before::EmptyFolder, true, kDefaultText},
        {"the user's own file", Before::UserFile, true, "mine\n"},
        {"the user emptied it", Before::EmptyUserFile, true, ""},
        {"a folder in the way", Before::FolderOfThatName, false, std::nullopt},
    };
    const LanguagePlugin plugin = TestPlugin();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const test::ScratchFolder scratch;
        const std::string settings = c.before == Before::NoFolder ? JoinPath(scratch / "a", "Settings") : scratch.Path();
        const std::string file = JoinPath(settings, "keywords.test");
        if (c.before == Before::UserFile) {
            ASSERT_TRUE(WriteFile(file, "mine\n"));
        }
        if (c.before == Before::EmptyUserFile) {
            ASSERT_TRUE(WriteFile(file, ""));
        }
        if (c.before == Before::FolderOfThatName)
            std::filesystem::create_directory(file);

        std::string error;
        const std::optional<std::string> path = EnsureKeywordFile(plugin, settings, &error);
        EXPECT_EQ(path.has_value(), c.answersPath) << error;
        if (path) {
            EXPECT_EQ(*path, file);
        } else {
            EXPECT_FALSE(error.empty());
        }
        EXPECT_EQ(ReadFile(file), c.text);
        // Asked again, after the user changed it: still never replaced.
        if (path) {
            ASSERT_TRUE(WriteFile(file, "edited\n"));
            EXPECT_EQ(EnsureKeywordFile(plugin, settings), file);
            EXPECT_EQ(ReadFile(file), "edited\n");
        }
        // Nothing but the keyword file is left in the folder.
        if (c.before != Before::FolderOfThatName) {
            EXPECT_EQ(ListFiles(settings, ""), std::vector<std::string>{"keywords.test"});
        }
    }
}

TEST(KeywordSettings, NoPlaceNoFile)
{
    const test::ScratchFolder scratch;
    LanguagePlugin unnamed = TestPlugin();
    unnamed.keywordFile.clear();
    std::string error;
    EXPECT_EQ(EnsureKeywordFile(unnamed, scratch.Path(), &error), std::nullopt);
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_EQ(EnsureKeywordFile(TestPlugin(), "", &error), std::nullopt);
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(ListFiles(scratch.Path(), "").empty());

    // A plug-in without a default text gets an empty file.
    LanguagePlugin silent = TestPlugin();
    silent.defaultKeywords = nullptr;
    const std::optional<std::string> path = EnsureKeywordFile(silent, scratch.Path());
    ASSERT_TRUE(path);
    EXPECT_EQ(ReadFile(*path), "");
}

TEST(KeywordSettings, KeywordFileIsKnownByItsPath)
{
    const LanguagePlugin plugin = TestPlugin();
    const std::string settings = JoinPath("base", "Settings");
    EXPECT_EQ(KeywordFilePath(plugin, settings), JoinPath(settings, "keywords.test"));
    EXPECT_EQ(KeywordFilePath(plugin, ""), "");
#if defined(_WIN32)
    const bool foldsCase = true;
#else
    const bool foldsCase = false;
#endif
    const std::vector<std::pair<std::string, bool>> cases{
        {JoinPath(settings, "keywords.test"), true},
        {JoinPath(settings, "keywords.java"), false},
        {JoinPath("base", "keywords.test"), false},
        {JoinPath(JoinPath("BASE", "settings"), "Keywords.TEST"), foldsCase},
        {"", false},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(IsKeywordFile(path, plugin, settings), expected) << path;
    EXPECT_FALSE(IsKeywordFile("", plugin, ""));
}

TEST(KeywordSettings, ReloadFollowsTheSavedFile)
{
    const test::ScratchFolder settings;
    const LanguagePlugin plugin = TestPlugin();
    Language language = PrepareLanguage(plugin, settings.Path());
    EXPECT_EQ(language.matcher.SetsOfWord("gamma"), 2);

    const std::optional<std::string> path = EnsureKeywordFile(plugin, settings.Path());
    ASSERT_TRUE(path);
    ASSERT_TRUE(WriteFile(*path, "delta\n- User set 1:\nalpha\n"));
    ReloadKeywords(language, settings.Path());
    EXPECT_EQ(language.keywordSource, *path);
    EXPECT_EQ(language.matcher.SetsOfWord("delta"), 1);
    EXPECT_EQ(language.matcher.SetsOfWord("alpha"), 2);
    EXPECT_EQ(language.matcher.SetsOfWord("gamma"), 0);
    EXPECT_EQ(language.plugin, &plugin);

    // The file removed: the default text again.
    ASSERT_TRUE(std::filesystem::remove(*path));
    ReloadKeywords(language, settings.Path());
    EXPECT_EQ(language.keywordSource, "");
    EXPECT_EQ(language.matcher.SetsOfWord("alpha"), 1);
    EXPECT_EQ(language.matcher.SetsOfWord("delta"), 0);
}

TEST(KeywordSettings, ABuiltPluginsDefaultTextIsWhatTheFileStartsWith)
{
    const test::ScratchFolder settings;
    const LanguagePlugin& java = test::Module("Birchlex");
    ASSERT_NE(java.defaultKeywords, nullptr);
    const std::optional<std::string> path = EnsureKeywordFile(java, settings.Path());
    ASSERT_TRUE(path);
    EXPECT_EQ(FileName(*path), "keywords.java");
    EXPECT_EQ(ReadFile(*path), std::string(java.defaultKeywords));

    // Made from the defaults, the file gives the matcher the defaults give.
    const Language fromFile = PrepareLanguage(java, settings.Path());
    EXPECT_EQ(fromFile.keywordSource, *path);
    EXPECT_EQ(fromFile.matcher.SetsOfWord("synchronized"), PrepareLanguage(java, "").matcher.SetsOfWord("synchronized"));
}

} // namespace
} // namespace varnel::editor
