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
            if (j > i) {
                const int state = AddWord(line.substr(i, j - i));
                if (setCount_ <= 32)
                    masks_[state] |= static_cast<int>(1u << (setCount_ - 1));
            }
            i = j;
        }
    }
}

int KeywordMatcher::AddWord(std::string_view word)
{
    int state = kStart;
    std::size_t i = 0;
    while (i < word.size()) {
        const Utf8Char c = DecodeUtf8(word.data() + i, word.size() - i);
        i += static_cast<std::size_t>(c.length);
        const auto [it, added] = edges_.try_emplace(EdgeKey(state, c.codePoint), 0);
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
