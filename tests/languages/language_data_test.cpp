// Every data export of every language module, byte for byte.
#include "expected_languages.h"
#include "keyword_matcher.h"
#include "module_set.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

namespace varnel::test {
namespace {

class LanguageData : public ::testing::TestWithParam<ExpectedLanguage> {};

// Words of a keyword text, set by set, as the format defines them.
std::vector<std::vector<std::string>> SetsOf(const std::string& text)
{
    std::vector<std::vector<std::string>> sets(1);
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line[0] == '-') {
            sets.emplace_back();
            continue;
        }
        std::istringstream words(line);
        std::string word;
        while (words >> word)
            sets.back().push_back(word);
    }
    return sets;
}

TEST_P(LanguageData, NamePatternsAndKeywordFile)
{
    const ExpectedLanguage& expected = GetParam();
    const LanguagePlugin& plugin = Module(expected.module);
    EXPECT_EQ(plugin.name, expected.name);
    EXPECT_EQ(plugin.extensions, expected.extensions);
    EXPECT_EQ(plugin.keywordFile, expected.keywordFile);
}

TEST_P(LanguageData, KeywordTextIsTheDefaultFileByteForByte)
{
    const ExpectedLanguage& expected = GetParam();
    const LanguagePlugin& plugin = Module(expected.module);
    ASSERT_NE(plugin.defaultKeywords, nullptr);
    const std::string text = plugin.defaultKeywords;
    EXPECT_EQ(text, ReadTestData(std::string("keywords/") + expected.keywordFile));
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
}

TEST_P(LanguageData, KeywordSetsHoldTheirWords)
{
    const ExpectedLanguage& expected = GetParam();
    const LanguagePlugin& plugin = Module(expected.module);
    ASSERT_NE(plugin.defaultKeywords, nullptr);
    const auto sets = SetsOf(plugin.defaultKeywords);
    std::vector<int> counts;
    for (const auto& set : sets)
        counts.push_back(static_cast<int>(set.size()));
    EXPECT_EQ(counts, expected.wordsPerSet);

    // The host's matcher puts each word in its set.
    const KeywordMatcher matcher(plugin.defaultKeywords);
    for (std::size_t k = 0; k < sets.size() && k < 32; ++k) {
        for (const std::string& word : sets[k])
            EXPECT_NE(matcher.SetsOfWord(word) & (1 << k), 0) << word << " in set " << k + 1;
    }
}

TEST_P(LanguageData, StyleTableEndsWithANullPair)
{
    const ExpectedLanguage& expected = GetParam();
    const LanguagePlugin& plugin = Module(expected.module);
    ASSERT_NE(plugin.styles, nullptr);
    const std::size_t count = expected.styles.size();
    for (std::size_t i = 0; i < count; ++i) {
        ASSERT_NE(plugin.styles[i][0], nullptr) << "style " << i + 1;
        ASSERT_NE(plugin.styles[i][1], nullptr) << "style " << i + 1;
        EXPECT_STREQ(plugin.styles[i][0], expected.styles[i].name) << "style " << i + 1;
        const std::string text = std::string("08:") + expected.styles[i].colour + ";09;00;Monaco";
        EXPECT_STREQ(plugin.styles[i][1], text.c_str()) << "style " << i + 1;
    }
    EXPECT_EQ(plugin.styles[count][0], nullptr);
    EXPECT_EQ(plugin.styles[count][1], nullptr);
}

TEST_P(LanguageData, OffersExactlyItsServices)
{
    const ExpectedLanguage& expected = GetParam();
    const LanguagePlugin& plugin = Module(expected.module);
    EXPECT_NE(plugin.getDataAddress, nullptr);
    EXPECT_EQ(plugin.Services(), expected.services);
}

INSTANTIATE_TEST_SUITE_P(EveryModule, LanguageData, ::testing::ValuesIn(ExpectedLanguages()),
                         [](const auto& info) { return std::string(info.param.module); });

TEST(LanguageModules, AllTenAreBuiltAndLoad)
{
    EXPECT_TRUE(BuiltPlugins().errors.empty());
    EXPECT_EQ(BuiltPlugins().plugins.size(), ExpectedLanguages().size());
}

