// The editor's commands on a document with its language: Balance, Comment and Uncomment,
// the function list, tools, Go to Line. Each change is one step of the history.
#pragma once

#include "editor_document.h"
#include "language.h"
#include "tool_loader.h"

#include <optional>
#include <string>
#include <vector>

namespace varnel::editor {

// Widens the selection to the enclosing pair the plug-in's Balance finds (brackets in
// C-like text for a plug-in without one); repeated, it widens further. False, with the
// selection as it was, when there is no pair.
bool Balance(EditorDocument& document, const Language& language);

// Comments the selection out (or back in): the plug-in's CommentSelection for languages
// that comment selections, else CommentLine on every line the selection touches. The
// selection then covers the changed text. False when the plug-in offers no commenting;
// true when it ran, whether or not anything changed.
bool ToggleComment(EditorDocument& document, const Language& language, bool comment);

struct ScanResult {
    bool scanned = false; // the plug-in has a function scan
    std::vector<IncludeEntry> includes;
};
// Scans the document for its function list, which the document then keeps (its
// offsets following later changes), with the user's preferences.
ScanResult ScanFunctions(EditorDocument& document, const Language& language, ListPreferences preferences);
// The line an entry leads to (0-based): the line of its offset, or the line after when
// the offset is the line feed before it.
int EntryLine(const EditorDocument& document, const FunctionEntry& entry);
// Selects the entry's line, its line feed included.
void JumpToEntry(EditorDocument& document, const FunctionEntry& entry);

// Runs a tool extension on the document: its edits are one step of the history and its
// selection becomes the document's. A non-zero answer is the tool's error code, and the
// document is left as it was.
int RunTool(EditorDocument& document, const ToolExtension& tool, const std::optional<std::string>& filePath,
            void* window = nullptr);

// The caret to the start of line `number` (counted from 1, clamped to the document).
void GoToLine(EditorDocument& document, int number);

} // namespace varnel::editor
