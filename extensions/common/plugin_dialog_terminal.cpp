// TPluginDialog on a terminal: the dialog's form asks for its fields one line at a time.
#include "plugin_dialog.h"

#include "dialog_form.h"
#include "dialog_state.h"

#include <iostream>
#include <map>
#include <vector>

#include <unistd.h>

using namespace varnel::tool;

namespace {

std::istream* g_input = &std::cin;
std::ostream* g_prompts = &std::cerr;
// Unless SetFormStreams says otherwise, prompts show when standard input is a terminal
// at the moment the form asks (the host may hand it the terminal after reading the
// document from standard input).
bool g_promptsChosen = false;
bool g_showPrompts = false;

// The open form: the texts of its controls, and whether it is still open.
struct FormSession {
    const DialogForm& form;
    std::map<int, std::string> items;
    bool open = true;
};

FormSession* OpenSession()
{
    return static_cast<FormSession*>(g_dialogWindow);
}

void Prompt(const std::string& text)
{
    if (g_promptsChosen ? g_showPrompts : isatty(STDIN_FILENO) == 1)
        *g_prompts << text << std::flush;
}

// One answer line without its line end; false at the end of the input.
bool ReadAnswer(std::string& answer)
{
    if (!std::getline(*g_input, answer))
        return false;
    if (!answer.empty() && answer.back() == '\r')
        answer.pop_back();
    return true;
}

bool SameIgnoringCase(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

std::string AbsolutePath(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    std::vector<char> folder(4096);
    if (getcwd(folder.data(), folder.size()) == nullptr)
        return path;
    return std::string(folder.data()) + "/" + path;
}

} // namespace

namespace varnel::tool {

void SetFormStreams(std::istream& input, std::ostream& prompts, bool showPrompts)
{
    g_input = &input;
    g_prompts = &prompts;
    g_promptsChosen = true;
    g_showPrompts = showPrompts;
}

} // namespace varnel::tool

int TPluginDialog::DoModal(int resourceId)
{
    const DialogForm* form = FindDialogForm(resourceId);
    if (form == nullptr)
        return 0;
    FormSession session{*form, {}, true};
    const FormControl* accept = nullptr;
    const FormControl* dismiss = nullptr;
    for (int i = 0; i < form->count; ++i) {
        const FormControl& control = form->controls[i];
        session.items[control.id] = control.kind == FormControlKind::Edit ? "" : control.text;
        if (control.kind == FormControlKind::Accept)
            accept = &control;
        if (control.kind == FormControlKind::Dismiss)
            dismiss = &control;
    }
    auto send = [&](unsigned message, MessageWord wordParam) {
        if (session.open)
            DialogDispatch::Send(*this, &session, message, wordParam, 0);
    };

    Prompt(std::string(form->caption) + "\n");
    send(kInitDialogMessage, 0);
    for (int i = 0; i < form->count && session.open; ++i) {
        if (form->controls[i].kind == FormControlKind::Action)
            send(kCommandMessage, static_cast<MessageWord>(form->controls[i].id));
    }
    const char* label = "";
    std::string answer;
    for (int i = 0; i < form->count && session.open; ++i) {
        const FormControl& control = form->controls[i];
        if (control.kind == FormControlKind::Label)
            label = control.text;
        if (control.kind != FormControlKind::Edit)
            continue;
        std::string& text = session.items[control.id];
        Prompt(std::string(label) + " [" + text + "]: ");
        if (!ReadAnswer(answer))
            break;
        if (answer == "-")
            text.clear();
        else if (!answer.empty())
            text = answer;
    }
    while (session.open) {
        if (accept == nullptr || dismiss == nullptr) {
            send(kCloseMessage, 0);
            break;
        }
        Prompt(std::string(accept->text) + " or " + dismiss->text + " [" + accept->text + "]: ");
        if (!ReadAnswer(answer))
            send(kCloseMessage, 0);
        else if (answer.empty() || SameIgnoringCase(answer, accept->text))
            send(kCommandMessage, static_cast<MessageWord>(accept->id));
        else if (SameIgnoringCase(answer, dismiss->text))
            send(kCommandMessage, static_cast<MessageWord>(dismiss->id));
    }
    g_dialogWindow = nullptr;
    DialogDispatch::Rethrow(*this);
    return 0;
}

void TPluginDialog::EndModal(int)
{
    if (FormSession* session = OpenSession())
        session->open = false;
}

bool TPluginDialog::GetItemText(int controlId, std::string& text)
{
    FormSession* session = OpenSession();
    if (session == nullptr)
        return false;
    const auto item = session->items.find(controlId);
    if (item == session->items.end() || item->second.empty())
        return false;
    text = item->second.substr(0, 255);
    return true;
}

void TPluginDialog::SetItemText(int controlId, const std::string& text)
{
    FormSession* session = OpenSession();
    if (session == nullptr)
        return;
    const auto item = session->items.find(controlId);
    if (item != session->items.end())
        item->second = text;
}

bool TPluginDialog::ChooseFile(const char* title, const char*, std::string& path)
{
    Prompt(std::string(title) + " (a path; empty: none): ");
    std::string answer;
    if (!ReadAnswer(answer) || answer.empty())
        return false;
    path = AbsolutePath(answer);
    return true;
}

void TPluginDialog::AcceptDroppedFiles()
{
    // A terminal has no drag and drop; dropped-file messages are still dispatched.
}

std::string TPluginDialog::FirstDroppedFile(MessageWord drop)
{
    const auto* paths = reinterpret_cast<const std::vector<std::string>*>(drop);
    return paths != nullptr && !paths->empty() ? paths->front() : std::string();
}
