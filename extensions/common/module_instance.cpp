#include "module_instance.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

void* g_instance = nullptr;

} // namespace

namespace varnel::tool {

void* ModuleInstance()
{
    return g_instance;
}

} // namespace varnel::tool

#if defined(_WIN32)
// Keeps the instance handle; no other work, whatever the reason.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID)
{
    g_instance = instance;
    return TRUE;
}
#endif
