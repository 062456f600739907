#include "document_commands.h"

#include "bracket_balancer.h"
#include "key_commands.h"
#include "tool_proxy.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace varnel::editor {

namespace {

// The pair the plug-in (or the host's bracket balancer) finds around start..end.
bool FindPair(std::string_view text, const Language& language, int* start, int* end)
{
    HostProxy proxy(text, language.matcher, language.styles.Count(), ProxyPurpose::Editing);
    int from = *start;
    int to = *end;
    const bool found = language.plugin->balance != nullptr ? language.plugin->balance(proxy, &from, &to)
                                                           : BalanceBrackets(proxy, &from, &to, kCLikeBalance);
    // A span outside the text is no answer the editor can select.
    if (!found || from < 0 || from > to || to > static_cast<int>(text.size()))
        return false;
    *start = from;
    *end = to;
    return true;
}

} // namespace

bool Balance(EditorDocument& document, const Language& language)
{
    const std::string_view text = document.Contiguous();
    const Selection& selection = document.GetSelection();
    int start = selection.Start();
    int end = selection.End();
    if (!FindPair(text, language, &start, &end))
        return false;
    // A selection that already is what a pair holds widens to the pair around it.
    if (start == selection.Start() && end == selection.End() && start > 0 &&
        end < static_cast<int>(text.size())) {
        int outerStart = start - 1;
        int outerEnd = end + 1;
        if (FindPair(text, language, &outerStart, &outerEnd)) {
            start = outerStart;
            end = outerEnd;
        }
    }
    document.Select(start, end);
    return true;
}

namespace {

// Takes a changed copy of the whole text into the document as one edit of the part that
// differs. Line feeds that were in that part keep their line ends, in order.
void TakeChangedText(EditorDocument& document, const std::string& changed, const Selection& selected)
{
    const std::string_view before = document.Contiguous();
    std::size_t prefix = 0;
    const std::size_t shorter = std::min(before.size(), changed.size());
    while (prefix < shorter && before[prefix] == changed[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == changed[changed.size() - 1 - suffix])
        ++suffix;
    const int offset = static_cast<int>(prefix);
    const int removed = static_cast<int>(before.size() - prefix - suffix);
    const std::string_view inserted(changed.data() + prefix, changed.size() - prefix - suffix);
    const TextBuffer& text = document.Text();
    std::vector<LineEnd> ends;
    for (int line = text.LineOf(offset), last = text.LineOf(offset + removed); line < last; ++line)
        ends.push_back(text.EndOf(line));
    document.BeginStep();
    if (removed > 0 || !inserted.empty())
        document.Edit(offset, removed, inserted, ends);
    const int grown = static_cast<int>(inserted.size()) - removed;
    const int start = std::min(selected.Start(), offset);
    const int end = std::max(selected.End() + grown, offset + static_cast<int>(inserted.size()));
    document.EndStep(Selection{start, std::max(start, end)});
}

} // namespace

bool ToggleComment(EditorDocument& document, const Language& language, bool comment)
{
    const LanguagePlugin& plugin = *language.plugin;
    const Selection selection = document.GetSelection();
    const bool selections = plugin.commentSelection != nullptr || plugin.uncommentSelection != nullptr;
    if (selections) {
        const SelectionCommentFn toggle = comment ? plugin.commentSelection : plugin.uncommentSelection;
        if (toggle == nullptr)
            return false;
        std::string text(document.Contiguous());
        HostProxy proxy(text, language.matcher, language.styles.Count(), ProxyPurpose::Editing);
        toggle(proxy, selection.Start(), selection.End());
        if (text != document.Contiguous())
            TakeChangedText(document, text, selection);
        return true;
    }
    const LineCommentFn toggle = comment ? plugin.commentLine : plugin.uncommentLine;
    if (toggle == nullptr)
        return false;
    int first = 0;
    int last = 0;
    SelectedLines(document, &first, &last);
    const TextBuffer& text = document.Text();
    std::string scratch;
    document.BeginStep();
    for (int line = first; line <= last; ++line) {
        std::string content(text.LineContent(line, &scratch));
        const std::string before = content;
        HostProxy proxy(content, language.matcher, language.styles.Count(), ProxyPurpose::Editing);
        toggle(proxy);
        if (content != before)
            document.Edit(text.LineStart(line), static_cast<int>(before.size()), content);
        // A plug-in that added line feeds made more lines: the next line moved down.
        last += static_cast<int>(std::count(content.begin(), content.end(), '\n'));
        line += static_cast<int>(std::count(content.begin(), content.end(), '\n'));
    }
    document.EndStep(Selection{text.LineStart(first), text.LineEndOffset(last)});
    return true;
}

ScanResult ScanFunctions(EditorDocument& document, const Language& language, ListPreferences preferences)
{
    ScanResult result;
    if (language.plugin->scanForFunctions == nullptr)
        return result;
    HostProxy proxy(document.Contiguous(), language.matcher, language.styles.Count(), ProxyPurpose::FunctionScan,
                    preferences);
    language.plugin->scanForFunctions(proxy);
    document.Functions() = proxy.TakeFunctions();
    result.scanned = true;
    result.includes = proxy.TakeIncludes();
    return result;
}

int EntryLine(const EditorDocument& document, const FunctionEntry& entry)
{
    const TextBuffer& text = document.Text();
    const int offset = std::clamp(entry.offset, 0, text.Length());
    return text.LineOf(text.At(offset) == '\n' ? offset + 1 : offset);
}

void JumpToEntry(EditorDocument& document, const FunctionEntry& entry)
{
    const TextBuffer& text = document.Text();
    const int line = EntryLine(document, entry);
    const int end = line + 1 < text.LineCount() ? text.LineStart(line + 1) : text.Length();
    document.Select(text.LineStart(line), end);
}

namespace {

// Codes the editor's text proxy answers when it refuses an edit.
enum : int {
    kOutsideText = 1,
    kNoText = 2,
    kTooLong = 3,
};

// A tool's view of the document: its edits go into the document's open step, and the
// selection moves with them as the tool expects (it stays on the same text).
class DocumentTextProxy final : public VTextProxy {
public:
    DocumentTextProxy(EditorDocument& document, const std::optional<std::string>& filePath, void* window)
        : document_(document), filePath_(filePath), window_(window)
    {
        start_ = document.GetSelection().Start();
        length_ = document.GetSelection().Length();
    }

