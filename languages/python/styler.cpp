// Python lines: words looked up as keywords, "#" comments, strings in single or double
// quotes continued by a final backslash, and triple-quoted strings that run on over
// lines until their closing quotes.
#include "styler.h"

#include "line_styler.h"

namespace {

// Strings in triple double quotes are shown as comments.
enum Style { kDefaultStyle = 0, kCommentStyle = 2, kStringStyle = 3 };

// Keyword set 1, the built-in functions and user sets 1 to 3; user set 4 has no style
// of its own.
constexpr int kSetStyles[] = {1, 4, 5, 6, 7};

// Whether the next two characters are both `quote`.
STYLER_STEP bool TwoMore(const LineStyler& s, int quote)
{
    return s.Peek(0) == quote && s.Peek(1) == quote;
}

// Inside a triple-quoted string. The opener's two further quotes are read here too, and
// every quote is tested for closing, so four quotes in a row open and close the string.
// With `escapes`, a backslash keeps the next character from closing it. False when the
// string closed; scanning then resumes after the third quote.
STYLER_STEP bool InTripleQuoted(LineStyler& s, int c, int quote, int style, bool escapes)
{
    for (;; c = s.Next()) {
        // Characters that neither close, escape nor end the line only clear the escape.
        if (!(escapes && s.escaped)) {
            while (c != quote && c != '\\' && !IsLineEnd(c))
                c = s.Next();
        }
        if (c == quote && !(escapes && s.escaped) && TwoMore(s, quote)) {
            s.Style(s.start, style);
            s.i += 2;
            s.start = s.i;
            return false;
        }
        if (IsLineEnd(c)) {
            s.Style(s.start, style);
            s.done = true;
            return true;
        }
        if (escapes)
            s.NoteEscape(c);
    }
}

struct PythonLines {
    enum State : int {
        kPlain = 0,
        kWord = 1,
        kNoRole = 2,
        kTripleDouble = 3,
        kComment = 4,
        kDoubleQuoted = 5,
        kSingleQuoted = 6,
        kTripleSingle = 7,
    };

    static constexpr const PlainTextSets& kSets = kHashCommentSets;

    static bool IsState(int value) { return value >= kPlain && value <= kTripleSingle; }

    static int OpeningStyle(State state)
    {
        if (state == kTripleDouble || state == kComment)
            return kCommentStyle;
        return state == kTripleSingle ? kStringStyle : kDefaultStyle;
    }

    // A string that the quote opens in plain text, in triple quotes when two more
    // follow, read from the character after the quote. True when it runs on into the
    // next line; `state` is the string's state.
    template <int kQuote>
    STYLER_STEP static bool Quoted(LineStyler& s, State& state)
    {
        constexpr bool kDouble = kQuote == '"';
        const bool triple = TwoMore(s, kQuote);
        if (triple)
            state = s.AfterPlain(s.OpenQuoted(kDouble ? kTripleDouble : kTripleSingle));
        else
            state = s.AfterPlain(s.OpenQuoted(kDouble ? kDoubleQuoted : kSingleQuoted));
        if (!triple)
            return s.InQuotedString(s.Next(), kQuote, kStringStyle);
        if (kDouble)
            return InTripleQuoted(s, s.Next(), '"', kCommentStyle, false);
        return InTripleQuoted(s, s.Next(), '\'', kStringStyle, true);
    }

    // Plain text from the character c on, with each token it opens read where it
    // opens, until the line is done or a token runs on into the next line; answers the
    // line's state then.
    STYLER_STEP static State InPlain(LineStyler& s, int c)
    {
        for (;;) {
            c = s.SkipOver(kSets.plainText, c);
            if (IsIdentifierStart(c)) {
                c = s.PlainWord(c, kSets.wordCharacters, kSetStyles);
                continue;
            }
            if (c == '"' || c == '\'') {
                State state;
                const bool runsOn = c == '"' ? Quoted<'"'>(s, state) : Quoted<'\''>(s, state);
                if (s.AfterToken(runsOn, state, c))
                    continue;
                return state;
            }
            if (c == '#')
                return s.PlainLineComment(kCommentStyle) ? kComment : kPlain;
            return s.PlainLineEnd<State>();
        }
    }

    // Back in plain text after a token: the line reads on there at once, as the next
    // turn of the line loop would, unless the token finished the line.
    STYLER_STEP static State BackToPlain(LineStyler& s) { return s.done ? kPlain : InPlain(s, s.Next()); }

    STYLER_STEP static State Step(LineStyler& s, State state, int c)
    {
        switch (state) {
        case kPlain:
            return InPlain(s, c);
        case kWord:
            // The character after the word is plain text's next.
            return InPlain(s, s.ReadWord(c, kSets.wordCharacters, kSetStyles));
        case kNoRole:
            break;
        case kTripleDouble:
            return InTripleQuoted(s, c, '"', kCommentStyle, false) ? kTripleDouble : BackToPlain(s);
        case kComment:
            return s.InLineComment(kCommentStyle) ? kComment : kPlain;
        case kDoubleQuoted:
            return s.InQuotedString(c, '"', kStringStyle) ? kDoubleQuoted : BackToPlain(s);
        case kSingleQuoted:
            return s.InQuotedString(c, '\'', kStringStyle) ? kSingleQuoted : BackToPlain(s);
        case kTripleSingle:
            return InTripleQuoted(s, c, '\'', kStringStyle, true) ? kTripleSingle : BackToPlain(s);
        }
        // A line in a state without a role stops at once and hands the state on.
        s.done = true;
        return state;
    }
};

} // namespace

void StylePythonLine(VLanguageProxy& line, short* state)
{
    StyleLineWith<PythonLines>(line, state);
}
