#include "file_writer.h"

#include "fatal_error.h"
#include "setup_texts.h"

namespace varnel::setup {

void WritePayloadFile(HMODULE module, const std::string& resourceName, const std::string& path)
{
    HRSRC resource = FindResourceA(module, resourceName.c_str(), kPayloadResourceType);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = resource ? SizeofResource(module, resource) : 0;
    if (!bytes)
        FatalError("%s", kMissingResourceMessage);

    DeleteFileA(path.c_str());
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        FatalError(kCreateErrorFormat, path.c_str());
    DWORD written = 0;
    // A short write is a failed write: the file on disk would not be the payload.
    if (!WriteFile(file, bytes, size, &written, nullptr) || written != size) {
        CloseHandle(file);
        FatalError(kWriteErrorFormat, path.c_str());
    }
    CloseHandle(file);
}

} // namespace varnel::setup
