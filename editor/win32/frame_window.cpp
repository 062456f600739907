#include "frame_window.h"

#include "caret_moves.h"
#include "document_commands.h"
#include "file_system.h"
#include "keyword_settings.h"
#include "resource_ids.h"
#include "single_instance.h"
#include "text_encoding.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>

namespace varnel::editor::win32 {

namespace {

constexpr int kTabsId = 10;
constexpr int kStatusId = 11;
constexpr int kPaneId = 12;
constexpr UINT_PTR kFunctionTimer = 1;  // the function list after a pause in typing
constexpr UINT_PTR kRecoveryTimer = 2;  // recovery copies
constexpr UINT kFunctionPause = 800;    // milliseconds
// Larger documents have their function list scanned when they open and on demand
// (View > Refresh Function List), not after every pause in typing: a scan of tens of
// megabytes takes long enough to be felt.
constexpr int kAutoScanLimit = 4 << 20;
constexpr UINT kRecoveryPeriod = 1000;
constexpr UINT kCheckDiskMessage = WM_APP + 1;
constexpr int kSplitterWidth = 4;
constexpr int kMinPaneWidth = 60;
constexpr std::size_t kIdleBudget = 256 * 1024; // bytes styled per idle turn

std::string LocalRecoveryFolder(const std::string& fallback)
{
    char folder[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder) == S_OK)
        return JoinPath(JoinPath(folder, "Varnel"), "Recovery");
    return JoinPath(fallback, "Recovery");
}

const char* LineEndName(LineEnd end)
{
    switch (end) {
    case LineEnd::CrLf: return "CR LF";
    case LineEnd::Cr: return "CR";
    default: return "LF";
    }
}

} // namespace

FrameWindow::FrameWindow(HINSTANCE instance, std::string installFolder)
    : instance_(instance), installFolder_(std::move(installFolder))
{
    settingsFolder_ = JoinPath(installFolder_, "Settings");
    plugins_ = LoadLanguagePlugins(LanguagesFolder(installFolder_));
    languages_.reserve(plugins_.plugins.size());
    for (const LanguagePlugin& plugin : plugins_.plugins)
        languages_.push_back(PrepareLanguage(plugin, settingsFolder_));
    tools_ = LoadToolExtensions(ExtensionsFolder(installFolder_));
    templates_ = ListTemplates(TemplatesFolder(installFolder_));
    store_ = OpenPreferenceStore(JoinPath(settingsFolder_, "editor.ini"));
    preferences_ = LoadEditorPreferences(*store_);
    paneWidth_ = std::max(kMinPaneWidth, store_->GetInteger("Window\\PaneWidth").value_or(paneWidth_));
    paneShown_ = store_->GetBoolean("Window\\PaneShown").value_or(true);
    recovery_ = std::make_unique<RecoveryStore>(LocalRecoveryFolder(settingsFolder_));
}

FrameWindow::~FrameWindow() = default;

bool FrameWindow::Create(const std::vector<std::string>& files, int show)
{
    TextView::Register(instance_);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance_;
    windowClass.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_PROGRAM));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MENU);
    windowClass.lpszClassName = kFrameClass;
    if (!RegisterClassExW(&windowClass))
        return false;
    accelerators_ = LoadAcceleratorsW(instance_, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    frame_ = CreateWindowExW(WS_EX_ACCEPTFILES, kFrameClass, L"Varnel", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                             CW_USEDEFAULT, CW_USEDEFAULT, 900, 650, nullptr, nullptr, instance_, this);
    if (!frame_)
        return false;
    tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_FOCUSNEVER, 0, 0, 0,
                            0, frame_, reinterpret_cast<HMENU>(kTabsId), instance_, nullptr);
    SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, frame_,
                              reinterpret_cast<HMENU>(kStatusId), instance_, nullptr);
    pane_.Create(frame_, instance_, kPaneId);
    pane_.onChoose = [this](int index) { ChooseFunction(index); };
    view_.Create(frame_, instance_);
    view_.SetTabWidth(preferences_.tabWidth);
    view_.onChange = [this](bool edited) { ViewChanged(edited); };
    find_.onAction = [this](FindDialog::Action action) { Find(action); };
    DragAcceptFiles(frame_, TRUE);

    FillTemplateMenu();
    FillRecentMenu();
    FillLanguageMenu();
    FillToolMenu();

    dde_.Start([this](const std::wstring& path) { OpenFromOutside(WideToAnsi(path)); });

    // The window shows once its documents are open, with the last one named in front.
    for (const std::string& path : preferences_.openFiles)
        OpenFile(path, false);
    OfferRecoveredDocuments();
    for (const std::string& path : files)
        OpenFile(path);
    if (documents_.empty())
        NewDocument({}, {});
    RestorePlacement(show);
    SetTimer(frame_, kRecoveryTimer, kRecoveryPeriod, nullptr);
    SetFocus(view_.Handle());
    return true;
}

