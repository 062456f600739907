#include "keyword_matcher.h"
#include "utf8.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace varnel {
namespace {

TEST(KeywordMatcher, WordsBelongToTheSetOfTheirSection)
{
    const KeywordMatcher m("if  else\twhile\n- attributes\nhref if\n-\n\nsrc\n");
    EXPECT_EQ(m.SetsOfWord("else"), 1);
    EXPECT_EQ(m.SetsOfWord("while"), 1);
    EXPECT_EQ(m.SetsOfWord("href"), 2);
    EXPECT_EQ(m.SetsOfWord("if"), 3); // in two sets
    EXPECT_EQ(m.SetsOfWord("src"), 4);
    EXPECT_EQ(m.SetsOfWord("attributes"), 0); // a title is no keyword
    EXPECT_EQ(m.SetsOfWord("-"), 0);
    EXPECT_EQ(m.SetCount(), 3);
}

TEST(KeywordMatcher, EmptyFirstSetAndDuplicates)
{
    const KeywordMatcher tex("-\ncite ref label\n-\nbegin end\n-\npart chapter\n-\n");
    EXPECT_EQ(tex.SetsOfWord("cite"), 0b10);
    EXPECT_EQ(tex.SetsOfWord("end"), 0b100);
    EXPECT_EQ(tex.SetsOfWord("chapter"), 0b1000);
    const KeywordMatcher dup("this minute this\r\nminute\n");
    EXPECT_EQ(dup.SetsOfWord("this"), 1);
    EXPECT_EQ(dup.SetsOfWord("minute"), 1);
}

TEST(KeywordMatcher, PrefixesAndDeadStates)
{
    const KeywordMatcher m("begin\n");
    int state = m.Step('b', 1);
    ASSERT_NE(state, 0);
    for (char c : std::string("egi"))
        state = m.Step(c, state);
    ASSERT_NE(state, 0);
    EXPECT_EQ(m.Sets(state), 0); // "begi" is only a prefix
    EXPECT_EQ(m.Sets(m.Step('n', state)), 1);
    const int dead = m.Step('x', state);
    EXPECT_EQ(dead, 0);
    EXPECT_EQ(m.Step('n', dead), 0);
    EXPECT_EQ(m.Sets(dead), 0);
    EXPECT_EQ(m.Step('B', 1), 0); // matched exactly as fed
    EXPECT_EQ(m.Sets(1), 0);
    EXPECT_EQ(m.Step('b', 12345), 0);
}

// States with few edges and with many: characters below, between and above the edges,
// bytes from 128 up as CharAt answers them and code points all miss; every edge leads on.
TEST(KeywordMatcher, EveryEdgeOfAStateIsFoundAndNothingBetweenThem)
{
    const KeywordMatcher m("pb pd pf p\xC3\xA9\n-\nqa qb qc qd qe qf qg qh qi qj qk\n");
    struct Case {
        const char* name;
        char prefix;
        int ch;
        int sets; // of the two-character word; -1 when the step dies
    };
    const Case cases[] = {
        {"few: first edge", 'p', 'b', 1},
        {"few: middle edge", 'p', 'd', 1},
        {"few: last ASCII edge", 'p', 'f', 1},
        {"few: below the first", 'p', 'a', -1},
        {"few: between two", 'p', 'c', -1},
        {"few: between two, next to the last", 'p', 'e', -1},
        {"few: above the last ASCII edge", 'p', 'g', -1},
        {"few: a byte from 128 up", 'p', static_cast<signed char>('\xC4'), -1},
        {"few: a code point", 'p', 0xE8, -1},
        {"many: first edge", 'q', 'a', 2},
        {"many: an edge in the middle", 'q', 'f', 2},
        {"many: last edge", 'q', 'k', 2},
        {"many: below the first", 'q', '`', -1},
        {"many: above the last", 'q', 'l', -1},
        {"many: a byte from 128 up", 'q', static_cast<signed char>('\xC3'), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int prefix = m.Step(c.prefix, 1);
        ASSERT_NE(prefix, 0);
        const int state = m.Step(c.ch, prefix);
        if (c.sets < 0) {
            EXPECT_EQ(state, 0);
        } else {
            ASSERT_NE(state, 0);
            EXPECT_EQ(m.Sets(state), c.sets);
        }
    }
    // The word with a code point is found fed as code points and as bytes.
    EXPECT_EQ(m.Sets(m.Step(0xE9, m.Step('p', 1))), 1);
    EXPECT_EQ(m.Sets(m.Step(static_cast<signed char>('\xA9'), m.Step(static_cast<signed char>('\xC3'), m.Step('p', 1)))), 1);
}

TEST(KeywordMatcher, StepsOverCodePoints)
{
    const KeywordMatcher m("caf\xC3\xA9\n");
    int state = 1;
    for (int ch : {int{'c'}, int{'a'}, int{'f'}, 0xE9})
        state = m.Step(ch, state);
    EXPECT_EQ(m.Sets(state), 1);
}

// The mask of a word fed one value at a time, stopping once the matcher answers 0.
int SetsOfFed(const KeywordMatcher& m, const std::vector<int>& values)
{
    int state = 1;
    for (int value : values) {
        state = m.Step(value, state);
        if (state == 0)
            return 0;
    }
    return m.Sets(state);
}

std::vector<int> AsCharAtValues(const std::string& bytes)
{
    std::vector<int> values;
    for (char c : bytes)
        values.push_back(c); // negative above 127, as CharAt answers
    return values;
}

TEST(KeywordMatcher, WordsMatchAsCodePointsAndAsBytes)
{
    struct Case {
        std::string text;     // the keyword text
        std::vector<int> fed; // what a plug-in feeds
        int sets;
    };
    const std::string utf8 = "caf\xC3\xA9 \xC3\xBC" "ber\n- two\nna\xC3\xAFve\n";
    const std::string latin1 = "caf\xE9\n- two\n\xFC\n";
    const Case cases[] = {
        {utf8, {'c', 'a', 'f', 0xE9}, 1},
        {utf8, AsCharAtValues("caf\xC3\xA9"), 1},
        {utf8, AsCharAtValues("\xC3\xBC" "ber"), 1},
        {utf8, {0xFC, 'b', 'e', 'r'}, 1},
        {utf8, AsCharAtValues("na\xC3\xAFve"), 2},
        {utf8, AsCharAtValues("caf\xC3"), 0},          // a strict prefix of the bytes
        {utf8, {'c', 'a', 'f', 0xC3, 0xA9}, 0},        // bytes fed unsigned are no code points
        {latin1, AsCharAtValues("caf\xE9"), 1},        // not UTF-8: matched byte by byte
        {latin1, {'c', 'a', 'f', 0xE9}, 1},            // ...or as the byte's own value
        {latin1, AsCharAtValues("\xFC"), 2},
        {"plain\n", AsCharAtValues("plain"), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text) + " fed " + testing::PrintToString(c.fed));
        EXPECT_EQ(SetsOfFed(KeywordMatcher(c.text), c.fed), c.sets);
    }
}

TEST(KeywordMatcher, OnlyALeadingDashMakesATitle)
{
    const KeywordMatcher m("a\n - x\n-y z\nb\n\t-c\n");
    EXPECT_EQ(m.SetsOfWord("x"), 1); // " - x" holds keywords
    EXPECT_EQ(m.SetsOfWord("-"), 1);
    EXPECT_EQ(m.SetsOfWord("-c"), 2);
    EXPECT_EQ(m.SetsOfWord("b"), 2);
    EXPECT_EQ(m.SetsOfWord("z"), 0); // on the title line
    EXPECT_EQ(m.SetCount(), 2);
}

TEST(KeywordMatcher, TheThirtySecondSetIsReportedAndLaterOnesAreNot)
{
    std::string text;
    for (int set = 1; set <= 33; ++set)
        text += (set > 1 ? "- set\n" : "") + ("w" + std::to_string(set)) + "\n";
    const KeywordMatcher m(text);
    EXPECT_EQ(m.SetCount(), 33);
    EXPECT_EQ(m.SetsOfWord("w1"), 1);
    EXPECT_EQ(static_cast<unsigned>(m.SetsOfWord("w32")), 1u << 31);
    EXPECT_EQ(m.SetsOfWord("w33"), 0);
}

// Keyword texts whose states crowd the transition array in different ways: every cell a
// state's edges could take may already be taken, so some are placed far away. Every
// keyword answers its sets, every prefix stays live, and every character that continues
// no keyword, whatever its value, ends in the dead state.
TEST(KeywordMatcher, CrowdedAndSparseTextsMatchExactlyTheirWords)
{
    const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
    std::string allPairs;
    for (char a : letters)
        for (char b : letters)
            allPairs += std::string{a, b, ' '};
    std::string longPrefixes;
    for (int i = 0; i < 600; ++i)
        longPrefixes += "prefix" + std::to_string((i * 7919) % 100000) + (i % 3 == 0 ? "x\n" : " ");
    std::string fanOutEverywhere; // every node of a three-level tree has edges of its own
    for (char a : std::string("aeiou"))
        for (char b : letters)
            fanOutEverywhere += std::string{a, b, letters[static_cast<std::size_t>(b) % letters.size()], ' '};
    const std::string mixed = "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC na\xC3\xAFve zz\xFF z\n- two\nz\x80 \xC3\n";
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"all two-character words", allPairs},
        {"long shared prefixes", longPrefixes},
        {"fan-out at every level", fanOutEverywhere},
        {"code points, stray bytes and a second set", mixed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const KeywordMatcher m(c.text);
        // What the text says: each word fed as CharAt values and as code points.
        std::map<std::vector<int>, int> sets;
        int set = 1;
        std::size_t pos = 0;
        while (pos < c.text.size()) {
            std::size_t end = c.text.find('\n', pos);
            if (end == std::string::npos)
                end = c.text.size();
            const std::string line = c.text.substr(pos, end - pos);
            pos = end + 1;
            if (!line.empty() && line[0] == '-') {
                ++set;
                continue;
            }
            std::size_t i = 0;
            while (i < line.size()) {
                const std::size_t j = std::min(line.find(' ', i), line.size());
                if (j > i) {
                    const std::string word = line.substr(i, j - i);
                    std::vector<int> points;
                    for (std::size_t k = 0; k < word.size();) {
                        const Utf8Char decoded = DecodeUtf8(word.data() + k, word.size() - k);
                        points.push_back(decoded.codePoint);
                        k += static_cast<std::size_t>(decoded.length);
                    }
                    sets[AsCharAtValues(word)] |= 1 << (set - 1);
                    sets[points] |= 1 << (set - 1);
                }
                i = j + 1;
            }
        }
        std::set<std::vector<int>> prefixes;
        for (const auto& [word, mask] : sets)
            for (std::size_t n = 1; n <= word.size(); ++n)
                prefixes.insert(std::vector<int>(word.begin(), word.begin() + static_cast<std::ptrdiff_t>(n)));
        for (const std::vector<int>& prefix : prefixes) {
            const std::string shown = testing::PrintToString(prefix);
            int state = 1;
            for (int ch : prefix)
                state = m.Step(ch, state);
            ASSERT_NE(state, 0) << shown;
            const auto found = sets.find(prefix);
            EXPECT_EQ(m.Sets(state), found == sets.end() ? 0 : found->second) << shown;
            std::vector<int> longer = prefix;
            longer.push_back(0);
            for (int ch = -128; ch < 400; ++ch) {
                longer.back() = ch;
                if (prefixes.count(longer) == 0) {
                    EXPECT_EQ(m.Step(ch, state), 0) << shown << " + " << ch;
                }
            }
        }
    }
}

// States a plug-in makes up: any value, with any character, answers a state the matcher
// can be asked about again, and the dead state and values outside the array stay dead.
TEST(KeywordMatcher, MadeUpStatesStayInsideTheMatcher)
{
    const KeywordMatcher m("if else while for do switch case default break continue return\n");
    const int states[] = {-2147483647 - 1, -1, 0, 2, 3, 10, 40, 1000, 2147483647};
    const int characters[] = {-2147483647 - 1, -1, 0, 'a', 'e', 'i', 127, 128, 0x10FFFF, 2147483647};
    for (int state : states) {
        for (int ch : characters) {
            const int next = m.Step(ch, state);
            EXPECT_GE(next, 0);
            m.Sets(next);
            if (state <= 0 || state >= 1000) {
                EXPECT_EQ(next, 0) << state << " " << ch;
            }
        }
    }
}

} // namespace
} // namespace varnel
