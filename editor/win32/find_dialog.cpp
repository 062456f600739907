#include "find_dialog.h"

#include "resource_ids.h"
#include "text_encoding.h"

namespace varnel::editor::win32 {

void FindDialog::Show(HWND owner, HINSTANCE instance, bool replace)
{
    if (!dialog_) {
        dialog_ = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_FIND), owner, Procedure,
                                     reinterpret_cast<LPARAM>(this));
        CheckDlgButton(dialog_, IDC_MATCH_CASE, BST_CHECKED);
        CheckDlgButton(dialog_, IDC_WRAP, BST_CHECKED);
        CheckRadioButton(dialog_, IDC_UP, IDC_DOWN, IDC_DOWN);
    }
    SetWindowTextW(dialog_, replace ? L"Replace" : L"Find");
    ShowWindow(dialog_, SW_SHOW);
    SetActiveWindow(dialog_);
    HWND what = GetDlgItem(dialog_, replace && !Text(IDC_FIND_WHAT).empty() ? IDC_REPLACE_WITH : IDC_FIND_WHAT);
    SetFocus(what);
    SendMessageW(what, EM_SETSEL, 0, -1);
}

std::wstring FindDialog::Text(int id) const
{
    if (!dialog_)
        return {};
    HWND control = GetDlgItem(dialog_, id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::optional<Finder> FindDialog::MakeFinder(bool backwards)
{
    const std::wstring needle = Text(IDC_FIND_WHAT);
    if (needle.empty())
        return std::nullopt;
    FindOptions options;
    options.matchCase = IsDlgButtonChecked(dialog_, IDC_MATCH_CASE) == BST_CHECKED;
    options.wholeWord = IsDlgButtonChecked(dialog_, IDC_WHOLE_WORD) == BST_CHECKED;
    options.regex = IsDlgButtonChecked(dialog_, IDC_REGEX) == BST_CHECKED;
    options.wrap = IsDlgButtonChecked(dialog_, IDC_WRAP) == BST_CHECKED;
    options.backwards = (IsDlgButtonChecked(dialog_, IDC_UP) == BST_CHECKED) != backwards;
    std::string error;
    std::optional<Finder> finder = Finder::Make(WideToUtf8(needle), options, &error);
    if (!finder)
        SetStatus(Utf8ToWide(error));
    return finder;
}

std::string FindDialog::ReplaceText() const { return WideToUtf8(Text(IDC_REPLACE_WITH)); }

void FindDialog::SetStatus(const std::wstring& text)
{
    if (dialog_)
        SetDlgItemTextW(dialog_, IDC_FIND_STATUS, text.c_str());
}

INT_PTR CALLBACK FindDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<FindDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!self)
        return FALSE;
    if (message == WM_CLOSE) {
        ShowWindow(dialog, SW_HIDE);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_FIND_NEXT:
    case IDOK:
        self->SetStatus(L"");
        if (self->onAction)
            self->onAction(Action::FindNext);
        return TRUE;
    case IDC_REPLACE:
        self->SetStatus(L"");
        if (self->onAction)
            self->onAction(Action::Replace);
        return TRUE;
    case IDC_REPLACE_ALL:
        self->SetStatus(L"");
        if (self->onAction)
            self->onAction(Action::ReplaceAll);
        return TRUE;
    case IDCANCEL:
        ShowWindow(dialog, SW_HIDE);
        return TRUE;
    default: return FALSE;
    }
}

} // namespace varnel::editor::win32
