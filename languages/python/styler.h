// Colouring one line of Python source.
#pragma once

#include "language_proxy.h"

void StylePythonLine(VLanguageProxy& line, short* state);
