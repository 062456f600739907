// The Oberon-2 bracket balancer: counts "(" ")", "[" "]" and "{" "}" as plain characters,
// wherever they stand.
#pragma once

#include "language_proxy.h"

bool BalanceOberon(VLanguageProxy& document, int* selStart, int* selEnd);
