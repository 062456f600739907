// Colouring one line of TeX source.
#pragma once

#include "language_proxy.h"

void StyleTexLine(VLanguageProxy& line, short* state);
