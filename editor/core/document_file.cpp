#include "document_file.h"

#include "file_system.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

namespace varnel::editor {

namespace {

// The file's bytes read straight into place behind room for typing at the top: one
// block sized from the file. Null with the reason when the file cannot be read.
std::optional<std::string> ReadWithRoom(const std::string& path, std::size_t* textStart, std::string* error)
{
    const auto fail = [&](const std::string& reason) {
        if (error != nullptr)
            *error = reason;
        return std::nullopt;
    };
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return fail(std::strerror(errno));
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        size = std::ftell(file);
    if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
        const std::string reason = std::strerror(errno);
        std::fclose(file);
        return fail(reason);
    }
    if (static_cast<unsigned long>(size) > static_cast<unsigned long>(INT_MAX / 2)) {
        std::fclose(file);
        return fail("the file is too large to edit");
    }
    const std::size_t room = TextBuffer::RoomBefore(static_cast<std::size_t>(size));
    std::string block(room + static_cast<std::size_t>(size), '\0');
    std::size_t got = size > 0 ? std::fread(&block[room], 1, static_cast<std::size_t>(size), file) : 0;
    block.resize(room + got);
    // A file that grew while it was read is read to its end.
    char more[65536];
    while (!std::ferror(file) && !std::feof(file)) {
        const std::size_t n = std::fread(more, 1, sizeof more, file);
        block.append(more, n);
        if (n == 0)
            break;
    }
    const bool failed = std::ferror(file) != 0;
    const std::string reason = failed ? std::strerror(errno) : std::string();
    std::fclose(file);
    if (failed)
        return fail(reason.empty() ? "the file could not be read" : reason);
    *textStart = room;
    return block;
}

} // namespace

std::unique_ptr<DocumentFile> OpenDocumentFile(const std::string& path, const PluginSet& plugins, std::string* error)
{
    // The stamp before the bytes: a change while reading shows as a change later.
    const FileStamp stamp = ReadFileStamp(path);
    std::size_t textStart = 0;
    std::optional<std::string> block = ReadWithRoom(path, &textStart, error);
    if (!block)
        return nullptr;
    auto file = std::make_unique<DocumentFile>();
    file->path = path;
    file->title = FileName(path);
    file->stamp = stamp;
    file->plugin = FindLanguageForFile(plugins, path);
    file->document = std::make_unique<EditorDocument>(TextBuffer(std::move(*block), textStart));
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
