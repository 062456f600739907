// varnel comment / uncomment: lines (or an exact selection) commented out or back in,
// in place or on standard output. Plug-ins that comment selections get the selection
// from the start of line FIRST to the end of line LAST; plug-ins that comment lines get
// the lines the selection touches.
#include "commands.h"

#include "file_system.h"
#include "selection_comments.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace varnel {

namespace {

struct CommentOptions {
    std::string file;
    std::string first;                  // FIRST and LAST, or neither
    std::string last;
    std::vector<std::string> selection; // START LENGTH, or nothing
    bool toStdout = false;
};

// What is to be commented, in the document's buffer: a selection and the lines it
// touches (0-based, inclusive).
struct Target {
    int start = 0;
    int end = 0;
    int firstLine = 0;
    int lastLine = 0;
};

int LineOf(const Document& document, int offset)
{
    int line = 0;
    while (line + 1 < document.LineCount() && document.LineStart(line + 1) <= offset)
        ++line;
    return line;
}

int Comment(CommandContext& context, const CommentOptions& options, bool comment)
{
    const bool byLines = !options.first.empty() || !options.last.empty();
    const bool bySelection = !options.selection.empty();
    if (byLines == bySelection)
        return context.Usage(byLines ? "give the lines FIRST LAST or --selection START LENGTH, not both"
                                     : "give the lines FIRST LAST or --selection START LENGTH");
    if (byLines && options.last.empty())
        return context.Usage("LAST is required");
    const std::vector<std::string> numbers = byLines ? std::vector<std::string>{options.first, options.last}
                                                     : options.selection;
    const std::optional<int> a = ParseCount(context, numbers[0], byLines ? "FIRST" : "START");
    if (!a)
        return kBadUsage;
    const std::optional<int> b = ParseCount(context, numbers[1], byLines ? "LAST" : "LENGTH");
    if (!b)
        return kBadUsage;
    if (byLines && *a == 0)
        return context.Usage("lines count from 1, so FIRST cannot be 0");
    if (byLines && *a > *b)
        return context.Usage("the line range is reversed: FIRST " + numbers[0] + " is after LAST " + numbers[1]);
    std::optional<Input> input = context.Open(options.file);
    if (!input)
        return kFailed;
    Document& document = input->document;

    Target target;
    if (byLines) {
        const int lines = document.TextLineCount();
        if (*b > lines)
            return context.Fail("lines " + numbers[0] + " to " + numbers[1] + " are not in " + options.file + " (" +
                                std::to_string(lines) + (lines == 1 ? " line)" : " lines)"));
        target.firstLine = *a - 1;
        target.lastLine = *b - 1;
        target.start = document.LineStart(target.firstLine);
        // Up to the end of LAST with its line feed, so that a closing marker at the end
        // of the line lies inside the selection.
        target.end = document.LineStart(target.lastLine) + static_cast<int>(document.Line(target.lastLine).size());
    } else {
        const long long endOffset = static_cast<long long>(*a) + *b;
        if (endOffset > document.FileSize())
            return context.Fail("the selection " + numbers[0] + " " + numbers[1] + " is not in " + options.file + " (" +
                                std::to_string(document.FileSize()) + " bytes)");
        target.start = document.BufferOffset(*a);
        target.end = document.BufferOffset(static_cast<int>(endOffset));
        target.firstLine = LineOf(document, target.start);
        // A selection that ends at the start of a line does not take that line in.
        target.lastLine = LineOf(document, target.end > target.start ? target.end - 1 : target.end);
    }

    const LanguagePlugin& plugin = *input->language.plugin;
    const bool selections = plugin.commentSelection != nullptr || plugin.uncommentSelection != nullptr;
    const bool lines = plugin.commentLine != nullptr || plugin.uncommentLine != nullptr;
    if (!selections && !lines)
        return context.Fail(plugin.name + " offers no commenting: it has neither CommentLine nor CommentSelection");
    const bool done = selections ? ToggleSelectionComments(document, input->language, target.start, target.end, comment)
                                 : ToggleLineComments(document, input->language, target.firstLine, target.lastLine,
                                                      comment);
    if (!done) {
        const char* entry = selections ? (comment ? "CommentSelection" : "UncommentSelection")
                                       : (comment ? "CommentLine" : "UncommentLine");
        return context.Fail(plugin.name + " has no " + entry);
    }
    context.ReportRefusals(*input);
    if (options.toStdout || options.file == kStandardInput) {
        context.Out() << document.FileText();
        return kDone;
    }
    std::string reason;
    if (!WriteFile(options.file, document.FileText(), &reason))
        return context.Fail("cannot write " + options.file + ": " + reason + " (the file is unchanged)");
    return kDone;
}

} // namespace

Command AddCommentCommand(CLI::App& varnel, bool comment)
{
    auto options = std::make_shared<CommentOptions>();
    CLI::App* app = varnel.add_subcommand(
        comment ? "comment" : "uncomment",
        comment ? "comment lines FIRST to LAST (or a selection) out, in place"
                : "comment lines FIRST to LAST (or a selection) back in, in place");
    app->add_option("FILE", options->file, "the file ('-': standard input, written to standard output)")->required();
    app->add_option("FIRST", options->first,
                    "the first line (lines count from 1); markup is commented from the start of FIRST...");
    app->add_option("LAST", options->last, "...to the end of LAST");
    app->add_option("--selection", options->selection,
                    "an exact selection instead of lines: START and LENGTH in bytes (plug-ins that comment "
                    "lines take the lines it touches)")
        ->expected(2)
        ->type_name("START LENGTH");
    app->add_flag("--stdout", options->toStdout, "print the result and leave the file as it is");
    return {app, [options, comment](CommandContext& context) { return Comment(context, *options, comment); }};
}

} // namespace varnel
