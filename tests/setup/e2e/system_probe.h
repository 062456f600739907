// Reads and prepares what the setup programs leave behind: registry values, files,
// folders and shortcuts, through the system's own services.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace setup_test {

std::optional<std::string> RegString(HKEY root, const std::string& key, const std::string& name = "");
bool KeyExists(HKEY root, const std::string& key);
void SetRegString(HKEY root, const std::string& key, const std::string& name, const std::string& data);
void DeleteRegTree(HKEY root, const std::string& key);

std::optional<std::string> FileBytes(const std::string& path);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
bool WriteTextFile(const std::string& path, const std::string& text, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
// Names in a folder, without "." and "..", sorted.
std::vector<std::string> FolderEntries(const std::string& folder);

struct ShortcutInfo {
    bool loaded = false;
    std::string target;
    std::string description;
    std::string arguments;
    std::string workingFolder;
};
ShortcutInfo ReadShortcut(const std::string& path);

// "/a/b" as Wine shows it to Windows programs: "Z:\a\b".
std::string UnixToWindowsPath(const std::string& path);

// The build's payload list: resource name, target path relative to the install folder
// (empty for the uninstaller) and the built file, one per line.
struct PayloadItem {
    std::string resource;
    std::string target;
    std::string source;
};
std::vector<PayloadItem> ReadPayloadManifest(const std::string& path);

} // namespace setup_test
