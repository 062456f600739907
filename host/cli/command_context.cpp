#include "command_context.h"

#include "file_system.h"

#include <functional>
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
    const std::string folder = LanguagesFolder(options_.modules);
    if (!IsFolder(folder)) {
        Fail("no module folder " + folder);
        return nullptr;
    }
    // Only the modules up to the one wanted are loaded: the plug-in is the first of
    // the folder that has the name asked for, or that claims the file.
    const std::string& name = options_.language;
    std::function<bool(const LanguagePlugin&)> wanted;
    if (!name.empty())
        wanted = [&name](const LanguagePlugin& plugin) { return HasLanguageName(plugin, name); };
    else if (path != kStandardInput)
        wanted = [&path](const LanguagePlugin& plugin) { return ClaimsFile(plugin, path); };
    else
        wanted = [](const LanguagePlugin&) { return false; }; // the folder's problems come first
    plugins_ = PluginSet{};
    const LanguagePlugin* plugin = LoadLanguagePluginsUntil(folder, wanted, &plugins_);
    for (const std::string& error : plugins_.errors)
        Err() << "varnel: refused plug-in " << error << "\n";
    if (plugins_.plugins.empty()) {
        Fail("no language plug-ins in " + folder);
        return nullptr;
    }
    if (plugin != nullptr)
        return plugin;
    if (!name.empty())
        Fail("unknown language '" + name + "'");
    else if (path == kStandardInput)
        Fail("name the language of standard input with --language NAME");
    else
        Fail("no language plug-in claims " + FileName(path) + " (name one with --language)");
    return nullptr;
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
    const LanguagePlugin* plugin = ChooseLanguage(path);
    if (plugin == nullptr)
        return std::nullopt;
    return Input{path, Document(std::move(*bytes)), PrepareLanguage(*plugin, options_.settings)};
}

std::optional<Language> CommandContext::LanguageFor(const std::string& path)
{
    const LanguagePlugin* plugin = ChooseLanguage(path);
    if (plugin == nullptr)
        return std::nullopt;
    return PrepareLanguage(*plugin, options_.settings);
}

void CommandContext::ReportRefusals(const Input& input)
{
    ReportRefusals(*input.language.plugin, input.document.Refusals());
}

void CommandContext::ReportRefusals(const LanguagePlugin& plugin, const std::vector<std::string>& refusals)
{
    for (const std::string& refusal : refusals)
        Err() << "varnel: warning: " << plugin.name << " (" << plugin.moduleName << ") made a call the host refused: "
              << refusal << "\n";
    if (refusals.size() >= Document::kMaxRefusals)
        Err() << "varnel: warning: further refused calls are not shown\n";
}

} // namespace varnel
