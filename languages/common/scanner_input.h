// What the generated function scanners share: the input hook's source, which hands the
// document to the scanner one character per call from a running CharIterator, the
// arithmetic that finds where a match lies in the document, and the engine's fatal
// error path.
#pragma once

#include "char_iterator.h"

class ScannerInput {
public:
    explicit ScannerInput(VLanguageProxyV2& document);

    // Nothing is left to deliver: the iterator stands at or beyond the text's end.
    bool AtEnd() const { return !MidCharacter() && (it_.offset < 0 || it_.offset >= total_); }
    // Part of a character is still to be delivered (the engine asked for fewer bytes than
    // it has).
    bool MidCharacter() const { return sent_ < characterEnd_; }
    // The character to deliver next, and the one after it.
    int Current() const { return it_.ch; }
    int Following() const;

    // Stores the bytes of the next character (at most `max`; the rest follows at the next
    // call) at `buffer` and answers how many it stored.
    int Deliver(char* buffer, int max);
    // Moves past the current character without delivering it.
    void Pass();
    // The bytes of the document delivered or passed so far.
    int Position() const { return sent_; }

    // Where a match starts in the document, as a byte offset: the scanner's buffer holds
    // `held` bytes, the last of them the one delivered last, and the match starts
    // `intoBuffer` bytes into it.
    int MatchOffset(int held, int intoBuffer) const { return sent_ - (held - intoBuffer); }

private:
    CharIterator it_;
    int total_;
    int sent_ = 0;         // bytes of the document delivered or passed
    int characterEnd_ = 0; // where the character being delivered ends
};

// The generated engine's fatal error: the message and a line feed on the standard error
// stream, then the process ends with status 2.
[[noreturn]] void ScannerFatalError(const char* message);
