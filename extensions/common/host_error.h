// Host operations that fail answer a non-zero code; inside an extension that code
// travels as a HostError exception until Perform turns it back into its result.
#pragma once

#include <exception>
#include <new>

namespace varnel::tool {

struct HostError {
    int code;
};

// Throws the host's code when it is not 0.
inline void Check(int code)
{
    if (code != 0)
        throw HostError{code};
}

// The result Perform answers for any failure that is not a host's code.
constexpr int kOtherFailure = -1;

// Runs `work` and answers Perform's result: 0 when it finishes, the code of a failed
// host operation, or kOtherFailure for any other exception (none may cross the C
// boundary).
template <typename Work>
int RunPerform(Work&& work) noexcept
{
    try {
        work();
        return 0;
    } catch (const HostError& error) {
        return error.code;
    } catch (...) {
        return kOtherFailure;
    }
}

} // namespace varnel::tool