    int SelectionStart() const { return start_; }
    int SelectionLength() const { return length_; }

    char CharAt(int position) override { return document_.Text().At(position); }
    int TextLength() override { return document_.Text().Length(); }
    int InsertText(int position, const char* text, int length) override
    {
        const int size = TextLength();
        if (position < 0 || position > size || length < 0)
            return kOutsideText;
        if (length > 0 && text == nullptr)
            return kNoText;
        if (length > INT_MAX - size)
            return kTooLong;
        if (length == 0)
            return 0;
        document_.Edit(position, 0, std::string_view(text, static_cast<std::size_t>(length)));
        const int end = start_ + length_;
        start_ = start_ >= position ? start_ + length : start_;
        length_ = (end >= position ? end + length : end) - start_;
        return 0;
    }
    int DeleteText(int position, int length) override
    {
        const int size = TextLength();
        if (position < 0 || position > size || length < 0)
            return kOutsideText;
        length = std::min(length, size - position);
        if (length == 0)
            return 0;
        document_.Edit(position, length, {});
        const auto after = [&](int offset) {
            if (offset <= position)
                return offset;
            return offset >= position + length ? offset - length : position;
        };
        const int end = after(start_ + length_);
        start_ = after(start_);
        length_ = end - start_;
        return 0;
    }
    void GetSelection(int* start, int* length) override
    {
        *start = start_;
        *length = length_;
    }
    int Select(int start, int length) override
    {
        if (start < 0 || length < 0 || start > TextLength() || length > TextLength() - start)
            return kOutsideText;
        start_ = start;
        length_ = length;
        return 0;
    }
    bool GetFilePath(char* buffer, int size) override
    {
        if (!filePath_ || buffer == nullptr || size <= 0 || filePath_->size() + 1 > static_cast<std::size_t>(size))
            return false;
        std::memcpy(buffer, filePath_->c_str(), filePath_->size() + 1);
        return true;
    }
    void HostOperation9() override {}
    void HostOperation10() override {}
    void HostOperation11() override {}
    void HostOperation12() override {}
    void HostOperation13() override {}
    void HostOperation14() override {}
    void HostOperation15() override {}
    void HostOperation16() override {}
    void HostOperation17() override {}
    void* GetWindow() override { return window_; }

private:
    EditorDocument& document_;
    const std::optional<std::string>& filePath_;
    void* window_;
    int start_ = 0;
    int length_ = 0;
};

} // namespace

int RunTool(EditorDocument& document, const ToolExtension& tool, const std::optional<std::string>& filePath,
            void* window)
{
    document.BeginStep();
    DocumentTextProxy proxy(document, filePath, window);
    const int result = tool.perform(proxy);
    if (result != 0) {
        document.AbandonStep();
        return result;
    }
    const int start = proxy.SelectionStart();
    document.EndStep(Selection{start, start + proxy.SelectionLength()});
    return 0;
}

void GoToLine(EditorDocument& document, int number)
{
    const TextBuffer& text = document.Text();
    const int line = std::clamp(number - 1, 0, text.LineCount() - 1);
    document.SetCaret(text.LineStart(line));
}

} // namespace varnel::editor
