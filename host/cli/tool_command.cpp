#include "tool_command.h"

#include "commands.h"
#include "file_system.h"
#include "text_proxy.h"
#include "tool_loader.h"

#include <CLI/CLI.hpp>

#include <climits>
#include <iterator>
#include <memory>
#include <optional>

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace varnel {

namespace {

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

int Fail(std::ostream& err, const std::string& message)
{
    err << "varnel: " << message << "\n";
    return kFailed;
}

struct ToolArguments {
    std::string name;
    std::string file;
    std::vector<std::string> selection;
    bool toStdout = false;
};

int RunTool(CommandContext& context, const ToolArguments& arguments)
{
    ToolCommand options;
    options.modules = context.Options().modules;
    options.name = arguments.name;
    options.file = arguments.file;
    options.toStdout = arguments.toStdout;
    if (!arguments.selection.empty()) {
        const std::optional<int> start = ParseCount(context, arguments.selection[0], "START");
        if (!start)
            return kBadUsage;
        const std::optional<int> length = ParseCount(context, arguments.selection[1], "LENGTH");
        if (!length)
            return kBadUsage;
        options.hasSelection = true;
        options.selectionStart = *start;
        options.selectionLength = *length;
    }
    return RunToolCommand(options, context.Streams().in, context.Out(), context.Err());
}

} // namespace

int RunToolCommand(const ToolCommand& options, std::istream& in, std::ostream& out, std::ostream& err)
{
    const std::string folder = ExtensionsFolder(options.modules);
    const ToolSet set = LoadToolExtensions(folder);
    const ToolExtension* tool = FindTool(set, options.name);
    if (tool == nullptr)
        return Fail(err, "no tool extension '" + options.name + "' in " + folder);

    const bool untitled = options.file == kStandardInput;
    std::optional<std::string> text;
    std::string reason;
    if (untitled)
        text = std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    else
        text = ReadFile(options.file, &reason);
    if (!text)
        return Fail(err, "cannot read " + options.file + (reason.empty() ? "" : ": " + reason));
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
        return kDone;
    }
    if (result != *text && !WriteFile(options.file, result, &reason))
        return Fail(err, "cannot write " + options.file + ": " + reason + " (the file is unchanged)");
    return kDone;
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

Command AddToolCommand(CLI::App& varnel)
{
    auto arguments = std::make_shared<ToolArguments>();
    CLI::App* app = varnel.add_subcommand("tool", "run a tool extension on a file (in place)");
    app->add_option("NAME", arguments->name, "the tool extension, e.g. Dunetool")->required();
    app->add_option("FILE", arguments->file,
                    "the file ('-': a never-saved document from standard input, written to standard output)")
        ->required();
    app->add_option("--selection", arguments->selection, "the selection: START and LENGTH in bytes")
        ->expected(2)
        ->type_name("START LENGTH");
    app->add_flag("--stdout", arguments->toStdout, "print the result and leave the file as it is");
    return {app, [arguments](CommandContext& context) { return RunTool(context, *arguments); }};
}

} // namespace varnel
