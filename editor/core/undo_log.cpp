#include "undo_log.h"

namespace varnel::editor {

UndoStep& UndoLog::Begin(StepKind kind, const Selection& before)
{
    // A new step after undoing drops the steps that were undone; they are kept aside
    // until the step proves to change something.
    undone_.assign(std::make_move_iterator(steps_.begin() + static_cast<std::ptrdiff_t>(position_)),
                   std::make_move_iterator(steps_.end()));
    undoneSavePoint_ = savePoint_;
    steps_.resize(position_);
    if (savePoint_ && *savePoint_ > position_)
        savePoint_.reset();
    UndoStep step;
    step.kind = kind;
    step.before = before;
    step.after = before;
    steps_.push_back(std::move(step));
    position_ = steps_.size();
    sealed_ = kind == StepKind::Command;
    return steps_.back();
}

void UndoLog::Commit()
{
    undone_.clear();
}

UndoStep* UndoLog::Continuing(StepKind kind, int caret, std::chrono::steady_clock::time_point now)
{
    if (sealed_ || position_ == 0 || position_ != steps_.size())
        return nullptr;
    UndoStep& last = steps_.back();
    if (last.kind != kind || last.after.caret != caret || !last.after.Empty() || now - last.lastEdit >= kTypingPause)
        return nullptr;
    // Typing after a save starts a new step, so that undo comes back to the saved text.
    if (savePoint_ && *savePoint_ == position_)
        return nullptr;
    return &last;
}

void UndoLog::DropLast()
{
    if (steps_.empty())
        return;
    steps_.pop_back();
    position_ = steps_.size();
    sealed_ = true;
    // The steps a dropped step would have replaced are there to redo again.
    for (UndoStep& step : undone_)
        steps_.push_back(std::move(step));
    undone_.clear();
    savePoint_ = undoneSavePoint_;
}

const UndoStep* UndoLog::Undo()
{
    sealed_ = true;
    if (position_ == 0)
        return nullptr;
    return &steps_[--position_];
}

const UndoStep* UndoLog::Redo()
{
    sealed_ = true;
    if (position_ == steps_.size())
        return nullptr;
    return &steps_[position_++];
}

void UndoLog::Clear(bool saved)
{
    steps_.clear();
    undone_.clear();
    position_ = 0;
    sealed_ = true;
    if (saved)
        savePoint_ = 0;
    else
        savePoint_.reset();
}

} // namespace varnel::editor
