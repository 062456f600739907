// Start-menu shortcuts, shared by the installer and the uninstaller.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace varnel::setup {

// Saves a shell link at `linkPath` pointing at `target` with `description`. COM must be
// initialised for the thread. Answers the COM result of the last step.
HRESULT MakeShortcut(const std::string& target, const std::string& linkPath, const std::string& description);

// The Start-menu programs folders that can be read: the user's "Programs", then the
// "Common Programs" of all users.
std::vector<std::string> ProgramsFolders();

} // namespace varnel::setup
