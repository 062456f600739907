// The File menu's commands and the questions around them: opening, saving, reverting,
// closing with unsaved changes, files changed on disk, recovery copies.
#include "frame_window.h"

#include "file_operations.h"
#include "file_system.h"
#include "keyword_settings.h"
#include "text_encoding.h"

#include <commdlg.h>

#include <cstring>

namespace varnel::editor::win32 {

namespace {

std::string FullPath(const std::string& path)
{
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full) : path;
}

} // namespace

std::string FrameWindow::NewUntitledName() { return "Untitled " + std::to_string(++untitledCount_); }

int FrameWindow::FindOpen(const std::string& path) const
{
    for (std::size_t i = 0; i < documents_.size(); ++i)
        if (documents_[i]->path && SamePath(*documents_[i]->path, path))
            return static_cast<int>(i);
    return -1;
}

bool FrameWindow::OpenFile(const std::string& given, bool reportErrors)
{
    const std::string path = FullPath(given);
    if (const int open = FindOpen(path); open >= 0) {
        SelectTab(open);
        return true;
    }
    std::string error;
    std::optional<std::string> bytes = ReadFile(path, &error);
    if (!bytes) {
        if (reportErrors)
            ShowMessage("Could not open " + path + ":\n" + error, MB_ICONERROR);
        preferences_.ForgetRecentFile(path);
        FillRecentMenu();
        return false;
    }
    // An untouched empty document in the only tab gives way to the file.
    if (documents_.size() == 1 && !documents_[0]->path && !documents_[0]->document->Modified() &&
        documents_[0]->document->Text().Length() == 0)
        RemoveTab(0);
    auto open = std::make_unique<OpenDocument>();
    open->document = std::make_unique<EditorDocument>(std::move(*bytes));
    open->path = path;
    open->stamp = ReadFileStamp(path);
    if (recovery_->Ready())
        open->recovery = std::make_unique<DocumentRecovery>(*recovery_);
    OpenDocument& added = *open;
    const LanguagePlugin* plugin = FindLanguageForFile(plugins_, path);
    added.language = plugin ? static_cast<int>(plugin - plugins_.plugins.data()) : -1;
    if (added.language >= 0)
        added.document->Styling().SetStyler(languages_[static_cast<std::size_t>(added.language)].MakeStyler());
    AddTab(std::move(open));
    NoteRecent(path);
    return true;
}

void FrameWindow::NewDocument(std::string bytes, const std::string& nameForLanguage)
{
    auto open = std::make_unique<OpenDocument>();
    open->document = std::make_unique<EditorDocument>(std::move(bytes));
    open->untitledName = NewUntitledName();
    if (recovery_->Ready())
        open->recovery = std::make_unique<DocumentRecovery>(*recovery_);
    if (!nameForLanguage.empty()) {
        const LanguagePlugin* plugin = FindLanguageForFile(plugins_, nameForLanguage);
        open->language = plugin ? static_cast<int>(plugin - plugins_.plugins.data()) : -1;
        if (open->language >= 0)
            open->document->Styling().SetStyler(languages_[static_cast<std::size_t>(open->language)].MakeStyler());
    }
    AddTab(std::move(open));
}

bool FrameWindow::WriteDocument(OpenDocument& open, const std::string& path)
{
    std::string error;
    if (!WriteFile(path, open.document->Text().FileText(), &error)) {
        ShowMessage("Could not save " + path + ":\n" + error, MB_ICONERROR);
        return false;
    }
    open.path = path;
    open.stamp = ReadFileStamp(path);
    open.document->MarkSaved();
    if (open.recovery)
        open.recovery->Saved(Clock::now());
    NoteRecent(path);
    KeywordFileSaved(path);
    for (std::size_t i = 0; i < documents_.size(); ++i)
        if (documents_[i].get() == &open)
            UpdateTabLabel(static_cast<int>(i));
    UpdateTitle();
    UpdateStatus();
    return true;
}

bool FrameWindow::Save(int index)
{
    if (index < 0)
        return false;
    OpenDocument& open = *documents_[static_cast<std::size_t>(index)];
    if (!open.path)
        return SaveAs(index);
    return WriteDocument(open, *open.path);
}

