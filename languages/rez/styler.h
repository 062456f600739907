// Colouring one line of a Rez resource description.
#pragma once

#include "language_proxy.h"

void StyleRezLine(VLanguageProxy& line, short* state);
