#include "text_buffer.h"

#include <algorithm>
#include <cstring>

namespace varnel::editor {

namespace {

LineRecord NewLine(int start, LineEnd end)
{
    return LineRecord{start, 0, end, 0};
}

} // namespace

TextBuffer::TextBuffer()
{
    const LineRecord first = NewLine(0, LineEnd::None);
    lines_.Insert(0, &first, 1);
    Count(LineEnd::None, 1);
    unstyled_ = 1;
}

TextBuffer::TextBuffer(std::string bytes) : TextBuffer(std::move(bytes), 0)
{
}

TextBuffer::TextBuffer(std::string block, std::size_t textStart)
{
    textStart = std::min(textStart, block.size());
    // One record a line end, and one for the line after the last, and room for the gap
    // of the line records.
    constexpr std::size_t kLineGap = 16;
    const std::size_t size = block.size() - textStart;
    char* const text = &block[0] + textStart;
    const std::size_t ends = static_cast<std::size_t>(std::count(text, text + size, '\n'));
    const bool hasReturns = std::memchr(text, '\r', size) != nullptr;
    std::vector<LineRecord> records;
    records.reserve((hasReturns ? ends + static_cast<std::size_t>(std::count(text, text + size, '\r')) : ends) + 1 +
                    kLineGap);
    records.push_back(NewLine(0, LineEnd::None));
    std::size_t length = size;
    if (!hasReturns) {
        for (const char* p = text; (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(text + size - p)))) != nullptr;) {
            records.back().end = LineEnd::Lf;
            ++p;
            records.push_back(NewLine(static_cast<int>(p - text), LineEnd::None));
        }
    } else {
        // Two-byte line ends become one line feed: the bytes move up in place.
        std::size_t write = 0;
        for (std::size_t read = 0; read < size; ++read) {
            const char c = text[read];
            if (c != '\n' && c != '\r') {
                text[write++] = c;
                continue;
            }
            LineEnd end = LineEnd::Lf;
            if (c == '\r') {
                end = LineEnd::Cr;
                if (read + 1 < size && text[read + 1] == '\n') {
                    end = LineEnd::CrLf;
                    ++read;
                }
            }
            text[write++] = '\n';
            records.back().end = end;
            records.push_back(NewLine(static_cast<int>(write), LineEnd::None));
        }
        length = write;
        block.resize(textStart + length);
    }
    for (const LineRecord& record : records)
        Count(record.end, 1);
    unstyled_ = records.size();
    if (textStart == 0) {
        text_ = GapArray<std::string>(std::move(block));
        lines_ = GapArray<std::vector<LineRecord>>(std::move(records));
        return;
    }
    // The text came with its gap at the top, where the caret starts: the first keystroke
    // there moves nothing. So do the line records: those after the first count from the end.
    for (std::size_t i = 1; i < records.size(); ++i)
        records[i].start -= static_cast<int>(length);
    records.insert(records.begin() + 1, kLineGap, LineRecord{});
    text_ = GapArray<std::string>(std::move(block), 0, textStart);
    lines_ = GapArray<std::vector<LineRecord>>(std::move(records), 1, 1 + kLineGap);
}

std::size_t TextBuffer::RoomBefore(std::size_t fileSize)
{
    return std::clamp<std::size_t>(fileSize / 16, 4096, std::size_t{4} << 20);
}

std::string TextBuffer::Copy(int offset, int length) const
{
    offset = std::clamp(offset, 0, Length());
    length = std::clamp(length, 0, Length() - offset);
    std::string out(static_cast<std::size_t>(length), '\0');
    if (length > 0)
        text_.CopyOut(static_cast<std::size_t>(offset), static_cast<std::size_t>(length), &out[0]);
    return out;
}

void TextBuffer::CopyTo(int offset, int length, char* out) const
{
    text_.CopyOut(static_cast<std::size_t>(offset), static_cast<std::size_t>(length), out);
}

std::string_view TextBuffer::Contiguous()
{
    const char* data = text_.Contiguous();
    return std::string_view(data, text_.size());
}

std::string_view TextBuffer::LineView(int line, bool withFeed, std::string* scratch) const
{
    const int start = LineStart(line);
    const int end = withFeed && line + 1 < LineCount() ? LineStart(line + 1) : LineEndOffset(line);
    const std::size_t length = static_cast<std::size_t>(end - start);
    if (const char* at = text_.Span(static_cast<std::size_t>(start), length))
        return std::string_view(at, length);
    scratch->resize(length);
    text_.CopyOut(static_cast<std::size_t>(start), length, &(*scratch)[0]);
    return *scratch;
}

int TextBuffer::LineStart(int line) const
{
    if (line <= 0)
        return 0;
    if (line >= LineCount())
        return Length();
    const std::size_t index = static_cast<std::size_t>(line);
    const int stored = lines_[index].start;
    return index < lines_.GapStart() ? stored : stored + Length();
}

