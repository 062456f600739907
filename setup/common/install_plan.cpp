#include "install_plan.h"

#include "setup_texts.h"

#include <cctype>
#include <cstdlib>

namespace varnel::setup {

namespace {

// The extension (without its dot) and the rest of a file name.
struct NameParts {
    std::string base;
    std::string extension;
    bool hasDot;
};

NameParts SplitName(const std::string& fileName)
{
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos)
        return {fileName, "", false};
    return {fileName.substr(0, dot), fileName.substr(dot + 1), true};
}

std::vector<RegistryValue> OpenVerbValues(RegistryRoot root, const std::string& verbKey,
                                          const std::string& editorPath)
{
    const std::string dde = verbKey + "\\ddeexec";
    return {
        {root, verbKey + "\\command", "", OpenCommand(editorPath)},
        {root, dde, "", kDdeRequest},
        {root, dde + "\\Application", "", kDdeApplication},
        {root, dde + "\\topic", "", kDdeTopic},
    };
}

void Append(std::vector<RegistryValue>& to, const std::vector<RegistryValue>& values)
{
    to.insert(to.end(), values.begin(), values.end());
}

} // namespace

std::string ResourceName(const std::string& fileName, PayloadKind kind)
{
    const NameParts parts = SplitName(fileName);
    switch (kind) {
    case PayloadKind::Plain:
        // The extension loses its last character to "_"; a name without one gets "._".
        if (!parts.hasDot || parts.extension.empty())
            return parts.base + "._";
        return parts.base + "." + parts.extension.substr(0, parts.extension.size() - 1) + "_";
    case PayloadKind::Template:
        return parts.hasDot ? parts.base + "_" + parts.extension + ".tm_" : parts.base + ".tm_";
    case PayloadKind::Documentation:
        return parts.base + ".do_";
    }
    return fileName;
}

std::vector<InstallEntry> InstallTable(const std::vector<PayloadFile>& payload)
{
    std::vector<InstallEntry> table;
    table.reserve(payload.size());
    for (const PayloadFile& file : payload)
        table.push_back({JoinWindowsPath(file.folder, file.name), ResourceName(file.name, file.kind)});
    return table;
}

const std::vector<std::string>& InstallFolders()
{
    static const std::vector<std::string> folders = {
        "",
        "Languages",
        "Extensions",
        "Templates",
        "Settings",
        "Documentation",
        "Documentation\\Tidy",
        "Documentation\\Reference",
        "Documentation\\Reference\\graphics",
    };
    return folders;
}

std::string JoinWindowsPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (name.empty())
        return folder;
    if (folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

std::string DefaultInstallFolder(const std::string& programFiles)
{
    return programFiles + "\\" + kProductName;
}

std::string EditorPath(const std::string& installFolder)
{
    return JoinWindowsPath(installFolder, kEditorFile);
}

std::string EditorCommandLine(const std::string& installFolder)
{
    return "\"" + EditorPath(installFolder) + "\" \"" + JoinWindowsPath(installFolder, kReadmeFile) + "\"";
}

std::string OpenCommand(const std::string& editorPath)
{
    return "\"" + editorPath + "\" \"%1\"";
}

std::string IconLocation(const std::string& editorPath)
{
    return "\"" + editorPath + "\",1";
}

bool IsSupportedWindowsVersion(const std::optional<std::string>& currentVersion)
{
    if (!currentVersion)
        return false;
    return std::strtod(currentVersion->c_str(), nullptr) >= 4.0;
}

std::vector<RegistryValue> UninstallValues(const std::string& windowsFolder)
{
    return {
        {RegistryRoot::LocalMachine, kUninstallKey, "DisplayName", kProductName},
        {RegistryRoot::LocalMachine, kUninstallKey, "UninstallString",
         JoinWindowsPath(windowsFolder, kUninstallerFile)},
    };
}

std::vector<RegistryValue> EditorValues(const std::string& installFolder)
{
    const std::string editor = EditorPath(installFolder);
    std::vector<RegistryValue> values = {
        {RegistryRoot::LocalMachine, kAppPathsKey, "Path", installFolder},
        {RegistryRoot::LocalMachine, kAppPathsKey, "", editor},
    };
    Append(values, OpenVerbValues(RegistryRoot::ClassesRoot, std::string(kTextFileClass) + "\\shell\\open", editor));
    return values;
}

std::vector<RegistryValue> HtmlEditorValues(const std::string& installFolder)
{
    const std::string editor = EditorPath(installFolder);
    std::vector<RegistryValue> values =
        OpenVerbValues(RegistryRoot::ClassesRoot, std::string(kHtmOpenWithKey) + "\\shell\\edit", editor);
    values.push_back({RegistryRoot::CurrentUser, kHtmlEditorKey, "Description", kProductName});
    Append(values, OpenVerbValues(RegistryRoot::CurrentUser, std::string(kHtmlEditorKey) + "\\shell\\edit", editor));
    return values;
}

std::string ClassNameFor(const std::string& extension)
{
    return kProductName + extension;
}

std::string AssociationRecordKey(const std::string& extension)
{
    return std::string(kAssociationsKey) + "\\" + extension;
}

std::vector<RegistryValue> AssociationValues(const std::string& extension,
                                             const std::string& description,
                                             const std::optional<std::string>& previousClass,
                                             const std::string& editorPath)
{
    const std::string className = ClassNameFor(extension);
    if (previousClass && *previousClass == className)
        return {};
    const std::string previous = previousClass && !previousClass->empty() ? *previousClass : kNoPreviousClass;
    std::vector<RegistryValue> values = {
        {RegistryRoot::CurrentUser, AssociationRecordKey(extension), "", previous},
        {RegistryRoot::ClassesRoot, extension, "", className},
        {RegistryRoot::ClassesRoot, className, "", description},
        {RegistryRoot::ClassesRoot, className + "\\DefaultIcon", "", IconLocation(editorPath)},
    };
    Append(values, OpenVerbValues(RegistryRoot::ClassesRoot, className + "\\shell\\open", editorPath));
    return values;
}

const std::vector<Association>& Associations()
{
    static const std::vector<Association> associations = {{kScriptExtension, kScriptDescription}};
    return associations;
}

bool SameWindowsName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool IsAssociatedExtension(const std::string& extension)
{
    for (const Association& association : Associations()) {
        if (SameWindowsName(extension, association.extension))
            return true;
    }
    return false;
}

const std::vector<std::string>& ProductFolders()
{
    static const std::vector<std::string> folders = {"Languages", "Extensions", "Settings", "Templates"};
    return folders;
}

std::vector<RegistryValue> FolderRecordValues(const std::string& installFolder,
                                              const std::vector<std::string>& foundFolders)
{
    std::vector<RegistryValue> values = {{RegistryRoot::CurrentUser, kFolderRecordKey, "", installFolder}};
    for (const std::string& folder : ProductFolders()) {
        bool found = false;
        for (const std::string& name : foundFolders)
            found = found || SameWindowsName(name, folder);
        values.push_back({RegistryRoot::CurrentUser, kFolderRecordKey, folder, found ? kFolderFound : kFolderCreated});
    }
    return values;
}

bool KeepsFolderRecord(const std::optional<std::string>& recordedFolder, const std::string& installFolder)
{
    return recordedFolder && SameWindowsName(*recordedFolder, installFolder);
}

std::string ShortcutPath(const std::string& programsFolder)
{
    return JoinWindowsPath(programsFolder, kShortcutFile);
}

} // namespace varnel::setup
