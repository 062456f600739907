#include "block_writer.h"

#include <algorithm>
#include <charconv>

namespace varnel {

BlockWriter::BlockWriter(std::ostream& out, std::size_t blockSize)
    : out_(out), size_(std::max<std::size_t>(blockSize, 32)), block_(new char[size_])
{
}

void BlockWriter::PutNumber(long long value)
{
    char digits[24];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    Put(std::string_view(digits, static_cast<std::size_t>(end.ptr - digits)));
}

void BlockWriter::Flush()
{
    if (used_ > 0)
        out_.write(block_.get(), static_cast<std::streamsize>(used_));
    used_ = 0;
}

void BlockWriter::Spill(std::string_view text)
{
    // The block is filled up and written whole; what is left of the text starts the
    // next block, or goes straight to the stream when it would fill a block itself.
    const std::size_t fits = size_ - used_;
    std::memcpy(block_.get() + used_, text.data(), fits);
    used_ = size_;
    Flush();
    text.remove_prefix(fits);
    if (text.size() >= size_) {
        out_.write(text.data(), static_cast<std::streamsize>(text.size()));
        return;
    }
    std::memcpy(block_.get(), text.data(), text.size());
    used_ = text.size();
}

} // namespace varnel
