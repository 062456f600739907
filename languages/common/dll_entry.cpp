// The library entry of a Windows plug-in does no work.
#if defined(_WIN32)
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    return reason == DLL_PROCESS_DETACH ? FALSE : TRUE;
}
#endif
