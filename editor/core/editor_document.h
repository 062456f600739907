// An open document: its text, the selection, the history of its changes and the styling
// of its lines. Every change goes through here, so undo, styling and the function list's
// offsets all follow it.
#pragma once

#include "host_proxy.h" // FunctionEntry
#include "line_styling.h"
#include "text_buffer.h"
#include "undo_log.h"

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::editor {

using Clock = std::chrono::steady_clock;

// The line end of documents that have none yet.
#if defined(_WIN32)
constexpr LineEnd kNewDocumentLineEnd = LineEnd::CrLf;
#else
constexpr LineEnd kNewDocumentLineEnd = LineEnd::Lf;
#endif

// Line breaks of any kind ("\r\n", "\r", "\n") as line feeds: text typed or pasted takes
// the document's line end for each of them.
std::string LineFeedsOnly(std::string_view text);

class EditorDocument {
public:
    // `fileBytes` as read from a file (empty for a new document), line ends of any kind.
    explicit EditorDocument(std::string fileBytes = {}, LineEnd newLineEnd = kNewDocumentLineEnd);
    // A text already read into a buffer.
    explicit EditorDocument(TextBuffer text, LineEnd newLineEnd = kNewDocumentLineEnd);
    EditorDocument(const EditorDocument&) = delete;
    EditorDocument& operator=(const EditorDocument&) = delete;

    const TextBuffer& Text() const { return text_; }
    // The text as plug-ins see it, in one piece (valid until the next change).
    std::string_view Contiguous() { return text_.Contiguous(); }
    LineStyling& Styling() { return styling_; }

    const Selection& GetSelection() const { return selection_; }
    // Sets the selection, each end clamped to the text. Ends any step of typing.
    void Select(int anchor, int caret);
    void SetCaret(int caret) { Select(caret, caret); }

    // The line end that a line feed typed or pasted gets: the one most lines have.
    LineEnd NewLineEnd() const { return text_.MostCommonEnd(newLineEnd_); }

    // Typing: replaces the selection with `text` (line breaks of any kind become the
    // document's line end). Consecutive typing at the caret is one step of the history,
    // until the caret jumps, a pause of UndoLog::kTypingPause, or another command.
    void Type(std::string_view text, Clock::time_point now = Clock::now());
    // Overwrite mode: the typed text replaces as many characters after the caret, but
    // never a line end.
    void TypeOver(std::string_view text, Clock::time_point now = Clock::now());
    // Backspace and Delete: the selection, or the character before (after) the caret;
    // consecutive presses are one step.
    void Backspace(Clock::time_point now = Clock::now());
    void DeleteForward(Clock::time_point now = Clock::now());
    // Replaces the selection with `text` as one step of its own (paste, cut, a command);
    // the caret ends after the new text.
    void ReplaceSelection(std::string_view text);

    // Commands that make several edits make them inside one step: begin, edit through
    // Edit(), end with the selection to leave. A step without edits leaves no trace.
    void BeginStep();
    void EndStep(const Selection& after);
    // Replaces `length` bytes at `offset` with `bytes` (line feeds as in the buffer; each
    // takes the matching entry of `ends`, or the document's line end when there is none).
    // Within a step this adds to it; outside one it is a step of its own.
    void Edit(int offset, int length, std::string_view bytes, const std::vector<LineEnd>& ends = {});
    // Takes back the edits of the open step and drops it (a command that failed).
    void AbandonStep();

    bool Undo();
    bool Redo();
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    // Ends the step of typing, so that the next keystroke begins a new one.
    void SealTyping() { history_.Seal(); }

    bool Modified() const { return history_.Modified(); }
    // The text now is what the file holds (after saving it, or reloading it).
    void MarkSaved() { history_.MarkSaved(); }
    // Replaces the whole text with a file's bytes (revert, reload): history forgotten.
    void Reload(std::string fileBytes);

    // The function list and its entries' offsets, kept in step with every later change
    // until it is scanned again.
    std::vector<FunctionEntry>& Functions()
    {
        MoveOffsets();
        return functions_;
    }
    const std::vector<FunctionEntry>& Functions() const
    {
        MoveOffsets();
        return functions_;
    }

    // Called after every change of the text with where it was and how long the removed
    // and inserted text were (a window repaints; tests watch).
    std::function<void(int offset, int removed, int inserted)> onChange;

    // Changes of the text since the document was made (a window repaints when it moves).
    std::uint64_t Revision() const { return revision_; }
    // The column vertical moves aim at (kept across them), or -1.
    int goalColumn = -1;

private:
    // Applies one edit to the text, forwards (removed → inserted) or backwards.
    void Apply(const struct Edit& edit, bool forwards);
    // Applies and records an edit in `step`, joining it to the step's last edit when the
    // two are one run of typing or deleting.
    void Record(UndoStep& step, int offset, int length, std::string_view bytes, const std::vector<LineEnd>& ends);
    // Backspace (backwards) and Delete (forwards).
    void DeleteCharacter(bool forwards, Clock::time_point now);
    // Where typing of `kind` goes: the step it continues, or a new one.
    UndoStep& TypingStep(StepKind kind, Clock::time_point now);
    // Moves function-list offsets past the changes made since the last call.
    void MoveOffsets() const;

    TextBuffer text_;
    LineStyling styling_{text_};
    Selection selection_;
    UndoLog history_;
    UndoStep* openStep_ = nullptr; // the step of BeginStep, while it is open
    int stepDepth_ = 0;
    LineEnd newLineEnd_;
    mutable std::vector<FunctionEntry> functions_;
    struct Change {
        int offset;
        int removed;
        int inserted;
    };
    mutable std::vector<Change> unmovedChanges_; // not yet applied to functions_
    bool deferStyling_ = false;
    std::uint64_t revision_ = 0;
};

} // namespace varnel::editor
