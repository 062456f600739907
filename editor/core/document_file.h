// An open document and the file it belongs to: opening any file (any bytes, NUL bytes
// too), saving it safely with each line's own line end, Save As, Revert, and noticing
// that something else changed the file since it was read or saved.
#pragma once

#include "editor_document.h"
#include "file_stamp.h"
#include "plugin_loader.h"

#include <memory>
#include <optional>
#include <string>

namespace varnel::editor {

struct DocumentFile {
    std::optional<std::string> path; // none for a document never saved
    std::string title;               // the file's name, or "Untitled N"
    FileStamp stamp;                 // the file as it was read or last saved
    const LanguagePlugin* plugin = nullptr; // null: plain text, every line default text
    bool languageChosen = false;     // the user chose the plug-in: a new name keeps it
    std::unique_ptr<EditorDocument> document;
};

// Reads the file; null with the system's reason in *error when it cannot be read.
// The plug-in is the first whose patterns claim the file's name.
std::unique_ptr<DocumentFile> OpenDocumentFile(const std::string& path, const PluginSet& plugins,
                                               std::string* error);
// A new document (from a template's bytes, or empty), titled `title`; the plug-in is the
// one claiming `nameForLanguage` when given (a template's file name).
std::unique_ptr<DocumentFile> NewDocumentFile(std::string bytes, const std::string& title, const PluginSet& plugins,
                                              const std::string& nameForLanguage = {});

// Writes the document to its file through a temporary file beside it. False with the
// reason when it cannot (no path yet, or the system refused); the file and the modified
// mark stay as they were.
bool SaveDocumentFile(DocumentFile& file, std::string* error);
// Writes it under a new name, which it keeps; the plug-in follows the new name unless
// the user chose one.
bool SaveDocumentFileAs(DocumentFile& file, const std::string& path, const PluginSet& plugins, std::string* error);
// Reads the file again, forgetting the changes and their history.
bool RevertDocumentFile(DocumentFile& file, std::string* error);
// Whether something else changed (or removed) the file since it was read or saved.
bool FileChangedOnDisk(const DocumentFile& file);

} // namespace varnel::editor
