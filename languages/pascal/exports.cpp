// The services the Pascal plug-in exports.
#include "balancer.h"
#include "language_exports.h"
#include "scanner.h"
#include "styler.h"

extern "C" VARNEL_EXPORT void StyleLine(VLanguageProxy& line, short* state)
{
    StylePascalLine(line, state);
}

extern "C" VARNEL_EXPORT void ScanForFunctions(VLanguageProxy& document)
{
    try {
        ScanPascalFunctions(document);
    } catch (...) {
        // Out of memory: the entries reported so far stand.
    }
}

extern "C" VARNEL_EXPORT bool Balance(VLanguageProxy& document, int* selStart, int* selEnd)
{
    try {
        return BalancePascal(document, selStart, selEnd);
    } catch (...) {
        // Out of memory for the open blocks: no block is found.
        return false;
    }
}
