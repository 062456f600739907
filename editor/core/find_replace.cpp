#include "find_replace.h"

#include "utf8.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace varnel::editor {

namespace {

// A backwards search walks forward through a window that ends at its starting point,
// twice as long each time the window holds no match: a match close by costs little,
// and a search over the whole text reads it about twice.
constexpr std::size_t kFirstWindow = 4096;
// A case-blind scan looks for both cases of a byte in blocks of this size, so that the
// rarer case is not looked for far beyond the next match of the other.
constexpr std::size_t kBothCasesBlock = 1 << 16;

unsigned char FoldCase(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c | 0x20) : c;
}

unsigned char OtherCase(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 32);
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    return c;
}

// How often a byte occurs in source code and prose, roughly (higher: more often).
int Commonness(unsigned char c)
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t{};
        for (int b = 0x20; b < 0x7F; ++b)
            t[static_cast<std::size_t>(b)] = 10;
        const char* letters = "etaoinsrhldcumfpgwybvkxjqz"; // most frequent first
        for (int i = 0; letters[i] != '\0'; ++i) {
            const auto lower = static_cast<unsigned char>(letters[i]);
            t[lower] = static_cast<unsigned char>(90 - 2 * i);
            t[OtherCase(lower)] = static_cast<unsigned char>(t[lower] / 4 + 5);
        }
        for (int b = '0'; b <= '9'; ++b)
            t[static_cast<std::size_t>(b)] = 30;
        for (const char* p = "();,.=\"'/*_-+<>[]:{}"; *p != '\0'; ++p)
            t[static_cast<unsigned char>(*p)] = 35;
        t[' '] = 100;
        t['\n'] = 60;
        t['\t'] = 40;
        return t;
    }();
    return table[c];
}

// The offset of a memchr hit, or `limit`.
std::size_t Hit(const char* base, unsigned char byte, std::size_t from, std::size_t limit)
{
    if (from >= limit)
        return limit;
    const void* found = std::memchr(base + from, byte, limit - from);
    return found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - base) : limit;
}

} // namespace

std::size_t NextCharacter(std::string_view text, std::size_t offset)
{
    if (offset >= text.size())
        return text.size();
    return offset + static_cast<std::size_t>(DecodeUtf8(text.data() + offset, text.size() - offset).length);
}

std::optional<Finder> Finder::Make(std::string_view needle, const FindOptions& options, std::string* error)
{
    Finder finder;
    finder.options_ = options;
    finder.needle_ = std::string(needle);
    if (needle.empty())
        return finder;
    if (options.regex) {
        PatternOptions patternOptions;
        patternOptions.ignoreCase = !options.matchCase;
        patternOptions.multiline = true;
        patternOptions.wholeWord = options.wholeWord;
        finder.pattern_ = Pattern::Compile(needle, patternOptions);
        if (!finder.pattern_) {
            if (error != nullptr)
                *error = "The regular expression is malformed, uses what is not supported "
                         "(back-references, look-arounds) or is too large.";
            return std::nullopt;
        }
        return finder;
    }
    // Compared case-blind, the needle is kept folded.
    if (!options.matchCase) {
        for (char& c : finder.needle_)
            c = static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
    }
    auto cost = [&](unsigned char c) {
        return options.matchCase ? Commonness(c) : Commonness(c) + (OtherCase(c) != c ? Commonness(OtherCase(c)) : 0);
    };
    for (std::size_t i = 1; i < finder.needle_.size(); ++i) {
        if (cost(static_cast<unsigned char>(finder.needle_[i])) <
            cost(static_cast<unsigned char>(finder.needle_[finder.rareIndex_])))
            finder.rareIndex_ = i;
    }
    finder.rareByte_ = static_cast<unsigned char>(finder.needle_[finder.rareIndex_]);
    finder.rareOtherCase_ = options.matchCase ? finder.rareByte_ : OtherCase(finder.rareByte_);
    return finder;
}

bool Finder::IsWholeWordAt(std::string_view text, std::size_t start, std::size_t length) const
{
    const std::size_t end = start + length;
    return (start == 0 || !IsWholeWordByte(static_cast<unsigned char>(text[start - 1]))) &&
           (end >= text.size() || !IsWholeWordByte(static_cast<unsigned char>(text[end])));
}

std::size_t Finder::NextOccurrence(std::string_view text, std::size_t from, std::size_t limit) const
{
    // Candidates are the places where the needle's rare byte sits; the bytes around it
    // are compared only there.
    const std::size_t m = needle_.size();
    const char* base = text.data() + rareIndex_;
    auto equal = [&](std::size_t start) {
        const char* at = text.data() + start;
        if (options_.matchCase)
            return std::memcmp(at, needle_.data(), m) == 0;
        for (std::size_t i = 0; i < m; ++i) {
            if (FoldCase(static_cast<unsigned char>(at[i])) != static_cast<unsigned char>(needle_[i]))
                return false;
        }
        return true;
    };
    if (rareOtherCase_ == rareByte_) {
        for (std::size_t s = Hit(base, rareByte_, from, limit); s < limit; s = Hit(base, rareByte_, s + 1, limit)) {
            if (equal(s))
                return s;
        }
        return limit;
    }
    for (std::size_t block = from; block < limit; block += std::min(kBothCasesBlock, limit - block)) {
        const std::size_t blockEnd = block + std::min(kBothCasesBlock, limit - block);
        std::size_t one = Hit(base, rareByte_, block, blockEnd);
        std::size_t other = Hit(base, rareOtherCase_, block, blockEnd);
        while (one < blockEnd || other < blockEnd) {
            const std::size_t s = std::min(one, other);
            if (equal(s))
                return s;
            if (s == one)
                one = Hit(base, rareByte_, s + 1, blockEnd);
            else
                other = Hit(base, rareOtherCase_, s + 1, blockEnd);
        }
    }
    return limit;
}

