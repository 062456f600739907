// A loaded plug-in made ready for documents: its keyword matcher and style table.
#pragma once

#include "document.h"
#include "keyword_matcher.h"
#include "plugin_loader.h"
#include "style_table.h"

#include <string>

namespace varnel {

struct Language {
    const LanguagePlugin* plugin = nullptr;
    KeywordMatcher matcher;
    StyleTable styles;
    std::string keywordSource; // the user's keyword file in use, or empty for the default text

    Styler MakeStyler() const { return {plugin->styleLine, &matcher, styles.Count()}; }
};

// Builds the keyword matcher from the user's keyword file in `settingsFolder` when it
// has one of the plug-in's keyword-file name, else from the default text.
Language PrepareLanguage(const LanguagePlugin& plugin, const std::string& settingsFolder);

// Calls the plug-in's CommentLine (or UncommentLine) once for each line from `first` to
// `last` (0-based, inclusive), each with a proxy for that line without its line end,
// and styles the document again from the first changed line. Answers false, changing
// nothing, when the plug-in lacks the entry.
bool ToggleLineComments(Document& document, const Language& language, int first, int last,
                        bool comment);

struct FunctionList {
    std::vector<FunctionEntry> functions;
    std::vector<IncludeEntry> includes;
};

// Runs the plug-in's ScanForFunctions over the whole document (its buffer, lines joined
// by line feeds), with the user's list preferences. Answers false when it has none.
bool ScanFunctions(Document& document, const Language& language, ListPreferences preferences,
                   FunctionList* list);

// Widens the selection (buffer offsets) to the enclosing pair the plug-in's Balance
// finds in the whole document; a plug-in without one gets the host's balancer for
// C-like brackets. Answers false, changing nothing, when there is no pair.
bool BalanceSelection(Document& document, const Language& language, int* start, int* end);

} // namespace varnel
