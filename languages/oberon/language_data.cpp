// The language data of the Oberon-2 plug-in: Oberon-2 modules.
#include "language_exports.h"
#include "style_palette.h"
#include "line_comment.h"

extern "C" {

const char kLanguageName[] = "Oberon-2";
const char kLanguageExtensions[] = "*.ob2;*.mod";
const char kLanguageKeywordFile[] = "keywords.ob2";

const char kLanguageKeywords[] =
    "ABS ASH BOOLEAN CAP CHAR CHR COPY DEC ENTIER LEN LONG LONGINT LONGREAL MAX MIN \n"
    "NEW ODD ORD EXCL FALSE HALT INC INCL INTEGER REAL SET SHORT SHORTINT SIZE TRUE \n"
    "ARRAY BEGIN CASE CONST DIV DO ELSE ELSIF END EXIT IF IMPORT IN IS LOOP MOD \n"
    "MODULE NIL OF OR POINTER PROCEDURE RECORD REPEAT RETURN THEN TO TYPE UNTIL VAR \n"
    "WHILE WITH FOR\n";

const char* const kLanguageStyles[][2] = {
    {"Keywords", kBlueStyle},
    {"Comments", kRedStyle},
    {"Strings", kGreyStyle},
    {"Sets", kOrangeStyle},
    {"User1", kOliveStyle},
    {"User2", kOliveStyle},
    {"User3", kOliveStyle},
    {"User4", kOliveStyle},
    {nullptr, nullptr},
};

} // extern "C"

const LineComment kLineComment = {"(*", "*)", false};
