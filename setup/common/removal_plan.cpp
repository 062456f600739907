#include "removal_plan.h"

#include "setup_texts.h"

namespace varnel::setup {

std::optional<std::string> InstallFolderFromEditorPath(const std::string& editorPath)
{
    const std::size_t slash = editorPath.rfind('\\');
    if (slash == std::string::npos)
        return std::nullopt;
    std::string folder = editorPath.substr(0, slash);
    // "C:\Varnel.exe" lives in the root folder "C:\", not in the drive-relative "C:".
    if (folder.size() == 2 && folder[1] == ':')
        folder += '\\';
    return folder;
}

const std::vector<std::string>& RemovedFolders()
{
    return ProductFolders();
}

const std::vector<std::string>& RemovedFiles()
{
    static const std::vector<std::string> files = {kEditorFile, kReadmeFile};
    return files;
}

EntryAction ActionForEntry(const std::string& name, std::uint32_t attributes)
{
    if (name.empty() || name == "." || name == "..")
        return EntryAction::Skip;
    if (attributes & (attribute::kReadOnly | attribute::kHidden | attribute::kSystem))
        return EntryAction::Skip;
    if (attributes & attribute::kDirectory)
        return attributes & attribute::kReparsePoint ? EntryAction::RemoveLinkFolder : EntryAction::RemoveTree;
    return EntryAction::RemoveFile;
}

FolderRemoval RemovalForFolder(std::uint32_t attributes, bool foundBeforeInstall)
{
    if (attributes == attribute::kMissing || !(attributes & attribute::kDirectory))
        return FolderRemoval::Leave;
    if (attributes & attribute::kReparsePoint)
        return foundBeforeInstall ? FolderRemoval::Leave : FolderRemoval::RemoveLink;
    return foundBeforeInstall ? FolderRemoval::RemoveInstalledFiles : FolderRemoval::RemoveTree;
}

bool FolderFoundBeforeInstall(const std::optional<std::string>& recordedFolder, const std::string& installFolder,
                              const std::optional<std::string>& recordedState)
{
    return KeepsFolderRecord(recordedFolder, installFolder) && recordedState && *recordedState == kFolderFound;
}

std::vector<std::string> InstalledFilesIn(const std::vector<InstallEntry>& table, const std::string& folder)
{
    std::vector<std::string> files;
    for (const InstallEntry& entry : table) {
        const std::size_t slash = entry.relativePath.rfind('\\');
        if (slash != std::string::npos && SameWindowsName(entry.relativePath.substr(0, slash), folder))
            files.push_back(entry.relativePath);
    }
    return files;
}

bool NamesProductClass(const std::optional<std::string>& currentClass, const std::string& extension)
{
    return currentClass && SameWindowsName(*currentClass, ClassNameFor(extension));
}

AssociationRestore RestoreFromRecord(const std::optional<std::string>& record,
                                     const std::optional<std::string>& currentClass, const std::string& extension)
{
    if (!record)
        return {RestoreKind::Keep, ""};
    if (*record == kNoPreviousClass)
        return {RestoreKind::DeleteKey, ""};
    // A class the user chose after the installation is theirs: the saved one would undo it.
    if (!NamesProductClass(currentClass, extension))
        return {RestoreKind::LeaveClass, ""};
    return {RestoreKind::SetClass, *record};
}

} // namespace varnel::setup
