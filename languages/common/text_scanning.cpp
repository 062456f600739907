#include "text_scanning.h"

#include <cstring>

namespace {

int CloserOf(int opener)
{
    switch (opener) {
    case '(': return ')';
    case '[': return ']';
    case '{': return '}';
    default: return 0;
    }
}

// Whatever may start a word may go on with it too, so that a word once started is
// always passed, whatever the host's classes of letters and digits.
bool IsWordCharacter(CharIterator& it)
{
    return AtWordStart(it) || (it.ch != 0 && it.proxy->IsLetterOrDigit(it.ch));
}

} // namespace

int CharacterAhead(const CharIterator& it, int count)
{
    CharIterator ahead = it;
    return ahead.Advance(count);
}

bool IsAsciiLetterOrDigit(int ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
}

bool IsAsciiWordCharacter(int ch)
{
    return ch == '_' || IsAsciiLetterOrDigit(ch);
}

void SkipLiteral(CharIterator& it, int delimiter)
{
    while (it.ch != 0) {
        const int c = it.ch;
        it.Advance();
        if (c == delimiter)
            return;
        if (c == '\\' && it.ch != 0)
            it.Advance();
    }
}

void SkipQuoted(CharIterator& it)
{
    const int quote = it.ch;
    it.Advance();
    SkipLiteral(it, quote);
}

void SkipPastCharacter(CharIterator& it, int ch)
{
    while (it.ch != 0 && it.ch != ch)
        it.Advance();
    if (it.ch != 0)
        it.Advance();
}

bool SkipSlashComment(CharIterator& it, LineCommentEnd lineCommentEnd)
{
    const int next = CharacterAhead(it, 1);
    if (next != '*' && next != '/')
        return false;
    it.Advance(2);
    if (next == '*')
        SkipBlockComment(it);
    else if (lineCommentEnd == LineCommentEnd::UnescapedLineFeed)
        SkipLiteral(it, '\n');
    else
        SkipPastCharacter(it, '\n');
    return true;
}

void SkipBlockComment(CharIterator& it)
{
    for (;;) {
        while (it.ch != 0 && it.ch != '*')
            it.Advance();
        if (it.ch == 0)
            return;
        it.Advance();
        if (it.ch == '/') {
            it.Advance();
            return;
        }
    }
}

void SkipBlock(CharIterator& it, int opener, SkipBlanksRule skipBlanks)
{
    // Nested blocks of the same kind are counted rather than entered recursively, so
    // that no depth of nesting can exhaust the stack.
    const int closer = CloserOf(opener);
    long depth = 1;
    while (depth > 0) {
        skipBlanks(it);
        const int c = it.ch;
        it.Advance();
        if (c == '"' || c == '\'') {
            SkipLiteral(it, c);
        } else if (c == opener) {
            ++depth;
        } else if (c == closer) {
            --depth;
        } else if (c == 0) {
            it.Back();
            return;
        }
    }
}

bool Word::Is(const char* s) const
{
    return std::strcmp(text, s) == 0;
}

Word ReadWord(CharIterator& it)
{
    Word word;
    word.offset = it.offset;
    PassWord(it);
    const int count = it.proxy->CopyText(word.offset, it.offset - word.offset, word.text, kMaxWordBytes);
    word.text[count > 0 && count <= kMaxWordBytes ? count : 0] = '\0';
    return word;
}

void PassWord(CharIterator& it)
{
    while (IsWordCharacter(it))
        it.Advance();
}

bool AtWordStart(CharIterator& it)
{
    return it.ch == '_' || (it.ch != 0 && it.proxy->IsLetter(it.ch));
}
