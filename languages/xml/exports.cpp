// The services the XML plug-in exports: styling, and tag balancing and comments in
// markup throughout.
#include "language_exports.h"
#include "selection_comment.h"
#include "styler.h"
#include "tag_balance.h"

extern "C" VARNEL_EXPORT void StyleLine(VLanguageProxy& line, short* state)
{
    StyleXmlLine(line, state);
}

extern "C" VARNEL_EXPORT bool Balance(VLanguageProxy& document, int* selStart, int* selEnd)
{
    try {
        return BalanceTags(document, selStart, selEnd);
    } catch (...) {
        return false;
    }
}

extern "C" VARNEL_EXPORT void CommentSelection(VLanguageProxy& document, int start, int end)
{
    try {
        CommentSelectionWith(document, start, end, MarkersFor(CommentContext::Markup));
    } catch (...) {
    }
}

extern "C" VARNEL_EXPORT void UncommentSelection(VLanguageProxy& document, int start, int end)
{
    try {
        UncommentSelectionWith(document, start, end, MarkersFor(CommentContext::Markup));
    } catch (...) {
    }
}
