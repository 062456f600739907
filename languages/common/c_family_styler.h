// The line styler of the C-family languages (Java, ActionScript): words looked up as
// keywords, "/* */" block comments, "//" line comments, strings in double quotes, and
// what a single quote opens, a character constant or a string. A language gives its
// syntax as a Syntax type:
//   static bool IsWordStart(int c), static bool IsWordCharacter(int c)
//   static constexpr int kSetStyles[]        the style of each keyword set
//   static constexpr int kCommentStyle, kStringStyle
//   static constexpr bool kCharConstants     whether a single quote opens a character
//                                            constant (else a string like a double quote)
//   static constexpr int kCharConstantStyle  the style of character constants, when
//                                            there are any
// and styles its lines with StyleLineWith<CFamilyLines<Syntax>>.
#pragma once

#include "line_styler.h"

template <typename Syntax>
struct CFamilyLines {
    enum State : int {
        kPlain = 0,
        kWord = 1,
        kNoRole = 2,
        kBlockComment = 3,
        kLineComment = 4,
        kDoubleQuoted = 5,
        kSingleQuoted = 6, // a character constant or a string, as the syntax says
    };

    // The characters of a word after its first, and those that leave plain text as it
    // is: none of the latter starts a word, a comment or a string, and none ends the line.
    static constexpr PlainTextSets kSets = {
        ByteSet::Of(Syntax::IsWordCharacter),
        ByteSet::Of([](int c) {
            return !Syntax::IsWordStart(c) && c != '/' && c != '"' && c != '\'' && !IsLineEnd(c);
        }),
    };

    static bool IsState(int value) { return value >= kPlain && value <= kSingleQuoted; }

    static int OpeningStyle(State state)
    {
        return state == kBlockComment || state == kLineComment ? Syntax::kCommentStyle : 0;
    }

    STYLER_STEP static bool InSingleQuotes(LineStyler& s, int c)
    {
        if constexpr (Syntax::kCharConstants)
            return s.InCharConstant(c, Syntax::kCharConstantStyle);
        return s.InQuotedString(c, '\'', Syntax::kStringStyle);
    }

    // Plain text from the character c on, with each token it opens read where it
    // opens, until the line is done or a token runs on into the next line; answers the
    // line's state then.
    STYLER_STEP static State InPlain(LineStyler& s, int c)
    {
        for (;;) {
            c = s.SkipOver(kSets.plainText, c);
            if (Syntax::IsWordStart(c)) {
                c = s.PlainWord(c, kSets.wordCharacters, Syntax::kSetStyles);
                continue;
            }
            bool runsOn;
            State state;
            if (c == '/') {
                const int next = s.Peek();
                if (next == '/')
                    return s.PlainLineComment(Syntax::kCommentStyle) ? kLineComment : kPlain;
                if (next != '*') {
                    // A slash that opens no comment is plain text.
                    c = s.Next();
                    continue;
                }
                state = s.AfterPlain(kBlockComment);
                runsOn = s.InBlockComment(s.Next(), Syntax::kCommentStyle);
            } else if (c == '"') {
                state = s.AfterPlain(s.OpenQuoted(kDoubleQuoted));
                runsOn = s.InQuotedString(s.Next(), '"', Syntax::kStringStyle);
            } else if (c == '\'') {
                state = s.AfterPlain(s.OpenQuoted(kSingleQuoted));
                runsOn = InSingleQuotes(s, s.Next());
            } else {
                return s.PlainLineEnd<State>();
            }
            if (!s.AfterToken(runsOn, state, c))
                return state;
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
            return InPlain(s, s.ReadWord(c, kSets.wordCharacters, Syntax::kSetStyles));
        case kNoRole:
            break;
        case kBlockComment:
            return s.InBlockComment(c, Syntax::kCommentStyle) ? kBlockComment : BackToPlain(s);
        case kLineComment:
            return s.InLineComment(Syntax::kCommentStyle) ? kLineComment : kPlain;
        case kDoubleQuoted:
            return s.InQuotedString(c, '"', Syntax::kStringStyle) ? kDoubleQuoted : BackToPlain(s);
        case kSingleQuoted:
            return InSingleQuotes(s, c) ? kSingleQuoted : BackToPlain(s);
        }
        // A line in a state without a role stops at once and hands the state on.
        s.done = true;
        return state;
    }
};
