#include "plugin_dialog.h"

#include "dialog_state.h"

namespace varnel::tool {

TPluginDialog* g_currentDialog = nullptr;
DialogWindow g_dialogWindow = nullptr;

namespace {

// GetDocumentPath asks for the path into a buffer of this size.
constexpr int kDocumentPathSize = 260;

} // namespace

} // namespace varnel::tool

using namespace varnel::tool;

TPluginDialog::TPluginDialog(VTextProxy& document, bool acceptFiles)
    : document_(document), acceptFiles_(acceptFiles)
{
    g_currentDialog = this;
}

TPluginDialog::~TPluginDialog()
{
    if (g_currentDialog == this)
        g_currentDialog = nullptr;
}

void TPluginDialog::OnInitDialog()
{
    if (acceptFiles_)
        AcceptDroppedFiles();
}

void TPluginDialog::FileDropped(const std::string&)
{
}

void TPluginDialog::OnCommand(int)
{
}

bool TPluginDialog::DialogProc(DialogWindow window, unsigned message, MessageWord wordParam, MessageLong)
{
    switch (message) {
    case kInitDialogMessage:
        g_dialogWindow = window;
        OnInitDialog();
        return true;
    case kDropFilesMessage: {
        const std::string path = FirstDroppedFile(wordParam);
        if (!path.empty())
            FileDropped(path);
        return true;
    }
    case kCloseMessage:
        EndModal(0);
        return true;
    case kCommandMessage:
        OnCommand(static_cast<int>(wordParam & 0xFFFF));
        return true;
    default:
        return false;
    }
}

bool TPluginDialog::GetDocumentPath(std::string& path)
{
    char buffer[kDocumentPathSize] = {};
    if (!document_.GetFilePath(buffer, sizeof buffer))
        return false;
    buffer[sizeof buffer - 1] = '\0';
    path = buffer;
    return true;
}

void TPluginDialog::MakeRelativePath(const std::string& document, const std::string& target,
                                     std::string& relative)
{
    std::size_t common = 0;
    while (common < document.size() && common < target.size() && document[common] == target[common])
        ++common;
    while (common > 0 && document[common - 1] != '/')
        --common;
    std::size_t folders = 0;
    for (std::size_t i = common; i < document.size(); ++i) {
        if (document[i] == '/')
            ++folders;
    }
    relative.clear();
    if (folders == 0)
        relative = "./";
    for (std::size_t i = 0; i < folders; ++i)
        relative += "../";
    relative.append(target, common, std::string::npos);
}

void TPluginDialog::Fail(std::exception_ptr failure)
{
    if (!failure_)
        failure_ = failure;
    EndModal(0);
}
