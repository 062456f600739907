// Balance and the selection comments of the HTML plug-in: markup, JavaScript or PHP,
// as the text at the selection start is.
#pragma once

#include "language_proxy.h"

bool BalanceHtml(VLanguageProxy& document, int* selStart, int* selEnd);
void CommentHtmlSelection(VLanguageProxy& document, int start, int end);
void UncommentHtmlSelection(VLanguageProxy& document, int start, int end);
