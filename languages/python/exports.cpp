// The functions the Python plug-in exports beside the shared ones.
#include "language_exports.h"
#include "scanner.h"

extern "C" VARNEL_EXPORT void ScanForFunctions(VLanguageProxy& document)
{
    try {
        ScanPythonFunctions(document);
    } catch (...) {
        // Out of memory: the entries reported so far stand.
    }
}
