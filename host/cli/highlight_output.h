// Writing a styled document for people to read.
#pragma once

#include "document.h"
#include "style_table.h"

#include <ostream>
#include <string>

namespace varnel {

enum class HighlightFormat { Terminal, Html, Runs, Plain };

// Writes the document's lines with the style runs they were given.
void WriteHighlighted(std::ostream& out, const Document& document, const StyleTable& styles,
                      HighlightFormat format, const std::string& title);

} // namespace varnel
