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
    EXPECT_EQ(RestoreFromRecord(std::nullopt).kind, RestoreKind::Keep);
    EXPECT_EQ(RestoreFromRecord(std::string("none")).kind, RestoreKind::DeleteKey);
    const AssociationRestore previous = RestoreFromRecord(std::string("Other.Script"));
    EXPECT_EQ(previous.kind, RestoreKind::SetClass);
    EXPECT_EQ(previous.previousClass, "Other.Script");
}

} // namespace
