// Keeps the recovery copy of one open document current: written a few seconds after the
// typing stops while the document is modified, removed when it is saved, reverted,
// undone to its saved text or closed.
#pragma once

#include "editor_document.h"
#include "recovery.h"

#include <optional>
#include <string>

namespace varnel::editor {

class DocumentRecovery {
public:
    explicit DocumentRecovery(RecoveryStore& store) : store_(store), id_(store.NewId()) {}
    DocumentRecovery(RecoveryStore& store, std::string id) : store_(store), id_(std::move(id)) {}
    DocumentRecovery(const DocumentRecovery&) = delete;
    DocumentRecovery& operator=(const DocumentRecovery&) = delete;

    const std::string& Id() const { return id_; }

    // The document changed at `now`.
    void Edited(Clock::time_point now) { timer_.Edited(now); }
    // Writes the copy when one is due; a document that is no longer modified has its
    // copy removed instead. Answers whether a copy was written.
    bool Tick(const EditorDocument& document, const std::optional<std::string>& path, const std::string& title,
              Clock::time_point now, std::string* error = nullptr);
    // The document was saved (or reverted): its copy goes.
    void Saved(Clock::time_point now);
    // The document was closed: its copy goes.
    void Closed() { Saved(Clock::now()); }

private:
    RecoveryStore& store_;
    std::string id_;
    RecoveryTimer timer_;
};

} // namespace varnel::editor
