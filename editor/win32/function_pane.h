// The function list: a list box docked beside the text, one line per entry of the
// document's function list. The list box holds no strings of its own (it draws its
// items from the labels kept here), so a document of a hundred thousand functions
// fills it at once.
#pragma once

#include "host_proxy.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace varnel::editor::win32 {

class FunctionPane {
public:
    HWND Create(HWND parent, HINSTANCE instance, int id);
    HWND Handle() const { return list_; }

    // Shows the entries' labels (a separator as a line of dashes), then, below a line of
    // dashes, the labels of the included files.
    void Fill(const std::vector<FunctionEntry>& entries, const std::vector<IncludeEntry>& includes);
    void Clear();
    // The chosen entry's index, or -1.
    int Selected() const;

    // The parent's WM_MEASUREITEM and WM_DRAWITEM for the list.
    void Measure(MEASUREITEMSTRUCT* item) const;
    void Draw(const DRAWITEMSTRUCT* item) const;

    // True while the list handles a key: a selection that arrow keys move is not yet
    // a choice (Enter makes it one).
    bool Keying() const { return keying_; }

    // Called with the entry's index when it is clicked or Enter is pressed on it.
    std::function<void(int index)> onChoose;

private:
    static LRESULT CALLBACK ListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self);

    HWND list_ = nullptr;
    std::vector<std::wstring> labels_;
    bool keying_ = false;
};

} // namespace varnel::editor::win32
