// Style runs written into the text they colour: "{n}" stands where a run of style n
// starts, so "{1}for{0} x" is a run of style 1 at offset 0 and one of style 0 at 3. A
// "{" that is not followed by digits and "}" is plain text.
#pragma once

#include "document.h"
#include "host_proxy.h"

#include <cctype>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::test {

// The length of the marker at the start of `s`, or 0 when it begins with none.
inline std::size_t MarkerLength(std::string_view s)
{
    if (s.size() < 3 || s[0] != '{')
        return 0;
    std::size_t end = 1;
    while (end < s.size() && std::isdigit(static_cast<unsigned char>(s[end])))
        ++end;
    return end > 1 && end < s.size() && s[end] == '}' ? end + 1 : 0;
}

// The text without its markers.
inline std::string Unmarked(std::string_view marked)
{
    std::string text;
    for (std::size_t i = 0; i < marked.size();) {
        const std::size_t marker = MarkerLength(marked.substr(i));
        if (marker > 0) {
            i += marker;
        } else {
            text += marked[i];
            ++i;
        }
    }
    return text;
}

// The line with a marker at each run's start. A run that starts outside the line, or
// before the run written last, is written "{@offset:style}" where it was met, so that it
// cannot pass for a run in order.
inline std::string MarkRuns(std::string_view line, const std::vector<StyleRun>& runs)
{
    std::string marked;
    std::size_t written = 0;
    for (const StyleRun& run : runs) {
        const std::string style = std::to_string(run.style);
        if (run.start >= 0 && static_cast<std::size_t>(run.start) >= written &&
            static_cast<std::size_t>(run.start) <= line.size()) {
            const auto start = static_cast<std::size_t>(run.start);
            marked.append(line.substr(written, start - written));
            written = start;
            marked += "{" + style + "}";
        } else {
            marked += "{@" + std::to_string(run.start) + ":" + style + "}";
        }
    }
    marked.append(line.substr(written));
    return marked;
}

// The whole document, each line marked with its runs.
inline std::string MarkDocument(const Document& document)
{
    std::string marked;
    for (int line = 0; line < document.LineCount(); ++line)
        marked += MarkRuns(document.Line(line), document.Runs(line));
    return marked;
}

inline std::vector<short> EndStates(const Document& document)
{
    std::vector<short> states;
    for (int line = 0; line < document.LineCount(); ++line)
        states.push_back(document.EndState(line));
    return states;
}

} // namespace varnel::test
