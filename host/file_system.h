// The few file operations the host needs, the same on Linux and Windows.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace varnel {

// Path pieces; both "/" and, on Windows, "\" separate folders.
std::string FileName(const std::string& path);   // "a/b.txt" -> "b.txt"
std::string FileStem(const std::string& path);   // "a/b.txt" -> "b"
std::string JoinPath(const std::string& folder, const std::string& name);
// The folder of the running program.
std::string ExecutableFolder();

// Names (not paths) of the regular files in `folder` whose names end in `suffix`.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& suffix);
bool IsFolder(const std::string& path);

// The whole file as bytes, or nullopt when it cannot be read.
std::optional<std::string> ReadFile(const std::string& path);
// Replaces the file's content; false when it cannot be written.
bool WriteFile(const std::string& path, const std::string& bytes);

} // namespace varnel
