#include "document_recovery.h"

namespace varnel::editor {

bool DocumentRecovery::Tick(const EditorDocument& document, const std::optional<std::string>& path,
                            const std::string& title, Clock::time_point now, std::string* error)
{
    if (!timer_.Due(now))
        return false;
    if (!document.Modified()) {
        // Undone back to the saved text: nothing to keep.
        Saved(now);
        return false;
    }
    if (!store_.Write(id_, document.Text().FileText(), path, title, std::chrono::system_clock::now(), error))
        return false;
    timer_.Written(now);
    return true;
}

void DocumentRecovery::Saved(Clock::time_point now)
{
    timer_.Saved(now);
    store_.Remove(id_);
}

} // namespace varnel::editor