int TextBuffer::LineOf(int offset) const
{
    int low = 0;
    int high = LineCount() - 1;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (LineStart(middle) <= offset)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

LineEnd TextBuffer::MostCommonEnd(LineEnd fallback) const
{
    const long long crLf = EndCount(LineEnd::CrLf);
    const long long lf = EndCount(LineEnd::Lf);
    const long long cr = EndCount(LineEnd::Cr);
    if (crLf == 0 && lf == 0 && cr == 0)
        return fallback;
    if (crLf >= lf && crLf >= cr)
        return LineEnd::CrLf;
    return lf >= cr ? LineEnd::Lf : LineEnd::Cr;
}

void TextBuffer::MoveLineGap(std::size_t index)
{
    const std::size_t gap = lines_.GapStart();
    const int length = Length();
    // Records that cross the gap change between counting from the start and from the end.
    for (std::size_t i = index; i < gap; ++i)
        lines_[i].start -= length;
    for (std::size_t i = gap; i < index; ++i)
        lines_[i].start += length;
    lines_.MoveGap(index);
}

void TextBuffer::Insert(int offset, std::string_view bytes, const std::vector<LineEnd>& ends, LineEnd fallback)
{
    if (bytes.empty())
        return;
    if (fallback == LineEnd::None)
        fallback = LineEnd::Lf;
    const int line = LineOf(offset);
    const std::size_t after = static_cast<std::size_t>(line) + 1;
    MoveLineGap(after);
    text_.Insert(static_cast<std::size_t>(offset), bytes.data(), bytes.size());

    LineRecord& landed = lines_[static_cast<std::size_t>(line)];
    Unmark(landed);
    const std::size_t feeds = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    if (feeds == 0)
        return;
    // The line the text lands in now ends at the first new line feed; the last new line
    // ends as that line did.
    const LineEnd lastEnd = landed.end;
    const short lastState = landed.endState;
    LineRecord* added = lines_.InsertUninitialised(after, feeds);
    unstyled_ += feeds;
    std::size_t feed = 0;
    LineEnd* previousEnd = &lines_[static_cast<std::size_t>(line)].end;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n')
            continue;
        LineEnd end = feed < ends.size() ? ends[feed] : fallback;
        if (end == LineEnd::None)
            end = fallback;
        *previousEnd = end;
        Count(end, 1);
        // Each new line carries the landed line's end state: the line after the last of
        // them was styled after that state.
        added[feed] = LineRecord{offset + static_cast<int>(i) + 1, lastState, lastEnd, 0};
        previousEnd = &added[feed].end;
        ++feed;
    }
}

void TextBuffer::Delete(int offset, int length, std::vector<LineEnd>* removedEnds)
{
    if (length <= 0)
        return;
    const int first = LineOf(offset);
    const int last = LineOf(offset + length);
    if (last > first) {
        MoveLineGap(static_cast<std::size_t>(last) + 1);
        for (int line = first; line < last; ++line) {
            const LineEnd end = lines_[static_cast<std::size_t>(line)].end;
            if (removedEnds != nullptr)
                removedEnds->push_back(end);
            Count(end, -1);
            unstyled_ -= line > first && lines_[static_cast<std::size_t>(line)].styled == 0 ? 1 : 0;
        }
        unstyled_ -= lines_[static_cast<std::size_t>(last)].styled == 0 ? 1 : 0;
        // The joined line ends as the last one did, and the line after it was styled
        // after that line's end state.
        lines_[static_cast<std::size_t>(first)].end = lines_[static_cast<std::size_t>(last)].end;
        lines_[static_cast<std::size_t>(first)].endState = lines_[static_cast<std::size_t>(last)].endState;
        lines_.Erase(static_cast<std::size_t>(first) + 1, static_cast<std::size_t>(last - first));
    } else {
        MoveLineGap(static_cast<std::size_t>(first) + 1);
    }
    Unmark(lines_[static_cast<std::size_t>(first)]);
    text_.Erase(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
}

std::size_t TextBuffer::FileSize() const
{
    return text_.size() + static_cast<std::size_t>(EndCount(LineEnd::CrLf));
}

std::string TextBuffer::FileText() const
{
    std::string file;
    file.resize(FileSize());
    char* out = &file[0];
    const int lines = LineCount();
    for (int line = 0; line < lines; ++line) {
        const int start = LineStart(line);
        const int length = LineEndOffset(line) - start;
        text_.CopyOut(static_cast<std::size_t>(start), static_cast<std::size_t>(length), out);
        out += length;
        const std::string_view end = LineEndBytes(EndOf(line));
        std::memcpy(out, end.data(), end.size());
        out += end.size();
    }
    return file;
}

int TextBuffer::FileOffset(int bufferOffset) const
{
    bufferOffset = std::clamp(bufferOffset, 0, Length());
    const int line = LineOf(bufferOffset);
    int extra = 0;
    for (int i = 0; i < line; ++i)
        extra += EndOf(i) == LineEnd::CrLf ? 1 : 0;
    return bufferOffset + extra;
}

int TextBuffer::BufferOffset(std::size_t fileOffset) const
{
    std::size_t fileStart = 0;
    const int lines = LineCount();
    for (int line = 0; line < lines; ++line) {
        const int start = LineStart(line);
        const std::size_t length = static_cast<std::size_t>(LineEndOffset(line) - start);
        const std::size_t endLength = LineEndBytes(EndOf(line)).size();
        if (fileOffset < fileStart + length + endLength || line + 1 == lines)
            return start + static_cast<int>(std::min(fileOffset - fileStart, length));
        fileStart += length + endLength;
    }
    return Length();
}

std::size_t TextBuffer::MemoryUse() const
{
    return text_.Capacity() + lines_.Capacity() * sizeof(LineRecord);
}

} // namespace varnel::editor
