#include "caret_moves.h"

#include "utf8.h"

#include <algorithm>

namespace varnel::editor {

namespace {

enum class CharClass { LineEnd, Blank, Word, Mark };

CharClass ClassOf(char c)
{
    if (c == '\n')
        return CharClass::LineEnd;
    if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v')
        return CharClass::Blank;
    return IsWordByte(c) ? CharClass::Word : CharClass::Mark;
}

// Up to four bytes from `offset`, for decoding one character.
std::size_t Peek(const TextBuffer& text, int offset, char* bytes)
{
    const int available = std::min(4, text.Length() - offset);
    if (available <= 0)
        return 0;
    text.CopyTo(offset, available, bytes);
    return static_cast<std::size_t>(available);
}

} // namespace

bool IsWordByte(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u >= 0x80;
}

int NextCharStart(const TextBuffer& text, int offset)
{
    if (offset >= text.Length())
        return text.Length();
    if (offset < 0)
        return 0;
    char bytes[4];
    const std::size_t available = Peek(text, offset, bytes);
    return offset + std::max(1, DecodeUtf8(bytes, available).length);
}

int NextCharStart(std::string_view text, int offset)
{
    if (offset >= static_cast<int>(text.size()))
        return static_cast<int>(text.size());
    const std::size_t at = static_cast<std::size_t>(std::max(offset, 0));
    return static_cast<int>(at) + std::max(1, DecodeUtf8(text.data() + at, text.size() - at).length);
}

int PreviousCharStart(const TextBuffer& text, int offset)
{
    if (offset <= 0)
        return 0;
    offset = std::min(offset, text.Length());
    // The character before ends at `offset`: the longest valid sequence that does.
    for (int length = std::min(4, offset); length > 1; --length) {
        char bytes[4];
        text.CopyTo(offset - length, length, bytes);
        const Utf8Char decoded = DecodeUtf8(bytes, static_cast<std::size_t>(length));
        if (decoded.length == length)
            return offset - length;
    }
    return offset - 1;
}

int WordRight(const TextBuffer& text, int offset)
{
    const int length = text.Length();
    if (offset >= length)
        return length;
    const CharClass start = ClassOf(text.At(offset));
    if (start == CharClass::LineEnd)
        return offset + 1;
    while (offset < length && start != CharClass::Blank && ClassOf(text.At(offset)) == start)
        ++offset;
    while (offset < length && ClassOf(text.At(offset)) == CharClass::Blank)
        ++offset;
    return offset;
}

int WordLeft(const TextBuffer& text, int offset)
{
    if (offset <= 0)
        return 0;
    offset = std::min(offset, text.Length());
    while (offset > 0 && ClassOf(text.At(offset - 1)) == CharClass::Blank)
        --offset;
    if (offset == 0)
        return 0;
    const CharClass run = ClassOf(text.At(offset - 1));
    if (run == CharClass::LineEnd)
        return offset - 1;
    while (offset > 0 && ClassOf(text.At(offset - 1)) == run)
        --offset;
    return offset;
}

void WordAt(const TextBuffer& text, int offset, int* start, int* end)
{
    offset = std::clamp(offset, 0, text.Length());
    int from = offset;
    int to = offset;
    // A click just after a word takes that word.
    if (!IsWordByte(text.At(offset)) && offset > 0 && IsWordByte(text.At(offset - 1)))
        from = to = offset - 1;
    if (IsWordByte(text.At(from))) {
        while (from > 0 && IsWordByte(text.At(from - 1)))
            --from;
        while (to < text.Length() && IsWordByte(text.At(to)))
            ++to;
    }
    *start = from;
    *end = to;
}

int ColumnOf(const TextBuffer& text, int offset, int tabWidth)
{
    tabWidth = std::max(tabWidth, 1);
    offset = std::clamp(offset, 0, text.Length());
    int at = text.LineStart(text.LineOf(offset));
    int column = 0;
    while (at < offset) {
        column = text.At(at) == '\t' ? (column / tabWidth + 1) * tabWidth : column + 1;
        at = NextCharStart(text, at);
    }
    return column;
}

int OffsetAtColumn(const TextBuffer& text, int line, int column, int tabWidth)
{
    tabWidth = std::max(tabWidth, 1);
    line = std::clamp(line, 0, text.LineCount() - 1);
    int at = text.LineStart(line);
    const int end = text.LineEndOffset(line);
    int current = 0;
    while (at < end) {
        const int next = text.At(at) == '\t' ? (current / tabWidth + 1) * tabWidth : current + 1;
        if (next > column)
            break;
        current = next;
        at = NextCharStart(text, at);
    }
    return std::min(at, end);
}

int SmartHome(const TextBuffer& text, int offset)
{
    const int line = text.LineOf(offset);
    const int start = text.LineStart(line);
    const int end = text.LineEndOffset(line);
    int firstText = start;
    while (firstText < end && (text.At(firstText) == ' ' || text.At(firstText) == '\t'))
        ++firstText;
    return offset == firstText ? start : firstText;
}

int LineEndOf(const TextBuffer& text, int offset)
{
    return text.LineEndOffset(text.LineOf(offset));
}

} // namespace varnel::editor
