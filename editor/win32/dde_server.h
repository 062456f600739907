// The editor's DDE service, application "VARNEL", topic "System": an execute string of
// one or more [open("path")] commands opens each file. Shell associations with a
// ddeexec entry and a second start of the editor both reach a running editor this way.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace varnel::editor::win32 {

constexpr wchar_t kDdeApplication[] = L"VARNEL";
constexpr wchar_t kDdeTopic[] = L"System";

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
