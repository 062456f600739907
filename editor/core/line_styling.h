// Styling a document's lines as the editor needs them: every line keeps the state its
// styling left at its end (in the text buffer), and style runs are worked out only for
// the lines being shown, kept in a small cache.
//
// A line needs styling while it is not marked styled: an edit unmarks the lines it
// touches, and styling a line whose end state changed unmarks the line after it. So a
// marked line always agrees with the stored end state of the line before it, and
// restyling after an edit stops where a line's end state comes out as it was.
#pragma once

#include "document.h" // Styler
#include "host_proxy.h"
#include "text_buffer.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace varnel::editor {

class LineStyling {
public:
    explicit LineStyling(TextBuffer& text) : text_(text) {}

    // A new styler (a language chosen, its keywords or styles changed): every line
    // is styled again.
    void SetStyler(const Styler& styler);
    const Styler& CurrentStyler() const { return styler_; }

    // The lines the window shows; the lines up to the last of them are styled at once
    // after every edit.
    void SetShown(int first, int last);
    int ShownFirst() const { return shownFirst_; }
    int ShownLast() const { return shownLast_; }

    // Tells that lines `first` to `lastBefore` became `first` to `lastAfter` (an edit of
    // the text buffer, which unmarked them), and styles what the shown lines need.
    void Edited(int first, int lastBefore, int lastAfter)
    {
        Moved(first, lastBefore, lastAfter);
        Refresh();
    }
    // The same in two halves, for a command of many edits: each edit is noted, and the
    // shown lines are styled once at the end.
    void Moved(int first, int lastBefore, int lastAfter);
    void Refresh();

    // Styles every unmarked line up to and including `line`, so that its state and
    // those before it are right.
    void StyleThrough(int line);
    // Styles unmarked lines after the shown ones, in document order, until about
    // `byteBudget` bytes were styled. Answers whether lines remain to be styled.
    bool RunIdle(std::size_t byteBudget);
    bool Pending() const { return text_.UnstyledLines() > 0; }

    // The style runs of `line`, with every line before it styled first; valid until
    // the next call of this object.
    RunView Runs(int line);

    // The end state of `line`, styled through it first.
    short EndState(int line)
    {
        StyleThrough(line);
        return text_.EndState(line);
    }

    // Lines styled since the object was made (for tests and benchmarks).
    std::size_t LinesStyled() const { return linesStyled_; }

private:
    // Styles the unmarked lines from `from` through `through`; answers the bytes styled.
    std::size_t Walk(int from, int through, std::size_t byteBudget, int* stoppedAt);
    // Styles one line after the stored end state of the line before it; runs go to
    // `runStore` when given.
    RunView StyleOne(int line, StyleRun* runStore);
    // Forgets every cached run list.
    void ForgetRuns() { ++generation_; }

    struct CachedRuns {
        int line = -1;
        std::uint32_t generation = 0;
        std::uint8_t count = 0;
        StyleRun runs[HostProxy::kMaxRuns];
    };
    static constexpr std::size_t kCacheSize = 128;

    TextBuffer& text_;
    Styler styler_;
    std::optional<HostProxy> proxy_; // lent to every line the styler styles
    int shownFirst_ = 0;
    int shownLast_ = 0;
    // No line before this one needs styling.
    int pendingFrom_ = 0;
    std::string scratch_;
    std::array<CachedRuns, kCacheSize> cache_{};
    std::uint32_t generation_ = 1;
    std::size_t linesStyled_ = 0;
};

} // namespace varnel::editor
