#include "document.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace varnel {

const KeywordMatcher& Styler::Matcher() const
{
    static const KeywordMatcher none;
    return matcher != nullptr ? *matcher : none;
}

namespace {

int ToInt(std::size_t value)
{
    return static_cast<int>(value);
}

} // namespace

Document::Document(std::string fileBytes)
{
    SetText(std::move(fileBytes));
}

void Document::SetText(std::string fileBytes)
{
    text_ = std::move(fileBytes);
    refusals_.clear();
    slots_.clear();
    pool_.clear();
    idleRuns_ = 0;
    SplitLines();
}

void Document::SplitLines()
{
    lines_.clear();
    lineStarts_.assign(1, 0);
    fileLineStarts_.clear();
    const std::size_t size = text_.size();
    if (text_.find('\r') == std::string::npos) {
        // Line feeds only: the file is the buffer.
        const char* const data = text_.data();
        for (const char* p = data; (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(data + size - p)))) != nullptr;) {
            ++p;
            lines_.push_back(LineInfo{0, LineEnd::Lf, false});
            lineStarts_.push_back(static_cast<int>(p - data));
        }
        lines_.push_back(LineInfo{});
        return;
    }
    // The buffer takes the place of the file's bytes: every line end becomes one line
    // feed, so the buffer is never longer than the bytes already read.
    fileLineStarts_.assign(1, 0);
    bool pairs = false; // whether any line end takes two bytes
    std::size_t kept = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = text_[i];
        if (c != '\r' && c != '\n') {
            text_[kept++] = c;
            continue;
        }
        LineEnd end = LineEnd::Lf;
        if (c == '\r') {
            const bool pair = i + 1 < size && text_[i + 1] == '\n';
            end = pair ? LineEnd::CrLf : LineEnd::Cr;
            pairs = pairs || pair;
            i += pair ? 1 : 0;
        }
        text_[kept++] = '\n';
        lines_.push_back(LineInfo{0, end, false});
        lineStarts_.push_back(ToInt(kept));
        fileLineStarts_.push_back(ToInt(i + 1));
    }
    text_.resize(kept);
    lines_.push_back(LineInfo{});
    if (!pairs)
        fileLineStarts_.clear();
}

void Document::IndexLines()
{
    lineStarts_.assign(1, 0);
    const char* const data = text_.data();
    const std::size_t size = text_.size();
    for (const char* p = data; (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(data + size - p)))) != nullptr;)
        lineStarts_.push_back(static_cast<int>(++p - data));
    fileLineStarts_.clear();
    const bool pairs = std::any_of(lines_.begin(), lines_.end(), [](const LineInfo& info) { return info.end == LineEnd::CrLf; });
    if (!pairs)
        return;
    fileLineStarts_.resize(lineStarts_.size());
    int extra = 0; // bytes the file's two-byte line ends add before the line
    for (std::size_t line = 0; line < lineStarts_.size(); ++line) {
        fileLineStarts_[line] = lineStarts_[line] + extra;
        if (lines_[line].end == LineEnd::CrLf)
            ++extra;
    }
}

const std::vector<int>& Document::FileLineStarts() const
{
    return fileLineStarts_.empty() ? lineStarts_ : fileLineStarts_;
}

