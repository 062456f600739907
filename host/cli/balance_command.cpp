// varnel balance: a selection widened to the pair of brackets (or tags) around it.
#include "commands.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace varnel {

namespace {

struct BalanceOptions {
    std::string file;
    std::string start;
    std::string end;
};

int Balance(CommandContext& context, const BalanceOptions& options)
{
    const std::optional<int> start = ParseCount(context, options.start, "START");
    if (!start)
        return kBadUsage;
    const std::optional<int> end = ParseCount(context, options.end, "END");
    if (!end)
        return kBadUsage;
    if (*start > *end)
        return context.Usage("the selection is reversed: START " + options.start + " is after END " + options.end);
    std::optional<Input> input = context.Open(options.file);
    if (!input)
        return kFailed;
    const Document& document = input->document;
    if (*end > document.FileSize())
        return context.Fail("offset " + options.end + " is beyond the end of " + options.file + " (" +
                            std::to_string(document.FileSize()) + " bytes)");
    int selStart = document.BufferOffset(*start);
    int selEnd = document.BufferOffset(*end);
    const bool found = BalanceSelection(input->document, input->language, &selStart, &selEnd);
    context.ReportRefusals(*input);
    if (!found)
        return context.Fail("no pair encloses " + options.start + ".." + options.end);
    context.Out() << document.FileOffset(selStart) << ' ' << document.FileOffset(selEnd) << '\n';
    return kDone;
}

} // namespace

Command AddBalanceCommand(CLI::App& varnel)
{
    auto options = std::make_shared<BalanceOptions>();
    CLI::App* app = varnel.add_subcommand(
        "balance", "widen the selection START..END (byte offsets) to the text between the pair enclosing it");
    app->add_option("FILE", options->file, "the file ('-': standard input)")->required();
    app->add_option("START", options->start, "where the selection starts")->required();
    app->add_option("END", options->end, "where it ends (START again for a caret)")->required();
    return {app, [options](CommandContext& context) { return Balance(context, *options); }};
}

} // namespace varnel
