// A document open in a tab: the core's document and what the window keeps beside it.
#pragma once

#include "document_recovery.h"
#include "editor_document.h"
#include "file_stamp.h"
#include "host_proxy.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnel::editor::win32 {

struct OpenDocument {
    std::unique_ptr<EditorDocument> document;
    std::optional<std::string> path; // ANSI; none for a document never saved
    std::string untitledName;        // "Untitled 2" for a document without a path
    int language = -1;               // index into the frame's languages; -1 plain text
    FileStamp stamp;                 // of the file when it was read or saved
    std::unique_ptr<DocumentRecovery> recovery;
    int topLine = 0;
    int leftColumn = 0;
    bool functionsStale = true; // edited since the function list was scanned
    std::vector<IncludeEntry> includes; // what the last scan listed as included

    // The file name, or the untitled name.
    std::string Name() const;
};

} // namespace varnel::editor::win32
