// The balancer searches out from the selection in both directions for the nearest
// bracket that is not matched on the way, takes the nearer of the two finds, and then
// looks for its partner on the other side, counting only brackets of its kind.
#include "balancer.h"

namespace {

constexpr char kOpeners[] = {'[', '(', '{'};
constexpr char kClosers[] = {']', ')', '}'};
constexpr int kKinds = 3;

class Text {
public:
    explicit Text(VLanguageProxy& document) : document_(document), length_(document.TextLength()) {}

    int Length() const { return length_; }
    // The byte at `offset`; 0 outside the text.
    int At(int offset) const
    {
        return offset < 0 || offset >= length_ ? 0 : static_cast<unsigned char>(document_.CharAt(offset));
    }

private:
    VLanguageProxy& document_;
    int length_;
};

int KindOpenedBy(int c)
{
    for (int k = 0; k < kKinds; ++k) {
        if (kOpeners[k] == c)
            return k;
    }
    return -1;
}

int KindClosedBy(int c)
{
    for (int k = 0; k < kKinds; ++k) {
        if (kClosers[k] == c)
            return k;
    }
    return -1;
}

// Per kind, openers count down and closers up (or the reverse): a kind below zero has
// a bracket that the way so far did not match.
struct Counters {
    int count[kKinds] = {0, 0, 0};

    void Note(int c, int openerStep)
    {
        if (const int opened = KindOpenedBy(c); opened >= 0)
            count[opened] += openerStep;
        else if (const int closed = KindClosedBy(c); closed >= 0)
            count[closed] -= openerStep;
    }

    bool Unmatched() const { return count[0] < 0 || count[1] < 0 || count[2] < 0; }
};

} // namespace

bool BalanceOberon(VLanguageProxy& document, int* selStart, int* selEnd)
{
    if (selStart == nullptr || selEnd == nullptr)
        return false;
    const Text text(document);
    const int s = *selStart;
    const int e = *selEnd;
    // A selection outside the text or reversed has no enclosing pair.
    if (s < 0 || s > e || e > text.Length())
        return false;
    const int last = text.Length() - 1; // never examined by the forward searches

    // A selection that is already the inside of a pair looks for the pair around it.
    int left = s - 1;
    int right = e;
    const int before = text.At(left);
    const int after = text.At(right);
    if (KindOpenedBy(before) >= 0 && KindOpenedBy(before) == KindClosedBy(after)) {
        left = s - 2;
        right = e + 1;
    }
    const int left0 = left;
    const int right0 = right;

    Counters backward;
    while (left >= 0 && !backward.Unmatched())
        backward.Note(text.At(left--), -1);
    Counters forward;
    while (right < last && !forward.Unmatched())
        forward.Note(text.At(right++), +1);
    const bool openerFound = backward.Unmatched();
    const bool closerFound = forward.Unmatched();
    if (!openerFound && !closerFound)
        return false;

    if (closerFound && (!openerFound || right - e < s - left)) {
        // The closer is nearer: its opener lies before the selection.
        const int closer = text.At(right - 1);
        const int opener = kOpeners[KindClosedBy(closer)];
        int depth = 1;
        int at = left0;
        while (at >= 0 && depth != 0) {
            const int c = text.At(at--);
            if (c == closer)
                ++depth;
            else if (c == opener)
                --depth;
        }
        if (depth != 0)
            return false;
        *selStart = at + 2;
        *selEnd = right - 1;
        return true;
    }

    // The opener is nearer (or as near): its closer lies after the selection.
    const int opener = text.At(left + 1);
    const int closer = kClosers[KindOpenedBy(opener)];
    int depth = 1;
    int at = right0;
    while (at < last && depth != 0) {
        const int c = text.At(at++);
        if (c == opener)
            ++depth;
        else if (c == closer)
            --depth;
    }
    if (depth != 0)
        return false;
    *selStart = left + 2;
    *selEnd = at - 1;
    return true;
}
