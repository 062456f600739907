#include "uninstall_sequence.h"

#include "folder_tree.h"
#include "install_plan.h"
#include "registry.h"
#include "removal_plan.h"
#include "setup_texts.h"
#include "shortcut.h"

#include <windows.h>

namespace varnel::setup {

namespace {

void RestoreAssociation(const std::string& extension)
{
    DeleteKeyTree(HKEY_CLASSES_ROOT, ClassNameFor(extension));
    const AssociationRestore restore =
        RestoreFromRecord(ReadValue(HKEY_CURRENT_USER, AssociationRecordKey(extension), ""));
    switch (restore.kind) {
    case RestoreKind::Keep:
        return;
    case RestoreKind::DeleteKey:
        DeleteKeyTree(HKEY_CLASSES_ROOT, extension);
        break;
    case RestoreKind::SetClass:
        WriteValue(HKEY_CLASSES_ROOT, extension, "", restore.previousClass);
        break;
    }
    DeleteKeyTree(HKEY_CURRENT_USER, AssociationRecordKey(extension));
}

void RemoveFiles()
{
    const auto editor = ReadValue(HKEY_LOCAL_MACHINE, kAppPathsKey, "");
    if (!editor)
        return;
    const auto installFolder = InstallFolderFromEditorPath(*editor);
    if (!installFolder)
        return;
    for (const std::string& folder : RemovedFolders())
        RemoveFolderTree(JoinWindowsPath(*installFolder, folder));
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
    for (const std::string& extension : SubkeyNames(HKEY_CURRENT_USER, kAssociationsKey))
        RestoreAssociation(extension);
    RemoveFiles();
    RemoveKeys();
    for (const std::string& folder : ProgramsFolders())
        DeleteFileA(ShortcutPath(folder).c_str());
}

} // namespace varnel::setup
