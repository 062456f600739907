// The function list: a list box docked beside the text, one line per entry of the
// document's function list (and its includes, when the user shows them).
#pragma once

#include "host_proxy.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace varnel::editor::win32 {

class FunctionPane {
public:
    HWND Create(HWND parent, HINSTANCE instance, int id);
    HWND Handle() const { return list_; }

    // Shows the entries' labels; the list remembers nothing else.
    void Fill(const std::vector<FunctionEntry>& entries);
    void Clear();
    // The chosen entry's index, or -1.
    int Selected() const;

    // Called with the entry's index when it is clicked or Enter is pressed on it.
    std::function<void(int index)> onChoose;

private:
    static LRESULT CALLBACK ListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);

    HWND list_ = nullptr;
};

} // namespace varnel::editor::win32
