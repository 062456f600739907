// Calls the functions the language modules export with arbitrary text and arguments,
// each through a fresh host proxy, and checks what must hold whatever the input.
//
// Input: module byte, entry byte, flag byte, [keyword text: length byte and bytes],
// the entry's own arguments, and then the text (a line, a document or a data name).
//   flags bit 0: build the keyword matcher from the keyword text in the input instead
//                of the module's default text (the user's keyword file can hold anything)
//   flags bits 1-3: the function-list preferences (includes, prototypes, types)
//
// A run can be pinned to one module and one entry, so that a new export gets a run of its
// own: VARNEL_FUZZ_MODULE=<Deliverable> and VARNEL_FUZZ_ENTRY=<exported function name>
// (either alone narrows just that choice). The input's module and entry bytes are then
// read and ignored, so a corpus keeps its meaning for the rest of the input.
#include "fuzz_support.h"

#include "file_system.h"
#include "host_proxy.h"
#include "keyword_matcher.h"
#include "plugin_loader.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

using varnel::HostProxy;
using varnel::KeywordMatcher;
using varnel::LanguagePlugin;
using varnel::ProxyPurpose;
using varnel::fuzz::ByteReader;
using varnel::fuzz::PositionSeed;

// The entries in a fixed order, so that an input keeps choosing the same entry when a
// module starts exporting more of them.
enum class Entry {
    GetDataAddress,
    StyleLine,
    ScanForFunctions,
    Balance,
    CommentLine,
    UncommentLine,
    CommentSelection,
    UncommentSelection,
};
constexpr int kEntryCount = 8;

const char* const kEntryNames[kEntryCount] = {
    "GetDataAddress", "StyleLine", "ScanForFunctions", "Balance",
    "CommentLine", "UncommentLine", "CommentSelection", "UncommentSelection",
};

bool Offers(const LanguagePlugin& plugin, Entry entry)
{
    switch (entry) {
    case Entry::GetDataAddress: return plugin.getDataAddress != nullptr;
    case Entry::StyleLine: return plugin.styleLine != nullptr;
    case Entry::ScanForFunctions: return plugin.scanForFunctions != nullptr;
    case Entry::Balance: return plugin.balance != nullptr;
    case Entry::CommentLine: return plugin.commentLine != nullptr && plugin.uncommentLine != nullptr;
    case Entry::UncommentLine: return plugin.uncommentLine != nullptr;
    case Entry::CommentSelection: return plugin.commentSelection != nullptr;
    case Entry::UncommentSelection: return plugin.uncommentSelection != nullptr;
    }
    return false;
}

struct Module {
    const LanguagePlugin* plugin = nullptr;
    KeywordMatcher keywords; // from the module's default keyword text
    int styleCount = 0;
    // The line comment tokens, learnt by commenting a marker line.
    std::string open;
    std::string close;
};

struct LoadedModules {
    varnel::PluginSet set;
    std::vector<Module> modules;
};

const LoadedModules* g_loaded = nullptr;
int g_pinnedEntry = -1; // an Entry, or -1 when the input chooses

int CountStyles(varnel::StylePairs styles)
{
    int count = 0;
    while (styles[count][0] != nullptr)
        ++count;
    return count;
}

// CommentLine on a line holding only a marker byte leaves the opening token before it
// and the closing token (possibly empty) after it.
void LearnLineComment(Module& module)
{
    std::string line = "\x01";
    HostProxy proxy(line, module.keywords, module.styleCount, ProxyPurpose::Editing);
    module.plugin->commentLine(proxy);
    FUZZ_REQUIRE(proxy.Errors().empty(), "CommentLine made a call the host refused");
    const std::size_t marker = line.find('\x01');
    FUZZ_REQUIRE(marker != std::string::npos && line.find('\x01', marker + 1) == std::string::npos,
                 "CommentLine lost or repeated the line's text");
    module.open = line.substr(0, marker);
    module.close = line.substr(marker + 1);
    FUZZ_REQUIRE(!module.open.empty(), "CommentLine put no opening token before the line");
}

