// The Edit, Tools and Settings menus' commands on the current document, and their
// small dialogs.
#include "frame_window.h"

#include "document_commands.h"
#include "keyword_settings.h"
#include "resource_ids.h"
#include "search_commands.h"
#include "text_encoding.h"

#include <cstring>

namespace varnel::editor::win32 {

namespace {

void PutOnClipboard(HWND owner, const std::string& bytes)
{
    const std::wstring wide = Utf8ToWide(WithCrLf(bytes));
    const std::string ansi = WideToAnsi(wide);
    if (!OpenClipboard(owner))
        return;
    EmptyClipboard();
    if (HGLOBAL unicode = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t))) {
        std::memcpy(GlobalLock(unicode), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(unicode);
        SetClipboardData(CF_UNICODETEXT, unicode);
    }
    if (HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, ansi.size() + 1)) {
        std::memcpy(GlobalLock(text), ansi.c_str(), ansi.size() + 1);
        GlobalUnlock(text);
        SetClipboardData(CF_TEXT, text);
    }
    CloseClipboard();
}

// The clipboard's text as UTF-8: its Unicode text, else its ANSI text.
std::optional<std::string> TakeFromClipboard(HWND owner)
{
    if (!OpenClipboard(owner))
        return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE unicode = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* data = static_cast<const wchar_t*>(GlobalLock(unicode))) {
            text = WideToUtf8(data);
            GlobalUnlock(unicode);
        }
    } else if (HANDLE ansi = GetClipboardData(CF_TEXT)) {
        if (const auto* data = static_cast<const char*>(GlobalLock(ansi))) {
            text = WideToUtf8(AnsiToWide(data));
            GlobalUnlock(ansi);
        }
    }
    CloseClipboard();
    return text;
}

// A dialog asking for one number (Go to Line, Tab Width): its value in, the answer out.
struct NumberRequest {
    int value;
    int minimum;
    int maximum;
};

INT_PTR CALLBACK NumberProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* request = reinterpret_cast<NumberRequest*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SetDlgItemInt(dialog, IDC_NUMBER, static_cast<UINT>(reinterpret_cast<NumberRequest*>(lParam)->value), FALSE);
        SendDlgItemMessageW(dialog, IDC_NUMBER, EM_SETSEL, 0, -1);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            BOOL read = FALSE;
            const int value = static_cast<int>(GetDlgItemInt(dialog, IDC_NUMBER, &read, FALSE));
            if (!read || value < request->minimum || value > request->maximum) {
                MessageBeep(MB_ICONWARNING);
                return TRUE;
            }
            request->value = value;
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

} // namespace

void FrameWindow::ShowMessage(const std::string& text, UINT icon)
{
    MessageBoxW(frame_, AnsiToWide(text).c_str(), L"Varnel", MB_OK | icon);
}

void FrameWindow::Clipboard(int id)
{
    OpenDocument* open = Current();
    if (!open)
        return;
    EditorDocument& document = *open->document;
    const Language* language = LanguageOf(*open);
    const std::uint64_t before = document.Revision();
    const Selection selection = document.GetSelection();
    switch (id) {
    case IDM_UNDO: document.Undo(); break;
    case IDM_REDO: document.Redo(); break;
    case IDM_CUT:
    case IDM_COPY:
        if (selection.Empty())
            return;
        PutOnClipboard(frame_, document.Text().Copy(selection.Start(), selection.Length()));
        if (id == IDM_CUT)
            document.ReplaceSelection({});
        break;
    case IDM_PASTE:
        if (std::optional<std::string> text = TakeFromClipboard(frame_))
            document.ReplaceSelection(*text);
        break;
    case IDM_DELETE:
        if (selection.Empty())
            document.DeleteForward();
        else
            document.ReplaceSelection({});
        break;
    case IDM_SELECT_ALL: document.Select(0, document.Text().Length()); break;
    case IDM_BALANCE:
        if (!language || !Balance(document, *language))
            MessageBeep(MB_OK);
        break;
    case IDM_COMMENT:
    case IDM_UNCOMMENT:
        if (!language || !ToggleComment(document, *language, id == IDM_COMMENT))
            MessageBeep(MB_OK);
        break;
    default: return;
    }
    view_.TextChanged();
    ViewChanged(document.Revision() != before);
}

