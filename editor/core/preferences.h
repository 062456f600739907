// The editor's preferences: a store of named values, and the settings the editor keeps
// in it.
#pragma once

#include "host_proxy.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnel::editor {

// Where the preferences live on Windows: under HKEY_CURRENT_USER.
constexpr const char* kPreferencesKey = "Software\\Tammerlin\\varnel\\Editor";

// Named values of four kinds: strings, integers, booleans and lists of strings. A name
// "Group\Name" puts the value in a group (the part before the first "\"), whose names
// Names lists; any other name is outside every group.
//
// The two stores keep the kinds apart as follows:
// - FilePreferenceStore: one line "name=value" per value, the name and the value
//   escaped as in text_escape.h (the name's "=" and "#" too), so that any bytes round-
//   trip; an integer in decimal, a boolean "true" or "false", a list its elements
//   joined by ";" (each element's ";" escaped). Lines that begin with "#" are comments.
// - RegistryPreferenceStore (Windows): a string REG_SZ, an integer or boolean REG_DWORD
//   (a boolean 0 or 1), a list REG_MULTI_SZ; a group is a subkey. A string ends at its
//   first NUL byte there.
// A list holds no empty strings: setting one drops them.
class PreferenceStore {
public:
    virtual ~PreferenceStore() = default;

    // Each answers nullopt when the value is missing or is not of the kind asked for
    // (an integer out of the int range, a boolean other than true or false, text that
    // does not read as the kind).
    virtual std::optional<std::string> GetString(const std::string& name) const = 0;
    virtual std::optional<int> GetInteger(const std::string& name) const = 0;
    virtual std::optional<bool> GetBoolean(const std::string& name) const = 0;
    virtual std::optional<std::vector<std::string>> GetStringList(const std::string& name) const = 0;

    // Each replaces the value of that name, whatever its kind was.
    virtual void SetString(const std::string& name, const std::string& value) = 0;
    virtual void SetInteger(const std::string& name, int value) = 0;
    virtual void SetBoolean(const std::string& name, bool value) = 0;
    virtual void SetStringList(const std::string& name, const std::vector<std::string>& values) = 0;
    virtual void Remove(const std::string& name) = 0;

    // The names in a group, without the group's "\" prefix; group "" lists the names
    // outside every group. In no particular order.
    virtual std::vector<std::string> Names(const std::string& group) const = 0;

    // Makes the changes so far lasting. False, with the reason in *error when given,
    // when some change could not be kept.
    virtual bool Save(std::string* error = nullptr) = 0;
};

// The preferences in a text file, read when the store is made and written by Save.
class FilePreferenceStore final : public PreferenceStore {
public:
    // Reads the file when there is one; a missing or unreadable file reads as no
    // values, and a line that is not of the form above is passed over (the last line
    // of a name counts).
    explicit FilePreferenceStore(std::string path);

    std::optional<std::string> GetString(const std::string& name) const override;
    std::optional<int> GetInteger(const std::string& name) const override;
    std::optional<bool> GetBoolean(const std::string& name) const override;
    std::optional<std::vector<std::string>> GetStringList(const std::string& name) const override;
    void SetString(const std::string& name, const std::string& value) override;
    void SetInteger(const std::string& name, int value) override;
    void SetBoolean(const std::string& name, bool value) override;
    void SetStringList(const std::string& name, const std::vector<std::string>& values) override;
    void Remove(const std::string& name) override;
    std::vector<std::string> Names(const std::string& group) const override;
    // Writes every value, sorted by name, replacing the file in one step (the host's
    // WriteFile); makes the file's folder when it is missing.
    bool Save(std::string* error = nullptr) override;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::map<std::string, std::string> values_; // name -> the value as the file writes it
};

#if defined(_WIN32)
// The preferences in the registry under HKEY_CURRENT_USER\key; every change is written
// at once, and Save reports the first one that failed since the last Save.
class RegistryPreferenceStore final : public PreferenceStore {
public:
    explicit RegistryPreferenceStore(std::string key = kPreferencesKey);

    std::optional<std::string> GetString(const std::string& name) const override;
    std::optional<int> GetInteger(const std::string& name) const override;
    std::optional<bool> GetBoolean(const std::string& name) const override;
    std::optional<std::vector<std::string>> GetStringList(const std::string& name) const override;
    void SetString(const std::string& name, const std::string& value) override;
    void SetInteger(const std::string& name, int value) override;
    void SetBoolean(const std::string& name, bool value) override;
    void SetStringList(const std::string& name, const std::vector<std::string>& values) override;
    void Remove(const std::string& name) override;
    std::vector<std::string> Names(const std::string& group) const override;
    bool Save(std::string* error = nullptr) override;

private:
    // Writes one value of a registry type; notes a failure for Save.
    void Put(const std::string& name, unsigned long type, const std::string& data);
    std::optional<std::string> Get(const std::string& name, unsigned long type) const;

    std::string key_;
    std::string failure_;
};
#endif

// The store the editor uses: on Windows the registry under kPreferencesKey, elsewhere
// the file `path` (for example "<settings folder>/editor.ini").
std::unique_ptr<PreferenceStore> OpenPreferenceStore(const std::string& path);

// The name under which a user's change to a style is kept: the language name, "-" and
// the style name ("Java-comments").
std::string StyleOverrideKey(const std::string& language, const std::string& styleName);

// The settings the editor keeps. Loading never fails: a value that is missing, of the
// wrong kind or out of range leaves its default.
struct EditorPreferences {
    static constexpr int kDefaultTabWidth = 4;
    static constexpr int kMinTabWidth = 1;
    static constexpr int kMaxTabWidth = 16;
    static constexpr std::size_t kMaxRecentFiles = 10;

    int tabWidth = kDefaultTabWidth;
    ListPreferences functionList; // includes, prototypes and types in the function list
    // StyleOverrideKey(language, style name) -> the user's style string, in the form
    // ParseStyleString reads ("08:#3d4c9e;09;00;Monaco").
    std::map<std::string, std::string> styleOverrides;
    std::vector<std::string> recentFiles; // most recent first, no path twice
    std::vector<std::string> openFiles;   // the documents open at the last exit, in order

    // Puts the path first among the recent files (moving it there when it is listed
    // already, SamePath deciding), keeping at most kMaxRecentFiles.
    void NoteRecentFile(const std::string& path);
    void ForgetRecentFile(const std::string& path);

    // The user's style string for a style of a language; nullopt when it is unchanged.
    std::optional<std::string> StyleOverride(const std::string& language, const std::string& styleName) const;
    // Keeps the user's style string; false, changing nothing, when ParseStyleString
    // does not read it.
    bool SetStyleOverride(const std::string& language, const std::string& styleName, const std::string& style);
    void ClearStyleOverride(const std::string& language, const std::string& styleName);
};

// Names in the store:
//   "TabWidth" (integer), "ShowIncludes", "ShowPrototypes", "ShowTypes" (booleans),
//   "RecentFiles", "OpenFiles" (lists), and in the group "Styles" one string per style
//   override, named by its StyleOverrideKey. A style is kept in the form the host
//   writes styles back in, "#rrggbb;ff;ff;font" (its first field, "08:" in every
//   plug-in, is put back in front when it is read); a stored style in the full form is
//   read as it is.
EditorPreferences LoadEditorPreferences(const PreferenceStore& store);
// Writes the settings into the store (removing style overrides no longer there) and
// saves the store; false with the reason in *error when given, when that fails.
bool SaveEditorPreferences(const EditorPreferences& preferences, PreferenceStore& store, std::string* error = nullptr);

} // namespace varnel::editor