// Keeps only the module and entry named by VARNEL_FUZZ_MODULE and VARNEL_FUZZ_ENTRY.
void PinFromEnvironment(LoadedModules& loaded)
{
    if (const char* name = std::getenv("VARNEL_FUZZ_MODULE"); name != nullptr && *name != '\0') {
        std::vector<Module> kept;
        for (Module& module : loaded.modules) {
            if (module.plugin->moduleName == name)
                kept.push_back(std::move(module));
        }
        if (kept.empty()) {
            std::fprintf(stderr, "fuzz_module_exports: VARNEL_FUZZ_MODULE names no loaded module: %s\n", name);
            std::abort();
        }
        loaded.modules = std::move(kept);
    }
    const char* entry = std::getenv("VARNEL_FUZZ_ENTRY");
    if (entry == nullptr || *entry == '\0')
        return;
    for (int index = 0; index < kEntryCount; ++index) {
        if (std::strcmp(entry, kEntryNames[index]) == 0)
            g_pinnedEntry = index;
    }
    if (g_pinnedEntry < 0) {
        std::fprintf(stderr, "fuzz_module_exports: VARNEL_FUZZ_ENTRY names no entry: %s\n", entry);
        std::abort();
    }
    for (const Module& module : loaded.modules) {
        if (!Offers(*module.plugin, static_cast<Entry>(g_pinnedEntry))) {
            std::fprintf(stderr, "fuzz_module_exports: %s does not offer %s\n", module.plugin->moduleName.c_str(),
                         entry);
            std::abort();
        }
    }
}

void LoadModules()
{
    auto* loaded = new LoadedModules;
    const std::string folder = varnel::LanguagesFolder(varnel::ExecutableFolder());
    loaded->set = varnel::LoadLanguagePlugins(folder);
    for (const std::string& error : loaded->set.errors)
        std::fprintf(stderr, "fuzz_module_exports: refused module %s\n", error.c_str());
    if (loaded->set.plugins.empty()) {
        std::fprintf(stderr, "fuzz_module_exports: no language modules in %s\n", folder.c_str());
        std::abort();
    }
    for (const LanguagePlugin& plugin : loaded->set.plugins) {
        Module module;
        module.plugin = &plugin;
        module.keywords = KeywordMatcher(plugin.defaultKeywords);
        module.styleCount = CountStyles(plugin.styles);
        if (Offers(plugin, Entry::CommentLine))
            LearnLineComment(module);
        loaded->modules.push_back(std::move(module));
    }
    PinFromEnvironment(*loaded);
    g_loaded = loaded;
}

