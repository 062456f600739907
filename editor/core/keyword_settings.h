// The user's keyword files: one a language, in the settings folder, under the name the
// plug-in gives (kLanguageKeywordFile). Without one a language uses its default text
// (kLanguageKeywords).
#pragma once

#include "language.h"
#include "plugin_loader.h"

#include <optional>
#include <string>

namespace varnel::editor {

// Where the language's keyword file is (whether or not it exists): the plug-in's
// keyword-file name in the settings folder, as PrepareLanguage reads it. Empty when
// there is no settings folder or the plug-in names no keyword file.
std::string KeywordFilePath(const LanguagePlugin& plugin, const std::string& settingsFolder);

// True when `path` is the keyword file of the language (SamePath deciding): a save of
// it calls for ReloadKeywords.
bool IsKeywordFile(const std::string& path, const LanguagePlugin& plugin, const std::string& settingsFolder);

// The keyword file ready for the user to edit: when there is none yet it is made, with
// the plug-in's default text, and the settings folder with it; one that is there is
// never replaced. Answers its path, or nullopt with the reason in *error when given
// (no place for it, or it cannot be written).
std::optional<std::string> EnsureKeywordFile(const LanguagePlugin& plugin, const std::string& settingsFolder,
                                             std::string* error = nullptr);

// Builds the language's keyword matcher again, from its keyword file when it has one
// and otherwise from the default text, exactly as PrepareLanguage does, and notes the
// file in keywordSource. The documents of the language must be styled again afterwards.
void ReloadKeywords(Language& language, const std::string& settingsFolder);

} // namespace varnel::editor
