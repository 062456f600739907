// Texts of any bytes written on one line of a settings file, and read back.
//
// Escaped form: "\" is written "\\", a line feed "\n", a carriage return "\r", a NUL
// byte "\0", and each character of a given set (the separators of the line's form) "\"
// followed by that character. Every other byte stands for itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::editor {

std::string EscapeText(std::string_view text, std::string_view alsoEscaped = {});
// The text an escaped form stands for; nullopt when a "\" is followed by a character
// that is neither one of the four above nor in `alsoEscaped`, or ends the text.
std::optional<std::string> UnescapeText(std::string_view escaped, std::string_view alsoEscaped = {});
// The pieces of an escaped form between separators that no "\" escapes, still escaped.
// An empty form is one empty piece.
std::vector<std::string_view> SplitEscaped(std::string_view escaped, char separator);

} // namespace varnel::editor
