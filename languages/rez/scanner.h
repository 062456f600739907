// The Rez function scanner: every type and resource definition for the function list,
// the files of "#include" directives for the include list.
#pragma once

#include "language_proxy.h"

void ScanRezFunctions(VLanguageProxy& document);
