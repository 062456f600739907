// The services the HTML plug-in exports.
#include "balance.h"
#include "language_exports.h"
#include "scanner.h"
#include "styler.h"

extern "C" VARNEL_EXPORT void StyleLine(VLanguageProxy& line, short* state)
{
    StyleHtmlLine(line, state);
}

extern "C" VARNEL_EXPORT void ScanForFunctions(VLanguageProxy& document)
{
    try {
        ScanHtmlFunctions(document);
    } catch (...) {
        // Out of memory in the host: the entries reported so far stand.
    }
}

extern "C" VARNEL_EXPORT bool Balance(VLanguageProxy& document, int* selStart, int* selEnd)
{
    try {
        return BalanceHtml(document, selStart, selEnd);
    } catch (...) {
        return false;
    }
}

extern "C" VARNEL_EXPORT void CommentSelection(VLanguageProxy& document, int start, int end)
{
    try {
        CommentHtmlSelection(document, start, end);
    } catch (...) {
    }
}

extern "C" VARNEL_EXPORT void UncommentSelection(VLanguageProxy& document, int start, int end)
{
    try {
        UncommentHtmlSelection(document, start, end);
    } catch (...) {
    }
}
