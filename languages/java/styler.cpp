// Java lines: words (dotted names whole) looked up as keywords, block and line
// comments, strings, and character constants.
#include "styler.h"

#include "line_styler.h"

namespace {

enum Style { kDefaultStyle = 0, kCharConstantStyle = 2, kCommentStyle = 3, kStringStyle = 4 };

// Keyword set 1 and the four user sets.
constexpr int kSetStyles[] = {1, 5, 6, 7, 8};

bool IsWordStart(int c)
{
    return IsAsciiLetter(c) || c == '_';
}

// A dotted name such as a package path is one word.
bool IsWordCharacter(int c)
{
    return IsWordStart(c) || IsAsciiDigit(c) || c == '.';
}

struct JavaLines {
    enum State : short {
        kPlain = 0,
        kWord = 1,
        kNoRole = 2,
        kBlockComment = 3,
        kLineComment = 4,
        kString = 5,
        kCharConstant = 6,
    };

    static bool IsState(int value) { return value >= kPlain && value <= kCharConstant; }

    static int OpeningStyle(State state)
    {
        return state == kBlockComment || state == kLineComment ? kCommentStyle : kDefaultStyle;
    }

    static State Plain(LineStyler& s, int c)
    {
        if (IsWordStart(c)) {
            s.BeginWord(c);
            return kWord;
        }
        if (c == '/' && s.Peek() == '*')
            return kBlockComment;
        if (c == '/' && s.Peek() == '/')
            return kLineComment;
        if (c == '"') {
            s.BeginQuoted();
            return kString;
        }
        if (c == '\'') {
            s.BeginQuoted();
            return kCharConstant;
        }
        if (IsLineEnd(c))
            s.done = true;
        return kPlain;
    }

    static State Step(LineStyler& s, State state, int c)
    {
        switch (state) {
        case kPlain: {
            const State next = Plain(s, c);
            s.AfterPlain(next != kPlain);
            return next;
        }
        case kWord:
            return s.InWord(c, IsWordCharacter(c), kSetStyles) ? kWord : kPlain;
        case kNoRole:
            break;
        case kBlockComment:
            return s.InBlockComment(c, kCommentStyle) ? kBlockComment : kPlain;
        case kLineComment:
            return s.InLineComment(kCommentStyle) ? kLineComment : kPlain;
        case kString:
            return s.InQuotedString(c, '"', kStringStyle) ? kString : kPlain;
        case kCharConstant:
            return s.InCharConstant(c, kCharConstantStyle) ? kCharConstant : kPlain;
        }
        // A line in a state without a role stops at once and hands the state on.
        s.done = true;
        return state;
    }
};

} // namespace

void StyleJavaLine(VLanguageProxy& line, short* state)
{
    StyleLineWith<JavaLines>(line, state);
}
