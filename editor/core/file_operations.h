// File operations the editor needs beyond the host's reading and safe writing.
//
// Paths are handed to the system as the host's file functions hand them (the same
// bytes, the same calls on Windows), so every function here names the same file that
// ReadFile and WriteFile do.
#pragma once

#include <string>

namespace varnel::editor {

// True when two paths name the same file as far as their spelling shows: on Windows
// letters compare in either case and "/" equals "\"; elsewhere byte for byte.
bool SamePath(const std::string& a, const std::string& b);

// Removes a file; true when it is gone afterwards (also when it was never there).
bool RemoveFile(const std::string& path);

// Makes the folder and any missing folders above it; true when it exists afterwards.
bool MakeFolders(const std::string& path, std::string* error = nullptr);

// Renames a file, refusing to replace one of the new name; false with the system's
// reason in *error when given.
bool MoveFileTo(const std::string& from, const std::string& to, std::string* error = nullptr);

enum class NewFileResult { Created, AlreadyThere, Failed };
// Makes the file `path` with `bytes`, never replacing a file that is there: the bytes
// are written to a temporary file in the same folder, which then takes the name only
// if nothing else holds it by then. A failure leaves no file behind and puts the
// system's reason in *error when given.
NewFileResult CreateNewFile(const std::string& path, const std::string& bytes, std::string* error = nullptr);

// True for a file the system hides from listings: on Windows one with the hidden or
// system attribute; everywhere a name that starts with ".".
bool IsHiddenFile(const std::string& path);

} // namespace varnel::editor
