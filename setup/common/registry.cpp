#include "registry.h"

namespace varnel::setup {

namespace {

// Longest key name the registry allows, with its terminating zero.
constexpr DWORD kKeyNameSize = 256;
constexpr DWORD kValueBufferSize = 1025;

const char* ValueName(const std::string& name)
{
    return name.empty() ? nullptr : name.c_str();
}

} // namespace

HKEY RootKey(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    }
    return HKEY_CURRENT_USER;
}

HKEY OpenKey(HKEY root, const std::string& path, bool create)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, create ? KEY_WRITE : KEY_READ, &key) == ERROR_SUCCESS)
        return key;
    if (!create || path.empty())
        return nullptr;

    const std::size_t slash = path.rfind('\\');
    HKEY parent = root;
    std::string name = path;
    if (slash != std::string::npos) {
        parent = OpenKey(root, path.substr(0, slash), true);
        if (!parent)
            return nullptr;
        name = path.substr(slash + 1);
    }
    key = nullptr;
    if (RegCreateKeyExA(parent, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        key = nullptr;
    if (parent != root)
        RegCloseKey(parent);
    return key;
}

bool WriteValue(HKEY root, const std::string& path, const std::string& name, const std::string& text)
{
    HKEY key = OpenKey(root, path, true);
    if (!key)
        return false;
    const LONG result = RegSetValueExA(key, ValueName(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                       static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool WriteValue(const RegistryValue& value)
{
    return WriteValue(RootKey(value.root), value.key, value.name, value.data);
}

std::optional<std::string> ReadValue(HKEY root, const std::string& path, const std::string& name)
{
    HKEY key = OpenKey(root, path, false);
    if (!key)
        return std::nullopt;
    char buffer[kValueBufferSize];
    DWORD size = sizeof buffer;
    DWORD type = 0;
    const LONG result = RegQueryValueExA(key, ValueName(name), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    // Stored data need not end in a zero: the text ends at the first zero or the data's end.
    std::string text(buffer, size);
    const std::size_t zero = text.find('\0');
    if (zero != std::string::npos)
        text.resize(zero);
    return text;
}

bool DeleteValue(HKEY root, const std::string& path, const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return false;
    const LONG result = RegDeleteValueA(key, ValueName(name));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::vector<std::string> SubkeyNames(HKEY root, const std::string& path)
{
    std::vector<std::string> names;
    HKEY key = OpenKey(root, path, false);
    if (!key)
        return names;
    for (DWORD index = 0;; ++index) {
        char name[kKeyNameSize];
        DWORD length = kKeyNameSize;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}

bool DeleteKeyTree(HKEY root, const std::string& path)
{
    if (path.empty())
        return false; // never the root itself
    for (const std::string& child : SubkeyNames(root, path))
        DeleteKeyTree(root, path + "\\" + child);
    return RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS;
}

bool DeleteKeyIfEmpty(HKEY root, const std::string& path)
{
    HKEY key = OpenKey(root, path, false);
    if (!key)
        return false;
    DWORD subkeys = 0;
    DWORD values = 0;
    const LONG result = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                         nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || subkeys != 0 || values != 0)
        return false;
    return RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS;
}

} // namespace varnel::setup
