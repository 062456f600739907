// The editor's main window: a tab per open document over the text view, the function
// list docked at the left, a status bar, the menus. It owns the open documents and the
// loaded languages and tools, and carries out the menu commands (file_commands.cpp,
// edit_commands.cpp, menus.cpp) on the core.
#pragma once

#include "dde_server.h"
#include "find_dialog.h"
#include "function_pane.h"
#include "open_document.h"
#include "preferences.h"
#include "recovery.h"
#include "templates.h"
#include "text_view.h"

#include "language.h"
#include "plugin_loader.h"
#include "tool_loader.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace varnel::editor::win32 {

class FrameWindow {
public:
    FrameWindow(HINSTANCE instance, std::string installFolder);
    ~FrameWindow();

    // Makes the window where it was last, opens the documents of the last run, offers
    // recovery copies, then opens `files`.
    bool Create(const std::vector<std::string>& files, int show);
    HWND Handle() const { return frame_; }
    HACCEL Accelerators() const { return accelerators_; }
    // For the message loop: dialogs' messages.
    bool DispatchDialogs(MSG& message) const { return find_.Dispatch(message); }
    // Work for when no message waits: styling the lines below the screen. Answers
    // whether more remains.
    bool Idle();

    // Opens the file (or shows its tab when it is open) and brings the window forward.
    void OpenFromOutside(const std::string& path);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Command(int id);

    // frame_window.cpp: layout, tabs, status
    void Layout();
    OpenDocument* Current() { return current_ >= 0 ? documents_[static_cast<std::size_t>(current_)].get() : nullptr; }
    Language* LanguageOf(const OpenDocument& open);
    int AddTab(std::unique_ptr<OpenDocument> open);
    void SelectTab(int index);
    void RemoveTab(int index);
    void UpdateTabLabel(int index);
    void UpdateTitle();
    void UpdateStatus();
    void ViewChanged(bool edited);
    void SetLanguage(OpenDocument& open, int language);
    void RefreshFunctions(bool rescan);
    void ChooseFunction(int index);
    void Timer(UINT_PTR id);
    void SavePlacement();
    void RestorePlacement(int show);

    // file_commands.cpp
    int FindOpen(const std::string& path) const;
    bool OpenFile(const std::string& path, bool reportErrors = true);
    void NewDocument(std::string bytes, const std::string& nameForLanguage);
    bool Save(int index);
    bool SaveAs(int index);
    bool WriteDocument(OpenDocument& open, const std::string& path);
    void SaveAll();
    void Revert(int index);
    bool Close(int index);     // asks about unsaved changes; false when cancelled
    bool CloseAll();           // the same for every document, before exiting
    bool AskToSave(int index); // Save / Don't Save / Cancel; false when cancelled
    void CheckFilesOnDisk();
    void OfferRecoveredDocuments();
    void TickRecovery();
    void ShowOpenDialog();
    std::string FileFilter() const;
    void KeywordFileSaved(const std::string& path);
    std::string NewUntitledName();

    // edit_commands.cpp
    void Clipboard(int id);
    void Find(FindDialog::Action action, bool backwards = false);
    void GoToLineDialog();
    void TabWidthDialog();
    void RunToolCommand(int index);
    void EditKeywords();
    void LanguageCommand(int id);
    void ShowMessage(const std::string& text, UINT icon = MB_ICONINFORMATION);

    // menus.cpp
    void FillTemplateMenu();
    void FillRecentMenu();
    void FillLanguageMenu();
    void FillToolMenu();
    void UpdateMenuStates(HMENU menu);
    void NoteRecent(const std::string& path);

    HINSTANCE instance_;
    std::string installFolder_;
    std::string settingsFolder_;
    HWND frame_ = nullptr;
    HWND tabs_ = nullptr;
    HWND status_ = nullptr;
    HACCEL accelerators_ = nullptr;
    TextView view_;
    FunctionPane pane_;
    FindDialog find_;
    DdeServer dde_;

    PluginSet plugins_;
    std::vector<Language> languages_; // one per plug-in, in the same order
    ToolSet tools_;
    std::vector<DocumentTemplate> templates_;
    std::unique_ptr<PreferenceStore> store_;
    EditorPreferences preferences_;
    std::unique_ptr<RecoveryStore> recovery_;

    std::vector<std::unique_ptr<OpenDocument>> documents_;
    int current_ = -1;
    int untitledCount_ = 0;
    bool paneShown_ = true;
    int paneWidth_ = 180;
    bool resizingPane_ = false;
    bool checkingDisk_ = false;
};

} // namespace varnel::editor::win32
