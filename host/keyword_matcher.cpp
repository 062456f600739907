#include "keyword_matcher.h"

#include "utf8.h"

#include <algorithm>

namespace varnel {

namespace {

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::uint64_t EdgeKey(int state, int ch)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(state)) << 32) |
           static_cast<std::uint32_t>(ch);
}

} // namespace

KeywordMatcher::KeywordMatcher(std::string_view text)
    : masks_(2, 0)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line[0] == '-') {
            ++setCount_;
            continue;
        }
        std::size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && IsSeparator(line[i]))
                ++i;
            std::size_t j = i;
            while (j < line.size() && !IsSeparator(line[j]))
                ++j;
            if (j > i) {
                // A word is found whether a plug-in feeds it as characters or as the
                // signed bytes CharAt answers; for ASCII words the two paths are one.
                // Words of sets beyond the 32nd are known, but in no set reported.
                const int bit = setCount_ <= 32 ? static_cast<int>(1u << (setCount_ - 1)) : 0;
                const std::string_view word = line.substr(i, j - i);
                masks_[AddWord(word, Feed::CodePoints)] |= bit;
                masks_[AddWord(word, Feed::Bytes)] |= bit;
            }
            i = j;
        }
    }
    Freeze(building_);
    building_.clear();
}

void KeywordMatcher::Freeze(const std::unordered_map<std::uint64_t, int>& edges)
{
    std::vector<std::pair<std::uint64_t, int>> sorted(edges.begin(), edges.end());
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        // By state, then by character as a signed value.
        const auto stateA = a.first >> 32, stateB = b.first >> 32;
        if (stateA != stateB)
            return stateA < stateB;
        return static_cast<std::int32_t>(a.first) < static_cast<std::int32_t>(b.first);
    });
    edgeBegin_.assign(masks_.size() + 1, 0);
    edgeChars_.clear();
    edgeTargets_.clear();
    for (const auto& [key, target] : sorted) {
        const auto state = static_cast<std::size_t>(key >> 32);
        const int ch = static_cast<std::int32_t>(key);
        ++edgeBegin_[state + 1];
        edgeChars_.push_back(ch);
        edgeTargets_.push_back(target);
        if (state == kStart && ch >= 0 && ch < 128)
            startAscii_[ch] = target;
    }
    for (std::size_t state = 1; state < edgeBegin_.size(); ++state)
        edgeBegin_[state] += edgeBegin_[state - 1];
}

int KeywordMatcher::AddWord(std::string_view word, Feed feed)
{
    int state = kStart;
    std::size_t i = 0;
    while (i < word.size()) {
        int ch = static_cast<signed char>(word[i]);
        if (feed == Feed::CodePoints) {
            const Utf8Char c = DecodeUtf8(word.data() + i, word.size() - i);
            ch = c.codePoint;
            i += static_cast<std::size_t>(c.length);
        } else {
            ++i;
        }
        const auto [it, added] = building_.try_emplace(EdgeKey(state, ch), 0);
        if (added) {
            it->second = static_cast<int>(masks_.size());
            masks_.push_back(0);
        }
        state = it->second;
    }
    return state;
}

int KeywordMatcher::StepOutOfStart(int ch, int state) const
{
    if (state <= kDead || static_cast<std::size_t>(state) >= masks_.size())
        return kDead;
    const int* chars = edgeChars_.data();
    const int* begin = chars + edgeBegin_[static_cast<std::size_t>(state)];
    const int* end = chars + edgeBegin_[static_cast<std::size_t>(state) + 1];
    // Past the first characters of a word most states have one or two edges: they are
    // read in order, up to the first character not below ch.
    const int* found = begin;
    if (end - begin <= 8) {
        while (found != end && *found < ch)
            ++found;
    } else {
        found = std::lower_bound(begin, end, ch);
    }
    if (found == end || *found != ch)
        return kDead;
    return edgeTargets_[static_cast<std::size_t>(found - chars)];
}

int KeywordMatcher::SetsOfWord(std::string_view word) const
{
    if (word.empty())
        return 0;
    int state = kStart;
    std::size_t i = 0;
    while (i < word.size() && state != kDead) {
        const Utf8Char c = DecodeUtf8(word.data() + i, word.size() - i);
        i += static_cast<std::size_t>(c.length);
        state = Step(c.codePoint, state);
    }
    return Sets(state);
}

} // namespace varnel
