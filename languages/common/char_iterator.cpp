#include "char_iterator.h"

#include <atomic>
#include <typeinfo>

namespace {

// The dynamic type of the last proxy the downcast was worked out for, when the proxy
// began its object and the version-2 part began there too. The host passes proxies of
// one type line after line, so the search through the type's bases is done once.
std::atomic<const std::type_info*> knownType{nullptr};

} // namespace

VLanguageProxyV2* AsProxyV2(VLanguageProxy& proxy)
{
    const std::type_info* type = &typeid(proxy);
    const bool atObjectStart = dynamic_cast<void*>(&proxy) == static_cast<void*>(&proxy);
    if (atObjectStart && knownType.load(std::memory_order_relaxed) == type)
        return static_cast<VLanguageProxyV2*>(&proxy);
    VLanguageProxyV2* text = dynamic_cast<VLanguageProxyV2*>(&proxy);
    if (text != nullptr && atObjectStart && static_cast<void*>(text) == static_cast<void*>(&proxy))
        knownType.store(type, std::memory_order_relaxed);
    return text;
}
