// The language data of the Java plug-in: Java sources.
#include "language_exports.h"
#include "style_palette.h"
#include "line_comment.h"

extern "C" {

const char kLanguageName[] = "Java";
const char kLanguageExtensions[] = "*.java";
const char kLanguageKeywordFile[] = "keywords.java";

const char kLanguageKeywords[] =
    "abstract default if private throw boolean do implements protected \n"
    "throws break double import public transient byte else instanceof \n"
    "return try case extends int short void catch final interface static this \n"
    "volatile char finally long super while class float native switch const \n"
    "for new synchronized continue goto package this true false null\n"
    "- User set 1:\n"
    "- User set 2:\n"
    "- User set 3:\n"
    "- User set 4:\n";

const char* const kLanguageStyles[][2] = {
    {"keywords", kBlueStyle},
    {"char constants", kOrangeStyle},
    {"comments", kRedStyle},
    {"strings", kGreyStyle},
    {"user1", kOliveStyle},
    {"user2", kOliveStyle},
    {"user3", kOliveStyle},
    {"user4", kOliveStyle},
    {nullptr, nullptr},
};

} // extern "C"

const LineComment kLineComment = {"//", "", false};
