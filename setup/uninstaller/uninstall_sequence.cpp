#include "uninstall_sequence.h"

#include "folder_tree.h"
#include "install_plan.h"
#include "payload_files.h"
#include "registry.h"
#include "removal_plan.h"
#include "setup_texts.h"
#include "shortcut.h"

#include <windows.h>

namespace varnel::setup {

namespace {

// The extension had no class before: the product's class goes from its key, and the
// key itself only when nothing else (another program's values or subkeys) is left in it.
void ClearAssociation(const std::string& extension)
{
    if (NamesProductClass(ReadValue(HKEY_CLASSES_ROOT, extension, ""), extension))
        DeleteValue(HKEY_CLASSES_ROOT, extension, "");
    DeleteKeyIfEmpty(HKEY_CLASSES_ROOT, extension);
}

void RestoreAssociation(const std::string& extension)
{
    DeleteKeyTree(HKEY_CLASSES_ROOT, ClassNameFor(extension));
    const AssociationRestore restore =
        RestoreFromRecord(ReadValue(HKEY_CURRENT_USER, AssociationRecordKey(extension), ""),
                          ReadValue(HKEY_CLASSES_ROOT, extension, ""), extension);
    switch (restore.kind) {
    case RestoreKind::Keep:
        return;
    case RestoreKind::DeleteKey:
        ClearAssociation(extension);
        break;
    case RestoreKind::SetClass:
        WriteValue(HKEY_CLASSES_ROOT, extension, "", restore.previousClass);
        break;
    case RestoreKind::LeaveClass:
        break;
    }
    DeleteKeyTree(HKEY_CURRENT_USER, AssociationRecordKey(extension));
}

// Deletes the file when it is a plain one: read-only, hidden and system files stay.
void DeletePlainFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && ActionForEntry(path, attributes) == EntryAction::RemoveFile)
        DeleteFileA(path.c_str());
}

void RemoveProductFolder(const std::string& installFolder, const std::string& folder,
                         const std::optional<std::string>& recordedFolder)
{
    const std::string path = JoinWindowsPath(installFolder, folder);
    const bool found = FolderFoundBeforeInstall(
        recordedFolder, installFolder, ReadValue(HKEY_CURRENT_USER, kFolderRecordKey, folder));
    switch (RemovalForFolder(GetFileAttributesA(path.c_str()), found)) {
    case FolderRemoval::RemoveTree:
        RemoveFolderTree(path);
        break;
    case FolderRemoval::RemoveInstalledFiles:
        for (const std::string& file : InstalledFilesIn(InstallTable(Payload()), folder))
            DeletePlainFile(JoinWindowsPath(installFolder, file));
        RemoveDirectoryA(path.c_str());
        break;
    case FolderRemoval::RemoveLink:
        RemoveFolderLink(path);
        break;
    case FolderRemoval::Leave:
        break;
    }
}

void RemoveFiles()
{
    const auto editor = ReadValue(HKEY_LOCAL_MACHINE, kAppPathsKey, "");
    if (!editor)
        return;
    const auto installFolder = InstallFolderFromEditorPath(*editor);
    if (!installFolder)
        return;
    // An install folder that is itself a link is removed as a link and never entered.
    const DWORD attributes = GetFileAttributesA(installFolder->c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        RemoveFolderLink(*installFolder);
        return;
    }
    const std::optional<std::string> recordedFolder = ReadValue(HKEY_CURRENT_USER, kFolderRecordKey, "");
    for (const std::string& folder : RemovedFolders())
        RemoveProductFolder(*installFolder, folder, recordedFolder);
    for (const std::string& file : RemovedFiles())
        DeleteFileA(JoinWindowsPath(*installFolder, file).c_str());
    RemoveDirectoryA(installFolder->c_str());
}

void RemoveKeys()
{
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallKey);
    // The product's own settings go whole; the maker's key only when no other product
    // of the maker keeps anything under it.
    DeleteKeyTree(HKEY_CURRENT_USER, kProductSettingsKey);
    DeleteKeyIfEmpty(HKEY_CURRENT_USER, kMakerKey);
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kAppPathsKey);
    DeleteKeyTree(HKEY_CLASSES_ROOT, kTextFileClass);
}

} // namespace

void RunUninstallSequence()
{
    // The records can be written by any of the user's programs: only the extensions
    // the installer associates are acted on.
    for (const std::string& extension : SubkeyNames(HKEY_CURRENT_USER, kAssociationsKey)) {
        if (IsAssociatedExtension(extension))
            RestoreAssociation(extension);
    }
    RemoveFiles();
    RemoveKeys();
    for (const std::string& folder : ProgramsFolders())
        DeleteFileA(ShortcutPath(folder).c_str());
}

} // namespace varnel::setup
