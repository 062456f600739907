#include "cli.h"

#include <cstdio>
#include <iostream>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#define VARNEL_ISATTY _isatty
#define VARNEL_FILENO _fileno
#else
#include <unistd.h>
#define VARNEL_ISATTY isatty
#define VARNEL_FILENO fileno
#endif

int main(int argc, char** argv)
{
#if defined(_WIN32)
    // Text goes in and out byte for byte, as on every other platform.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    const std::vector<std::string> args(argv + 1, argv + argc);
    const varnel::Console console{std::cin, std::cout, std::cerr, VARNEL_ISATTY(VARNEL_FILENO(stdin)) != 0,
                                  VARNEL_ISATTY(VARNEL_FILENO(stdout)) != 0};
    int status = varnel::RunVarnel(args, console);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        if (status == 0)
            std::perror("varnel: cannot write the output");
        status = 1;
    }
    return status;
}
