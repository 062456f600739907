// The module-wide state of the dialog being run, shared by the dialog base and its
// platform parts. One dialog runs at a time.
#pragma once

#include "plugin_dialog.h"

namespace varnel::tool {

// The dialog last constructed; every message goes to it.
extern TPluginDialog* g_currentDialog;
// The open dialog's window (set when it initialises); null when none is open.
extern DialogWindow g_dialogWindow;

struct DialogDispatch {
    // Hands one message to the dialog. An exception closes the dialog and is kept for
    // DoModal: none may leave through the system's dialog manager.
    static bool Send(TPluginDialog& dialog, DialogWindow window, unsigned message,
                     MessageWord wordParam, MessageLong longParam) noexcept
    {
        try {
            return dialog.DialogProc(window, message, wordParam, longParam);
        } catch (...) {
            dialog.Fail(std::current_exception());
            return true;
        }
    }

    static void Rethrow(TPluginDialog& dialog)
    {
        if (dialog.failure_) {
            std::exception_ptr failure = dialog.failure_;
            dialog.failure_ = nullptr;
            std::rethrow_exception(failure);
        }
    }
};

} // namespace varnel::tool
