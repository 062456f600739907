// Reading a text line by line through one buffer of fixed size, for passes that look at
// each line once and keep none: the memory used does not grow with the text.
//
// Lines end as in a Document: at a line feed, a carriage return and line feed, or a lone
// carriage return; a final line without a line end is a line too, and so is the empty
// line after a final line end (an empty text is one empty line).
#pragma once

#include "document.h"

#include <cstddef>
#include <cstdio>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

namespace varnel {

// Where the bytes come from: a file, standard input, or text in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to `size` bytes into `buffer`: answers how many, 0 at the end of the
    // input, or -1 when reading failed (the reason in Error()).
    virtual long long Read(char* buffer, std::size_t size) = 0;
    // Why the last Read failed (the system's words).
    const std::string& Error() const { return error_; }

protected:
    std::string error_;
};

// A file opened for reading, read straight into the caller's buffer.
class FileSource final : public ByteSource {
public:
    // The file, or null with the reason in *error (also for a folder).
    static std::unique_ptr<FileSource> Open(const std::string& path, std::string* error);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    long long Read(char* buffer, std::size_t size) override;

private:
#if defined(_WIN32)
    explicit FileSource(std::FILE* file) : file_(file) {}
    std::FILE* file_;
#else
    explicit FileSource(int fd) : fd_(fd) {}
    int fd_;
#endif
};

// A stream (standard input): read in pieces, never character by character.
class StreamSource final : public ByteSource {
public:
    explicit StreamSource(std::istream& in) : in_(in) {}
    long long Read(char* buffer, std::size_t size) override;

private:
    std::istream& in_;
};

// Text in memory (the caller keeps it), handed out at most `chunk` bytes a read.
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string_view text, std::size_t chunk = static_cast<std::size_t>(-1))
        : text_(text), chunk_(chunk == 0 ? 1 : chunk) {}
    long long Read(char* buffer, std::size_t size) override;

private:
    std::string_view text_;
    std::size_t chunk_;
};

// One line as the reader hands it out.
struct ReadLine {
    long long number = 0; // from 0
    long long offset = 0; // the file offset of its first byte
    std::string_view content; // without its line end
    LineEnd end = LineEnd::None; // None only for the last line

    // The line as the editor's buffer holds it: the content and, when the line has a
    // line end, one line feed (the reader puts one right after the content).
    std::string_view BufferLine() const
    {
        return std::string_view(content.data(), content.size() + (end != LineEnd::None ? 1 : 0));
    }
    // Whether an editor counts the line (Document::TextLineCount): all but the empty
    // line after a final line end.
    bool Counted() const { return end != LineEnd::None || !content.empty() || number == 0; }
};

// Splits what a source gives into lines, reading a piece of `pieceSize` bytes at a time
// into one buffer. A line longer than the buffer makes it grow for as long as that line
// needs it (doubling); the buffer shrinks back to one piece at the next read that the
// line no longer needs. A line's bytes stay where they are until the next call of Next.
class LineReader {
public:
    static constexpr std::size_t kPieceSize = std::size_t{64} << 10;

    explicit LineReader(ByteSource& source, std::size_t pieceSize = kPieceSize);
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Reads the first piece, if nothing was read yet: a source that cannot be read
    // is known before any line is handed out. Answers !Failed().
    bool Start();
    // The next line: true with *line set, false after the last line or when a read
    // failed (Failed() tells which).
    bool Next(ReadLine* line);

    bool Failed() const { return failed_; }
    // The number of bytes the buffer holds room for now.
    std::size_t BufferSize() const { return capacity_; }
    // The most it ever held room for.
    std::size_t LargestBufferSize() const { return largest_; }

private:
    // Reads more after the unfinished line at `begin_`: moves it to the buffer's start,
    // gives the buffer more room when the line fills it, or one piece again when the
    // line fits one. False at the end of the input or on failure.
    bool ReadMore();
    // Hands out the line [begin_, contentEnd) whose line end takes `endBytes` bytes.
    void Take(ReadLine* line, std::size_t contentEnd, LineEnd end, std::size_t endBytes);

    ByteSource& source_;
    std::size_t pieceSize_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t largest_ = 0;
    std::size_t begin_ = 0;  // the first byte not yet handed out
    std::size_t end_ = 0;    // past the last byte read
    // The first line feed and the first carriage return in [begin_, end_), or end_:
    // each byte is looked at once for each, however the text is read.
    std::size_t lf_ = 0;
    std::size_t cr_ = 0;
    long long offset_ = 0;   // the file offset of begin_
    long long number_ = 0;   // the number of the next line
    bool started_ = false;
    bool atEnd_ = false;     // the source has nothing more
    bool done_ = false;      // the last line was handed out
    bool failed_ = false;
};

} // namespace varnel
