// The shapes of the functions a language plug-in exports, as the host binds them.
#pragma once

#include "language_proxy.h"

namespace varnel {

using ModuleHookFn = void (*)(); // the optional Init and CleanUp
using GetDataAddressFn = const void* (*)(const char* name);
using StyleLineFn = void (*)(VLanguageProxy& proxy, short* state);
using ScanForFunctionsFn = void (*)(VLanguageProxy& proxy);
using BalanceFn = bool (*)(VLanguageProxy& proxy, int* selStart, int* selEnd);
using LineCommentFn = void (*)(VLanguageProxy& proxy);
using SelectionCommentFn = void (*)(VLanguageProxy& proxy, int start, int end);

using StylePairs = const char* const (*)[2];

} // namespace varnel