TEST(KeywordTexts, LayoutDetailsStandAsWritten)
{
    const std::string java = Module("Birchlex").defaultKeywords;
    EXPECT_EQ(java.substr(0, 67), "abstract default if private throw boolean do implements protected \n");
    EXPECT_NE(java.find("static this \nvolatile"), std::string::npos);
    EXPECT_NE(java.find("package this true false null\n- User set 1:\n"), std::string::npos);

    const std::string python = Module("Juniperlex").defaultKeywords;
    EXPECT_EQ(python.substr(0, 50), "and       del       for       is        raise    \n");
    EXPECT_NE(python.find("\ndef       finally   in        print\n- Functions\n"), std::string::npos);

    const std::string pascal = Module("Cedarlex").defaultKeywords;
    EXPECT_NE(pascal.find("VAR WHILE WITH \nINTEGER"), std::string::npos);
    EXPECT_NE(pascal.find("FALSE\nLEAVE CYCLE\n"), std::string::npos);

    EXPECT_EQ(std::string(Module("Firlex").defaultKeywords),
              "-\ncite ref label\n-\nbegin end\n-\n"
              "part chapter section subsection subsubsection paragraph subparagraph\n-\n");
    EXPECT_EQ(std::string(Module("Larchlex").defaultKeywords),
              "\n- User set 1:\n- User set 2:\n- User set 3:\n- User set 4:\n");
    EXPECT_EQ(std::string(Module("Hazellex").defaultKeywords),
              "case do done elif else esac fi for function if in select then until while\n"
              "- User set 1:\n- User set 2:\n- User set 3:\n- User set 4:\n");

    const std::string html = Module("Amberlex").defaultKeywords;
    EXPECT_EQ(html.substr(0, 20), "a abbr acronym addre");
    EXPECT_NE(html.find("\n- attributes\nabbr accept-charset"), std::string::npos);
    EXPECT_NE(html.find("synchonized"), std::string::npos);
    EXPECT_NE(html.find("extends false extends false"), std::string::npos);
    EXPECT_NE(html.find("xml_set_unparsed_entity_decl_handler\n- User set 1:\n- User set 2:\n- User set 3:\n"),
              std::string::npos);
}

TEST(KeywordTexts, HtmlLinesPerSetAndWidth)
{
    std::istringstream lines(Module("Amberlex").defaultKeywords);
    std::vector<int> linesPerSet(1, 0);
    std::string line;
    std::size_t widest = 0;
    while (std::getline(lines, line)) {
        if (!line.empty() && line[0] == '-') {
            linesPerSet.push_back(0);
            continue;
        }
        ++linesPerSet.back();
        if (linesPerSet.size() == 5)
            widest = std::max(widest, line.size());
    }
    EXPECT_EQ(linesPerSet, (std::vector<int>{5, 10, 6, 5, 161, 0, 0, 0}));
    EXPECT_LE(widest, 82u); // the function names break at about 80 columns
}

TEST(KeywordTexts, OddEntriesBelongToTheirSets)
{
    const KeywordMatcher java(Module("Birchlex").defaultKeywords);
    EXPECT_EQ(java.SetsOfWord("this"), 0x1);
    EXPECT_EQ(java.SetsOfWord("This"), 0);

    const KeywordMatcher rez(Module("Elmlex").defaultKeywords);
    EXPECT_EQ(rez.SetsOfWord("minute"), 0x2);
    EXPECT_EQ(rez.SetsOfWord("#include"), 0x1);
    EXPECT_EQ(rez.SetsOfWord("byte"), 0x3); // a keyword and a function

    const KeywordMatcher tex(Module("Firlex").defaultKeywords);
    EXPECT_EQ(tex.SetsOfWord("cite"), 0x2);
    EXPECT_EQ(tex.SetsOfWord("begin"), 0x4);
    EXPECT_EQ(tex.SetsOfWord("subparagraph"), 0x8);

    const KeywordMatcher html(Module("Amberlex").defaultKeywords);
    EXPECT_EQ(html.SetsOfWord("synchonized"), 0x4);
    EXPECT_EQ(html.SetsOfWord("synchronized"), 0);
    EXPECT_EQ(html.SetsOfWord("abbr"), 0x3);     // element and attribute
    EXPECT_EQ(html.SetsOfWord("extends"), 0xC);  // JavaScript and PHP
    EXPECT_EQ(html.SetsOfWord("virtual"), 0x10);

    const KeywordMatcher as(Module("Ivylex").defaultKeywords);
    EXPECT_EQ(as.SetsOfWord("Selection."), 0x2);
    EXPECT_EQ(as.SetsOfWord("getUTCMilliseconds."), 0x2);
    EXPECT_EQ(as.SetsOfWord("tellTarget"), 0x20);
    EXPECT_EQ(as.SetsOfWord("_yscale"), 0x8);
    EXPECT_EQ(as.SetsOfWord("#endinitclip"), 0x1);
}

} // namespace
} // namespace varnel::test
