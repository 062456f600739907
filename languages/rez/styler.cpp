// Rez lines: words looked up in lower case, so that keywords match in any case;
// preprocessor directives from their "#"; "$$" function names; "/* */" and "//"
// comments; strings in double quotes continued by a final backslash; and character
// constants of 1, 2 or 4 characters, such as a resource type in single quotes.
#include "styler.h"

#include "line_styler.h"

namespace {

enum Style {
    kDefaultStyle = 0,
    kCharConstantStyle = 2,
    kCommentStyle = 3,
    kStringStyle = 4,
    kFunctionStyle = 5,
};

// Keyword set 1, the "$$" functions and the four user sets.
constexpr int kSetStyles[] = {1, 5, 6, 7, 8, 9};

// The keyword sets of a "$$" function name: the functions' set alone.
constexpr int kFunctionSetsOnly = 2;

// Letters are the ASCII letters and every byte from 128 up.
bool IsRezLetter(int c)
{
    return IsAsciiLetter(c) || c >= 128;
}

bool IsRezWordCharacter(int c)
{
    return IsRezLetter(c) || IsAsciiDigit(c) || c == '_';
}

bool IsLowerCaseLetter(int c)
{
    return c >= 'a' && c <= 'z';
}

struct RezLines {
    enum State : short {
        kPlain = 0,
        kWord = 1,
        kBlockComment = 3,
        kLineComment = 4,
        kDoubleQuoted = 5,
        kCharConstant = 6,
        kAfterHash = 8,
        kDirective = 9,
        kFunction = 11,
    };

    static bool IsState(int value)
    {
        switch (value) {
        case kPlain:
        case kWord:
        case kBlockComment:
        case kLineComment:
        case kDoubleQuoted:
        case kCharConstant:
        case kAfterHash:
        case kDirective:
        case kFunction:
            return true;
        default:
            return false;
        }
    }

    static int OpeningStyle(State state)
    {
        return state == kBlockComment || state == kLineComment ? kCommentStyle : kDefaultStyle;
    }

    static State Plain(LineStyler& s, int c)
    {
        if (c == '#')
            return s.OpenWord(c, kAfterHash);
        if (IsRezLetter(c) || c == '_')
            return s.OpenWord(c, kWord, CaseFold::Lower);
        if (c == '/' && s.Peek() == '*')
            return kBlockComment;
        if (c == '/' && s.Peek() == '/')
            return kLineComment;
        if (c == '"')
            return s.OpenQuoted(kDoubleQuoted);
        if (c == '\'')
            return s.OpenQuoted(kCharConstant);
        if (c == '$' && s.Peek() == '$') {
            ++s.i; // the second "$" is taken; the name's run starts at the first
            s.kw = 1; // the matcher's start, nothing fed yet
            return kFunction;
        }
        if (IsLineEnd(c))
            s.done = true;
        return kPlain;
    }

    // Between "#" and a directive's name blanks may stand; a name starts with a
    // lower-case letter. Anything else leaves the "#" plain.
    static State AfterHash(LineStyler& s, int c)
    {
        if (c == ' ' || c == '\t')
            return kAfterHash;
        if (IsLowerCaseLetter(c)) {
            if (s.kw != 0)
                s.kw = s.line.KeywordStep(c, s.kw);
            return kDirective;
        }
        s.Style(s.start, kDefaultStyle);
        --s.i;
        s.start = s.i;
        return kPlain;
    }

    // A "$$" name is styled from its first "$" when it is a function name and no keyword
    // besides; otherwise it is plain.
    static bool InFunction(LineStyler& s, int c)
    {
        if (IsRezLetter(c) || IsAsciiDigit(c)) {
            if (s.kw != 0)
                s.kw = s.line.KeywordStep(FoldCase(c, CaseFold::Lower), s.kw);
            return true;
        }
        const int style = s.line.KeywordSets(s.kw) == kFunctionSetsOnly ? kFunctionStyle : kDefaultStyle;
        s.Style(s.start > 0 ? s.start - 1 : 0, style);
        --s.i;
        s.start = s.i;
        return false;
    }

    static State Step(LineStyler& s, State state, int c)
    {
        switch (state) {
        case kPlain:
            return s.AfterPlain(Plain(s, c));
        case kWord:
            return s.InWord(c, IsRezWordCharacter(c), kSetStyles, CaseFold::Lower) ? kWord : kPlain;
        case kBlockComment:
            return s.InBlockComment(c, kCommentStyle) ? kBlockComment : kPlain;
        case kLineComment:
            return s.InLineComment(kCommentStyle) ? kLineComment : kPlain;
        case kDoubleQuoted:
            return s.InQuotedString(c, '"', kStringStyle) ? kDoubleQuoted : kPlain;
        case kCharConstant:
            return s.InCharConstant(c, kCharConstantStyle) ? kCharConstant : kPlain;
        case kAfterHash:
            return AfterHash(s, c);
        case kDirective:
            return s.InWord(c, IsLowerCaseLetter(c), kSetStyles) ? kDirective : kPlain;
        case kFunction:
            return InFunction(s, c) ? kFunction : kPlain;
        }
        // A line in a state without a role stops at once and hands the state on.
        s.done = true;
        return state;
    }
};

} // namespace

void StyleRezLine(VLanguageProxy& line, short* state)
{
    StyleLineWith<RezLines>(line, state);
}
