// Editor commands given as words, run in order on one document as the window's menus and
// keys would run them: "line 3 key end type ;\n undo save". Offsets in the words are the
// file's own byte offsets; lines count from 1.
#pragma once

#include "document_commands.h"
#include "editor_document.h"
#include "key_commands.h"
#include "language.h"
#include "tool_loader.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::editor {

struct ScriptContext {
    EditorDocument& document;
    const Language& language;
    const ToolSet& tools;
    std::optional<std::string> filePath; // what a tool is told; none for a new document
    ListPreferences preferences;
    ViewMetrics view;
    // Writes the document; false with the reason when it cannot.
    std::function<bool(std::string* reason)> save;
    std::ostream& out;       // what print-... commands write
    std::ostream& warnings;  // what did not stop the script ("find: not found")
    std::string clipboard;   // what cut and copy took
};

struct ScriptError {
    std::size_t position = 0; // of the command, counted from 1
    std::string command;
    std::string message;
    bool usage = false; // the words were wrong (unknown command or key, a bad number), not the text
};

// Runs the commands; answers the first one that could not be done, after which nothing
// more runs.
std::optional<ScriptError> RunEditScript(const std::vector<std::string>& words, ScriptContext& context);

// The text of a `type` or `paste` operand: "\n" a line feed, "\t" a tab, "\\" a
// backslash; any other backslash stands for itself.
std::string UnescapeTyped(std::string_view text);

} // namespace varnel::editor
