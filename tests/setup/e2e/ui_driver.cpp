#include "ui_driver.h"

#include <shlobj.h>

#include <vector>

namespace setup_test {

Program::Program(Program&& other) noexcept : process(other.process), id(other.id)
{
    other.process = nullptr;
}

Program& Program::operator=(Program&& other) noexcept
{
    std::swap(process, other.process);
    std::swap(id, other.id);
    return *this;
}

Program::~Program()
{
    if (process) {
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT)
            TerminateProcess(process, 99);
        CloseHandle(process);
    }
}

int Program::Wait(DWORD milliseconds)
{
    if (!process)
        return -1;
    if (WaitForSingleObject(process, milliseconds) != WAIT_OBJECT_0) {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return static_cast<int>(code);
}

Program Start(const std::string& commandLine)
{
    Program program;
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        program.process = info.hProcess;
        program.id = info.dwProcessId;
    }
    return program;
}

namespace {

struct Search {
    DWORD id;
    HWND except;
    std::string caption;
    std::string windowClass;
    HWND found;
};

std::string ClassOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((search->id != 0 && owner != search->id) || window == search->except || !IsWindowVisible(window))
        return TRUE;
    if (!search->caption.empty() && WindowText(window) != search->caption)
        return TRUE;
    if (!search->windowClass.empty() && ClassOf(window) != search->windowClass)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND Find(Search search, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        search.found = nullptr;
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found || GetTickCount() - start > milliseconds)
            return search.found;
        Sleep(100);
    }
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM data)
{
    auto* longest = reinterpret_cast<std::string*>(data);
    if (ClassOf(child) == "Static") {
        const std::string text = WindowText(child);
        if (text.size() > longest->size())
            *longest = text;
    }
    return TRUE;
}

} // namespace

HWND WaitForWindow(DWORD id, const std::string& caption, const std::string& windowClass, DWORD milliseconds)
{
    return Find({id, nullptr, caption, windowClass, nullptr}, milliseconds);
}

HWND WaitForOtherWindow(DWORD id, HWND except, const std::string& windowClass, DWORD milliseconds)
{
    return Find({id, except, "", windowClass, nullptr}, milliseconds);
}

std::string WindowText(HWND window)
{
    char text[2048] = {};
    // WM_GETTEXT reaches controls of other processes too (GetWindowText does not).
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

std::string MessageText(HWND box)
{
    std::string longest;
    EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&longest));
    return longest;
}

void PressButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool ChooseFolderInBrowser(HWND browser, const Program& owner, const std::string& folder)
{
    // The browser reads the path in its own process: put it there first.
    void* remote = VirtualAllocEx(owner.process, nullptr, folder.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote)
        return false;
    SIZE_T written = 0;
    const bool copied = WriteProcessMemory(owner.process, remote, folder.c_str(), folder.size() + 1, &written);
    if (copied)
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote));
    Sleep(300);
    if (copied)
        PressButton(browser, IDOK);
    return copied;
}

bool SaveWindowPicture(HWND window, const std::string& path)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return false;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<std::size_t>(stride) * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD done = 0;
    WriteFile(file, &header, sizeof header, &done, nullptr);
    WriteFile(file, &info, sizeof info, &done, nullptr);
    WriteFile(file, pixels.data(), static_cast<DWORD>(pixels.size()), &done, nullptr);
    CloseHandle(file);
    return true;
}

} // namespace setup_test
