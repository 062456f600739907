#include "style_table.h"

#include "hex_digit.h"

#include <algorithm>
#include <cstdio>

namespace varnel {

namespace {

// Reads two hex digits at text[pos]; advances pos on success.
bool ReadHexByte(std::string_view text, std::size_t& pos, int& value)
{
    if (pos + 2 > text.size())
        return false;
    const int high = HexDigitValue(text[pos]);
    const int low = HexDigitValue(text[pos + 1]);
    if (high < 0 || low < 0)
        return false;
    value = high * 16 + low;
    pos += 2;
    return true;
}

bool ReadChar(std::string_view text, std::size_t& pos, char expected)
{
    if (pos >= text.size() || text[pos] != expected)
        return false;
    ++pos;
    return true;
}

int ToByte(int value)
{
    return std::clamp(value, 0, 255);
}

} // namespace

std::optional<StyleAttributes> ParseStyleString(std::string_view text)
{
    StyleAttributes attributes;
    std::size_t pos = 0;
    // Hex digits are read in either case; the font is the rest of the string and may
    // be empty.
    if (!ReadHexByte(text, pos, attributes.prefix) || !ReadChar(text, pos, ':') ||
        !ReadChar(text, pos, '#') || !ReadHexByte(text, pos, attributes.red) ||
        !ReadHexByte(text, pos, attributes.green) || !ReadHexByte(text, pos, attributes.blue) ||
        !ReadChar(text, pos, ';') || !ReadHexByte(text, pos, attributes.field1) ||
        !ReadChar(text, pos, ';') || !ReadHexByte(text, pos, attributes.field2) ||
        !ReadChar(text, pos, ';'))
        return std::nullopt;
    attributes.font = std::string(text.substr(pos));
    return attributes;
}

std::string FormatStyle(const StyleAttributes& attributes)
{
    // Every numeric field is written as exactly two digits, so values outside a byte
    // are clamped into 0..255.
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "#%2.2x%2.2x%2.2x;%2.2x;%2.2x;",
                  static_cast<unsigned>(ToByte(attributes.red)), static_cast<unsigned>(ToByte(attributes.green)),
                  static_cast<unsigned>(ToByte(attributes.blue)), static_cast<unsigned>(ToByte(attributes.field1)),
                  static_cast<unsigned>(ToByte(attributes.field2)));
    return numbers + attributes.font;
}

StyleTable StyleTable::FromPairs(StylePairs pairs, std::size_t maxPairs)
{
    StyleTable table;
    if (pairs == nullptr)
        return table;
    for (std::size_t i = 0; i < maxPairs && pairs[i][0] != nullptr; ++i) {
        Style style;
        style.name = pairs[i][0];
        if (pairs[i][1] != nullptr) {
            style.text = pairs[i][1];
            style.attributes = ParseStyleString(style.text);
        }
        table.styles_.push_back(std::move(style));
    }
    return table;
}

} // namespace varnel
