// The installer's one way out on failure.
#pragma once

namespace varnel::setup {

// Shows the message (formatted like printf, at most 1023 characters) in an error box
// without owner, titled "Varnel Installer error", then ends the process with code 1.
[[noreturn]] void FatalError(const char* format, ...);

} // namespace varnel::setup
