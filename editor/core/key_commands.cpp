#include "key_commands.h"

#include "caret_moves.h"

#include <algorithm>

namespace varnel::editor {

std::optional<Move> MoveNamed(std::string_view name)
{
    static constexpr struct {
        std::string_view name;
        Move move;
    } kMoves[] = {
        {"left", Move::Left},          {"right", Move::Right},         {"up", Move::Up},
        {"down", Move::Down},          {"home", Move::Home},           {"end", Move::End},
        {"word-left", Move::WordLeft}, {"word-right", Move::WordRight}, {"page-up", Move::PageUp},
        {"page-down", Move::PageDown}, {"doc-start", Move::DocStart},   {"doc-end", Move::DocEnd},
    };
    for (const auto& entry : kMoves) {
        if (entry.name == name)
            return entry.move;
    }
    return std::nullopt;
}

namespace {

// The caret `lines` lines up (negative) or down, at the goal column.
int VerticalMove(EditorDocument& document, int caret, int lines, const ViewMetrics& view)
{
    const TextBuffer& text = document.Text();
    if (document.goalColumn < 0)
        document.goalColumn = ColumnOf(text, caret, view.tabWidth);
    const int line = text.LineOf(caret);
    const int target = line + lines;
    if (target < 0)
        return 0;
    if (target >= text.LineCount())
        return text.Length();
    return OffsetAtColumn(text, target, document.goalColumn, view.tabWidth);
}

} // namespace

void MoveCaret(EditorDocument& document, Move move, bool extend, const ViewMetrics& view)
{
    const TextBuffer& text = document.Text();
    const Selection selection = document.GetSelection();
    int caret = selection.caret;
    bool vertical = false;
    switch (move) {
    case Move::Left:
        caret = !extend && !selection.Empty() ? selection.Start() : PreviousCharStart(text, caret);
        break;
    case Move::Right:
        caret = !extend && !selection.Empty() ? selection.End() : NextCharStart(text, caret);
        break;
    case Move::Up:
    case Move::Down:
    case Move::PageUp:
    case Move::PageDown: {
        const int page = std::max(view.pageLines, 1);
        const int lines = move == Move::Up ? -1 : move == Move::Down ? 1 : move == Move::PageUp ? -page : page;
        caret = VerticalMove(document, caret, lines, view);
        vertical = true;
        break;
    }
    case Move::Home: caret = SmartHome(text, caret); break;
    case Move::End: caret = LineEndOf(text, caret); break;
    case Move::WordLeft: caret = WordLeft(text, caret); break;
    case Move::WordRight: caret = WordRight(text, caret); break;
    case Move::DocStart: caret = 0; break;
    case Move::DocEnd: caret = text.Length(); break;
    }
    // Vertical moves keep aiming at the column they started from.
    const int goal = vertical ? document.goalColumn : -1;
    document.Select(extend ? selection.anchor : caret, caret);
    document.goalColumn = goal;
}

void SelectedLines(const EditorDocument& document, int* first, int* last)
{
    const TextBuffer& text = document.Text();
    const Selection& selection = document.GetSelection();
    *first = text.LineOf(selection.Start());
    *last = text.LineOf(selection.End());
    if (*last > *first && text.LineStart(*last) == selection.End())
        --*last;
}

void Tab(EditorDocument& document)
{
    const TextBuffer& text = document.Text();
    int first = 0;
    int last = 0;
    SelectedLines(document, &first, &last);
    if (first == last) {
        document.ReplaceSelection("\t");
        return;
    }
    document.BeginStep();
    for (int line = first; line <= last; ++line)
        document.Edit(text.LineStart(line), 0, "\t");
    document.EndStep(Selection{text.LineStart(first), text.LineEndOffset(last)});
}

void ShiftTab(EditorDocument& document, int tabWidth)
{
    const TextBuffer& text = document.Text();
    int first = 0;
    int last = 0;
    SelectedLines(document, &first, &last);
    const Selection before = document.GetSelection();
    document.BeginStep();
    int removedFromFirst = 0;
    for (int line = first; line <= last; ++line) {
        const int start = text.LineStart(line);
        const int end = text.LineEndOffset(line);
        int length = 0;
        if (start < end && text.At(start) == '\t') {
            length = 1;
        } else {
            while (length < tabWidth && start + length < end && text.At(start + length) == ' ')
                ++length;
        }
        document.Edit(start, length, {});
        if (line == first)
            removedFromFirst = length;
    }
    if (first != last) {
        document.EndStep(Selection{text.LineStart(first), text.LineEndOffset(last)});
        return;
    }
    // Within one line the selection stays on the same characters.
    const int start = text.LineStart(first);
    const auto back = [&](int offset) { return offset <= start ? offset : std::max(start, offset - removedFromFirst); };
    document.EndStep(Selection{back(before.anchor), back(before.caret)});
}

} // namespace varnel::editor
