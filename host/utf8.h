// Decoding UTF-8 as the host presents text to plug-ins.
#pragma once

#include <cstddef>

namespace varnel {

struct Utf8Char {
    int codePoint; // the character; a byte that starts no valid sequence stands for itself
    int length;    // bytes taken, at least 1 when any byte was available
};

// Decodes the character at bytes[0], reading at most `available` bytes. Invalid,
// overlong or truncated sequences decode as the single byte at bytes[0].
// With nothing available the result is {0, 0}.
Utf8Char DecodeUtf8(const char* bytes, std::size_t available);

// The offset of the start of the character that ends just before `offset`
// (one byte back when the bytes before do not form a valid sequence ending there).
int PreviousCharStart(const char* bytes, int offset);

} // namespace varnel
