// Colouring one line of an HTML page, with the JavaScript and PHP in it.
#pragma once

#include "language_proxy.h"

void StyleHtmlLine(VLanguageProxy& line, short* state);
