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

std::optional<int> TextEnd(const CharIterator& start)
{
    CharIterator last = start;
    last.Advance(start.proxy->TextLength());
    if (last.ch != 0)
        return std::nullopt;
    return last.offset;
}

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

bool SkipQuotedLiteral(CharIterator& it, int c)
{
    if (c != '"' && c != '\'')
        return false;
    SkipLiteral(it, c);
    return true;
}

void SkipBlock(CharIterator& it, int opener, SkipBlanksRule skipBlanks, SkipLiteralRule skipLiteral)
{
    // Nested blocks of the same kind are counted rather than entered recursively, so
    // that no depth of nesting can exhaust the stack.
    const int closer = CloserOf(opener);
    long depth = 1;
    while (depth > 0) {
        skipBlanks(it);
        const int c = it.ch;
        it.Advance();
        if (c == 0) {
            it.Back();
            return;
        }
        if (skipLiteral(it, c))
            continue;
        if (c == opener)
            ++depth;
        else if (c == closer)
            --depth;
    }
}

bool AtText(const CharIterator& it, std::string_view word, bool caseSensitive)
{
    return it.proxy->CompareText(it.offset, word.data(), caseSensitive) == 0;
}

bool AppendCharacter(std::string& label, const CharIterator& it, std::size_t limit)
{
    int ch = 0;
    int length = 0;
    it.proxy->CodePointAt(it.offset, &ch, &length);
    if (length <= 0 || label.size() + static_cast<std::size_t>(length) > limit)
        return false;
    const std::size_t at = label.size();
    label.resize(at + static_cast<std::size_t>(length));
    const int copied = it.proxy->CopyText(it.offset, length, &label[at], length);
    label.resize(at + static_cast<std::size_t>(copied > 0 && copied <= length ? copied : 0));
    return true;
}

std::string LeadingCharacters(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return std::string(text);
    std::size_t cut = limit;
    // Back to the start of the character the limit falls in.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return std::string(text.substr(0, cut));
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
