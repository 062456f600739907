// The editor's stand-in: shows the file named on its command line, coloured by the
// language plug-ins in the Languages folder beside it, in a read-only text window.
#include "coloured_text.h"
#include "file_system.h"

#include <windows.h>
#include <richedit.h>

#include <string>

namespace {

constexpr char kWindowClass[] = "VarnelViewer";
constexpr int kTextId = 1;

// The first argument after the program name, without its quotes.
std::string FirstArgument(const char* commandLine)
{
    const char* p = commandLine;
    if (*p == '"') {
        for (++p; *p && *p != '"'; ++p) {
        }
        if (*p)
            ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    std::string argument;
    if (*p == '"') {
        for (++p; *p && *p != '"'; ++p)
            argument += *p;
    } else {
        for (; *p && *p != ' ' && *p != '\t'; ++p)
            argument += *p;
    }
    return argument;
}

void ShowText(HWND edit, const varnel::viewer::ColouredText& coloured)
{
    CHARFORMAT2W format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR;
    format.yHeight = 10 * 20;
    lstrcpyW(format.szFaceName, L"Courier New");
    SendMessageW(edit, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SendMessageW(edit, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
    SetWindowTextW(edit, coloured.text.c_str());
    for (const auto& span : coloured.spans) {
        CHARRANGE range = {span.start, span.start + span.length};
        SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        CHARFORMAT2W colour = {};
        colour.cbSize = sizeof colour;
        colour.dwMask = CFM_COLOR;
        colour.crTextColor = span.colour;
        SendMessageW(edit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&colour));
    }
    CHARRANGE top = {0, 0};
    SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&top));
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        MoveWindow(GetDlgItem(window, kTextId), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    const std::string path = FirstArgument(GetCommandLineA());
    std::string title = "Varnel";
    varnel::viewer::ColouredText coloured;
    if (!path.empty()) {
        const auto bytes = varnel::ReadFile(path);
        if (!bytes) {
            MessageBoxA(nullptr, ("Could not read " + path).c_str(), "Varnel", MB_OK | MB_ICONERROR);
            return 1;
        }
        const std::string folder = varnel::ExecutableFolder();
        coloured = varnel::viewer::ColourFile(*bytes, path, folder, varnel::JoinPath(folder, "Settings"));
        title = varnel::FileName(path) + " - Varnel (" +
                (coloured.languageName.empty() ? std::string("plain text") : coloured.languageName) + ")";
    }

    if (!LoadLibraryA("riched20.dll")) {
        MessageBoxA(nullptr, "The rich text control is missing.", "Varnel", MB_OK | MB_ICONERROR);
        return 1;
    }
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExA(&windowClass);
    HWND window = CreateWindowExA(0, kWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  720, 520, nullptr, nullptr, instance, nullptr);
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, RICHEDIT_CLASSW, L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                                    ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                                0, 0, 0, 0, window, reinterpret_cast<HMENU>(kTextId), instance, nullptr);
    ShowText(edit, coloured);
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
