#include "templates.h"

#include "file_operations.h"
#include "file_system.h"

#include <algorithm>

namespace varnel::editor {

namespace {

// The name with its ASCII capitals made small, for sorting.
std::string Folded(std::string name)
{
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return name;
}

} // namespace

std::string TemplatesFolder(const std::string& installFolder)
{
    return JoinPath(installFolder, "Templates");
}

std::vector<DocumentTemplate> ListTemplates(const std::string& templatesFolder)
{
    std::vector<DocumentTemplate> templates;
    for (const std::string& fileName : ListFiles(templatesFolder, "")) {
        const std::string path = JoinPath(templatesFolder, fileName);
        if (!IsHiddenFile(path))
            templates.push_back({FileStem(fileName), fileName, path});
    }
    std::sort(templates.begin(), templates.end(), [](const DocumentTemplate& a, const DocumentTemplate& b) {
        const std::string foldedA = Folded(a.name);
        const std::string foldedB = Folded(b.name);
        return foldedA != foldedB ? foldedA < foldedB : a.fileName < b.fileName;
    });
    return templates;
}

std::optional<std::string> NewFromTemplate(const DocumentTemplate& documentTemplate, std::string* error)
{
    return ReadFile(documentTemplate.path, error);
}

} // namespace varnel::editor
