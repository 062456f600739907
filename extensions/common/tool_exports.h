// What every tool extension exports: Perform (and, on Windows, its library entry).
#pragma once

#include "tool_proxy.h"

#if defined(_WIN32)
// Windows modules export through their module definition file.
#define VARNEL_TOOL_EXPORT
#else
#define VARNEL_TOOL_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

// Runs the extension on the document; 0 when it finished (also after a cancelled
// dialog), otherwise the code of the host operation that failed, or -1.
VARNEL_TOOL_EXPORT int Perform(VTextProxy& document);

}
