#include "install_sequence.h"

#include "fatal_error.h"
#include "file_writer.h"
#include "install_plan.h"
#include "payload_files.h"
#include "registry.h"
#include "setup_texts.h"
#include "shortcut.h"

#include <objbase.h>
#include <shlobj.h>

#include <vector>

namespace varnel::setup {

namespace {

void WriteValues(const std::vector<RegistryValue>& values)
{
    for (const RegistryValue& value : values)
        WriteValue(value);
}

bool IsProductFolder(const std::string& folder)
{
    for (const std::string& product : ProductFolders()) {
        if (SameWindowsName(folder, product))
            return true;
    }
    return false;
}

// Creates the folder tree. Which product folders were there already is recorded the
// first time the product goes into this folder, so that the uninstaller leaves the
// user's own folders and what else they hold.
void CreateFolders(const std::string& installFolder)
{
    std::vector<std::string> found;
    for (const std::string& folder : InstallFolders()) {
        const std::string path = JoinWindowsPath(installFolder, folder);
        if (CreateDirectoryA(path.c_str(), nullptr))
            continue;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            FatalError("%s", kFolderErrorMessage);
        if (IsProductFolder(folder))
            found.push_back(folder);
    }
    if (!KeepsFolderRecord(ReadValue(HKEY_CURRENT_USER, kFolderRecordKey, ""), installFolder)) {
        DeleteKeyTree(HKEY_CURRENT_USER, kFolderRecordKey);
        WriteValues(FolderRecordValues(installFolder, found));
    }
}

void InstallUninstaller(HMODULE module)
{
    char windowsFolder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, windowsFolder, CSIDL_WINDOWS, FALSE))
        return;
    WritePayloadFile(module, kUninstallerResource, JoinWindowsPath(windowsFolder, kUninstallerFile));
    WriteValues(UninstallValues(windowsFolder));
}

void Register(const std::string& installFolder)
{
    const std::string editor = EditorPath(installFolder);
    WriteValues(EditorValues(installFolder));
    for (const Association& association : Associations())
        WriteValues(AssociationValues(association.extension, association.description,
                                      ReadValue(HKEY_CLASSES_ROOT, association.extension, ""), editor));
    WriteValues(HtmlEditorValues(installFolder));
}

void MakeShortcuts(const std::string& installFolder)
{
    const HRESULT com = CoInitialize(nullptr);
    for (const std::string& folder : ProgramsFolders())
        MakeShortcut(EditorPath(installFolder), ShortcutPath(folder), kProductName);
    if (SUCCEEDED(com))
        CoUninitialize();
}

void StartEditor(const std::string& installFolder)
{
    std::string commandLine = EditorCommandLine(installFolder);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

} // namespace

void RunInstallSequence(HMODULE module, const std::string& installFolder)
{
    CreateFolders(installFolder);
    for (const InstallEntry& entry : InstallTable(Payload()))
        WritePayloadFile(module, entry.resourceName, JoinWindowsPath(installFolder, entry.relativePath));
    InstallUninstaller(module);
    Register(installFolder);
    MakeShortcuts(installFolder);
    StartEditor(installFolder);
}

} // namespace varnel::setup
