// Widening a selection in Pascal text to the inside of the innermost block around it:
// BEGIN…END, CASE…OF…END, REPEAT…UNTIL, RECORD…END, (…) or […].
#pragma once

#include "language_proxy.h"

// On success sets the selection to the block's inside (from just after its opening token,
// or after OF in a CASE, to the start of its closing token) and answers true; otherwise
// answers false and leaves the selection as it was.
bool BalancePascal(VLanguageProxy& document, int* selStart, int* selEnd);
