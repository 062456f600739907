#include "plugin_loader.h"

#include "file_system.h"

#include <algorithm>
#include <cctype>

namespace varnel {

namespace {

template <typename Fn>
Fn Bind(const SharedLibrary& library, const char* name)
{
    return reinterpret_cast<Fn>(library.Symbol(name));
}

char Lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool WildcardMatch(const char* name, const char* nameEnd, const char* pattern, const char* patternEnd)
{
    // Greedy matching with backtracking to the last "*": linear in practice.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (name != nameEnd) {
        if (pattern != patternEnd && *pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (pattern != patternEnd && Lower(*pattern) == Lower(*name)) {
            ++pattern;
            ++name;
        } else if (star != nullptr) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (pattern != patternEnd && *pattern == '*')
        ++pattern;
    return pattern == patternEnd;
}

} // namespace

std::vector<std::string> LanguagePlugin::Services() const
{
    std::vector<std::string> services;
    if (styleLine != nullptr)
        services.push_back("StyleLine");
    if (scanForFunctions != nullptr)
        services.push_back("ScanForFunctions");
    if (balance != nullptr)
        services.push_back("Balance");
    if (commentLine != nullptr)
        services.push_back("CommentLine");
    if (uncommentLine != nullptr)
        services.push_back("UncommentLine");
    if (commentSelection != nullptr)
        services.push_back("CommentSelection");
    if (uncommentSelection != nullptr)
        services.push_back("UncommentSelection");
    return services;
}

bool LoadLanguagePlugin(const std::string& path, LanguagePlugin* plugin, std::string* error)
{
    std::string reason;
    std::unique_ptr<SharedLibrary> library = SharedLibrary::Open(path, &reason);
    if (library == nullptr) {
        *error = reason;
        return false;
    }
    LanguagePlugin p;
    p.path = path;
    p.moduleName = FileStem(path);
    p.getDataAddress = Bind<GetDataAddressFn>(*library, "GetDataAddress");
    if (p.getDataAddress == nullptr) {
        *error = "not a language plug-in (no GetDataAddress)";
        return false;
    }

    // The order in which the editor asks: four texts, the functions, then the styles.
    const char* textNames[] = {"kLanguageName", "kLanguageExtensions", "kLanguageKeywordFile",
                               "kLanguageKeywords"};
    const char* texts[4] = {};
    for (int i = 0; i < 4; ++i) {
        texts[i] = static_cast<const char*>(p.getDataAddress(textNames[i]));
        if (texts[i] == nullptr) {
            *error = std::string("missing data ") + textNames[i];
            return false;
        }
    }
    p.styleLine = Bind<StyleLineFn>(*library, "StyleLine");
    p.scanForFunctions = Bind<ScanForFunctionsFn>(*library, "ScanForFunctions");
    p.balance = Bind<BalanceFn>(*library, "Balance");
    p.commentLine = Bind<LineCommentFn>(*library, "CommentLine");
    p.uncommentLine = Bind<LineCommentFn>(*library, "UncommentLine");
    p.commentSelection = Bind<SelectionCommentFn>(*library, "CommentSelection");
    p.uncommentSelection = Bind<SelectionCommentFn>(*library, "UncommentSelection");
    p.styles = static_cast<StylePairs>(p.getDataAddress("kLanguageStyles"));
    if (p.styles == nullptr) {
        *error = "missing data kLanguageStyles";
        return false;
    }

    std::size_t nameLength = 0;
    while (nameLength <= kMaxLanguageNameLength && texts[0][nameLength] != '\0')
        ++nameLength;
    if (nameLength == 0) {
        *error = "empty language name";
        return false;
    }
    if (nameLength > kMaxLanguageNameLength) {
        *error = "language name longer than 28 characters";
        return false;
    }
    p.name = texts[0];
    p.extensions = texts[1];
    p.keywordFile = texts[2];
    p.defaultKeywords = texts[3];

    // A module may want to hear when it is taken into use and when it is let go.
    const auto init = Bind<ModuleHookFn>(*library, "Init");
    const auto cleanUp = Bind<ModuleHookFn>(*library, "CleanUp");
    if (init != nullptr)
        init();
    p.library = std::shared_ptr<SharedLibrary>(library.release(), [cleanUp](SharedLibrary* unloading) {
        if (cleanUp != nullptr)
            cleanUp();
        delete unloading;
    });
    *plugin = std::move(p);
    return true;
}

std::string LanguagesFolder(const std::string& moduleFolder)
{
    return JoinPath(moduleFolder, "Languages");
}

PluginSet LoadLanguagePlugins(const std::string& folder)
{
    PluginSet set;
    LoadModuleFolder(folder, LoadLanguagePlugin, &set.plugins, &set.errors);
    return set;
}

const LanguagePlugin* LoadLanguagePluginsUntil(const std::string& folder,
                                               const std::function<bool(const LanguagePlugin&)>& wanted,
                                               PluginSet* set)
{
    for (const std::string& file : ModuleFiles(folder)) {
        LanguagePlugin plugin;
        std::string error;
        if (!LoadLanguagePlugin(JoinPath(folder, file), &plugin, &error)) {
            set->errors.push_back(file + ": " + error);
            continue;
        }
        set->plugins.push_back(std::move(plugin));
        if (wanted(set->plugins.back()))
            return &set->plugins.back();
    }
    return nullptr;
}

bool MatchesPatterns(const std::string& fileName, const std::string& patterns)
{
    std::size_t start = 0;
    while (start <= patterns.size()) {
        std::size_t end = patterns.find(';', start);
        if (end == std::string::npos)
            end = patterns.size();
        if (end > start &&
            WildcardMatch(fileName.data(), fileName.data() + fileName.size(),
                          patterns.data() + start, patterns.data() + end))
            return true;
        start = end + 1;
    }
    return false;
}

bool ClaimsFile(const LanguagePlugin& plugin, const std::string& path)
{
    return MatchesPatterns(FileName(path), plugin.extensions);
}

bool HasLanguageName(const LanguagePlugin& plugin, const std::string& name)
{
    return plugin.name.size() == name.size() &&
           std::equal(name.begin(), name.end(), plugin.name.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

const LanguagePlugin* FindLanguageForFile(const PluginSet& set, const std::string& path)
{
    for (const LanguagePlugin& plugin : set.plugins) {
        if (ClaimsFile(plugin, path))
            return &plugin;
    }
    return nullptr;
}

const LanguagePlugin* FindLanguageByName(const PluginSet& set, const std::string& name)
{
    for (const LanguagePlugin& plugin : set.plugins) {
        if (HasLanguageName(plugin, name))
            return &plugin;
    }
    return nullptr;
}

} // namespace varnel
