// The TeX function scanner, generated from scanner.l.
#pragma once

#include "language_proxy.h"

// Lists the sectioning commands and marker comments of a document. Not reentrant: the
// engine's state is the library's own.
void ScanTexFunctions(VLanguageProxy& document);
