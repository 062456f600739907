// Commenting a selection out line by line, and back in: each line that the selection
// touches (the first from the selection start on) gets the opening marker before it
// and, where the markers have one, the closing marker after it.
#pragma once

#include "language_proxy.h"

struct SelectionMarkers {
    const char* open;
    const char* close;  // empty: the comment runs to the line's end
    bool rewriteDashes; // "--" may not stand inside the comment: every run of a "-", stars
                        // and a "-" gets one "*" more ("--" is written "-*-", "-*-" "-**-")
};

// The markers by context: markup, JavaScript, PHP.
enum class CommentContext { Markup = 0, JavaScript = 1, Php = 2 };
extern const SelectionMarkers kSelectionCommentMarkers[3];

inline const SelectionMarkers& MarkersFor(CommentContext context)
{
    return kSelectionCommentMarkers[static_cast<int>(context)];
}

// Comments out the lines of start..end (end capped at the text's end; nothing happens
// when it then lies before start, or start lies outside the text).
void CommentSelectionWith(VLanguageProxy& document, int start, int end, const SelectionMarkers& markers);

// Markers with a closing one: removes each pair that lies inside start..end and ends
// before the end (or ends the text), from the start on, and takes one "*" away from every
// run of a "-", stars and a "-" inside the pair ("-*-" turns back into "--"). Markers without
// one: removes the opening marker at the start and at the start of each further line
// that begins before the end. The end moves back with every deletion, so nothing
// after the selection is touched.
void UncommentSelectionWith(VLanguageProxy& document, int start, int end, const SelectionMarkers& markers);
