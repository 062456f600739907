// Shell lines: words looked up as keywords, "#" comments to the line end, and strings
// in double or single quotes, which a final backslash continues on the next line.
#include "styler.h"

#include "line_styler.h"

namespace {

enum Style { kDefaultStyle = 0, kCommentStyle = 2, kStringStyle = 3 };

// Keyword set 1 and the four user sets.
constexpr int kSetStyles[] = {1, 4, 5, 6, 7};

struct ShellLines {
    enum State : int { kPlain = 0, kWord = 1, kComment = 2, kDoubleQuoted = 3, kSingleQuoted = 4 };

    static constexpr const PlainTextSets& kSets = kHashCommentSets;

    static bool IsState(int value) { return value >= kPlain && value <= kSingleQuoted; }

    static int OpeningStyle(State state) { return state == kComment ? kCommentStyle : kDefaultStyle; }

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
                State state = s.AfterPlain(s.OpenQuoted(c == '"' ? kDoubleQuoted : kSingleQuoted));
                if (s.AfterToken(s.InQuotedString(s.Next(), c, kStringStyle), state, c))
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
        case kComment:
            return s.InLineComment(kCommentStyle) ? kComment : kPlain;
        case kDoubleQuoted:
            return s.InQuotedString(c, '"', kStringStyle) ? kDoubleQuoted : BackToPlain(s);
        case kSingleQuoted:
            return s.InQuotedString(c, '\'', kStringStyle) ? kSingleQuoted : BackToPlain(s);
        }
        s.done = true;
        return state;
    }
};

} // namespace

void StyleShellLine(VLanguageProxy& line, short* state)
{
    StyleLineWith<ShellLines>(line, state);
}
