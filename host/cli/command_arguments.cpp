// Operands that several commands take.
#include "commands.h"

#include <climits>

namespace varnel {

std::optional<int> ParseCount(CommandContext& context, const std::string& text, const char* what)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        context.Usage(std::string(what) + " must be a whole number from 0 up, not '" + text + "'");
        return std::nullopt;
    }
    long long value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
        if (value > INT_MAX) {
            context.Usage(std::string(what) + " is too large: " + text);
            return std::nullopt;
        }
    }
    return static_cast<int>(value);
}

std::optional<Input> OpenFileOrStandardInput(CommandContext& context, const std::string& file, int* status)
{
    if (file.empty() && context.Streams().inIsTerminal) {
        *status = context.Usage("name a FILE, or '-' for standard input");
        return std::nullopt;
    }
    std::optional<Input> input = context.Open(file.empty() ? std::string(kStandardInput) : file);
    if (!input)
        *status = kFailed;
    return input;
}

} // namespace varnel
