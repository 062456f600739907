#include "command_context.h"

#include "file_system.h"

#include <vector>

namespace varnel {

int CommandContext::Fail(const std::string& message)
{
    Err() << "varnel: " << message << "\n";
    return kFailed;
}

int CommandContext::Usage(const std::string& message)
{
    Err() << "varnel: " << message << "\nRun 'varnel --help' for the commands and their options.\n";
    return kBadUsage;
}

bool CommandContext::LoadPlugins(bool reportRefused)
{
    const std::string folder = LanguagesFolder(options_.modules);
    if (!IsFolder(folder)) {
        Fail("no module folder " + folder);
        return false;
    }
    plugins_ = LoadLanguagePlugins(folder);
    if (reportRefused) {
        for (const std::string& error : plugins_.errors)
            Err() << "varnel: refused plug-in " << error << "\n";
    }
    if (plugins_.plugins.empty()) {
        Fail("no language plug-ins in " + folder);
        return false;
    }
    return true;
}

const LanguagePlugin* CommandContext::ChooseLanguage(const std::string& path)
{
    if (!options_.language.empty()) {
        const LanguagePlugin* plugin = FindLanguageByName(plugins_, options_.language);
        if (plugin == nullptr)
            Fail("unknown language '" + options_.language + "'");
        return plugin;
    }
    if (path == kStandardInput) {
        Fail("name the language of standard input with --language NAME");
        return nullptr;
    }
    const LanguagePlugin* plugin = FindLanguageForFile(plugins_, path);
    if (plugin == nullptr)
        Fail("no language plug-in claims " + FileName(path) + " (name one with --language)");
    return plugin;
}

std::optional<std::string> CommandContext::ReadInput(const std::string& path)
{
    std::string bytes;
    if (path == kStandardInput) {
        // In large pieces, not character by character.
        std::vector<char> chunk(65536);
        for (;;) {
            console_.in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            bytes.append(chunk.data(), static_cast<std::size_t>(console_.in.gcount()));
            if (!console_.in)
                break;
        }
        if (console_.in.bad()) {
            Fail("cannot read standard input");
            return std::nullopt;
        }
        return bytes;
    }
    std::string reason;
    std::optional<std::string> read = ReadFile(path, &reason);
    if (!read)
        Fail("cannot read " + path + ": " + reason);
    return read;
}

std::optional<Input> CommandContext::Open(const std::string& path)
{
    std::optional<std::string> bytes = ReadInput(path);
    if (!bytes)
        return std::nullopt;
    if (!LoadPlugins(true))
        return std::nullopt;
    const LanguagePlugin* plugin = ChooseLanguage(path);
    if (plugin == nullptr)
        return std::nullopt;
    return Input{path, Document(std::move(*bytes)), PrepareLanguage(*plugin, options_.settings)};
}

void CommandContext::ReportRefusals(const Input& input)
{
    const LanguagePlugin& plugin = *input.language.plugin;
    for (const std::string& refusal : input.document.Refusals())
        Err() << "varnel: warning: " << plugin.name << " (" << plugin.moduleName << ") made a call the host refused: "
              << refusal << "\n";
    if (input.document.Refusals().size() >= Document::kMaxRefusals)
        Err() << "varnel: warning: further refused calls are not shown\n";
}

} // namespace varnel
