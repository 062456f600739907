// The functions the Java plug-in exports beside the shared ones.
#include "language_exports.h"
#include "scanner.h"

extern "C" VARNEL_EXPORT void ScanForFunctions(VLanguageProxy& document)
{
    try {
        ScanJavaFunctions(document);
    } catch (...) {
        // Out of memory: the entries reported so far stand.
    }
}
