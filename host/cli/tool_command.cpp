#include "tool_command.h"

#include "file_system.h"
#include "text_proxy.h"
#include "tool_loader.h"

#include <climits>
#include <iterator>
#include <optional>

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace varnel {

namespace {

constexpr int kFailed = 1;
constexpr int kBadUsage = 2;

const char kToolUsage[] =
    "usage: varnel [--modules FOLDER] tool NAME FILE [--selection START LENGTH] [--stdout]\n";

// The full path an extension is given for the file: absolute, as the editor gives it.
std::string FullPath(const std::string& file)
{
#if defined(_WIN32)
    char buffer[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(file.c_str(), sizeof buffer, buffer, nullptr);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : file;
#else
    if (char* resolved = realpath(file.c_str(), nullptr)) {
        std::string path = resolved;
        std::free(resolved);
        return path;
    }
    return file;
#endif
}

bool ParseCount(const std::string& text, int* value)
{
    if (text.empty() || text.size() > 10)
        return false;
    long long number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
    }
    if (number > INT_MAX)
        return false;
    *value = static_cast<int>(number);
    return true;
}

int Usage(std::ostream& err, const std::string& message)
{
    err << "varnel: " << message << "\n" << kToolUsage;
    return kBadUsage;
}

int Fail(std::ostream& err, const std::string& message)
{
    err << "varnel: " << message << "\n";
    return kFailed;
}

} // namespace

int RunToolCommand(const ToolCommand& options, std::istream& in, std::ostream& out, std::ostream& err)
{
    const std::string folder = ExtensionsFolder(options.modules);
    const ToolSet set = LoadToolExtensions(folder);
    const ToolExtension* tool = FindTool(set, options.name);
    if (tool == nullptr)
        return Fail(err, "no tool extension '" + options.name + "' in " + folder);

    const bool untitled = options.file == "-";
    std::optional<std::string> text;
    if (untitled)
        text = std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    else
        text = ReadFile(options.file);
    if (!text)
        return Fail(err, "cannot read " + options.file);
    if (text->size() > static_cast<std::size_t>(INT_MAX))
        return Fail(err, options.file + " is too large");

    TextProxy document(*text, untitled ? std::nullopt : std::optional<std::string>(FullPath(options.file)));
    if (options.hasSelection && document.Select(options.selectionStart, options.selectionLength) != 0)
        return Fail(err, "the selection " + std::to_string(options.selectionStart) + " " +
                             std::to_string(options.selectionLength) + " is not in " + options.file);

    const int code = tool->perform(document);
    if (code != 0)
        return Fail(err, tool->name + " failed with code " + std::to_string(code) + "; " +
                             (untitled ? "nothing written" : options.file + " left unchanged"));
    const std::string result = document.Text();
    if (untitled || options.toStdout) {
        out << result;
        out.flush();
        return out ? 0 : Fail(err, "cannot write the result");
    }
    if (result != *text && !WriteFile(options.file, result))
        return Fail(err, "cannot write " + options.file);
    return 0;
}

bool IsToolCommand(const std::vector<std::string>& args)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--modules" || args[i] == "--settings") {
            ++i;
            continue;
        }
        return args[i] == "tool";
    }
    return false;
}

int RunToolCommandLine(const std::vector<std::string>& args, const std::string& defaultModules,
                       std::istream& in, std::ostream& out, std::ostream& err)
{
    ToolCommand options;
    options.modules = defaultModules;
    std::vector<std::string> operands;
    bool seenCommand = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::size_t values = i + 1 < args.size() ? args.size() - i - 1 : 0;
        if (arg == "--modules" || arg == "--settings") {
            if (values < 1)
                return Usage(err, arg + " needs a value");
            if (arg == "--modules")
                options.modules = args[i + 1];
            ++i;
        } else if (arg == "--selection") {
            if (values < 2 || !ParseCount(args[i + 1], &options.selectionStart) ||
                !ParseCount(args[i + 2], &options.selectionLength))
                return Usage(err, "--selection needs START and LENGTH, whole numbers from 0");
            options.hasSelection = true;
            i += 2;
        } else if (arg == "--stdout") {
            options.toStdout = true;
        } else if (arg != "-" && arg.size() > 1 && arg[0] == '-') {
            return Usage(err, "unknown option '" + arg + "'");
        } else if (!seenCommand) {
            seenCommand = true; // "tool"
        } else {
            operands.push_back(arg);
        }
    }
    if (operands.size() != 2)
        return Usage(err, "tool needs NAME and FILE");
    options.name = operands[0];
    options.file = operands[1];
    return RunToolCommand(options, in, out, err);
}

void WriteToolList(std::ostream& out, const std::string& extensionsFolder)
{
    const ToolSet set = LoadToolExtensions(extensionsFolder);
    out << "tool extensions:";
    if (set.tools.empty() && set.errors.empty())
        out << " none";
    out << "\n";
    for (const ToolExtension& tool : set.tools)
        out << "  " << tool.name << "\n";
    for (const std::string& error : set.errors)
        out << "  refused " << error << "\n";
}

} // namespace varnel
