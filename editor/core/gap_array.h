// A sequence with a gap at the place of the last change: inserting or erasing near the
// previous change moves little, and a change far away moves the elements in between once.
// The elements are trivially copyable and live in one block (`Storage`, a std::string or
// a std::vector), so a run of them on one side of the gap is contiguous.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <utility>

namespace varnel::editor {

template <typename Storage>
class GapArray {
public:
    using value_type = typename Storage::value_type;
    static_assert(std::is_trivially_copyable_v<value_type>, "elements move with memmove");

    GapArray() = default;
    // Takes the elements of `elements` without copying them; the gap starts at the end,
    // empty until the first insertion makes room.
    explicit GapArray(Storage elements) : block_(std::move(elements)), gapStart_(block_.size()), gapEnd_(block_.size()) {}
    // Takes `block`, whose elements `gapStart` to `gapEnd` are the gap.
    GapArray(Storage block, std::size_t gapStart, std::size_t gapEnd)
        : block_(std::move(block)), gapStart_(gapStart), gapEnd_(gapEnd) {}

    std::size_t size() const { return block_.size() - GapLength(); }
    bool empty() const { return size() == 0; }
    std::size_t GapStart() const { return gapStart_; }

    const value_type& operator[](std::size_t i) const { return block_[i < gapStart_ ? i : i + GapLength()]; }
    value_type& operator[](std::size_t i) { return block_[i < gapStart_ ? i : i + GapLength()]; }

    // The elements before the gap and those after it.
    const value_type* Front() const { return block_.data(); }
    const value_type* Back() const { return block_.data() + gapEnd_; }
    std::size_t BackLength() const { return block_.size() - gapEnd_; }
    value_type* Front() { return &block_[0]; }
    value_type* Back() { return &block_[0] + gapEnd_; }

    // Moves the gap to `position` (0..size()); elements keep their indexes.
    void MoveGap(std::size_t position)
    {
        if (position < gapStart_) {
            const std::size_t count = gapStart_ - position;
            std::memmove(Raw() + gapEnd_ - count, Raw() + position, count * sizeof(value_type));
            gapStart_ = position;
            gapEnd_ -= count;
        } else if (position > gapStart_) {
            const std::size_t count = position - gapStart_;
            std::memmove(Raw() + gapStart_, Raw() + gapEnd_, count * sizeof(value_type));
            gapStart_ = position;
            gapEnd_ += count;
        }
    }

    // Makes `count` new elements at `position` and answers where they start (the gap
    // now follows them); their values are whatever the gap held.
    value_type* InsertUninitialised(std::size_t position, std::size_t count)
    {
        MoveGap(position);
        if (GapLength() < count)
            Grow(count);
        value_type* at = Raw() + gapStart_;
        gapStart_ += count;
        return at;
    }
    void Insert(std::size_t position, const value_type* elements, std::size_t count)
    {
        if (count == 0)
            return;
        std::memcpy(InsertUninitialised(position, count), elements, count * sizeof(value_type));
    }
    // Removes `count` elements from `position` (both within the sequence).
    void Erase(std::size_t position, std::size_t count)
    {
        if (position + count == gapStart_) {
            gapStart_ = position; // the elements just before the gap join it
            return;
        }
        MoveGap(position);
        gapEnd_ += count;
    }

    // Copies `count` elements from `position` into `out`.
    void CopyOut(std::size_t position, std::size_t count, value_type* out) const
    {
        const std::size_t end = position + count;
        if (end <= gapStart_) {
            std::memcpy(out, block_.data() + position, count * sizeof(value_type));
        } else if (position >= gapStart_) {
            std::memcpy(out, block_.data() + position + GapLength(), count * sizeof(value_type));
        } else {
            const std::size_t front = gapStart_ - position;
            std::memcpy(out, block_.data() + position, front * sizeof(value_type));
            std::memcpy(out + front, block_.data() + gapEnd_, (count - front) * sizeof(value_type));
        }
    }
    // The elements from `position` on for `count`, where they lie when they are on one
    // side of the gap, else null.
    const value_type* Span(std::size_t position, std::size_t count) const
    {
        if (position + count <= gapStart_)
            return block_.data() + position;
        if (position >= gapStart_)
            return block_.data() + position + GapLength();
        return nullptr;
    }

    // All elements in one piece: the gap moves to the end.
    const value_type* Contiguous()
    {
        MoveGap(size());
        return block_.data();
    }

    // Bytes held, gap included.
    std::size_t Capacity() const { return block_.size(); }

private:
    std::size_t GapLength() const { return gapEnd_ - gapStart_; }
    value_type* Raw() { return &block_[0]; }

    // Widens the gap to hold at least `count` more elements, and some room beyond, so
    // that a run of small insertions grows the block rarely.
    void Grow(std::size_t count)
    {
        const std::size_t used = size();
        const std::size_t spare = std::clamp<std::size_t>(used / 16, 4096 / sizeof(value_type) + 1,
                                                           (std::size_t{4} << 20) / sizeof(value_type));
        const std::size_t gap = count + spare;
        const std::size_t back = BackLength();
        const std::size_t oldSize = block_.size();
        block_.resize(used + gap);
        // The elements after the old gap move to the end of the larger block.
        std::memmove(Raw() + gapStart_ + gap, Raw() + (oldSize - back), back * sizeof(value_type));
        gapEnd_ = gapStart_ + gap;
    }

    Storage block_;
    std::size_t gapStart_ = 0;
    std::size_t gapEnd_ = 0;
};

} // namespace varnel::editor
