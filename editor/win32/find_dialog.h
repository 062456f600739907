// The modeless Find and Replace dialog: what to find, what to replace it with, the
// options, and its buttons, which act on the frame's current document.
#pragma once

#include "find_replace.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace varnel::editor::win32 {

class FindDialog {
public:
    // The dialog's wishes, carried out by the frame on its current document.
    enum class Action { FindNext, Replace, ReplaceAll };
    std::function<void(Action)> onAction;

    // Shows the dialog (made on first use) with the find box focused.
    void Show(HWND owner, HINSTANCE instance, bool replace);
    HWND Handle() const { return dialog_; }
    // For the message loop: true when the message was the dialog's.
    bool Dispatch(MSG& message) const { return dialog_ && IsDialogMessageW(dialog_, &message); }

    // A finder for the text and options in the dialog; `backwards` turns its direction
    // round (Find Previous). nullopt, with the reason shown in the dialog, when the
    // expression is bad or nothing was ever entered.
    std::optional<Finder> MakeFinder(bool backwards);
    std::string ReplaceText() const;
    // A line under the options: "Not found", "3 replaced".
    void SetStatus(const std::wstring& text);

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    std::wstring Text(int id) const;

    HWND dialog_ = nullptr;
};

} // namespace varnel::editor::win32
