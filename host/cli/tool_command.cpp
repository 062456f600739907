#include "tool_command.h"

#include "commands.h"
#include "document.h"
#include "file_system.h"
#include "text_proxy.h"
#include "tool_loader.h"

#include <CLI/CLI.hpp>

#include <climits>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>
#endif

namespace varnel {

namespace {

#if !defined(_WIN32)
std::string LexicalPath(const std::string& path);
#endif

// The full path an extension is given for the file: absolute, as the editor gives it,
// and as given: a link in it is not resolved, so includes are looked for beside the
// path the user named, as on Windows.
std::string FullPath(const std::string& file)
{
#if defined(_WIN32)
    char buffer[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(file.c_str(), sizeof buffer, buffer, nullptr);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : file;
#else
    std::string path = file;
    if (path.empty() || path[0] != '/') {
        std::vector<char> folder(4096);
        if (getcwd(folder.data(), folder.size()) == nullptr)
            return file;
        path = std::string(folder.data()) + "/" + path;
    }
    return LexicalPath(path);
#endif
}

#if !defined(_WIN32)
// An absolute path with "." and ".." steps and repeated slashes folded by its text
// alone, as Windows folds them.
std::string LexicalPath(const std::string& path)
{
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (from <= path.size()) {
        std::size_t slash = path.find('/', from);
        if (slash == std::string::npos)
            slash = path.size();
        const std::string part = path.substr(from, slash - from);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        from = slash + 1;
    }
    std::string folded;
    for (const std::string& part : parts)
        folded += "/" + part;
    return folded.empty() ? "/" : folded;
}
#endif

// The line end most of the document's lines use (a line feed when none has one); the
// lines an extension adds get it.
LineEnd MostUsedLineEnd(const std::vector<LineEnd>& ends)
{
    int counts[4] = {};
    for (LineEnd end : ends)
        ++counts[static_cast<int>(end)];
    LineEnd most = LineEnd::Lf;
    for (LineEnd end : {LineEnd::CrLf, LineEnd::Cr}) {
        if (counts[static_cast<int>(end)] > counts[static_cast<int>(most)])
            most = end;
    }
    return most;
}

int Fail(std::ostream& err, const std::string& message)
{
    err << "varnel: " << message << "\n";
    return kFailed;
}

int FailUsage(std::ostream& err, const std::string& message)
{
    err << "varnel: " << message << "\n";
    return kBadUsage;
}

// After the document was read from standard input, a tool's form reads its answers
// from the terminal instead; false when there is none to read them from.
bool AnswersFromTerminal()
{
#if defined(_WIN32)
    return true; // Windows extensions answer through dialogs, not standard input
#else
    const int terminal = open("/dev/tty", O_RDONLY | O_CLOEXEC);
    if (terminal < 0)
        return false;
    const bool moved = dup2(terminal, STDIN_FILENO) == STDIN_FILENO;
    close(terminal);
    std::clearerr(stdin);
    std::cin.clear();
    return moved;
#endif
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

std::string ToolFilePath(const std::string& file)
{
    return FullPath(file);
}

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
    if (untitled && &in == &std::cin && !AnswersFromTerminal())
        return FailUsage(err, "the document comes from standard input, so " + tool->name +
                                  " would have no input left for its answers, and there is no terminal to "
                                  "read them from: give the document as a FILE");

    // The extension sees the lines joined by line feeds, as the editor shows them; each
    // line goes back with its own line end.
    const Document lines(*text);
    std::vector<LineEnd> ends;
    for (int line = 0; line + 1 < lines.LineCount(); ++line)
        ends.push_back(lines.EndOf(line));
    TextProxy document(lines.Text(), untitled ? std::nullopt : std::optional<std::string>(FullPath(options.file)));
    document.KeepLineEnds(ends);
    if (options.hasSelection) {
        // The selection is given in the file's bytes and goes to the extension in the
        // editor's view.
        const int size = lines.FileSize();
        const bool inside = options.selectionStart >= 0 && options.selectionLength >= 0 &&
                            options.selectionStart <= size && options.selectionLength <= size - options.selectionStart;
        const int start = inside ? lines.BufferOffset(options.selectionStart) : 0;
        const int end = inside ? lines.BufferOffset(options.selectionStart + options.selectionLength) : 0;
        if (!inside || document.Select(start, end - start) != 0)
            return Fail(err, "the selection " + std::to_string(options.selectionStart) + " " +
                                 std::to_string(options.selectionLength) + " is not in " + options.file);
    }

    const int code = tool->perform(document);
    if (code != 0)
        return Fail(err, tool->name + " failed with code " + std::to_string(code) + "; " +
                             (untitled ? "nothing written" : options.file + " left unchanged"));
    const std::string result = document.FileText(MostUsedLineEnd(ends));
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