std::string FrameWindow::FileFilter() const
{
    // "Java (*.java)\0*.java\0...All files (*.*)\0*.*\0\0"
    std::string filter;
    for (const LanguagePlugin& plugin : plugins_.plugins) {
        if (plugin.extensions.empty())
            continue;
        filter += plugin.name + " (" + plugin.extensions + ")";
        filter += '\0';
        filter += plugin.extensions;
        filter += '\0';
    }
    filter += "All files (*.*)";
    filter += '\0';
    filter += "*.*";
    filter += '\0';
    return filter;
}

bool FrameWindow::SaveAs(int index)
{
    if (index < 0)
        return false;
    OpenDocument& open = *documents_[static_cast<std::size_t>(index)];
    char path[MAX_PATH] = {};
    const std::string name = open.path ? *open.path : open.Name();
    name.copy(path, MAX_PATH - 1);
    const std::string filter = FileFilter();
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = frame_;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = open.language >= 0 ? static_cast<DWORD>(open.language + 1)
                                             : static_cast<DWORD>(plugins_.plugins.size() + 1);
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetSaveFileNameA(&dialog))
        return false;
    if (!WriteDocument(open, path))
        return false;
    // A new name may mean a new language.
    const LanguagePlugin* plugin = FindLanguageForFile(plugins_, path);
    const int language = plugin ? static_cast<int>(plugin - plugins_.plugins.data()) : -1;
    if (language != open.language)
        SetLanguage(open, language);
    return true;
}

void FrameWindow::SaveAll()
{
    for (std::size_t i = 0; i < documents_.size(); ++i)
        if (documents_[i]->document->Modified() && !Save(static_cast<int>(i)))
            return;
}

