// Java lines: the C-family styler, with dotted names as words and character constants
// in single quotes.
#include "styler.h"

#include "c_family_styler.h"

namespace {

struct JavaSyntax {
    // A dotted name such as a package path is one word.
    static constexpr bool IsWordStart(int c) { return IsIdentifierStart(c); }
    static constexpr bool IsWordCharacter(int c) { return IsIdentifierCharacter(c) || c == '.'; }

    // Keyword set 1 and the four user sets.
    static constexpr int kSetStyles[] = {1, 5, 6, 7, 8};
    static constexpr int kCharConstantStyle = 2;
    static constexpr int kCommentStyle = 3;
    static constexpr int kStringStyle = 4;
    static constexpr bool kCharConstants = true;
};

} // namespace

void StyleJavaLine(VLanguageProxy& line, short* state)
{
    StyleLineWith<CFamilyLines<JavaSyntax>>(line, state);
}
