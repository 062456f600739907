// ActionScript lines: words (with "#" directives) looked up in eight styled keyword
// sets, block and line comments, and strings in double or single quotes.
#include "styler.h"

#include "line_styler.h"

namespace {

enum Style { kDefaultStyle = 0, kCommentStyle = 2, kStringStyle = 3 };

// Keywords, identifiers, objects, properties, functions, deprecated words and user
// sets 1 and 2; user sets 3 and 4 have no style of their own.
constexpr int kSetStyles[] = {1, 4, 5, 6, 7, 8, 9, 10};

// "#include" and "#initclip" are words.
bool IsWordStart(int c)
{
    return IsAsciiLetter(c) || c == '_' || c == '#';
}

// A "#" or "." ends a word.
bool IsWordCharacter(int c)
{
    return IsAsciiLetter(c) || c == '_' || IsAsciiDigit(c);
}

struct ActionScriptLines {
    enum State : short {
        kPlain = 0,
        kWord = 1,
        kNoRole = 2,
        kBlockComment = 3,
        kLineComment = 4,
        kDoubleQuoted = 5,
        kSingleQuoted = 6,
    };

    static bool IsState(int value) { return value >= kPlain && value <= kSingleQuoted; }

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
            return kDoubleQuoted;
        }
        if (c == '\'') {
            s.BeginQuoted();
            return kSingleQuoted;
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

void StyleActionScriptLine(VLanguageProxy& line, short* state)
{
    StyleLineWith<ActionScriptLines>(line, state);
}
