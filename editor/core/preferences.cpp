#include "preferences.h"

#include "file_operations.h"
#include "file_system.h"
#include "style_table.h"
#include "text_escape.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace varnel::editor {

namespace {

constexpr char kGroupSeparator = '\\';
// Characters escaped in a name, beyond those every escaped text has: the name ends at
// the first "=", and a line that begins with "#" is a comment.
constexpr std::string_view kNameSeparators = "=#";
constexpr char kListSeparator = ';';
constexpr std::string_view kListSeparators = ";";
constexpr const char* kFileHeading = "# Varnel editor preferences: one name=value a line.\n";

std::optional<int> ParseInteger(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, value);
    if (text.empty() || failure != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

// ---------------------------------------------------------------------------------
// The file store.

FilePreferenceStore::FilePreferenceStore(std::string path)
    : path_(std::move(path))
{
    const std::optional<std::string> text = ReadFile(path_);
    if (!text)
        return;
    std::string_view rest = *text;
    if (rest.substr(0, 3) == "\xEF\xBB\xBF")
        rest.remove_prefix(3);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        // A file edited elsewhere may end its lines with CR LF; no value holds a bare CR.
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        const std::string_view escapedName = SplitEscaped(line, '=').front();
        if (escapedName.size() == line.size())
            continue; // no "="
        const std::optional<std::string> name = UnescapeText(escapedName, kNameSeparators);
        if (!name || name->empty())
            continue;
        values_[*name] = std::string(line.substr(escapedName.size() + 1));
    }
}

std::optional<std::string> FilePreferenceStore::GetString(const std::string& name) const
{
    const auto found = values_.find(name);
    if (found == values_.end())
        return std::nullopt;
    return UnescapeText(found->second);
}

std::optional<int> FilePreferenceStore::GetInteger(const std::string& name) const
{
    const auto found = values_.find(name);
    if (found == values_.end())
        return std::nullopt;
    return ParseInteger(found->second);
}

std::optional<bool> FilePreferenceStore::GetBoolean(const std::string& name) const
{
    const auto found = values_.find(name);
    if (found == values_.end())
        return std::nullopt;
    if (found->second == "true")
        return true;
    if (found->second == "false")
        return false;
    return std::nullopt;
}

std::optional<std::vector<std::string>> FilePreferenceStore::GetStringList(const std::string& name) const
{
    const auto found = values_.find(name);
    if (found == values_.end())
        return std::nullopt;
    std::vector<std::string> values;
    for (const std::string_view piece : SplitEscaped(found->second, kListSeparator)) {
        std::optional<std::string> value = UnescapeText(piece, kListSeparators);
        if (!value)
            return std::nullopt;
        if (!value->empty())
            values.push_back(std::move(*value));
    }
    return values;
}

void FilePreferenceStore::SetString(const std::string& name, const std::string& value)
{
    values_[name] = EscapeText(value);
}

void FilePreferenceStore::SetInteger(const std::string& name, int value)
{
    values_[name] = std::to_string(value);
}

void FilePreferenceStore::SetBoolean(const std::string& name, bool value)
{
    values_[name] = value ? "true" : "false";
}

void FilePreferenceStore::SetStringList(const std::string& name, const std::vector<std::string>& values)
{
    std::string joined;
    for (const std::string& value : values) {
        if (value.empty())
            continue;
        if (!joined.empty())
            joined += kListSeparator;
        joined += EscapeText(value, kListSeparators);
    }
    values_[name] = joined;
}

void FilePreferenceStore::Remove(const std::string& name)
{
    values_.erase(name);
}

std::vector<std::string> FilePreferenceStore::Names(const std::string& group) const
{
    std::vector<std::string> names;
    for (const auto& [name, value] : values_) {
        const std::size_t separator = name.find(kGroupSeparator);
        if (group.empty() && separator == std::string::npos)
            names.push_back(name);
        else if (!group.empty() && separator == group.size() && name.compare(0, separator, group) == 0)
            names.push_back(name.substr(separator + 1));
    }
    return names;
}

bool FilePreferenceStore::Save(std::string* error)
{
    std::string text = kFileHeading;
    for (const auto& [name, value] : values_)
        text += EscapeText(name, kNameSeparators) + "=" + value + "\n";
    const std::string folder = path_.substr(0, path_.size() - FileName(path_).size());
    if (!folder.empty() && !MakeFolders(folder, error))
        return false;
    return WriteFile(path_, text, error);
}

// ---------------------------------------------------------------------------------
// The registry store.

#if defined(_WIN32)

namespace {

// The key and value name a store name stands for under the store's key.
struct RegistryPlace {
    std::string key;
    std::string value;
};

RegistryPlace PlaceOf(const std::string& storeKey, const std::string& name)
{
    const std::size_t separator = name.find(kGroupSeparator);
    if (separator == std::string::npos)
        return {storeKey, name};
    return {storeKey + "\\" + name.substr(0, separator), name.substr(separator + 1)};
}

std::string RegistryMessage(LONG code)
{
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&text), 0,
                                        nullptr);
    std::string message = length > 0 && text != nullptr ? std::string(text, length) : "error " + std::to_string(code);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message;
}

