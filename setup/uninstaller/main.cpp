// The uninstaller: asks once, then removes the product.
#include "setup_texts.h"
#include "uninstall_sequence.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    using namespace varnel::setup;
    if (MessageBoxA(nullptr, kConfirmText, kConfirmTitle, MB_OKCANCEL) == IDOK)
        RunUninstallSequence();
    return 0;
}
