// Colouring one line of Oberon-2 source.
#pragma once

#include "language_proxy.h"

void StyleOberonLine(VLanguageProxy& line, short* state);
