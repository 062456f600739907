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

int ToInt(std::size_t value)
{
    return static_cast<int>(value);
}

} // namespace

std::string_view LineEndBytes(LineEnd end)
{
    switch (end) {
    case LineEnd::Lf: return "\n";
    case LineEnd::CrLf: return "\r\n";
    case LineEnd::Cr: return "\r";
    case LineEnd::None: break;
    }
    return "";
}

Document::Document(std::string fileBytes)
{
    SetText(std::move(fileBytes));
}

void Document::SetText(std::string fileBytes)
{
    lines_.clear();
    refusals_.clear();
    if (fileBytes.find('\r') == std::string::npos) {
        // Line feeds only: the file is the buffer.
        text_ = std::move(fileBytes);
        for (char c : text_) {
            if (c == '\n')
                lines_.push_back(LineInfo{LineEnd::Lf});
        }
    } else {
        text_.clear();
        text_.reserve(fileBytes.size());
        for (std::size_t i = 0; i < fileBytes.size(); ++i) {
            const char c = fileBytes[i];
            if (c == '\r') {
                const bool pair = i + 1 < fileBytes.size() && fileBytes[i + 1] == '\n';
                lines_.push_back(LineInfo{pair ? LineEnd::CrLf : LineEnd::Cr});
                text_.push_back('\n');
                i += pair ? 1 : 0;
            } else {
                if (c == '\n')
                    lines_.push_back(LineInfo{LineEnd::Lf});
                text_.push_back(c);
            }
        }
    }
    lines_.push_back(LineInfo{LineEnd::None});
    IndexLines();
}

void Document::IndexLines()
{
    lineStarts_.assign(1, 0);
    for (std::size_t i = text_.find('\n'); i != std::string::npos; i = text_.find('\n', i + 1))
        lineStarts_.push_back(ToInt(i + 1));
    fileLineStarts_.resize(lineStarts_.size());
    int extra = 0; // bytes the file's two-byte line ends add before the line
    for (std::size_t line = 0; line < lineStarts_.size(); ++line) {
        fileLineStarts_[line] = lineStarts_[line] + extra;
        if (lines_[line].end == LineEnd::CrLf)
            ++extra;
    }
}

std::string Document::FileText() const
{
    std::string bytes;
    bytes.reserve(text_.size() + text_.size() / 16);
    for (int line = 0; line < LineCount(); ++line) {
        bytes += LineContent(line);
        bytes += LineEndBytes(EndOf(line));
    }
    return bytes;
}

int Document::TextLineCount() const
{
    const int count = LineCount();
    return count > 1 && Line(count - 1).empty() ? count - 1 : count;
}

int Document::LineStart(int line) const
{
    if (line < 0)
        return 0;
    if (line >= LineCount())
        return ToInt(text_.size());
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

LineEnd Document::EndOf(int line) const
{
    if (line < 0 || line >= LineCount())
        return LineEnd::None;
    return lines_[static_cast<std::size_t>(line)].end;
}

int Document::FileSize() const
{
    const int last = LineCount() - 1;
    return fileLineStarts_.back() + ToInt(LineContent(last).size());
}

int Document::FileOffset(int bufferOffset) const
{
    const int offset = std::clamp(bufferOffset, 0, ToInt(text_.size()));
    const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
    const auto line = static_cast<std::size_t>(std::distance(lineStarts_.begin(), after) - 1);
    return fileLineStarts_[line] + (offset - lineStarts_[line]);
}

int Document::BufferOffset(int fileOffset) const
{
    const int offset = std::clamp(fileOffset, 0, FileSize());
    const auto after = std::upper_bound(fileLineStarts_.begin(), fileLineStarts_.end(), offset);
    const auto line = static_cast<std::size_t>(std::distance(fileLineStarts_.begin(), after) - 1);
    const int column = std::min(offset - fileLineStarts_[line], ToInt(LineContent(ToInt(line)).size()));
    return lineStarts_[line] + column;
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
    std::vector<LineInfo> lines;
    for (int line = first; line < end; ++line) {
        const std::string& content = contents[static_cast<std::size_t>(line - first)];
        LineInfo& info = lines_[static_cast<std::size_t>(line)];
        text += content;
        text += Line(line).substr(LineContent(line).size()); // the line's own line feed
        // Each line feed in the content adds an unstyled line after this one.
        const LineEnd split = info.end == LineEnd::None ? LineEnd::Lf : info.end;
        std::size_t added = static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n'));
        if (added == 0) {
            lines.push_back(std::move(info));
            continue;
        }
        const LineEnd ownEnd = info.end;
        info.end = split;
        lines.push_back(std::move(info));
        for (; added > 1; --added)
            lines.push_back(LineInfo{split});
        lines.push_back(LineInfo{ownEnd});
    }
    text.append(text_, static_cast<std::size_t>(LineStart(end)), std::string::npos);
    text_ = std::move(text);

    const auto from = lines_.begin() + first;
    lines_.erase(from, from + count);
    lines_.insert(lines_.begin() + first, std::make_move_iterator(lines.begin()),
                  std::make_move_iterator(lines.end()));
    IndexLines();
}

void Document::NoteRefusals(const HostProxy& proxy, int line)
{
    for (const std::string& message : proxy.Errors()) {
        if (refusals_.size() >= kMaxRefusals)
            return;
        refusals_.push_back(line >= 0 ? "line " + std::to_string(line + 1) + ": " + message : message);
    }
}

void Document::StyleLine(const Styler& styler, int line)
{
    LineInfo& info = lines_[static_cast<std::size_t>(line)];
    if (styler.styleLine == nullptr) {
        info.runs = {StyleRun{0, 0}};
        info.state = 0;
        info.styled = true;
        return;
    }
    // The plug-in sees a copy, so nothing it does can change the document.
    scratch_.assign(Line(line));
    const KeywordMatcher& matcher = styler.matcher != nullptr ? *styler.matcher : NoKeywords();
    HostProxy proxy(scratch_, matcher, styler.styleCount, ProxyPurpose::Styling);
    proxy.ReuseRunStorage(std::move(info.runs));
    short state = line > 0 ? lines_[static_cast<std::size_t>(line - 1)].state : 0;
    styler.styleLine(proxy, &state);
    info.runs = proxy.TakeRuns();
    info.state = state;
    info.styled = true;
    NoteRefusals(proxy, line);
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
        const LineInfo& info = lines_[static_cast<std::size_t>(i)];
        const bool known = info.styled;
        const short before = info.state;
        StyleLine(styler, i);
        ++styled;
        // The lines after this one start from the same state as before: they stand,
        // unless they changed themselves.
        if (known && lines_[static_cast<std::size_t>(i)].state == before && i >= lastChanged)
            break;
    }
    return styled;
}

short Document::EndState(int line) const
{
    if (line < 0 || line >= LineCount())
        return 0;
    return lines_[static_cast<std::size_t>(line)].state;
}

const std::vector<StyleRun>& Document::Runs(int line) const
{
    if (line < 0 || line >= LineCount())
        return kNoRuns;
    return lines_[static_cast<std::size_t>(line)].runs;
}

} // namespace varnel
