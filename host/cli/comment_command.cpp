// varnel comment / uncomment: lines commented out or back in, in place or on standard
// output.
#include "commands.h"

#include "file_system.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace varnel {

namespace {

struct CommentOptions {
    std::string file;
    std::string first;
    std::string last;
    bool toStdout = false;
};

int Comment(CommandContext& context, const CommentOptions& options, bool comment)
{
    const std::optional<int> first = ParseCount(context, options.first, "FIRST");
    if (!first)
        return kBadUsage;
    const std::optional<int> last = ParseCount(context, options.last, "LAST");
    if (!last)
        return kBadUsage;
    if (*first == 0)
        return context.Usage("lines count from 1, so FIRST cannot be 0");
    if (*first > *last)
        return context.Usage("the line range is reversed: FIRST " + options.first + " is after LAST " + options.last);
    std::optional<Input> input = context.Open(options.file);
    if (!input)
        return kFailed;
    Document& document = input->document;
    const int lines = document.TextLineCount();
    if (*last > lines)
        return context.Fail("lines " + options.first + " to " + options.last + " are not in " + options.file + " (" +
                            std::to_string(lines) + (lines == 1 ? " line)" : " lines)"));
    const LanguagePlugin& plugin = *input->language.plugin;
    if (!ToggleLineComments(document, input->language, *first - 1, *last - 1, comment))
        return context.Fail(plugin.name + " has no " + (comment ? "CommentLine" : "UncommentLine"));
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
    CLI::App* app = varnel.add_subcommand(comment ? "comment" : "uncomment",
                                          comment ? "comment lines FIRST to LAST out (in place)"
                                                  : "comment lines FIRST to LAST back in (in place)");
    app->add_option("FILE", options->file, "the file ('-': standard input, written to standard output)")->required();
    app->add_option("FIRST", options->first, "the first line (lines count from 1)")->required();
    app->add_option("LAST", options->last, "the last line")->required();
    app->add_flag("--stdout", options->toStdout, "print the result and leave the file as it is");
    return {app, [options, comment](CommandContext& context) { return Comment(context, *options, comment); }};
}

} // namespace varnel
