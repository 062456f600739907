// What every varnel command shares: the streams, the options that choose modules and
// language, reading the input and reporting failures.
#pragma once

#include "cli.h"
#include "document.h"
#include "language.h"
#include "plugin_loader.h"

#include <optional>
#include <string>
#include <vector>

namespace varnel {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kBadUsage = 2;

// The standard-input stand-in for a FILE argument.
inline constexpr char kStandardInput[] = "-";

struct GlobalOptions {
    std::string modules;  // the folder holding Languages/ (default: the program's folder)
    std::string settings; // the user's keyword files
    std::string language; // --language: overrides the choice by file name
};

// A file (or standard input) read into a document, with the plug-in chosen for it.
struct Input {
    std::string path; // as given; "-" for standard input
    Document document;
    Language language;
};

class CommandContext {
public:
    CommandContext(const Console& console, GlobalOptions options)
        : console_(console), options_(std::move(options)) {}

    std::ostream& Out() { return console_.out; }
    std::ostream& Err() { return console_.err; }
    const Console& Streams() const { return console_; }
    const GlobalOptions& Options() const { return options_; }

    // Writes "varnel: message" and answers kFailed (or kBadUsage).
    int Fail(const std::string& message);
    int Usage(const std::string& message);

    // Loads every plug-in; false (with the message written) when there are none.
    bool LoadPlugins(bool reportRefused);
    // The plug-ins loaded: all of them after LoadPlugins, those up to the one chosen
    // after Open or LanguageFor.
    const PluginSet& Plugins() const { return plugins_; }

    // Reads FILE (or standard input for "-") and prepares the plug-in that claims it,
    // or the one --language names (as LanguageFor does). nullopt with the message
    // written on failure.
    std::optional<Input> Open(const std::string& path);

    // Prepares the plug-in for FILE (or standard input for "-") without reading it:
    // the one --language names, or the one that claims the file. Only the modules up to
    // that one are loaded. nullopt with the message written on failure.
    std::optional<Language> LanguageFor(const std::string& path);

    // Writes what the plug-in did that the host refused, as warnings.
    void ReportRefusals(const Input& input);
    void ReportRefusals(const LanguagePlugin& plugin, const std::vector<std::string>& refusals);

    // The bytes of FILE (or standard input for "-"); nullopt with the message written.
    std::optional<std::string> ReadInput(const std::string& path);
    // Loads the plug-ins up to the one --language names, or the one that claims the
    // file, and answers it; null with the message written when there is none.
    const LanguagePlugin* ChooseLanguage(const std::string& path);

private:
    Console console_;
    GlobalOptions options_;
    PluginSet plugins_;
};

} // namespace varnel
