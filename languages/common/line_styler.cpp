#include "line_styler.h"

int KeywordStyles::StyleOf(int sets) const
{
    for (int bit = 0; bit < count_; ++bit) {
        if ((sets & (1 << bit)) != 0)
            return byBit_[bit];
    }
    return 0;
}
