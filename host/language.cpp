#include "language.h"

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
        if (userText)
            language.keywordSource = path;
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
    int firstChanged = -1;
    for (int line = first; line <= last; ++line) {
        std::string text(document.LineContent(line));
        const std::string before = text;
        HostProxy proxy(text, language.matcher, language.styles.Count(), ProxyPurpose::Editing);
        toggle(proxy);
        if (text != before) {
            // A line end inserted by the plug-in splits the line: skip the new lines.
            const int linesBefore = document.LineCount();
            document.ReplaceLineContent(line, text);
            if (firstChanged < 0)
                firstChanged = line;
            const int added = document.LineCount() - linesBefore;
            line += added;
            last += added;
        }
    }
    if (firstChanged >= 0)
        document.RestyleFrom(language.MakeStyler(), firstChanged);
    return true;
}

} // namespace varnel
