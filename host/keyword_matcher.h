// The keyword automaton the host builds from a keyword text.
//
// Keyword text: words separated by blanks, tabs and line feeds (carriage returns are
// treated as blanks too); a line whose first character is "-" starts the next set and
// is itself no keyword. State 1 is the start, 0 is dead; KeywordSets answers bit k-1
// for set k (sets beyond 32 are not reported).
//
// The matcher matches exactly the characters it is fed. A word is found both when fed
// as code points (its UTF-8 decoded; a byte that starts no valid sequence stands for
// itself) and when fed byte by byte as signed chars, the values CharAt answers.
#pragma once

#include <string_view>
#include <unordered_map>
#include <vector>
#include <cstdint>

namespace varnel {

class KeywordMatcher {
public:
    KeywordMatcher() = default;
    explicit KeywordMatcher(std::string_view keywordText);

    // Inline: a plug-in asks once for every character of a word.
    int Step(int ch, int state) const
    {
        if (state == kStart && ch >= 0 && ch < 128)
            return startAscii_[ch];
        return StepOutOfStart(ch, state);
    }

    int Sets(int state) const
    {
        if (state <= kDead || static_cast<std::size_t>(state) >= masks_.size())
            return 0;
        return masks_[static_cast<std::size_t>(state)];
    }

    // Convenience for the host itself: the mask of a whole word given as UTF-8.
    int SetsOfWord(std::string_view word) const;
    int SetCount() const { return setCount_; }

private:
    static constexpr int kDead = 0;
    static constexpr int kStart = 1;

    // Step for what the start state's ASCII table does not answer.
    int StepOutOfStart(int ch, int state) const;

    enum class Feed { CodePoints, Bytes };
    // Adds the path of the word's characters fed one way; answers its final state.
    int AddWord(std::string_view word, Feed feed);

    // Turns the edges collected while adding words into the arrays Step searches.
    void Freeze(const std::unordered_map<std::uint64_t, int>& edges);

    std::vector<int> masks_; // by state; [0] dead, [1] start
    // The edges of state s are edgeChars_/edgeTargets_[edgeBegin_[s] .. edgeBegin_[s + 1]),
    // sorted by character. Plain ASCII edges of the start state, where every word
    // begins, are also in a table of their own.
    std::vector<int> edgeBegin_;
    std::vector<int> edgeChars_;
    std::vector<int> edgeTargets_;
    int startAscii_[128] = {};
    std::unordered_map<std::uint64_t, int> building_; // (state << 32 | ch) -> next state
    int setCount_ = 1;
};

} // namespace varnel
