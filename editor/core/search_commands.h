// Find, Find Previous, Replace and Replace All on a document, with a compiled Finder.
#pragma once

#include "editor_document.h"
#include "find_replace.h"

#include <cstddef>
#include <string_view>

namespace varnel::editor {

// Searches from the selection (from its end forwards, from its start backwards, as the
// finder's options say) and selects the match. False, the selection unchanged, when
// there is none.
bool FindAndSelect(EditorDocument& document, const Finder& finder, Match* found = nullptr);

// Replace: when the selection is a match, it is replaced (one step); then the next match
// is selected. Answers whether a match was replaced.
bool ReplaceAndFindNext(EditorDocument& document, const Finder& finder, std::string_view replacement);

// Replaces every match in the document as one step of the history, front to back, each
// match of the text as it was (a replacement is never searched again). The caret stays
// on the same text; line breaks in `replacement` take the document's line end. Answers
// the number of matches replaced.
std::size_t ReplaceAll(EditorDocument& document, const Finder& finder, std::string_view replacement);

} // namespace varnel::editor
