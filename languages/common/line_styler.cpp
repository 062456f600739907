#include "line_styler.h"

int KeywordStyles::StyleOf(int sets) const
{
    for (int bit = 0; bit < count_; ++bit) {
        if ((sets & (1 << bit)) != 0)
            return byBit_[bit];
    }
    return 0;
}

LineStyler::LineStyler(VLanguageProxy& styledLine)
    : line(styledLine), len(styledLine.TextLength())
{
}

bool LineStyler::Begin(int style)
{
    Style(0, style);
    return len > 0;
}
