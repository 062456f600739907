#include "keyword_matcher.h"

#include "utf8.h"

namespace varnel {

namespace {

constexpr int kDead = 0;
constexpr int kStart = 1;

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
            if (j > i && setCount_ <= 32) {
                // A word is found whether a plug-in feeds it as characters or as the
                // signed bytes CharAt answers; for ASCII words the two paths are one.
                const int bit = static_cast<int>(1u << (setCount_ - 1));
                const std::string_view word = line.substr(i, j - i);
                masks_[AddWord(word, Feed::CodePoints)] |= bit;
                masks_[AddWord(word, Feed::Bytes)] |= bit;
            }
            i = j;
        }
    }
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
        const auto [it, added] = edges_.try_emplace(EdgeKey(state, ch), 0);
        if (added) {
            it->second = static_cast<int>(masks_.size());
            masks_.push_back(0);
        }
        state = it->second;
    }
    return state;
}

int KeywordMatcher::Step(int ch, int state) const
{
    if (state <= kDead || static_cast<std::size_t>(state) >= masks_.size())
        return kDead;
    const auto it = edges_.find(EdgeKey(state, ch));
    return it == edges_.end() ? kDead : it->second;
}

int KeywordMatcher::Sets(int state) const
{
    if (state <= kDead || static_cast<std::size_t>(state) >= masks_.size())
        return 0;
    return masks_[static_cast<std::size_t>(state)];
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
