// Styling a text as it is read, line by line, keeping nothing of a line once it is handed
// on: the pass `varnel highlight` makes, in memory that does not grow with the text.
#pragma once

#include "document.h"
#include "line_reader.h"

#include <string>
#include <vector>

namespace varnel {

// Receives each line of a streamed pass as soon as it is styled; the line, its state and
// its runs are gone after the call.
class StreamedLineSink {
public:
    virtual void StyledLine(const ReadLine& line, short endState, RunView runs) = 0;

protected:
    ~StreamedLineSink() = default;
};

// Styles every line the reader gives, in order, each with the state the line before it
// left, as Document::StyleAll does: the plug-in sees each line as the editor's buffer
// holds it (ReadLine::BufferLine). Calls the host refused are noted in *refusals as a
// Document notes them ("line 3: ..."), at most Document::kMaxRefusals of them.
// Answers false when reading failed; the lines before the failure were handed on.
bool StyleStream(LineReader& reader, const Styler& styler, StreamedLineSink& sink,
                 std::vector<std::string>* refusals);

} // namespace varnel
