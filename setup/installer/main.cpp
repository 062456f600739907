// The installer: checks the system, asks for the folder, installs the product.
#include "fatal_error.h"
#include "install_dialog.h"
#include "install_plan.h"
#include "registry.h"
#include "setup_texts.h"

#include <windows.h>

using namespace varnel::setup;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (!IsSupportedWindowsVersion(ReadValue(HKEY_LOCAL_MACHINE, kWindowsNtVersionKey, kCurrentVersionValue)))
        FatalError("%s", kWrongWindowsMessage);
    const auto programFiles = ReadValue(HKEY_LOCAL_MACHINE, kWindowsVersionKey, kProgramFilesValue);
    RunInstallDialog(instance, DefaultInstallFolder(programFiles.value_or("")));
    return 0;
}
