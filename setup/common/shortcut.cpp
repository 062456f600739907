#include "shortcut.h"

#include "registry.h"
#include "setup_texts.h"

#include <objidl.h>
#include <shlobj.h>

namespace varnel::setup {

namespace {

// The shell link object and the two interfaces used on it.
constexpr CLSID kShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kShellLinkInterface = {0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kPersistFileInterface = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

} // namespace

HRESULT MakeShortcut(const std::string& target, const std::string& linkPath, const std::string& description)
{
    IShellLinkA* link = nullptr;
    HRESULT result = CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, kShellLinkInterface,
                                      reinterpret_cast<void**>(&link));
    if (FAILED(result))
        return result;
    link->SetPath(target.c_str());
    result = link->SetDescription(description.c_str());

    IPersistFile* file = nullptr;
    result = link->QueryInterface(kPersistFileInterface, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(result)) {
        WCHAR widePath[MAX_PATH] = {};
        // A path longer than the buffer is not saved cut short somewhere else.
        if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH) == 0)
            result = E_FAIL;
        else
            result = file->Save(widePath, TRUE);
        file->Release();
    }
    link->Release();
    return result;
}

std::vector<std::string> ProgramsFolders()
{
    std::vector<std::string> folders;
    if (auto user = ReadValue(HKEY_CURRENT_USER, kShellFoldersKey, kUserProgramsValue))
        folders.push_back(*user);
    if (auto common = ReadValue(HKEY_LOCAL_MACHINE, kShellFoldersKey, kCommonProgramsValue))
        folders.push_back(*common);
    return folders;
}

} // namespace varnel::setup
