// Commenting a selection of a whole document out or back in, for plug-ins that comment
// selections (CommentSelection, UncommentSelection) rather than lines.
#pragma once

#include "document.h"
#include "language.h"

namespace varnel {

// Calls the plug-in's CommentSelection (or UncommentSelection) with a proxy for the
// whole document and the selection start..end (buffer offsets), takes the changed text
// into the document, every line keeping its own line end, and styles the document again
// from the first changed line. Answers false, changing nothing, when the plug-in lacks
// the entry.
bool ToggleSelectionComments(Document& document, const Language& language, int start, int end, bool comment);

} // namespace varnel
