#include "language.h"

#include "bracket_balancer.h"
#include "file_system.h"

namespace varnel {

Language PrepareLanguage(const LanguagePlugin& plugin, const std::string& settingsFolder)
{
    Language language;
    language.plugin = &plugin;
    std::optional<std::string> userText;
    if (!settingsFolder.empty() && !plugin.keywordFile.empty()) {
        const std::string path = JoinPath(settingsFolder, plugin.keywordFile);
        userText = ReadFile(path);
        if (userText) {
            language.keywordSource = path;
            // A byte-order mark is no part of the first line.
            if (userText->compare(0, 3, "\xEF\xBB\xBF") == 0)
                userText->erase(0, 3);
        }
    }
    language.matcher = KeywordMatcher(userText ? *userText : std::string(plugin.defaultKeywords));
    language.styles = StyleTable::FromPairs(plugin.styles);
    return language;
}

bool ToggleLineComments(Document& document, const Language& language, int first, int last,
                        bool comment)
{
    const LineCommentFn toggle = comment ? language.plugin->commentLine : language.plugin->uncommentLine;
    if (toggle == nullptr)
        return false;
    if (first < 0)
        first = 0;
    if (last >= document.LineCount())
        last = document.LineCount() - 1;
    std::vector<std::string> contents;
    for (int line = first; line <= last; ++line) {
        std::string text(document.LineContent(line));
        HostProxy proxy(text, language.matcher, language.styles.Count(), ProxyPurpose::Editing);
        toggle(proxy);
        document.NoteRefusals(proxy, line);
        contents.push_back(std::move(text));
    }
    const int linesBefore = document.LineCount();
    document.ReplaceLineContents(first, contents);
    // Every changed line is styled again, and then the lines after them as far as needed.
    const int lastChanged = last + document.LineCount() - linesBefore;
    document.RestyleFrom(language.MakeStyler(), first, lastChanged);
    return true;
}

bool ScanFunctions(Document& document, const Language& language, ListPreferences preferences,
                   FunctionList* list)
{
    if (language.plugin->scanForFunctions == nullptr)
        return false;
    // The proxy reads the document where it lies and would edit a copy of its own: a
    // scan has no business changing the document.
    HostProxy proxy(std::string_view(document.Text()), language.matcher, language.styles.Count(), ProxyPurpose::FunctionScan, preferences);
    language.plugin->scanForFunctions(proxy);
    document.NoteRefusals(proxy, -1);
    list->functions = proxy.TakeFunctions();
    list->includes = proxy.TakeIncludes();
    return true;
}

bool BalanceSelection(Document& document, const Language& language, int* start, int* end)
{
    HostProxy proxy(std::string_view(document.Text()), language.matcher, language.styles.Count(),
                    ProxyPurpose::Editing);
    int selStart = *start;
    int selEnd = *end;
    // A plug-in without a Balance of its own gets the host's: brackets in C-like text.
    const bool found = language.plugin->balance != nullptr
                           ? language.plugin->balance(proxy, &selStart, &selEnd)
                           : BalanceBrackets(proxy, &selStart, &selEnd, kCLikeBalance);
    document.NoteRefusals(proxy, -1);
    const int length = proxy.TextLength();
    // A span outside the text is no answer the host can select.
    if (!found || selStart < 0 || selStart > selEnd || selEnd > length)
        return false;
    *start = selStart;
    *end = selEnd;
    return true;
}

} // namespace varnel
