// The language data of the Pascal plug-in: Pascal programs and units.
#include "language_exports.h"
#include "style_palette.h"
#include "line_comment.h"

extern "C" {

const char kLanguageName[] = "Pascal";
const char kLanguageExtensions[] = "*.p;*.pas";
const char kLanguageKeywordFile[] = "keywords.pas";

const char kLanguageKeywords[] =
    "AND ARRAY BEGIN CASE CONST DIV DO DOWNTO ELSE END EXTERNAL FILE FOR FORWARD\n"
    "FUNCTION GOTO IF IMPLEMENTATION IN INHERITED INLINE INTERFACE LABEL MOD NIL NOT\n"
    "OBJECT OF OR OTHERWISE OVERRIDE PACKED PROCEDURE PROGRAM RECORD REPEAT SET\n"
    "STRING THEN TO TYPE UNIT UNIV UNTIL USES VAR WHILE WITH \n"
    "INTEGER LONGINT CHAR BOOLEAN TRUE FALSE\n"
    "LEAVE CYCLE\n";

const char* const kLanguageStyles[][2] = {
    {"Keywords", kBlueStyle},
    {"Comments", kRedStyle},
    {"Strings", kGreyStyle},
    {"User1", kOliveStyle},
    {"User2", kOliveStyle},
    {"User3", kOliveStyle},
    {"User4", kOliveStyle},
    {nullptr, nullptr},
};

} // extern "C"

const LineComment kLineComment = {"(*", "*)", false};
