// What the installer writes, worked out as plain data: the folders in their order,
// the resource name of every payload file, the paths and command lines built from the
// install folder, and the registry values in the order they are written.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace varnel::setup {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

// One string value; an empty name stands for the key's (default) value.
struct RegistryValue {
    RegistryRoot root;
    std::string key;
    std::string name;
    std::string data;

    bool operator==(const RegistryValue& other) const
    {
        return root == other.root && key == other.key && name == other.name && data == other.data;
    }
};

// How a payload file's resource is named.
enum class PayloadKind {
    Plain,         // "Amberlex.dll" -> "Amberlex.dl_"
    Template,      // "Strict.xhtml" -> "Strict_xhtml.tm_"
    Documentation, // "QuickStart.txt" -> "QuickStart.do_"
};

// One file the installer carries: the folder it goes to (relative to the install
// folder, "" for the folder itself), its file name and how its resource is named.
struct PayloadFile {
    const char* folder;
    const char* name;
    PayloadKind kind;
};

// One entry of the install table: where the file goes and which resource holds it.
struct InstallEntry {
    std::string relativePath; // "Languages\\Amberlex.dll"
    std::string resourceName; // "Amberlex.dl_"
};

// The resource name under which a payload file is carried.
std::string ResourceName(const std::string& fileName, PayloadKind kind);

// The install table in the order the files are written.
std::vector<InstallEntry> InstallTable(const std::vector<PayloadFile>& payload);

// The folders the installer creates, relative to the install folder, in order ("" is
// the install folder itself).
const std::vector<std::string>& InstallFolders();

// Windows path joining: "\" between the parts unless the first already ends in one;
// an empty part leaves the other as it is.
std::string JoinWindowsPath(const std::string& folder, const std::string& name);

// The install folder offered first: the "ProgramFilesDir" value (empty when it could
// not be read), then "\Varnel".
std::string DefaultInstallFolder(const std::string& programFiles);
std::string EditorPath(const std::string& installFolder);
// "\"<editor>\" \"<install folder>\\Readme.txt\"": how the editor is started at the end.
std::string EditorCommandLine(const std::string& installFolder);
std::string OpenCommand(const std::string& editorPath);
std::string IconLocation(const std::string& editorPath);

// True when the "CurrentVersion" text, read as a floating-point number, is 4.0 or
// more; false when it could not be read at all.
bool IsSupportedWindowsVersion(const std::optional<std::string>& currentVersion);

// Uninstall entry (written only when the uninstaller was written).
std::vector<RegistryValue> UninstallValues(const std::string& windowsFolder);
// Application path and the "Varnel Text File" class.
std::vector<RegistryValue> EditorValues(const std::string& installFolder);
// The open-with entry for ".htm" and the browser's HTML editor entries.
std::vector<RegistryValue> HtmlEditorValues(const std::string& installFolder);

// The class name an extension is given: "Varnel" followed by the extension.
std::string ClassNameFor(const std::string& extension);
// Key of the record that keeps an extension's previous class.
std::string AssociationRecordKey(const std::string& extension);

// The values that associate `extension` with the editor, the record of the previous
// class first; none when the extension already names the product's class (a repeated
// installation keeps the first record). `previousClass` is what the extension's key
// held, or nullopt when it could not be read.
std::vector<RegistryValue> AssociationValues(const std::string& extension,
                                             const std::string& description,
                                             const std::optional<std::string>& previousClass,
                                             const std::string& editorPath);

// An extension the installer associates with the editor, with its description.
struct Association {
    const char* extension;
    const char* description;
};
// Every extension the installer associates; the uninstaller restores these and no other.
const std::vector<Association>& Associations();
// True when `extension` is one of them; registry key names ignore letter case.
bool IsAssociatedExtension(const std::string& extension);

// The record of which product folders (`ProductFolders`) the installation found in
// place and which it created, written under kFolderRecordKey.
std::vector<RegistryValue> FolderRecordValues(const std::string& installFolder,
                                              const std::vector<std::string>& foundFolders);
// An earlier record is kept when it is about the same install folder: installing again
// must not take the folders the first installation created for the user's own.
bool KeepsFolderRecord(const std::optional<std::string>& recordedFolder, const std::string& installFolder);
// The folders under the install folder that hold product files and are removed again.
const std::vector<std::string>& ProductFolders();
// Windows path comparison: letters compared without case.
bool SameWindowsName(const std::string& a, const std::string& b);

// The shortcut file inside a Start-menu programs folder.
std::string ShortcutPath(const std::string& programsFolder);

} // namespace varnel::setup
