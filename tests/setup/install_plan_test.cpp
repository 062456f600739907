#include "install_plan.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace varnel::setup;

namespace {

TEST(InstallPlan, ResourceNamesFollowTheFileKind)
{
    const struct {
        const char* file;
        PayloadKind kind;
        const char* resource;
    } cases[] = {
        {"Varnel.exe", PayloadKind::Plain, "Varnel.ex_"},
        {"Amberlex.dll", PayloadKind::Plain, "Amberlex.dl_"},
        {"Readme.txt", PayloadKind::Plain, "Readme.tx_"},
        {"Mossclean.exe", PayloadKind::Plain, "Mossclean.ex_"},
        {"notes.tar.gz", PayloadKind::Plain, "notes.tar.g_"}, // only the last extension is shortened
        {"x.h", PayloadKind::Plain, "x._"},
        {"Makefile", PayloadKind::Plain, "Makefile._"},
        {"Strict.xhtml", PayloadKind::Template, "Strict_xhtml.tm_"},
        {"Header.h", PayloadKind::Template, "Header_h.tm_"},
        {"Program.cpp", PayloadKind::Template, "Program_cpp.tm_"},
        {"QuickStart.txt", PayloadKind::Documentation, "QuickStart.do_"},
        {"style.css", PayloadKind::Documentation, "style.do_"},
        {"logo.png", PayloadKind::Documentation, "logo.do_"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResourceName(c.file, c.kind), c.resource) << c.file;
}

TEST(InstallPlan, InstallTableKeepsPayloadOrderAndJoinsFolders)
{
    const std::vector<PayloadFile> payload = {
        {"", "Varnel.exe", PayloadKind::Plain},
        {"Languages", "Amberlex.dll", PayloadKind::Plain},
        {"Templates", "Page.html", PayloadKind::Template},
        {"Documentation\\Reference", "index.html", PayloadKind::Documentation},
    };
    const std::vector<InstallEntry> table = InstallTable(payload);
    ASSERT_EQ(table.size(), 4u);
    const std::pair<const char*, const char*> expected[] = {
        {"Varnel.exe", "Varnel.ex_"},
        {"Languages\\Amberlex.dll", "Amberlex.dl_"},
        {"Templates\\Page.html", "Page_html.tm_"},
        {"Documentation\\Reference\\index.html", "index.do_"},
    };
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].relativePath, expected[i].first);
        EXPECT_EQ(table[i].resourceName, expected[i].second);
    }
}

// Folders are made one level at a time: each must come after the folder holding it.
TEST(InstallPlan, EveryFolderComesAfterItsParent)
{
    const std::vector<std::string>& folders = InstallFolders();
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ(folders.front(), "");
    EXPECT_EQ(folders.size(), 9u);
    for (std::size_t i = 1; i < folders.size(); ++i) {
        const std::size_t slash = folders[i].rfind('\\');
        const std::string parent = slash == std::string::npos ? "" : folders[i].substr(0, slash);
        const auto at = std::find(folders.begin(), folders.end(), parent);
        ASSERT_NE(at, folders.end()) << folders[i];
        EXPECT_LT(at - folders.begin(), static_cast<long>(i)) << folders[i];
    }
}

