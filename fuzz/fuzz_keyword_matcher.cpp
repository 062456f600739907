// Builds the host's keyword matcher from an arbitrary keyword text and walks it as the
// plug-ins do, against a plain reading of the same text.
//
// Input: the keyword text up to the first NUL byte; after it, probe words (separated
// like keywords) walked character by character, and then raw (character, state) pairs.
#include "fuzz_support.h"

#include "keyword_matcher.h"

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

using varnel::KeywordMatcher;
using varnel::fuzz::ByteReader;
using varnel::fuzz::DecodedChar;
using varnel::fuzz::ReferenceDecode;

using Characters = std::vector<int>;

constexpr int kReportedSets = 32;

// Words are separated by blanks, tabs and line feeds; the host also takes a carriage
// return for a blank, so that keyword files with CR LF line ends read the same.
bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The characters of a word as the matcher is fed them: UTF-8 decoded, with a byte that
// starts no well-formed sequence standing for itself.
Characters Decode(std::string_view word)
{
    Characters characters;
    std::size_t i = 0;
    while (i < word.size()) {
        const DecodedChar c = ReferenceDecode(word.data() + i, word.size() - i);
        characters.push_back(c.codePoint);
        i += static_cast<std::size_t>(c.length);
    }
    return characters;
}

std::vector<std::string_view> Words(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsSeparator(line[i]))
            ++i;
        std::size_t j = i;
        while (j < line.size() && !IsSeparator(line[j]))
            ++j;
        if (j > i)
            words.push_back(line.substr(i, j - i));
        i = j;
    }
    return words;
}

// What the keyword text says: each word with the mask of its sets (bit k-1 for set k,
// sets beyond 32 unreported), the words sorted so that those sharing a prefix stand
// together.
struct KeywordReading {
    struct Word {
        Characters characters;
        int mask;
    };
    std::vector<Word> sorted;      // each word once
    std::vector<Characters> words; // each word of the text, in order
};

KeywordReading Read(std::string_view text)
{
    KeywordReading reading;
    std::map<Characters, int> masks;
    int set = 1;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line[0] == '-') {
            ++set; // a title line: the rest of it is no keyword
            continue;
        }
        for (std::string_view word : Words(line)) {
            const Characters characters = Decode(word);
            int& mask = masks[characters];
            if (set <= kReportedSets)
                mask |= static_cast<int>(1u << (set - 1));
            reading.words.push_back(characters);
        }
    }
    for (const auto& [characters, mask] : masks)
        reading.sorted.push_back({characters, mask});
    return reading;
}

// Feeds the characters one by one as a plug-in does. After each character the words
// that begin with the characters fed so far are narrowed down: while there are some,
// the state must be live and answer the mask of the word equal to them (0 when none
// is); once there are none, the state must be dead. Answers the last state.
int Walk(const KeywordMatcher& matcher, const KeywordReading& reading, const Characters& characters)
{
    using Word = KeywordReading::Word;
    auto lo = reading.sorted.begin();
    auto hi = reading.sorted.end();
    int state = 1;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const int ch = characters[i];
        state = matcher.Step(ch, state);
        // [lo, hi) share the first i characters; the one that has only those sorts
        // first, the others by their next character.
        lo = std::partition_point(lo, hi, [&](const Word& w) {
            return w.characters.size() <= i || w.characters[i] < ch;
        });
        hi = std::partition_point(lo, hi, [&](const Word& w) { return w.characters[i] == ch; });
        if (lo == hi) {
            FUZZ_REQUIRE(state == 0, "the matcher continued a prefix of no keyword");
            FUZZ_REQUIRE(matcher.Step(ch, state) == 0, "the dead state came back to life");
            return state;
        }
        FUZZ_REQUIRE(state != 0, "the matcher died on a prefix of a keyword");
        const int expected = lo->characters.size() == i + 1 ? lo->mask : 0;
        FUZZ_REQUIRE(matcher.Sets(state) == expected, "the matcher's sets for a word differ from the keyword text's");
    }
    return state;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string_view text = std::string_view(input).substr(0, nul);

    const KeywordMatcher matcher{text};
    const KeywordReading reading = Read(text);

    FUZZ_REQUIRE(matcher.Sets(1) == 0 && matcher.SetsOfWord("") == 0, "the empty word is a keyword");
    FUZZ_REQUIRE(matcher.Sets(0) == 0, "the dead state has keyword sets");

    // Every word of the text answers the bit of its set (and those of its other sets).
    for (const Characters& word : reading.words)
        Walk(matcher, reading, word);
    if (nul == std::string::npos)
        return 0;

    ByteReader rest(data + nul + 1, size - nul - 1);
    const std::string probes = rest.Bytes(rest.Byte());
    for (std::string_view word : Words(probes)) {
        const int state = Walk(matcher, reading, Decode(word));
        FUZZ_REQUIRE(matcher.SetsOfWord(word) == matcher.Sets(state), "SetsOfWord differs from walking the word");
    }
    // Any state and any character: never a crash, and nothing leaves the dead state.
    while (!rest.Empty()) {
        const int ch = rest.I32();
        const int state = rest.I32();
        const int next = matcher.Step(ch, state);
        matcher.Sets(next);
        matcher.Sets(state);
        if (state <= 0)
            FUZZ_REQUIRE(next == 0, "a dead or negative state stepped to a live one");
    }
    return 0;
}
