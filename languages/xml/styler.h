// Colouring one line of an XML document.
#pragma once

#include "language_proxy.h"

void StyleXmlLine(VLanguageProxy& line, short* state);
