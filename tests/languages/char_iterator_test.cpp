// The iterator every plug-in walks text with, over the host's real proxy.
#include "char_iterator.h"
#include "host_proxy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel {
namespace {

class CharIteratorTest : public ::testing::Test {
protected:
    HostProxy& Proxy(const std::string& text)
    {
        text_ = text;
        proxy_ = std::make_unique<HostProxy>(text_, matcher_, 0, ProxyPurpose::Editing);
        return *proxy_;
    }

    std::string text_;
    KeywordMatcher matcher_;
    std::unique_ptr<HostProxy> proxy_;
};

struct Step {
    int offset;
    int ch;
};

TEST_F(CharIteratorTest, WalksWholeCharactersForwardAndBack)
{
    // "a", "é" (2 bytes), "€" (3 bytes), "𝄞" (4 bytes), "z"
    HostProxy& proxy = Proxy("a\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9Ez");
    CharIterator it(proxy);
    EXPECT_TRUE(it.caseSensitive);
    const std::vector<Step> forward = {{0, 'a'}, {1, 0xE9}, {3, 0x20AC}, {6, 0x1D11E}, {10, 'z'}, {11, 0}, {12, 0}, {13, 0}};
    for (const Step& step : forward) {
        EXPECT_EQ(it.offset, step.offset);
        EXPECT_EQ(it.ch, step.ch) << "at " << step.offset;
        it.Advance();
    }
    // Back from beyond the end: one byte a step until the text is reached again.
    const std::vector<Step> back = {{13, 0}, {12, 0}, {11, 0}, {10, 'z'}, {6, 0x1D11E}, {3, 0x20AC}, {1, 0xE9}, {0, 'a'}, {-1, 0}, {-2, 0}};
    it.offset = 14;
    for (const Step& step : back) {
        it.Back();
        EXPECT_EQ(it.offset, step.offset);
        EXPECT_EQ(it.ch, step.ch) << "at " << step.offset;
    }
}

TEST_F(CharIteratorTest, StartsAnywhereAndAdvancesManyTimes)
{
    HostProxy& proxy = Proxy("x\xC3\xA9y");
    EXPECT_EQ(CharIterator(proxy, 1).ch, 0xE9);
    EXPECT_EQ(CharIterator(proxy, 4).ch, 0);  // the end
    EXPECT_EQ(CharIterator(proxy, -3).ch, 0); // before the start
    CharIterator it(proxy);
    EXPECT_EQ(it.Advance(2), 'y');
    EXPECT_EQ(it.offset, 3);
    EXPECT_EQ(it.Advance(0), 'y');
    // A byte that starts no valid sequence is one character of its own.
    HostProxy& broken = Proxy("\xC3(\xFF");
    CharIterator bad(broken);
    EXPECT_EQ(bad.ch, 0xC3);
    EXPECT_EQ(bad.Advance(), '(');
    EXPECT_EQ(bad.Advance(), 0xFF);
    EXPECT_EQ(bad.Advance(), 0);
    EXPECT_EQ(bad.offset, 3);
}

TEST_F(CharIteratorTest, ComparesWithItsCaseFlag)
{
    HostProxy& proxy = Proxy("\\Begin{x}");
    CharIterator it(proxy);
    EXPECT_TRUE(it.StartsWith("\\Begin"));
    EXPECT_FALSE(it.StartsWith("\\begin"));
    it.caseSensitive = false;
    EXPECT_TRUE(it.StartsWith("\\bEGIN"));
    EXPECT_FALSE(it.StartsWith("\\begin{x}!")); // runs past the end
    it.Advance(6);
    EXPECT_TRUE(it.StartsWith("{x}"));
    it.Advance(3);
    EXPECT_FALSE(it.StartsWith("")); // nothing is left at the end
    it.offset = -1;
    EXPECT_FALSE(it.StartsWith("\\"));
}

} // namespace
} // namespace varnel
