// The document's history: every change is a step of one or more edits, undone and
// redone as a whole, with the selection before and after it.
#pragma once

#include "text_buffer.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace varnel::editor {

struct Selection {
    int anchor = 0;
    int caret = 0;

    int Start() const { return anchor < caret ? anchor : caret; }
    int End() const { return anchor < caret ? caret : anchor; }
    int Length() const { return End() - Start(); }
    bool Empty() const { return anchor == caret; }
    bool operator==(const Selection& other) const { return anchor == other.anchor && caret == other.caret; }
};

// One change of the text: at `offset`, `removed` went and `inserted` came, each with the
// line ends of its line feeds.
struct Edit {
    int offset = 0;
    std::string removed;
    std::vector<LineEnd> removedEnds;
    std::string inserted;
    std::vector<LineEnd> insertedEnds;
};

// What made a step: steps of typing (and of deleting, one key at a time) grow while the
// same kind goes on at the caret; every other command is a step of its own.
enum class StepKind { Typing, Backspace, Delete, Command };

struct UndoStep {
    std::vector<Edit> edits; // in the order they were made
    Selection before;
    Selection after;
    StepKind kind = StepKind::Command;
    std::chrono::steady_clock::time_point lastEdit{};
};

class UndoLog {
public:
    // Starts a new step (ending any step that is open to more typing).
    UndoStep& Begin(StepKind kind, const Selection& before);
    // The step that typing of `kind` at `caret` at `now` continues, or null when it
    // must start a new one: the caret jumped, a pause or another command came between.
    UndoStep* Continuing(StepKind kind, int caret, std::chrono::steady_clock::time_point now);
    // Ends the open step: the next edit starts a new one.
    void Seal() { sealed_ = true; }
    // The step begun last changed the text: the steps it replaced are gone for good.
    void Commit();
    // Drops the last step without undoing it (its edits must already be undone); the
    // steps it replaced can be redone again.
    void DropLast();

    // The step Undo would take back, or null; Undo moves the position back over it.
    const UndoStep* Undo();
    const UndoStep* Redo();
    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < steps_.size(); }
    std::size_t StepCount() const { return steps_.size(); }

    // The text as it is now is what was saved.
    void MarkSaved() { savePoint_ = position_; }
    // Whether the text differs from what was saved (or, for a new text, from empty).
    bool Modified() const { return !savePoint_ || *savePoint_ != position_; }
    // Forgets every step; the text as it is now counts as saved when `saved`.
    void Clear(bool saved);

    // A pause that ends a step of typing.
    static constexpr std::chrono::milliseconds kTypingPause{2000};

private:
    std::vector<UndoStep> steps_;
    std::size_t position_ = 0;              // steps_[0..position_) are done
    std::optional<std::size_t> savePoint_ = 0; // none when the saved state was undone and replaced
    bool sealed_ = true;
    std::vector<UndoStep> undone_;             // what the step begun last replaced
    std::optional<std::size_t> undoneSavePoint_;
};

} // namespace varnel::editor