std::string Document::FileText() const
{
    std::string bytes;
    bytes.reserve(text_.size() + (fileLineStarts_.empty() ? 0 : text_.size() / 16));
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

int Document::FileSize() const
{
    const int last = LineCount() - 1;
    return FileLineStarts().back() + ToInt(LineContent(last).size());
}

int Document::FileOffset(int bufferOffset) const
{
    const int offset = std::clamp(bufferOffset, 0, ToInt(text_.size()));
    const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
    const auto line = static_cast<std::size_t>(std::distance(lineStarts_.begin(), after) - 1);
    return FileLineStarts()[line] + (offset - lineStarts_[line]);
}

int Document::BufferOffset(int fileOffset) const
{
    const std::vector<int>& fileStarts = FileLineStarts();
    const int offset = std::clamp(fileOffset, 0, FileSize());
    const auto after = std::upper_bound(fileStarts.begin(), fileStarts.end(), offset);
    const auto line = static_cast<std::size_t>(std::distance(fileStarts.begin(), after) - 1);
    const int column = std::min(offset - fileStarts[line], ToInt(LineContent(ToInt(line)).size()));
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
    const bool keepsRuns = !slots_.empty();

    // One new text, built once however many lines change.
    std::string text;
    text.reserve(text_.size());
    text.append(text_, 0, static_cast<std::size_t>(LineStart(first)));
    std::vector<LineInfo> lines;
    std::vector<RunSlot> slots;
    for (int line = first; line < end; ++line) {
        const std::string& content = contents[static_cast<std::size_t>(line - first)];
        LineInfo info = lines_[static_cast<std::size_t>(line)];
        text += content;
        text += Line(line).substr(LineContent(line).size()); // the line's own line feed
        if (keepsRuns)
            slots.push_back(slots_[static_cast<std::size_t>(line)]);
        // Each line feed in the content adds an unstyled line after this one.
        const LineEnd split = info.end == LineEnd::None ? LineEnd::Lf : info.end;
        std::size_t added = static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n'));
        if (added == 0) {
            lines.push_back(info);
            continue;
        }
        const LineEnd ownEnd = info.end;
        info.end = split;
        lines.push_back(info);
        for (; added > 1; --added)
            lines.push_back(LineInfo{0, split, false});
        lines.push_back(LineInfo{0, ownEnd, false});
        if (keepsRuns)
            slots.insert(slots.end(), static_cast<std::size_t>(lines.size() - slots.size()), RunSlot{});
    }
    text.append(text_, static_cast<std::size_t>(LineStart(end)), std::string::npos);
    text_ = std::move(text);

    lines_.erase(lines_.begin() + first, lines_.begin() + end);
    lines_.insert(lines_.begin() + first, lines.begin(), lines.end());
    if (keepsRuns) {
        slots_.erase(slots_.begin() + first, slots_.begin() + end);
        slots_.insert(slots_.begin() + first, slots.begin(), slots.end());
    }
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

HostProxy Document::PassProxy(const Styler& styler)
{
    const KeywordMatcher& matcher = styler.Matcher();
    return HostProxy(std::string_view(), matcher, styler.styleCount, ProxyPurpose::Styling);
}

RunView Document::StyleLine(HostProxy& proxy, const Styler& styler, int line, StyleRun* runStore)
{
    LineInfo& info = lines_[static_cast<std::size_t>(line)];
    info.styled = true;
    if (styler.styleLine == nullptr) {
        info.state = 0;
        return RunView{&kDefaultRun, 1};
    }
    // The proxy reads the line where it lies and edits a copy of its own, so nothing the
    // plug-in does can change the document.
    proxy.Present(LineBytes(static_cast<std::size_t>(line)), runStore);
    short state = line > 0 ? lines_[static_cast<std::size_t>(line - 1)].state : 0;
    styler.styleLine(proxy, &state);
    info.state = state;
    if (!proxy.Errors().empty())
        NoteRefusals(proxy, line);
    return proxy.Runs();
}

void Document::KeepRuns(int line, RunView runs)
{
    RunSlot& slot = slots_[static_cast<std::size_t>(line)];
    const auto count = static_cast<std::uint8_t>(std::min<std::size_t>(runs.size(), HostProxy::kMaxRuns));
    if (count > slot.room) {
        // The line moves to the end of the pool; its old room stands idle.
        idleRuns_ += slot.room;
        slot.at = ToInt(pool_.Append(runs.data, count));
        slot.room = count;
    } else {
        RunPool::Copy(pool_.data() + slot.at, runs.data, count);
    }
    slot.count = count;
    if (idleRuns_ > 4096 && idleRuns_ > pool_.size() / 2)
        CompactRuns();
}

void Document::CompactRuns()
{
    RunPool pool;
    pool.Reserve(pool_.size() - idleRuns_);
    for (RunSlot& slot : slots_) {
        slot.at = ToInt(pool.Append(pool_.data() + slot.at, slot.count));
        slot.room = slot.count;
    }
    pool_ = std::move(pool);
    idleRuns_ = 0;
}

void Document::StyleAll(const Styler& styler)
{
    // Every line gets new runs: the pool is filled anew in line order.
    pool_.clear();
    slots_.assign(lines_.size(), RunSlot{});
    idleRuns_ = 0;
    HostProxy proxy = PassProxy(styler);
    for (int line = 0; line < LineCount(); ++line) {
        // The proxy writes the runs straight to the end of the pool.
        StyleRun* store = pool_.Room(HostProxy::kMaxRuns);
        const RunView runs = StyleLine(proxy, styler, line, store);
        if (runs.data != store) {
            KeepRuns(line, runs);
            continue;
        }
        RunSlot& slot = slots_[static_cast<std::size_t>(line)];
        slot.count = static_cast<std::uint8_t>(runs.size());
        slot.room = slot.count;
        slot.at = ToInt(pool_.Keep(runs.size()));
    }
}

void Document::StyleAll(const Styler& styler, StyledLineSink& sink)
{
    slots_.clear();
    slots_.shrink_to_fit();
    pool_.Release();
    idleRuns_ = 0;
    HostProxy proxy = PassProxy(styler);
    for (int line = 0; line < LineCount(); ++line)
        sink.StyledLine(line, StyleLine(proxy, styler, line));
}

int Document::RestyleFrom(const Styler& styler, int line, int lastChanged)
{
    if (line < 0 || line >= LineCount())
        return 0;
    if (slots_.empty())
        slots_.assign(lines_.size(), RunSlot{});
    HostProxy proxy = PassProxy(styler);
    int styled = 0;
    for (int i = line; i < LineCount(); ++i) {
        const LineInfo& info = lines_[static_cast<std::size_t>(i)];
        const bool known = info.styled;
        const short before = info.state;
        KeepRuns(i, StyleLine(proxy, styler, i));
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

RunView Document::Runs(int line) const
{
    if (line < 0 || line >= LineCount() || slots_.empty())
        return {};
    const RunSlot& slot = slots_[static_cast<std::size_t>(line)];
    return RunView{pool_.data() + slot.at, slot.count};
}

} // namespace varnel
