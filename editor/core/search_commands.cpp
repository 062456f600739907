#include "search_commands.h"

#include <algorithm>

namespace varnel::editor {

bool FindAndSelect(EditorDocument& document, const Finder& finder, Match* found)
{
    const Selection selection = document.GetSelection();
    const std::size_t from = static_cast<std::size_t>(finder.options().backwards ? selection.Start() : selection.End());
    Match match;
    if (!finder.Find(document.Contiguous(), from, &match))
        return false;
    document.Select(static_cast<int>(match.start), static_cast<int>(match.start + match.length));
    if (found != nullptr)
        *found = match;
    return true;
}

bool ReplaceAndFindNext(EditorDocument& document, const Finder& finder, std::string_view replacement)
{
    const Selection selection = document.GetSelection();
    const std::string_view text = document.Contiguous();
    Match match;
    const bool selected = finder.FirstMatch(text, static_cast<std::size_t>(selection.Start()), &match) &&
                          match.start == static_cast<std::size_t>(selection.Start()) &&
                          match.length == static_cast<std::size_t>(selection.Length());
    if (selected) {
        const std::string with = finder.ReplacementFor(text, match, LineFeedsOnly(replacement));
        document.BeginStep();
        document.Edit(selection.Start(), selection.Length(), with);
        const int end = selection.Start() + static_cast<int>(with.size());
        document.EndStep(Selection{end, end});
    }
    FindAndSelect(document, finder);
    return selected;
}

std::size_t ReplaceAll(EditorDocument& document, const Finder& finder, std::string_view replacement)
{
    // Line breaks of any kind in the replacement are the document's line end.
    const std::vector<Replacement> plan = PlanReplaceAll(document.Contiguous(), finder, LineFeedsOnly(replacement));
    if (plan.empty())
        return 0;
    const TextBuffer& text = document.Text();
    const int caret = document.GetSelection().caret;
    long long shift = 0;      // how much the replacements so far grew the text
    long long caretShift = 0; // ... of it before the caret
    int caretAt = caret;
    std::vector<LineEnd> ends;
    document.BeginStep();
    for (const Replacement& replacement : plan) {
        const int start = static_cast<int>(static_cast<long long>(replacement.start) + shift);
        const int length = static_cast<int>(replacement.length);
        // Line feeds the replacement keeps (a pattern's "$&") keep their line ends.
        ends.clear();
        if (replacement.text.find('\n') != std::string::npos) {
            for (int line = text.LineOf(start), last = text.LineOf(start + length); line < last; ++line)
                ends.push_back(text.EndOf(line));
        }
        document.Edit(start, length, replacement.text, ends);
        const long long grown = static_cast<long long>(replacement.text.size()) - length;
        if (static_cast<long long>(replacement.start) + length <= caret)
            caretShift += grown;
        else if (static_cast<int>(replacement.start) < caret)
            caretAt = static_cast<int>(replacement.start); // inside a match: to its start
        shift += grown;
    }
    const int caretAfter = static_cast<int>(std::min<long long>(caretAt == caret ? caret + caretShift : caretAt + caretShift, text.Length()));
    document.EndStep(Selection{caretAfter, caretAfter});
    return plan.size();
}

} // namespace varnel::editor
