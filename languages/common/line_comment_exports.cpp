// CommentLine and UncommentLine of the plug-ins whose comments run to the line end,
// with the comment tokens each plug-in gives in its language data.
#include "language_exports.h"
#include "line_comment.h"

extern "C" VARNEL_EXPORT void CommentLine(VLanguageProxy& line)
{
    CommentLineWith(line, kLineComment);
}

extern "C" VARNEL_EXPORT void UncommentLine(VLanguageProxy& line)
{
    UncommentLineWith(line, kLineComment);
}
