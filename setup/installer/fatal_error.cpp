#include "fatal_error.h"

#include "setup_texts.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace varnel::setup {

void FatalError(const char* format, ...)
{
    char message[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    MessageBoxA(nullptr, message, kInstallerErrorTitle, MB_OK | MB_ICONERROR);
    ExitProcess(1);
}

} // namespace varnel::setup
