// The varnel commands. Each one adds itself to the command line with its own
// arguments and options, and runs with what was parsed.
#pragma once

#include "command_context.h"

#include <functional>
#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace varnel {

struct Command {
    CLI::App* app = nullptr;
    std::function<int(CommandContext&)> run;
};

Command AddLanguagesCommand(CLI::App& varnel);
Command AddHighlightCommand(CLI::App& varnel);
Command AddFunctionsCommand(CLI::App& varnel);
Command AddBalanceCommand(CLI::App& varnel);
Command AddCommentCommand(CLI::App& varnel, bool comment);
Command AddToolCommand(CLI::App& varnel);
Command AddEditCommand(CLI::App& varnel);

// A whole number from 0 up given for `what` (e.g. "FIRST"), or nullopt with a usage
// message written: not a number, or too large.
std::optional<int> ParseCount(CommandContext& context, const std::string& text, const char* what);

// Opens the FILE operand, or standard input when FILE was left out and input comes
// from a pipe. nullopt with the message written and *status set (kBadUsage when there
// is neither, kFailed when the input cannot be opened).
std::optional<Input> OpenFileOrStandardInput(CommandContext& context, const std::string& file, int* status);

} // namespace varnel
