#include "selection_comments.h"

#include <string_view>

namespace varnel {

namespace {

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t lineFeed = text.find('\n', start);
        if (lineFeed == std::string_view::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, lineFeed - start));
        start = lineFeed + 1;
    }
}

} // namespace

bool ToggleSelectionComments(Document& document, const Language& language, int start, int end, bool comment)
{
    const SelectionCommentFn toggle =
        comment ? language.plugin->commentSelection : language.plugin->uncommentSelection;
    if (toggle == nullptr)
        return false;
    std::string text = document.Text();
    HostProxy proxy(text, language.matcher, language.styles.Count(), ProxyPurpose::Editing);
    toggle(proxy, start, end);
    document.NoteRefusals(proxy, -1);
    if (text == document.Text())
        return true;

    const std::vector<std::string_view> before = SplitLines(document.Text());
    const std::vector<std::string_view> after = SplitLines(text);
    if (before.size() != after.size()) {
        // Lines came or went: each line that is still there keeps its line end, and
        // new lines end as the document's last line feed did.
        std::string file;
        for (std::size_t line = 0; line < after.size(); ++line) {
            file.append(after[line]);
            if (line + 1 == after.size())
                break;
            const LineEnd lineEnd = line + 1 < before.size() ? document.EndOf(static_cast<int>(line)) : LineEnd::Lf;
            file.append(LineEndBytes(lineEnd == LineEnd::None ? LineEnd::Lf : lineEnd));
        }
        document.SetText(file);
        document.StyleAll(language.MakeStyler());
        return true;
    }
    std::size_t first = 0;
    while (before[first] == after[first])
        ++first;
    std::size_t last = after.size() - 1;
    while (before[last] == after[last])
        --last;
    std::vector<std::string> contents(after.begin() + static_cast<std::ptrdiff_t>(first),
                                      after.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    document.ReplaceLineContents(static_cast<int>(first), contents);
    document.RestyleFrom(language.MakeStyler(), static_cast<int>(first), static_cast<int>(last));
    return true;
}

} // namespace varnel
