// Varnel.exe: the editor. A second start hands its files to the running editor and ends.
#include "frame_window.h"
#include "single_instance.h"
#include "text_encoding.h"

#include "file_system.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

using namespace varnel::editor::win32;

namespace {

// The files named on the command line, as full paths.
std::vector<std::wstring> CommandLineFiles()
{
    std::vector<std::wstring> files;
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; arguments && i < count; ++i) {
        wchar_t full[MAX_PATH] = {};
        const DWORD length = GetFullPathNameW(arguments[i], MAX_PATH, full, nullptr);
        files.push_back(length > 0 && length < MAX_PATH ? std::wstring(full) : std::wstring(arguments[i]));
    }
    LocalFree(arguments);
    return files;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    const std::vector<std::wstring> files = CommandLineFiles();
    if (PassToRunningEditor(files))
        return 0;

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    std::vector<std::string> paths;
    for (const std::wstring& file : files)
        paths.push_back(WideToAnsi(file));
    FrameWindow frame(instance, varnel::ExecutableFolder());
    if (!frame.Create(paths, show))
        return 1;

    // Messages first; when none waits, the lines below the screen are styled a piece at
    // a time, and the loop sleeps once nothing is left to do.
    MSG message;
    for (;;) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return static_cast<int>(message.wParam);
            if (frame.DispatchDialogs(message))
                continue;
            if (TranslateAcceleratorW(frame.Handle(), frame.Accelerators(), &message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (!frame.Idle())
            WaitMessage();
    }
}
