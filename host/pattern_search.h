// Regular-expression search for FindPattern and the editor's find, in time linear in
// the text.
//
// The expressions are those of ECMAScript, over bytes: literals and escapes ("\*",
// "\t", "\xHH", "\uHHHH" as its UTF-8 bytes), ".", classes ("[a-z]", "[^\s]", "\d", "\w",
// "\s" and their negations), groups "(...)" and "(?:...)", alternatives "|", the
// quantifiers "*", "+", "?", "{n}", "{n,}", "{n,m}" (each also lazy with a "?"), and the
// assertions "^", "$", "\b", "\B". Back-references and look-arounds are refused.
// Among the matches that start first, the one the ECMAScript rules prefer is taken.
// Options fold ASCII letters' case, let "^" and "$" match at line ends, and ask for
// whole words.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

// The bytes words are made of for whole-word matching: ASCII letters and digits, "_",
// and every byte from 0x80, so that no part of a multi-byte UTF-8 character ends a
// word. ("\w" and "\b" keep their ASCII-only ECMAScript meaning.)
inline bool IsWholeWordByte(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80;
}

struct PatternOptions {
    // ASCII letters match in either case, as under ECMAScript's ignoreCase flag: in
    // literals, escapes, classes and ranges alike ("[A-z]", "[^a]" and "\x41" fold
    // too). Bytes from 0x80 match only themselves.
    bool ignoreCase = false;
    // "^" and "$" also match just after and just before a line feed or carriage
    // return, as under ECMAScript's multiline flag.
    bool multiline = false;
    // A match must have no word byte (IsWholeWordByte) directly before or after it;
    // among the matches at a start, the preferred one that meets this is taken.
    bool wholeWord = false;
};

class Pattern {
public:
    // The compiled expression, or nullopt when it is malformed, unsupported or too large.
    static std::optional<Pattern> Compile(std::string_view expression, const PatternOptions& options = {});

    // Finds the first match that starts at or after `from`; the text before `from`
    // still counts for "^" and "\b". Stores the match's start and length.
    bool Search(std::string_view text, std::size_t from, std::size_t* start, std::size_t* length) const;

    // As Search, for the first match that starts in [from, lastStart]: no later start
    // is tried, though the match may run on past lastStart.
    bool SearchStartingIn(std::string_view text, std::size_t from, std::size_t lastStart, std::size_t* start,
                          std::size_t* length) const;

    // The assertions lie together, from AssertBegin to AssertNoWordAfter.
    enum class Op : std::uint8_t {
        Byte, Set, Split, Jump, AssertBegin, AssertEnd, AssertLineBegin, AssertLineEnd, AssertWord,
        AssertNotWord, AssertNoWordBefore, AssertNoWordAfter, Match
    };
    struct Instruction {
        Op op;
        std::uint8_t byte = 0;
        int x = 0; // Set: set index; Split: preferred target; Jump: target
        int y = 0; // Split: other target
    };
    using ByteSet = std::vector<bool>; // 256 entries

private:
    void FindStartBytes();
    // Whether a thread at the instruction (a Byte or a Set) takes the byte.
    bool Steps(const Instruction& instruction, char byte) const;
    // The first position in [at, end) where a match can begin, by its first byte or its
    // literal prefix (`end` when none): used only when no match can be empty, so the
    // positions skipped hold none.
    std::size_t NextStart(std::string_view text, std::size_t at, std::size_t end) const;

    std::vector<Instruction> program_;
    std::vector<ByteSet> sets_;
    // The bytes a match can begin with, when every match takes at least one byte.
    bool skipStarts_ = false;
    std::array<bool, 256> startBytes_{};
    int startByteCount_ = 0;
    unsigned char onlyStartByte_ = 0; // when startByteCount_ is 1
    std::string prefix_; // the bytes every match begins with, when there are at least two
};

} // namespace varnel
