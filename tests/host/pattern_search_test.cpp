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

Found Reference(const std::string& pattern, const std::string& text, std::size_t from = 0, bool ignoreCase = false)
{
    const std::regex expression(pattern, ignoreCase ? std::regex::ECMAScript | std::regex::icase : std::regex::ECMAScript);
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
            EXPECT_EQ(Ours(pattern, text, 0, {true, false}), Reference(pattern, text, 0, true))
                << "pattern \"" << pattern << "\" on \"" << text << "\"";
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
        EXPECT_EQ(Ours(c.pattern, c.text, 0, {true, false}), c.found) << c.pattern << " on " << c.text;
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
        EXPECT_EQ(Ours(c.pattern, c.text, c.from, {false, true}), c.found) << c.pattern << " on " << c.text;
}

// SearchWithin keeps matches before an end but lets the text after it count for
// assertions; SearchLast takes the match that starts last among those.
TEST(PatternSearch, SearchWithinAnEndAndTheLastMatch)
{
    struct Case {
        const char* pattern;
        const char* text;
        std::size_t from, lastStart, end;
        Found within; // SearchWithin(text, from, end)
        Found last;   // SearchLast(text, from, lastStart, end)
    } cases[] = {
        {"a+", "aaaa", 0, 4, 2, {true, 0, 2}, {true, 1, 1}},
        {"a+", "baaab", 0, 5, 5, {true, 1, 3}, {true, 3, 1}},
        {"ab|b", "xab", 0, 3, 3, {true, 1, 2}, {true, 2, 1}},
        {"a$", "aaa", 0, 3, 2, {false, 0, 0}, {false, 0, 0}},
        {"a\\b", "aa a", 0, 4, 1, {false, 0, 0}, {false, 0, 0}},
        {"a\\b", "aa a", 0, 4, 2, {true, 1, 1}, {true, 1, 1}},
        {"x*", "axxb", 0, 3, 4, {true, 0, 0}, {true, 3, 0}},
        {"x*", "axxb", 0, 2, 3, {true, 0, 0}, {true, 2, 1}},
        {"x*", "axxb", 0, 4, 4, {true, 0, 0}, {true, 4, 0}},
        {"^\\w+", "ab\ncd\nef", 0, 7, 7, {true, 0, 2}, {true, 0, 2}},
        {"\\n\\w+", "ab\ncd\nef", 0, 7, 7, {true, 2, 3}, {true, 5, 2}},
        {"a.*c", "abcabc", 0, 6, 6, {true, 0, 6}, {true, 3, 3}},
        {"a.*c|a", "abcabc", 0, 6, 5, {true, 0, 3}, {true, 3, 1}},
        {"b", "abcabc", 2, 3, 6, {true, 4, 1}, {false, 0, 0}},
        {"b", "abcabc", 0, 3, 6, {true, 1, 1}, {true, 1, 1}},
        {"bc", "abcabc", 0, 6, 5, {true, 1, 2}, {true, 1, 2}},
    };
    for (const Case& c : cases) {
        const std::optional<Pattern> p = Pattern::Compile(c.pattern);
        ASSERT_TRUE(p.has_value()) << c.pattern;
        Found within{false, 0, 0};
        within.found = p->SearchWithin(c.text, c.from, c.end, &within.start, &within.length);
        EXPECT_EQ(within, c.within) << c.pattern << " on " << c.text << " within " << c.end;
        Found last{false, 0, 0};
        last.found = p->SearchLast(c.text, c.from, c.lastStart, c.end, &last.start, &last.length);
        EXPECT_EQ(last, c.last) << c.pattern << " on " << c.text << " last from " << c.from << " to "
                                << c.lastStart << " within " << c.end;
    }
}

// SearchLast in one pass gives what trying every start from the last one back gives.
TEST(PatternSearch, SearchLastAgreesWithTryingEveryStart)
{
    const char* patterns[] = {"a", "ab|b", "a*", "(a|ab)(c|bcd)", "\\bb", "b\\b", "[ab]+c?", ".*", "a|b*", "$", "^"};
    const std::string text = "ab abc\nbcd aab b";
    for (const char* pattern : patterns) {
        const std::optional<Pattern> p = Pattern::Compile(pattern);
        ASSERT_TRUE(p.has_value()) << pattern;
        for (std::size_t end = 0; end <= text.size(); ++end) {
            for (std::size_t from = 0; from <= end; from += 3) {
                const std::size_t lastStart = end > 2 ? end - 2 : end;
                Found expected{false, 0, 0};
                for (std::size_t s = std::min(lastStart, end) + 1; s-- > from;) {
                    std::size_t start = 0, length = 0;
                    if (p->SearchWithin(text, s, end, &start, &length) && start == s) {
                        expected = {true, start, length};
                        break;
                    }
                }
                Found last{false, 0, 0};
                last.found = p->SearchLast(text, from, lastStart, end, &last.start, &last.length);
                EXPECT_EQ(last, expected) << pattern << " from " << from << " to " << lastStart << " within " << end;
            }
        }
    }
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
