#include "host_proxy.h"
#include "utf8.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <utility>

namespace varnel {
namespace {

class ProxyTest : public ::testing::Test {
protected:
    HostProxy& Make(std::string content, ProxyPurpose purpose = ProxyPurpose::Styling, int styles = 5)
    {
        text = std::move(content);
        proxy = std::make_unique<HostProxy>(text, matcher, styles, purpose, ListPreferences{true, false, true});
        return *proxy;
    }

    KeywordMatcher matcher{"class\n-\nclassic\n"};
    std::string text;
    std::unique_ptr<HostProxy> proxy;
};

TEST_F(ProxyTest, ReadsBytesAndKeywords)
{
    HostProxy& p = Make("ab\xC3\xA9");
    EXPECT_EQ(p.TextLength(), 4);
    EXPECT_EQ(p.CharAt(1), 'b');
    EXPECT_EQ(p.CharAt(2), '\xC3');
    EXPECT_EQ(p.CharAt(4), 0);
    EXPECT_EQ(p.CharAt(-1), 0);
    int state = 1;
    for (char c : std::string("class"))
        state = p.KeywordStep(c, state);
    EXPECT_EQ(p.KeywordStep('x', state), 0);
    EXPECT_EQ(p.KeywordSets(state), 1);
    EXPECT_EQ(p.KeywordSets(p.KeywordStep('c', p.KeywordStep('i', state))), 2);
    EXPECT_TRUE(p.ShowIncludes());
    EXPECT_FALSE(p.ShowPrototypes());
    EXPECT_TRUE(p.ShowTypes());
}

TEST_F(ProxyTest, InsertsAndDeletesRobustly)
{
    HostProxy& p = Make("hello");
    EXPECT_EQ(p.InsertText(5, "!!", 1), 1);
    EXPECT_EQ(p.InsertText(0, ">\0<", 3), 3); // embedded NUL bytes are text too
    EXPECT_EQ(text, std::string(">\0<hello!", 9));
    EXPECT_EQ(p.InsertText(10, "x", 1), 0);
    EXPECT_EQ(p.InsertText(-1, "x", 1), 0);
    EXPECT_EQ(p.InsertText(0, nullptr, 1), 0);
    EXPECT_EQ(p.InsertText(0, "x", -1), 0);
    p.DeleteText(0, 3);
    p.DeleteText(4, 100); // clamped to the end
    p.DeleteText(-1, 1);
    p.DeleteText(1, -1);
    p.DeleteText(50, 1);
    EXPECT_EQ(text, "hell");
    EXPECT_EQ(p.Errors().size(), 7u);
}

TEST_F(ProxyTest, SetStyleReplacesContinuesAndMaps)
{
    HostProxy& p = Make("0123456789");
    p.SetStyle(0, 1);
    p.SetStyle(0, 2); // same offset: replaces
    p.SetStyle(4, 2); // same style: the run continues
    p.SetStyle(5, -3);
    p.SetStyle(6, 9);  // unknown, compared as passed: starts a new run of style 0
    p.SetStyle(7, 0);  // same as the stored run
    p.SetStyle(8, 5);
    EXPECT_EQ(p.Runs(), (std::vector<StyleRun>{{0, 2}, {5, 0}, {6, 0}, {8, 5}}));
}

TEST_F(ProxyTest, SetStyleKeepsAtMost99Runs)
{
    HostProxy& p = Make(std::string(200, 'x'));
    for (int i = 0; i < 99; ++i)
        p.SetStyle(i, i % 2 + 1);
    p.SetStyle(98, 3); // the full list is not changed, not even by a replacement
    p.SetStyle(99, 3);
    ASSERT_EQ(p.Runs().size(), 99u);
    EXPECT_EQ(p.Runs().back(), (StyleRun{98, 1}));
}

TEST_F(ProxyTest, FunctionListOnlyOnAScanProxy)
{
    HostProxy& styling = Make("x");
    styling.AddFunction("f", "f", 0, false);
    styling.AddSeparator();
    EXPECT_TRUE(styling.Functions().empty());
    EXPECT_EQ(styling.Errors().size(), 2u);

    HostProxy& scan = Make("x", ProxyPurpose::FunctionScan);
    char label[8] = "A: top";
    scan.AddFunction(label, label + 3, 7, true);
    std::strcpy(label, "gone");
    scan.AddSeparator();
    scan.AddFunction(nullptr, nullptr, 1, false);
    ASSERT_EQ(scan.Functions().size(), 3u);
    EXPECT_EQ(scan.Functions()[0].label, "A: top");
    EXPECT_EQ(scan.Functions()[0].name, "top");
    EXPECT_EQ(scan.Functions()[0].offset, 7);
    EXPECT_TRUE(scan.Functions()[0].prototype);
    EXPECT_TRUE(scan.Functions()[1].separator);
    EXPECT_EQ(scan.Functions()[2].label, "");
    EXPECT_TRUE(scan.Errors().empty());
}

TEST_F(ProxyTest, AddIncludeDropsExactDuplicates)
{
    HostProxy& p = Make("x", ProxyPurpose::FunctionScan);
    p.AddInclude("os", "os.py", false);
    p.AddInclude("os", "os.py", true);
    p.AddInclude("os.py", "os.py", false);
    p.AddInclude("os", "os.Mod", false);
    p.AddInclude("oso", "s.py", false); // the same bytes run together, yet another entry
    ASSERT_EQ(p.Includes().size(), 4u);
    EXPECT_FALSE(p.Includes()[0].flag);
    EXPECT_EQ(p.Includes()[2].name, "os.Mod");

    // Handed over, the list starts empty: an entry is new to it again.
    EXPECT_EQ(p.TakeIncludes().size(), 4u);
    p.AddInclude("os", "os.py", false);
    EXPECT_EQ(p.Includes().size(), 1u);
}

// (character, length) from CodePointAt or DecodeUtf8; (character, new offset) from
// NextChar or PrevChar.
using Pair = std::pair<int, int>;

Pair At(HostProxy& p, int offset)
{
    Pair r{-1, -1};
    p.CodePointAt(offset, &r.first, &r.second);
    return r;
}

Pair Decode(HostProxy& p, const char* bytes)
{
    Pair r{-1, -1};
    p.DecodeUtf8(bytes, &r.first, &r.second);
    return r;
}

Pair Next(HostProxy& p, int offset)
{
    const int ch = p.NextChar(&offset);
    return {ch, offset};
}

Pair Prev(HostProxy& p, int offset)
{
    const int ch = p.PrevChar(&offset);
    return {ch, offset};
}

TEST_F(ProxyTest, DecodesCharacters)
{
    HostProxy& p = Make("a\xE2\x82\xAC\xFF");
    EXPECT_EQ(At(p, 1), Pair(0x20AC, 3));
    EXPECT_EQ(At(p, 4), Pair(0xFF, 1));
    for (int outside : {5, -1, INT_MAX, INT_MIN})
        EXPECT_EQ(At(p, outside), Pair(0, 0)) << outside;
    p.CodePointAt(1, nullptr, nullptr);

    EXPECT_EQ(Decode(p, "\xC3\xA9"), Pair(0xE9, 2));
    EXPECT_EQ(Decode(p, "\xE2\x82"), Pair(0xE2, 1)); // cut short by the terminating NUL
    EXPECT_EQ(Decode(p, nullptr), Pair(0, 0));
    p.DecodeUtf8("a", nullptr, nullptr);
}

TEST_F(ProxyTest, CharacterClasses)
{
    HostProxy& p = Make("");
    for (int ch : {9, 10, 11, 12, 13, 32, 0x85, 0xA0, 0x2000, 0x200A, 0x2028, 0x3000}) {
        EXPECT_TRUE(p.IsSpace(ch)) << ch;
        EXPECT_FALSE(p.IsLetter(ch)) << ch;
    }
    for (int ch : {0x61, 0x5A, 0xE9, 0x4E2D})
        EXPECT_TRUE(p.IsLetter(ch)) << ch;
    for (int ch : {0x5F, 0x30, 0x40, 0, -5, 0x110000})
        EXPECT_FALSE(p.IsLetter(ch)) << ch;
    EXPECT_TRUE(p.IsLetterOrDigit('7'));
    EXPECT_FALSE(p.IsLetterOrDigit('-'));
    EXPECT_FALSE(p.IsSpace('x'));
    EXPECT_FALSE(p.IsSpace(0x200B));
}

TEST_F(ProxyTest, NextCharWalksWholeCharacters)
{
    HostProxy& p = Make("a\xC3\xA9z");
    EXPECT_EQ(Next(p, 0), Pair(0xE9, 1));
    EXPECT_EQ(Next(p, 1), Pair('z', 3));
    EXPECT_EQ(Next(p, 3), Pair(0, 4)); // from the last character to the end
    EXPECT_EQ(Next(p, 4), Pair(0, 5));
    EXPECT_EQ(Next(p, -3), Pair(0, -2));
    EXPECT_EQ(Next(p, INT_MAX), Pair(0, INT_MAX));
    EXPECT_EQ(p.NextChar(nullptr), 0);
}

TEST_F(ProxyTest, PrevCharWalksBackFromBeyondTheEnd)
{
    HostProxy& p = Make("a\xC3\xA9z");
    EXPECT_EQ(Prev(p, 6), Pair(0, 5));
    EXPECT_EQ(Prev(p, 5), Pair(0, 4));
    EXPECT_EQ(Prev(p, 4), Pair('z', 3));
    EXPECT_EQ(Prev(p, 3), Pair(0xE9, 1));
    EXPECT_EQ(Prev(p, 1), Pair('a', 0));
    EXPECT_EQ(Prev(p, 0), Pair(0, -1));
    EXPECT_EQ(Prev(p, INT_MIN), Pair(0, INT_MIN));
    EXPECT_EQ(Prev(p, INT_MAX), Pair(0, INT_MAX - 1));
    EXPECT_EQ(p.PrevChar(nullptr), 0);
}

// The host answers ASCII characters without decoding them; every step must still land
// where the decoder says, next to characters of several bytes and broken sequences.
TEST_F(ProxyTest, StepsOverEveryCharacterAsTheDecoderReadsIt)
{
    const char* const texts[] = {
        "ab",
        "a\xC3\xA9z",                 // two bytes between ASCII
        "\xC3\xA9" "a\xE2\x82\xAC",    // ASCII between two and three bytes
        "a\xF0\x9F\x98\x80" "b",       // four bytes
        "a\x80" "b\xBF",               // lone continuation bytes
        "\xE2\x82" "a\xE2",            // a sequence cut short by ASCII, one by the end
        "\xC0\xAF" "a\xED\xA0\x80",    // overlong and surrogate: single bytes
        "\x7F\x80\n\t",
    };
    for (const char* bytes : texts) {
        SCOPED_TRACE(testing::PrintToString(std::string(bytes)));
        HostProxy& p = Make(bytes);
        const int size = static_cast<int>(text.size());
        auto decoded = [&](int offset) {
            return offset >= 0 && offset < size
                       ? DecodeUtf8(text.data() + offset, static_cast<std::size_t>(size - offset))
                       : Utf8Char{0, 0};
        };
        for (int offset = -1; offset <= size + 1; ++offset) {
            const Utf8Char here = decoded(offset);
            EXPECT_EQ(At(p, offset), Pair(here.codePoint, here.length)) << "CodePointAt " << offset;
            // Outside the text NextChar steps one byte and answers 0.
            const int next = here.length > 0 ? offset + here.length : offset + 1;
            const int after = here.length > 0 ? decoded(next).codePoint : 0;
            EXPECT_EQ(Next(p, offset), Pair(after, next)) << "NextChar " << offset;
            if (offset > 0 && offset <= size) {
                const int previous = PreviousCharStart(text.data(), offset);
                EXPECT_EQ(Prev(p, offset), Pair(decoded(previous).codePoint, previous)) << "PrevChar " << offset;
            }
        }
    }
}

// A view is read where it lies; the first edit copies it, and the original stays.
TEST_F(ProxyTest, ReadsAViewWhereItLiesAndEditsACopy)
{
    const std::string original = "hello\n";
    HostProxy p(std::string_view(original), matcher, 5, ProxyPurpose::Styling);
    EXPECT_EQ(p.Text().data(), original.data());
    EXPECT_EQ(p.CharAt(4), 'o');
    EXPECT_EQ(p.InsertText(0, ">", 1), 1);
    p.DeleteText(6, 1);
    EXPECT_EQ(p.Text(), ">hello");
    EXPECT_EQ(p.CharAt(0), '>');
    EXPECT_EQ(p.TextLength(), 6);
    EXPECT_EQ(original, "hello\n");

    // The next line: no runs, no refused calls, and its own text, again not copied.
    p.SetStyle(0, 2);
    p.AddFunction("f", "f", 0, false);
    ASSERT_EQ(p.Errors().size(), 1u);
    const std::string next = "xy";
    p.Present(next);
    EXPECT_EQ(p.Text().data(), next.data());
    EXPECT_TRUE(p.Runs().empty());
    EXPECT_TRUE(p.Errors().empty());
    p.DeleteText(0, 1);
    EXPECT_EQ(p.Text(), "y");
    EXPECT_EQ(next, "xy");
    // Each line may have its own 99 runs.
    p.Present(next);
    for (int i = 0; i < 120; ++i)
        p.SetStyle(i, i % 2 + 1);
    EXPECT_EQ(p.Runs().size(), 99u);
}

TEST_F(ProxyTest, CompareText)
{
    HostProxy& p = Make("Class x");
    EXPECT_EQ(p.CompareText(0, "Class", true), 0);
    EXPECT_NE(p.CompareText(0, "class", true), 0);
    EXPECT_EQ(p.CompareText(0, "cLASS", false), 0);
    EXPECT_EQ(p.CompareText(6, "x", true), 0);
    EXPECT_EQ(p.CompareText(3, "", true), 0);
    EXPECT_NE(p.CompareText(6, "xy", true), 0); // text ends part-way
    EXPECT_NE(p.CompareText(7, "", true), 0);
    EXPECT_NE(p.CompareText(-1, "C", true), 0);
    EXPECT_NE(p.CompareText(0, nullptr, true), 0);
    HostProxy& utf = Make("\xC3\x89");
    EXPECT_NE(utf.CompareText(0, "\xC3\xA9", false), 0); // only ASCII letters fold
}

TEST_F(ProxyTest, CopyText)
{
    HostProxy& p = Make("abcdef");
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(p.CopyText(1, 10, buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 4), "bcd#");
    EXPECT_EQ(p.CopyText(4, 2, buffer, 6), 2);
    EXPECT_EQ(std::string(buffer, 3), "efd");
    EXPECT_EQ(p.CopyText(4, 8, buffer, 8), 2);
    EXPECT_EQ(p.CopyText(6, 1, buffer, 8), 0);
    EXPECT_EQ(p.CopyText(-1, 1, buffer, 8), 0);
    EXPECT_EQ(p.CopyText(0, -1, buffer, 8), 0);
    EXPECT_EQ(p.CopyText(0, 1, buffer, -1), 0);
    EXPECT_EQ(p.CopyText(0, 1, nullptr, 8), 0);
}

TEST_F(ProxyTest, FindPatternLiteral)
{
    HostProxy& p = Make("x <!-- a --> -- -*- b -*-");
    int offset = 0, length = 0;
    ASSERT_TRUE(p.FindPattern("<!--", &offset, &length));
    EXPECT_EQ(offset, 2);
    EXPECT_EQ(length, 4);
    ASSERT_TRUE(p.FindPattern("-->", &offset, &length));
    EXPECT_EQ(offset, 9);
    ASSERT_TRUE(p.FindPattern("-\\*-", &offset, &length));
    EXPECT_EQ(offset, 16);
    EXPECT_EQ(length, 3);
    offset = 17;
    ASSERT_TRUE(p.FindPattern("-\\*-", &offset, &length));
    EXPECT_EQ(offset, 22);
    offset = 23;
    EXPECT_FALSE(p.FindPattern("-\\*-", &offset, &length));
    offset = 26;
    EXPECT_FALSE(p.FindPattern("x", &offset, &length));
    offset = -1;
    EXPECT_FALSE(p.FindPattern("x", &offset, &length));
    EXPECT_FALSE(p.FindPattern(nullptr, &offset, &length));
    EXPECT_FALSE(p.FindPattern("x", nullptr, &length));
}

TEST_F(ProxyTest, FindPatternRegularExpression)
{
    HostProxy& p = Make("ab 12 foo xfoo 345");
    int offset = 0, length = 0;
    ASSERT_TRUE(p.FindPattern("[0-9]+", &offset, &length));
    EXPECT_EQ(offset, 3);
    EXPECT_EQ(length, 2);
    offset = 4;
    ASSERT_TRUE(p.FindPattern("\\d+", &offset, &length));
    EXPECT_EQ(offset, 4);
    EXPECT_EQ(length, 1);
    offset = 11; // inside "xfoo": the text before the offset still counts for \b and ^
    EXPECT_FALSE(p.FindPattern("\\bfoo|^ab", &offset, &length));
    offset = 1;
    ASSERT_TRUE(p.FindPattern("z*", &offset, &length)); // an empty match
    EXPECT_EQ(offset, 1);
    EXPECT_EQ(length, 0);
    EXPECT_TRUE(p.Errors().empty());
    offset = 0;
    EXPECT_FALSE(p.FindPattern("(a", &offset, &length));
    EXPECT_FALSE(p.FindPattern("a\\", &offset, &length));
    EXPECT_EQ(p.Errors().size(), 2u);
}

} // namespace
} // namespace varnel
