#include "text_escape.h"

namespace varnel::editor {

std::string EscapeText(std::string_view text, std::string_view alsoEscaped)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\0':
            escaped += "\\0";
            break;
        default:
            if (alsoEscaped.find(c) != std::string_view::npos)
                escaped += '\\';
            escaped += c;
            break;
        }
    }
    return escaped;
}

std::optional<std::string> UnescapeText(std::string_view escaped, std::string_view alsoEscaped)
{
    std::string text;
    text.reserve(escaped.size());
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '\\') {
            text += escaped[i];
            continue;
        }
        if (++i == escaped.size())
            return std::nullopt;
        const char c = escaped[i];
        if (c == '\\')
            text += '\\';
        else if (c == 'n')
            text += '\n';
        else if (c == 'r')
            text += '\r';
        else if (c == '0')
            text += '\0';
        else if (c != '\0' && alsoEscaped.find(c) != std::string_view::npos)
            text += c;
        else
            return std::nullopt;
    }
    return text;
}

std::vector<std::string_view> SplitEscaped(std::string_view escaped, char separator)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '\\') {
            ++i; // the escaped character, whatever it is, belongs to the piece
        } else if (escaped[i] == separator) {
            pieces.push_back(escaped.substr(start, i - start));
            start = i + 1;
        }
    }
    pieces.push_back(escaped.substr(start < escaped.size() ? start : escaped.size()));
    return pieces;
}

} // namespace varnel::editor
