// A document as the host keeps it for a plug-in: its lines and, per line, the line
// state StyleLine left at the end of it, with the style runs of each line.
//
// The document holds two views of the same text. The file's bytes may end their lines
// with a line feed, a carriage return and line feed, or a lone carriage return; the
// editor's buffer, which the plug-ins see, joins the same lines with line feeds alone.
// Each line remembers its own line end, so the file is written back as it came.
#pragma once

#include "host_proxy.h"
#include "module_api.h"
#include "run_pool.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

struct Styler {
    StyleLineFn styleLine = nullptr; // null: every line is default text
    const KeywordMatcher* matcher = nullptr;
    int styleCount = 0;

    // The matcher a proxy is given: the language's, or one that knows no words.
    const KeywordMatcher& Matcher() const;
};

// The one run of every line of a language that styles nothing.
inline constexpr StyleRun kDefaultRun{0, 0};

enum class LineEnd : std::uint8_t { None, Lf, CrLf, Cr };

// The bytes of a line end in a file ("", "\n", "\r\n" or "\r").
inline std::string_view LineEndBytes(LineEnd end)
{
    switch (end) {
    case LineEnd::Lf: return "\n";
    case LineEnd::CrLf: return "\r\n";
    case LineEnd::Cr: return "\r";
    case LineEnd::None: break;
    }
    return "";
}

// Receives each line's runs as soon as it is styled, in a pass that keeps no runs.
class StyledLineSink {
public:
    virtual void StyledLine(int line, RunView runs) = 0;

protected:
    ~StyledLineSink() = default;
};

// Line numbers outside 0..LineCount()-1 are harmless everywhere: LineStart clamps them
// to the text, Line and LineContent answer an empty view, EndState 0, Runs no runs,
// ReplaceLineContent and RestyleFrom do nothing (RestyleFrom answers 0).
//
// The document keeps, besides the text, one start offset and one small record (end
// state, line end) per line. Style runs are kept, when a pass keeps them, in one pool for
// all lines; a styling pass lends every line the same proxy, which reads the line where
// it lies in the text.
class Document {
public:
    // `fileBytes` as read from a file, with any mix of line ends. The bytes become the
    // buffer where they are: line ends of two bytes are made line feeds in place.
    explicit Document(std::string fileBytes = {});

    // The editor's buffer: the lines joined by line feeds.
    const std::string& Text() const { return text_; }
    // The file's bytes: the lines with their own line ends.
    std::string FileText() const;

    // Lines end at each line end; a final line without one is a line too, and an
    // empty document (or one ending in a line end) ends with an empty last line.
    int LineCount() const { return static_cast<int>(lines_.size()); }
    // The number of lines an editor shows: an empty last line after a final line end
    // holds no text and is not counted, but an empty document has one line.
    int TextLineCount() const;
    // Inline, as the output asks for every line.
    int LineStart(int line) const
    {
        if (line < 0)
            return 0;
        if (line >= LineCount())
            return static_cast<int>(text_.size());
        return lineStarts_[static_cast<std::size_t>(line)];
    }
    // The line's bytes in the buffer, with its line feed when it has one.
    std::string_view Line(int line) const
    {
        if (line < 0 || line >= LineCount())
            return {};
        return LineBytes(static_cast<std::size_t>(line));
    }
    // The line's bytes without its line end.
    std::string_view LineContent(int line) const
    {
        std::string_view bytes = Line(line);
        if (!bytes.empty() && bytes.back() == '\n')
            bytes.remove_suffix(1);
        return bytes;
    }
    LineEnd EndOf(int line) const
    {
        if (line < 0 || line >= LineCount())
            return LineEnd::None;
        return lines_[static_cast<std::size_t>(line)].end;
    }

    // Offsets between the buffer and the file. A file offset inside a two-byte line
    // end maps to the buffer's line feed; offsets outside either text are clamped.
    int FileOffset(int bufferOffset) const;
    int BufferOffset(int fileOffset) const;
    int FileSize() const;

