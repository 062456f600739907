#include "line_styler.h"

int KeywordStyles::StyleOf(int sets) const
{
    for (int bit = 0; bit < count_; ++bit) {
        if ((sets & (1 << bit)) != 0)
            return byBit_[bit];
    }
    return 0;
}

LineStyler::LineStyler(VLanguageProxy& styledLine)
    : line(styledLine), len(styledLine.TextLength())
{
}

bool LineStyler::Begin(int style)
{
    Style(0, style);
    return len > 0;
}

int LineStyler::Peek(int ahead) const
{
    const long long offset = static_cast<long long>(i) + ahead;
    if (offset < 0 || offset >= len)
        return 0;
    return static_cast<unsigned char>(line.CharAt(static_cast<int>(offset)));
}

void LineStyler::AfterPlain(bool tokenBegan)
{
    if (done || (tokenBegan && start < i)) {
        Style(start, 0);
        start = i - 1;
    }
}

bool LineStyler::InWord(int c, bool wordCharacter, const KeywordStyles& styles)
{
    if (wordCharacter) {
        if (kw != 0)
            kw = line.KeywordStep(c, kw);
        return true;
    }
    Style(start, styles.StyleOf(line.KeywordSets(kw)));
    --i;
    start = i;
    return false;
}

bool LineStyler::ContinuedByBackslash() const
{
    // i is just past the line's end character.
    return Peek(-2) == '\\' && Peek(-3) != '\\';
}

bool LineStyler::InQuotedString(int c, int quote, int style)
{
    if (c == quote && !escaped) {
        Style(start, style);
        start = i;
        return false;
    }
    if (IsLineEnd(c)) {
        const bool continued = ContinuedByBackslash();
        Style(start, continued ? style : 0);
        start = len;
        done = true;
        return continued;
    }
    NoteEscape(c);
    return true;
}

bool LineStyler::InBlockComment(int c, int style)
{
    if (c == '*' && Peek() == '/') {
        Style(start, style);
        start = i + 1;
        i = i + 1;
        return false;
    }
    if (IsLineEnd(c)) {
        Style(start, style);
        done = true;
    }
    return true;
}

bool LineStyler::InLineComment(int style)
{
    Style(start, style);
    done = true;
    return !EndsWithLineFeed();
}

bool LineStyler::InCharConstant(int c, int style)
{
    if (c == '\t' || IsLineEnd(c)) {
        Style(start, 0);
        start = i;
        return false;
    }
    if (c == '\'' && !escaped) {
        if (count == 1 || count == 2 || count == 4) {
            Style(start, style);
        } else {
            Style(start, 0);
            --i; // the quote opens the next constant
        }
        start = i;
        return false;
    }
    if (!escaped)
        ++count;
    NoteEscape(c);
    return true;
}
