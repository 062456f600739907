#include "line_reader.h"

#include "file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace varnel {

std::unique_ptr<FileSource> FileSource::Open(const std::string& path, std::string* error)
{
    if (IsFolder(path)) {
        *error = "it is a folder";
        return nullptr;
    }
#if defined(_WIN32)
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        *error = std::strerror(errno);
        return nullptr;
    }
    // The reader's buffer is the only one: reads go straight into it.
    std::setvbuf(file, nullptr, _IONBF, 0);
    return std::unique_ptr<FileSource>(new FileSource(file));
#else
    int fd;
    do
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        *error = std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<FileSource>(new FileSource(fd));
#endif
}

#if defined(_WIN32)

FileSource::~FileSource()
{
    std::fclose(file_);
}

long long FileSource::Read(char* buffer, std::size_t size)
{
    errno = 0;
    const std::size_t got = std::fread(buffer, 1, size, file_);
    if (got == 0 && std::ferror(file_) != 0) {
        const int reason = errno;
        error_ = reason != 0 ? std::strerror(reason) : "read error";
        return -1;
    }
    return static_cast<long long>(got);
}

#else

FileSource::~FileSource()
{
    close(fd_);
}

long long FileSource::Read(char* buffer, std::size_t size)
{
    // The reader's buffer is the only one: reads go straight into it.
    for (;;) {
        const ssize_t got = read(fd_, buffer, size);
        if (got >= 0)
            return static_cast<long long>(got);
        if (errno != EINTR) {
            error_ = std::strerror(errno);
            return -1;
        }
    }
}

#endif

long long StreamSource::Read(char* buffer, std::size_t size)
{
    if (!in_.good())
        return in_.bad() ? -1 : 0;
    in_.read(buffer, static_cast<std::streamsize>(size));
    if (in_.bad()) {
        error_ = "read error";
        return -1;
    }
    return static_cast<long long>(in_.gcount());
}

long long MemorySource::Read(char* buffer, std::size_t size)
{
    const std::size_t count = std::min({size, chunk_, text_.size()});
    if (count > 0)
        std::memcpy(buffer, text_.data(), count);
    text_.remove_prefix(count);
    return static_cast<long long>(count);
}

namespace {

// The first `c` in data[from, end), or end.
std::size_t Find(const char* data, std::size_t from, std::size_t end, char c)
{
    if (from >= end)
        return end;
    const void* found = std::memchr(data + from, c, end - from);
    return found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : end;
}

} // namespace

LineReader::LineReader(ByteSource& source, std::size_t pieceSize)
    : source_(source), pieceSize_(std::max<std::size_t>(pieceSize, 1))
{
}

bool LineReader::Start()
{
    if (!started_) {
        started_ = true;
        capacity_ = pieceSize_;
        largest_ = capacity_;
        buffer_.reset(new char[capacity_]);
        ReadMore();
    }
    return !failed_;
}

bool LineReader::ReadMore()
{
    if (atEnd_ || failed_)
        return false;
    // The unfinished line moves to the start of the buffer (it is short, as lines go),
    // into a buffer of one piece again when it fits one.
    const std::size_t rest = end_ - begin_;
    if (capacity_ > pieceSize_ && rest < pieceSize_) {
        std::unique_ptr<char[]> piece(new char[pieceSize_]);
        if (rest > 0)
            std::memcpy(piece.get(), buffer_.get() + begin_, rest);
        buffer_ = std::move(piece);
        capacity_ = pieceSize_;
    } else if (begin_ > 0 && rest > 0) {
        std::memmove(buffer_.get(), buffer_.get() + begin_, rest);
    }
    lf_ -= begin_;
    cr_ -= begin_;
    end_ = rest;
    begin_ = 0;
    // A line that fills the buffer gets twice the room.
    if (end_ == capacity_) {
        const std::size_t capacity = capacity_ * 2;
        std::unique_ptr<char[]> larger(new char[capacity]);
        std::memcpy(larger.get(), buffer_.get(), end_);
        buffer_ = std::move(larger);
        capacity_ = capacity;
        largest_ = std::max(largest_, capacity_);
    }
    const long long got = source_.Read(buffer_.get() + end_, capacity_ - end_);
    if (got < 0) {
        failed_ = true;
        return false;
    }
    if (got == 0) {
        atEnd_ = true;
        return false;
    }
    const std::size_t before = end_;
    end_ += static_cast<std::size_t>(got);
    // Line ends not found before may lie in what came in.
    if (lf_ == before)
        lf_ = Find(buffer_.get(), before, end_, '\n');
    if (cr_ == before)
        cr_ = Find(buffer_.get(), before, end_, '\r');
    return true;
}

void LineReader::Take(ReadLine* line, std::size_t contentEnd, LineEnd end, std::size_t endBytes)
{
    char* const data = buffer_.get();
    line->number = number_++;
    line->offset = offset_;
    line->content = std::string_view(data + begin_, contentEnd - begin_);
    line->end = end;
    // The editor's line feed right after the content, where the carriage return was.
    if (end == LineEnd::Cr || end == LineEnd::CrLf)
        data[contentEnd] = '\n';
    const std::size_t next = contentEnd + endBytes;
    offset_ += static_cast<long long>(next - begin_);
    begin_ = next;
    if (lf_ < begin_)
        lf_ = Find(data, begin_, end_, '\n');
    if (cr_ < begin_)
        cr_ = Find(data, begin_, end_, '\r');
}

bool LineReader::Next(ReadLine* line)
{
    if (done_ || (!started_ && !Start()) || failed_)
        return false;
    for (;;) {
        const std::size_t at = std::min(lf_, cr_);
        if (at < end_) {
            if (at == lf_) {
                Take(line, at, LineEnd::Lf, 1);
                return true;
            }
            // A carriage return ends a line alone unless a line feed follows it, which
            // may only be known once more is read.
            if (at + 1 < end_ || atEnd_) {
                const bool pair = at + 1 < end_ && buffer_[at + 1] == '\n';
                Take(line, at, pair ? LineEnd::CrLf : LineEnd::Cr, pair ? 2 : 1);
                return true;
            }
        } else if (atEnd_) {
            // The last line, without a line end (empty after a final line end).
            Take(line, end_, LineEnd::None, 0);
            done_ = true;
            return true;
        }
        if (!ReadMore() && failed_)
            return false;
    }
}

} // namespace varnel