void FrameWindow::Revert(int index)
{
    if (index < 0)
        return;
    OpenDocument& open = *documents_[static_cast<std::size_t>(index)];
    if (!open.path || !open.document->Modified())
        return;
    const std::wstring question = L"Discard the changes to " + AnsiToWide(open.Name()) + L" and read the file again?";
    if (MessageBoxW(frame_, question.c_str(), L"Varnel", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    std::string error;
    std::optional<std::string> bytes = ReadFile(*open.path, &error);
    if (!bytes) {
        ShowMessage("Could not read " + *open.path + ":\n" + error, MB_ICONERROR);
        return;
    }
    open.document->Reload(std::move(*bytes));
    open.stamp = ReadFileStamp(*open.path);
    if (open.recovery)
        open.recovery->Saved(Clock::now());
    open.functionsStale = true;
    UpdateTabLabel(index);
    SelectTab(index);
}

bool FrameWindow::AskToSave(int index)
{
    OpenDocument& open = *documents_[static_cast<std::size_t>(index)];
    if (!open.document->Modified())
        return true;
    SelectTab(index);
    const std::wstring question = L"Save the changes to " + AnsiToWide(open.Name()) + L"?";
    switch (MessageBoxW(frame_, question.c_str(), L"Varnel", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return Save(index);
    case IDNO: return true;
    default: return false;
    }
}

bool FrameWindow::Close(int index)
{
    if (index < 0 || !AskToSave(index))
        return false;
    RemoveTab(index);
    return true;
}

bool FrameWindow::CloseAll()
{
    for (std::size_t i = 0; i < documents_.size(); ++i)
        if (!AskToSave(static_cast<int>(i)))
            return false;
    while (!documents_.empty())
        RemoveTab(static_cast<int>(documents_.size()) - 1);
    return true;
}

void FrameWindow::CheckFilesOnDisk()
{
    if (checkingDisk_)
        return;
    checkingDisk_ = true;
    for (std::size_t i = 0; i < documents_.size(); ++i) {
        OpenDocument& open = *documents_[i];
        if (!open.path || !ChangedOnDisk(*open.path, open.stamp))
            continue;
        const FileStamp now = ReadFileStamp(*open.path);
        open.stamp = now; // asked once per change
        if (!now.exists)
            continue;
        SelectTab(static_cast<int>(i));
        std::wstring question = AnsiToWide(*open.path) + L"\n\nThe file was changed by another program. Read it again";
        question += open.document->Modified() ? L" and lose your changes?" : L"?";
        if (MessageBoxW(frame_, question.c_str(), L"Varnel", MB_YESNO | MB_ICONQUESTION) != IDYES)
            continue;
        if (std::optional<std::string> bytes = ReadFile(*open.path)) {
            open.document->Reload(std::move(*bytes));
            if (open.recovery)
                open.recovery->Saved(Clock::now());
            open.functionsStale = true;
            UpdateTabLabel(static_cast<int>(i));
            SelectTab(static_cast<int>(i));
        }
    }
    checkingDisk_ = false;
}

void FrameWindow::OfferRecoveredDocuments()
{
    if (!recovery_->Ready())
        return;
    const std::vector<RecoveredDocument> left = recovery_->LeftBehind();
    if (left.empty())
        return;
    std::wstring question = L"Varnel did not end properly last time. Recover the unsaved documents?\n";
    for (const RecoveredDocument& copy : left)
        question += L"\n" + AnsiToWide(copy.path ? *copy.path : copy.title);
    const bool recover = MessageBoxW(frame_, question.c_str(), L"Varnel", MB_YESNO | MB_ICONQUESTION) == IDYES;
    for (const RecoveredDocument& copy : left) {
        if (!recover) {
            recovery_->Discard(copy);
            continue;
        }
        std::string id;
        std::optional<std::string> bytes = recovery_->Take(copy, &id);
        if (!bytes)
            continue;
        auto open = std::make_unique<OpenDocument>();
        // The recovered text is a change to the file (or a new document): it starts
        // modified, as an edit of what the file holds.
        std::optional<std::string> onDisk = copy.path ? ReadFile(*copy.path) : std::nullopt;
        open->document = std::make_unique<EditorDocument>(onDisk ? *onDisk : std::string());
        open->document->Select(0, open->document->Text().Length());
        open->document->ReplaceSelection(*bytes);
        open->document->SetCaret(0);
        open->path = copy.path;
        if (copy.path)
            open->stamp = ReadFileStamp(*copy.path);
        else
            open->untitledName = NewUntitledName();
        open->recovery = std::make_unique<DocumentRecovery>(*recovery_, id);
        open->recovery->Edited(Clock::now());
        const LanguagePlugin* plugin = FindLanguageForFile(plugins_, copy.path ? *copy.path : copy.title);
        open->language = plugin ? static_cast<int>(plugin - plugins_.plugins.data()) : -1;
        if (open->language >= 0)
            open->document->Styling().SetStyler(languages_[static_cast<std::size_t>(open->language)].MakeStyler());
        if (copy.path && FindOpen(*copy.path) >= 0)
            RemoveTab(FindOpen(*copy.path));
        AddTab(std::move(open));
    }
}

void FrameWindow::TickRecovery()
{
    for (const auto& open : documents_)
        if (open->recovery)
            open->recovery->Tick(*open->document, open->path, open->Name(), Clock::now());
}

void FrameWindow::ShowOpenDialog()
{
    std::string files(32 * 1024, '\0');
    const std::string filter = FileFilter();
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = frame_;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(plugins_.plugins.size() + 1);
    dialog.lpstrFile = files.data();
    dialog.nMaxFile = static_cast<DWORD>(files.size());
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_EXPLORER;
    if (!GetOpenFileNameA(&dialog))
        return;
    // One file: its path. Several: the folder, then each name, each ending in a NUL.
    const std::string first = files.c_str();
    const char* next = files.c_str() + first.size() + 1;
    if (!*next) {
        OpenFile(first);
        return;
    }
    for (; *next; next += std::strlen(next) + 1)
        OpenFile(JoinPath(first, next));
}

void FrameWindow::KeywordFileSaved(const std::string& path)
{
    for (std::size_t i = 0; i < languages_.size(); ++i) {
        if (!IsKeywordFile(path, *languages_[i].plugin, settingsFolder_))
            continue;
        ReloadKeywords(languages_[i], settingsFolder_);
        for (const auto& open : documents_)
            if (open->language == static_cast<int>(i))
                open->document->Styling().SetStyler(languages_[i].MakeStyler());
        InvalidateRect(view_.Handle(), nullptr, FALSE);
    }
}

} // namespace varnel::editor::win32
