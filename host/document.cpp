#include "document.h"

#include <algorithm>
#include <iterator>

namespace varnel {

namespace {

const std::vector<StyleRun> kNoRuns;

const KeywordMatcher& NoKeywords()
{
    static const KeywordMatcher matcher;
    return matcher;
}

} // namespace

Document::Document(std::string text)
    : text_(std::move(text))
{
    IndexLines();
    const std::size_t count = lineStarts_.size();
    states_.assign(count, 0);
    runs_.assign(count, {});
    styled_.assign(count, false);
}

void Document::IndexLines()
{
    lineStarts_.assign(1, 0);
    for (std::size_t i = text_.find('\n'); i != std::string::npos; i = text_.find('\n', i + 1))
        lineStarts_.push_back(static_cast<int>(i + 1));
}

int Document::LineStart(int line) const
{
    if (line < 0)
        return 0;
    if (line >= LineCount())
        return static_cast<int>(text_.size());
    return lineStarts_[static_cast<std::size_t>(line)];
}

std::string_view Document::Line(int line) const
{
    if (line < 0 || line >= LineCount())
        return {};
    const std::size_t start = static_cast<std::size_t>(LineStart(line));
    const std::size_t end = static_cast<std::size_t>(LineStart(line + 1));
    return std::string_view(text_).substr(start, end - start);
}

std::string_view Document::LineContent(int line) const
{
    std::string_view bytes = Line(line);
    if (!bytes.empty() && bytes.back() == '\n')
        bytes.remove_suffix(1);
    return bytes;
}

void Document::SetText(std::string text)
{
    *this = Document(std::move(text));
}

void Document::ReplaceLineContent(int line, std::string_view content)
{
    ReplaceLineContents(line, {std::string(content)});
}

void Document::ReplaceLineContents(int first, const std::vector<std::string>& contents)
{
    const int count = static_cast<int>(contents.size());
    if (first < 0 || count == 0 || count > LineCount() - first)
        return;
    const int end = first + count;

    // One new text, built once however many lines change.
    std::string text;
    text.reserve(text_.size());
    text.append(text_, 0, static_cast<std::size_t>(LineStart(first)));
    std::vector<short> states;
    std::vector<std::vector<StyleRun>> runs;
    std::vector<bool> styled;
    for (int line = first; line < end; ++line) {
        const std::string& content = contents[static_cast<std::size_t>(line - first)];
        text += content;
        text += Line(line).substr(LineContent(line).size()); // the line's own line end
        // Each line feed in the content adds an unstyled line after this one.
        const auto added = static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n'));
        const auto index = static_cast<std::size_t>(line);
        states.push_back(states_[index]);
        states.insert(states.end(), added, 0);
        runs.push_back(std::move(runs_[index]));
        runs.insert(runs.end(), added, {});
        styled.push_back(styled_[index]);
        styled.insert(styled.end(), added, false);
    }
    text.append(text_, static_cast<std::size_t>(LineStart(end)), std::string::npos);
    text_ = std::move(text);
    IndexLines();

    const auto from = static_cast<std::ptrdiff_t>(first);
    const auto to = static_cast<std::ptrdiff_t>(end);
    states_.erase(states_.begin() + from, states_.begin() + to);
    states_.insert(states_.begin() + from, states.begin(), states.end());
    runs_.erase(runs_.begin() + from, runs_.begin() + to);
    runs_.insert(runs_.begin() + from, std::make_move_iterator(runs.begin()), std::make_move_iterator(runs.end()));
    styled_.erase(styled_.begin() + from, styled_.begin() + to);
    styled_.insert(styled_.begin() + from, styled.begin(), styled.end());
}

void Document::StyleLine(const Styler& styler, int line)
{
    const auto index = static_cast<std::size_t>(line);
    if (styler.styleLine == nullptr) {
        runs_[index] = {StyleRun{0, 0}};
        states_[index] = 0;
        styled_[index] = true;
        return;
    }
    // The plug-in sees a copy, so nothing it does can change the document.
    std::string text(Line(line));
    const KeywordMatcher& matcher = styler.matcher != nullptr ? *styler.matcher : NoKeywords();
    HostProxy proxy(text, matcher, styler.styleCount, ProxyPurpose::Styling);
    short state = line > 0 ? states_[index - 1] : 0;
    styler.styleLine(proxy, &state);
    runs_[index] = proxy.Runs();
    states_[index] = state;
    styled_[index] = true;
}

void Document::StyleAll(const Styler& styler)
{
    for (int line = 0; line < LineCount(); ++line)
        StyleLine(styler, line);
}

int Document::RestyleFrom(const Styler& styler, int line, int lastChanged)
{
    if (line < 0 || line >= LineCount())
        return 0;
    int styled = 0;
    for (int i = line; i < LineCount(); ++i) {
        const auto index = static_cast<std::size_t>(i);
        const bool known = styled_[index];
        const short before = states_[index];
        StyleLine(styler, i);
        ++styled;
        // The lines after this one start from the same state as before: they stand,
        // unless they changed themselves.
        if (known && states_[index] == before && i >= lastChanged)
            break;
    }
    return styled;
}

short Document::EndState(int line) const
{
    if (line < 0 || line >= LineCount())
        return 0;
    return states_[static_cast<std::size_t>(line)];
}

const std::vector<StyleRun>& Document::Runs(int line) const
{
    if (line < 0 || line >= LineCount())
        return kNoRuns;
    return runs_[static_cast<std::size_t>(line)];
}

} // namespace varnel
