// A line state that carries a state number in its low bits and flags or small numbers
// in the bits above it.
#pragma once

struct PackedLineState {
    int number; // the state number, from the low bits
    int high;   // what the bits above them hold, shifted down

    // Splits a 16-bit line state whose state number takes the low `numberBits` bits.
    static PackedLineState Unpack(short state, int numberBits)
    {
        const unsigned bits = static_cast<unsigned short>(state);
        return {static_cast<int>(bits & ((1u << numberBits) - 1u)), static_cast<int>(bits >> numberBits)};
    }

    // The 16-bit line state again.
    short Pack(int numberBits) const
    {
        const unsigned numberMask = (1u << numberBits) - 1u;
        const unsigned bits = (static_cast<unsigned>(number) & numberMask) | (static_cast<unsigned>(high) << numberBits);
        return static_cast<short>(static_cast<unsigned short>(bits & 0xffffu));
    }

    bool Flag(int bit) const { return (high & (1 << bit)) != 0; }
    void SetFlag(int bit, bool on) { high = on ? (high | (1 << bit)) : (high & ~(1 << bit)); }
};
