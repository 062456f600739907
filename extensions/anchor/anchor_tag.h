// The anchor inserter's work on the document, apart from its dialog.
#pragma once

#include "tool_proxy.h"

#include <optional>
#include <string>

namespace varnel::tool::anchor {

// The inside of an opening tag: after its "<", up to its ">".
struct TagRange {
    int start = 0;
    int length = 0;
};

// The opening "a" tag that the selection covers or the caret lies in, or nothing. A
// caret in the element's content (past the tag's ">") finds the opening tag alone,
// never the content or the closing tag.
std::optional<TagRange> LocateAnchorTag(VTextProxy& document);

struct AnchorAttributes {
    std::optional<std::string> href;
    std::optional<std::string> name;
    std::optional<std::string> title;
};

// The href, name and title values of the tag (each when present; a later one wins).
AnchorAttributes ReadAnchorAttributes(VTextProxy& document, const TagRange& tag);

// "<a" with href, name and title attributes for the non-empty values, then ">".
std::string BuildOpeningTag(const std::string& href, const std::string& name, const std::string& title);

// Applies the tag at the selection: a new element wraps it (and it stays selected inside
// it), or, when an existing tag is selected, the tag replaces it and is selected.
// Throws HostError when the host refuses an insertion or the selection.
void ApplyAnchor(VTextProxy& document, const std::string& openingTag, bool editingExisting);

} // namespace varnel::tool::anchor
