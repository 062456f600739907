// The host's table of colour styles, built from a plug-in's style pairs.
//
// A style string reads "08:#3d4c9e;09;00;Monaco": two hex digits and a colon, a colour
// "#rrggbb", two two-digit hex fields and a font family running to the end.
#pragma once

#include "module_api.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

struct StyleAttributes {
    int prefix = 0;       // the leading two-digit field
    int red = 0, green = 0, blue = 0;
    int field1 = 0, field2 = 0;
    std::string font;
};

// Parses a style string; nullopt when it does not have the form above.
std::optional<StyleAttributes> ParseStyleString(std::string_view text);
// The form the host writes a style back in: "#%2.2x%2.2x%2.2x;%2.2x;%2.2x;%s".
std::string FormatStyle(const StyleAttributes& attributes);

struct Style {
    std::string name;
    std::string text;           // the style string as the plug-in gives it
    std::optional<StyleAttributes> attributes;
};

class StyleTable {
public:
    StyleTable() = default;
    // Reads pairs until the first null name (at most maxPairs of them).
    static StyleTable FromPairs(StylePairs pairs, std::size_t maxPairs = 1024);

    // Number of styles; style numbers run from 1 to Count(), 0 is the default text.
    int Count() const { return static_cast<int>(styles_.size()); }
    // The style of a number from 1 to Count().
    const Style& At(int number) const { return styles_.at(static_cast<std::size_t>(number - 1)); }
    // Maps numbers outside 1..Count() to 0, as the host does for style runs.
    int Clamp(int number) const { return number < 0 || number > Count() ? 0 : number; }

private:
    std::vector<Style> styles_;
};

} // namespace varnel