void FrameWindow::Find(FindDialog::Action action, bool backwards)
{
    OpenDocument* open = Current();
    if (!open)
        return;
    std::optional<Finder> finder = find_.MakeFinder(backwards);
    if (!finder) {
        if (!find_.Handle() || !IsWindowVisible(find_.Handle()))
            find_.Show(frame_, instance_, false);
        return;
    }
    EditorDocument& document = *open->document;
    const std::uint64_t before = document.Revision();
    switch (action) {
    case FindDialog::Action::FindNext: {
        Match match;
        if (!FindAndSelect(document, *finder, &match)) {
            find_.SetStatus(L"Not found");
            MessageBeep(MB_OK);
        } else if (match.wrapped) {
            find_.SetStatus(L"Went on from the other end");
        }
        break;
    }
    case FindDialog::Action::Replace:
        if (!ReplaceAndFindNext(document, *finder, find_.ReplaceText()) && document.GetSelection().Empty())
            find_.SetStatus(L"Not found");
        break;
    case FindDialog::Action::ReplaceAll: {
        const std::size_t count = ReplaceAll(document, *finder, find_.ReplaceText());
        find_.SetStatus(std::to_wstring(count) + (count == 1 ? L" replacement" : L" replacements"));
        break;
    }
    }
    view_.CenterCaret();
    ViewChanged(document.Revision() != before);
}

void FrameWindow::GoToLineDialog()
{
    OpenDocument* open = Current();
    if (!open)
        return;
    EditorDocument& document = *open->document;
    NumberRequest request{document.Text().LineOf(document.GetSelection().caret) + 1, 1, document.Text().LineCount()};
    if (DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_GOTO_LINE), frame_, NumberProcedure,
                        reinterpret_cast<LPARAM>(&request)) != IDOK)
        return;
    GoToLine(document, request.value);
    view_.CenterCaret();
    ViewChanged(false);
}

void FrameWindow::TabWidthDialog()
{
    NumberRequest request{view_.TabWidth(), EditorPreferences::kMinTabWidth, EditorPreferences::kMaxTabWidth};
    if (DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_TAB_WIDTH), frame_, NumberProcedure,
                        reinterpret_cast<LPARAM>(&request)) != IDOK)
        return;
    preferences_.tabWidth = request.value;
    view_.SetTabWidth(request.value);
    SaveEditorPreferences(preferences_, *store_);
    UpdateStatus();
}

void FrameWindow::RunToolCommand(int index)
{
    OpenDocument* open = Current();
    if (!open || index < 0 || index >= static_cast<int>(tools_.tools.size()))
        return;
    const ToolExtension& tool = tools_.tools[static_cast<std::size_t>(index)];
    const std::uint64_t before = open->document->Revision();
    const int answer = RunTool(*open->document, tool, open->path, frame_);
    view_.TextChanged();
    ViewChanged(open->document->Revision() != before);
    if (answer != 0)
        ShowMessage(tool.name + " could not finish: it answered error " + std::to_string(answer) + ".",
                    MB_ICONWARNING);
}

void FrameWindow::EditKeywords()
{
    OpenDocument* open = Current();
    const Language* language = open ? LanguageOf(*open) : nullptr;
    if (!language) {
        ShowMessage("Plain text has no keywords. Choose a language in View > Language first.");
        return;
    }
    std::string error;
    if (std::optional<std::string> path = EnsureKeywordFile(*language->plugin, settingsFolder_, &error))
        OpenFile(*path);
    else
        ShowMessage("Could not make the keyword file of " + language->plugin->name + ":\n" + error, MB_ICONERROR);
}

void FrameWindow::LanguageCommand(int id)
{
    OpenDocument* open = Current();
    const int language = id - IDM_LANGUAGE_FIRST - 1; // the first item is plain text
    if (open && language < static_cast<int>(languages_.size()))
        SetLanguage(*open, language);
}

} // namespace varnel::editor::win32
