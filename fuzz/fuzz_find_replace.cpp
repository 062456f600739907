// Checks the editor's find and replace-all against references on random texts and
// needles. Plain text: Find and the replace-all plan equal what trying every offset
// gives (backwards exactly where the text is shorter than a backwards search's first
// window, by the properties every size keeps where it is longer). Regular expressions:
// every match reported is the one the pattern engine finds at its start, Find keeps
// its promises about `from`, empty matches and wrapping, and the plan (and backwards
// Find, on short texts) follows ECMAScript's global replace loop, written out here
// over the engine's Search.
//
// Input: a flags byte (regex, match case, whole word, backwards, wrap, repeat the
// text), a repeat count, a needle length, a 4-byte starting offset, the needle's bytes,
// then the text. Both are mapped onto small alphabets so that matches are common.
#include "fuzz_support.h"

#include "find_replace.h"
#include "pattern_search.h"

#include <string>
#include <vector>

namespace {

using varnel::editor::Finder;
using varnel::editor::FindOptions;
using varnel::editor::Match;
using varnel::editor::Replacement;

constexpr char kTextAlphabet[] = "aAbB0_ \n-\xC3\xA9\xFF";
constexpr char kPatternAlphabet[] = "aAb.*+?|()[]^$\\dwsB\n-_";
constexpr std::size_t kFirstWindow = 4096; // the backwards search's, as find_replace.cpp sets it

std::string MapOnto(const std::string& bytes, const char* alphabet, std::size_t count)
{
    std::string mapped;
    mapped.reserve(bytes.size());
    for (char c : bytes)
        mapped.push_back(alphabet[static_cast<unsigned char>(c) % count]);
    return mapped;
}

bool IsWordByte(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80;
}

unsigned char Lower(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// Whether the needle occurs at `s`, as the options ask.
bool OccursAt(const std::string& text, const std::string& needle, std::size_t s, const FindOptions& options)
{
    if (s + needle.size() > text.size())
        return false;
    for (std::size_t i = 0; i < needle.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[s + i]);
        const auto b = static_cast<unsigned char>(needle[i]);
        if (options.matchCase ? a != b : Lower(a) != Lower(b))
            return false;
    }
    if (!options.wholeWord)
        return true;
    const std::size_t e = s + needle.size();
    return (s == 0 || !IsWordByte(static_cast<unsigned char>(text[s - 1]))) &&
           (e == text.size() || !IsWordByte(static_cast<unsigned char>(text[e])));
}

// The occurrences a walk from the start meets, each search from the end of the one before.
std::vector<std::size_t> Walk(const std::string& text, const std::string& needle, const FindOptions& options)
{
    std::vector<std::size_t> starts;
    for (std::size_t s = 0; s + needle.size() <= text.size();) {
        if (OccursAt(text, needle, s, options)) {
            starts.push_back(s);
            s += needle.size();
        } else {
            ++s;
        }
    }
    return starts;
}

void CheckPlain(const std::string& text, const std::string& needle, const FindOptions& options, std::size_t from,
                const Finder& finder)
{
    const std::size_t m = needle.size();
    const std::size_t clamped = std::min(from, text.size());
    Match match;
    const bool found = finder.Find(text, from, &match);
    if (!options.backwards) {
        std::size_t expected = text.size();
        bool wrapped = false;
        for (std::size_t s = clamped; s + m <= text.size() && expected == text.size(); ++s) {
            if (OccursAt(text, needle, s, options))
                expected = s;
        }
        for (std::size_t s = 0; options.wrap && expected == text.size() && s + m <= text.size(); ++s) {
            if (OccursAt(text, needle, s, options))
                expected = s, wrapped = true;
        }
        FUZZ_REQUIRE(found == (expected < text.size()), "forwards: found or not, unlike the reference");
        if (found) {
            FUZZ_REQUIRE(match.start == expected && match.length == m, "forwards: another match than the reference's");
            FUZZ_REQUIRE(match.wrapped == wrapped, "forwards: wrapped is wrong");
        }
    } else {
        const std::vector<std::size_t> walk = Walk(text, needle, options);
        bool any = false;
        for (std::size_t s = 0; s + m <= clamped && !any; ++s)
            any = OccursAt(text, needle, s, options);
        if (found && !match.wrapped) {
            FUZZ_REQUIRE(match.length == m && OccursAt(text, needle, match.start, options), "backwards: no match there");
            FUZZ_REQUIRE(match.start + m <= clamped, "backwards: the match ends after the offset");
            // The walk would have taken any occurrence that fits between it and the offset.
            for (std::size_t s = match.start + m; s + m <= clamped; ++s)
                FUZZ_REQUIRE(!OccursAt(text, needle, s, options), "backwards: a later occurrence was passed over");
            if (text.size() <= kFirstWindow) {
                std::size_t expected = 0;
                for (std::size_t s : walk) {
                    if (s + m <= clamped)
                        expected = s;
                }
                FUZZ_REQUIRE(match.start == expected, "backwards: not the walk's last match before the offset");
            }
        } else {
            FUZZ_REQUIRE(!any, "backwards: an occurrence before the offset was not found");
            FUZZ_REQUIRE(found == (options.wrap && !walk.empty()), "backwards: wrapping found or not, unlike the reference");
            if (found && text.size() <= kFirstWindow)
                FUZZ_REQUIRE(match.start == walk.back(), "backwards: wrapping did not find the last match");
        }
    }

    const std::vector<Replacement> plan = varnel::editor::PlanReplaceAll(text, finder, "<$&>");
    const std::vector<std::size_t> walk = Walk(text, needle, options);
    FUZZ_REQUIRE(plan.size() == walk.size(), "replace-all: another number of matches than the reference's");
    std::string expected;
    std::size_t copied = 0;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        FUZZ_REQUIRE(plan[i].start == walk[i] && plan[i].length == m && plan[i].text == "<$&>",
                     "replace-all: another replacement than the reference's");
        expected += text.substr(copied, walk[i] - copied) + "<$&>";
        copied = walk[i] + m;
    }
    expected += text.substr(copied);
    FUZZ_REQUIRE(varnel::editor::ApplyReplacements(text, plan) == expected, "replace-all: another text than the reference's");
}

