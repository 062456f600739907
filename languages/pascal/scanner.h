// The Pascal function scanner: routines (nested ones indented), interface and forward
// declarations, and types for the function list; units of USES clauses for the include
// list.
#pragma once

#include "language_proxy.h"

void ScanPascalFunctions(VLanguageProxy& document);
