// Where an include block's file is and reading it: Windows paths on Windows, POSIX
// paths elsewhere.
#pragma once

#include <optional>
#include <string>

namespace varnel::tool::updater {

// The document's folder (up to and with its last separator; empty when the path has
// none) with the marker's file name, converted to this platform's paths, after it.
std::string IncludedFilePath(const std::string& documentPath, const std::string& fileName);

// The path the "$file$" placeholder stands for: "/"-separated and normalised.
std::string PlaceholderPath(const std::string& includedFilePath);

// The whole file, or nothing when it does not exist, is no regular file or cannot be
// read.
std::optional<std::string> ReadIncludedFile(const std::string& path);

} // namespace varnel::tool::updater
