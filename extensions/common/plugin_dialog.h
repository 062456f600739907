// TPluginDialog: the modal dialog base of the tool extensions. On Windows it runs a
// dialog from the extension's own resources, owned by the host window; elsewhere the
// same dialog runs as a small form on the terminal (see dialog_form.h).
#pragma once

#include "tool_proxy.h"

#include <cstdint>
#include <exception>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace varnel::tool {

#if defined(_WIN32)
using DialogWindow = HWND;
using MessageWord = WPARAM;
using MessageLong = LPARAM;
#else
using DialogWindow = void*;
using MessageWord = std::uintptr_t;
using MessageLong = std::intptr_t;
#endif

// The messages a dialog answers, with the values the Windows dialog manager sends. On
// the terminal a files-dropped message carries a `const std::vector<std::string>*` of
// paths as its word parameter.
enum DialogMessage : unsigned {
    kCloseMessage = 0x0010,
    kInitDialogMessage = 0x0110,
    kCommandMessage = 0x0111,
    kDropFilesMessage = 0x0233,
};

struct DialogDispatch;

} // namespace varnel::tool

class TPluginDialog {
public:
    using DialogWindow = varnel::tool::DialogWindow;
    using MessageWord = varnel::tool::MessageWord;
    using MessageLong = varnel::tool::MessageLong;

    // Becomes the module's current dialog, to which every message goes.
    TPluginDialog(VTextProxy& document, bool acceptFiles);
    virtual ~TPluginDialog();

    TPluginDialog(const TPluginDialog&) = delete;
    TPluginDialog& operator=(const TPluginDialog&) = delete;

    // Registers the dialog for files dropped from the shell when it accepts them.
    virtual void OnInitDialog();
    virtual void FileDropped(const std::string& path);
    virtual void OnCommand(int controlId);
    // Dispatches one message; answers whether it was handled.
    virtual bool DialogProc(DialogWindow window, unsigned message, MessageWord wordParam,
                            MessageLong longParam);

    // Runs the dialog with that resource identifier until it is closed and answers 0. An
    // exception thrown while a message was handled closes the dialog and is rethrown here.
    int DoModal(int resourceId);
    void EndModal(int result);
    // The control's text (at most 255 characters); false, `text` untouched, when empty.
    bool GetItemText(int controlId, std::string& text);
    // Sets the control's text, when there is such a control, and selects all of it.
    void SetItemText(int controlId, const std::string& text);
    bool GetDocumentPath(std::string& path);
    // The system's open-file dialog (on the terminal: a path typed at a prompt). The
    // filter is a list of name and pattern pairs, each ended by a NUL, the list by a
    // second NUL.
    bool ChooseFile(const char* title, const char* filter, std::string& path);
    // The target as a link relative to the document's folder; both "/"-separated.
    static void MakeRelativePath(const std::string& document, const std::string& target,
                                 std::string& relative);

protected:
    VTextProxy& document_;

private:
    bool acceptFiles_;
    std::exception_ptr failure_; // thrown while a message was handled

    // Closes the dialog after an exception and keeps it for DoModal.
    void Fail(std::exception_ptr failure);
    void AcceptDroppedFiles();
    static std::string FirstDroppedFile(MessageWord drop);

    friend struct varnel::tool::DialogDispatch;
};
