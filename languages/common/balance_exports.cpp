// Balance of the plug-ins for C-like text.
#include "bracket_balancer.h"
#include "language_exports.h"

extern "C" VARNEL_EXPORT bool Balance(VLanguageProxy& document, int* selStart, int* selEnd)
{
    try {
        return BalanceBrackets(document, selStart, selEnd, kCLikeBalance);
    } catch (...) {
        return false;
    }
}
