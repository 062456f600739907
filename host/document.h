// A document as the host keeps it for a plug-in: its lines and, per line, the line
// state StyleLine left at the end of it, with the style runs of each line.
#pragma once

#include "host_proxy.h"
#include "module_api.h"

#include <string>
#include <string_view>
#include <vector>

namespace varnel {

struct Styler {
    StyleLineFn styleLine = nullptr; // null: every line is default text
    const KeywordMatcher* matcher = nullptr;
    int styleCount = 0;
};

// Line numbers outside 0..LineCount()-1 are harmless everywhere: LineStart clamps them
// to the text, Line and LineContent answer an empty view, EndState 0, Runs no runs,
// ReplaceLineContent and RestyleFrom do nothing (RestyleFrom answers 0).
class Document {
public:
    explicit Document(std::string text = {});

    const std::string& Text() const { return text_; }
    // Lines split after each line feed; a final line without one is a line too, and an
    // empty document (or one ending in a line feed) ends with an empty last line.
    int LineCount() const { return static_cast<int>(lineStarts_.size()); }
    int LineStart(int line) const;
    // The line's bytes, with its line feed when it has one.
    std::string_view Line(int line) const;
    // The line's bytes without its line feed.
    std::string_view LineContent(int line) const;

    // Replaces the whole text; every line must be styled again.
    void SetText(std::string text);
    // Replaces the content of one line (its line feed stays). The line's own state
    // and runs are kept until it is styled again (RestyleFrom). Content with line
    // feeds splits the line: the first part keeps the line's number, state and runs,
    // the parts after it are new unstyled lines.
    void ReplaceLineContent(int line, std::string_view content);
    // The same for the lines from `first` on, one content each, in one change of the text.
    void ReplaceLineContents(int first, const std::vector<std::string>& contents);

    // Styles every line in document order, each with the state of the line before.
    void StyleAll(const Styler& styler);
    // Styles `line` and the lines after it until a line's end state is what it was,
    // but at least up to `lastChanged`. Answers the number of lines styled.
    int RestyleFrom(const Styler& styler, int line, int lastChanged = -1);

    // The state StyleLine left at the end of the line (0 before it was styled).
    short EndState(int line) const;
    // The line's style runs (none before it was styled).
    const std::vector<StyleRun>& Runs(int line) const;

private:
    void IndexLines();
    void StyleLine(const Styler& styler, int line);

    std::string text_;
    std::vector<int> lineStarts_;
    std::vector<short> states_;
    std::vector<std::vector<StyleRun>> runs_;
    // Whether the line's state came from styling it; a line that never was styled
    // never stops a RestyleFrom, since its stored state 0 means nothing.
    std::vector<bool> styled_;
};

} // namespace varnel
