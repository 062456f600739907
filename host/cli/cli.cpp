#include "cli.h"

#include "document.h"
#include "file_system.h"
#include "highlight_output.h"
#include "language.h"
#include "plugin_loader.h"
#include "tool_command.h"
#include "tool_loader.h"

#include <iostream>

#include <cstdlib>
#include <sstream>

namespace varnel {

namespace {

constexpr int kFailed = 1;
constexpr int kBadUsage = 2;

const char kUsage[] =
    "usage: varnel [--modules FOLDER] [--settings FOLDER] COMMAND [ARGUMENTS]\n"
    "\n"
    "commands:\n"
    "  languages                          list the language plug-ins\n"
    "  highlight FILE [--html | --runs | --plain] [--language NAME]\n"
    "                                     colour a file (terminal colours by default)\n"
    "  comment FILE FIRST_LINE LAST_LINE [--stdout] [--language NAME]\n"
    "  uncomment FILE FIRST_LINE LAST_LINE [--stdout] [--language NAME]\n"
    "                                     comment lines out or back in (lines count from 1);\n"
    "                                     the file is changed in place unless --stdout is given\n"
    "  tool NAME FILE [--selection START LENGTH] [--stdout]\n"
    "                                     run a tool extension on a file (\"-\": a never-saved\n"
    "                                     document from standard input, printed when done)\n"
    "  help                               show this text\n"
    "\n"
    "options:\n"
    "  --modules FOLDER   the folder that holds Languages/ and Extensions/ (default: the program's folder)\n"
    "  --settings FOLDER  where the user's keyword files are (default: $VARNEL_SETTINGS)\n";

struct Invocation {
    std::string modules;
    std::string settings;
    std::string command;
    std::vector<std::string> operands;
    std::string language;
    HighlightFormat format = HighlightFormat::Terminal;
    bool toStdout = false;
};

class Cli {
public:
    Cli(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    int Run(const std::vector<std::string>& args)
    {
        if (IsToolCommand(args))
            return RunToolCommandLine(args, ExecutableFolder(), std::cin, out_, err_);
        Invocation call;
        if (!Parse(args, &call))
            return kBadUsage;
        if (call.command == "help") {
            out_ << kUsage;
            return 0;
        }
        if (call.command == "languages")
            return call.operands.empty() ? Languages(call) : Usage("languages takes no arguments");
        if (call.command == "highlight")
            return call.operands.size() == 1 ? Highlight(call) : Usage("highlight needs one FILE");
        if (call.command == "comment" || call.command == "uncomment")
            return call.operands.size() == 3 ? Comment(call) : Usage(call.command + " needs FILE FIRST_LINE LAST_LINE");
        return Usage("unknown command '" + call.command + "'");
    }

private:
    int Usage(const std::string& message)
    {
        err_ << "varnel: " << message << "\n" << kUsage;
        return kBadUsage;
    }

    int Fail(const std::string& message)
    {
        err_ << "varnel: " << message << "\n";
        return kFailed;
    }

    bool Parse(const std::vector<std::string>& args, Invocation* call)
    {
        if (const char* settings = std::getenv("VARNEL_SETTINGS"))
            call->settings = settings;
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& arg = args[i];
            const bool hasValue = i + 1 < args.size();
            if (arg == "--modules" || arg == "--settings" || arg == "--language") {
                if (!hasValue) {
                    Usage(arg + " needs a value");
                    return false;
                }
                std::string& target = arg == "--modules" ? call->modules
                                      : arg == "--settings" ? call->settings : call->language;
                target = args[++i];
            } else if (arg == "--html") {
                call->format = HighlightFormat::Html;
            } else if (arg == "--runs") {
                call->format = HighlightFormat::Runs;
            } else if (arg == "--plain") {
                call->format = HighlightFormat::Plain;
            } else if (arg == "--stdout") {
                call->toStdout = true;
            } else if (arg == "--help" || arg == "-h") {
                call->command = "help";
            } else if (arg.size() > 1 && arg[0] == '-') {
                Usage("unknown option '" + arg + "'");
                return false;
            } else if (call->command.empty()) {
                call->command = arg;
            } else {
                call->operands.push_back(arg);
            }
        }
        if (call->command.empty()) {
            Usage("no command given");
            return false;
        }
        if (call->modules.empty())
            call->modules = ExecutableFolder();
        return true;
    }

