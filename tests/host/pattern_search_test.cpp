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

Found Ours(const std::string& pattern, const std::string& text, std::size_t from = 0)
{
    const std::optional<Pattern> compiled = Pattern::Compile(pattern);
    EXPECT_TRUE(compiled.has_value()) << pattern;
    Found f{false, 0, 0};
    if (compiled)
        f.found = compiled->Search(text, from, &f.start, &f.length);
    return f;
}

Found Reference(const std::string& pattern, const std::string& text, std::size_t from = 0)
{
    const std::regex expression(pattern, std::regex::ECMAScript);
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
        "}", "]", "[]", "[^]", "\\t|\\n", "\\.\\*",
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
