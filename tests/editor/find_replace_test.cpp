// Find and replace-all over a text: plain and regular-expression needles, case, whole
// words, both directions, wrapping, empty matches and matches across line ends.
#include "find_replace.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace varnel::editor {
namespace {

// Options spelled as letters: r regex, i ignore case, w whole word, b backwards, n no wrap.
FindOptions OptionsOf(const std::string& flags)
{
    FindOptions options;
    options.regex = flags.find('r') != std::string::npos;
    options.matchCase = flags.find('i') == std::string::npos;
    options.wholeWord = flags.find('w') != std::string::npos;
    options.backwards = flags.find('b') != std::string::npos;
    options.wrap = flags.find('n') == std::string::npos;
    return options;
}

Finder MakeFinder(const std::string& needle, const std::string& flags)
{
    std::string error;
    std::optional<Finder> finder = Finder::Make(needle, OptionsOf(flags), &error);
    EXPECT_TRUE(finder.has_value()) << needle << ": " << error;
    return finder ? *finder : *Finder::Make("", FindOptions{}, nullptr);
}

struct Found {
    bool found;
    std::size_t start;
    std::size_t length;
    bool wrapped;
    bool operator==(const Found& other) const
    {
        return found == other.found &&
               (!found || (start == other.start && length == other.length && wrapped == other.wrapped));
    }
};

std::ostream& operator<<(std::ostream& out, const Found& f)
{
    if (!f.found)
        return out << "no match";
    return out << "match at " << f.start << " length " << f.length << (f.wrapped ? " (wrapped)" : "");
}

constexpr Found kNone{false, 0, 0, false};

Found At(std::size_t start, std::size_t length) { return {true, start, length, false}; }
Found Wrapped(std::size_t start, std::size_t length) { return {true, start, length, true}; }

Found FindOnce(const Finder& finder, std::string_view text, std::size_t from)
{
    Match match;
    if (!finder.Find(text, from, &match))
        return kNone;
    return {true, match.start, match.length, match.wrapped};
}

TEST(FindReplace, FindsOneMatch)
{
    struct Case {
        const char* needle;
        const char* flags;
        const char* text;
        std::size_t from;
        Found found;
    } cases[] = {
        // Plain text, forwards, wrapping or not.
        {"abc", "", "xabcx abc", 0, At(1, 3)},
        {"abc", "", "xabcx abc", 2, At(6, 3)},
        {"abc", "n", "xabcx abc", 7, kNone},
        {"abc", "", "xabcx abc", 7, Wrapped(1, 3)},
        // Case: ASCII letters only.
        {"ABC", "i", "xabcx", 0, At(1, 3)},
        {"abc", "n", "xABCx", 0, kNone},
        {"\xc3\xa9", "i", "\xc3\x89 \xc3\xa9", 0, At(3, 2)},
        {"[", "i", "{[", 0, At(1, 1)},
        {"@", "i", "`@", 0, At(1, 1)},
        {"Q", "i", "abqQ", 0, At(2, 1)},
        // Whole words: at the text's ends, beside "_", digits and multi-byte characters.
        {"foo", "w", "foo", 0, At(0, 3)},
        {"foo", "w", "foobar foo", 0, At(7, 3)},
        {"foo", "w", "foo_ xfoo foo1 foo", 0, At(15, 3)},
        {"foo", "w", "\xc3\xa9" "foo foo\xc3\xa9 foo", 0, At(12, 3)},
        {"foo", "w", "(foo)", 0, At(1, 3)},
        {"Foo", "wi", "FOOD fOo", 0, At(5, 3)},
        {"foo", "wb", "foo foox", 8, At(0, 3)},
        // A needle longer than the text; offsets beyond the text.
        {"abcdef", "", "abc", 0, kNone},
        {"abcdef", "b", "abc", 3, kNone},
        {"ab", "", "ab ab", 99, Wrapped(0, 2)},
        {"ab", "n", "ab ab", 99, kNone},
        {"ab", "b", "ab ab", 99, At(3, 2)},
        // Backwards: the match must end at or before the offset.
        {"ab", "b", "ab ab ab", 8, At(6, 2)},
        {"ab", "b", "ab ab ab", 7, At(3, 2)},
        {"ab", "b", "ab ab ab", 2, At(0, 2)},
        {"ab", "b", "ab ab ab", 1, Wrapped(6, 2)},
        {"ab", "bn", "ab ab ab", 1, kNone},
        {"aa", "", "aaaa", 1, At(1, 2)},
        {"aa", "b", "aaaa", 4, At(2, 2)},
        {"aa", "b", "aaaa", 3, At(0, 2)},
        // Across line ends.
        {"a\nb", "", "xa\nby", 0, At(1, 3)},
        {"A\nB", "i", "xa\nby", 0, At(1, 3)},
        {"a\\nb", "r", "xa\nby", 0, At(1, 3)},
        {"b$\\n^c", "r", "ab\ncd", 0, At(1, 3)},
        {"^c", "r", "ab\ncd", 0, At(3, 1)},
        // An empty needle finds nothing.
        {"", "", "abc", 0, kNone},
        {"", "r", "abc", 0, kNone},
        {"", "b", "abc", 3, kNone},
        // Regular expressions: backwards meets the matches forwards meets.
        {"\\d+", "r", "ab 12 345", 0, At(3, 2)},
        {"\\d+", "rb", "ab 12 345", 9, At(6, 3)},
        {"\\d+", "rb", "ab 12 345", 8, At(3, 2)},
        {"\\d+", "rb", "ab 12 345", 6, At(3, 2)},
        {"X+", "ri", "axxb", 0, At(1, 2)},
        {"foo|foobar", "rw", "foobar", 0, At(0, 6)},
        // Empty matches: never the one at the offset itself, unless by wrapping.
        {"x*", "r", "axxb", 0, At(1, 2)},
        {"x*", "r", "axxb", 3, At(4, 0)},
        {"x*", "r", "axxb", 4, Wrapped(0, 0)},
        {"x*", "rn", "axxb", 4, kNone},
        {"$", "r", "ab\ncd", 0, At(2, 0)},
        {"$", "r", "ab\ncd", 2, At(5, 0)},
        {"x*", "rb", "axxb", 4, At(3, 0)},
        {"x*", "rb", "axxb", 3, At(1, 2)},
        {"x*", "rb", "axxb", 1, At(0, 0)},
        {"x*", "rb", "axxb", 0, Wrapped(4, 0)},
        {"^", "rb", "ab\ncd", 3, At(0, 0)},
        // After an empty match, a whole character further.
        {"x*", "r", "\xc3\xa9", 0, At(2, 0)},
        {"x*", "r", "\xff\xc3", 0, At(1, 0)},
    };
    for (const Case& c : cases) {
        const Finder finder = MakeFinder(c.needle, c.flags);
        EXPECT_EQ(FindOnce(finder, c.text, c.from), c.found)
            << "\"" << c.needle << "\" [" << c.flags << "] in \"" << c.text << "\" from " << c.from;
    }
}

// Each Find goes on from the end of the match before (forwards) or its start
// (backwards), as the editor's Find Next and Find Previous do, until a search wraps.
std::string Walk(const Finder& finder, std::string_view text, std::size_t from)
{
    std::string steps;
    for (int i = 0; i < 20; ++i) {
        Match match;
        if (!finder.Find(text, from, &match))
            return steps + "none";
        steps += (match.wrapped ? "w" : "") + std::to_string(match.start) + "+" + std::to_string(match.length);
        if (match.wrapped)
            return steps;
        steps += " ";
        from = finder.options().backwards ? match.start : match.start + match.length;
    }
    return steps + "...";
}

TEST(FindReplace, RepeatedFindMeetsEachMatchOnce)
{
    struct Case {
        const char* needle;
        const char* flags;
        const char* text;
        const char* forwards;  // from the start
        const char* backwards; // from the end
    } cases[] = {
        {"ab", "", "ab ab ab", "0+2 3+2 6+2 w0+2", "6+2 3+2 0+2 w6+2"},
        {"aa", "", "aaaaa", "0+2 2+2 w0+2", "2+2 0+2 w2+2"},
        {"x*", "r", "axxb", "1+2 4+0 w0+0", "3+0 1+2 0+0 w4+0"},
        {"\\w+", "r", "ab c\ndef", "0+2 3+1 5+3 w0+2", "5+3 3+1 0+2 w5+3"},
        {"^", "r", "a\nb\n", "2+0 4+0 w0+0", "2+0 0+0 w4+0"},
        {"\\b", "r", "ab c", "2+0 3+0 4+0 w0+0", "3+0 2+0 0+0 w4+0"},
        {"only", "", "the only one", "4+4 w4+4", "4+4 w4+4"},
        {"none", "", "the only one", "none", "none"},
    };
    for (const Case& c : cases) {
        const std::string text = c.text;
        EXPECT_EQ(Walk(MakeFinder(c.needle, c.flags), text, 0), c.forwards) << c.needle << " in " << c.text;
        EXPECT_EQ(Walk(MakeFinder(c.needle, std::string(c.flags) + "b"), text, text.size()), c.backwards)
            << c.needle << " in " << c.text << " backwards";
    }
}

// Texts longer than the first windows of a backwards search: the match is found
// wherever it lies, next to a window's edge or far from the starting point.
TEST(FindReplace, BackwardsSearchFindsMatchesAcrossItsWindows)
{
    std::string filler;
    while (filler.size() < 100000)
        filler += "    int value = 0; // a line of code\n";
    const std::size_t size = filler.size();
    const std::size_t positions[] = {0, 1, 37, size / 2, size - 20000, size - 8200, size - 8192 - 3, size - 4096 - 6,
                                     size - 4096 - 3, size - 4096, size - 4090, size - 10};
    for (std::size_t at : positions) {
        std::string text = filler;
        text.replace(at, 6, "target");
        for (const char* flags : {"b", "bi", "br", "bri"}) {
            const Finder finder = MakeFinder(std::string(flags).find('i') != std::string::npos ? "TARGET" : "target", flags);
            EXPECT_EQ(FindOnce(finder, text, text.size()), At(at, 6)) << "at " << at << " [" << flags << "]";
            EXPECT_EQ(FindOnce(finder, text, at + 5), Wrapped(at, 6)) << "at " << at << " [" << flags << "]";
        }
    }
}

// A match that a window's low edge would cut in two is found whole: the walk through
// the window starts at the start of its line.
TEST(FindReplace, BackwardsSearchWalksFromALineStart)
{
    const std::string text = "ab\n" + std::string(6000, '7') + " tail";
    EXPECT_EQ(FindOnce(MakeFinder("\\d+", "rb"), text, text.size()), At(3, 6000));
    EXPECT_EQ(FindOnce(MakeFinder("77", "b"), text, text.size()), At(6001, 2));
}

// A case-blind search looks for both cases of a byte; the nearer wins, however far the
// other lies.
TEST(FindReplace, CaseBlindSearchTakesTheNearerCase)
{
    struct Case {
        std::size_t lower;
        std::size_t upper;
        std::size_t expected;
    } cases[] = {
        {150000, 180000, 150000},
        {180000, 150000, 150000},
        {70000, 65536, 65536},
        {65535, 65540, 65535},
        {5, 199999, 5},
    };
    for (const Case& c : cases) {
        std::string text(200000, 'a');
        text[c.lower] = 'q';
        text[c.upper] = 'Q';
        EXPECT_EQ(FindOnce(MakeFinder("q", "i"), text, 0), At(c.expected, 1)) << c.lower << " " << c.upper;
        EXPECT_EQ(FindOnce(MakeFinder("aQa", "i"), text, 0), At(c.expected - 1, 3)) << c.lower << " " << c.upper;
    }
}

TEST(FindReplace, ReplacesAll)
{
    struct Case {
        const char* needle;
        const char* flags;
        const char* text;
        const char* replacement;
        const char* result;
        std::size_t count;
    } cases[] = {
        // A needle found in its own replacement is replaced once per original match.
        {"a", "", "aXa", "aa", "aaXaa", 2},
        {"ab", "", "abab", "ab-ab", "ab-abab-ab", 2},
        {"x", "r", "xx", "xx", "xxxx", 2},
        {"aa", "", "aaaaa", "b", "bba", 2},
        // Empty matches: wherever no other match took the place, a character at a time.
        {"x*", "r", "axxb", "-", "-a--b-", 4},
        {"x*", "r", "\xc3\xa9", "-", "-\xc3\xa9-", 2},
        {"x*", "r", "a\xff" "b", "-", "-a-\xff-b-", 4},
        {"^", "r", "ab\ncd", "> ", "> ab\n> cd", 2},
        {"$", "r", "ab\ncd", ";", "ab;\ncd;", 2},
        {"", "r", "abc", "-", "abc", 0},
        // "$&" is the match and "$$" a dollar in an expression's replacement; plain
        // replacements are literal.
        {"\\d+", "r", "a1b22", "<$&>", "a<1>b<22>", 2},
        {"\\d", "r", "a1", "$$$&$1$", "a$1$1$", 1},
        {"a+", "r", "caab", "$&a", "caaab", 1},
        {"a", "", "a", "$&", "$&", 1},
        // Whole words and case.
        {"foo", "w", "foo food foo_ (foo)", "X", "X food foo_ (X)", 2},
        {"FOO", "i", "Foo fOO", "x", "x x", 2},
        {"foo", "", "FOO", "x", "FOO", 0},
        // Across line ends.
        {"b\\nc", "r", "ab\ncd", "-", "a-d", 1},
        {"a\nb", "", "a\nba\nb", "", "", 2},
    };
    for (const Case& c : cases) {
        const Finder finder = MakeFinder(c.needle, c.flags);
        const std::vector<Replacement> plan = PlanReplaceAll(c.text, finder, c.replacement);
        EXPECT_EQ(plan.size(), c.count) << c.needle << " in " << c.text;
        EXPECT_EQ(ApplyReplacements(c.text, plan), c.result) << c.needle << " in " << c.text;
    }
}

TEST(FindReplace, PlansSpansOfTheOriginalText)
{
    const std::string text = "axxb";
    const std::vector<Replacement> plan = PlanReplaceAll(text, MakeFinder("x*", "r"), "[$&]");
    const std::vector<Replacement> expected = {{0, 0, "[]"}, {1, 2, "[xx]"}, {3, 0, "[]"}, {4, 0, "[]"}};
    ASSERT_EQ(plan.size(), expected.size());
    for (std::size_t i = 0; i < plan.size(); ++i) {
        EXPECT_EQ(plan[i].start, expected[i].start) << i;
        EXPECT_EQ(plan[i].length, expected[i].length) << i;
        EXPECT_EQ(plan[i].text, expected[i].text) << i;
    }
}

TEST(FindReplace, RefusesMalformedExpressions)
{
    for (const char* needle : {"(a", "[a", "a**", "(?=a)", "\\1", "a{3,1}", "a\\"}) {
        std::string error;
        EXPECT_FALSE(Finder::Make(needle, OptionsOf("r"), &error).has_value()) << needle;
        EXPECT_FALSE(error.empty()) << needle;
        // As plain text it is what it says.
        const std::string text = std::string("x ") + needle;
        EXPECT_EQ(FindOnce(MakeFinder(needle, ""), text, 0), At(2, std::string(needle).size())) << needle;
    }
}

} // namespace
} // namespace varnel::editor
