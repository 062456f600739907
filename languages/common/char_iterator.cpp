#include "char_iterator.h"

VLanguageProxyV2* AsProxyV2(VLanguageProxy& proxy)
{
    return dynamic_cast<VLanguageProxyV2*>(&proxy);
}
