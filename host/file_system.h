// The few file operations the host needs, the same on Linux and Windows.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace varnel {

// Path pieces; both "/" and, on Windows, "\" separate folders.
bool IsPathSeparator(char c);
std::string FileName(const std::string& path);   // "a/b.txt" -> "b.txt"
std::string FileStem(const std::string& path);   // "a/b.txt" -> "b"
std::string JoinPath(const std::string& folder, const std::string& name);
// The folder of the running program.
std::string ExecutableFolder();

// Names (not paths) of the regular files in `folder` whose names end in `suffix`.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& suffix);
bool IsFolder(const std::string& path);

#if defined(_WIN32)
// The system's text for an error code (GetLastError), without its final full stop.
std::string SystemMessage(unsigned long code);
#endif

// The whole file as bytes, or nullopt when it cannot be read (the system's reason in
// *error when given).
std::optional<std::string> ReadFile(const std::string& path, std::string* error = nullptr);
// Replaces the file's content safely: the bytes go to a temporary file in the same
// folder, which then takes the file's place in one step, with the file's permission
// bits. On failure the file is untouched, the temporary file is removed and the
// system's reason is in *error when given. A file that does not exist yet is made.
bool WriteFile(const std::string& path, const std::string& bytes, std::string* error = nullptr);

} // namespace varnel
