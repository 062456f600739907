// The removal itself, once the user has confirmed it.
#pragma once

namespace varnel::setup {

// Restores associations, removes files and folders, registry keys and shortcuts.
// Every failure is silent and the sequence goes on.
void RunUninstallSequence();

} // namespace varnel::setup
