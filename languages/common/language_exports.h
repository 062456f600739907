// What every language plug-in exports: five data items and GetDataAddress, plus the
// functions of the services it offers. All names are plain C names.
#pragma once

#include "language_proxy.h"

#if defined(_WIN32)
// Windows modules export through their module definition file.
#define VARNEL_EXPORT
#else
#define VARNEL_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

// Defined by each plug-in in its language data file.
VARNEL_EXPORT extern const char kLanguageName[];
VARNEL_EXPORT extern const char kLanguageExtensions[];
VARNEL_EXPORT extern const char kLanguageKeywordFile[];
VARNEL_EXPORT extern const char kLanguageKeywords[];
// Pairs of style name and style string, ended by a pair of null pointers.
VARNEL_EXPORT extern const char* const kLanguageStyles[][2];

// The address of the data item of that exact name, or null.
VARNEL_EXPORT const void* GetDataAddress(const char* name);

// The services; a plug-in defines those it offers.
VARNEL_EXPORT void StyleLine(VLanguageProxy& line, short* state);
VARNEL_EXPORT void ScanForFunctions(VLanguageProxy& document);
VARNEL_EXPORT bool Balance(VLanguageProxy& document, int* selStart, int* selEnd);
VARNEL_EXPORT void CommentLine(VLanguageProxy& line);
VARNEL_EXPORT void UncommentLine(VLanguageProxy& line);
VARNEL_EXPORT void CommentSelection(VLanguageProxy& document, int start, int end);
VARNEL_EXPORT void UncommentSelection(VLanguageProxy& document, int start, int end);

}
