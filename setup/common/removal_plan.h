// What the uninstaller removes, worked out as plain data and decisions.
#pragma once

#include "install_plan.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnel::setup {

// The install folder: the editor path cut before its last "\"; nullopt when the path
// has no folder part at all.
std::optional<std::string> InstallFolderFromEditorPath(const std::string& editorPath);

// Folders under the install folder removed with their contents, in order.
const std::vector<std::string>& RemovedFolders();
// Single files removed from the install folder, in order.
const std::vector<std::string>& RemovedFiles();

// File attribute bits as the system reports them for a folder entry.
namespace attribute {
inline constexpr std::uint32_t kReadOnly = 0x1;
inline constexpr std::uint32_t kHidden = 0x2;
inline constexpr std::uint32_t kSystem = 0x4;
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kReparsePoint = 0x400;
inline constexpr std::uint32_t kMissing = 0xFFFFFFFF; // what the system answers for no entry
} // namespace attribute

enum class EntryAction {
    Skip,            // ".", "..", and read-only, hidden or system entries stay
    RemoveTree,      // a real folder: its contents, then the folder
    RemoveLinkFolder, // a junction or folder link: the link itself, never what it points at
    RemoveFile,      // a file, or a link to a file
};

EntryAction ActionForEntry(const std::string& name, std::uint32_t attributes);

// How one of the product folders goes, checked before it is entered.
enum class FolderRemoval {
    RemoveTree,           // the installation created it: contents and folder go
    RemoveInstalledFiles, // it was there before: only the files the installer wrote, then the folder if empty
    RemoveLink,           // a junction or folder link put in its place: the link alone, never entered
    Leave,                // missing, a file, or a link the installation found there
};

// `attributes` are the folder's own (kMissing when it does not exist).
FolderRemoval RemovalForFolder(std::uint32_t attributes, bool foundBeforeInstall);

// Whether the folder record says the folder was found in place: the record must be
// about this install folder, and its value for the folder "found". A missing record
// (an installation that kept none) counts as created.
bool FolderFoundBeforeInstall(const std::optional<std::string>& recordedFolder, const std::string& installFolder,
                              const std::optional<std::string>& recordedState);

// The install table's files (paths relative to the install folder) directly in `folder`.
std::vector<std::string> InstalledFilesIn(const std::vector<InstallEntry>& table, const std::string& folder);

// What happens to an extension's key when its association record is read back.
enum class RestoreKind {
    Keep,       // the record could not be read: key and record stay as they are
    DeleteKey,  // the record says "none": the extension had no class before
    SetClass,   // the record names the previous class, and the extension still names the product's: it is set again
    LeaveClass, // the record names a previous class, but the extension names another class now (one chosen
                // after the installation) or none: it stays, and only the record goes
};

struct AssociationRestore {
    RestoreKind kind;
    std::string previousClass; // for SetClass
};

// True when `currentClass`, the class the extension's key names now (nullopt when it
// names none), is the product's class for the extension; class names are key names,
// which ignore letter case.
bool NamesProductClass(const std::optional<std::string>& currentClass, const std::string& extension);

AssociationRestore RestoreFromRecord(const std::optional<std::string>& record,
                                     const std::optional<std::string>& currentClass, const std::string& extension);

} // namespace varnel::setup
