// Templates for new documents: the files in the Templates folder of the installation.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace varnel::editor {

struct DocumentTemplate {
    std::string name;     // shown to the user: the file name without its extension
    std::string fileName; // chooses the new document's language, as a file name would
    std::string path;
};

// The Templates folder of an installation (the folder of Languages and Extensions).
std::string TemplatesFolder(const std::string& installFolder);

// The templates in a folder, sorted by name (letters in either case alike, then by
// file name); hidden files (IsHiddenFile) and folders are not templates. None when the
// folder is missing.
std::vector<DocumentTemplate> ListTemplates(const std::string& templatesFolder);

// The bytes a new document made from the template starts with: the file as it is.
// nullopt with the system's reason in *error when given, when it cannot be read.
std::optional<std::string> NewFromTemplate(const DocumentTemplate& documentTemplate, std::string* error = nullptr);

} // namespace varnel::editor
