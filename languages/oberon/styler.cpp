// Oberon-2 lines: case-sensitive keywords, "(* *)" comments that nest (their depth in
// the high byte of the line state), "<* *>" pragmas, strings in either quote, and set
// constructors in braces.
#include "styler.h"

#include "line_styler.h"

namespace {

enum Style { kDefaultStyle = 0, kCommentStyle = 2, kStringStyle = 3, kSetStyle = 4 };

// Keyword set 1 and the four user sets.
constexpr int kSetStyles[] = {1, 5, 6, 7, 8};

constexpr int kMaxDepth = 0xff;

struct OberonLines {
    static constexpr bool kHighByteData = true; // the depth of open comments

    enum State : short {
        kPlain = 0,
        kWord = 1,
        kNoRole = 2,
        kComment = 3,
        kPragma = 4,
        kDoubleQuoted = 5,
        kSingleQuoted = 6,
        kSet = 7,
    };

    static bool IsState(int value) { return value >= kPlain && value <= kSet && value != kNoRole; }

    static int OpeningStyle(State state)
    {
        return state == kComment || state == kPragma ? kCommentStyle : kDefaultStyle;
    }

    // The "*" just read is the one of the opener that began this run on this line.
    static bool IsOpenersStar(const LineStyler& s) { return s.opened >= 0 && s.i - 2 == s.opened; }

    static State Plain(LineStyler& s, int c)
    {
        if (IsIdentifierStart(c))
            return s.OpenWord(c, kWord);
        if (c == '(' && s.Peek() == '*') {
            s.opened = s.i - 1;
            if (s.data < kMaxDepth)
                ++s.data;
            return kComment;
        }
        if (c == '<' && s.Peek() == '*') {
            s.opened = s.i - 1;
            return kPragma;
        }
        if (c == '"')
            return s.OpenQuoted(kDoubleQuoted);
        if (c == '\'')
            return s.OpenQuoted(kSingleQuoted);
        if (c == '{')
            return kSet;
        if (IsLineEnd(c))
            s.done = true;
        return kPlain;
    }

    // A "*)" closes one level; the last level closes the comment, after its ")". A "(*"
    // opens one more, its "*" taken with it.
    static bool InComment(LineStyler& s, int c)
    {
        if (c == '*' && s.Peek() == ')' && !IsOpenersStar(s)) {
            if (s.data > 1) {
                --s.data;
                return true;
            }
            s.data = 0;
            s.Style(s.start, kCommentStyle);
            ++s.i;
            s.start = s.i;
            return false;
        }
        if (c == '(' && s.Peek() == '*') {
            if (s.data < kMaxDepth)
                ++s.data;
            ++s.i;
            return true;
        }
        if (IsLineEnd(c)) {
            s.Style(s.start, kCommentStyle);
            s.done = true;
        }
        return true;
    }

    static bool InPragma(LineStyler& s, int c)
    {
        if (c == '*' && s.Peek() == '>' && !IsOpenersStar(s)) {
            s.Style(s.start, kCommentStyle);
            ++s.i;
            s.start = s.i;
            return false;
        }
        if (IsLineEnd(c)) {
            s.Style(s.start, kCommentStyle);
            s.done = true;
        }
        return true;
    }

    // A set closes at "}"; one left open at the line's end is plain text.
    static bool InSet(LineStyler& s, int c)
    {
        if (c == '}') {
            s.Style(s.start, kSetStyle);
            s.start = s.i;
            return false;
        }
        if (IsLineEnd(c)) {
            s.Style(s.start, kDefaultStyle);
            s.done = true;
            return false;
        }
        return true;
    }

    static State Step(LineStyler& s, State state, int c)
    {
        switch (state) {
        case kPlain:
            return s.AfterPlain(Plain(s, c));
        case kWord:
            return s.InWord(c, IsIdentifierCharacter(c), kSetStyles) ? kWord : kPlain;
        case kNoRole:
            break;
        case kComment:
            return InComment(s, c) ? kComment : kPlain;
        case kPragma:
            return InPragma(s, c) ? kPragma : kPlain;
        case kDoubleQuoted:
            return s.InQuotedString(c, '"', kStringStyle) ? kDoubleQuoted : kPlain;
        case kSingleQuoted:
            return s.InQuotedString(c, '\'', kStringStyle) ? kSingleQuoted : kPlain;
        case kSet:
            return InSet(s, c) ? kSet : kPlain;
        }
        // A line in a state without a role stops at once and hands the state on.
        s.done = true;
        return state;
    }
};

} // namespace

void StyleOberonLine(VLanguageProxy& line, short* state)
{
    StyleLineWith<OberonLines>(line, state);
}
