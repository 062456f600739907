#include "editor_document.h"

#include "caret_moves.h"

#include <algorithm>

namespace varnel::editor {

std::string LineFeedsOnly(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r') {
            out += c;
            continue;
        }
        out += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    return out;
}

EditorDocument::EditorDocument(std::string fileBytes, LineEnd newLineEnd)
    : EditorDocument(TextBuffer(std::move(fileBytes)), newLineEnd)
{
}

EditorDocument::EditorDocument(TextBuffer text, LineEnd newLineEnd)
    : text_(std::move(text)), newLineEnd_(newLineEnd == LineEnd::None ? LineEnd::Lf : newLineEnd)
{
}

void EditorDocument::Select(int anchor, int caret)
{
    const int length = text_.Length();
    selection_.anchor = std::clamp(anchor, 0, length);
    selection_.caret = std::clamp(caret, 0, length);
    history_.Seal();
}

void EditorDocument::Apply(const struct Edit& edit, bool forwards)
{
    const std::string& removed = forwards ? edit.removed : edit.inserted;
    const std::string& inserted = forwards ? edit.inserted : edit.removed;
    const std::vector<LineEnd>& insertedEnds = forwards ? edit.insertedEnds : edit.removedEnds;
    const int offset = edit.offset;
    const int first = text_.LineOf(offset);
    const int lastBefore = removed.empty() ? first : text_.LineOf(offset + static_cast<int>(removed.size()));
    text_.Delete(offset, static_cast<int>(removed.size()));
    text_.Insert(offset, inserted, insertedEnds, NewLineEnd());
    const int lastAfter = first + static_cast<int>(std::count(inserted.begin(), inserted.end(), '\n'));
    ++revision_;
    if (!functions_.empty())
        unmovedChanges_.push_back(Change{offset, static_cast<int>(removed.size()), static_cast<int>(inserted.size())});
    if (deferStyling_ || stepDepth_ > 0)
        styling_.Moved(first, lastBefore, lastAfter);
    else
        styling_.Edited(first, lastBefore, lastAfter);
    if (onChange)
        onChange(offset, static_cast<int>(removed.size()), static_cast<int>(inserted.size()));
}

void EditorDocument::MoveOffsets() const
{
    if (unmovedChanges_.empty())
        return;
    // Changes made front to back (replace all, a tool walking the text) move each entry
    // by the changes before it: one walk over both, entries in offset order.
    bool frontToBack = true;
    for (std::size_t i = 1; i < unmovedChanges_.size() && frontToBack; ++i) {
        const Change& before = unmovedChanges_[i - 1];
        frontToBack = unmovedChanges_[i].offset >= before.offset + before.inserted;
    }
    if (frontToBack && unmovedChanges_.size() > 8) {
        std::vector<FunctionEntry*> order;
        for (FunctionEntry& entry : functions_)
            order.push_back(&entry);
        std::stable_sort(order.begin(), order.end(),
                         [](const FunctionEntry* a, const FunctionEntry* b) { return a->offset < b->offset; });
        long long shift = 0; // what the changes so far added before the next entry
        std::size_t next = 0;
        for (FunctionEntry* entry : order) {
            // The entry's offset as it was before the changes, in the changed text as it grows.
            for (; next < unmovedChanges_.size(); ++next) {
                const Change& change = unmovedChanges_[next];
                const long long at = entry->offset + shift;
                if (at <= change.offset)
                    break;
                if (at < change.offset + change.removed) {
                    entry->offset = static_cast<int>(change.offset - shift);
                    break;
                }
                shift += change.inserted - change.removed;
            }
            entry->offset = static_cast<int>(entry->offset + shift);
        }
    } else {
        for (const Change& change : unmovedChanges_) {
            for (FunctionEntry& entry : functions_) {
                if (entry.offset > change.offset)
                    entry.offset = entry.offset >= change.offset + change.removed ? entry.offset + change.inserted - change.removed
                                                                                 : change.offset;
            }
        }
    }
    unmovedChanges_.clear();
}

