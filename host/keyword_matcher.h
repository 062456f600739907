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
#include <vector>
#include <cstdint>

namespace varnel {

class KeywordMatcher {
public:
    KeywordMatcher() = default;
    explicit KeywordMatcher(std::string_view keywordText);

    // Inline: a plug-in asks once for every character of a word. A state is a cell of
    // the transition array: the edge for character class k of state s lies in cell
    // base(s) + k and belongs to s when that cell names s as its parent. No cell has the
    // dead state or a free cell as its parent, and none is reached by class 0 (a
    // character in no keyword), so those lead nowhere.
    int Step(int ch, int state) const
    {
        if (static_cast<unsigned>(ch) < 128)
            return StepClass(asciiClass_[ch], state);
        return StepBeyondAscii(ch, state);
    }

    int Sets(int state) const
    {
        if (static_cast<unsigned>(state) >= cellCount_)
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
        if (static_cast<unsigned>(state) >= cellCount_)
            return kDead;
        const unsigned to = static_cast<unsigned>(base_[static_cast<std::size_t>(state)] + cls);
        if (to < cellCount_ && parent_[to] == state)
            return static_cast<int>(to);
        return kDead;
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

    // By cell: where the state's edges start, by class; the state whose edge leads
    // here (-1 for a free cell); the keyword sets of the word that ends here.
    // [0] is the dead state, [1] the start.
    std::vector<int> base_ = std::vector<int>(2, 0);
    std::vector<int> parent_ = std::vector<int>(2, -1);
    std::vector<int> masks_ = std::vector<int>(2, 0);
    unsigned cellCount_ = 2;
    int asciiClass_[128] = {};
    // Characters beyond ASCII that keywords use, sorted, and their classes.
    std::vector<int> otherChars_;
    std::vector<int> otherClasses_;
    int setCount_ = 1;
};

} // namespace varnel
