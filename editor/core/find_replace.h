// Find and replace over a document's text: plain text or a regular expression (the
// host's pattern engine), matching case or not, whole words or anywhere, forwards or
// backwards, wrapping around the ends. Every search reads the text where it lies, a
// contiguous view of the document's bytes (its lines joined by line feeds); nothing
// is copied, and matches may cross line ends.
#pragma once

#include "pattern_search.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::editor {

struct FindOptions {
    // The needle is an ECMAScript expression over bytes (the host's Pattern), else
    // plain text. "^" and "$" match at the start and end of every line.
    bool regex = false;
    bool matchCase = true;  // false: ASCII letters match in either case; other bytes exactly
    bool wholeWord = false; // no word byte (IsWholeWordByte) directly before or after a match
    bool backwards = false;
    bool wrap = true; // when nothing is found before the end, go on from the other end
};

struct Match {
    std::size_t start = 0;
    std::size_t length = 0;
    bool wrapped = false; // found after going on from the other end of the text
};

// One replacement of a replace-all plan: `length` bytes at `start` of the original
// text become `text`.
struct Replacement {
    std::size_t start = 0;
    std::size_t length = 0;
    std::string text;
};

// A compiled search: a needle and its options.
class Finder {
public:
    // The search, or nullopt when the needle is a regular expression that is malformed,
    // unsupported or too large; `error` (when given) then says so. An empty needle,
    // plain or expression, is a search that finds nothing.
    static std::optional<Finder> Make(std::string_view needle, const FindOptions& options, std::string* error);

    // Finds the next match from `from` (clamped to the text) in the options' direction:
    // - forwards, the first match that starts at or after `from`;
    // - backwards, the last of the matches that end at or before `from`, among those a
    //   forward walk meets (each search going on from the end of the match before, as
    //   repeated forward Finds and replace-all go), walking from a line's start in a
    //   window before `from` that doubles until a match turns up. So Find Previous meets
    //   the matches Find Next meets, in reverse: "\d+" before "12 345|" finds "345".
    // An empty match at exactly `from` is never taken: forwards, the search goes on
    // from the next whole character (as replace-all does after an empty match). So the
    // caller passes the end of the selection (forwards) or its start (backwards), and
    // a repeated Find moves on from the match it found, empty or not, never finding it
    // again. With wrap, a search that finds nothing searches the whole text again from
    // the other end and marks the match `wrapped` (it may be the one at `from` itself,
    // when the text holds no other).
    bool Find(std::string_view text, std::size_t from, Match* match) const;

    // The first match that starts at or after `from`, empty ones included, with no
    // wrapping: the step that replace-all repeats.
    bool FirstMatch(std::string_view text, std::size_t from, Match* match) const;

    // What the match is replaced by: `replacement` as it stands for plain text; for a
    // regular expression, "$&" stands for the matched text and "$$" for one "$", and
    // every other byte (other "$" forms too) is literal.
    std::string ReplacementFor(std::string_view text, const Match& match, std::string_view replacement) const;

    const FindOptions& options() const { return options_; }

private:
    Finder() = default;

    // The first match that starts in [from, lastStart].
    bool FirstIn(std::string_view text, std::size_t from, std::size_t lastStart, Match* match) const;
    // The last match a forward walk meets that ends at or before `end`, leaving out an
    // empty one at `end` unless `emptyAtEnd`.
    bool LastMatch(std::string_view text, std::size_t end, bool emptyAtEnd, Match* match) const;
    // Plain text: the first occurrence that starts in [from, lastStart] and ends at or
    // before `end`, as a whole word when asked.
    bool FirstPlain(std::string_view text, std::size_t from, std::size_t lastStart, std::size_t end,
                    std::size_t* start) const;
    // Plain text: the first occurrence of the needle's bytes that starts in
    // [from, limit), up to case when asked; `limit` when none.
    std::size_t NextOccurrence(std::string_view text, std::size_t from, std::size_t limit) const;
    bool IsWholeWordAt(std::string_view text, std::size_t start, std::size_t length) const;

    FindOptions options_;
    std::string needle_;
    std::optional<Pattern> pattern_;
    // Plain text: the needle's byte that is least common in source text, which memchr
    // looks for to find candidates, and its other case when case is ignored.
    std::size_t rareIndex_ = 0;
    unsigned char rareByte_ = 0;
    unsigned char rareOtherCase_ = 0;
};

// The replacements of replace-all, front to back, made on the original text: the
// matches that FirstMatch finds from the start of the text on, each search going on
// from the end of the match before; after an empty match the search goes on one whole
// UTF-8 character further. So every match is replaced once and text a replacement
// brings in is never searched, and an empty match is replaced where no other match
// took the place (ECMAScript's replace with the global flag, stepping by characters).
// The plan's spans are sorted and never overlap.
std::vector<Replacement> PlanReplaceAll(std::string_view text, const Finder& finder, std::string_view replacement);

// The text with the plan's replacements made (the plan as PlanReplaceAll gives it).
std::string ApplyReplacements(std::string_view text, const std::vector<Replacement>& plan);

// The offset of the character after the one at `offset`: one whole UTF-8 sequence,
// or one byte where the bytes there form none; the text's size at most.
std::size_t NextCharacter(std::string_view text, std::size_t offset);

} // namespace varnel::editor
