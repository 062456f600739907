// The `varnel` command: what the editor does with the modules, from a shell.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace varnel {

// Where a command reads and writes, and whether the two ends are terminals.
struct Console {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool inIsTerminal = true;
    bool outIsTerminal = false;
};

// Runs the command with its arguments (without the program name) and answers the
// exit status: 0 done, 1 failed (the reason on err), 2 bad usage.
int RunVarnel(const std::vector<std::string>& args, const Console& console);
// The same with nothing on standard input and output that is no terminal.
int RunVarnel(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace varnel
