// Where the caret goes: by character (whole UTF-8 sequences; a byte that starts none is a
// character of its own), by word, by line with the column kept, by page, to either end.
#pragma once

#include "text_buffer.h"

#include <string_view>

namespace varnel::editor {

int NextCharStart(const TextBuffer& text, int offset);
int PreviousCharStart(const TextBuffer& text, int offset);
int NextCharStart(std::string_view text, int offset);

// The start of the next word (Ctrl+Right): past the run of word characters, or of other
// marks, at the offset, then past blanks; a line end is a stop of its own.
int WordRight(const TextBuffer& text, int offset);
// The start of the word before (Ctrl+Left).
int WordLeft(const TextBuffer& text, int offset);
// The word around the offset (a double click): its start and end, or an empty span at
// the offset when no word character is there.
void WordAt(const TextBuffer& text, int offset, int* start, int* end);
// Word characters: ASCII letters and digits, "_", and every byte of a multi-byte character.
bool IsWordByte(char c);

// The column of an offset in its line: characters count one each, a tab runs to the
// next multiple of `tabWidth`.
int ColumnOf(const TextBuffer& text, int offset, int tabWidth);
// The offset in `line` nearest to `column` without passing it (the line's end when short).
int OffsetAtColumn(const TextBuffer& text, int line, int column, int tabWidth);

// Home: the first non-blank of the line, or the line's start when the caret is already there.
int SmartHome(const TextBuffer& text, int offset);
int LineEndOf(const TextBuffer& text, int offset);

} // namespace varnel::editor
