// The language data of the TeX plug-in: TeX documents.
#include "language_exports.h"
#include "style_palette.h"
#include "line_comment.h"

extern "C" {

const char kLanguageName[] = "TeX";
const char kLanguageExtensions[] = "*.tex";
const char kLanguageKeywordFile[] = "keywords.tex";

const char kLanguageKeywords[] =
    "-\n"
    "cite ref label\n"
    "-\n"
    "begin end\n"
    "-\n"
    "part chapter section subsection subsubsection paragraph subparagraph\n"
    "-\n";

const char* const kLanguageStyles[][2] = {
    {"Keywords", kBlueStyle},
    {"Special Characters", kOrangeStyle},
    {"Comments", kRedStyle},
    {"Math", kGreyStyle},
    {"User1", kOliveStyle},
    {"User2", kOliveStyle},
    {"User3", kOliveStyle},
    {"User4", kOliveStyle},
    {nullptr, nullptr},
};

} // extern "C"

const LineComment kLineComment = {"%", "", true};
