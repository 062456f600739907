// The language data of the Rez plug-in: Rez resource descriptions.
#include "language_exports.h"
#include "style_palette.h"
#include "line_comment.h"

extern "C" {

const char kLanguageName[] = "Rez";
const char kLanguageExtensions[] = "*.r;*.rez";
const char kLanguageKeywordFile[] = "keywords.rez";

const char kLanguageKeywords[] =
    "#define #else #elif #endif #error #if #ifdef #ifndef #include\n"
    "#undef align array as binary bit bitstring boolean byte case \n"
    "change char cstring decimal delete derez false fill hex hexstring \n"
    "include integer key literal longint nibble octal point pstring read rect \n"
    "resource rez string switch true type unsigned wide word wstring\n"
    "- Rez Functions\n"
    "arrayindex attributes bitfield byte countof date day format hour ID \n"
    "long minute minute name packedsize resource resourcesize second shell \n"
    "time type version weekday word year \n"
    "- User set 1:\n"
    "- User set 2:\n"
    "- User set 3:\n"
    "- User set 4:\n";

const char* const kLanguageStyles[][2] = {
    {"Keywords", kBlueStyle},
    {"Char Constants", kOrangeStyle},
    {"Comments", kRedStyle},
    {"Strings", kGreyStyle},
    {"Rez Functions", kOliveStyle},
    {"User1", kOliveStyle},
    {"User2", kOliveStyle},
    {"User3", kOliveStyle},
    {"User4", kOliveStyle},
    {nullptr, nullptr},
};

} // extern "C"

const LineComment kLineComment = {"//", "", false};
