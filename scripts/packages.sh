# The Debian packages the builds need, sourced by the scripts.
NATIVE_PACKAGES="cmake ninja-build g++ make flex binutils libgtest-dev googletest libbenchmark-dev libcli11-dev"
WINDOWS_PACKAGES="g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 wine wine64 xvfb xauth python3"
FUZZ_PACKAGES="clang libclang-rt-dev libre2-dev pkg-config"
# 32-bit Wine for the shipped 32-bit programs: Debian's wine32 from the i386 architecture.
WINE32_PACKAGES="wine32:i386"
