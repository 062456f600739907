// The commands a DDE execute string carries to the editor.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnel::editor::win32 {

// The paths of the open commands in an execute string: "[open("a")][open(b)]" gives
// "a" and "b" (quotes around a path are optional; blanks around an unquoted one are
// dropped). Answers false when some part of the string is not such a command; the
// paths of the commands before it are still in *paths.
bool ParseOpenCommands(std::wstring_view text, std::vector<std::wstring>* paths);

} // namespace varnel::editor::win32