TEST(InstallPlan, PathsAndCommandLinesFromTheInstallFolder)
{
    const struct {
        std::string folder;
        std::string editor;
        std::string commandLine;
    } cases[] = {
        {"C:\\Program Files\\Varnel", "C:\\Program Files\\Varnel\\Varnel.exe",
         "\"C:\\Program Files\\Varnel\\Varnel.exe\" \"C:\\Program Files\\Varnel\\Readme.txt\""},
        // A drive's root folder already ends in "\".
        {"D:\\", "D:\\Varnel.exe", "\"D:\\Varnel.exe\" \"D:\\Readme.txt\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EditorPath(c.folder), c.editor);
        EXPECT_EQ(EditorCommandLine(c.folder), c.commandLine);
    }
    EXPECT_EQ(OpenCommand("C:\\V\\Varnel.exe"), "\"C:\\V\\Varnel.exe\" \"%1\"");
    EXPECT_EQ(IconLocation("C:\\V\\Varnel.exe"), "\"C:\\V\\Varnel.exe\",1");
    EXPECT_EQ(DefaultInstallFolder("C:\\Program Files"), "C:\\Program Files\\Varnel");
    EXPECT_EQ(DefaultInstallFolder(""), "\\Varnel");
    EXPECT_EQ(ShortcutPath("C:\\Start Menu\\Programs"), "C:\\Start Menu\\Programs\\Varnel.lnk");
}

TEST(InstallPlan, WindowsVersionFourAndAbovePass)
{
    const std::pair<std::optional<std::string>, bool> cases[] = {
        {std::nullopt, false}, {std::string(""), false},    {std::string("junk"), false},
        {std::string("3.51"), false}, {std::string("3.99"), false}, {std::string("4.0"), true},
        {std::string("4"), true},     {std::string("5.1"), true},   {std::string("6.1"), true},
        {std::string("10.0"), true},
    };
    for (const auto& [text, supported] : cases)
        EXPECT_EQ(IsSupportedWindowsVersion(text), supported) << text.value_or("(unreadable)");
}

TEST(InstallPlan, AssociationSavesThePreviousClassFirst)
{
    const struct {
        std::optional<std::string> previous;
        const char* record;
    } cases[] = {
        {std::nullopt, "none"},
        {std::string(""), "none"},
        {std::string("Other.Script"), "Other.Script"},
    };
    for (const auto& c : cases) {
        const auto values = AssociationValues(".hs", "Varnel Script File", c.previous, "C:\\V\\Varnel.exe");
        ASSERT_EQ(values.size(), 8u);
        const RegistryValue record{RegistryRoot::CurrentUser, "Software\\Tammerlin\\varnel\\Associations\\.hs", "",
                                   c.record};
        EXPECT_EQ(values[0], record) << "the record is written before the extension is changed";
        const RegistryValue extension{RegistryRoot::ClassesRoot, ".hs", "", "Varnel.hs"};
        EXPECT_EQ(values[1], extension);
    }
    // A repeated installation finds its own class and writes nothing, keeping the record.
    EXPECT_TRUE(AssociationValues(".hs", "Varnel Script File", std::string("Varnel.hs"), "C:\\V\\Varnel.exe").empty());
}

TEST(InstallPlan, RegistryValuesFollowAChosenRootFolder)
{
    const auto editor = EditorValues("D:\\");
    ASSERT_GE(editor.size(), 2u);
    EXPECT_EQ(editor[0].data, "D:\\");
    EXPECT_EQ(editor[1].data, "D:\\Varnel.exe");
    const auto uninstall = UninstallValues("C:\\WINDOWS");
    ASSERT_EQ(uninstall.size(), 2u);
    EXPECT_EQ(uninstall[1].data, "C:\\WINDOWS\\Mossclean.exe");
}

} // namespace

namespace {

TEST(InstallPlan, OnlyTheListedExtensionsAreTheProducts)
{
    const std::pair<const char*, bool> cases[] = {
        {".hs", true}, {".HS", true}, {".exe", false}, {".foo", false}, {"", false}, {".hs ", false}};
    for (const auto& [extension, associated] : cases)
        EXPECT_EQ(IsAssociatedExtension(extension), associated) << extension;
}

TEST(InstallPlan, FolderRecordNamesTheFolderAndWhatWasFound)
{
    const std::vector<RegistryValue> values = FolderRecordValues("C:\\Site", {"Templates", "settings"});
    const std::string key = "Software\\Tammerlin\\varnel\\Folders";
    const std::vector<RegistryValue> expected = {
        {RegistryRoot::CurrentUser, key, "", "C:\\Site"},
        {RegistryRoot::CurrentUser, key, "Languages", "created"},
        {RegistryRoot::CurrentUser, key, "Extensions", "created"},
        {RegistryRoot::CurrentUser, key, "Settings", "found"},
        {RegistryRoot::CurrentUser, key, "Templates", "found"},
    };
    EXPECT_EQ(values, expected);
    EXPECT_TRUE(KeepsFolderRecord(std::string("c:\\site"), "C:\\Site"));
    EXPECT_FALSE(KeepsFolderRecord(std::string("C:\\Other"), "C:\\Site"));
    EXPECT_FALSE(KeepsFolderRecord(std::nullopt, "C:\\Site"));
}

} // namespace
