// Turning one line into a comment and back, by a fixed token at the line's ends.
// The proxy presents the line without its line end.
#pragma once

#include "language_proxy.h"

struct LineComment {
    const char* open;  // put before the line's first character
    const char* close; // put after its last character; empty when the language has none
    // Uncommenting removes the whole first character when it is the one-character
    // opening token, however many bytes the host counts for it.
    bool removeFirstCharacter;
};

// The comment tokens of the plug-in being built, defined in its language data.
extern const LineComment kLineComment;

void CommentLineWith(VLanguageProxy& line, const LineComment& comment);
void UncommentLineWith(VLanguageProxy& line, const LineComment& comment);
