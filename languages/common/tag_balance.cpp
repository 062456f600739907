#include "tag_balance.h"

#include "char_iterator.h"

namespace {

// From the delimiter under the iterator to the next "<" (text) or the end.
void ToTextSegmentEnd(CharIterator& it)
{
    it.Advance();
    while (it.ch != 0 && it.ch != '<')
        it.Advance();
}

// From the "<" under the iterator to the next ">" (past a comment's "--") or the end.
void ToTagSegmentEnd(CharIterator& it)
{
    it.Advance();
    if (it.StartsWith("!--")) {
        it.Advance(3);
        while (it.ch != 0 && !it.StartsWith("--"))
            it.Advance();
    }
    while (it.ch != 0 && it.ch != '>')
        it.Advance();
}

} // namespace

bool BalanceTags(VLanguageProxy& document, int* selStart, int* selEnd)
{
    VLanguageProxyV2* text = AsProxyV2(document);
    if (text == nullptr || selStart == nullptr || selEnd == nullptr)
        return false;
    const int length = text->TextLength();
    if (*selStart < 0 || *selStart > *selEnd || *selEnd > length)
        return false;
    // The selection start is a byte offset, and so is the limit: counting characters up
    // to it would carry the limit past the selection wherever a character takes more
    // than one byte.
    const int limit = *selStart;
    CharIterator cursor(*text, 0);
    bool inText = true;
    while (cursor.offset < limit && cursor.ch != 0) {
        CharIterator end = cursor;
        if (inText)
            ToTextSegmentEnd(end);
        else
            ToTagSegmentEnd(end);
        if (end.ch != 0 && end.offset > limit) {
            CharIterator first = cursor;
            first.Advance();
            *selStart = first.offset;
            *selEnd = end.offset;
            return true;
        }
        cursor = end;
        inText = !inText;
    }
    return false;
}
