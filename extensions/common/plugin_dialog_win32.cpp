// TPluginDialog's Windows part: a dialog box from the module's resources.
#include "plugin_dialog.h"

#include "dialog_state.h"
#include "module_instance.h"

#include <commdlg.h>
#include <shellapi.h>

#include <stdexcept>

using namespace varnel::tool;

namespace {

// Room for a path and its NUL, as the open-file dialog and dropped files fill it.
constexpr DWORD kPathBufferSize = 260;
// Room for a control's text and its NUL.
constexpr int kItemTextSize = 256;

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wordParam, LPARAM longParam)
{
    TPluginDialog* dialog = g_currentDialog;
    if (dialog == nullptr)
        return FALSE;
    return DialogDispatch::Send(*dialog, window, message, wordParam, longParam) ? TRUE : FALSE;
}

} // namespace

int TPluginDialog::DoModal(int resourceId)
{
    g_dialogWindow = nullptr;
    const INT_PTR result = DialogBoxParamA(static_cast<HINSTANCE>(ModuleInstance()), MAKEINTRESOURCEA(resourceId),
                                           static_cast<HWND>(document_.GetWindow()), DialogProcedure, 0);
    const bool opened = g_dialogWindow != nullptr; // set when the dialog initialised
    g_dialogWindow = nullptr;
    DialogDispatch::Rethrow(*this);
    // No dialog could be made: -1, or 0 for an owner that is no window (as the system
    // answers for compatibility). That is a failure of its own, not a cancelled dialog.
    if (result == -1 || !opened)
        throw std::runtime_error("the dialog could not be created");
    return 0;
}

void TPluginDialog::EndModal(int result)
{
    if (g_dialogWindow != nullptr)
        EndDialog(g_dialogWindow, result);
}

bool TPluginDialog::GetItemText(int controlId, std::string& text)
{
    char buffer[kItemTextSize] = {};
    const UINT length = GetDlgItemTextA(g_dialogWindow, controlId, buffer, sizeof buffer);
    if (length == 0)
        return false;
    text.assign(buffer, length < sizeof buffer ? length : sizeof buffer - 1);
    return true;
}

void TPluginDialog::SetItemText(int controlId, const std::string& text)
{
    HWND item = GetDlgItem(g_dialogWindow, controlId);
    if (item == nullptr)
        return;
    SetDlgItemTextA(g_dialogWindow, controlId, text.c_str());
    SendMessageA(item, EM_SETSEL, 0, -1);
}

bool TPluginDialog::ChooseFile(const char* title, const char* filter, std::string& path)
{
    char file[kPathBufferSize] = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = nullptr;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = kPathBufferSize;
    dialog.lpstrTitle = title;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&dialog))
        return false;
    path = file;
    return true;
}

void TPluginDialog::AcceptDroppedFiles()
{
    DragAcceptFiles(g_dialogWindow, TRUE);
}

std::string TPluginDialog::FirstDroppedFile(MessageWord drop)
{
    HDROP files = reinterpret_cast<HDROP>(drop);
    char path[kPathBufferSize] = {};
    const UINT length = DragQueryFileA(files, 0, path, kPathBufferSize);
    DragFinish(files);
    return std::string(path, length < kPathBufferSize ? length : 0);
}
