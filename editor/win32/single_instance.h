// One editor at a time: a second start hands its files to the running editor.
#pragma once

#include <string>
#include <vector>

namespace varnel::editor::win32 {

// The window class of the editor's frame, by which a second start finds it.
constexpr wchar_t kFrameClass[] = L"VarnelEditor";

// True when another editor runs and has taken over: it was sent `files` (full paths)
// over DDE, or brought forward when there are none. False when this start is the
// editor (none runs, or the running one does not answer).
bool PassToRunningEditor(const std::vector<std::wstring>& files);

} // namespace varnel::editor::win32