bool StartsWith(const std::string& s, const std::string& prefix)
{
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& s, const std::string& suffix)
{
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

int LengthOf(const std::string& text)
{
    return static_cast<int>(text.size());
}

// Everything a call needs, taken from the input.
struct Call {
    const Module* module;
    const KeywordMatcher* keywords;
    varnel::ListPreferences preferences;
    ByteReader* input;
};

void FuzzGetDataAddress(const Call& call)
{
    const LanguagePlugin& plugin = *call.module->plugin;
    const std::string bytes = call.input->Rest();
    const char* name = bytes.c_str(); // ends at the first NUL of the input
    const void* address = plugin.getDataAddress(name);
    if (std::strcmp(name, "kLanguageName") == 0) {
        FUZZ_REQUIRE(address != nullptr && plugin.name == static_cast<const char*>(address),
                     "kLanguageName is not the language name the loader found");
    } else if (std::strcmp(name, "kLanguageExtensions") == 0) {
        FUZZ_REQUIRE(address != nullptr && plugin.extensions == static_cast<const char*>(address),
                     "kLanguageExtensions is not the patterns the loader found");
    } else if (std::strcmp(name, "kLanguageKeywordFile") == 0) {
        FUZZ_REQUIRE(address != nullptr && plugin.keywordFile == static_cast<const char*>(address),
                     "kLanguageKeywordFile is not the file name the loader found");
    } else if (std::strcmp(name, "kLanguageKeywords") == 0) {
        FUZZ_REQUIRE(address == plugin.defaultKeywords, "kLanguageKeywords is not the keyword text");
    } else if (std::strcmp(name, "kLanguageStyles") == 0) {
        FUZZ_REQUIRE(address == static_cast<const void*>(plugin.styles), "kLanguageStyles is not the style table");
    } else {
        FUZZ_REQUIRE(address == nullptr, "GetDataAddress answered a name that is none of the five");
    }
}

void CheckRuns(const std::vector<varnel::StyleRun>& runs, int lineLength)
{
    FUZZ_REQUIRE(runs.size() <= static_cast<std::size_t>(HostProxy::kMaxRuns), "more than 99 style runs");
    for (std::size_t i = 0; i < runs.size(); ++i) {
        FUZZ_REQUIRE(runs[i].start >= 0 && runs[i].start <= lineLength, "a style run starts outside the line");
        FUZZ_REQUIRE(i == 0 || runs[i - 1].start <= runs[i].start, "style runs out of offset order");
    }
}

// Styles the text line by line as the host does: each line with its line feed (the
// last without), the state each line leaves handed to the next.
void FuzzStyleLine(const Call& call)
{
    const Module& module = *call.module;
    short state = static_cast<short>(call.input->U16());
    const std::string text = call.input->Rest();
    std::size_t pos = 0;
    for (;;) {
        const std::size_t lineFeed = text.find('\n', pos);
        const std::size_t end = lineFeed == std::string::npos ? text.size() : lineFeed + 1;
        const std::string original = text.substr(pos, end - pos);

        std::string line = original;
        HostProxy proxy(line, *call.keywords, module.styleCount, ProxyPurpose::Styling);
        const short before = state;
        module.plugin->styleLine(proxy, &state);
        FUZZ_REQUIRE(line == original, "StyleLine changed the line");
        FUZZ_REQUIRE(proxy.Errors().empty(), "StyleLine made a call the host refused");
        CheckRuns(proxy.Runs(), LengthOf(line));

        // A call keeps nothing: the same line and state give the same runs and state.
        std::string again = original;
        HostProxy second(again, *call.keywords, module.styleCount, ProxyPurpose::Styling);
        short stateAgain = before;
        module.plugin->styleLine(second, &stateAgain);
        FUZZ_REQUIRE(second.Runs() == proxy.Runs() && stateAgain == state,
                     "StyleLine gave a different result for the same line and state");

        if (lineFeed == std::string::npos)
            break;
        pos = end;
    }
}

void FuzzScanForFunctions(const Call& call)
{
    const Module& module = *call.module;
    const std::string original = call.input->Rest();
    std::string text = original;
    HostProxy proxy(text, *call.keywords, module.styleCount, ProxyPurpose::FunctionScan, call.preferences);
    module.plugin->scanForFunctions(proxy);
    FUZZ_REQUIRE(text == original, "ScanForFunctions changed the document");
    FUZZ_REQUIRE(proxy.Errors().empty(), "ScanForFunctions made a call the host refused");
    // An entry at the very start of a document may come one before it, at -1: the host
    // takes that for the start.
    int previous = -1;
    for (const varnel::FunctionEntry& entry : proxy.Functions()) {
        if (entry.separator)
            continue;
        FUZZ_REQUIRE(entry.offset >= -1 && entry.offset <= LengthOf(text), "a function entry lies outside the document");
        FUZZ_REQUIRE(entry.offset >= previous, "function entries out of document order");
        previous = entry.offset;
    }
}

void FuzzBalance(const Call& call)
{
    const Module& module = *call.module;
    const PositionSeed startSeed = call.input->Position();
    const PositionSeed endSeed = call.input->Position();
    const std::string original = call.input->Rest();
    std::string text = original;
    const int length = LengthOf(text);
    const int selStart = startSeed.For(length);
    const int selEnd = endSeed.For(length);

    HostProxy proxy(text, *call.keywords, module.styleCount, ProxyPurpose::Editing);
    int start = selStart;
    int end = selEnd;
    const bool found = module.plugin->balance(proxy, &start, &end);
    FUZZ_REQUIRE(text == original, "Balance changed the document");
    FUZZ_REQUIRE(proxy.Errors().empty(), "Balance made a call the host refused");
    if (found) {
        FUZZ_REQUIRE(0 <= start && start <= end && end <= length, "Balance found a span outside the document");
    } else {
        FUZZ_REQUIRE(start == selStart && end == selEnd, "Balance failed but changed the selection");
    }
}

// The line as CommentLine and UncommentLine see it: without its line end.
std::string LineWithoutEnd(ByteReader& input)
{
    std::string text = input.Rest();
    const std::size_t lineFeed = text.find('\n');
    if (lineFeed != std::string::npos)
        text.erase(lineFeed);
    return text;
}

// What UncommentLine leaves of a line: the opening token goes when the line starts
// with it, and then, separately, the closing token when what is left ends with it.
std::string Uncommented(const Module& module, std::string line)
{
    if (StartsWith(line, module.open))
        line.erase(0, module.open.size());
    if (!module.close.empty() && EndsWith(line, module.close))
        line.erase(line.size() - module.close.size());
    return line;
}

void FuzzCommentLine(const Call& call)
{
    const Module& module = *call.module;
    const std::string original = LineWithoutEnd(*call.input);
    std::string line = original;
    {
        HostProxy proxy(line, *call.keywords, module.styleCount, ProxyPurpose::Editing);
        module.plugin->commentLine(proxy);
        FUZZ_REQUIRE(proxy.Errors().empty(), "CommentLine made a call the host refused");
    }
    FUZZ_REQUIRE(line == module.open + original + module.close, "CommentLine did not wrap the line in its tokens");
    // The tokens just put in are what UncommentLine takes out, whatever the line held.
    {
        HostProxy proxy(line, *call.keywords, module.styleCount, ProxyPurpose::Editing);
        module.plugin->uncommentLine(proxy);
        FUZZ_REQUIRE(proxy.Errors().empty(), "UncommentLine made a call the host refused");
    }
    FUZZ_REQUIRE(line == original, "UncommentLine did not give back the line that CommentLine commented");
}

void FuzzUncommentLine(const Call& call)
{
    const Module& module = *call.module;
    const std::string original = LineWithoutEnd(*call.input);
    std::string line = original;
    HostProxy proxy(line, *call.keywords, module.styleCount, ProxyPurpose::Editing);
    module.plugin->uncommentLine(proxy);
    FUZZ_REQUIRE(proxy.Errors().empty(), "UncommentLine made a call the host refused");
    if (!module.open.empty())
        FUZZ_REQUIRE(line == Uncommented(module, original), "UncommentLine removed other than its tokens");
}

bool IsAscii(const std::string& text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// Uncommenting what CommentSelection just commented gives the text back: markup from
// the selection start to just past the last closing marker (a closer must end before
// the selection does, or end the text), script comments from the start to the end of
// the commented selection, whatever dashes and stars the text holds. Not for text with
// multi-byte characters, whose last one the selection end may cut. Nor, in HTML, where
// the text just before the selection start holds a character on which the HTML machine
// looks ahead (it finds the context at the start by reading the page up to there, and a
// look past the start sees the markers); XML is markup throughout and finds no context.
bool LooksAheadAcross(const std::string& text, int start)
{
    constexpr std::string_view kLookingAhead = "<:?%/*-!";
    for (int i = start > 11 ? start - 11 : 0; i < start; ++i) {
        if (kLookingAhead.find(text[static_cast<std::size_t>(i)]) != std::string_view::npos)
            return true;
    }
    return false;
}

void CheckUncommentGivesBack(const Call& call, const std::string& original, const std::string& commented, int start,
                             int end)
{
    const Module& module = *call.module;
    const bool markup = commented.compare(static_cast<std::size_t>(start), 4, "<!--") == 0;
    const bool findsContext = module.plugin->name == "HTML";
    if (!IsAscii(original) || (findsContext && LooksAheadAcross(original, start)))
        return;
    const int grown = LengthOf(commented) - LengthOf(original);
    int uncommentEnd = end + grown + (markup ? 1 : 0);
    if (uncommentEnd > LengthOf(commented))
        uncommentEnd = LengthOf(commented);
    std::string text = commented;
    HostProxy proxy(text, *call.keywords, module.styleCount, ProxyPurpose::Editing);
    module.plugin->uncommentSelection(proxy, start, uncommentEnd);
    FUZZ_REQUIRE(proxy.Errors().empty(), "UncommentSelection made a call the host refused");
    FUZZ_REQUIRE(text == original, "UncommentSelection did not give back what CommentSelection commented");
}

void FuzzSelectionComment(const Call& call, varnel::SelectionCommentFn function, const char* name)
{
    const Module& module = *call.module;
    const PositionSeed startSeed = call.input->Position();
    const PositionSeed endSeed = call.input->Position();
    const std::string original = call.input->Rest();
    std::string text = original;
    const int length = LengthOf(text);
    const int start = startSeed.For(length);
    const int end = endSeed.For(length);

    HostProxy proxy(text, *call.keywords, module.styleCount, ProxyPurpose::Editing);
    function(proxy, start, end);
    // Nothing before the selection start changes, and a selection that ends before it
    // starts (once its end is capped at the text's end) changes nothing at all.
    if (start >= 0 && start <= length) {
        const std::size_t kept = static_cast<std::size_t>(start);
        FUZZ_REQUIRE(text.compare(0, kept, original, 0, kept) == 0,
                     (std::string(name) + " changed text before the selection start").c_str());
    }
    const int capped = end < length ? end : length;
    if (capped < start)
        FUZZ_REQUIRE(text == original, (std::string(name) + " changed the text for a reversed selection").c_str());
    if (function == module.plugin->commentSelection && module.plugin->uncommentSelection != nullptr &&
        text != original && start >= 0 && start <= length && capped >= start)
        CheckUncommentGivesBack(call, original, text, start, capped);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    LoadModules();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ByteReader input(data, size);
    const std::vector<Module>& modules = g_loaded->modules;
    const Module& module = modules[input.Byte() % modules.size()];
    const LanguagePlugin& plugin = *module.plugin;

    // The chosen entry, or the next one the module offers (GetDataAddress always is).
    int index = input.Byte() % kEntryCount;
    if (g_pinnedEntry >= 0)
        index = g_pinnedEntry;
    while (!Offers(plugin, static_cast<Entry>(index)))
        index = (index + 1) % kEntryCount;

    const std::uint8_t flags = input.Byte();
    KeywordMatcher userKeywords;
    const KeywordMatcher* keywords = &module.keywords;
    if ((flags & 1) != 0) {
        userKeywords = KeywordMatcher(input.Bytes(input.Byte()));
        keywords = &userKeywords;
    }
    const Call call{&module, keywords,
                    varnel::ListPreferences{(flags & 2) != 0, (flags & 4) != 0, (flags & 8) != 0}, &input};

    switch (static_cast<Entry>(index)) {
    case Entry::GetDataAddress:
        FuzzGetDataAddress(call);
        break;
    case Entry::StyleLine:
        FuzzStyleLine(call);
        break;
    case Entry::ScanForFunctions:
        FuzzScanForFunctions(call);
        break;
    case Entry::Balance:
        FuzzBalance(call);
        break;
    case Entry::CommentLine:
        FuzzCommentLine(call);
        break;
    case Entry::UncommentLine:
        FuzzUncommentLine(call);
        break;
    case Entry::CommentSelection:
        FuzzSelectionComment(call, plugin.commentSelection, "CommentSelection");
        break;
    case Entry::UncommentSelection:
        FuzzSelectionComment(call, plugin.uncommentSelection, "UncommentSelection");
        break;
    }
    return 0;
}
