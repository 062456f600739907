// Writing a styled document for people to read.
#pragma once

#include "document.h"
#include "style_table.h"

#include <ostream>
#include <string>

namespace varnel {

enum class HighlightFormat {
    Ansi,   // terminal colours from the style table
    Html,   // a self-contained page
    Runs,   // per line: its number, end state and runs ("4:comments")
    Styled, // per line: its end state, then the text with "{n}" where style n starts
    Plain,  // the file's bytes as they are
};

// Writes the document's lines with the style runs they were given. Runs that a plug-in
// reported out of order never repeat text: a run starts no earlier than the one before.
void WriteHighlighted(std::ostream& out, const Document& document, const StyleTable& styles,
                      HighlightFormat format, const std::string& title);

} // namespace varnel
