// varnel edit: editor commands run through the editor's core on a file, as the window's
// menus and keys would run them, then the file saved in place.
#include "commands.h"
#include "edit_script.h"
#include "file_system.h"
#include "preferences.h"
#include "tool_command.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace varnel {

namespace {

// The editor's preferences in the settings folder (on Windows they are in the registry).
constexpr char kPreferencesFile[] = "editor.ini";

struct EditOptions {
    std::string file;
    std::vector<std::string> words;
    bool toStdout = false;
};

const char kCommandHelp[] =
    "commands, each a word and its operands, run in order:\n"
    "  line N | caret OFFSET | select START LENGTH\n"
    "  key NAME   (left right up down home end word-left word-right page-up page-down doc-start\n"
    "              doc-end backspace delete tab shift-tab; shift-NAME extends the selection)\n"
    "  type TEXT | paste TEXT   (\\n, \\t and \\\\ in TEXT) | cut | copy | undo | redo\n"
    "  balance | comment | uncomment | find TEXT | find-regex PATTERN\n"
    "  replace-all TEXT WITH | replace-all-regex PATTERN WITH | tool NAME | save\n"
    "  print-selection | print-line-states";

int Edit(CommandContext& context, const EditOptions& options)
{
    std::optional<std::string> bytes = context.ReadInput(options.file);
    if (!bytes)
        return kFailed;
    const LanguagePlugin* plugin = context.ChooseLanguage(options.file);
    if (plugin == nullptr)
        return kFailed;
    const Language language = PrepareLanguage(*plugin, context.Options().settings);
    const ToolSet tools = LoadToolExtensions(ExtensionsFolder(context.Options().modules));

    // The user's tab width and function-list choices, from the editor's preferences.
    editor::EditorPreferences preferences;
    if (const std::string& settings = context.Options().settings; !settings.empty())
        preferences = editor::LoadEditorPreferences(*editor::OpenPreferenceStore(JoinPath(settings, kPreferencesFile)));
    editor::ViewMetrics view;
    view.tabWidth = preferences.tabWidth;

    editor::EditorDocument document(std::move(*bytes));
    document.Styling().SetStyler(language.MakeStyler());
    const bool untitled = options.file == kStandardInput;
    const bool print = options.toStdout || untitled;
    // The file is written where the commands say "save", and at the end.
    const auto save = [&](std::string* reason) {
        if (print) {
            *reason = untitled ? "standard input has no file" : "--stdout leaves the file as it is";
            return false;
        }
        if (!WriteFile(options.file, document.Text().FileText(), reason))
            return false;
        document.MarkSaved();
        return true;
    };
    editor::ScriptContext script{document,
                                 language,
                                 tools,
                                 untitled ? std::nullopt : std::optional<std::string>(ToolFilePath(options.file)),
                                 preferences.functionList,
                                 view,
                                 save,
                                 context.Out(),
                                 context.Err(),
                                 {}};
    if (const std::optional<editor::ScriptError> error = editor::RunEditScript(options.words, script)) {
        const std::string message = "command " + std::to_string(error->position) + " (" + error->command +
                                    "): " + error->message + (print ? "" : "; " + options.file + " is left as it was");
        return error->usage ? context.Usage(message) : context.Fail(message);
    }
    if (print) {
        context.Out() << document.Text().FileText();
        return kDone;
    }
    std::string reason;
    if (document.Modified() && !save(&reason))
        return context.Fail("cannot write " + options.file + ": " + reason + " (the file is unchanged)");
    return kDone;
}

} // namespace

Command AddEditCommand(CLI::App& varnel)
{
    auto options = std::make_shared<EditOptions>();
    CLI::App* app = varnel.add_subcommand("edit", "run editor commands on a file, then save it in place");
    app->add_option("FILE", options->file, "the file ('-': standard input, written to standard output)")->required();
    app->add_option("COMMAND", options->words, "the commands and their operands (put -- before text that starts with -)");
    app->add_flag("--stdout", options->toStdout, "print the result and leave the file as it is");
    app->footer(kCommandHelp);
    return {app, [options](CommandContext& context) { return Edit(context, *options); }};
}

} // namespace varnel
