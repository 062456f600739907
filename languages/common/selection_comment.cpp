#include "selection_comment.h"

#include "char_iterator.h"

#include <cstring>

const SelectionMarkers kSelectionCommentMarkers[3] = {
    {"<!--", "-->", true},
    {"//", "", false},
    {"#", "", false},
};

namespace {

int Length(const char* s)
{
    return static_cast<int>(std::strlen(s));
}

// Inserts s at the iterator and leaves the iterator after it; answers the bytes inserted.
int InsertAt(CharIterator& it, const char* s)
{
    const int inserted = it.proxy->InsertText(it.offset, s, Length(s));
    const int count = inserted > 0 ? inserted : 0;
    it = CharIterator(*it.proxy, it.offset + count);
    return count;
}

// Where the selection may be edited at all: end capped at the text's end, not before
// start, start inside the text.
bool Clip(VLanguageProxyV2& text, int start, int* end)
{
    const int length = text.TextLength();
    if (*end > length)
        *end = length;
    return start >= 0 && start <= length && *end >= start;
}

void UncommentLineStarts(VLanguageProxyV2& text, int start, int end, const char* open)
{
    const int openLength = Length(open);
    CharIterator it(text, start);
    while (it.offset < end) {
        if (it.StartsWith(open)) {
            text.DeleteText(it.offset, openLength);
            end -= openLength;
            it = CharIterator(text, it.offset);
        }
        while (it.offset < end && it.ch != '\n')
            it.Advance();
        if (it.offset >= end)
            return;
        it.Advance();
    }
}

// The escape of markup comments, which may not hold "--": a run is a "-", zero or more
// "*" and a "-". Commenting gives every run one "*" more ("--" is written "-*-", "-*-"
// "-**-"), and uncommenting takes one away from every run that has one. Runs overlap in
// their dashes (each "-" may close one run and open the next), and adding or taking away
// a "*" inside a run leaves every run where it was, so each way undoes the other exactly,
// and a commented text holds no "--". A comment made when only "--" was escaped comes back
// as it always did: "-*-" turns into "--".

// Where the run that opens at `at` closes (the offset of its second "-"), or -1 when
// no run opens there. Runs are read byte by byte, past the selection end where they go on.
int RunCloseAt(VLanguageProxyV2& text, int at)
{
    if (text.CharAt(at) != '-')
        return -1;
    int next = at + 1;
    while (text.CharAt(next) == '*')
        ++next;
    return text.CharAt(next) == '-' ? next : -1;
}

// Takes one "*" away from each run with one that opens in from..*start, the freed text.
// A run that opens at *start, where the closing marker stood, is no part of the comment;
// one that opens before it may go on past it (it went on past the selection end when it
// was commented, and its "*" was put inside the comment). The freed text is read once,
// byte by byte: a search through the rest of the document for every comment would make
// uncommenting many lines quadratic.
void RestoreDashes(VLanguageProxyV2& text, int from, int* start, int* end)
{
    for (int at = from; at < *start;) {
        int close = RunCloseAt(text, at);
        if (close < 0) {
            ++at;
            continue;
        }
        if (close > at + 1) {
            text.DeleteText(at + 1, 1);
            --close;
            --*start;
            --*end;
        }
        at = close; // the run's closing "-" may open another
    }
}

void UncommentPairs(VLanguageProxyV2& text, int start, int end, const SelectionMarkers& markers)
{
    const int openLength = Length(markers.open);
    const int closeLength = Length(markers.close);
    while (start < end) {
        int open = start;
        int length = 0;
        if (!text.FindPattern(markers.open, &open, &length) || length != openLength)
            return;
        int close = open + openLength;
        if (!text.FindPattern(markers.close, &close, &length) || length != closeLength)
            return;
        // The pair must end before the selection does, unless it ends the text: a last
        // line without a line feed can be freed too.
        if (close + closeLength > end || (close + closeLength == end && end < text.TextLength()))
            return;
        text.DeleteText(close, closeLength);
        text.DeleteText(open, openLength);
        start = close - openLength;
        end -= closeLength + openLength;
        if (markers.rewriteDashes)
            RestoreDashes(text, open, &start, &end);
        if (start >= end)
            return;
    }
}

} // namespace

void CommentSelectionWith(VLanguageProxy& document, int start, int end, const SelectionMarkers& markers)
{
    VLanguageProxyV2* text = AsProxyV2(document);
    if (text == nullptr || !Clip(*text, start, &end))
        return;
    CharIterator it(*text, start);
    it.caseSensitive = true;
    while (it.offset < end) {
        end += InsertAt(it, markers.open);
        while (it.offset < end && it.ch != '\n') {
            if (markers.rewriteDashes && it.ch == '-' && RunCloseAt(*text, it.offset) >= 0) {
                it.Advance();
                end += InsertAt(it, "*") > 0 ? 1 : 0;
                continue; // now on the run's stars or its closing "-", which may open another run
            }
            it.Advance();
        }
        if (*markers.close != '\0')
            end += InsertAt(it, markers.close);
        it.Advance(); // over the line feed
    }
}

void UncommentSelectionWith(VLanguageProxy& document, int start, int end, const SelectionMarkers& markers)
{
    VLanguageProxyV2* text = AsProxyV2(document);
    if (text == nullptr || !Clip(*text, start, &end))
        return;
    if (*markers.close == '\0')
        UncommentLineStarts(*text, start, end, markers.open);
    else
        UncommentPairs(*text, start, end, markers);
}
