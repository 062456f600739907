// The services the Shell plug-in exports.
#include "language_exports.h"
#include "styler.h"

extern "C" VARNEL_EXPORT void StyleLine(VLanguageProxy& line, short* state)
{
    StyleShellLine(line, state);
}
