#include "keyword_matcher.h"

#include "utf8.h"

#include <algorithm>
#include <unordered_map>

namespace varnel {

namespace {

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::uint64_t EdgeKey(int node, int ch)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(node)) << 32) |
           static_cast<std::uint32_t>(ch);
}

// How many free cells the search for a state's edges tries before it places them at the
// end of the array instead: a bound on the work per state, whatever the keyword text.
constexpr int kPlacementTries = 16;

} // namespace

struct KeywordMatcher::Trie {
    std::unordered_map<std::uint64_t, int> edges; // (node << 32 | ch) -> child node
    std::vector<int> masks{0, 0};                 // by node; [0] unused, [1] the root
};

KeywordMatcher::KeywordMatcher(std::string_view text)
{
    Trie trie;
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
                trie.masks[static_cast<std::size_t>(AddWord(trie, word, Feed::CodePoints))] |= bit;
                trie.masks[static_cast<std::size_t>(AddWord(trie, word, Feed::Bytes))] |= bit;
            }
            i = j;
        }
    }
    Freeze(trie);
}

int KeywordMatcher::AddWord(Trie& trie, std::string_view word, Feed feed)
{
    int node = kStart;
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
        const auto [it, added] = trie.edges.try_emplace(EdgeKey(node, ch), 0);
        if (added) {
            it->second = static_cast<int>(trie.masks.size());
            trie.masks.push_back(0);
        }
        node = it->second;
    }
    return node;
}

