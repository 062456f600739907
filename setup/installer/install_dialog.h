// The install dialog: shows the folder, lets the user browse for another, installs.
#pragma once

#include <windows.h>

#include <string>

namespace varnel::setup {

// Runs dialog 100 modally over the desktop. Answers 1 after an installation, 2 when
// the user left without installing.
INT_PTR RunInstallDialog(HINSTANCE instance, std::string installFolder);

} // namespace varnel::setup
