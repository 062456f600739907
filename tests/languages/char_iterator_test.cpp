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


// Proxies that answer nothing: one with only the first operations, one with all of them,
// and one whose proxy part does not begin its object.
#define VARNEL_PROXY_V1_STUBS                                                              \
    int KeywordStep(int, int) override { return 0; }                                       \
    int KeywordSets(int) override { return 0; }                                            \
    char CharAt(int) override { return 0; }                                                \
    int TextLength() override { return 0; }                                                \
    int InsertText(int, const char*, int) override { return 0; }                           \
    void DeleteText(int, int) override {}                                                  \
    void SetStyle(int, int) override {}                                                    \
    void AddFunction(const char*, const char*, int, bool) override {}                      \
    void AddInclude(const char*, const char*, bool) override {}                            \
    void AddSeparator() override {}                                                        \
    bool ShowIncludes() override { return false; }                                         \
    bool ShowPrototypes() override { return false; }                                       \
    bool ShowTypes() override { return false; }                                            \
    void DecodeUtf8(const char*, int*, int*) override {}                                   \
    void CodePointAt(int, int*, int*) override {}                                          \
    bool IsLetter(int) override { return false; }                                          \
    bool IsLetterOrDigit(int) override { return false; }                                   \
    bool IsSpace(int) override { return false; }

struct OldProxy : VLanguageProxy {
    VARNEL_PROXY_V1_STUBS
};

struct NewProxy : VLanguageProxyV2 {
    VARNEL_PROXY_V1_STUBS
    bool FindPattern(const char*, int*, int*) override { return false; }
    int NextChar(int*) override { return 0; }
    int PrevChar(int*) override { return 0; }
    int CompareText(int, const char*, bool) override { return 0; }
    int CopyText(int, int, char*, int) override { return 0; }
};

struct Before {
    virtual ~Before() {}
    long long value = 0;
};

struct ShiftedProxy : Before, NewProxy {};

TEST(AsProxyV2Test, FindsTheSecondVersionOnlyWhereTheObjectHasIt)
{
    std::string text = "x";
    KeywordMatcher matcher;
    HostProxy host(text, matcher, 0, ProxyPurpose::Editing);
    HostProxy otherHost(text, matcher, 0, ProxyPurpose::Editing);
    OldProxy old;
    NewProxy fresh;
    ShiftedProxy shifted;
    struct Case {
        VLanguageProxy* proxy;
        VLanguageProxyV2* expected;
    };
    // Each proxy after each other one, and each twice in a row: the answer never depends
    // on the proxy asked about before.
    const std::vector<Case> cases = {
        {&host, &host},         {&host, &host},           {&old, nullptr},   {&old, nullptr},
        {&fresh, &fresh},       {&otherHost, &otherHost}, {&shifted, &shifted}, {&shifted, &shifted},
        {&host, &host},         {&old, nullptr},          {&shifted, &shifted}, {&fresh, &fresh},
        {&fresh, &fresh},       {&old, nullptr},          {&host, &host},    {&shifted, &shifted},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(AsProxyV2(*cases[i].proxy), cases[i].expected) << "case " << i;
        if (cases[i].expected != nullptr) {
            EXPECT_EQ(AsProxyV2(*cases[i].proxy)->TextLength(), cases[i].expected->TextLength()) << "case " << i;
        }
    }
}
#undef VARNEL_PROXY_V1_STUBS

} // namespace
} // namespace varnel
