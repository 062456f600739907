#include "utf8.h"

namespace varnel {

namespace {

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

Utf8Char DecodeUtf8(const char* bytes, std::size_t available)
{
    if (available == 0)
        return {0, 0};
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned char lead = b[0];
    if (lead < 0x80)
        return {lead, 1};

    int length = 0;
    int codePoint = 0;
    int minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, codePoint = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, codePoint = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
        return {lead, 1};
    }
    if (available < static_cast<std::size_t>(length))
        return {lead, 1};
    for (int i = 1; i < length; ++i) {
        if (!IsContinuation(b[i]))
            return {lead, 1};
        codePoint = (codePoint << 6) | (b[i] & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < minimum || codePoint > 0x10FFFF || surrogate)
        return {lead, 1};
    return {codePoint, length};
}

int PreviousCharStart(const char* bytes, int offset)
{
    if (offset <= 0)
        return offset - 1;
    // A sequence is at most four bytes long: try the longest valid one ending here.
    for (int length = 4; length >= 2; --length) {
        const int start = offset - length;
        if (start < 0)
            continue;
        const Utf8Char c = DecodeUtf8(bytes + start, static_cast<std::size_t>(length));
        if (c.length == length)
            return start;
    }
    return offset - 1;
}

} // namespace varnel
