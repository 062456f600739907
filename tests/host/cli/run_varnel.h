// Running the varnel command in-process, as the command-line tests do.
#pragma once

#include "cli.h"

#include <sstream>
#include <string>
#include <vector>

namespace varnel::test {

struct Result {
    int status;
    std::string out;
    std::string err;
};

// Runs varnel with a terminal on standard input (so nothing arrives from a pipe).
inline Result Varnel(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunVarnel(args, out, err);
    return {status, out.str(), err.str()};
}

// Runs varnel with `input` arriving on a pipe.
inline Result VarnelReading(const std::vector<std::string>& args, const std::string& input)
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunVarnel(args, Console{in, out, err, false, false});
    return {status, out.str(), err.str()};
}

} // namespace varnel::test
