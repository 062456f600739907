#include "removal_plan.h"

#include <gtest/gtest.h>

using namespace varnel::setup;

namespace {

TEST(RemovalPlan, InstallFolderIsTheEditorPathBeforeItsLastBackslash)
{
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"C:\\Program Files\\Varnel\\Varnel.exe", std::string("C:\\Program Files\\Varnel")},
        {"C:\\Varnel.exe", std::string("C:\\")}, // the root folder, not the drive's current folder
        {"\\\\server\\share\\Varnel.exe", std::string("\\\\server\\share")},
        {"Varnel.exe", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [editor, folder] : cases)
        EXPECT_EQ(InstallFolderFromEditorPath(editor), folder) << editor;
}

TEST(RemovalPlan, EntriesAreRemovedByKindAndProtectedOnesStay)
{
    using namespace attribute;
    constexpr std::uint32_t kArchive = 0x20;
    const struct {
        const char* name;
        std::uint32_t attributes;
        EntryAction action;
    } cases[] = {
        {".", kDirectory, EntryAction::Skip},
        {"..", kDirectory, EntryAction::Skip},
        {"", 0, EntryAction::Skip},
        {"file.dll", kArchive, EntryAction::RemoveFile},
        {"plain", 0, EntryAction::RemoveFile},
        {"folder", kDirectory, EntryAction::RemoveTree},
        {"locked.txt", kReadOnly | kArchive, EntryAction::Skip},
        {"secret", kHidden | kDirectory, EntryAction::Skip},
        {"system.dat", kSystem, EntryAction::Skip},
        // Links are removed as links: a folder link is never entered.
        {"junction", kDirectory | kReparsePoint, EntryAction::RemoveLinkFolder},
        {"file-link", kReparsePoint | kArchive, EntryAction::RemoveFile},
        {"hidden-link", kDirectory | kReparsePoint | kHidden, EntryAction::Skip},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ActionForEntry(c.name, c.attributes), c.action) << c.name;
}

TEST(RemovalPlan, RecordsRestoreOrDeleteTheExtension)
{
    const std::optional<std::string> product = std::string("Varnel.hs");
    EXPECT_EQ(RestoreFromRecord(std::nullopt, product, ".hs").kind, RestoreKind::Keep);
    EXPECT_EQ(RestoreFromRecord(std::string("none"), product, ".hs").kind, RestoreKind::DeleteKey);
    const AssociationRestore previous = RestoreFromRecord(std::string("Other.Script"), product, ".hs");
    EXPECT_EQ(previous.kind, RestoreKind::SetClass);
    EXPECT_EQ(previous.previousClass, "Other.Script");
}

// The saved class comes back only while the extension still names the product's class:
// a class chosen after the installation stays.
TEST(RemovalPlan, PreviousClassComesBackOnlyOverTheProductsOwn)
{
    const struct {
        std::optional<std::string> record;
        std::optional<std::string> current;
        RestoreKind kind;
        const char* previousClass;
    } cases[] = {
        {"Other.Script", "Varnel.hs", RestoreKind::SetClass, "Other.Script"},
        {"Other.Script", "VARNEL.HS", RestoreKind::SetClass, "Other.Script"}, // the same key
        {"Other.Script", "User.Choice", RestoreKind::LeaveClass, ""},
        {"Other.Script", "Other.Script", RestoreKind::LeaveClass, ""},
        {"Other.Script", "Varnel.hs2", RestoreKind::LeaveClass, ""},
        {"Other.Script", "", RestoreKind::LeaveClass, ""},
        {"Other.Script", std::nullopt, RestoreKind::LeaveClass, ""}, // the extension names no class
        // "none": the sequence takes the product's class away only where it still stands.
        {"none", "User.Choice", RestoreKind::DeleteKey, ""},
        {std::nullopt, "User.Choice", RestoreKind::Keep, ""},
    };
    for (const auto& c : cases) {
        const AssociationRestore restore = RestoreFromRecord(c.record, c.current, ".hs");
        EXPECT_EQ(restore.kind, c.kind) << c.record.value_or("(none)") << " " << c.current.value_or("(none)");
        EXPECT_EQ(restore.previousClass, c.previousClass) << c.record.value_or("(none)");
    }
    EXPECT_TRUE(NamesProductClass(std::string("varnel.hs"), ".hs"));
    EXPECT_FALSE(NamesProductClass(std::string("User.Choice"), ".hs"));
    EXPECT_FALSE(NamesProductClass(std::nullopt, ".hs"));
}

} // namespace

namespace {

TEST(RemovalPlan, ProductFoldersAreCheckedBeforeTheyAreEntered)
{
    using namespace attribute;
    const struct {
        std::uint32_t attributes;
        bool found;
        FolderRemoval removal;
    } cases[] = {
        {kDirectory, false, FolderRemoval::RemoveTree},
        {kDirectory, true, FolderRemoval::RemoveInstalledFiles},
        {kDirectory | kReparsePoint, false, FolderRemoval::RemoveLink},
        {kDirectory | kReparsePoint, true, FolderRemoval::Leave},
        {kMissing, false, FolderRemoval::Leave},
        {0x20, false, FolderRemoval::Leave}, // a file where the folder was
    };
    for (const auto& c : cases)
        EXPECT_EQ(RemovalForFolder(c.attributes, c.found), c.removal) << std::hex << c.attributes << " " << c.found;
}

TEST(RemovalPlan, FolderRecordSaysFoundOnlyForItsOwnInstallFolder)
{
    const std::string folder = "C:\\Program Files\\Varnel";
    const auto found = std::optional<std::string>("found");
    EXPECT_TRUE(FolderFoundBeforeInstall(folder, folder, found));
    EXPECT_TRUE(FolderFoundBeforeInstall(std::string("c:\\program files\\VARNEL"), folder, found));
    EXPECT_FALSE(FolderFoundBeforeInstall(std::string("D:\\Elsewhere"), folder, found));
    EXPECT_FALSE(FolderFoundBeforeInstall(std::nullopt, folder, found));
    EXPECT_FALSE(FolderFoundBeforeInstall(folder, folder, std::string("created")));
    EXPECT_FALSE(FolderFoundBeforeInstall(folder, folder, std::nullopt));
}

TEST(RemovalPlan, InstalledFilesAreTheTableEntriesDirectlyInTheFolder)
{
    const std::vector<InstallEntry> table = {
        {"Varnel.exe", "VARNEL.EX_"},
        {"Templates\\Page.html", "PAGE_HTML.TM_"},
        {"Languages\\Amberlex.dll", "AMBERLEX.DL_"},
        {"Templates\\Strict.xhtml", "STRICT_XHTML.TM_"},
        {"Documentation\\Templates\\x.txt", "X.DO_"},
    };
    EXPECT_EQ(InstalledFilesIn(table, "templates"),
              (std::vector<std::string>{"Templates\\Page.html", "Templates\\Strict.xhtml"}));
    EXPECT_TRUE(InstalledFilesIn(table, "Settings").empty());
}

} // namespace
