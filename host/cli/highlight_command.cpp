// varnel highlight: a file coloured line by line, the line state carried from each line
// to the next as the editor carries it.
#include "commands.h"

#include "file_system.h"
#include "highlight_output.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace varnel {

namespace {

struct HighlightOptions {
    std::string file;
    bool ansi = false;
    bool html = false;
    bool runs = false;
    bool styled = false;
    bool plain = false;
};

HighlightFormat ChooseFormat(const HighlightOptions& options, bool toTerminal)
{
    if (options.html)
        return HighlightFormat::Html;
    if (options.runs)
        return HighlightFormat::Runs;
    if (options.styled)
        return HighlightFormat::Styled;
    if (options.plain)
        return HighlightFormat::Plain;
    return options.ansi || toTerminal ? HighlightFormat::Ansi : HighlightFormat::Plain;
}

int Highlight(CommandContext& context, const HighlightOptions& options)
{
    int status = kDone;
    std::optional<Input> input = OpenFileOrStandardInput(context, options.file, &status);
    if (!input)
        return status;
    const std::string title = input->path == kStandardInput ? "standard input" : FileName(input->path);
    StyleAndWrite(context.Out(), input->document, input->language.MakeStyler(), input->language.styles,
                  ChooseFormat(options, context.Streams().outIsTerminal), title);
    context.ReportRefusals(*input);
    return kDone;
}

} // namespace

Command AddHighlightCommand(CLI::App& varnel)
{
    auto options = std::make_shared<HighlightOptions>();
    CLI::App* app = varnel.add_subcommand(
        "highlight", "colour a file: terminal colours when writing to a terminal, else plain text");
    app->add_option("FILE", options->file, "the file to colour ('-': standard input)");
    CLI::Option* ansi = app->add_flag("--ansi", options->ansi, "terminal colours, also into a pipe or file");
    CLI::Option* html = app->add_flag("--html", options->html, "a self-contained HTML page");
    CLI::Option* runs = app->add_flag("--runs", options->runs, "each line's end state and style runs");
    CLI::Option* styled = app->add_flag("--styled", options->styled,
                                        "the text with {n} where style n starts, each line after its end state");
    CLI::Option* plain = app->add_flag("--plain", options->plain, "the text alone");
    const std::vector<CLI::Option*> formats = {ansi, html, runs, styled, plain};
    for (CLI::Option* format : formats) {
        for (CLI::Option* other : formats) {
            if (other != format)
                format->excludes(other);
        }
    }
    return {app, [options](CommandContext& context) { return Highlight(context, *options); }};
}

} // namespace varnel
