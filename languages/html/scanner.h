// The function list of an HTML page: named anchors, headings, and the functions of its
// JavaScript and PHP; the include list: the targets of its links.
#pragma once

#include "language_proxy.h"

void ScanHtmlFunctions(VLanguageProxy& document);
