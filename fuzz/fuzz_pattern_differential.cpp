// Checks the host's own pattern engine against RE2 on the expressions both accept:
// the same first match (start and length), or no match in either.
//
// Input: a length byte (its top bit asks both engines to ignore case, the next to let
// "^" and "$" match at line ends), that many bytes of pattern, then the text. Both are mapped onto
// small alphabets on which the two engines' rules agree: no carriage returns or vertical
// tabs in the text (the host's "." and "\s" also stop at them), no escapes that only
// one engine knows.
#include "fuzz_support.h"

#include "pattern_search.h"

#include <re2/re2.h>

#include <string>

namespace {

constexpr char kPatternAlphabet[] = "ab.*+?|()[]^$-{},012\\dwsbB:A";
// What may follow a backslash: the classes and assertions both engines know, and
// escaped punctuation. (Other escaped letters mean different things to the two.)
constexpr char kEscapeAlphabet[] = "dwsbBDWS.*+?()[]{}|^$\\-";
constexpr char kTextAlphabet[] = "ab_ 0\n-AB\xE9";

std::string MapOnto(const std::uint8_t* data, std::size_t size, const char* alphabet, std::size_t count)
{
    std::string mapped;
    mapped.reserve(size);
    for (std::size_t i = 0; i < size; ++i)
        mapped.push_back(alphabet[data[i] % count]);
    return mapped;
}

std::string PatternOf(const std::uint8_t* data, std::size_t size)
{
    std::string pattern;
    bool escaped = false;
    for (std::size_t i = 0; i < size; ++i) {
        if (escaped)
            pattern.push_back(kEscapeAlphabet[data[i] % (sizeof kEscapeAlphabet - 1)]);
        else
            pattern.push_back(kPatternAlphabet[data[i] % (sizeof kPatternAlphabet - 1)]);
        escaped = !escaped && pattern.back() == '\\';
    }
    return pattern;
}

// Repeating a group that can match the empty text is where the two engines' rules
// part: an expression such as "(|a)*" takes "aa" by the rules the host follows (an
// empty iteration does not end the loop as a success), and "" for RE2. Patterns that
// repeat a group are left out.
bool RepeatsAGroup(const std::string& pattern)
{
    for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
        if (pattern[i] == ')' && std::string("*+?{").find(pattern[i + 1]) != std::string::npos &&
            (i == 0 || pattern[i - 1] != '\\'))
            return true;
    }
    return false;
}

// A count written with a leading zero ("{00}", "{1,02}") is a count for the host, as
// for ECMAScript; RE2 reads the braces as literal text.
bool CountWithLeadingZero(const std::string& pattern)
{
    for (std::size_t i = 0; i + 2 < pattern.size(); ++i) {
        if ((pattern[i] == '{' || pattern[i] == ',') && pattern[i + 1] == '0' && pattern[i + 2] >= '0' &&
            pattern[i + 2] <= '9')
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t patternSize = std::min<std::size_t>((data[0] & 0x3F) % 24, size - 1);
    const bool ignoreCase = (data[0] & 0x80) != 0;
    const bool multiline = (data[0] & 0x40) != 0;
    const std::string pattern = PatternOf(data + 1, patternSize);
    const std::string text = MapOnto(data + 1 + patternSize, size - 1 - patternSize, kTextAlphabet, sizeof kTextAlphabet - 1);
    // "[]" matches nothing for the host, while RE2 reads a "]" right after "[" as a
    // member; the two simply spell classes differently there.
    if (pattern.find("[]") != std::string::npos || pattern.find("[^]") != std::string::npos)
        return 0;
    if (RepeatsAGroup(pattern) || CountWithLeadingZero(pattern))
        return 0;

    varnel::PatternOptions ourOptions;
    ourOptions.ignoreCase = ignoreCase;
    ourOptions.multiline = multiline;
    const std::optional<varnel::Pattern> ours = varnel::Pattern::Compile(pattern, ourOptions);
    RE2::Options options;
    options.set_encoding(RE2::Options::EncodingLatin1);
    options.set_case_sensitive(!ignoreCase);
    options.set_log_errors(false);
    const RE2 theirs(multiline ? "(?m)" + pattern : pattern, options);
    if (!ours || !theirs.ok())
        return 0;

    std::size_t start = 0;
    std::size_t length = 0;
    const bool found = ours->Search(text, 0, &start, &length);
    re2::StringPiece match;
    const bool theirsFound = theirs.Match(text, 0, text.size(), RE2::UNANCHORED, &match, 1);
    FUZZ_REQUIRE(found == theirsFound, "one engine finds a match, the other none");
    if (found) {
        FUZZ_REQUIRE(start == static_cast<std::size_t>(match.data() - text.data()), "the matches start apart");
        FUZZ_REQUIRE(length == match.size(), "the matches differ in length");
    }
    return 0;
}
