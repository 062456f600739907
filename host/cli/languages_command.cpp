// varnel languages: the plug-ins found, with their patterns and services.
#include "commands.h"

#include "style_table.h"

#include <CLI/CLI.hpp>

namespace varnel {

namespace {

int ListLanguages(CommandContext& context)
{
    if (!context.LoadPlugins(true))
        return kFailed;
    std::ostream& out = context.Out();
    for (const LanguagePlugin& plugin : context.Plugins().plugins) {
        const StyleTable styles = StyleTable::FromPairs(plugin.styles);
        out << plugin.name << " (" << plugin.moduleName << ")\n"
            << "  patterns:     " << plugin.extensions << "\n"
            << "  keyword file: " << plugin.keywordFile << "\n"
            << "  styles:       " << styles.Count() << "\n"
            << "  services:    ";
        const std::vector<std::string> services = plugin.Services();
        if (services.empty())
            out << " none";
        for (const std::string& service : services)
            out << ' ' << service;
        out << "\n";
    }
    return context.Plugins().errors.empty() ? kDone : kFailed;
}

} // namespace

Command AddLanguagesCommand(CLI::App& varnel)
{
    CLI::App* app = varnel.add_subcommand("languages", "list the language plug-ins, their patterns and services");
    return {app, ListLanguages};
}

} // namespace varnel