void EditorDocument::Record(UndoStep& step, int offset, int length, std::string_view bytes,
                            const std::vector<LineEnd>& ends)
{
    offset = std::clamp(offset, 0, text_.Length());
    length = std::clamp(length, 0, text_.Length() - offset);
    if (length == 0 && bytes.empty())
        return;
    struct Edit edit;
    edit.offset = offset;
    edit.removed = text_.Copy(offset, length);
    for (int line = text_.LineOf(offset), last = text_.LineOf(offset + length); line < last; ++line)
        edit.removedEnds.push_back(text_.EndOf(line));
    edit.inserted.assign(bytes.data(), bytes.size());
    const LineEnd fallback = NewLineEnd();
    const std::size_t feeds = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    for (std::size_t i = 0; i < feeds; ++i) {
        const LineEnd end = i < ends.size() && ends[i] != LineEnd::None ? ends[i] : fallback;
        edit.insertedEnds.push_back(end);
    }
    Apply(edit, true);
    history_.Commit();
    step.lastEdit = Clock::now();

    // A run of typing or deleting is kept as one edit.
    if (!step.edits.empty()) {
        struct Edit& last = step.edits.back();
        const int lastEnd = last.offset + static_cast<int>(last.inserted.size());
        if (edit.removed.empty() && offset == lastEnd) {
            last.inserted += edit.inserted;
            last.insertedEnds.insert(last.insertedEnds.end(), edit.insertedEnds.begin(), edit.insertedEnds.end());
            return;
        }
        if (edit.inserted.empty() && last.inserted.empty()) {
            if (offset == last.offset) { // Delete
                last.removed += edit.removed;
                last.removedEnds.insert(last.removedEnds.end(), edit.removedEnds.begin(), edit.removedEnds.end());
                return;
            }
            if (offset + length == last.offset) { // Backspace
                last.offset = offset;
                last.removed.insert(0, edit.removed);
                last.removedEnds.insert(last.removedEnds.begin(), edit.removedEnds.begin(), edit.removedEnds.end());
                return;
            }
        }
    }
    step.edits.push_back(std::move(edit));
}

UndoStep& EditorDocument::TypingStep(StepKind kind, Clock::time_point now)
{
    UndoStep* step = selection_.Empty() ? history_.Continuing(kind, selection_.caret, now) : nullptr;
    if (step == nullptr)
        step = &history_.Begin(kind, selection_);
    return *step;
}

void EditorDocument::Type(std::string_view text, Clock::time_point now)
{
    if (text.empty())
        return;
    const std::string bytes = LineFeedsOnly(text);
    UndoStep& step = TypingStep(StepKind::Typing, now);
    const int start = selection_.Start();
    Record(step, start, selection_.Length(), bytes, {});
    selection_ = Selection{start + static_cast<int>(bytes.size()), start + static_cast<int>(bytes.size())};
    step.after = selection_;
    step.lastEdit = now;
    goalColumn = -1;
}

void EditorDocument::TypeOver(std::string_view text, Clock::time_point now)
{
    if (!selection_.Empty() || text.empty()) {
        Type(text, now);
        return;
    }
    const std::string bytes = LineFeedsOnly(text);
    // As many characters as were typed, up to the line's end.
    const int caret = selection_.caret;
    const int lineEnd = text_.LineEndOffset(text_.LineOf(caret));
    int end = caret;
    int characters = 0;
    for (std::size_t i = 0; i < bytes.size(); i = static_cast<std::size_t>(NextCharStart(bytes, static_cast<int>(i))))
        ++characters;
    for (int i = 0; i < characters && end < lineEnd; ++i)
        end = std::min(NextCharStart(text_, end), lineEnd);
    UndoStep& step = TypingStep(StepKind::Typing, now);
    Record(step, caret, end - caret, bytes, {});
    selection_ = Selection{caret + static_cast<int>(bytes.size()), caret + static_cast<int>(bytes.size())};
    step.after = selection_;
    step.lastEdit = now;
    goalColumn = -1;
}

