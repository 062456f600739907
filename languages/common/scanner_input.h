// What the generated function scanners share: the input hook's source, which hands the
// document to the scanner one character per call from a running CharIterator, the
// arithmetic that finds where a match lies in the document, and the engine's fatal
// error path.
#pragma once

#include "char_iterator.h"

#include <utility>
#include <vector>

class ScannerInput {
public:
    explicit ScannerInput(VLanguageProxyV2& document);

    // No character is left to deliver: the iterator stands at or beyond the text's end.
    bool AtEnd() const { return it_.offset < 0 || it_.offset >= total_; }
    // The character to deliver next, and the one after it.
    int Current() const { return it_.ch; }
    int Following() const;

    // Stores the current character at `buffer` as one byte (the low eight bits of its
    // value) and moves past it; answers the number of bytes stored, 1.
    int Deliver(char* buffer);
    // Moves past the current character without delivering it.
    void Pass();

    // The characters passed so far, delivered or not.
    int Passed() const { return passed_; }

    // Where a match starts in the document, as a byte offset: the scanner's buffer holds
    // `held` characters, the last of them the one passed last, and the match starts
    // `intoBuffer` characters into it.
    int MatchOffset(int held, int intoBuffer) const;

private:
    // The byte offset of the character with this index (counted from 0).
    int ByteOffset(int index) const;

    CharIterator it_;
    int total_;
    int passed_ = 0;
    // (index, byte offset) of every character that follows one taking other than one
    // byte: between two of them, indices and offsets go up together.
    std::vector<std::pair<int, int>> shifts_;
};

// The generated engine's fatal error: the message and a line feed on the standard error
// stream, then the process ends with status 2.
[[noreturn]] void ScannerFatalError(const char* message);
