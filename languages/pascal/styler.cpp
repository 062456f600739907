// Pascal lines: words looked up in upper case, so that keywords match in any case;
// "(* *)" and "{ }" comments that run on over lines; strings in double or single quotes,
// continued by a final backslash.
#include "styler.h"

#include "characters.h"
#include "line_styler.h"

namespace {

enum Style { kDefaultStyle = 0, kCommentStyle = 2, kStringStyle = 3 };

// Keyword set 1 and the four user sets.
constexpr int kSetStyles[] = {1, 4, 5, 6, 7};

struct PascalLines {
    enum State : short {
        kPlain = 0,
        kWord = 1,
        kNoRole = 2,
        kParenComment = 3,
        kBraceComment = 4,
        kDoubleQuoted = 5,
        kSingleQuoted = 6,
    };

    static bool IsState(int value) { return value >= kPlain && value <= kSingleQuoted && value != kNoRole; }

    static int OpeningStyle(State state)
    {
        return state == kParenComment || state == kBraceComment ? kCommentStyle : kDefaultStyle;
    }

    static State Plain(LineStyler& s, int c)
    {
        if (IsPascalLetter(c) || c == '_')
            return s.OpenWord(c, kWord, CaseFold::Upper);
        if (c == '(' && s.Peek() == '*') {
            ++s.i; // the "*" is taken; the comment's run is counted from its "("
            return kParenComment;
        }
        if (c == '{')
            return kBraceComment;
        if (c == '"')
            return s.OpenQuoted(kDoubleQuoted);
        if (c == '\'')
            return s.OpenQuoted(kSingleQuoted);
        if (IsLineEnd(c))
            s.done = true;
        return kPlain;
    }

    // Inside "(* *)". A comment opened on this line has its run start on the "(", one
    // before `start`; one that came over from the line before starts at 0. The "*" of
    // the opener is never read here, so "(*)" opens a comment without closing it.
    static bool InParenComment(LineStyler& s, int c)
    {
        const int from = s.start > 0 ? s.start - 1 : 0;
        if (c == '*' && s.Peek() == ')') {
            s.Style(from, kCommentStyle);
            ++s.i;
            s.start = s.i;
            return false;
        }
        if (IsLineEnd(c)) {
            s.Style(from, kCommentStyle);
            s.done = true;
        }
        return true;
    }

    static bool InBraceComment(LineStyler& s, int c)
    {
        if (c == '}') {
            s.Style(s.start, kCommentStyle);
            s.start = s.i;
            return false;
        }
        if (IsLineEnd(c)) {
            s.Style(s.start, kCommentStyle);
            s.done = true;
        }
        return true;
    }

    static State Step(LineStyler& s, State state, int c)
    {
        switch (state) {
        case kPlain:
            return s.AfterPlain(Plain(s, c));
        case kWord:
            return s.InWord(c, IsPascalIdentifierCharacter(c), kSetStyles, CaseFold::Upper) ? kWord : kPlain;
        case kNoRole:
            break;
        case kParenComment:
            return InParenComment(s, c) ? kParenComment : kPlain;
        case kBraceComment:
            return InBraceComment(s, c) ? kBraceComment : kPlain;
        case kDoubleQuoted:
            return s.InQuotedString(c, '"', kStringStyle) ? kDoubleQuoted : kPlain;
        case kSingleQuoted:
            return s.InQuotedString(c, '\'', kStringStyle) ? kSingleQuoted : kPlain;
        }
        // A line in a state without a role stops at once and hands the state on.
        s.done = true;
        return state;
    }
};

} // namespace

void StylePascalLine(VLanguageProxy& line, short* state)
{
    StyleLineWith<PascalLines>(line, state);
}
