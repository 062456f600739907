// The editor's DDE service, application "VARNEL", topic "System": an execute string of
// one or more [open("path")] commands opens each file. Shell associations with a
// ddeexec entry and a second start of the editor both reach a running editor this way.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::editor::win32 {

constexpr wchar_t kDdeApplication[] = L"VARNEL";
constexpr wchar_t kDdeTopic[] = L"System";

// The paths of the open commands in an execute string: "[open("a")][open(b)]" gives
// "a" and "b" (quotes around a path are optional; blanks around an unquoted one are
// dropped). Answers false when some part of the string is not such a command; the
// paths of the commands before it are still in *paths.
bool ParseOpenCommands(std::wstring_view text, std::vector<std::wstring>* paths);

class DdeServer {
public:
    // Registers the service; `open` is called for each path a client's execute names.
    bool Start(std::function<void(const std::wstring& path)> open);
    void Stop();
    ~DdeServer() { Stop(); }
};

// Sends [open("path")] for each path to a running editor's service; false when no
// editor answered or it refused the command.
bool SendOpenCommands(const std::vector<std::wstring>& paths);

} // namespace varnel::editor::win32
