// Colouring one line of Pascal source.
#pragma once

#include "language_proxy.h"

void StylePascalLine(VLanguageProxy& line, short* state);
