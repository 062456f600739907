// The Python function scanner: functions and classes for the function list, imported
// modules for the include list.
#pragma once

#include "language_proxy.h"

void ScanPythonFunctions(VLanguageProxy& document);
