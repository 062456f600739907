// Writing a styled document for people to read.
#pragma once

#include "document.h"
#include "line_reader.h"
#include "style_table.h"

#include <ostream>
#include <string>
#include <vector>

namespace varnel {

enum class HighlightFormat {
    Ansi,   // terminal colours from the style table
    Html,   // a self-contained page
    Runs,   // per line: its number, end state and runs ("4:comments")
    Styled, // per line: its end state, then the text with "{n}" where style n starts
    Plain,  // the file's bytes as they are
};

// The output goes to the stream in blocks of this size.
constexpr std::size_t kHighlightBlockSize = std::size_t{64} << 10;

// Styles the document's lines in order and writes each line with its style runs as soon
// as it is styled, so no line's runs are kept. Runs that a plug-in reported out of order
// never repeat text: a run starts no earlier than the one before. The output goes to the
// stream in large blocks.
void StyleAndWrite(std::ostream& out, Document& document, const Styler& styler, const StyleTable& styles,
                   HighlightFormat format, const std::string& title);

// The same for a text read as it is styled: each line the reader gives is styled with
// the state the line before it left, written and forgotten, so the memory used does not
// grow with the text. The output is the same as StyleAndWrite's for a document of the
// same bytes. Calls the host refused are added to *refusals (see StyleStream). Answers
// false when reading failed; what was read before is written.
bool StreamAndWrite(std::ostream& out, LineReader& reader, const Styler& styler, const StyleTable& styles,
                    HighlightFormat format, const std::string& title, std::vector<std::string>* refusals);

} // namespace varnel
