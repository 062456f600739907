// Every fixed text of the installer and the uninstaller: registry keys and values,
// messages, titles. Used exactly as they stand.
#pragma once

namespace varnel::setup {

// Product and files.
inline constexpr const char kProductName[] = "Varnel";
inline constexpr const char kEditorFile[] = "Varnel.exe";
inline constexpr const char kReadmeFile[] = "Readme.txt";
inline constexpr const char kUninstallerFile[] = "Mossclean.exe";
inline constexpr const char kUninstallerResource[] = "Mossclean.ex_";
inline constexpr const char kShortcutFile[] = "Varnel.lnk";
inline constexpr const char kPayloadResourceType[] = "MYDATA";

// Installer messages; every fatal one is shown under kInstallerErrorTitle.
inline constexpr const char kInstallerErrorTitle[] = "Varnel Installer error";
inline constexpr const char kWrongWindowsMessage[] =
    "Varnel can only be installed on Windows 2000 or Windows XP";
inline constexpr const char kFolderErrorMessage[] = "Error creating directories";
inline constexpr const char kMissingResourceMessage[] = "Damaged installer, resource is missing";
inline constexpr const char kCreateErrorFormat[] = "Could not create %s";
inline constexpr const char kWriteErrorFormat[] = "Error writing file %s";
inline constexpr const char kBrowseTitle[] = "Choose a folder";

// Uninstaller confirmation.
inline constexpr const char kConfirmText[] = "Proceed with uninstalling Varnel?";
inline constexpr const char kConfirmTitle[] = "Varnel";

// Registry keys and values read or written.
inline constexpr const char kWindowsNtVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr const char kCurrentVersionValue[] = "CurrentVersion";
inline constexpr const char kWindowsVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
inline constexpr const char kProgramFilesValue[] = "ProgramFilesDir";
inline constexpr const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Varnel";
inline constexpr const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Varnel.exe";
inline constexpr const char kTextFileClass[] = "Varnel Text File";
inline constexpr const char kHtmOpenWithKey[] = ".htm\\OpenWithList\\Varnel";
inline constexpr const char kHtmlEditorKey[] = "Software\\Microsoft\\Internet Explorer\\Default HTML Editor";
inline constexpr const char kMakerKey[] = "Software\\Tammerlin";
inline constexpr const char kProductSettingsKey[] = "Software\\Tammerlin\\varnel";
inline constexpr const char kAssociationsKey[] = "Software\\Tammerlin\\varnel\\Associations";
// Which product folders the first installation into a folder found there already: its
// (default) value names the install folder, one value per product folder says "found"
// or "created".
inline constexpr const char kFolderRecordKey[] = "Software\\Tammerlin\\varnel\\Folders";
inline constexpr const char kFolderFound[] = "found";
inline constexpr const char kFolderCreated[] = "created";
inline constexpr const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr const char kUserProgramsValue[] = "Programs";
inline constexpr const char kCommonProgramsValue[] = "Common Programs";

inline constexpr const char kNoPreviousClass[] = "none";
inline constexpr const char kScriptExtension[] = ".hs";
inline constexpr const char kScriptDescription[] = "Varnel Script File";
inline constexpr const char kDdeRequest[] = "[open(\"%1\")]";
inline constexpr const char kDdeApplication[] = "VARNEL";
inline constexpr const char kDdeTopic[] = "System";

} // namespace varnel::setup