LRESULT CALLBACK FrameWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* frame = static_cast<FrameWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        frame->frame_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
    }
    auto* frame = reinterpret_cast<FrameWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return frame ? frame->OnMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

void FrameWindow::RestorePlacement(int show)
{
    const auto placement = store_->GetString("Window\\Placement");
    WINDOWPLACEMENT where = {};
    where.length = sizeof where;
    int left = 0, top = 0, right = 0, bottom = 0, maximized = 0;
    if (placement && std::sscanf(placement->c_str(), "%d,%d,%d,%d,%d", &left, &top, &right, &bottom, &maximized) == 5 &&
        right - left >= 200 && bottom - top >= 150) {
        GetWindowPlacement(frame_, &where);
        where.rcNormalPosition = {left, top, right, bottom};
        where.showCmd = maximized ? SW_SHOWMAXIMIZED : (show == SW_SHOWMINIMIZED ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
        SetWindowPlacement(frame_, &where);
    } else {
        ShowWindow(frame_, show);
    }
    Layout();
    UpdateWindow(frame_);
}

void FrameWindow::SavePlacement()
{
    WINDOWPLACEMENT where = {};
    where.length = sizeof where;
    if (GetWindowPlacement(frame_, &where)) {
        const RECT& r = where.rcNormalPosition;
        char text[80];
        std::snprintf(text, sizeof text, "%ld,%ld,%ld,%ld,%d", r.left, r.top, r.right, r.bottom,
                      where.showCmd == SW_SHOWMAXIMIZED ? 1 : 0);
        store_->SetString("Window\\Placement", text);
    }
    store_->SetInteger("Window\\PaneWidth", paneWidth_);
    store_->SetBoolean("Window\\PaneShown", paneShown_);
}

void FrameWindow::Layout()
{
    if (!tabs_)
        return;
    RECT client = {};
    GetClientRect(frame_, &client);
    SendMessageW(status_, WM_SIZE, 0, 0);
    RECT statusRect = {};
    GetWindowRect(status_, &statusRect);
    const int statusHeight = statusRect.bottom - statusRect.top;
    const int width = client.right;
    int parts[] = {std::max(width - 420, 100), std::max(width - 280, 200), std::max(width - 200, 260),
                   std::max(width - 110, 320), -1};
    SendMessageW(status_, SB_SETPARTS, 5, reinterpret_cast<LPARAM>(parts));

    RECT strip = {0, 0, width, 100};
    TabCtrl_AdjustRect(tabs_, FALSE, &strip);
    const int tabHeight = std::max<int>(strip.top - 2, 20);
    MoveWindow(tabs_, 0, 0, width, tabHeight, TRUE);
    const int top = tabHeight;
    const int height = std::max<int>(client.bottom - statusHeight - top, 0);
    int viewLeft = 0;
    if (paneShown_) {
        const int paneWidth = std::min(paneWidth_, std::max(width - 100, kMinPaneWidth));
        MoveWindow(pane_.Handle(), 0, top, paneWidth, height, TRUE);
        ShowWindow(pane_.Handle(), SW_SHOW);
        viewLeft = paneWidth + kSplitterWidth;
    } else {
        ShowWindow(pane_.Handle(), SW_HIDE);
    }
    MoveWindow(view_.Handle(), viewLeft, top, std::max(width - viewLeft, 0), height, TRUE);
    UpdateStatus(); // new parts start empty
}

Language* FrameWindow::LanguageOf(const OpenDocument& open)
{
    return open.language >= 0 ? &languages_[static_cast<std::size_t>(open.language)] : nullptr;
}

int FrameWindow::AddTab(std::unique_ptr<OpenDocument> open)
{
    documents_.push_back(std::move(open));
    const int index = static_cast<int>(documents_.size()) - 1;
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    std::wstring label = L"";
    item.pszText = label.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    UpdateTabLabel(index);
    SelectTab(index);
    return index;
}

void FrameWindow::SelectTab(int index)
{
    if (index < 0 || index >= static_cast<int>(documents_.size())) {
        current_ = -1;
        view_.Show(nullptr, nullptr);
        pane_.Clear();
        UpdateTitle();
        UpdateStatus();
        return;
    }
    current_ = index;
    TabCtrl_SetCurSel(tabs_, index);
    OpenDocument& open = *documents_[static_cast<std::size_t>(index)];
    const Language* language = LanguageOf(open);
    view_.Show(&open, language ? &language->styles : nullptr);
    // A list to scan waits until the text has been painted.
    if (open.functionsStale && language && language->plugin->scanForFunctions) {
        pane_.Clear();
        SetTimer(frame_, kFunctionTimer, 1, nullptr);
    } else {
        RefreshFunctions(false);
    }
    UpdateTitle();
    UpdateStatus();
}

void FrameWindow::RemoveTab(int index)
{
    OpenDocument& open = *documents_[static_cast<std::size_t>(index)];
    if (open.recovery)
        open.recovery->Closed();
    view_.Show(nullptr, nullptr);
    documents_.erase(documents_.begin() + index);
    TabCtrl_DeleteItem(tabs_, index);
    SelectTab(documents_.empty() ? -1 : std::min(index, static_cast<int>(documents_.size()) - 1));
}

void FrameWindow::UpdateTabLabel(int index)
{
    const OpenDocument& open = *documents_[static_cast<std::size_t>(index)];
    std::wstring label = AnsiToWide(open.Name()) + (open.document->Modified() ? L" *" : L"");
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = label.data();
    SendMessageW(tabs_, TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void FrameWindow::UpdateTitle()
{
    const OpenDocument* open = current_ >= 0 ? documents_[static_cast<std::size_t>(current_)].get() : nullptr;
    std::wstring title = L"Varnel";
    if (open)
        title = (open->document->Modified() ? L"*" : L"") + AnsiToWide(open->Name()) + L" - Varnel";
    SetWindowTextW(frame_, title.c_str());
}

void FrameWindow::UpdateStatus()
{
    OpenDocument* open = Current();
    std::wstring parts[5];
    if (open) {
        const EditorDocument& document = *open->document;
        const int caret = document.GetSelection().caret;
        const int line = document.Text().LineOf(caret);
        parts[0] = L"Line " + std::to_wstring(line + 1) + L", Col " +
                   std::to_wstring(ColumnOf(document.Text(), caret, view_.TabWidth()) + 1);
        const Language* language = LanguageOf(*open);
        parts[1] = language ? AnsiToWide(language->plugin->name) : L"Plain text";
        parts[2] = AnsiToWide(LineEndName(document.NewLineEnd()));
        parts[3] = document.Modified() ? L"Modified" : L"";
        parts[4] = view_.Overwrite() ? L"OVR" : L"INS";
    }
    for (int part = 0; part < 5; ++part)
        SendMessageW(status_, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(parts[part].c_str()));
}

void FrameWindow::ViewChanged(bool edited)
{
    if (edited && current_ >= 0) {
        OpenDocument& open = *documents_[static_cast<std::size_t>(current_)];
        open.functionsStale = true;
        if (open.recovery)
            open.recovery->Edited(Clock::now());
        if (open.document->Text().Length() <= kAutoScanLimit)
            SetTimer(frame_, kFunctionTimer, kFunctionPause, nullptr);
        UpdateTabLabel(current_);
        UpdateTitle();
    }
    UpdateStatus();
}

void FrameWindow::SetLanguage(OpenDocument& open, int language)
{
    open.language = language;
    open.document->Styling().SetStyler(language >= 0 ? languages_[static_cast<std::size_t>(language)].MakeStyler()
                                                     : Styler{});
    open.functionsStale = true;
    if (Current() == &open)
        SelectTab(current_);
}

void FrameWindow::RefreshFunctions(bool rescan)
{
    OpenDocument* open = Current();
    const Language* language = open ? LanguageOf(*open) : nullptr;
    if (!open || !language || !language->plugin->scanForFunctions) {
        pane_.Clear();
        return;
    }
    if (rescan || open->functionsStale) {
        open->includes = ScanFunctions(*open->document, *language, preferences_.functionList).includes;
        open->functionsStale = false;
    }
    pane_.Fill(open->document->Functions(), open->includes);
}

void FrameWindow::ChooseFunction(int index)
{
    OpenDocument* open = Current();
    if (!open)
        return;
    const std::vector<FunctionEntry>& entries = open->document->Functions();
    // Below the functions and a line of dashes: the included files, opened beside the document.
    const int include = index - static_cast<int>(entries.size()) - 1;
    if (include >= 0 && include < static_cast<int>(open->includes.size())) {
        const std::string name = open->includes[static_cast<std::size_t>(include)].name;
        const std::string folder = open->path ? open->path->substr(0, open->path->size() - FileName(*open->path).size())
                                              : std::string();
        OpenFile(folder.empty() ? name : JoinPath(folder, name));
        return;
    }
    if (index < 0 || index >= static_cast<int>(entries.size()) || entries[static_cast<std::size_t>(index)].separator)
        return;
    JumpToEntry(*open->document, entries[static_cast<std::size_t>(index)]);
    view_.CenterCaret();
    SetFocus(view_.Handle());
    UpdateStatus();
}

void FrameWindow::Timer(UINT_PTR id)
{
    if (id == kFunctionTimer) {
        KillTimer(frame_, kFunctionTimer);
        RefreshFunctions(true);
    } else if (id == kRecoveryTimer) {
        TickRecovery();
    }
}

bool FrameWindow::Idle()
{
    bool pending = false;
    if (OpenDocument* open = Current())
        if (open->document->Styling().Pending())
            return open->document->Styling().RunIdle(kIdleBudget);
    for (auto& open : documents_)
        if (open->document->Styling().Pending()) {
            pending = open->document->Styling().RunIdle(kIdleBudget) || pending;
            break;
        }
    return pending;
}

void FrameWindow::OpenFromOutside(const std::string& path)
{
    OpenFile(path);
    if (IsIconic(frame_))
        ShowWindow(frame_, SW_RESTORE);
    SetForegroundWindow(frame_);
}

LRESULT FrameWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE: Layout(); return 0;
    case WM_SETFOCUS: SetFocus(view_.Handle()); return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kPaneId) {
            if ((HIWORD(wParam) == LBN_SELCHANGE && !pane_.Keying()) || HIWORD(wParam) == LBN_DBLCLK)
                ChooseFunction(pane_.Selected());
            return 0;
        }
        Command(LOWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) {
            SelectTab(TabCtrl_GetCurSel(tabs_));
            SetFocus(view_.Handle());
        }
        return 0;
    }
    case WM_MEASUREITEM:
        if (wParam == kPaneId) {
            pane_.Measure(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    case WM_DRAWITEM:
        if (wParam == kPaneId) {
            pane_.Draw(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    case WM_INITMENUPOPUP: UpdateMenuStates(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_TIMER: Timer(wParam); return 0;
    case WM_DROPFILES: {
        HDROP drop = reinterpret_cast<HDROP>(wParam);
        const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            char path[MAX_PATH] = {};
            if (DragQueryFileA(drop, i, path, MAX_PATH))
                OpenFile(path);
        }
        DragFinish(drop);
        return 0;
    }
    case WM_ACTIVATEAPP:
        if (wParam)
            PostMessageW(frame_, kCheckDiskMessage, 0, 0);
        return 0;
    case kCheckDiskMessage: CheckFilesOnDisk(); return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == frame_ && LOWORD(lParam) == HTCLIENT && paneShown_) {
            POINT at = {};
            GetCursorPos(&at);
            ScreenToClient(frame_, &at);
            if (at.x >= paneWidth_ && at.x < paneWidth_ + kSplitterWidth) {
                SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
                return TRUE;
            }
        }
        break;
    case WM_LBUTTONDOWN:
        if (paneShown_) {
            resizingPane_ = true;
            SetCapture(frame_);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (resizingPane_) {
            RECT client = {};
            GetClientRect(frame_, &client);
            paneWidth_ = std::clamp<int>(static_cast<short>(LOWORD(lParam)), kMinPaneWidth,
                                         std::max<int>(client.right - 100, kMinPaneWidth));
            Layout();
        }
        return 0;
    case WM_LBUTTONUP:
        if (resizingPane_) {
            resizingPane_ = false;
            ReleaseCapture();
        }
        return 0;
    case WM_CLOSE: {
        std::vector<std::string> openFiles;
        for (const auto& open : documents_)
            if (open->path)
                openFiles.push_back(*open->path);
        if (!CloseAll())
            return 0;
        preferences_.openFiles = openFiles;
        SavePlacement();
        SaveEditorPreferences(preferences_, *store_);
        recovery_->RemoveAll();
        DestroyWindow(frame_);
        return 0;
    }
    case WM_QUERYENDSESSION: return CloseAll();
    case WM_DESTROY:
        dde_.Stop();
        PostQuitMessage(0);
        return 0;
    default: break;
    }
    return DefWindowProcW(frame_, message, wParam, lParam);
}

void FrameWindow::Command(int id)
{
    OpenDocument* open = Current();
    if (id >= IDM_TEMPLATE_FIRST && id < IDM_TEMPLATE_FIRST + IDM_DYNAMIC_COUNT) {
        const std::size_t index = static_cast<std::size_t>(id - IDM_TEMPLATE_FIRST);
        if (index < templates_.size()) {
            std::string error;
            if (auto bytes = NewFromTemplate(templates_[index], &error))
                NewDocument(std::move(*bytes), templates_[index].fileName);
            else
                ShowMessage("Could not read the template " + templates_[index].path + ":\n" + error, MB_ICONERROR);
        }
        return;
    }
    if (id >= IDM_RECENT_FIRST && id < IDM_RECENT_FIRST + IDM_DYNAMIC_COUNT) {
        const std::size_t index = static_cast<std::size_t>(id - IDM_RECENT_FIRST);
        if (index < preferences_.recentFiles.size())
            OpenFile(preferences_.recentFiles[index]);
        return;
    }
    if (id >= IDM_LANGUAGE_FIRST && id < IDM_LANGUAGE_FIRST + IDM_DYNAMIC_COUNT) {
        LanguageCommand(id);
        return;
    }
    if (id >= IDM_TOOL_FIRST && id < IDM_TOOL_FIRST + IDM_DYNAMIC_COUNT) {
        RunToolCommand(id - IDM_TOOL_FIRST);
        return;
    }
    switch (id) {
    case IDM_NEW: NewDocument({}, {}); return;
    case IDM_OPEN: ShowOpenDialog(); return;
    case IDM_SAVE: Save(current_); return;
    case IDM_SAVE_AS: SaveAs(current_); return;
    case IDM_SAVE_ALL: SaveAll(); return;
    case IDM_REVERT: Revert(current_); return;
    case IDM_CLOSE:
        if (current_ >= 0 && Close(current_) && documents_.empty())
            NewDocument({}, {});
        return;
    case IDM_EXIT: PostMessageW(frame_, WM_CLOSE, 0, 0); return;
    case IDM_FUNCTION_LIST:
        paneShown_ = !paneShown_;
        Layout();
        return;
    case IDM_REFRESH_FUNCTIONS: RefreshFunctions(true); return;
    case IDM_SHOW_INCLUDES:
        preferences_.functionList.showIncludes = !preferences_.functionList.showIncludes;
        RefreshFunctions(true);
        return;
    case IDM_SHOW_PROTOTYPES:
        preferences_.functionList.showPrototypes = !preferences_.functionList.showPrototypes;
        RefreshFunctions(true);
        return;
    case IDM_SHOW_TYPES:
        preferences_.functionList.showTypes = !preferences_.functionList.showTypes;
        RefreshFunctions(true);
        return;
    case IDM_NEXT_TAB:
    case IDM_PREVIOUS_TAB:
        if (!documents_.empty()) {
            const int count = static_cast<int>(documents_.size());
            SelectTab((current_ + (id == IDM_NEXT_TAB ? 1 : count - 1)) % count);
        }
        return;
    case IDM_EDIT_KEYWORDS: EditKeywords(); return;
    case IDM_TAB_WIDTH: TabWidthDialog(); return;
    case IDM_README: OpenFile(JoinPath(installFolder_, "Readme.txt")); return;
    case IDM_ABOUT:
        MessageBoxW(frame_, L"Varnel 4.0\n\nThe programmer's text editor.", L"About Varnel", MB_OK | MB_ICONINFORMATION);
        return;
    default: break;
    }
    if (!open)
        return;
    switch (id) {
    case IDM_FIND: find_.Show(frame_, instance_, false); return;
    case IDM_REPLACE: find_.Show(frame_, instance_, true); return;
    case IDM_FIND_NEXT: Find(FindDialog::Action::FindNext, false); return;
    case IDM_FIND_PREVIOUS: Find(FindDialog::Action::FindNext, true); return;
    case IDM_GOTO_LINE: GoToLineDialog(); return;
    default: Clipboard(id); return;
    }
}

} // namespace varnel::editor::win32