std::string DwordBytes(DWORD value)
{
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

std::optional<DWORD> DwordOf(const std::optional<std::string>& data)
{
    if (!data || data->size() != sizeof(DWORD))
        return std::nullopt;
    DWORD value = 0;
    std::copy(data->begin(), data->end(), reinterpret_cast<char*>(&value));
    return value;
}

} // namespace

RegistryPreferenceStore::RegistryPreferenceStore(std::string key)
    : key_(std::move(key))
{
}

void RegistryPreferenceStore::Put(const std::string& name, unsigned long type, const std::string& data)
{
    const RegistryPlace place = PlaceOf(key_, name);
    HKEY key = nullptr;
    LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, place.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &key, nullptr);
    if (result == ERROR_SUCCESS) {
        result = RegSetValueExA(key, place.value.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                static_cast<DWORD>(data.size()));
        RegCloseKey(key);
    }
    if (result != ERROR_SUCCESS && failure_.empty())
        failure_ = name + ": " + RegistryMessage(result);
}

std::optional<std::string> RegistryPreferenceStore::Get(const std::string& name, unsigned long type) const
{
    const RegistryPlace place = PlaceOf(key_, name);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, place.key.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<std::string> data;
    // The value may grow between asking its size and reading it: ask again then.
    for (int attempt = 0; attempt < 4 && !data; ++attempt) {
        DWORD storedType = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key, place.value.c_str(), nullptr, &storedType, nullptr, &size) != ERROR_SUCCESS ||
            storedType != type)
            break;
        std::string bytes(size, '\0');
        const LONG result = RegQueryValueExA(key, place.value.c_str(), nullptr, &storedType,
                                             reinterpret_cast<BYTE*>(bytes.data()), &size);
        if (result == ERROR_SUCCESS && storedType == type) {
            bytes.resize(std::min<std::size_t>(size, bytes.size()));
            data = std::move(bytes);
        } else if (result != ERROR_MORE_DATA) {
            break;
        }
    }
    RegCloseKey(key);
    return data;
}

std::optional<std::string> RegistryPreferenceStore::GetString(const std::string& name) const
{
    std::optional<std::string> data = Get(name, REG_SZ);
    // The stored text may or may not end with its NUL; it ends at the first one.
    if (data)
        data->resize(std::min(data->find('\0'), data->size()));
    return data;
}

std::optional<int> RegistryPreferenceStore::GetInteger(const std::string& name) const
{
    const std::optional<DWORD> value = DwordOf(Get(name, REG_DWORD));
    if (!value)
        return std::nullopt;
    return static_cast<int>(static_cast<std::int32_t>(*value));
}

std::optional<bool> RegistryPreferenceStore::GetBoolean(const std::string& name) const
{
    const std::optional<DWORD> value = DwordOf(Get(name, REG_DWORD));
    if (!value || *value > 1)
        return std::nullopt;
    return *value == 1;
}

