// The skip rules of the bracket balancer: what lies between the brackets that count.
#include "bracket_balancer.h"

#include "tex_verbatim.h"
#include "text_scanning.h"

namespace {

// On a backslash: steps over "\verb" text, a verbatim environment or the control symbol.
void SkipTexControl(CharIterator& it)
{
    if (it.StartsWith(kTexVerb)) {
        const int delimiter = CharacterAhead(it, kTexVerbLength);
        if (delimiter == 0) {
            // The text ends where the delimiter would be.
            it.Advance(kTexVerbLength);
            return;
        }
        if (!IsAsciiLetterOrDigit(delimiter)) {
            it.Advance(kTexVerbLength + 1);
            SkipPastCharacter(it, delimiter);
            return;
        }
    }
    if (it.StartsWith(kTexBeginVerbatim)) {
        it.Advance(kTexBeginVerbatimLength);
        while (it.ch != 0 && !it.StartsWith(kTexEndVerbatim))
            it.Advance();
        if (it.ch != 0)
            it.Advance(kTexEndVerbatimLength);
        return;
    }
    it.Advance(2);
}

} // namespace

void SkipCLike(CharIterator& it)
{
    for (;;) {
        switch (it.ch) {
        case 0:
        case '(':
        case ')':
        case '[':
        case ']':
        case '{':
        case '}':
            return;
        case '"':
        case '\'':
            SkipQuoted(it);
            break;
        case '/':
            if (!SkipSlashComment(it, LineCommentEnd::LineFeed))
                it.Advance();
            break;
        default:
            it.Advance();
            break;
        }
    }
}

void SkipTex(CharIterator& it)
{
    for (;;) {
        switch (it.ch) {
        case 0:
        case '{':
        case '}':
        case '[':
        case ']':
            return;
        case '%':
            SkipPastCharacter(it, '\n');
            break;
        case '\\':
            SkipTexControl(it);
            break;
        default:
            it.Advance();
            break;
        }
    }
}
