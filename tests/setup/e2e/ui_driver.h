// Drives the setup programs' windows from another process, as a person would: finds
// their dialogs and message boxes, reads their texts, presses their buttons.
#pragma once

#include <windows.h>

#include <string>

namespace setup_test {

struct Program {
    HANDLE process = nullptr;
    DWORD id = 0;

    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    Program(Program&& other) noexcept;
    Program& operator=(Program&& other) noexcept;
    ~Program();

    // Waits for the program to end; answers its exit code, or -1 after the time-out
    // (the program is then ended).
    int Wait(DWORD milliseconds = 60000);
};

Program Start(const std::string& commandLine);

// The first visible top-level window of process `id` (any process when 0) with the
// given caption (any when empty) and window class (any when empty), waited for up to
// `milliseconds`; null when none came.
HWND WaitForWindow(DWORD id, const std::string& caption, const std::string& windowClass,
                   DWORD milliseconds = 30000);
// The same, but a window other than `except`.
HWND WaitForOtherWindow(DWORD id, HWND except, const std::string& windowClass, DWORD milliseconds = 30000);

std::string WindowText(HWND window);
// The longest text among a window's static children: a message box's message.
std::string MessageText(HWND box);

// Sends the command of a button press to a dialog without waiting for it.
void PressButton(HWND dialog, int id);

// Selects `folder` in a folder-browser dialog of process `id` and confirms it.
bool ChooseFolderInBrowser(HWND browser, const Program& owner, const std::string& folder);

// Saves the window's picture as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::string& path);

} // namespace setup_test
