// The host's regular-expression search: the same matches as ECMAScript's rules pick,
// in time linear in the text.
#include "pattern_search.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace varnel {
namespace {

struct Found {
    bool found;
    std::size_t start;
    std::size_t length;
    bool operator==(const Found& other) const
    {
        return found == other.found && (!found || (start == other.start && length == other.length));
    }
};

std::ostream& operator<<(std::ostream& out, const Found& f)
{
    return f.found ? out << "match at " << f.start << " length " << f.length : out << "no match";
}

Found Ours(const std::string& pattern, const std::string& text, std::size_t from = 0, const PatternOptions& options = {})
{
    const std::optional<Pattern> compiled = Pattern::Compile(pattern, options);
    EXPECT_TRUE(compiled.has_value()) << pattern;
    Found f{false, 0, 0};
    if (compiled)
        f.found = compiled->Search(text, from, &f.start, &f.length);
    return f;
}

Found Reference(const std::string& pattern, const std::string& text, std::size_t from = 0, const PatternOptions& options = {})
{
    auto syntax = std::regex::ECMAScript;
    if (options.ignoreCase)
        syntax |= std::regex::icase;
    if (options.multiline)
        syntax |= std::regex::multiline;
    const std::regex expression(pattern, syntax);
    std::smatch match;
    const auto flags = from > 0 ? std::regex_constants::match_prev_avail : std::regex_constants::match_default;
    if (!std::regex_search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), match, expression, flags))
        return {false, 0, 0};
    return {true, from + static_cast<std::size_t>(match.position(0)), static_cast<std::size_t>(match.length(0))};
}

TEST(PatternSearch, AgreesWithTheEcmaScriptRules)
{
    const char* patterns[] = {
        "abc", "a|ab", "ab|a", "(a|ab)(c|bcd)", "a*", "a+?", "a*?b", "a{2}", "a{2,}", "a{1,3}?",
        "[a-c]+", "[^a-c ]+", "\\d+", "\\w+\\s", "\\S+$", "^\\w", "\\bfo", "o\\B", ".", ".*",
        "(?:ab)+", "x?y?z?", "(a|b)*c", "-\\*-", "<!--", "[-\\]]", "[a\\-z]", "\\x41",
        "}", "]", "[]", "[^]", "\\t|\\n", "\\.\\*", "ab", "bab\\n", "\\bab", "b\\b", "\\Bab+",
    };
    const char* texts[] = {
        "", "abc", "aaab", "xabcd abd", "A-z ab\tcd\n-*- end", "fo foo ofo", "caf\xc3\xa9 a{,2} }]",
        "aaaaaaaaaaaaaaaa", "bab\nc", "<!-- x -->",
    };
    for (const char* pattern : patterns) {
        for (const char* text : texts) {
            for (std::size_t from : {0u, 1u, 3u}) {
                if (from > std::string(text).size())
                    continue;
                EXPECT_EQ(Ours(pattern, text, from), Reference(pattern, text, from))
                    << "pattern \"" << pattern << "\" on \"" << text << "\" from " << from;
            }
        }
    }
}

// Under ignoreCase, ASCII letters match either case wherever they are written; the
// ranges and negated classes fold before they are inverted.
TEST(PatternSearch, IgnoringCaseAgreesWithTheEcmaScriptRules)
{
    const char* patterns[] = {
        "abc", "ABC", "aBc|x", "[a-c]+", "[A-C]+", "[^a]+", "[^A-Z]+", "[A-z]+", "[Z-a]+", "[^Z-a]+",
        "\\x41+", "\\u0062", "\\w+", "\\W+", "[^\\W]+", "\\bAB", "caf\\xc3\\xa9", "[_-c]+",
    };
    const char* texts[] = {
        "abc", "ABC", "aBcX", "zZ[\\]^_`aA", "CAF\xc3\x89 caf\xc3\xa9", "{ab}", "a_b-c", "xyz XYZ",
    };
    for (const char* pattern : patterns) {
        for (const char* text : texts) {
            EXPECT_EQ(Ours(pattern, text, 0, {true, false, false}), Reference(pattern, text, 0, {true, false, false}))
                << "pattern \"" << pattern << "\" on \"" << text << "\"";
        }
    }
}

// Under multiline, "^" and "$" hold at every line's start and end.
TEST(PatternSearch, MultilineAgreesWithTheEcmaScriptRules)
{
    const char* patterns[] = {"^", "$", "^a", "a$", "^$", "b$\\n^c", "^\\w+$", "(?:^|x)b", "a$|c"};
    const char* texts[] = {"", "a", "ab\ncd", "a\n\nb", "xb\nb", "ab\r\nca", "b\nc\n"};
    for (const char* pattern : patterns) {
        for (const char* text : texts) {
            for (std::size_t from : {0u, 1u, 3u}) {
                if (from > std::string(text).size())
                    continue;
                EXPECT_EQ(Ours(pattern, text, from, {false, true, false}), Reference(pattern, text, from, {false, true, false}))
                    << "pattern \"" << pattern << "\" on \"" << text << "\" from " << from;
            }
        }
    }
}

