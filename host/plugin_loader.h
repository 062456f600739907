// Finding and binding language plug-ins.
#pragma once

#include "module_api.h"
#include "shared_library.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace varnel {

constexpr std::size_t kMaxLanguageNameLength = 28;

struct LanguagePlugin {
    std::string path;        // the module file
    std::string moduleName;  // its file name without folder and suffix
    std::string name;        // kLanguageName
    std::string extensions;  // kLanguageExtensions: patterns separated by ";"
    std::string keywordFile; // kLanguageKeywordFile
    const char* defaultKeywords = nullptr; // kLanguageKeywords, owned by the module
    StylePairs styles = nullptr;           // kLanguageStyles, owned by the module

    GetDataAddressFn getDataAddress = nullptr;
    StyleLineFn styleLine = nullptr;
    ScanForFunctionsFn scanForFunctions = nullptr;
    BalanceFn balance = nullptr;
    LineCommentFn commentLine = nullptr;
    LineCommentFn uncommentLine = nullptr;
    SelectionCommentFn commentSelection = nullptr;
    SelectionCommentFn uncommentSelection = nullptr;

    // The exported functions the module offers, in a fixed order.
    std::vector<std::string> Services() const;

    std::shared_ptr<SharedLibrary> library; // the last copy to go unloads the module
};

// Loads and binds one module; calls its Init, when it has one, once the module is
// taken, and its CleanUp just before the module is unloaded. On failure answers false with the reason in *error:
// the module does not load, has no GetDataAddress, lacks one of the five data items,
// or has a language name that is empty or longer than 28 characters.
bool LoadLanguagePlugin(const std::string& path, LanguagePlugin* plugin, std::string* error);

struct PluginSet {
    std::vector<LanguagePlugin> plugins; // sorted by module file name
    std::vector<std::string> errors;     // one "file: reason" per refused module
};

// The folder of language plug-ins inside a module folder (an installation, or the
// folder of the running program): its Languages/ folder.
std::string LanguagesFolder(const std::string& moduleFolder);

// Loads every module in `folder` (files ending in the platform's module suffix).
PluginSet LoadLanguagePlugins(const std::string& folder);

// Loads the modules of `folder` in the same order, one at a time, and stops after the
// first plug-in for which `wanted` answers true: answers that plug-in (the last one in
// set->plugins), or null when no module has one, after loading them all. The plug-in is
// the one the whole set would give first, with only the modules before it loaded:
// modules after it are not loaded, nor reported when they would be refused.
const LanguagePlugin* LoadLanguagePluginsUntil(const std::string& folder,
                                               const std::function<bool(const LanguagePlugin&)>& wanted,
                                               PluginSet* set);

// True when the file name (without its folder) matches one of the ";"-separated
// wildcard patterns ("*" is any run of characters; letters match in either case).
bool MatchesPatterns(const std::string& fileName, const std::string& patterns);

// Whether the plug-in's patterns match the file's name (the path's last part).
bool ClaimsFile(const LanguagePlugin& plugin, const std::string& path);
// Whether the plug-in's language name is `name`, in either case.
bool HasLanguageName(const LanguagePlugin& plugin, const std::string& name);

// The first plug-in whose patterns match the file's name, or null.
const LanguagePlugin* FindLanguageForFile(const PluginSet& set, const std::string& path);
// The plug-in whose language name is `name` (either case), or null.
const LanguagePlugin* FindLanguageByName(const PluginSet& set, const std::string& name);

} // namespace varnel