    // Replaces the whole text; every line must be styled again.
    void SetText(std::string fileBytes);
    // Replaces the content of one line (its line end stays). The line's own state
    // and runs are kept until it is styled again (RestyleFrom). Content with line
    // feeds splits the line: the first part keeps the line's number, state and runs,
    // the parts after it are new unstyled lines; the new line ends are of the line's
    // own kind (a line feed for a last line that had none).
    void ReplaceLineContent(int line, std::string_view content);
    // The same for the lines from `first` on, one content each, in one change of the text.
    void ReplaceLineContents(int first, const std::vector<std::string>& contents);

    // Styles every line in document order, each with the state of the line before,
    // and keeps every line's runs.
    void StyleAll(const Styler& styler);
    // The same pass, keeping only the states: each line's runs go to `sink` as soon as
    // the line is styled, and are gone after it (Runs answers none afterwards).
    void StyleAll(const Styler& styler, StyledLineSink& sink);
    // Styles `line` and the lines after it until a line's end state is what it was,
    // but at least up to `lastChanged`. Answers the number of lines styled.
    int RestyleFrom(const Styler& styler, int line, int lastChanged = -1);

    // The state StyleLine left at the end of the line (0 before it was styled).
    short EndState(int line) const;
    // The line's style runs (none before it was styled, or after a pass that kept none).
    RunView Runs(int line) const;

    // Calls of a plug-in that the host refused while working on this document, one
    // message each ("line 3: AddFunction: ..."), at most kMaxRefusals of them.
    static constexpr std::size_t kMaxRefusals = 100;
    const std::vector<std::string>& Refusals() const { return refusals_; }
    // Notes what a proxy refused; `line` is 0-based, or -1 for the whole document.
    void NoteRefusals(const HostProxy& proxy, int line);

private:
    struct LineInfo {
        short state = 0;
        LineEnd end = LineEnd::None;
        // Whether the state came from styling the line; a line that never was styled
        // never stops a RestyleFrom, since its stored state 0 means nothing.
        bool styled = false;
    };
    // Where a line's runs lie in the pool: `count` runs at `at`, in room for `room`.
    struct RunSlot {
        int at = 0;
        std::uint8_t count = 0;
        std::uint8_t room = 0;
    };
    static_assert(HostProxy::kMaxRuns <= 255, "a run count fits a byte");

    // Splits the text into lines in one pass, making two-byte line ends line feeds.
    void SplitLines();
    // The line starts of the buffer (and of the file) from the text and the line ends.
    void IndexLines();
    // The file's line starts: the buffer's when every line end is one byte long.
    const std::vector<int>& FileLineStarts() const;
    // A proxy for a pass of StyleLine calls, presenting no line yet.
    static HostProxy PassProxy(const Styler& styler);
    // Line() of a line that exists, without checking that it does.
    std::string_view LineBytes(std::size_t line) const
    {
        const auto start = static_cast<std::size_t>(lineStarts_[line]);
        const std::size_t end = line + 1 < lines_.size() ? static_cast<std::size_t>(lineStarts_[line + 1]) : text_.size();
        return std::string_view(text_.data() + start, end - start);
    }
    // Styles one line through the pass's proxy and answers its runs, written to
    // `runStore` (room for HostProxy::kMaxRuns runs) when one is given.
    RunView StyleLine(HostProxy& proxy, const Styler& styler, int line, StyleRun* runStore = nullptr);
    // Keeps a line's runs in the pool, in its own room when they fit.
    void KeepRuns(int line, RunView runs);
    // Packs the pool in line order when most of it is no longer used.
    void CompactRuns();

    std::string text_;
    std::vector<int> lineStarts_;     // in the buffer
    std::vector<int> fileLineStarts_; // in the file; empty when they are the buffer's
    std::vector<LineInfo> lines_;
    std::vector<RunSlot> slots_;      // one a line while runs are kept, else empty
    RunPool pool_;
    std::size_t idleRuns_ = 0;        // pool entries in no line's room
    std::vector<std::string> refusals_;
};

} // namespace varnel
