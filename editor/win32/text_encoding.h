// Text between the document's UTF-8 bytes, the window system's UTF-16 and the ANSI code
// page that file paths are spelt in (the host opens files by their ANSI names).
#pragma once

#include <string>
#include <string_view>

namespace varnel::editor::win32 {

// UTF-8 to UTF-16; bytes that are not UTF-8 become U+FFFD.
std::wstring Utf8ToWide(std::string_view bytes);
std::string WideToUtf8(std::wstring_view text);
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

// Line feeds as CR LF, as text on the clipboard has them.
std::string WithCrLf(std::string_view text);

// A character as UTF-16 code units (one, or a surrogate pair).
int AppendCodePoint(std::wstring& out, int codePoint);

} // namespace varnel::editor::win32
