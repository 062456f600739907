// Colouring one line of ActionScript source.
#pragma once

#include "language_proxy.h"

void StyleActionScriptLine(VLanguageProxy& line, short* state);