void EditorDocument::Backspace(Clock::time_point now)
{
    DeleteCharacter(false, now);
}

void EditorDocument::DeleteForward(Clock::time_point now)
{
    DeleteCharacter(true, now);
}

void EditorDocument::DeleteCharacter(bool forwards, Clock::time_point now)
{
    const bool deleting = selection_.Empty();
    if (deleting && selection_.caret == (forwards ? text_.Length() : 0))
        return;
    UndoStep& step = TypingStep(!deleting ? StepKind::Command : forwards ? StepKind::Delete : StepKind::Backspace, now);
    int start = selection_.Start();
    int end = selection_.End();
    if (deleting && forwards)
        end = NextCharStart(text_, start);
    else if (deleting)
        start = PreviousCharStart(text_, end);
    Record(step, start, end - start, {}, {});
    selection_ = Selection{start, start};
    step.after = selection_;
    step.lastEdit = now;
    if (!deleting)
        history_.Seal();
    goalColumn = -1;
}

void EditorDocument::ReplaceSelection(std::string_view text)
{
    const std::string bytes = LineFeedsOnly(text);
    if (bytes.empty() && selection_.Empty())
        return;
    BeginStep();
    const int start = selection_.Start();
    Edit(start, selection_.Length(), bytes);
    const int end = start + static_cast<int>(bytes.size());
    EndStep(Selection{end, end});
}

void EditorDocument::BeginStep()
{
    if (stepDepth_++ > 0)
        return;
    openStep_ = &history_.Begin(StepKind::Command, selection_);
}

void EditorDocument::EndStep(const Selection& after)
{
    const int length = text_.Length();
    selection_ = Selection{std::clamp(after.anchor, 0, length), std::clamp(after.caret, 0, length)};
    if (stepDepth_ == 0 || --stepDepth_ > 0)
        return;
    openStep_->after = selection_;
    if (openStep_->edits.empty())
        history_.DropLast();
    openStep_ = nullptr;
    history_.Seal();
    goalColumn = -1;
    styling_.Refresh();
}

void EditorDocument::Edit(int offset, int length, std::string_view bytes, const std::vector<LineEnd>& ends)
{
    if (openStep_ != nullptr) {
        Record(*openStep_, offset, length, bytes, ends);
        return;
    }
    UndoStep& step = history_.Begin(StepKind::Command, selection_);
    Record(step, offset, length, bytes, ends);
    if (step.edits.empty())
        history_.DropLast();
    else
        step.after = selection_;
    history_.Seal();
}

void EditorDocument::AbandonStep()
{
    if (openStep_ == nullptr)
        return;
    for (auto edit = openStep_->edits.rbegin(); edit != openStep_->edits.rend(); ++edit)
        Apply(*edit, false);
    selection_ = openStep_->before;
    history_.DropLast();
    openStep_ = nullptr;
    stepDepth_ = 0;
    styling_.Refresh();
}

bool EditorDocument::Undo()
{
    const UndoStep* step = history_.Undo();
    if (step == nullptr)
        return false;
    deferStyling_ = true;
    for (auto edit = step->edits.rbegin(); edit != step->edits.rend(); ++edit)
        Apply(*edit, false);
    deferStyling_ = false;
    styling_.Refresh();
    selection_ = step->before;
    goalColumn = -1;
    return true;
}

bool EditorDocument::Redo()
{
    const UndoStep* step = history_.Redo();
    if (step == nullptr)
        return false;
    deferStyling_ = true;
    for (const struct Edit& edit : step->edits)
        Apply(edit, true);
    deferStyling_ = false;
    styling_.Refresh();
    selection_ = step->after;
    goalColumn = -1;
    return true;
}

void EditorDocument::Reload(std::string fileBytes)
{
    text_ = TextBuffer(std::move(fileBytes));
    selection_ = Selection{};
    history_.Clear(true);
    functions_.clear();
    unmovedChanges_.clear();
    ++revision_;
    styling_.SetStyler(styling_.CurrentStyler());
    if (onChange)
        onChange(0, -1, text_.Length());
}

} // namespace varnel::editor
