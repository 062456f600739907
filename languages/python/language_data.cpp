// The language data of the Python plug-in: Python sources.
#include "language_exports.h"
#include "style_palette.h"
#include "line_comment.h"

extern "C" {

const char kLanguageName[] = "Python";
const char kLanguageExtensions[] = "*.py";
const char kLanguageKeywordFile[] = "keywords.py";

const char kLanguageKeywords[] =
    "and       del       for       is        raise    \n"
    "assert    elif      from      lambda    return   \n"
    "break     else      global    not       try      \n"
    "class     except    if        or        while    \n"
    "continue  exec      import    pass      yield    \n"
    "def       finally   in        print\n"
    "- Functions\n"
    "__import__ abs apply buffer callable chr cmp coerce compile complex\n"
    "delattr dict dir divmod eval execfile file filter float getattr globals\n"
    "hasattr hash help hex id input int intern isinstance issubclass iter len\n"
    "list locals long map max min oct open ord pow range raw_input reduce\n"
    "reload repr round setattr slice str tuple type unichr unicode vars\n"
    "xrange zip\n"
    "- User set 1:\n"
    "- User set 2:\n"
    "- User set 3:\n"
    "- User set 4:\n";

const char* const kLanguageStyles[][2] = {
    {"keywords", kBlueStyle},
    {"comments", kRedStyle},
    {"strings", kGreyStyle},
    {"user1", kOliveStyle},
    {"user2", kOliveStyle},
    {"user3", kOliveStyle},
    {"user4", kOliveStyle},
    {nullptr, nullptr},
};

} // extern "C"

const LineComment kLineComment = {"#", "", false};
