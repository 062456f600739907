#include "dde_server.h"

#include "dde_commands.h"

#include <windows.h>
#include <ddeml.h>


namespace varnel::editor::win32 {

namespace {

// DDEML calls back without a context: the one server of the process lives here.
DWORD gInstance = 0;
HSZ gService = nullptr;
HSZ gTopic = nullptr;
std::function<void(const std::wstring&)> gOpen;

// The execute string as text: clients send UTF-16 or ANSI bytes, told apart by the
// zero high byte UTF-16 gives the leading "[".
std::wstring ExecuteText(const BYTE* data, DWORD size)
{
    if (size >= 2 && data[1] == 0) {
        std::wstring text(reinterpret_cast<const wchar_t*>(data), size / 2);
        return text.substr(0, text.find(L'\0'));
    }
    std::string bytes(reinterpret_cast<const char*>(data), size);
    bytes = bytes.substr(0, bytes.find('\0'));
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

HDDEDATA CALLBACK ServerCallback(UINT type, UINT, HCONV, HSZ topic, HSZ service, HDDEDATA data, ULONG_PTR, ULONG_PTR)
{
    switch (type) {
    case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(static_cast<INT_PTR>(DdeCmpStringHandles(topic, gTopic) == 0 &&
                                                                DdeCmpStringHandles(service, gService) == 0));
    case XTYP_EXECUTE: {
        DWORD size = 0;
        const BYTE* bytes = DdeAccessData(data, &size);
        if (!bytes)
            return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
        const std::wstring text = ExecuteText(bytes, size);
        DdeUnaccessData(data);
        std::vector<std::wstring> paths;
        const bool whole = ParseOpenCommands(text, &paths);
        for (const std::wstring& path : paths)
            if (gOpen)
                gOpen(path);
        return reinterpret_cast<HDDEDATA>(whole && !paths.empty() ? DDE_FACK : DDE_FNOTPROCESSED);
    }
    default: return nullptr;
    }
}

HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

} // namespace

bool DdeServer::Start(std::function<void(const std::wstring& path)> open)
{
    gOpen = std::move(open);
    if (DdeInitializeW(&gInstance, ServerCallback,
                       APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES | CBF_FAIL_REQUESTS |
                           CBF_SKIP_DISCONNECTS,
                       0) != DMLERR_NO_ERROR)
        return false;
    gService = DdeCreateStringHandleW(gInstance, kDdeApplication, CP_WINUNICODE);
    gTopic = DdeCreateStringHandleW(gInstance, kDdeTopic, CP_WINUNICODE);
    return DdeNameService(gInstance, gService, nullptr, DNS_REGISTER) != nullptr;
}

void DdeServer::Stop()
{
    if (!gInstance)
        return;
    DdeNameService(gInstance, gService, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(gInstance, gService);
    DdeFreeStringHandle(gInstance, gTopic);
    DdeUninitialize(gInstance);
    gInstance = 0;
}

bool SendOpenCommands(const std::vector<std::wstring>& paths)
{
    DWORD instance = 0;
    if (DdeInitializeW(&instance, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return false;
    HSZ service = DdeCreateStringHandleW(instance, kDdeApplication, CP_WINUNICODE);
    HSZ topic = DdeCreateStringHandleW(instance, kDdeTopic, CP_WINUNICODE);
    bool sent = false;
    if (HCONV conversation = DdeConnect(instance, service, topic, nullptr)) {
        std::wstring command;
        for (const std::wstring& path : paths)
            command += L"[open(\"" + path + L"\")]";
        DWORD result = 0;
        sent = DdeClientTransaction(reinterpret_cast<BYTE*>(command.data()),
                                    static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)), conversation, nullptr,
                                    0, XTYP_EXECUTE, 10000, &result) != nullptr;
        DdeDisconnect(conversation);
    }
    DdeFreeStringHandle(instance, service);
    DdeFreeStringHandle(instance, topic);
    DdeUninitialize(instance);
    return sent;
}

} // namespace varnel::editor::win32
