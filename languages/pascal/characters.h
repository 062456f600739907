// The character classes of Pascal text, on bytes (in the styler) or on characters
// (in the scanner and the balancer) alike.
#pragma once

#include "line_styler.h"

// Letters are the ASCII letters and every value from 128 up.
inline bool IsPascalLetter(int c)
{
    return IsAsciiLetter(c) || c >= 128;
}

inline bool IsPascalIdentifierCharacter(int c)
{
    return IsPascalLetter(c) || IsAsciiDigit(c) || c == '_';
}
