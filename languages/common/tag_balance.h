// Widening a selection in markup to the tag or the text around it.
#pragma once

#include "language_proxy.h"

// The text is cut into segments at every "<" and ">": text segments run to the next
// "<", tag segments to the next ">" (a tag segment that opens a comment, "<!--", runs
// to its "--" first, so the ">" characters inside the comment do not cut it). The
// first character of the text counts as a delimiter. The segment that holds the
// selection start becomes the selection, its delimiters excluded: a caret inside a tag
// selects the tag without its angle brackets, a caret in text the text between the
// tags around it. False (the selection untouched) when the selection is outside the
// text or reversed, or its start lies on a delimiter or in the last segment.
bool BalanceTags(VLanguageProxy& document, int* selStart, int* selEnd);
