// The services the Rez plug-in exports; its Balance is the shared bracket balancer.
#include "language_exports.h"
#include "scanner.h"
#include "styler.h"

extern "C" VARNEL_EXPORT void StyleLine(VLanguageProxy& line, short* state)
{
    StyleRezLine(line, state);
}

extern "C" VARNEL_EXPORT void ScanForFunctions(VLanguageProxy& document)
{
    try {
        ScanRezFunctions(document);
    } catch (...) {
        // Out of memory: the entries reported so far stand.
    }
}
