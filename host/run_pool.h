// The style runs of all a document's lines, one after another in one block: a line's
// runs go in with one copy, and the block doubles when it is full.
#pragma once

#include "host_proxy.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>

namespace varnel {

class RunPool {
public:
    std::size_t size() const { return size_; }
    const StyleRun* data() const { return runs_.get(); }
    StyleRun* data() { return runs_.get(); }

    // Empties the pool and keeps its block.
    void clear() { size_ = 0; }
    // Empties the pool and frees its block.
    void Release()
    {
        runs_.reset();
        size_ = 0;
        capacity_ = 0;
    }
    void Reserve(std::size_t capacity)
    {
        if (capacity > capacity_)
            Reallocate(capacity);
    }
    // Adds `count` runs at the end; answers where they start.
    std::size_t Append(const StyleRun* runs, std::size_t count)
    {
        if (count > capacity_ - size_)
            Reallocate(std::max(capacity_ * 2, size_ + count) + 64);
        const std::size_t at = size_;
        if (count > 0)
            std::memcpy(runs_.get() + at, runs, count * sizeof(StyleRun));
        size_ += count;
        return at;
    }

private:
    void Reallocate(std::size_t capacity)
    {
        std::unique_ptr<StyleRun[]> runs(new StyleRun[capacity]);
        if (size_ > 0)
            std::memcpy(runs.get(), runs_.get(), size_ * sizeof(StyleRun));
        runs_ = std::move(runs);
        capacity_ = capacity;
    }

    std::unique_ptr<StyleRun[]> runs_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

} // namespace varnel
