#include "line_comment.h"

#include "char_iterator.h"

#include <cstring>

namespace {

int TokenLength(const char* token)
{
    return static_cast<int>(std::strlen(token));
}

bool TokenAt(VLanguageProxy& line, int offset, const char* token)
{
    for (int i = 0; token[i] != '\0'; ++i) {
        if (line.CharAt(offset + i) != token[i])
            return false;
    }
    return true;
}

void RemoveFirstCharacter(VLanguageProxy& line)
{
    VLanguageProxyV2* text = AsProxyV2(line);
    if (text == nullptr)
        return;
    CharIterator it(*text, 0);
    it.Advance();
    line.DeleteText(0, it.offset);
}

} // namespace

void CommentLineWith(VLanguageProxy& line, const LineComment& comment)
{
    line.InsertText(0, comment.open, TokenLength(comment.open));
    if (comment.close[0] != '\0')
        line.InsertText(line.TextLength(), comment.close, TokenLength(comment.close));
}

void UncommentLineWith(VLanguageProxy& line, const LineComment& comment)
{
    if (TokenAt(line, 0, comment.open)) {
        if (comment.removeFirstCharacter)
            RemoveFirstCharacter(line);
        else
            line.DeleteText(0, TokenLength(comment.open));
    }
    const int closeLength = TokenLength(comment.close);
    if (closeLength == 0)
        return;
    const int end = line.TextLength() - closeLength;
    if (end >= 0 && TokenAt(line, end, comment.close))
        line.DeleteText(end, closeLength);
}
