// What the editing keys do to a document: caret moves (each also extending the
// selection), and Tab and Shift+Tab, which indent and outdent the selected lines.
#pragma once

#include "editor_document.h"

#include <optional>
#include <string_view>

namespace varnel::editor {

enum class Move { Left, Right, Up, Down, Home, End, WordLeft, WordRight, PageUp, PageDown, DocStart, DocEnd };

// The key's name ("left", "word-right", "page-down", "doc-start", ...) as a move.
std::optional<Move> MoveNamed(std::string_view name);

struct ViewMetrics {
    int tabWidth = 4;
    int pageLines = 40; // lines a page move goes
};

// Moves the caret; with `extend` the anchor stays, so the selection grows or shrinks.
// Without it a selection collapses: Left and Right to its start or end.
void MoveCaret(EditorDocument& document, Move move, bool extend, const ViewMetrics& view);

// Tab: a tab character in place of the selection; with a selection over more than one
// line, a tab before each of its lines instead (a line the selection ends at the very
// start of is left out). The selection then covers the lines.
void Tab(EditorDocument& document);
// Shift+Tab: takes one tab, or up to a tab width of blanks, from the start of each line
// the selection touches.
void ShiftTab(EditorDocument& document, int tabWidth);

// The lines the selection touches: a selection ending at the start of a line leaves that
// line out, unless it is empty.
void SelectedLines(const EditorDocument& document, int* first, int* last);

} // namespace varnel::editor
