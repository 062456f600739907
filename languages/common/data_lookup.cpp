#include "language_exports.h"

#include <cstring>

extern "C" VARNEL_EXPORT const void* GetDataAddress(const char* name)
{
    if (name == nullptr)
        return nullptr;
    if (std::strcmp(name, "kLanguageName") == 0)
        return kLanguageName;
    if (std::strcmp(name, "kLanguageExtensions") == 0)
        return kLanguageExtensions;
    if (std::strcmp(name, "kLanguageKeywordFile") == 0)
        return kLanguageKeywordFile;
    if (std::strcmp(name, "kLanguageKeywords") == 0)
        return kLanguageKeywords;
    if (std::strcmp(name, "kLanguageStyles") == 0)
        return kLanguageStyles;
    return nullptr;
}
