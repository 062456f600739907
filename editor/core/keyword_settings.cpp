#include "keyword_settings.h"

#include "file_operations.h"
#include "file_system.h"

namespace varnel::editor {

std::string KeywordFilePath(const LanguagePlugin& plugin, const std::string& settingsFolder)
{
    if (settingsFolder.empty() || plugin.keywordFile.empty())
        return {};
    return JoinPath(settingsFolder, plugin.keywordFile);
}

bool IsKeywordFile(const std::string& path, const LanguagePlugin& plugin, const std::string& settingsFolder)
{
    const std::string keywordFile = KeywordFilePath(plugin, settingsFolder);
    return !keywordFile.empty() && SamePath(path, keywordFile);
}

std::optional<std::string> EnsureKeywordFile(const LanguagePlugin& plugin, const std::string& settingsFolder,
                                             std::string* error)
{
    const std::string path = KeywordFilePath(plugin, settingsFolder);
    if (path.empty()) {
        if (error != nullptr)
            *error = settingsFolder.empty() ? "there is no settings folder" : "the language has no keyword file";
        return std::nullopt;
    }
    if (!MakeFolders(settingsFolder, error))
        return std::nullopt;
    if (IsFolder(path)) {
        if (error != nullptr)
            *error = "a folder has its name";
        return std::nullopt;
    }
    const std::string defaults = plugin.defaultKeywords != nullptr ? plugin.defaultKeywords : "";
    // Made in one step and only where no file is: a file the user has is never
    // replaced, even one that appears while the default text is being written.
    if (CreateNewFile(path, defaults, error) == NewFileResult::Failed)
        return std::nullopt;
    return path;
}

void ReloadKeywords(Language& language, const std::string& settingsFolder)
{
    if (language.plugin == nullptr)
        return;
    Language fresh = PrepareLanguage(*language.plugin, settingsFolder);
    language.matcher = std::move(fresh.matcher);
    language.keywordSource = std::move(fresh.keywordSource);
}

} // namespace varnel::editor