std::optional<std::vector<std::string>> RegistryPreferenceStore::GetStringList(const std::string& name) const
{
    const std::optional<std::string> data = Get(name, REG_MULTI_SZ);
    if (!data)
        return std::nullopt;
    // Strings each ended by a NUL, and one more NUL; a missing last NUL is forgiven.
    std::vector<std::string> values;
    std::size_t start = 0;
    while (start < data->size()) {
        std::size_t end = data->find('\0', start);
        if (end == std::string::npos)
            end = data->size();
        if (end > start)
            values.push_back(data->substr(start, end - start));
        start = end + 1;
    }
    return values;
}

void RegistryPreferenceStore::SetString(const std::string& name, const std::string& value)
{
    Put(name, REG_SZ, value.substr(0, value.find('\0')) + '\0');
}

void RegistryPreferenceStore::SetInteger(const std::string& name, int value)
{
    Put(name, REG_DWORD, DwordBytes(static_cast<DWORD>(static_cast<std::uint32_t>(value))));
}

void RegistryPreferenceStore::SetBoolean(const std::string& name, bool value)
{
    Put(name, REG_DWORD, DwordBytes(value ? 1 : 0));
}

void RegistryPreferenceStore::SetStringList(const std::string& name, const std::vector<std::string>& values)
{
    std::string data;
    for (const std::string& value : values) {
        const std::string text = value.substr(0, value.find('\0'));
        if (!text.empty())
            data += text + '\0';
    }
    data += '\0';
    Put(name, REG_MULTI_SZ, data);
}

void RegistryPreferenceStore::Remove(const std::string& name)
{
    const RegistryPlace place = PlaceOf(key_, name);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, place.key.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    const LONG result = RegDeleteValueA(key, place.value.c_str());
    RegCloseKey(key);
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND && failure_.empty())
        failure_ = name + ": " + RegistryMessage(result);
}

std::vector<std::string> RegistryPreferenceStore::Names(const std::string& group) const
{
    std::vector<std::string> names;
    HKEY key = nullptr;
    const std::string path = group.empty() ? key_ : key_ + "\\" + group;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return names;
    // Value names are at most 16383 characters.
    std::string name(16384, '\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumValueA(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(name.substr(0, length));
    }
    RegCloseKey(key);
    return names;
}

bool RegistryPreferenceStore::Save(std::string* error)
{
    const bool kept = failure_.empty();
    if (!kept && error != nullptr)
        *error = failure_;
    failure_.clear();
    return kept;
}

#endif

std::unique_ptr<PreferenceStore> OpenPreferenceStore(const std::string& path)
{
#if defined(_WIN32)
    (void)path;
    return std::make_unique<RegistryPreferenceStore>();
#else
    return std::make_unique<FilePreferenceStore>(path);
#endif
}

// ---------------------------------------------------------------------------------
// The editor's settings.

namespace {

constexpr const char* kTabWidth = "TabWidth";
constexpr const char* kShowIncludes = "ShowIncludes";
constexpr const char* kShowPrototypes = "ShowPrototypes";
constexpr const char* kShowTypes = "ShowTypes";
constexpr const char* kRecentFiles = "RecentFiles";
constexpr const char* kOpenFiles = "OpenFiles";
constexpr const char* kStyles = "Styles";
// The first field of a style string, which the stored form leaves out.
constexpr const char* kStylePrefix = "08:";
constexpr std::size_t kStylePrefixLength = 3;

// The paths without empty ones and without a path listed before it, at most `limit`.
std::vector<std::string> DistinctPaths(const std::vector<std::string>& paths, std::size_t limit)
{
    std::vector<std::string> kept;
    for (const std::string& path : paths) {
        if (kept.size() == limit)
            break;
        if (path.empty())
            continue;
        const bool listed = std::any_of(kept.begin(), kept.end(),
                                        [&](const std::string& other) { return SamePath(path, other); });
        if (!listed)
            kept.push_back(path);
    }
    return kept;
}

std::optional<std::string> StyleFromStored(const std::string& stored)
{
    if (ParseStyleString(stored))
        return stored;
    const std::string full = kStylePrefix + stored;
    if (ParseStyleString(full))
        return full;
    return std::nullopt;
}

} // namespace

