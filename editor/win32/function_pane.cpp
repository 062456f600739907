#include "function_pane.h"

#include "text_encoding.h"

#include <commctrl.h>

namespace varnel::editor::win32 {

HWND FunctionPane::Create(HWND parent, HINSTANCE instance, int id)
{
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0,
                            0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    // Enter on an entry jumps to it, as a click does.
    SetWindowSubclass(list_, ListProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    return list_;
}

LRESULT CALLBACK FunctionPane::ListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR self)
{
    auto* pane = reinterpret_cast<FunctionPane*>(self);
    if (message == WM_GETDLGCODE && wParam == VK_RETURN)
        return DLGC_WANTMESSAGE;
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        if (pane->onChoose && pane->Selected() >= 0)
            pane->onChoose(pane->Selected());
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void FunctionPane::Fill(const std::vector<FunctionEntry>& entries)
{
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (const FunctionEntry& entry : entries) {
        const std::wstring label =
            entry.separator ? std::wstring(L"----------") : Utf8ToWide(entry.label.empty() ? entry.name : entry.label);
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void FunctionPane::Clear() { SendMessageW(list_, LB_RESETCONTENT, 0, 0); }

int FunctionPane::Selected() const { return static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0)); }

} // namespace varnel::editor::win32
