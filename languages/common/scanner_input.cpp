#include "scanner_input.h"

#include <cstdio>
#include <cstdlib>

ScannerInput::ScannerInput(VLanguageProxyV2& document)
    : it_(document), total_(document.TextLength())
{
}

int ScannerInput::Following() const
{
    CharIterator next = it_;
    return next.Advance();
}

int ScannerInput::Deliver(char* buffer, int max)
{
    if (!MidCharacter()) {
        sent_ = it_.offset;
        it_.Advance();
        characterEnd_ = it_.offset < total_ ? it_.offset : total_;
    }
    int stored = 0;
    while (MidCharacter() && stored < max)
        buffer[stored++] = it_.proxy->CharAt(sent_++);
    delivered_ += stored;
    return stored;
}

void ScannerInput::Pass()
{
    it_.Advance();
    sent_ = characterEnd_ = it_.offset;
}

int ScannerInput::DeliverBlanks(int from, char* buffer, int count)
{
    for (int i = 0; i < count; ++i)
        buffer[i] = ' ';
    blanks_.push_back({delivered_, count, from, sent_ - from});
    delivered_ += count;
    return count;
}

void ScannerInput::Forget(int held)
{
    const int firstHeld = delivered_ - held;
    std::size_t gone = 0;
    while (gone < blanks_.size() && blanks_[gone].delivered + blanks_[gone].count <= firstHeld) {
        forgottenExcess_ += blanks_[gone].length - blanks_[gone].count;
        ++gone;
    }
    if (gone > 0)
        blanks_.erase(blanks_.begin(), blanks_.begin() + static_cast<std::ptrdiff_t>(gone));
}

int ScannerInput::MatchOffset(int held, int intoBuffer) const
{
    // The match's first byte, counted in bytes delivered; from the last run of blanks
    // delivered before it, the document and the delivered bytes go on alike.
    const int at = delivered_ - held + intoBuffer;
    for (auto run = blanks_.rbegin(); run != blanks_.rend(); ++run) {
        if (run->delivered > at)
            continue;
        const int past = at - run->delivered;
        if (past < run->count)
            return run->from + past;
        return run->from + run->length + (past - run->count);
    }
    return at + forgottenExcess_;
}

void ScannerFatalError(const char* message)
{
    std::fprintf(stderr, "%s\n", message);
    std::exit(2);
}
