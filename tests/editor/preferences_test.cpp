// The preference stores and the editor's settings in them.
#include "preferences.h"

#include "file_system.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace varnel::editor {
namespace {

using namespace std::string_literals;
using Strings = std::vector<std::string>;

// Every store kind this platform has, each as a way to make a store and to make it
// again over what the first one saved (a later run of the editor).
struct StoreKind {
    const char* name;
    bool keepsNul; // strings may hold NUL bytes
    std::function<std::unique_ptr<PreferenceStore>(const test::ScratchFolder&)> open;
};

std::vector<StoreKind> StoreKinds()
{
    std::vector<StoreKind> kinds{
        {"file", true, [](const test::ScratchFolder& folder) {
             return std::make_unique<FilePreferenceStore>(folder / "editor.ini");
         }}};
#if defined(_WIN32)
    kinds.push_back({"registry", false, [](const test::ScratchFolder& folder) {
                         // A key of the test's own, named after its scratch folder.
                         return std::make_unique<RegistryPreferenceStore>("Software\\Tammerlin\\varnel\\Tests\\" +
                                                                          FileName(folder.Path()));
                     }});
#endif
    return kinds;
}

#if defined(_WIN32)
struct RegistryCleaner {
    ~RegistryCleaner() { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tammerlin\\varnel\\Tests"); }
};
#endif

TEST(PreferenceStore, ValuesOfEveryKindRoundTrip)
{
#if defined(_WIN32)
    const RegistryCleaner cleaner;
#endif
    struct StringCase {
        std::string name;
        std::string value;
    };
    const std::vector<StringCase> strings{
        {"Plain", "text"},
        {"Empty", ""},
        {"Equals", "a=b=c"},
        {"Hash", "#not a comment"},
        {"Backslashes", "C:\\Program Files\\Varnel\\"},
        {"Escapes in the text", "\\n is no line feed, \\\\ no backslash"},
        {"Line ends", "one\ntwo\r\nthree\rfour\n"},
        {"Blanks", "  around \t "},
        {"Not UTF-8", "caf\xE9 \xFF\xFE"},
        {"UTF-8", "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC"},
        {"Semicolons", "a;b;"},
        {"Nul", "before\0after"s},
        {"name=with equals", "v"},
        {"#name with hash", "v"},
        {"Group\\In a group", "grouped"},
    };
    struct ListCase {
        std::string name;
        Strings values;
        Strings expected;
    };
    const std::vector<ListCase> lists{
        {"None", {}, {}},
        {"One", {"/home/u/a.txt"}, {"/home/u/a.txt"}},
        {"Odd", {"a;b", "c\\", "d\ne", ";", "\\;"}, {"a;b", "c\\", "d\ne", ";", "\\;"}},
        {"Empty ones dropped", {"", "x", "", "y", ""}, {"x", "y"}},
    };
    const std::vector<std::pair<std::string, int>> integers{
        {"Zero", 0}, {"Minus", -1}, {"Largest", INT_MAX}, {"Smallest", INT_MIN}, {"Tab", 8}};

    for (const StoreKind& kind : StoreKinds()) {
        SCOPED_TRACE(kind.name);
        const test::ScratchFolder folder;
        {
            const std::unique_ptr<PreferenceStore> store = kind.open(folder);
            for (const StringCase& c : strings)
                store->SetString(c.name, c.value);
            for (const ListCase& c : lists)
                store->SetStringList(c.name, c.values);
            for (const auto& [name, value] : integers)
                store->SetInteger(name, value);
            store->SetBoolean("Yes", true);
            store->SetBoolean("No", false);
            // A value set twice keeps the last, whatever its kind was.
            store->SetString("Changed", "first");
            store->SetInteger("Changed", 7);
            store->SetString("Removed", "gone");
            store->Remove("Removed");
            std::string error;
            ASSERT_TRUE(store->Save(&error)) << error;
        }
        const std::unique_ptr<PreferenceStore> store = kind.open(folder);
        for (const StringCase& c : strings) {
            const std::string expected = kind.keepsNul ? c.value : c.value.substr(0, c.value.find('\0'));
            EXPECT_EQ(store->GetString(c.name), expected) << c.name;
        }
        for (const ListCase& c : lists)
            EXPECT_EQ(store->GetStringList(c.name), c.expected) << c.name;
        for (const auto& [name, value] : integers)
            EXPECT_EQ(store->GetInteger(name), value) << name;
        EXPECT_EQ(store->GetBoolean("Yes"), true);
        EXPECT_EQ(store->GetBoolean("No"), false);
        EXPECT_EQ(store->GetInteger("Changed"), 7);
        EXPECT_EQ(store->GetString("Removed"), std::nullopt);
        EXPECT_EQ(store->GetString("Missing"), std::nullopt);
        // A value of another kind is no value of the kind asked for.
        EXPECT_EQ(store->GetBoolean("Plain"), std::nullopt);
        EXPECT_EQ(store->GetInteger("Plain"), std::nullopt);
        EXPECT_EQ(store->GetBoolean("Tab"), std::nullopt);

        Strings grouped = store->Names("Group");
        EXPECT_EQ(grouped, Strings{"In a group"});
        Strings outside = store->Names("");
        EXPECT_NE(std::find(outside.begin(), outside.end(), "Plain"), outside.end());
        EXPECT_EQ(std::find(outside.begin(), outside.end(), "Group\\In a group"), outside.end());
        EXPECT_TRUE(store->Names("No such group").empty());
    }
}

// Files written by hand or by something else: what reads, and what is passed over.
TEST(FilePreferenceStore, ReadsWhatItCanOfAnyFile)
{
    struct Case {
        const char* what;
        std::string file;
        std::vector<std::pair<std::string, std::optional<std::string>>> strings;
    };
    const std::vector<Case> cases{
        {"no = in a line", "Plain\nA=1\n", {{"Plain", std::nullopt}, {"A", "1"}}},
        {"empty name", "=value\nB=2\n", {{"", std::nullopt}, {"B", "2"}}},
        {"comment", "#A=1\n", {{"#A", std::nullopt}, {"A", std::nullopt}}},
        {"escaped hash is a name", "\\#A=1\n", {{"#A", "1"}}},
        {"unknown escape in a name", "\\qA=1\nB=2\n", {{"qA", std::nullopt}, {"\\qA", std::nullopt}, {"B", "2"}}},
        {"unknown escape in a value", "A=x\\q\n", {{"A", std::nullopt}}},
        {"escape at the end", "A=x\\\n", {{"A", std::nullopt}}},
        {"CR LF lines", "A=1\r\nB=2\r\n", {{"A", "1"}, {"B", "2"}}},
        {"no final line feed", "A=1", {{"A", "1"}}},
        {"byte-order mark", "\xEF\xBB\xBF" "A=1\n", {{"A", "1"}}},
        {"the last of a name counts", "A=1\nA=2\n", {{"A", "2"}}},
        {"equals in the value", "A=b=c\n", {{"A", "b=c"}}},
        {"escaped equals in the name", "x\\=y=z\n", {{"x=y", "z"}}},
        {"binary", "\0\xFF\n\x01=\x02\n"s, {{"\x01", "\x02"}}},
        {"empty file", "", {{"A", std::nullopt}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const test::ScratchFolder folder;
        ASSERT_TRUE(WriteFile(folder / "editor.ini", c.file));
        const FilePreferenceStore store(folder / "editor.ini");
        for (const auto& [name, expected] : c.strings)
            EXPECT_EQ(store.GetString(name), expected) << name;
    }
}

TEST(FilePreferenceStore, MissingFileReadsAsNothingAndSaveMakesItsFolder)
{
    const test::ScratchFolder folder;
    const std::string path = JoinPath(folder / "not yet", "editor.ini");
    FilePreferenceStore store(path);
    EXPECT_TRUE(store.Names("").empty());
    store.SetInteger("TabWidth", 2);
    std::string error;
    ASSERT_TRUE(store.Save(&error)) << error;
    EXPECT_EQ(FilePreferenceStore(path).GetInteger("TabWidth"), 2);

    // A folder where the file should be: Save fails and says why.
    FilePreferenceStore blocked(folder.Path());
    blocked.SetInteger("TabWidth", 2);
    error.clear();
    EXPECT_FALSE(blocked.Save(&error));
    EXPECT_FALSE(error.empty());
}

// The settings read from a preferences file of the given text.
EditorPreferences LoadedFrom(const std::string& file)
{
    const test::ScratchFolder folder;
    EXPECT_TRUE(WriteFile(folder / "editor.ini", file));
    return LoadEditorPreferences(FilePreferenceStore(folder / "editor.ini"));
}

TEST(EditorPreferences, StoredValuesOutsideTheirRangeLeaveTheDefaults)
{
    struct Case {
        std::string file;
        int tabWidth;
        ListPreferences list;
        Strings recent;
        std::map<std::string, std::string> styles;
    };
    const ListPreferences all;
    const std::vector<Case> cases{
        {"", 4, all, {}, {}},
        {"TabWidth=8\n", 8, all, {}, {}},
        {"TabWidth=1\n", 1, all, {}, {}},
        {"TabWidth=16\n", 16, all, {}, {}},
        {"TabWidth=0\n", 4, all, {}, {}},
        {"TabWidth=17\n", 4, all, {}, {}},
        {"TabWidth=-3\n", 4, all, {}, {}},
        {"TabWidth=99999999999\n", 4, all, {}, {}},
        {"TabWidth= 8\n", 4, all, {}, {}},
        {"TabWidth=8x\n", 4, all, {}, {}},
        {"TabWidth=eight\n", 4, all, {}, {}},
        {"ShowIncludes=false\nShowTypes=false\n", 4, {false, true, false}, {}, {}},
        {"ShowPrototypes=false\n", 4, {true, false, true}, {}, {}},
        {"ShowIncludes=no\nShowTypes=0\nShowPrototypes=FALSE\n", 4, all, {}, {}},
        {"RecentFiles=/a;/b;/a;;/c\n", 4, all, {"/a", "/b", "/c"}, {}},
        {"RecentFiles=/1;/2;/3;/4;/5;/6;/7;/8;/9;/10;/11;/12\n", 4, all,
         {"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9", "/10"}, {}},
        {"RecentFiles=/a;/b\\\n", 4, all, {}, {}},
        {"Styles\\\\Java-comments=#9b0000;09;00;Monaco\n", 4, all, {},
         {{"Java-comments", "08:#9b0000;09;00;Monaco"}}},
        {"Styles\\\\Java-strings=08:#00ff00;09;00;Courier New\n", 4, all, {},
         {{"Java-strings", "08:#00ff00;09;00;Courier New"}}},
        {"Styles\\\\Java-comments=red\nStyles\\\\Java-strings=#12345;09;00;M\n", 4, all, {}, {}},
        {"Stray=1\nTabWidth=2\n", 2, all, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const EditorPreferences preferences = LoadedFrom(c.file);
        EXPECT_EQ(preferences.tabWidth, c.tabWidth);
        EXPECT_EQ(preferences.functionList.showIncludes, c.list.showIncludes);
        EXPECT_EQ(preferences.functionList.showPrototypes, c.list.showPrototypes);
        EXPECT_EQ(preferences.functionList.showTypes, c.list.showTypes);
        EXPECT_EQ(preferences.recentFiles, c.recent);
        EXPECT_EQ(preferences.styleOverrides, c.styles);
    }
}

TEST(EditorPreferences, RoundTripThroughEveryStore)
{
#if defined(_WIN32)
    const RegistryCleaner cleaner;
#endif
    for (const StoreKind& kind : StoreKinds()) {
        SCOPED_TRACE(kind.name);
        const test::ScratchFolder folder;
        EditorPreferences saved;
        saved.tabWidth = 3;
        saved.functionList = {false, true, false};
        saved.recentFiles = {"/home/u/b.java", "/home/u/a;b=c.txt", "C:\\Docs\\x.html"};
        saved.openFiles = {"/home/u/a;b=c.txt"};
        ASSERT_TRUE(saved.SetStyleOverride("Oberon-2", "comments", "08:#3D4C9E;09;00;Monaco"));
        ASSERT_TRUE(saved.SetStyleOverride("XML", "user tag 1", "08:#000000;0a;01;Courier New; bold"));
        ASSERT_TRUE(saved.SetStyleOverride("Java", "strings", "08:#ffffff;09;00;"));
        {
            const std::unique_ptr<PreferenceStore> store = kind.open(folder);
            std::string error;
            ASSERT_TRUE(SaveEditorPreferences(saved, *store, &error)) << error;
        }
        const EditorPreferences loaded = LoadEditorPreferences(*kind.open(folder));
        EXPECT_EQ(loaded.tabWidth, 3);
        EXPECT_FALSE(loaded.functionList.showIncludes);
        EXPECT_TRUE(loaded.functionList.showPrototypes);
        EXPECT_FALSE(loaded.functionList.showTypes);
        EXPECT_EQ(loaded.recentFiles, saved.recentFiles);
        EXPECT_EQ(loaded.openFiles, saved.openFiles);
        EXPECT_EQ(loaded.styleOverrides, saved.styleOverrides);
        EXPECT_EQ(loaded.StyleOverride("Oberon-2", "comments"), "08:#3D4C9E;09;00;Monaco");
        // Stored in the form the host writes styles back in.
        EXPECT_EQ(kind.open(folder)->GetString("Styles\\Oberon-2-comments"), "#3D4C9E;09;00;Monaco");

        // An override taken back is gone from the store at the next save.
        EditorPreferences changed = loaded;
        changed.ClearStyleOverride("Java", "strings");
        {
            const std::unique_ptr<PreferenceStore> store = kind.open(folder);
            ASSERT_TRUE(SaveEditorPreferences(changed, *store));
        }
        const EditorPreferences reloaded = LoadEditorPreferences(*kind.open(folder));
        EXPECT_EQ(reloaded.StyleOverride("Java", "strings"), std::nullopt);
        EXPECT_EQ(reloaded.styleOverrides.size(), 2u);
    }
}

TEST(EditorPreferences, StyleOverridesMustBeStyleStrings)
{
    EditorPreferences preferences;
    for (const char* bad : {"", "red", "#3d4c9e;09;00;Monaco", "08:#3d4c9e;09;00", "08:#3d4c9g;09;00;M"}) {
        EXPECT_FALSE(preferences.SetStyleOverride("Java", "comments", bad)) << bad;
    }
    EXPECT_TRUE(preferences.styleOverrides.empty());
    EXPECT_TRUE(preferences.SetStyleOverride("Java", "comments", "08:#3d4c9e;09;00;Monaco"));
    EXPECT_FALSE(preferences.SetStyleOverride("Java", "comments", "red"));
    EXPECT_EQ(preferences.StyleOverride("Java", "comments"), "08:#3d4c9e;09;00;Monaco");
    EXPECT_EQ(preferences.StyleOverride("Pascal", "comments"), std::nullopt);
    EXPECT_EQ(StyleOverrideKey("Oberon-2", "user tag 1"), "Oberon-2-user tag 1");
}

TEST(EditorPreferences, RecentFilesKeepTheLatestTenOnce)
{
#if defined(_WIN32)
    const bool foldsCase = true;
#else
    const bool foldsCase = false;
#endif
    struct Case {
        const char* what;
        Strings noted;     // in the order they were opened
        Strings forgotten; // then taken away
        Strings expected;
    };
    const std::vector<Case> cases{
        {"latest first", {"/a", "/b", "/c"}, {}, {"/c", "/b", "/a"}},
        {"opened again moves to the front", {"/a", "/b", "/a"}, {}, {"/a", "/b"}},
        {"an empty path is none", {"/a", "", "/b"}, {}, {"/b", "/a"}},
        {"at most ten",
         {"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9", "/10", "/11", "/12"},
         {},
         {"/12", "/11", "/10", "/9", "/8", "/7", "/6", "/5", "/4", "/3"}},
        {"forgotten", {"/a", "/b", "/c"}, {"/b", "/x"}, {"/c", "/a"}},
        {"letter case",
         {"C:\\Docs\\A.txt", "c:/docs/a.TXT"},
         {},
         foldsCase ? Strings{"c:/docs/a.TXT"} : Strings{"c:/docs/a.TXT", "C:\\Docs\\A.txt"}},
        {"forgotten in another case", {"C:\\A.txt"}, {"c:\\a.txt"}, foldsCase ? Strings{} : Strings{"C:\\A.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditorPreferences preferences;
        for (const std::string& path : c.noted)
            preferences.NoteRecentFile(path);
        for (const std::string& path : c.forgotten)
            preferences.ForgetRecentFile(path);
        EXPECT_EQ(preferences.recentFiles, c.expected);
    }
}

} // namespace
} // namespace varnel::editor
