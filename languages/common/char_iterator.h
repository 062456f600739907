// A position in the proxy's text together with the character found there.
//
// The steps are inline: a scanner's loop over the text then costs one proxy call per
// character, and the host answers an ASCII character without decoding it.
#pragma once

#include "language_proxy.h"

// The version-2 operations of the proxy, or null when the host passed an older one.
VLanguageProxyV2* AsProxyV2(VLanguageProxy& proxy);

struct CharIterator {
    VLanguageProxyV2* proxy;
    int offset;
    int ch;             // the character at offset; 0 at and beyond the end of the text
    bool caseSensitive; // used when comparing the text at offset

    explicit CharIterator(VLanguageProxyV2& textProxy, int start = 0)
        : proxy(&textProxy), offset(start), ch(0), caseSensitive(true)
    {
        int length = 0;
        proxy->CodePointAt(offset, &ch, &length);
    }

    // Moves past the current character and answers the new current character.
    int Advance()
    {
        ch = proxy->NextChar(&offset);
        return ch;
    }

    int Advance(int count)
    {
        for (int i = 0; i < count; ++i)
            Advance();
        return ch;
    }

    // Moves back to the start of the previous character and answers it.
    int Back()
    {
        ch = proxy->PrevChar(&offset);
        return ch;
    }

    // True when the text at the iterator begins with s.
    bool StartsWith(const char* s) const { return proxy->CompareText(offset, s, caseSensitive) == 0; }
};
