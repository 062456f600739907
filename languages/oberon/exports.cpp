// The services the Oberon-2 plug-in exports.
#include "balancer.h"
#include "language_exports.h"
#include "scanner.h"
#include "styler.h"

extern "C" VARNEL_EXPORT void StyleLine(VLanguageProxy& line, short* state)
{
    StyleOberonLine(line, state);
}

extern "C" VARNEL_EXPORT void ScanForFunctions(VLanguageProxy& document)
{
    try {
        ScanOberonFunctions(document);
    } catch (...) {
        // Out of memory: the entries reported so far stand.
    }
}

extern "C" VARNEL_EXPORT bool Balance(VLanguageProxy& document, int* selStart, int* selEnd)
{
    return BalanceOberon(document, selStart, selEnd);
}
