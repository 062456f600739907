// Walking a document with a CharIterator the way the function scanners do: literals,
// bracketed blocks and words.
#pragma once

#include "char_iterator.h"

#include <optional>
#include <string>
#include <string_view>

// The offset where the text ends, found by stepping over TextLength() characters from
// the iterator's position; none when no end of text is found there, that is when the
// proxy's length and its characters disagree (a scanner then reports nothing).
std::optional<int> TextEnd(const CharIterator& start);

// The character `count` places on from the iterator, which does not move.
int CharacterAhead(const CharIterator& it, int count);

bool IsAsciiLetterOrDigit(int ch);
// ASCII letters, digits and "_".
bool IsAsciiWordCharacter(int ch);

// Called just after an opening quote (or any other character that starts text running
// to a delimiter): moves past the next `delimiter` that no backslash makes inert, or to
// the end of the text.
void SkipLiteral(CharIterator& it, int delimiter);

// On a double or single quote: passes the whole literal it opens.
void SkipQuoted(CharIterator& it);

// Advances until the iterator is on `ch` or the end of the text, then past `ch`.
void SkipPastCharacter(CharIterator& it, int ch);

// Called just after the "/*" that opens a block comment: moves past the first "*/", or
// to the end of the text.
void SkipBlockComment(CharIterator& it);

// Where a "//" comment ends: just past the first line feed, or past the first one that
// no backslash makes inert.
enum class LineCommentEnd { LineFeed, UnescapedLineFeed };

// On "/": passes the "/*" or "//" comment that starts here and answers true; answers
// false, and does not move, when the slash starts no comment.
bool SkipSlashComment(CharIterator& it, LineCommentEnd lineCommentEnd);

// Steps over blanks and comments, a language's own way.
using SkipBlanksRule = void (*)(CharIterator& it);

// Called just after the character c was taken: when c opens a literal (or anything else
// that runs to a delimiter of its own), moves past it and answers true; otherwise answers
// false and does not move.
using SkipLiteralRule = bool (*)(CharIterator& it, int c);

// The usual rule: a double or single quote opens a literal up to the same quote, and a
// backslash makes the character after it inert.
bool SkipQuotedLiteral(CharIterator& it, int c);

// Called just after an opener "(", "[" or "{": moves just past its matching closer,
// stepping over literals and blocks of the same kind nested inside (other kinds are not
// counted). At the end of the text the iterator is left on the end (character 0).
void SkipBlock(CharIterator& it, int opener, SkipBlanksRule skipBlanks,
               SkipLiteralRule skipLiteral = SkipQuotedLiteral);

// True when the text at the iterator begins with `word`, which must be a string literal
// (its text ends in a NUL); with ASCII case ignored unless `caseSensitive`.
bool AtText(const CharIterator& it, std::string_view word, bool caseSensitive);

// Moves over `word`, which the text at the iterator begins with.
inline void PassText(CharIterator& it, std::string_view word)
{
    it.Advance(static_cast<int>(word.size()));
}

// Appends the bytes of the character at the iterator to `label` when they fit within
// `limit` bytes; answers whether they did. A label thus never ends in part of a character.
bool AppendCharacter(std::string& label, const CharIterator& it, std::size_t limit);

// The first bytes of a UTF-8 text, at most `limit` of them, without a character cut in two.
std::string LeadingCharacters(std::string_view text, std::size_t limit);

constexpr int kMaxWordBytes = 256;

struct Word {
    int offset = 0;                 // where the word starts
    char text[kMaxWordBytes + 1] = {}; // its first kMaxWordBytes bytes, NUL-terminated

    bool Is(const char* s) const;
    bool Empty() const { return text[0] == '\0'; }
};

// Moves over a word (letters and digits as the host classes them, and "_"), which may be
// empty, and fetches its text.
Word ReadWord(CharIterator& it);
// Moves over a word without fetching it.
void PassWord(CharIterator& it);
// True when the current character may start a word: a letter or "_".
bool AtWordStart(CharIterator& it);
