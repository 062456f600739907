#include "text_proxy.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace varnel {

namespace {

// Where an offset of the text lands after `length` bytes are inserted at `position`.
int AfterInsert(int offset, int position, int length)
{
    return offset >= position ? offset + length : offset;
}

// Where an offset lands after `length` bytes are deleted from `position`.
int AfterDelete(int offset, int position, int length)
{
    if (offset <= position)
        return offset;
    return offset >= position + length ? offset - length : position;
}

} // namespace

TextProxy::TextProxy(const std::string& text, std::optional<std::string> filePath, void* window)
    : buffer_(text.begin(), text.end()), gapStart_(text.size()), gapEnd_(text.size()),
      filePath_(std::move(filePath)), window_(window)
{
}

std::string TextProxy::Text() const
{
    std::string text(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(gapStart_));
    text.append(buffer_.begin() + static_cast<std::ptrdiff_t>(gapEnd_), buffer_.end());
    return text;
}

void TextProxy::KeepLineEnds(const std::vector<LineEnd>& ends)
{
    ends_.assign(buffer_.size(), LineEnd::None);
    std::size_t next = 0;
    for (std::size_t at = 0; at < buffer_.size() && next < ends.size(); ++at) {
        if ((at < gapStart_ || at >= gapEnd_) && buffer_[at] == '\n')
            ends_[at] = ends[next++];
    }
}

std::string TextProxy::FileText(LineEnd added) const
{
    if (ends_.empty())
        return Text();
    std::string text;
    text.reserve(Size() + Size() / 16);
    for (std::size_t at = 0; at < buffer_.size(); ++at) {
        if (at == gapStart_)
            at = gapEnd_;
        if (at >= buffer_.size())
            break;
        if (buffer_[at] == '\n')
            text += LineEndBytes(ends_[at] == LineEnd::None ? added : ends_[at]);
        else
            text += buffer_[at];
    }
    return text;
}

namespace {

// Moves `count` elements of the gap buffer `data` from `from` to `to`.
template <typename T>
void Shift(std::vector<T>& data, std::size_t to, std::size_t from, std::size_t count)
{
    if (!data.empty())
        std::memmove(data.data() + to, data.data() + from, count * sizeof(T));
}

} // namespace

void TextProxy::MoveGap(std::size_t position)
{
    if (position < gapStart_) {
        const std::size_t count = gapStart_ - position;
        Shift(buffer_, gapEnd_ - count, position, count);
        Shift(ends_, gapEnd_ - count, position, count);
        gapStart_ -= count;
        gapEnd_ -= count;
    } else if (position > gapStart_) {
        const std::size_t count = position - gapStart_;
        Shift(buffer_, gapStart_, gapEnd_, count);
        Shift(ends_, gapStart_, gapEnd_, count);
        gapStart_ += count;
        gapEnd_ += count;
    }
}

void TextProxy::ReserveGap(std::size_t length)
{
    const std::size_t gap = gapEnd_ - gapStart_;
    if (gap >= length)
        return;
    const std::size_t tail = buffer_.size() - gapEnd_;
    const std::size_t size = Size();
    const std::size_t capacity = std::max(size * 2, size + length) + 64;
    std::vector<char> grown(capacity);
    if (gapStart_ > 0)
        std::memcpy(grown.data(), buffer_.data(), gapStart_);
    if (tail > 0)
        std::memcpy(grown.data() + capacity - tail, buffer_.data() + gapEnd_, tail);
    buffer_.swap(grown);
    if (!ends_.empty()) {
        std::vector<LineEnd> grownEnds(capacity, LineEnd::None);
        std::copy(ends_.begin(), ends_.begin() + static_cast<std::ptrdiff_t>(gapStart_), grownEnds.begin());
        std::copy(ends_.end() - static_cast<std::ptrdiff_t>(tail), ends_.end(),
                  grownEnds.end() - static_cast<std::ptrdiff_t>(tail));
        ends_.swap(grownEnds);
    }
    gapEnd_ = capacity - tail;
}

char TextProxy::CharAt(int position)
{
    if (position < 0 || static_cast<std::size_t>(position) >= Size())
        return '\0';
    const std::size_t at = static_cast<std::size_t>(position);
    return at < gapStart_ ? buffer_[at] : buffer_[at + (gapEnd_ - gapStart_)];
}

int TextProxy::TextLength()
{
    return static_cast<int>(Size());
}

int TextProxy::InsertText(int position, const char* text, int length)
{
    const int size = TextLength();
    if (position < 0 || position > size || length < 0)
        return kTextProxyOutsideText;
    if (length > 0 && text == nullptr)
        return kTextProxyNoText;
    if (length > INT_MAX - size)
        return kTextProxyTooLong;
    if (length > 0) {
        ReserveGap(static_cast<std::size_t>(length));
        MoveGap(static_cast<std::size_t>(position));
        std::memcpy(buffer_.data() + gapStart_, text, static_cast<std::size_t>(length));
        if (!ends_.empty())
            std::fill_n(ends_.begin() + static_cast<std::ptrdiff_t>(gapStart_), length, LineEnd::None);
        gapStart_ += static_cast<std::size_t>(length);
    }

    const int end = selectionStart_ + selectionLength_;
    selectionStart_ = AfterInsert(selectionStart_, position, length);
    selectionLength_ = AfterInsert(end, position, length) - selectionStart_;
    return 0;
}

int TextProxy::DeleteText(int position, int length)
{
    const int size = TextLength();
    if (position < 0 || position > size || length < 0 || length > size - position)
        return kTextProxyOutsideText;
    MoveGap(static_cast<std::size_t>(position));
    gapEnd_ += static_cast<std::size_t>(length);

    const int end = selectionStart_ + selectionLength_;
    selectionStart_ = AfterDelete(selectionStart_, position, length);
    selectionLength_ = AfterDelete(end, position, length) - selectionStart_;
    return 0;
}

void TextProxy::GetSelection(int* start, int* length)
{
    if (start != nullptr)
        *start = selectionStart_;
    if (length != nullptr)
        *length = selectionLength_;
}

int TextProxy::Select(int start, int length)
{
    const int size = TextLength();
    if (start < 0 || start > size || length < 0 || length > size - start)
        return kTextProxyOutsideText;
    selectionStart_ = start;
    selectionLength_ = length;
    return 0;
}

bool TextProxy::GetFilePath(char* buffer, int size)
{
    if (!filePath_ || buffer == nullptr || size <= 0 ||
        filePath_->size() >= static_cast<std::size_t>(size))
        return false;
    std::memcpy(buffer, filePath_->c_str(), filePath_->size() + 1);
    return true;
}

} // namespace varnel