bool Finder::FirstPlain(std::string_view text, std::size_t from, std::size_t lastStart, std::size_t end,
                        std::size_t* start) const
{
    const std::size_t m = needle_.size();
    end = std::min(end, text.size());
    if (m > end)
        return false;
    const std::size_t limit = std::min(lastStart, end - m) + 1;
    for (std::size_t s = from; s < limit; ++s) {
        s = NextOccurrence(text, s, limit);
        if (s >= limit)
            return false;
        if (!options_.wholeWord || IsWholeWordAt(text, s, m)) {
            *start = s;
            return true;
        }
    }
    return false;
}

bool Finder::FirstIn(std::string_view text, std::size_t from, std::size_t lastStart, Match* match) const
{
    if (needle_.empty() || from > text.size())
        return false;
    *match = Match{};
    if (pattern_)
        return pattern_->SearchStartingIn(text, from, lastStart, &match->start, &match->length);
    match->length = needle_.size();
    return FirstPlain(text, from, lastStart, text.size(), &match->start);
}

bool Finder::FirstMatch(std::string_view text, std::size_t from, Match* match) const
{
    return FirstIn(text, from, text.size(), match);
}

bool Finder::LastMatch(std::string_view text, std::size_t end, bool emptyAtEnd, Match* match) const
{
    end = std::min(end, text.size());
    for (std::size_t window = kFirstWindow;; window *= 2) {
        // The walk starts at a line's start where one is near, so that it meets the
        // matches a walk from the start of the text meets.
        std::size_t low = end > window ? end - window : 0;
        for (std::size_t back = 0; low > 0 && back < window && text[low - 1] != '\n'; ++back)
            --low;
        if (low > 0 && text[low - 1] != '\n')
            low = end - window;
        bool found = false;
        Match m;
        for (std::size_t from = low; FirstIn(text, from, end, &m);) {
            if (m.start + m.length > end || (m.length == 0 && m.start == end && !emptyAtEnd))
                break;
            *match = m;
            found = true;
            if (m.length > 0)
                from = m.start + m.length;
            else if (m.start < text.size())
                from = NextCharacter(text, m.start);
            else
                break;
        }
        if (found)
            return true;
        if (low == 0)
            return false;
    }
}

bool Finder::Find(std::string_view text, std::size_t from, Match* match) const
{
    from = std::min(from, text.size());
    if (options_.backwards) {
        if (LastMatch(text, from, false, match))
            return true;
        if (!options_.wrap || !LastMatch(text, text.size(), true, match))
            return false;
    } else {
        if (FirstMatch(text, from, match)) {
            if (match->length > 0 || match->start > from)
                return true;
            // An empty match at `from`: on from the next character.
            if (from < text.size() && FirstMatch(text, NextCharacter(text, from), match))
                return true;
        }
        if (!options_.wrap || !FirstMatch(text, 0, match))
            return false;
    }
    match->wrapped = true;
    return true;
}

std::string Finder::ReplacementFor(std::string_view text, const Match& match, std::string_view replacement) const
{
    if (!pattern_ || replacement.find('$') == std::string_view::npos)
        return std::string(replacement);
    std::string result;
    result.reserve(replacement.size());
    for (std::size_t i = 0; i < replacement.size(); ++i) {
        if (replacement[i] == '$' && i + 1 < replacement.size()) {
            if (replacement[i + 1] == '&') {
                result.append(text.substr(match.start, match.length));
                ++i;
                continue;
            }
            if (replacement[i + 1] == '$') {
                result.push_back('$');
                ++i;
                continue;
            }
        }
        result.push_back(replacement[i]);
    }
    return result;
}

std::vector<Replacement> PlanReplaceAll(std::string_view text, const Finder& finder, std::string_view replacement)
{
    std::vector<Replacement> plan;
    Match match;
    for (std::size_t from = 0; from <= text.size() && finder.FirstMatch(text, from, &match);) {
        plan.push_back({match.start, match.length, finder.ReplacementFor(text, match, replacement)});
        if (match.length > 0) {
            from = match.start + match.length;
        } else {
            if (match.start >= text.size())
                break;
            from = NextCharacter(text, match.start);
        }
    }
    return plan;
}

std::string ApplyReplacements(std::string_view text, const std::vector<Replacement>& plan)
{
    std::size_t size = text.size();
    for (const Replacement& r : plan)
        size = size - r.length + r.text.size();
    std::string result;
    result.reserve(size);
    std::size_t copied = 0;
    for (const Replacement& r : plan) {
        result.append(text.substr(copied, r.start - copied));
        result.append(r.text);
        copied = r.start + r.length;
    }
    result.append(text.substr(copied));
    return result;
}

} // namespace varnel::editor
