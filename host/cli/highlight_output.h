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

// Styles the document's lines in order and writes each line with its style runs as soon
// as it is styled, so no line's runs are kept. Runs that a plug-in reported out of order
// never repeat text: a run starts no earlier than the one before. The output goes to the
// stream in large blocks.
void StyleAndWrite(std::ostream& out, Document& document, const Styler& styler, const StyleTable& styles,
                   HighlightFormat format, const std::string& title);

} // namespace varnel
