// The `varnel` command: what the editor does with the modules, from a shell.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace varnel {

// Runs the command with its arguments (without the program name) and answers the
// exit status: 0 done, 1 failed (the reason on err), 2 bad usage.
int RunVarnel(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace varnel
