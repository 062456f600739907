// The text of an open document: its bytes with the lines joined by line feeds, as the
// plug-ins see them, and a record per line with its start, its own line end in the file
// and the state styling left at its end.
//
// Both live in gap arrays whose gaps stay at the last edit. Line starts before the line
// gap are offsets from the start of the text, those after it offsets from its end, so an
// edit inside one line updates no other line's record, and an edit elsewhere moves only
// the records between the two places.
#pragma once

#include "document.h" // LineEnd, LineEndBytes
#include "gap_array.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::editor {

using varnel::LineEnd;

struct LineRecord {
    int start;          // see the class comment: relative to the text's end after the gap
    short endState;     // what styling left at the end of the line
    LineEnd end;        // the line end the file has after this line
    std::uint8_t styled; // 1 once endState came from styling the line as it is now
};

class TextBuffer {
public:
    // An empty text: one empty line.
    TextBuffer();
    // The bytes of a file, with any mix of line ends: two-byte line ends become line
    // feeds in place, so the bytes are not copied.
    explicit TextBuffer(std::string fileBytes);
    // The same with the file's bytes from `textStart` on in `block`: what lies before
    // them is room for typing at the top (a file read straight into place).
    TextBuffer(std::string block, std::size_t textStart);
    // The room to leave before a file's bytes of `fileSize` when reading it in place.
    static std::size_t RoomBefore(std::size_t fileSize);

    int Length() const { return static_cast<int>(text_.size()); }
    // The byte at `offset`, 0 outside the text.
    char At(int offset) const
    {
        return static_cast<unsigned>(offset) < text_.size() ? text_[static_cast<std::size_t>(offset)] : '\0';
    }
    // Copies the bytes from `offset` for `length` (clamped to the text).
    std::string Copy(int offset, int length) const;
    void CopyTo(int offset, int length, char* out) const;
    // The whole text in one piece (moves the gap to the end; the view lasts until the next edit).
    std::string_view Contiguous();
    // The line without its line feed: where it lies when the gap is not inside it, else
    // copied into `scratch`.
    std::string_view LineContent(int line, std::string* scratch) const { return LineView(line, false, scratch); }
    // The same with the line's line feed, when it has one: the line as styling sees it.
    std::string_view LineBytes(int line, std::string* scratch) const { return LineView(line, true, scratch); }

    int LineCount() const { return static_cast<int>(lines_.size()); }
    int LineStart(int line) const;
    // The offset of the line's line feed, or the text's end for the last line.
    int LineEndOffset(int line) const { return line + 1 < LineCount() ? LineStart(line + 1) - 1 : Length(); }
    int LineLength(int line) const { return LineEndOffset(line) - LineStart(line); }
    // The line holding `offset` (a line feed belongs to the line it ends); offsets
    // outside the text are clamped.
    int LineOf(int offset) const;
    LineEnd EndOf(int line) const { return lines_[static_cast<std::size_t>(line)].end; }
    short EndState(int line) const { return lines_[static_cast<std::size_t>(line)].endState; }
    bool Styled(int line) const { return lines_[static_cast<std::size_t>(line)].styled != 0; }
    void SetEndState(int line, short state)
    {
        LineRecord& record = lines_[static_cast<std::size_t>(line)];
        record.endState = state;
        unstyled_ -= record.styled == 0 ? 1 : 0;
        record.styled = 1;
    }
    void Unmark(int line) { Unmark(lines_[static_cast<std::size_t>(line)]); }
    // Lines not marked styled.
    std::size_t UnstyledLines() const { return unstyled_; }

    // The line end most of the lines have (ties: CR LF, then LF, then CR); `fallback`
    // when the text has no line end.
    LineEnd MostCommonEnd(LineEnd fallback) const;
    long long EndCount(LineEnd end) const { return endCounts_[static_cast<int>(end)]; }

    // Inserts `bytes` before `offset` (0..Length()). Each line feed in them ends its line
    // with the matching entry of `ends` (one per line feed), or with `fallback` when
    // `ends` is empty. New lines are unstyled; the line the insertion lands in keeps its
    // record, minus its styled mark.
    void Insert(int offset, std::string_view bytes, const std::vector<LineEnd>& ends, LineEnd fallback);
    // Removes `length` bytes from `offset` (both within the text). When `removedEnds` is
    // given it receives the line ends of the removed line feeds, in order.
    void Delete(int offset, int length, std::vector<LineEnd>* removedEnds = nullptr);

    // The file's bytes: each line followed by its own line end.
    std::string FileText() const;
    // The file's size in bytes.
    std::size_t FileSize() const;
    // Offsets between the buffer and the file: a line end of two bytes is one line feed
    // in the buffer. A file offset inside a two-byte line end maps to its line feed.
    int FileOffset(int bufferOffset) const;
    int BufferOffset(std::size_t fileOffset) const;

    // Bytes held for the text and the line records, gaps included.
    std::size_t MemoryUse() const;

private:
    std::string_view LineView(int line, bool withFeed, std::string* scratch) const;
    // Puts the line gap after `line`, so that lines 0..line keep absolute starts.
    void MoveLineGap(std::size_t index);
    void Count(LineEnd end, int delta) { endCounts_[static_cast<int>(end)] += delta; }
    void Unmark(LineRecord& record)
    {
        unstyled_ += record.styled != 0 ? 1 : 0;
        record.styled = 0;
    }

    GapArray<std::string> text_;
    GapArray<std::vector<LineRecord>> lines_;
    long long endCounts_[4] = {0, 0, 0, 0};
    std::size_t unstyled_ = 0;
};

} // namespace varnel::editor
