// The Oberon-2 function scanner, generated from scanner.l.
#pragma once

#include "language_proxy.h"

// Lists the procedures and forward declarations of a module, and the modules it imports.
// Not reentrant: the engine's state is the library's own.
void ScanOberonFunctions(VLanguageProxy& document);
