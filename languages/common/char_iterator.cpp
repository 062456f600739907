#include "char_iterator.h"

VLanguageProxyV2* AsProxyV2(VLanguageProxy& proxy)
{
    return dynamic_cast<VLanguageProxyV2*>(&proxy);
}

CharIterator::CharIterator(VLanguageProxyV2& textProxy, int start)
    : proxy(&textProxy), offset(start), ch(0), caseSensitive(true)
{
    int length = 0;
    proxy->CodePointAt(offset, &ch, &length);
}

int CharIterator::Advance()
{
    ch = proxy->NextChar(&offset);
    return ch;
}

int CharIterator::Advance(int count)
{
    for (int i = 0; i < count; ++i)
        Advance();
    return ch;
}

int CharIterator::Back()
{
    ch = proxy->PrevChar(&offset);
    return ch;
}

bool CharIterator::StartsWith(const char* s) const
{
    return proxy->CompareText(offset, s, caseSensitive) == 0;
}
