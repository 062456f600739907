// The services the Java plug-in exports.
#include "language_exports.h"
#include "scanner.h"
#include "styler.h"

extern "C" VARNEL_EXPORT void StyleLine(VLanguageProxy& line, short* state)
{
    StyleJavaLine(line, state);
}

extern "C" VARNEL_EXPORT void ScanForFunctions(VLanguageProxy& document)
{
    try {
        ScanJavaFunctions(document);
    } catch (...) {
        // Out of memory: the entries reported so far stand.
    }
}
