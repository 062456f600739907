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
        Copy(Room(count), runs, count);
        return Keep(count);
    }

    // Room for `count` runs at the end, for a writer that then keeps some of them.
    StyleRun* Room(std::size_t count)
    {
        if (count > capacity_ - size_)
            Reallocate(std::max(capacity_ * 2, size_ + count) + 64);
        return runs_.get() + size_;
    }
    // Keeps `count` runs written to Room(); answers where they start.
    std::size_t Keep(std::size_t count)
    {
        const std::size_t at = size_;
        size_ += count;
        return at;
    }

    // A line's few runs, copied one by one: quicker than a block copy's start-up.
    static void Copy(StyleRun* to, const StyleRun* from, std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i)
            to[i] = from[i];
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
