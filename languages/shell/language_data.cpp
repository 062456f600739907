// The language data of the Shell plug-in: shell scripts and makefiles.
#include "language_exports.h"
#include "style_palette.h"
#include "line_comment.h"

extern "C" {

const char kLanguageName[] = "Shell";
const char kLanguageExtensions[] = "*.sh;*.mak*;*.mk;makefile*";
const char kLanguageKeywordFile[] = "keywords.sh";

const char kLanguageKeywords[] =
    "case do done elif else esac fi for function if in select then until while\n"
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
