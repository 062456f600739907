#include "line_styling.h"

#include <algorithm>

namespace varnel::editor {

void LineStyling::SetStyler(const Styler& styler)
{
    styler_ = styler;
    proxy_.reset();
    proxy_.emplace(std::string_view(), styler_.Matcher(), styler_.styleCount, ProxyPurpose::Styling);
    const int lines = text_.LineCount();
    for (int line = 0; line < lines; ++line)
        text_.Unmark(line);
    pendingFrom_ = 0;
    ForgetRuns();
    StyleThrough(shownLast_);
}

void LineStyling::SetShown(int first, int last)
{
    shownFirst_ = std::max(first, 0);
    shownLast_ = std::max(last, shownFirst_);
}

void LineStyling::Moved(int first, int lastBefore, int lastAfter)
{
    ForgetRuns();
    // Lines after the edit moved; the unmarked ones among the changed lines start at `first`.
    if (pendingFrom_ > lastBefore)
        pendingFrom_ += lastAfter - lastBefore;
    pendingFrom_ = std::min(pendingFrom_, first);
}

void LineStyling::Refresh()
{
    ForgetRuns();
    StyleThrough(shownLast_);
}

void LineStyling::StyleThrough(int line)
{
    line = std::min(line, text_.LineCount() - 1);
    if (line < pendingFrom_)
        return;
    int stoppedAt = 0;
    Walk(pendingFrom_, line, static_cast<std::size_t>(-1), &stoppedAt);
    pendingFrom_ = stoppedAt;
}

bool LineStyling::RunIdle(std::size_t byteBudget)
{
    int stoppedAt = 0;
    Walk(pendingFrom_, text_.LineCount() - 1, byteBudget, &stoppedAt);
    pendingFrom_ = stoppedAt;
    return Pending();
}

std::size_t LineStyling::Walk(int from, int through, std::size_t byteBudget, int* stoppedAt)
{
    std::size_t bytes = 0;
    int line = from;
    for (; line <= through && text_.UnstyledLines() > 0; ++line) {
        if (text_.Styled(line))
            continue;
        if (bytes >= byteBudget)
            break;
        const short before = text_.EndState(line);
        StyleOne(line, nullptr);
        bytes += static_cast<std::size_t>(text_.LineLength(line)) + 1;
        // The next line was styled after the state this one had: it stands only when
        // that state is unchanged.
        if (text_.EndState(line) != before && line + 1 < text_.LineCount())
            text_.Unmark(line + 1);
    }
    *stoppedAt = line;
    return bytes;
}

RunView LineStyling::StyleOne(int line, StyleRun* runStore)
{
    ++linesStyled_;
    if (styler_.styleLine == nullptr) {
        text_.SetEndState(line, 0);
        return RunView{&kDefaultRun, 1};
    }
    // One proxy for every line: it reads the line where it lies and would edit a copy
    // of its own, so nothing the plug-in does changes the document.
    HostProxy& proxy = *proxy_;
    proxy.Present(text_.LineBytes(line, &scratch_), runStore);
    short state = line > 0 ? text_.EndState(line - 1) : 0;
    styler_.styleLine(proxy, &state);
    text_.SetEndState(line, state);
    if (runStore == nullptr)
        return RunView{};
    return proxy.Runs();
}

RunView LineStyling::Runs(int line)
{
    if (line < 0 || line >= text_.LineCount())
        return RunView{};
    StyleThrough(line);
    CachedRuns& slot = cache_[static_cast<std::size_t>(line) % kCacheSize];
    if (slot.line != line || slot.generation != generation_) {
        // Styling the line again gives the same end state, which stays as it is.
        const short endState = text_.EndState(line);
        const RunView runs = StyleOne(line, slot.runs);
        text_.SetEndState(line, endState);
        if (runs.data != slot.runs)
            std::copy(runs.begin(), runs.end(), slot.runs);
        slot.count = static_cast<std::uint8_t>(runs.size());
        slot.line = line;
        slot.generation = generation_;
    }
    return RunView{slot.runs, slot.count};
}

} // namespace varnel::editor
