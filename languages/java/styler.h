// Colouring one line of Java source.
#pragma once

#include "language_proxy.h"

void StyleJavaLine(VLanguageProxy& line, short* state);
