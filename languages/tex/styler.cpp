// TeX lines: control words from their backslash, the special characters, "%" comments,
// math in "$ $" and "\( \)", and verbatim text ("\verb" arguments and verbatim
// environments) left uncoloured. The high byte of the line state holds the character
// that ends the verbatim text: a "\verb" delimiter, or 1 for an environment.
#include "styler.h"

#include "char_iterator.h"
#include "line_styler.h"
#include "tex_verbatim.h"

namespace {

enum Style { kDefaultStyle = 0, kKeywordStyle = 1, kSpecialStyle = 2, kCommentStyle = 3, kMathStyle = 4 };

// Keyword set 1 and the four further sets; a control word in none of them is a keyword
// all the same.
constexpr int kSetStyles[] = {1, 5, 6, 7, 8};

constexpr int kEnvironmentDelimiter = 1;

bool IsLetterOrDigit(int c)
{
    return IsAsciiLetter(c) || IsAsciiDigit(c);
}

bool IsNameCharacter(int c)
{
    return IsLetterOrDigit(c) || c == '@';
}

bool IsSpecial(int c)
{
    switch (c) {
    case '#':
    case '&':
    case '{':
    case '}':
    case '~':
    case '[':
    case ']':
    case '^':
    case '_':
        return true;
    default:
        return false;
    }
}

// Whether the line's text at `offset` begins with `s`.
bool TextAt(const LineStyler& s, int offset, const char* text)
{
    VLanguageProxyV2* proxy = AsProxyV2(s.line);
    return proxy != nullptr && proxy->CompareText(offset, text, true) == 0;
}

struct TexLines {
    static constexpr bool kHighByteData = true; // the verbatim delimiter

    enum State : short {
        kText = 0,
        kBackslash = 1,
        kControlWord = 2,
        kSpecial = 3,
        kComment = 4,
        kMath = 5,
        kWord = 6,
        kVerbatim = 7,
    };

    static bool IsState(int value) { return value >= kText && value <= kVerbatim; }

    static int OpeningStyle(State state) { return state == kComment ? kCommentStyle : kDefaultStyle; }

    static State OpenMath(LineStyler& s)
    {
        s.escaped = false;
        return kMath;
    }

    static State Text(LineStyler& s, int c)
    {
        if (c == '\\')
            return kBackslash;
        if (c == '%')
            return kComment;
        if (c == '$')
            return OpenMath(s);
        if (IsLineEnd(c))
            s.done = true;
        else if (IsLetterOrDigit(c))
            return kWord;
        else if (IsSpecial(c))
            return kSpecial;
        return kText;
    }

    // After a backslash: "\(" opens math, a name character a control word; anything
    // else makes a control symbol, plain text that starts nothing.
    static State Backslash(LineStyler& s, int c)
    {
        if (c == '(')
            return OpenMath(s);
        if (IsNameCharacter(c)) {
            s.OpenWord(c, kControlWord);
            return kControlWord;
        }
        s.Style(s.start, kDefaultStyle);
        if (IsLineEnd(c)) {
            s.done = true;
            return kText;
        }
        s.start = s.i;
        return kText;
    }

    // The name ended at c: the word from its backslash is a keyword, and "\verb" or
    // "\begin{verbatim}" open verbatim text.
    static State ControlWordEnds(LineStyler& s, int c)
    {
        const int style = KeywordStyles(kSetStyles).StyleOf(s.line.KeywordSets(s.kw));
        s.Style(s.start, style != kDefaultStyle ? style : kKeywordStyle);
        const int nameStart = s.start;
        // Only a name that starts with "v" or "b" can open verbatim text.
        const int first = s.Peek(nameStart + 1 - s.i);
        if (first == 'v' && TextAt(s, nameStart, kTexVerb) &&
            !IsLetterOrDigit(s.Peek(nameStart + kTexVerbLength - s.i))) {
            s.data = c;
            s.start = s.i - 1;
            return kVerbatim;
        }
        if (first == 'b' && TextAt(s, nameStart, kTexBeginVerbatim)) {
            // "{", "verbatim", "}"; reading goes on inside the environment.
            s.Style(s.i - 1, kSpecialStyle);
            s.Style(s.i, kDefaultStyle);
            s.Style(s.i + 8, kSpecialStyle);
            s.Style(s.i + 9, kDefaultStyle);
            s.data = kEnvironmentDelimiter;
            s.start = s.i + 9;
            return kVerbatim;
        }
        --s.i;
        s.start = s.i;
        return kText;
    }

    // Math closes at "$", or at ")" after a backslash.
    static bool InMath(LineStyler& s, int c)
    {
        if ((c == '$' && !s.escaped) || (c == ')' && s.escaped)) {
            s.Style(s.start, kMathStyle);
            s.start = s.i;
            return false;
        }
        if (IsLineEnd(c)) {
            s.Style(s.start, kMathStyle);
            s.done = true;
            return true;
        }
        s.NoteEscape(c);
        return true;
    }

    // Verbatim text ends at its delimiter; an environment ends at "\end{verbatim}" where
    // its text on this line begins, and that closer is then read as ordinary text.
    static bool InVerbatim(LineStyler& s, int c)
    {
        if (IsLineEnd(c)) {
            s.Style(s.start, kDefaultStyle);
            s.done = true;
            return true;
        }
        if (s.data == kEnvironmentDelimiter && c == '\\') {
            if (TextAt(s, s.start, kTexEndVerbatim)) {
                s.Style(s.start, kDefaultStyle);
                s.i = s.start;
                return false;
            }
            return true;
        }
        if (c == s.data) {
            s.Style(s.start, kDefaultStyle);
            s.start = s.i;
            return false;
        }
        return true;
    }

    // A word of text goes on over letters and digits, all of them passed at once.
    static bool InWord(LineStyler& s, int c)
    {
        if (!IsLetterOrDigit(c))
            return false;
        while (IsLetterOrDigit(s.Peek()))
            ++s.i;
        return true;
    }

    // Ends a run at the character just read, which is read again as text.
    static State EndRun(LineStyler& s, int style)
    {
        s.Style(s.start, style);
        --s.i;
        s.start = s.i;
        return kText;
    }

    // A backquote takes the character after it along, and the pair reads as one blank.
    // At the end of the text that character is the absent one, 0, taken all the same,
    // so that the backquote stays in the run before it. (Read and dropped rather than
    // stepped over: the same in effect, and the styling loop stays as fast as it was.)
    static int TakeBackquote(LineStyler& s, int c)
    {
        if (c != '`')
            return c;
        s.Next();
        return ' ';
    }

    static State Step(LineStyler& s, State state, int c)
    {
        c = TakeBackquote(s, c);
        switch (state) {
        case kText:
            return s.AfterPlain(Text(s, c));
        case kBackslash:
            return Backslash(s, c);
        case kControlWord:
            if (IsNameCharacter(c)) {
                if (s.kw != 0)
                    s.kw = s.line.KeywordStep(c, s.kw);
                return kControlWord;
            }
            return ControlWordEnds(s, c);
        case kSpecial:
            return EndRun(s, kSpecialStyle);
        case kComment:
            return s.InLineComment(kCommentStyle) ? kComment : kText;
        case kMath:
            return InMath(s, c) ? kMath : kText;
        case kWord:
            return InWord(s, c) ? kWord : EndRun(s, kDefaultStyle);
        case kVerbatim:
            return InVerbatim(s, c) ? kVerbatim : kText;
        }
        s.done = true;
        return state;
    }
};

} // namespace

void StyleTexLine(VLanguageProxy& line, short* state)
{
    StyleLineWith<TexLines>(line, state);
}
