// Building the text that replaces an include block.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace varnel::tool::updater {

// A line feed, the file's bytes up to its first NUL with CR LF and lone CR made LF,
// and a final line feed when the bytes do not end in one.
std::string BlockTextFromFile(const std::string& fileBytes);

// Replaces every occurrence of `placeholder`, front to back, with what `replacement`
// answers at that moment. The search goes on after each inserted text, so a
// replacement that holds the placeholder itself is not replaced again. When the
// filled text would grow past `limit` bytes, the text stays as it was and the answer
// is false.
bool FillPlaceholder(std::string& text, const std::string& placeholder,
                     const std::function<std::string()>& replacement, std::size_t limit = SIZE_MAX);

// All placeholders in their order: the included file's path, then the date and the
// time (the clock read again for each), and the user's name, which stays. False, the
// text partly filled, when it would grow past `limit` bytes.
bool FillPlaceholders(std::string& text, const std::string& includedFilePath, std::size_t limit = SIZE_MAX);

// The length IndentLines gives the text, worked out without building it (SIZE_MAX
// when it does not fit a size_t).
std::size_t IndentedSize(const std::string& text, std::size_t indentation);

// Puts the indentation after every line feed of the text.
std::string IndentLines(const std::string& text, const std::string& indentation);

} // namespace varnel::tool::updater
