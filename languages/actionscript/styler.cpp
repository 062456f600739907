// ActionScript lines: the C-family styler, with "#" directives as words, eight styled
// keyword sets, and strings in single quotes as in double quotes.
#include "styler.h"

#include "c_family_styler.h"

namespace {

struct ActionScriptSyntax {
    // "#include" and "#initclip" are words; a "#" or "." ends one.
    static constexpr bool IsWordStart(int c) { return IsIdentifierStart(c) || c == '#'; }
    static constexpr bool IsWordCharacter(int c) { return IsIdentifierCharacter(c); }

    // Keywords, identifiers, objects, properties, functions, deprecated words and user
    // sets 1 and 2; user sets 3 and 4 have no style of their own.
    static constexpr int kSetStyles[] = {1, 4, 5, 6, 7, 8, 9, 10};
    static constexpr int kCommentStyle = 2;
    static constexpr int kStringStyle = 3;
    static constexpr bool kCharConstants = false;
};

} // namespace

void StyleActionScriptLine(VLanguageProxy& line, short* state)
{
    StyleLineWith<CFamilyLines<ActionScriptSyntax>>(line, state);
}