TEST(PatternSearch, FoldsAsciiLettersOnly)
{
    struct Case {
        const char* pattern;
        const char* text;
        Found found;
    } cases[] = {
        // Letters beyond ASCII are bytes: "\xc9" is not "\xe9" in either case.
        {"\xc3\xa9", "\xc3\x89\xc3\xa9", {true, 2, 2}},
        {"[\xe0-\xef]", "\xc3\x89", {false, 0, 0}},
        // The bytes between "Z" and "a" have no other case.
        {"\\[", "{[", {true, 1, 1}},
        {"[^\\x40-\\x5a]+", "@aAz[", {true, 4, 1}},
        {"\\x40", "`@", {true, 1, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Ours(c.pattern, c.text, 0, {true, false, false}), c.found) << c.pattern << " on " << c.text;
}

// A whole-word match has no letter, digit, "_" or byte from 0x80 directly before or
// after it; where the preferred match at a start fails that, another may meet it.
TEST(PatternSearch, WholeWordMatches)
{
    struct Case {
        const char* pattern;
        const char* text;
        std::size_t from;
        Found found;
    } cases[] = {
        {"ab", "ab", 0, {true, 0, 2}},
        {"ab", "xab ab", 0, {true, 4, 2}},
        {"ab", "ab_ abc ab", 0, {true, 8, 2}},
        {"ab", "\xc3\xa9" "ab ab\xc3\xa9 (ab)", 0, {true, 11, 2}},
        {"ab|abcd", "abcd", 0, {true, 0, 4}},
        {"a+", "aaa b", 1, {false, 0, 0}},
        {"a+", "aaa a", 1, {true, 4, 1}},
        {"-", "a-b - c", 0, {true, 4, 1}},
        {"x*", "a, b", 0, {true, 2, 0}},
        {"x*", "a, b", 3, {false, 0, 0}},
        {"\\bab", "caf\xc3\xa9" "ab ab", 0, {true, 8, 2}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Ours(c.pattern, c.text, c.from, {false, false, true}), c.found) << c.pattern << " on " << c.text;
}

// SearchStartingIn tries no start after lastStart, and finds what Search finds when
// that starts in time; a match may run on past lastStart.
TEST(PatternSearch, SearchStartingInAgreesWithSearch)
{
    const char* patterns[] = {"a", "ab|b", "a*", "(a|ab)(c|bcd)", "\\bb", "b\\b", "[ab]+c?", ".*", "a|b*", "$", "^", "bc"};
    const std::string text = "ab abc\nbcd aab b";
    for (const char* pattern : patterns) {
        const std::optional<Pattern> p = Pattern::Compile(pattern);
        ASSERT_TRUE(p.has_value()) << pattern;
        for (std::size_t from = 0; from <= text.size(); ++from) {
            Found expected{false, 0, 0};
            expected.found = p->Search(text, from, &expected.start, &expected.length);
            for (std::size_t lastStart = from; lastStart <= text.size() + 1; ++lastStart) {
                Found in{false, 0, 0};
                in.found = p->SearchStartingIn(text, from, lastStart, &in.start, &in.length);
                const Found wanted = expected.found && expected.start <= lastStart ? expected : Found{false, 0, 0};
                EXPECT_EQ(in, wanted) << pattern << " from " << from << " starting by " << lastStart;
            }
        }
    }
    const std::optional<Pattern> p = Pattern::Compile("a+");
    ASSERT_TRUE(p.has_value());
    std::size_t start = 0, length = 0;
    ASSERT_TRUE(p->SearchStartingIn("baaab", 0, 1, &start, &length));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(length, 3u);
}

TEST(PatternSearch, UnicodeEscapesAndLoneBraces)
{
    EXPECT_EQ(Ours("\\u00e9", "caf\xc3\xa9"), (Found{true, 3, 2}));
    // A brace that starts no count stands for itself.
    EXPECT_EQ(Ours("a{,2}", "xa{,2}"), (Found{true, 1, 5}));
    EXPECT_EQ(Ours("\\u20ac+", "x\xe2\x82\xac\xe2\x82\xac"), (Found{true, 1, 6}));
}

TEST(PatternSearch, RefusesWhatItDoesNotSupport)
{
    for (const char* pattern : {"(a", "a)", "*a", "a**", "a+*", "[a", "a\\", "(?=a)", "(?!a)", "\\1",
                                "(a)\\1", "^*", "\\b+", "a{3,1}", "{2}", "[z-a]", "\\xZZ", "\\u12",
                                "a{1001}"}) {
        EXPECT_FALSE(Pattern::Compile(pattern).has_value()) << pattern;
    }
    EXPECT_FALSE(Pattern::Compile(std::string(5000, 'a')).has_value());
    // Counts that multiply out beyond the machine's size.
    EXPECT_FALSE(Pattern::Compile("((a{1000}){1000}){1000}").has_value());
    EXPECT_FALSE(Pattern::Compile("((a{0}){1000}){1000}").has_value());
}

TEST(PatternSearch, PatternsThatBacktrackingEnginesChokeOnFinish)
{
    // Each would recurse per byte or take exponential time in a backtracking engine.
    const std::string as(20000, 'a');
    EXPECT_EQ(Ours("(a*)*b", as), (Found{false, 0, 0}));
    EXPECT_EQ(Ours("((a*)*)*$", as), (Found{true, 0, as.size()}));
    EXPECT_EQ(Ours(".*x", as + "x"), (Found{true, 0, as.size() + 1}));
    EXPECT_EQ(Ours("(a|aa)+b", as), (Found{false, 0, 0}));
}

TEST(PatternSearch, SearchStartsAtTheOffsetAndSeesTheTextBefore)
{
    EXPECT_EQ(Ours("b", "abab", 2), (Found{true, 3, 1}));
    EXPECT_EQ(Ours("^a", "abab", 1), (Found{false, 0, 0}));
    EXPECT_EQ(Ours("\\bb", "abab", 1), (Found{false, 0, 0}));
    EXPECT_EQ(Ours("$", "abab", 4), (Found{true, 4, 0}));
    const std::optional<Pattern> p = Pattern::Compile("a");
    ASSERT_TRUE(p.has_value());
    std::size_t start = 0, length = 0;
    EXPECT_FALSE(p->Search("abab", 5, &start, &length));
}

} // namespace
} // namespace varnel
