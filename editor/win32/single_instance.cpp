#include "single_instance.h"

#include "dde_server.h"

#include <windows.h>

namespace varnel::editor::win32 {

namespace {

constexpr wchar_t kRunningMutex[] = L"Varnel.Editor.Running";
constexpr DWORD kAnswerWait = 15000; // a running editor may still be starting

void BringForward(HWND frame)
{
    if (IsIconic(frame))
        ShowWindow(frame, SW_RESTORE);
    SetForegroundWindow(frame);
}

} // namespace

bool PassToRunningEditor(const std::vector<std::wstring>& files)
{
    // Held until the process ends: the first editor owns the name.
    CreateMutexW(nullptr, FALSE, kRunningMutex);
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    // The running editor may bring itself forward.
    AllowSetForegroundWindow(ASFW_ANY);
    const DWORD start = GetTickCount();
    do {
        if (files.empty()) {
            if (HWND frame = FindWindowW(kFrameClass, nullptr)) {
                BringForward(frame);
                return true;
            }
        } else if (SendOpenCommands(files)) {
            return true;
        }
        Sleep(200);
    } while (GetTickCount() - start < kAnswerWait);
    return false;
}

} // namespace varnel::editor::win32