void KeywordMatcher::Freeze(const Trie& trie)
{
    // The classes: every character some edge carries, numbered from 1 in order.
    std::vector<int> alphabet;
    alphabet.reserve(trie.edges.size());
    for (const auto& edge : trie.edges)
        alphabet.push_back(static_cast<std::int32_t>(edge.first));
    std::sort(alphabet.begin(), alphabet.end());
    alphabet.erase(std::unique(alphabet.begin(), alphabet.end()), alphabet.end());
    for (std::size_t k = 0; k < alphabet.size(); ++k) {
        const int ch = alphabet[k];
        const int cls = static_cast<int>(k) + 1;
        if (ch >= 0 && ch < 128) {
            asciiClass_[ch] = cls;
        } else {
            otherChars_.push_back(ch);
            otherClasses_.push_back(cls);
        }
    }
    auto classOf = [&](int ch) {
        return static_cast<int>(std::lower_bound(alphabet.begin(), alphabet.end(), ch) - alphabet.begin()) + 1;
    };

    // Each node's edges as (class, child), sorted by class.
    const std::size_t nodes = trie.masks.size();
    std::vector<int> edgeBegin(nodes + 1, 0);
    for (const auto& edge : trie.edges)
        ++edgeBegin[static_cast<std::size_t>(edge.first >> 32) + 1];
    for (std::size_t n = 1; n <= nodes; ++n)
        edgeBegin[n] += edgeBegin[n - 1];
    std::vector<std::pair<int, int>> edges(trie.edges.size());
    {
        std::vector<int> filled(edgeBegin.begin(), edgeBegin.end() - 1);
        for (const auto& [key, child] : trie.edges) {
            const auto node = static_cast<std::size_t>(key >> 32);
            edges[static_cast<std::size_t>(filled[node]++)] = {classOf(static_cast<std::int32_t>(key)), child};
        }
    }
    for (std::size_t n = 0; n < nodes; ++n)
        std::sort(edges.begin() + edgeBegin[n], edges.begin() + edgeBegin[n + 1]);

    // The nodes are laid out from the root, breadth first. A node with edges needs a
    // state (its base) that no other node has, from 2 up, with a free cell at base +
    // class for each of its classes: the search tries the free cells in order, each as
    // the cell of the first class, and after a bounded number of tries places the edges
    // past the end of the array. The root is state 1. Nodes without edges get the
    // states after the highest base once all are placed. Cells are only ever taken, so
    // "the first free cell from i on" is kept as links that skip taken cells.
    cells_.assign(2, Cell{});
    std::vector<int> freeFrom{1, 2, 2}; // cells 0 and 1 are never used; [size] is the end
    auto firstFreeFrom = [&](int cell) {
        while (freeFrom[static_cast<std::size_t>(cell)] != cell) {
            const int next = freeFrom[static_cast<std::size_t>(cell)];
            freeFrom[static_cast<std::size_t>(cell)] = freeFrom[static_cast<std::size_t>(next)];
            cell = next;
        }
        return cell;
    };
    auto isFree = [&](long long cell) {
        return cell >= static_cast<long long>(cells_.size()) || freeFrom[static_cast<std::size_t>(cell)] == cell;
    };
    auto take = [&](int cell) {
        while (cells_.size() <= static_cast<std::size_t>(cell)) {
            cells_.push_back(Cell{});
            freeFrom.push_back(static_cast<int>(cells_.size()));
        }
        freeFrom[static_cast<std::size_t>(cell)] = cell + 1;
    };
    std::vector<bool> isBase(2, false);
    isBase[kStart] = true;
    auto unusedBase = [&](long long base) {
        return base >= 2 && (base >= static_cast<long long>(isBase.size()) || !isBase[static_cast<std::size_t>(base)]);
    };

    std::vector<int> stateOf(nodes, kDead);
    std::vector<int> cellOf(nodes, 0); // the cell of the edge leading to a node
    std::vector<int> leaves;
    std::vector<int> queue{kStart};
    for (std::size_t q = 0; q < queue.size(); ++q) {
        const int node = queue[q];
        const auto first = edges.begin() + edgeBegin[static_cast<std::size_t>(node)];
        const auto last = edges.begin() + edgeBegin[static_cast<std::size_t>(node) + 1];
        if (first == last && node != kStart) {
            leaves.push_back(node);
            continue;
        }
        long long base = kStart;
        if (node != kStart) {
            auto fits = [&](long long candidate) {
                return unusedBase(candidate) &&
                       std::all_of(first, last, [&](const auto& edge) { return isFree(candidate + edge.first); });
            };
            base = std::max<long long>({static_cast<long long>(cells_.size()) - first->first,
                                        static_cast<long long>(isBase.size()), 2});
            int cell = firstFreeFrom(2);
            for (int tries = 0; tries < kPlacementTries && cell < static_cast<int>(cells_.size()); ++tries) {
                if (fits(static_cast<long long>(cell) - first->first)) {
                    base = static_cast<long long>(cell) - first->first;
                    break;
                }
                cell = firstFreeFrom(cell + 1);
            }
            cells_[static_cast<std::size_t>(cellOf[static_cast<std::size_t>(node)])].next = static_cast<int>(base);
        }
        if (isBase.size() <= static_cast<std::size_t>(base))
            isBase.resize(static_cast<std::size_t>(base) + 1, false);
        isBase[static_cast<std::size_t>(base)] = true;
        stateOf[static_cast<std::size_t>(node)] = static_cast<int>(base);
        for (auto edge = first; edge != last; ++edge) {
            const int cell = static_cast<int>(base + edge->first);
            take(cell);
            cells_[static_cast<std::size_t>(cell)].parent = static_cast<int>(base);
            cellOf[static_cast<std::size_t>(edge->second)] = cell;
            queue.push_back(edge->second);
        }
    }
    int state = static_cast<int>(isBase.size());
    for (int leaf : leaves) {
        stateOf[static_cast<std::size_t>(leaf)] = state;
        cells_[static_cast<std::size_t>(cellOf[static_cast<std::size_t>(leaf)])].next = state++;
    }
    masks_.assign(static_cast<std::size_t>(state), 0);
    for (std::size_t node = 1; node < nodes; ++node)
        masks_[static_cast<std::size_t>(stateOf[node])] = trie.masks[node];
    cellCount_ = static_cast<unsigned>(cells_.size());
}

int KeywordMatcher::StepBeyondAscii(int ch, int state) const
{
    const auto found = std::lower_bound(otherChars_.begin(), otherChars_.end(), ch);
    if (found == otherChars_.end() || *found != ch)
        return kDead;
    return StepClass(otherClasses_[static_cast<std::size_t>(found - otherChars_.begin())], state);
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
