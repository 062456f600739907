// The services the ActionScript plug-in exports.
#include "language_exports.h"
#include "styler.h"

extern "C" VARNEL_EXPORT void StyleLine(VLanguageProxy& line, short* state)
{
    StyleActionScriptLine(line, state);
}
