#include "document_recovery.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

namespace varnel::editor {
namespace {

using namespace std::chrono_literals;

// A crash after typing leaves a copy that the next run finds; saving takes it away.
TEST(EditorRecovery, ModifiedDocumentsAreCopiedAfterAPauseAndRemovedOnSave)
{
    test::ScratchFolder folder;
    const Clock::time_point t0{};
    std::string id;
    {
        RecoveryStore store(folder.Path());
        ASSERT_TRUE(store.Ready());
        EditorDocument document(std::string("one\r\n"));
        DocumentRecovery recovery(store);
        id = recovery.Id();
        document.SetCaret(5);
        document.Type("two", t0);
        recovery.Edited(t0);
        EXPECT_FALSE(recovery.Tick(document, std::string("/x/a.txt"), "a.txt", t0 + 1s)); // still typing
        EXPECT_TRUE(recovery.Tick(document, std::string("/x/a.txt"), "a.txt", t0 + 4s));
        EXPECT_FALSE(recovery.Tick(document, std::string("/x/a.txt"), "a.txt", t0 + 9s)); // nothing new
        // The process ends here without a clean exit: the store and its lock go, the copy stays.
    }
    RecoveryStore next(folder.Path());
    const std::vector<RecoveredDocument> left = next.LeftBehind();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].path, std::optional<std::string>("/x/a.txt"));
    EXPECT_EQ(next.Read(left[0]), std::optional<std::string>("one\r\ntwo"));

    std::string newId;
    ASSERT_TRUE(next.Take(left[0], &newId));
    EditorDocument reopened(*next.Read(RecoveredDocument{newId, left[0].path, left[0].title, left[0].written, left[0].size}));
    DocumentRecovery recovery(next, newId);
    recovery.Saved(t0);
    EXPECT_TRUE(next.LeftBehind().empty());
    RecoveryStore third(folder.Path());
    EXPECT_TRUE(third.LeftBehind().empty());
}

// Undoing back to the saved text removes the copy instead of writing one.
TEST(EditorRecovery, UndoneToTheSavedTextLeavesNoCopy)
{
    test::ScratchFolder folder;
    const Clock::time_point t0{};
    {
        RecoveryStore store(folder.Path());
        EditorDocument document(std::string("text"));
        DocumentRecovery recovery(store);
        document.Type("x", t0);
        recovery.Edited(t0);
        ASSERT_TRUE(recovery.Tick(document, std::nullopt, "Untitled 1", t0 + 4s));
        document.Undo();
        recovery.Edited(t0 + 5s);
        EXPECT_FALSE(recovery.Tick(document, std::nullopt, "Untitled 1", t0 + 9s));
    }
    EXPECT_TRUE(RecoveryStore(folder.Path()).LeftBehind().empty());
}

} // namespace
} // namespace varnel::editor