std::string StyleOverrideKey(const std::string& language, const std::string& styleName)
{
    return language + "-" + styleName;
}

void EditorPreferences::NoteRecentFile(const std::string& path)
{
    if (path.empty())
        return;
    std::vector<std::string> files{path};
    files.insert(files.end(), recentFiles.begin(), recentFiles.end());
    recentFiles = DistinctPaths(files, kMaxRecentFiles);
}

void EditorPreferences::ForgetRecentFile(const std::string& path)
{
    recentFiles.erase(std::remove_if(recentFiles.begin(), recentFiles.end(),
                                     [&](const std::string& other) { return SamePath(path, other); }),
                      recentFiles.end());
}

std::optional<std::string> EditorPreferences::StyleOverride(const std::string& language,
                                                            const std::string& styleName) const
{
    const auto found = styleOverrides.find(StyleOverrideKey(language, styleName));
    if (found == styleOverrides.end())
        return std::nullopt;
    return found->second;
}

bool EditorPreferences::SetStyleOverride(const std::string& language, const std::string& styleName,
                                         const std::string& style)
{
    if (!ParseStyleString(style))
        return false;
    styleOverrides[StyleOverrideKey(language, styleName)] = style;
    return true;
}

void EditorPreferences::ClearStyleOverride(const std::string& language, const std::string& styleName)
{
    styleOverrides.erase(StyleOverrideKey(language, styleName));
}

EditorPreferences LoadEditorPreferences(const PreferenceStore& store)
{
    EditorPreferences preferences;
    const std::optional<int> tabWidth = store.GetInteger(kTabWidth);
    if (tabWidth && *tabWidth >= EditorPreferences::kMinTabWidth && *tabWidth <= EditorPreferences::kMaxTabWidth)
        preferences.tabWidth = *tabWidth;
    preferences.functionList.showIncludes = store.GetBoolean(kShowIncludes).value_or(true);
    preferences.functionList.showPrototypes = store.GetBoolean(kShowPrototypes).value_or(true);
    preferences.functionList.showTypes = store.GetBoolean(kShowTypes).value_or(true);
    for (const std::string& key : store.Names(kStyles)) {
        const std::optional<std::string> stored = store.GetString(std::string(kStyles) + kGroupSeparator + key);
        if (!stored)
            continue;
        if (std::optional<std::string> style = StyleFromStored(*stored))
            preferences.styleOverrides[key] = std::move(*style);
    }
    preferences.recentFiles = DistinctPaths(store.GetStringList(kRecentFiles).value_or(std::vector<std::string>{}),
                                            EditorPreferences::kMaxRecentFiles);
    preferences.openFiles =
        DistinctPaths(store.GetStringList(kOpenFiles).value_or(std::vector<std::string>{}), std::string::npos);
    return preferences;
}

bool SaveEditorPreferences(const EditorPreferences& preferences, PreferenceStore& store, std::string* error)
{
    store.SetInteger(kTabWidth, preferences.tabWidth);
    store.SetBoolean(kShowIncludes, preferences.functionList.showIncludes);
    store.SetBoolean(kShowPrototypes, preferences.functionList.showPrototypes);
    store.SetBoolean(kShowTypes, preferences.functionList.showTypes);
    store.SetStringList(kRecentFiles, preferences.recentFiles);
    store.SetStringList(kOpenFiles, preferences.openFiles);
    const std::string group = std::string(kStyles) + kGroupSeparator;
    for (const std::string& key : store.Names(kStyles)) {
        if (preferences.styleOverrides.count(key) == 0)
            store.Remove(group + key);
    }
    for (const auto& [key, style] : preferences.styleOverrides) {
        // Kept in the form the host writes styles back in, without the first field.
        if (ParseStyleString(style))
            store.SetString(group + key, style.substr(kStylePrefixLength));
    }
    return store.Save(error);
}

} // namespace varnel::editor
