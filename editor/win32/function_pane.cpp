#include "function_pane.h"

#include "text_encoding.h"

#include <commctrl.h>

namespace varnel::editor::win32 {

HWND FunctionPane::Create(HWND parent, HINSTANCE instance, int id)
{
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                                LBS_OWNERDRAWFIXED | LBS_NODATA,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
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
    if (message == WM_KEYDOWN) {
        pane->keying_ = true;
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        pane->keying_ = false;
        return result;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void FunctionPane::Fill(const std::vector<FunctionEntry>& entries, const std::vector<IncludeEntry>& includes)
{
    labels_.clear();
    labels_.reserve(entries.size() + includes.size() + 1);
    for (const FunctionEntry& entry : entries)
        labels_.push_back(entry.separator ? std::wstring(L"----------")
                                          : Utf8ToWide(entry.label.empty() ? entry.name : entry.label));
    if (!includes.empty())
        labels_.push_back(L"----------");
    for (const IncludeEntry& include : includes)
        labels_.push_back(Utf8ToWide(include.label.empty() ? include.name : include.label));
    const int top = static_cast<int>(SendMessageW(list_, LB_GETTOPINDEX, 0, 0));
    SendMessageW(list_, LB_SETCOUNT, labels_.size(), 0);
    SendMessageW(list_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void FunctionPane::Clear()
{
    labels_.clear();
    SendMessageW(list_, LB_SETCOUNT, 0, 0);
}

int FunctionPane::Selected() const { return static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0)); }

void FunctionPane::Measure(MEASUREITEMSTRUCT* item) const
{
    HDC dc = GetDC(list_);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(list_, dc);
    item->itemHeight = static_cast<UINT>(metrics.tmHeight + 1);
}

void FunctionPane::Draw(const DRAWITEMSTRUCT* item) const
{
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item->itemID < labels_.size()) {
        const std::wstring& label = labels_[item->itemID];
        SetBkMode(item->hDC, TRANSPARENT);
        SetTextColor(item->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        HGDIOBJ old = SelectObject(item->hDC, GetStockObject(DEFAULT_GUI_FONT));
        RECT text = item->rcItem;
        text.left += 2;
        DrawTextW(item->hDC, label.c_str(), static_cast<int>(label.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(item->hDC, old);
    }
    if (item->itemState & ODS_FOCUS)
        DrawFocusRect(item->hDC, &item->rcItem);
}

} // namespace varnel::editor::win32
