// What the generated function scanners share: the input hook's source, which hands the
// document to the scanner one character per call from a running CharIterator (or blanks
// in place of a stretch of it), where a match lies in the document, and the engine's
// fatal error path.
#pragma once

#include "char_iterator.h"

#include <vector>

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

    // Stores `count` blanks at `buffer` in place of the document's bytes from offset
    // `from` up to the position, all of them passed since the last delivery, and answers
    // `count`. However many blanks stand for them, those bytes keep their full length in
    // the offsets of the matches.
    int DeliverBlanks(int from, char* buffer, int count);

    // The scanner's buffer now holds only the last `held` bytes delivered: no match will
    // start before them, so what is kept about blanks before them can go.
    void Forget(int held);

    // Where a match starts in the document, as a byte offset: the scanner's buffer holds
    // `held` bytes, the last of them the one delivered last, and the match starts
    // `intoBuffer` bytes into it. A match that starts on a blank starts where the bytes
    // that blank stands for start, plus the blanks before it.
    int MatchOffset(int held, int intoBuffer) const;

private:
    // A run of blanks delivered in place of a stretch of the document.
    struct Blanks {
        int delivered; // the bytes delivered before the first blank
        int count;     // blanks delivered
        int from;      // the document offset of the stretch, and its length in bytes
        int length;
    };

    CharIterator it_;
    int total_;
    int sent_ = 0;         // bytes of the document delivered or passed
    int characterEnd_ = 0; // where the character being delivered ends
    int delivered_ = 0;    // bytes stored in the scanner's buffer so far
    // The runs of blanks a match may still start in or after, in delivery order; those
    // forgotten before them made the document this many bytes longer than what was
    // delivered.
    std::vector<Blanks> blanks_;
    int forgottenExcess_ = 0;
};

// The generated engine's fatal error: the message and a line feed on the standard error
// stream, then the process ends with status 2.
[[noreturn]] void ScannerFatalError(const char* message);
