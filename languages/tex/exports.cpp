// The services the TeX plug-in exports.
#include "bracket_balancer.h"
#include "language_exports.h"
#include "scanner.h"
#include "styler.h"

extern "C" VARNEL_EXPORT void StyleLine(VLanguageProxy& line, short* state)
{
    StyleTexLine(line, state);
}

extern "C" VARNEL_EXPORT void ScanForFunctions(VLanguageProxy& document)
{
    try {
        ScanTexFunctions(document);
    } catch (...) {
        // Out of memory: the entries reported so far stand.
    }
}

extern "C" VARNEL_EXPORT bool Balance(VLanguageProxy& document, int* selStart, int* selEnd)
{
    try {
        return BalanceBrackets(document, selStart, selEnd, kTexBalance);
    } catch (...) {
        return false;
    }
}
