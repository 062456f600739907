// What the fuzz targets share: reading arguments out of the fuzzer's bytes, failing
// loudly when a property does not hold, and a reference UTF-8 decoder written
// independently of the host's.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Stops the run with a message when a property that must hold does not; libFuzzer then
// keeps the input that led here.
#define FUZZ_REQUIRE(condition, message)                                                 \
    do {                                                                                 \
        if (!(condition)) {                                                              \
            std::fprintf(stderr, "%s:%d: property failed: %s\n  (%s)\n", __FILE__,       \
                         __LINE__, message, #condition);                                 \
            std::abort();                                                                \
        }                                                                                \
    } while (false)

namespace varnel::fuzz {

// An offset or length argument, resolved against a text length once that is known.
// Most choices land inside the text or just around it; the others are the extremes an
// int can hold or any int at all.
struct PositionSeed {
    std::uint8_t mode = 0;
    std::int32_t value = 0;

    int For(int length) const
    {
        switch (mode % 4) {
        case 0: {
            static constexpr int kSpecial[] = {INT_MIN, INT_MIN + 1, -2, -1, 0, 1, INT_MAX - 1, INT_MAX};
            const unsigned pick = static_cast<std::uint32_t>(value) % 10;
            if (pick == 8)
                return length;
            if (pick == 9)
                return length < INT_MAX ? length + 1 : length;
            return kSpecial[pick];
        }
        case 1:
            return value;
        default: {
            // -1 .. length + 1
            const std::int64_t span = static_cast<std::int64_t>(length) + 3;
            return static_cast<int>(static_cast<std::int64_t>(static_cast<std::uint32_t>(value)) % span - 1);
        }
        }
    }
};

// Reads the fuzzer's bytes front to back; an exhausted reader answers zeros.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return pos_ >= size_; }
    std::size_t Remaining() const { return size_ - pos_; }

    std::uint8_t Byte() { return Empty() ? 0 : data_[pos_++]; }

    std::uint16_t U16()
    {
        const unsigned low = Byte();
        return static_cast<std::uint16_t>(low | (static_cast<unsigned>(Byte()) << 8));
    }

    std::int32_t I32()
    {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        return static_cast<std::int32_t>(v);
    }

    PositionSeed Position()
    {
        PositionSeed seed;
        seed.mode = Byte();
        seed.value = I32();
        return seed;
    }

    // Up to `count` bytes.
    std::string Bytes(std::size_t count)
    {
        const std::size_t n = count < Remaining() ? count : Remaining();
        std::string bytes(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return bytes;
    }

    std::string Rest() { return Bytes(Remaining()); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

struct DecodedChar {
    int codePoint;
    int length;
};

// The character at bytes[0], reading at most `available` bytes: a well-formed UTF-8
// sequence (the table of well-formed byte sequences: no overlong forms, no surrogates,
// nothing above U+10FFFF) gives its code point; anything else gives the single byte
// as its own value. Nothing available gives {0, 0}.
inline DecodedChar ReferenceDecode(const char* bytes, std::size_t available)
{
    if (available == 0)
        return {0, 0};
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned lead = b[0];
    const DecodedChar single{static_cast<int>(lead), 1};
    auto in = [&](std::size_t i, unsigned low, unsigned high) {
        return i < available && b[i] >= low && b[i] <= high;
    };
    if (lead <= 0x7F)
        return single;
    if (lead >= 0xC2 && lead <= 0xDF) {
        if (!in(1, 0x80, 0xBF))
            return single;
        return {static_cast<int>(((lead & 0x1Fu) << 6) | (b[1] & 0x3Fu)), 2};
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned high = lead == 0xED ? 0x9F : 0xBF;
        if (!in(1, low, high) || !in(2, 0x80, 0xBF))
            return single;
        return {static_cast<int>(((lead & 0x0Fu) << 12) | ((b[1] & 0x3Fu) << 6) | (b[2] & 0x3Fu)), 3};
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned high = lead == 0xF4 ? 0x8F : 0xBF;
        if (!in(1, low, high) || !in(2, 0x80, 0xBF) || !in(3, 0x80, 0xBF))
            return single;
        return {static_cast<int>(((lead & 0x07u) << 18) | ((b[1] & 0x3Fu) << 12) |
                                 ((b[2] & 0x3Fu) << 6) | (b[3] & 0x3Fu)),
                4};
    }
    return single;
}

} // namespace varnel::fuzz
