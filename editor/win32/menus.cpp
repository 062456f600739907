// The menus filled while the editor runs (templates, recent files, languages, tools)
// and the state of every item when a menu opens.
#include "frame_window.h"

#include "file_system.h"
#include "resource_ids.h"
#include "text_encoding.h"

namespace varnel::editor::win32 {

namespace {

// Positions in the menu bar and in its menus.
constexpr int kFileMenu = 0;
constexpr int kViewMenu = 2;
constexpr int kToolsMenu = 3;
constexpr int kTemplatesItem = 1; // in File
constexpr int kRecentItem = 3;    // in File
constexpr int kLanguageItem = 6;  // in View

HMENU SubMenu(HWND frame, int menu, int item = -1)
{
    HMENU bar = GetSubMenu(GetMenu(frame), menu);
    return item < 0 ? bar : GetSubMenu(bar, item);
}

void Refill(HMENU menu, const std::vector<std::wstring>& labels, int firstId)
{
    while (GetMenuItemCount(menu) > 0)
        DeleteMenu(menu, 0, MF_BYPOSITION);
    if (labels.empty()) {
        AppendMenuW(menu, MF_STRING | MF_GRAYED, static_cast<UINT_PTR>(firstId), L"(none)");
        return;
    }
    for (std::size_t i = 0; i < labels.size() && i < IDM_DYNAMIC_COUNT; ++i)
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(firstId) + i, labels[i].c_str());
}

void Enable(HMENU menu, int id, bool enabled) { EnableMenuItem(menu, static_cast<UINT>(id), enabled ? MF_ENABLED : MF_GRAYED); }
void Check(HMENU menu, int id, bool checked) { CheckMenuItem(menu, static_cast<UINT>(id), checked ? MF_CHECKED : MF_UNCHECKED); }

} // namespace

void FrameWindow::FillTemplateMenu()
{
    std::vector<std::wstring> labels;
    for (const DocumentTemplate& each : templates_)
        labels.push_back(AnsiToWide(each.name));
    Refill(SubMenu(frame_, kFileMenu, kTemplatesItem), labels, IDM_TEMPLATE_FIRST);
}

void FrameWindow::FillRecentMenu()
{
    std::vector<std::wstring> labels;
    for (std::size_t i = 0; i < preferences_.recentFiles.size(); ++i)
        labels.push_back(L"&" + std::to_wstring((i + 1) % 10) + L" " + AnsiToWide(preferences_.recentFiles[i]));
    Refill(SubMenu(frame_, kFileMenu, kRecentItem), labels, IDM_RECENT_FIRST);
}

void FrameWindow::FillLanguageMenu()
{
    std::vector<std::wstring> labels = {L"Plain Text"};
    for (const LanguagePlugin& plugin : plugins_.plugins)
        labels.push_back(AnsiToWide(plugin.name));
    Refill(SubMenu(frame_, kViewMenu, kLanguageItem), labels, IDM_LANGUAGE_FIRST);
}

void FrameWindow::FillToolMenu()
{
    std::vector<std::wstring> labels;
    for (const ToolExtension& tool : tools_.tools)
        labels.push_back(AnsiToWide(tool.name));
    Refill(SubMenu(frame_, kToolsMenu), labels, IDM_TOOL_FIRST);
}

void FrameWindow::NoteRecent(const std::string& path)
{
    preferences_.NoteRecentFile(path);
    FillRecentMenu();
}

void FrameWindow::UpdateMenuStates(HMENU menu)
{
    OpenDocument* open = Current();
    const EditorDocument* document = open ? open->document.get() : nullptr;
    const Language* language = open ? LanguageOf(*open) : nullptr;
    const bool selection = document && !document->GetSelection().Empty();
    Enable(menu, IDM_SAVE, open != nullptr);
    Enable(menu, IDM_SAVE_AS, open != nullptr);
    Enable(menu, IDM_REVERT, open && open->path && document->Modified());
    Enable(menu, IDM_CLOSE, open != nullptr);
    Enable(menu, IDM_UNDO, document && document->CanUndo());
    Enable(menu, IDM_REDO, document && document->CanRedo());
    Enable(menu, IDM_CUT, selection);
    Enable(menu, IDM_COPY, selection);
    Enable(menu, IDM_PASTE, document && (IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT)));
    Enable(menu, IDM_BALANCE, language != nullptr);
    const bool comments = language && (language->plugin->commentLine || language->plugin->commentSelection);
    Enable(menu, IDM_COMMENT, comments);
    Enable(menu, IDM_UNCOMMENT, comments);
    Enable(menu, IDM_EDIT_KEYWORDS, language != nullptr);
    Check(menu, IDM_FUNCTION_LIST, paneShown_);
    Check(menu, IDM_SHOW_INCLUDES, preferences_.functionList.showIncludes);
    Check(menu, IDM_SHOW_PROTOTYPES, preferences_.functionList.showPrototypes);
    Check(menu, IDM_SHOW_TYPES, preferences_.functionList.showTypes);
    for (std::size_t i = 0; i <= languages_.size(); ++i)
        Check(menu, IDM_LANGUAGE_FIRST + static_cast<int>(i), open && open->language + 1 == static_cast<int>(i));
    for (std::size_t i = 0; i < tools_.tools.size(); ++i)
        Enable(menu, IDM_TOOL_FIRST + static_cast<int>(i), open != nullptr);
}

} // namespace varnel::editor::win32
