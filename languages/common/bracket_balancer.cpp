#include "bracket_balancer.h"

#include "text_scanning.h"

#include <vector>

namespace {

constexpr BracketKind kCLikeKinds[] = {{'{', '}'}, {'[', ']'}, {'(', ')'}};
constexpr BracketKind kTexKinds[] = {{'{', '}'}, {'[', ']'}};

int KindOpenedBy(const BalanceRules& rules, int ch)
{
    for (int k = 0; k < rules.kindCount; ++k) {
        if (rules.kinds[k].opener == ch)
            return k;
    }
    return -1;
}

int KindClosedBy(const BalanceRules& rules, int ch)
{
    for (int k = 0; k < rules.kindCount; ++k) {
        if (rules.kinds[k].closer == ch)
            return k;
    }
    return -1;
}

void Step(CharIterator& it, const BalanceRules& rules)
{
    it.Advance();
    rules.skip(it);
}

} // namespace

const BalanceRules kCLikeBalance = {SkipCLike, kCLikeKinds, 3};
const BalanceRules kTexBalance = {SkipTex, kTexKinds, 2};

bool BalanceBrackets(VLanguageProxy& text, int* selStart, int* selEnd, const BalanceRules& rules, int textStart)
{
    VLanguageProxyV2* proxy = AsProxyV2(text);
    if (proxy == nullptr || selStart == nullptr || selEnd == nullptr)
        return false;
    CharIterator it(*proxy, textStart);
    const int length = proxy->TextLength();
    const int start = *selStart;
    const int end = *selEnd;
    if (start < 0 || start > end || end > length)
        return false;

    // The first pass stops at the first character at or beyond the selection end. The
    // selection is given in bytes, so the limit is that byte offset: counting characters
    // up to it instead would carry the limit past the selection wherever a character
    // takes more than one byte.
    const int limit = end;

    // Per kind, the positions of the openers seen and not yet closed.
    std::vector<std::vector<int>> open(static_cast<std::size_t>(rules.kindCount));
    rules.skip(it);
    while (it.ch != 0 && it.offset < limit) {
        const int opened = KindOpenedBy(rules, it.ch);
        const int closed = KindClosedBy(rules, it.ch);
        if (opened >= 0)
            open[opened].push_back(it.offset);
        else if (closed >= 0 && !open[closed].empty())
            open[closed].pop_back();
        Step(it, rules);
    }

    // The kind whose last unclosed opener lies nearest before the selection start; an
    // opener inside the selection takes its kind out of the running.
    int chosen = -1;
    int nearest = 0;
    for (int k = 0; k < rules.kindCount; ++k) {
        if (open[k].empty())
            continue;
        const int distance = start - open[k].back();
        if (distance >= 0 && (chosen < 0 || distance < nearest)) {
            chosen = k;
            nearest = distance;
        }
    }
    if (chosen < 0)
        return false;

    // Second pass: the chosen kind's closer at depth 0 ends the pair; pairs of that kind
    // opened on the way are counted, other kinds ignored.
    const BracketKind kind = rules.kinds[chosen];
    const int opener = open[chosen].back();
    long depth = 1;
    while (it.ch != 0) {
        if (it.ch == kind.closer) {
            if (--depth == 0) {
                *selStart = opener + 1;
                *selEnd = it.offset;
                return true;
            }
        } else if (it.ch == kind.opener) {
            ++depth;
        }
        Step(it, rules);
    }
    return false;
}
