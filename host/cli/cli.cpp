#include "cli.h"

#include "commands.h"
#include "file_system.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace varnel {

namespace {

const char kDescription[] =
    "Uses the editor's language plug-ins from a shell: colours files, lists their functions,\n"
    "balances brackets and comments lines out and back in; runs the tool extensions on files.";

const char kFooter[] =
    "FILE may be '-' for standard input (name its language with --language).\n"
    "Offsets are byte offsets in the file; lines count from 1.\n"
    "Run 'varnel COMMAND --help' for the options of a command.";

int RunParsed(const std::vector<std::string>& args, const Console& console)
{
    CLI::App app(kDescription, "varnel");
    app.footer(kFooter);
    app.require_subcommand(1);
    app.fallthrough(); // the global options may stand after the command too
    // "/tmp/a.java" is a file on every platform, never an option; commands inherit this.
    app.allow_windows_style_options(false);

    GlobalOptions options;
    if (const char* settings = std::getenv("VARNEL_SETTINGS"))
        options.settings = settings;
    app.add_option("--modules", options.modules, "the folder that holds Languages/ and Extensions/ (default: the program's folder)");
    app.add_option("--settings", options.settings, "where the user's keyword files are (default: $VARNEL_SETTINGS)");
    app.add_option("--language", options.language, "the language by name, instead of the one claiming the file");

    std::vector<Command> commands = {
        AddLanguagesCommand(app),   AddHighlightCommand(app),        AddFunctionsCommand(app),
        AddBalanceCommand(app),     AddCommentCommand(app, true),    AddCommentCommand(app, false),
        AddToolCommand(app),        AddEditCommand(app),
    };
    CLI::App* help = app.add_subcommand("help", "show this text");

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        console.out << app.help(); // the help of the command given, if any
        return kDone;
    } catch (const CLI::CallForAllHelp&) {
        console.out << app.help("", CLI::AppFormatMode::All);
        return kDone;
    } catch (const CLI::ParseError& error) {
        CommandContext context(console, options);
        const std::vector<std::string> unknown = app.remaining();
        if (app.get_subcommands().empty() && !unknown.empty())
            return context.Usage("unknown command '" + unknown.front() + "'");
        return context.Usage(error.what());
    }
    if (help->parsed()) {
        // The whole command's help, not that of "help" itself.
        console.out << app.get_formatter()->make_help(&app, "varnel", CLI::AppFormatMode::Normal);
        return kDone;
    }
    if (options.modules.empty())
        options.modules = ExecutableFolder();
    CommandContext context(console, options);
    for (const Command& command : commands) {
        if (command.app->parsed())
            return command.run(context);
    }
    return context.Usage("no command given");
}

} // namespace

int RunVarnel(const std::vector<std::string>& args, const Console& console)
{
    const int status = RunParsed(args, console);
    errno = 0;
    console.out.flush();
    if (!console.out) {
        const int reason = errno;
        console.err << "varnel: cannot write the output"
                    << (reason != 0 ? std::string(": ") + std::strerror(reason) : std::string()) << "\n";
        return kFailed;
    }
    return status;
}

int RunVarnel(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::istringstream nothing;
    return RunVarnel(args, Console{nothing, out, err, true, false});
}

} // namespace varnel
