// Untitled program.

#include <iostream>

int main(int argc, char* argv[])
{
    (void)argc;
    (void)argv;
    std::cout << "Hello\n";
    return 0;
}
