#include "document_file.h"

#include "file_system.h"

namespace varnel::editor {

std::unique_ptr<DocumentFile> OpenDocumentFile(const std::string& path, const PluginSet& plugins, std::string* error)
{
    // The stamp before the bytes: a change while reading shows as a change later.
    const FileStamp stamp = ReadFileStamp(path);
    std::optional<std::string> bytes = ReadFile(path, error);
    if (!bytes)
        return nullptr;
    auto file = std::make_unique<DocumentFile>();
    file->path = path;
    file->title = FileName(path);
    file->stamp = stamp;
    file->plugin = FindLanguageForFile(plugins, path);
    file->document = std::make_unique<EditorDocument>(std::move(*bytes));
    return file;
}

std::unique_ptr<DocumentFile> NewDocumentFile(std::string bytes, const std::string& title, const PluginSet& plugins,
                                              const std::string& nameForLanguage)
{
    auto file = std::make_unique<DocumentFile>();
    file->title = title;
    if (!nameForLanguage.empty())
        file->plugin = FindLanguageForFile(plugins, nameForLanguage);
    file->document = std::make_unique<EditorDocument>(std::move(bytes));
    // A template's text is not yet anyone's file: closing it asks nothing until it is edited.
    return file;
}

bool SaveDocumentFile(DocumentFile& file, std::string* error)
{
    if (!file.path) {
        if (error != nullptr)
            *error = "the document has no file yet";
        return false;
    }
    if (!WriteFile(*file.path, file.document->Text().FileText(), error))
        return false;
    file.stamp = ReadFileStamp(*file.path);
    file.document->MarkSaved();
    return true;
}

bool SaveDocumentFileAs(DocumentFile& file, const std::string& path, const PluginSet& plugins, std::string* error)
{
    if (!WriteFile(path, file.document->Text().FileText(), error))
        return false;
    file.path = path;
    file.title = FileName(path);
    file.stamp = ReadFileStamp(path);
    if (!file.languageChosen)
        file.plugin = FindLanguageForFile(plugins, path);
    file.document->MarkSaved();
    return true;
}

bool RevertDocumentFile(DocumentFile& file, std::string* error)
{
    if (!file.path) {
        if (error != nullptr)
            *error = "the document has no file to go back to";
        return false;
    }
    const FileStamp stamp = ReadFileStamp(*file.path);
    std::optional<std::string> bytes = ReadFile(*file.path, error);
    if (!bytes)
        return false;
    file.stamp = stamp;
    file.document->Reload(std::move(*bytes));
    return true;
}

bool FileChangedOnDisk(const DocumentFile& file)
{
    return file.path && ChangedOnDisk(*file.path, file.stamp);
}

} // namespace varnel::editor
