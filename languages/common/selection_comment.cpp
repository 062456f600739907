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

// Turns each "-*-" that begins in from..*start back into "--". The last "-" of one may be
// the first character after *start (it followed the selection when it was commented);
// one that begins at *start, where the closing marker stood, is no part of the comment.
// The freed text is read once, byte by byte: a search through the rest of the document
// for every comment would make uncommenting many lines quadratic.
void RestoreDashes(VLanguageProxyV2& text, int from, int* start, int* end)
{
    for (int at = from; at < *start; ++at) {
        if (text.CharAt(at) == '-' && text.CharAt(at + 1) == '*' && text.CharAt(at + 2) == '-') {
            text.DeleteText(at, 3);
            text.InsertText(at, "--", 2);
            --*start;
            --*end; // the second "-" written is looked at next: it may begin another "-*-"
        }
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
            if (markers.rewriteDashes && it.StartsWith("--")) {
                it.Advance();
                end += InsertAt(it, "*") > 0 ? 1 : 0;
                continue; // now on the second "-", which may begin another "--"
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
