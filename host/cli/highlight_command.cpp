// varnel highlight: a file coloured line by line, the line state carried from each line
// to the next as the editor carries it. The file is read in pieces as it is coloured,
// and no line is kept once it is written: the memory used does not grow with the file.
#include "commands.h"

#include "file_system.h"
#include "highlight_output.h"
#include "line_reader.h"

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
    std::size_t pieceSize = LineReader::kPieceSize; // how much is read at a time
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
    if (options.file.empty() && context.Streams().inIsTerminal)
        return context.Usage("name a FILE, or '-' for standard input");
    const std::string path = options.file.empty() ? std::string(kStandardInput) : options.file;
    const bool standardInput = path == kStandardInput;
    std::unique_ptr<ByteSource> source;
    if (standardInput) {
        source = std::make_unique<StreamSource>(context.Streams().in);
    } else {
        std::string reason;
        source = FileSource::Open(path, &reason);
        if (source == nullptr)
            return context.Fail("cannot read " + path + ": " + reason);
    }
    const auto cannotRead = [&] {
        return context.Fail(standardInput ? std::string("cannot read standard input")
                                          : "cannot read " + path + ": " + source->Error());
    };
    // The first piece is read before the plug-ins are loaded: an input that cannot be
    // read is reported as before anything is written.
    LineReader reader(*source, options.pieceSize);
    if (!reader.Start())
        return cannotRead();
    std::optional<Language> language = context.LanguageFor(path);
    if (!language)
        return kFailed;
    const std::string title = standardInput ? "standard input" : FileName(path);
    std::vector<std::string> refusals;
    const bool read = StreamAndWrite(context.Out(), reader, language->MakeStyler(), language->styles,
                                     ChooseFormat(options, context.Streams().outIsTerminal), title, &refusals);
    context.ReportRefusals(*language->plugin, refusals);
    return read ? kDone : cannotRead();
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
    // For tests: small pieces put line ends at every place a piece boundary can fall.
    app->add_option("--piece-size", options->pieceSize, "bytes read at a time")->group("");
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
