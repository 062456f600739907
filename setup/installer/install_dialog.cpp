#include "install_dialog.h"

#include "install_sequence.h"
#include "resource_ids.h"
#include "setup_texts.h"

#include <shlobj.h>

namespace varnel::setup {

namespace {

struct DialogState {
    HINSTANCE instance;
    std::string installFolder;
};

void ShowFolder(HWND dialog, const DialogState& state)
{
    SetDlgItemTextA(dialog, IDC_FOLDER, state.installFolder.c_str());
}

void Browse(HWND dialog, DialogState& state)
{
    char displayName[MAX_PATH] = {};
    BROWSEINFOA browse = {};
    browse.hwndOwner = dialog;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = kBrowseTitle;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST items = SHBrowseForFolderA(&browse);
    if (!items)
        return;
    char path[1024] = {};
    if (SHGetPathFromIDListA(items, path)) {
        state.installFolder = path;
        ShowFolder(dialog, state);
    }
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
        allocator->Free(items);
        allocator->Release();
    }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        auto* state = reinterpret_cast<DialogState*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        ShowFolder(dialog, *state);
        return TRUE;
    }
    case WM_COMMAND: {
        auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (!state)
            return FALSE;
        switch (LOWORD(wParam)) {
        case IDC_BROWSE:
            Browse(dialog, *state);
            return TRUE;
        case IDC_INSTALL:
            RunInstallSequence(state->instance, state->installFolder);
            EndDialog(dialog, 1);
            return TRUE;
        default:
            EndDialog(dialog, 2);
            return TRUE;
        }
    }
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR RunInstallDialog(HINSTANCE instance, std::string installFolder)
{
    DialogState state{instance, std::move(installFolder)};
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_INSTALL), GetDesktopWindow(), DialogProc,
                           reinterpret_cast<LPARAM>(&state));
}

} // namespace varnel::setup
