// Regular-expression search for FindPattern, in time linear in the text.
//
// The expressions are those of ECMAScript, over bytes: literals and escapes ("\*",
// "\t", "\xHH", "\uHHHH" as its UTF-8 bytes), ".", classes ("[a-z]", "[^\s]", "\d", "\w",
// "\s" and their negations), groups "(...)" and "(?:...)", alternatives "|", the
// quantifiers "*", "+", "?", "{n}", "{n,}", "{n,m}" (each also lazy with a "?"), and the
// assertions "^", "$", "\b", "\B". Back-references and look-arounds are refused.
// Among the matches that start first, the one the ECMAScript rules prefer is taken.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace varnel {

class Pattern {
public:
    // The compiled expression, or nullopt when it is malformed, unsupported or too large.
    static std::optional<Pattern> Compile(std::string_view expression);

    // Finds the first match that starts at or after `from`; the text before `from`
    // still counts for "^" and "\b". Stores the match's start and length.
    bool Search(std::string_view text, std::size_t from, std::size_t* start, std::size_t* length) const;

    enum class Op : std::uint8_t { Byte, Set, Split, Jump, AssertBegin, AssertEnd, AssertWord, AssertNotWord, Match };
    struct Instruction {
        Op op;
        std::uint8_t byte = 0;
        int x = 0; // Set: set index; Split: preferred target; Jump: target
        int y = 0; // Split: other target
    };
    using ByteSet = std::vector<bool>; // 256 entries

private:
    std::vector<Instruction> program_;
    std::vector<ByteSet> sets_;
};

} // namespace varnel
