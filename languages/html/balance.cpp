// In markup the tags balance and comments are "<!--" ... "-->"; inside a script the
// brackets balance from the start of the script, and comments are "//" or "#".
#include "balance.h"

#include "bracket_balancer.h"
#include "context.h"
#include "selection_comment.h"
#include "tag_balance.h"

namespace {

const SelectionMarkers& MarkersAt(VLanguageProxyV2& document, int start)
{
    return MarkersFor(static_cast<CommentContext>(FindContext(document, start).context));
}

} // namespace

bool BalanceHtml(VLanguageProxy& document, int* selStart, int* selEnd)
{
    VLanguageProxyV2* text = AsProxyV2(document);
    if (text == nullptr || selStart == nullptr || selEnd == nullptr)
        return false;
    if (*selStart < 0 || *selStart > *selEnd || *selEnd > text->TextLength())
        return false;
    const ContextAt at = FindContext(*text, *selStart);
    if (at.context == HtmlContext::Markup)
        return BalanceTags(document, selStart, selEnd);
    return BalanceBrackets(document, selStart, selEnd, kCLikeBalance, at.regionStart);
}

void CommentHtmlSelection(VLanguageProxy& document, int start, int end)
{
    if (VLanguageProxyV2* text = AsProxyV2(document))
        CommentSelectionWith(document, start, end, MarkersAt(*text, start));
}

void UncommentHtmlSelection(VLanguageProxy& document, int start, int end)
{
    if (VLanguageProxyV2* text = AsProxyV2(document))
        UncommentSelectionWith(document, start, end, MarkersAt(*text, start));
}
