// Removing an installed folder tree.
#pragma once

#include <string>

namespace varnel::setup {

// Deletes the folder's files and subfolders, then the folder. Read-only, hidden and
// system entries stay (and so do the folders holding them). A junction or folder link
// is removed as a link: what it points at is never entered.
void RemoveFolderTree(const std::string& folder);

// Removes a junction or folder link itself; what it points at is never entered or removed.
void RemoveFolderLink(const std::string& link);

} // namespace varnel::setup