// The match the engine finds starting at `start`, if any.
bool EngineMatchAt(const varnel::Pattern& pattern, const std::string& text, std::size_t start, std::size_t* length)
{
    std::size_t s = 0;
    return pattern.SearchStartingIn(text, start, start, &s, length) && s == start;
}

void CheckRegex(const std::string& text, const FindOptions& options, std::size_t from, const Finder& finder,
                const varnel::Pattern& pattern)
{
    // ECMAScript's global replace: from each match's end, or a character further after
    // an empty one. Backwards Find takes its matches from the same walk.
    std::vector<Replacement> walk;
    for (std::size_t at = 0; at <= text.size();) {
        std::size_t s = 0;
        std::size_t length = 0;
        if (!pattern.Search(text, at, &s, &length))
            break;
        walk.push_back({s, length, "<" + text.substr(s, length) + ">"});
        if (length > 0) {
            at = s + length;
        } else {
            if (s == text.size())
                break;
            at = s + static_cast<std::size_t>(varnel::fuzz::ReferenceDecode(text.data() + s, text.size() - s).length);
        }
    }

    const std::size_t clamped = std::min(from, text.size());
    Match match;
    const bool found = finder.Find(text, from, &match);
    if (found) {
        std::size_t length = 0;
        FUZZ_REQUIRE(EngineMatchAt(pattern, text, match.start, &length) && length == match.length,
                     "find: not the engine's match at its start");
        FUZZ_REQUIRE(options.wrap || !match.wrapped, "find: wrapped though asked not to");
        if (!match.wrapped) {
            FUZZ_REQUIRE(!(match.length == 0 && match.start == clamped), "find: the empty match at the offset");
            if (options.backwards)
                FUZZ_REQUIRE(match.start + match.length <= clamped, "find backwards: the match ends after the offset");
            else
                FUZZ_REQUIRE(match.start >= clamped, "find forwards: the match starts before the offset");
        } else if (!options.backwards) {
            FUZZ_REQUIRE(match.start == walk.front().start, "find forwards: wrapping did not find the first match");
        }
    } else if (options.wrap) {
        FUZZ_REQUIRE(walk.empty(), "find: wrapping found nothing, yet the text holds a match");
    }
    if (options.backwards && text.size() <= kFirstWindow) {
        // The walk's last match before the offset, else (wrapping) its last one.
        const Replacement* expected = nullptr;
        bool wrapped = false;
        for (const Replacement& r : walk) {
            if (r.start + r.length <= clamped && !(r.length == 0 && r.start == clamped))
                expected = &r;
        }
        if (expected == nullptr && options.wrap && !walk.empty())
            expected = &walk.back(), wrapped = true;
        FUZZ_REQUIRE(found == (expected != nullptr), "find backwards: found or not, unlike the walk");
        if (found) {
            FUZZ_REQUIRE(match.start == expected->start && match.length == expected->length && match.wrapped == wrapped,
                         "find backwards: not the walk's match");
        }
    }

    const std::vector<Replacement> plan = varnel::editor::PlanReplaceAll(text, finder, "<$&>");
    FUZZ_REQUIRE(plan.size() == walk.size(), "replace-all: another number of matches than the reference's");
    for (std::size_t i = 0; i < plan.size(); ++i) {
        FUZZ_REQUIRE(plan[i].start == walk[i].start && plan[i].length == walk[i].length && plan[i].text == walk[i].text,
                     "replace-all: another replacement than the reference's");
        if (i > 0) {
            const Replacement& before = plan[i - 1];
            FUZZ_REQUIRE(plan[i].start >= before.start + before.length, "replace-all: replacements overlap");
            FUZZ_REQUIRE(plan[i].start > before.start, "replace-all: two replacements at one place");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    varnel::fuzz::ByteReader in(data, size);
    const std::uint8_t flags = in.Byte();
    const std::uint8_t repeat = in.Byte();
    const std::size_t needleSize = in.Byte() % 12;
    const auto fromSeed = static_cast<std::uint32_t>(in.I32());
    FindOptions options;
    options.regex = (flags & 1) != 0;
    options.matchCase = (flags & 2) != 0;
    options.wholeWord = (flags & 4) != 0;
    options.backwards = (flags & 8) != 0;
    options.wrap = (flags & 16) != 0;
    const std::string rawNeedle = in.Bytes(needleSize);
    const std::string needle = options.regex ? MapOnto(rawNeedle, kPatternAlphabet, sizeof kPatternAlphabet - 1)
                                             : MapOnto(rawNeedle, kTextAlphabet, sizeof kTextAlphabet - 1);
    std::string text = MapOnto(in.Rest(), kTextAlphabet, sizeof kTextAlphabet - 1);
    // Repeated, the text outgrows a backwards search's first windows.
    if ((flags & 32) != 0 && !text.empty()) {
        const std::string unit = text;
        for (int i = repeat % 64; i > 0 && text.size() < 12000; --i)
            text += unit;
    }
    const std::size_t from = fromSeed % (text.size() + 3);

    std::string error;
    const std::optional<Finder> finder = Finder::Make(needle, options, &error);
    if (!options.regex || needle.empty()) {
        FUZZ_REQUIRE(finder.has_value(), "plain text is always a needle");
        if (needle.empty()) {
            Match match;
            FUZZ_REQUIRE(!finder->Find(text, from, &match), "an empty needle found something");
            FUZZ_REQUIRE(varnel::editor::PlanReplaceAll(text, *finder, "x").empty(), "an empty needle replaced something");
            return 0;
        }
        CheckPlain(text, needle, options, from, *finder);
        return 0;
    }
    varnel::PatternOptions patternOptions;
    patternOptions.ignoreCase = !options.matchCase;
    patternOptions.wholeWord = options.wholeWord;
    patternOptions.multiline = true;
    const std::optional<varnel::Pattern> pattern = varnel::Pattern::Compile(needle, patternOptions);
    FUZZ_REQUIRE(finder.has_value() == pattern.has_value(), "the finder and the engine disagree on the expression");
    if (!finder) {
        FUZZ_REQUIRE(!error.empty(), "a malformed expression without a message");
        return 0;
    }
    CheckRegex(text, options, from, *finder, *pattern);
    return 0;
}
