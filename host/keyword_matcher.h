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

#include "branch_hints.h"

#include <string_view>
#include <vector>
#include <cstdint>

namespace varnel {

class KeywordMatcher {
public:
    KeywordMatcher() = default;
    explicit KeywordMatcher(std::string_view keywordText);

    // Inline: a plug-in asks once for every character of a word, and each answer waits
    // for the one before, so a step is one load. A state is the base of its edges in
    // the transition array: the edge for character class k of state s lies in cell
    // s + k, and is s's when that cell names s as its parent; the cell holds the state
    // the edge leads to. No cell names the dead state or a state that is no state as its
    // parent, free cells lead to the dead state, and no edge has class 0 (a character in
    // no keyword), so all of those lead nowhere.
    int Step(int ch, int state) const
    {
        if (static_cast<unsigned>(ch) < 128)
            return StepClass(asciiClass_[ch], state);
        return StepBeyondAscii(ch, state);
    }

    int Sets(int state) const
    {
        if (static_cast<unsigned>(state) >= masks_.size())
            return 0;
        return masks_[static_cast<std::size_t>(state)];
    }

    // Convenience for the host itself: the mask of a whole word given as UTF-8.
    int SetsOfWord(std::string_view word) const;
    int SetCount() const { return setCount_; }

private:
    static constexpr int kDead = 0;
    static constexpr int kStart = 1;

    int StepClass(int cls, int state) const
    {
        const unsigned to = static_cast<unsigned>(state) + static_cast<unsigned>(cls);
        if (VARNEL_RARELY(to >= cellCount_))
            return kDead;
        // Without a branch: a word's prefix dies at an unforeseeable character.
        const Cell cell = cells_[to];
        return cell.next & -static_cast<int>(cell.parent == state);
    }
    // Step for a character beyond ASCII (or a negative byte value).
    int StepBeyondAscii(int ch, int state) const;

    // The keywords as a tree of characters, while the matcher is built.
    struct Trie;
    enum class Feed { CodePoints, Bytes };
    // Adds the path of the word's characters fed one way; answers the node it ends at.
    static int AddWord(Trie& trie, std::string_view word, Feed feed);
    // Lays the trie out in the transition array.
    void Freeze(const Trie& trie);

    struct Cell {
        int parent = 0; // the state whose edge this is; 0 for a free cell
        int next = 0;   // the state the edge leads to
    };
    std::vector<Cell> cells_ = std::vector<Cell>(2);
    unsigned cellCount_ = 2;
    std::vector<int> masks_ = std::vector<int>(2, 0); // by state: the keyword sets of its word
    int asciiClass_[128] = {};
    // Characters beyond ASCII that keywords use, sorted, and their classes.
    std::vector<int> otherChars_;
    std::vector<int> otherClasses_;
    int setCount_ = 1;
};

} // namespace varnel
