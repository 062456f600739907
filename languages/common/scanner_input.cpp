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
    return stored;
}

void ScannerInput::Pass()
{
    it_.Advance();
    sent_ = characterEnd_ = it_.offset;
}

void ScannerFatalError(const char* message)
{
    std::fprintf(stderr, "%s\n", message);
    std::exit(2);
}
