#include "keyword_matcher.h"

#include <gtest/gtest.h>

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

TEST(KeywordMatcher, StepsOverCodePoints)
{
    const KeywordMatcher m("caf\xC3\xA9\n");
    int state = 1;
    for (int ch : {int{'c'}, int{'a'}, int{'f'}, 0xE9})
        state = m.Step(ch, state);
    EXPECT_EQ(m.Sets(state), 1);
}

} // namespace
} // namespace varnel
