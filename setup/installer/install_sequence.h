// The installation itself, from the folder tree to starting the editor.
#pragma once

#include <windows.h>

#include <string>

namespace varnel::setup {

// Installs into `installFolder` from the payload of `module`; fatal errors end the process.
void RunInstallSequence(HMODULE module, const std::string& installFolder);

} // namespace varnel::setup
