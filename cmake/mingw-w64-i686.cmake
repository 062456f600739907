# Cross-compiling for Windows with mingw-w64 (i686), POSIX thread model: the test
# framework needs std::mutex; winpthreads is linked in statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# An exception that escapes ends the program with abort(), without the default handler's
# message: that handler names the exception's type through the C++ name demangler, about
# 80 KB that would otherwise sit in every program and DLL.
set(VARNEL_TERSE_TERMINATE "-Wl,--defsym,__ZN9__gnu_cxx27__verbose_terminate_handlerEv=_abort")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${VARNEL_TERSE_TERMINATE}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${VARNEL_TERSE_TERMINATE}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${VARNEL_TERSE_TERMINATE}")