    // Loads the plug-ins; false (with the message written) when there are none.
    bool LoadPlugins(const Invocation& call, bool quiet)
    {
        const std::string folder = LanguagesFolder(call.modules);
        if (!IsFolder(folder)) {
            Fail("no module folder " + folder);
            return false;
        }
        plugins_ = LoadLanguagePlugins(folder);
        if (!quiet) {
            for (const std::string& error : plugins_.errors)
                err_ << "varnel: refused plug-in " << error << "\n";
        }
        if (plugins_.plugins.empty()) {
            Fail("no language plug-ins in " + folder);
            return false;
        }
        return true;
    }

    int Languages(const Invocation& call)
    {
        if (!LoadPlugins(call, false))
            return kFailed;
        for (const LanguagePlugin& plugin : plugins_.plugins) {
            const StyleTable styles = StyleTable::FromPairs(plugin.styles);
            out_ << plugin.name << " (" << plugin.moduleName << ")\n"
                 << "  patterns:     " << plugin.extensions << "\n"
                 << "  keyword file: " << plugin.keywordFile << "\n"
                 << "  styles:       " << styles.Count() << "\n"
                 << "  services:    ";
            const std::vector<std::string> services = plugin.Services();
            if (services.empty())
                out_ << " none";
            for (const std::string& service : services)
                out_ << ' ' << service;
            out_ << "\n";
        }
        WriteToolList(out_, ExtensionsFolder(call.modules));
        return plugins_.errors.empty() ? 0 : kFailed;
    }

    // The plug-in for the file (or the one named by --language), or null with the message written.
    const LanguagePlugin* ChooseLanguage(const Invocation& call, const std::string& file)
    {
        if (!call.language.empty()) {
            const LanguagePlugin* plugin = FindLanguageByName(plugins_, call.language);
            if (plugin == nullptr)
                Fail("unknown language '" + call.language + "'");
            return plugin;
        }
        const LanguagePlugin* plugin = FindLanguageForFile(plugins_, file);
        if (plugin == nullptr)
            Fail("no language plug-in claims " + FileName(file) + " (name one with --language)");
        return plugin;
    }

    int Highlight(const Invocation& call)
    {
        const std::string& file = call.operands[0];
        const std::optional<std::string> text = ReadFile(file);
        if (!text)
            return Fail("cannot read " + file);
        if (!LoadPlugins(call, false))
            return kFailed;
        const LanguagePlugin* plugin = ChooseLanguage(call, file);
        if (plugin == nullptr)
            return kFailed;
        const Language language = PrepareLanguage(*plugin, call.settings);
        Document document(*text);
        document.StyleAll(language.MakeStyler());
        WriteHighlighted(out_, document, language.styles, call.format, FileName(file));
        return 0;
    }

    static bool ParseLineNumber(const std::string& text, int* number)
    {
        if (text.empty() || text.size() > 9)
            return false;
        int value = 0;
        for (char c : text) {
            if (c < '0' || c > '9')
                return false;
            value = value * 10 + (c - '0');
        }
        *number = value;
        return true;
    }

    int Comment(const Invocation& call)
    {
        const std::string& file = call.operands[0];
        int first = 0;
        int last = 0;
        if (!ParseLineNumber(call.operands[1], &first) || !ParseLineNumber(call.operands[2], &last))
            return Usage("line numbers must be whole numbers from 1");
        const std::optional<std::string> text = ReadFile(file);
        if (!text)
            return Fail("cannot read " + file);
        Document document(*text);
        // A final line end closes the last line; it does not open another.
        const bool endsWithLineEnd = !text->empty() && text->back() == '\n';
        const int lines = text->empty() ? 0 : document.LineCount() - (endsWithLineEnd ? 1 : 0);
        if (first < 1 || last < first || last > lines) {
            std::ostringstream message;
            message << "lines " << call.operands[1] << " to " << call.operands[2] << " are not in "
                    << file << " (" << lines << (lines == 1 ? " line)" : " lines)");
            return Fail(message.str());
        }
        if (!LoadPlugins(call, false))
            return kFailed;
        const LanguagePlugin* plugin = ChooseLanguage(call, file);
        if (plugin == nullptr)
            return kFailed;
        const Language language = PrepareLanguage(*plugin, call.settings);
        const bool comment = call.command == "comment";
        if (!ToggleLineComments(document, language, first - 1, last - 1, comment))
            return Fail(plugin->name + " has no " + (comment ? "CommentLine" : "UncommentLine"));
        if (call.toStdout) {
            out_ << document.Text();
            return 0;
        }
        if (!WriteFile(file, document.Text()))
            return Fail("cannot write " + file);
        return 0;
    }

    std::ostream& out_;
    std::ostream& err_;
    PluginSet plugins_;
};

} // namespace

int RunVarnel(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Cli cli(out, err);
    return cli.Run(args);
}

} // namespace varnel
