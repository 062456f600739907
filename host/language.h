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

} // namespace varnel
