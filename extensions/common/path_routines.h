// Path routines shared by the tool extensions: normalising "/"-separated paths and
// converting between Windows paths and "/"-separated (URL-style) paths.
#pragma once

#include <string>

namespace varnel::tool {

// Collapses runs of "/", drops "./" segments and resolves "../" against the segment
// before it; parent steps with nothing left to consume stay in front as "../". A final
// ".." not followed by "/" stays a segment. The empty path gives "/".
std::string NormalizePath(const std::string& path);

// C:\site\a.gif -> /C:/site/a.gif (a leading drive letter gets a "/" in front, every
// "\" becomes "/"), normalised.
std::string ToURLPath(const std::string& path);

// /C:/site/a.html -> C:\site\a.html: normalised, the "/" before a drive letter dropped,
// a "/" put after a bare drive's colon when more follows, every "/" made "\".
std::string ToWindowsPath(const std::string& path);

} // namespace varnel::tool
