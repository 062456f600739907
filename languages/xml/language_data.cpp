// The language data of the XML plug-in: XML documents.
#include "language_exports.h"
#include "style_palette.h"

extern "C" {

const char kLanguageName[] = "XML";
const char kLanguageExtensions[] = "*.xml";
const char kLanguageKeywordFile[] = "keywords.xml";

const char kLanguageKeywords[] =
    "\n"
    "- User set 1:\n"
    "- User set 2:\n"
    "- User set 3:\n"
    "- User set 4:\n";

const char* const kLanguageStyles[][2] = {
    {"XML Keyword", kBlueStyle},
    {"XML Attribute", kGreenStyle},
    {"Comments", kRedStyle},
    {"Strings", kGreyStyle},
    {"Special Character", kOrangeStyle},
    {"Tag", kGreyStyle},
    {"Tag String", kGreyStyle},
    {"user tag 1", kOliveStyle},
    {"user data 1", kKhakiStyle},
    {"user tag 2", kOliveStyle},
    {"user data 2", kKhakiStyle},
    {"user tag 3", kOliveStyle},
    {"user data 3", kKhakiStyle},
    {"user tag 4", kOliveStyle},
    {"user data 4", kKhakiStyle},
    {"user tag 5", kOliveStyle},
    {"user data 5", kKhakiStyle},
    {"user tag 6", kOliveStyle},
    {"user data 6", kKhakiStyle},
    {nullptr, nullptr},
};

} // extern "C"
