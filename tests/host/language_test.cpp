// Preparing a plug-in for documents: keyword files and styles.
#include "file_system.h"
#include "language.h"
#include "module_set.h"

#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace varnel {
namespace {

TEST(Language, DefaultKeywordsAndStylesComeFromTheModule)
{
    const Language java = PrepareLanguage(test::Module("Birchlex"), "");
    EXPECT_EQ(java.keywordSource, "");
    EXPECT_EQ(java.matcher.SetsOfWord("synchronized"), 1);
    ASSERT_EQ(java.styles.Count(), 8);
    EXPECT_EQ(java.styles.At(3).name, "comments");
    ASSERT_TRUE(java.styles.At(3).attributes.has_value());
    EXPECT_EQ(java.styles.At(3).attributes->red, 0x9b);
    EXPECT_EQ(java.styles.At(3).attributes->font, "Monaco");
}

TEST(Language, UserKeywordFileReplacesTheDefaultText)
{
    const std::string settings = JoinPath(::testing::TempDir(), "varnel-settings");
#if defined(_WIN32)
    CreateDirectoryA(settings.c_str(), nullptr);
#else
    mkdir(settings.c_str(), 0700);
#endif
    const std::string file = JoinPath(settings, "keywords.java");
    ASSERT_TRUE(WriteFile(file, "record sealed\n- User set 1:\nTODO\n"));

    const Language java = PrepareLanguage(test::Module("Birchlex"), settings);
    EXPECT_EQ(java.keywordSource, file);
    EXPECT_EQ(java.matcher.SetsOfWord("record"), 1);
    EXPECT_EQ(java.matcher.SetsOfWord("TODO"), 2);
    EXPECT_EQ(java.matcher.SetsOfWord("class"), 0);

    // Another language's keyword file name is not there: its defaults stay.
    const Language shell = PrepareLanguage(test::Module("Hazellex"), settings);
    EXPECT_EQ(shell.keywordSource, "");
    EXPECT_EQ(shell.matcher.SetsOfWord("esac"), 1);

    // A byte-order mark in front of the text is no part of it.
    ASSERT_TRUE(WriteFile(file, "\xEF\xBB\xBF- User set 0:\nrecord\n"));
    const Language marked = PrepareLanguage(test::Module("Birchlex"), settings);
    EXPECT_EQ(marked.matcher.SetsOfWord("record"), 2);
    EXPECT_EQ(marked.matcher.SetsOfWord("\xEF\xBB\xBF-"), 0);
}

} // namespace
} // namespace varnel
