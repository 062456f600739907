// A position in the proxy's text together with the character found there.
#pragma once

#include "language_proxy.h"

// The version-2 operations of the proxy, or null when the host passed an older one.
VLanguageProxyV2* AsProxyV2(VLanguageProxy& proxy);

struct CharIterator {
    VLanguageProxyV2* proxy;
    int offset;
    int ch;             // the character at offset; 0 at and beyond the end of the text
    bool caseSensitive; // used when comparing the text at offset

    explicit CharIterator(VLanguageProxyV2& textProxy, int start = 0);

    // Moves past the current character and answers the new current character.
    int Advance();
    int Advance(int count);
    // Moves back to the start of the previous character and answers it.
    int Back();
    // True when the text at the iterator begins with s.
    bool StartsWith(const char* s) const;
};
