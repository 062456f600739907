// varnel functions: the function list and the include list of a file.
#include "commands.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace varnel {

namespace {

struct FunctionsOptions {
    std::string file;
    bool noIncludes = false;
    bool noPrototypes = false;
    bool noTypes = false;
};

// One entry a line: the entry's offset in the file, its label, and its name where the
// label says more than the name; "prototype" marks a declaration without a body.
void WriteFunctionList(std::ostream& out, const Document& document, const FunctionList& list)
{
    out << "functions:\n";
    for (const FunctionEntry& entry : list.functions) {
        if (entry.separator) {
            out << "  ----\n";
            continue;
        }
        out << "  " << document.FileOffset(entry.offset) << '\t' << entry.label;
        if (entry.name != entry.label)
            out << "\t(" << entry.name << ')';
        if (entry.prototype)
            out << "\tprototype";
        out << '\n';
    }
    out << "includes:\n";
    for (const IncludeEntry& entry : list.includes) {
        out << "  " << entry.label;
        if (entry.name != entry.label)
            out << "\t(" << entry.name << ')';
        out << '\n';
    }
}

int ListFunctions(CommandContext& context, const FunctionsOptions& options)
{
    int status = kDone;
    std::optional<Input> input = OpenFileOrStandardInput(context, options.file, &status);
    if (!input)
        return status;
    ListPreferences preferences;
    preferences.showIncludes = !options.noIncludes;
    preferences.showPrototypes = !options.noPrototypes;
    preferences.showTypes = !options.noTypes;
    FunctionList list;
    if (!ScanFunctions(input->document, input->language, preferences, &list))
        return context.Fail(input->language.plugin->name + " lists no functions (it has no ScanForFunctions)");
    WriteFunctionList(context.Out(), input->document, list);
    context.ReportRefusals(*input);
    return kDone;
}

} // namespace

Command AddFunctionsCommand(CLI::App& varnel)
{
    auto options = std::make_shared<FunctionsOptions>();
    CLI::App* app = varnel.add_subcommand("functions", "list the functions and includes of a file (offsets in bytes)");
    app->add_option("FILE", options->file, "the file to scan ('-': standard input)");
    app->add_flag("--no-includes", options->noIncludes, "the user does not want include entries");
    app->add_flag("--no-prototypes", options->noPrototypes, "the user does not want prototype entries");
    app->add_flag("--no-types", options->noTypes, "the user does not want type entries");
    return {app, [options](CommandContext& context) { return ListFunctions(context, *options); }};
}

} // namespace varnel
