#include "scanner_input.h"

#include <algorithm>
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

int ScannerInput::Deliver(char* buffer)
{
    *buffer = static_cast<char>(it_.ch & 0xff);
    Pass();
    return 1;
}

void ScannerInput::Pass()
{
    const int before = it_.offset;
    it_.Advance();
    ++passed_;
    if (it_.offset != before + 1)
        shifts_.emplace_back(passed_, it_.offset);
}

int ScannerInput::ByteOffset(int index) const
{
    const auto after = std::upper_bound(shifts_.begin(), shifts_.end(), index,
                                        [](int i, const std::pair<int, int>& shift) { return i < shift.first; });
    if (after == shifts_.begin())
        return index;
    const auto& shift = *(after - 1);
    return shift.second + (index - shift.first);
}

int ScannerInput::MatchOffset(int held, int intoBuffer) const
{
    return ByteOffset(passed_ - (held - intoBuffer));
}

void ScannerFatalError(const char* message)
{
    std::fprintf(stderr, "%s\n", message);
    std::exit(2);
}
