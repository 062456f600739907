// Colouring one line of a shell script or makefile.
#pragma once

#include "language_proxy.h"

void StyleShellLine(VLanguageProxy& line, short* state);
