// Output gathered in one large block and handed to the stream a whole block at a time,
// so a long output costs a few large writes instead of one stream call per piece.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <ostream>
#include <string_view>

namespace varnel {

class BlockWriter {
public:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

    explicit BlockWriter(std::ostream& out, std::size_t blockSize = kBlockSize);
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    void Put(std::string_view text)
    {
        if (text.size() <= size_ - used_) {
            if (text.empty())
                return; // an empty view may have no data to copy from
            std::memcpy(block_.get() + used_, text.data(), text.size());
            used_ += text.size();
        } else {
            Spill(text);
        }
    }

    void Put(char c)
    {
        if (used_ == size_)
            Flush();
        block_[used_++] = c;
    }

    // The number in decimal, as a stream writes it.
    void PutNumber(long long value);

    // Hands what is gathered to the stream. Nothing is written before, so call it at the end.
    void Flush();

private:
    // Text that does not fit the rest of the block.
    void Spill(std::string_view text);

    std::ostream& out_;
    std::size_t size_;
    std::unique_ptr<char[]> block_;
    std::size_t used_ = 0;
};

} // namespace varnel
