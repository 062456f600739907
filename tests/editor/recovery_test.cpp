// Copies of modified documents: written, found again after a crash, removed on save,
// and when they are due.
#include "recovery.h"

#include "file_system.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace varnel::editor {
namespace {

using namespace std::string_literals;
using std::chrono::milliseconds;
using SystemTime = std::chrono::system_clock::time_point;

SystemTime At(long long ms)
{
    return SystemTime(std::chrono::duration_cast<std::chrono::system_clock::duration>(milliseconds(ms)));
}

std::vector<std::string> Titles(const std::vector<RecoveredDocument>& documents)
{
    std::vector<std::string> titles;
    for (const RecoveredDocument& document : documents)
        titles.push_back(document.title);
    return titles;
}

TEST(RecoveryStore, CopiesLeftBehindByACrashAreFoundWithTheirPathsAndBytes)
{
    struct Copy {
        std::string bytes;
        std::optional<std::string> path;
        std::string title;
        long long written;
    };
    const std::vector<Copy> copies{
        {"class A {}\r\nint x;\n", "/home/u/A.java", "A.java", 1000},
        {"untitled text", std::nullopt, "Untitled 1", 2000},
        {"\0\xFF\xFE binary\r\r\n\n"s, "/odd/na\nme=\\x;#.txt", "na\nme=\\x;#.txt", 3000},
        {"", "C:\\Docs\\caf\xE9.txt", "", 4000},
        {std::string(300000, 'x'), "/big", "big", 5000},
    };
    const test::ScratchFolder folder;
    {
        RecoveryStore crashed(folder.Path());
        ASSERT_TRUE(crashed.Ready());
        for (const Copy& copy : copies) {
            std::string error;
            ASSERT_TRUE(crashed.Write(crashed.NewId(), copy.bytes, copy.path, copy.title, At(copy.written), &error))
                << error;
        }
        // Its own copies are not left behind while it runs.
        EXPECT_TRUE(crashed.LeftBehind().empty());
        // The run ends without removing its copies, as a crash ends it.
    }
    RecoveryStore next(folder.Path());
    const std::vector<RecoveredDocument> found = next.LeftBehind();
    ASSERT_EQ(found.size(), copies.size());
    for (std::size_t i = 0; i < copies.size(); ++i) {
        SCOPED_TRACE(copies[i].title);
        EXPECT_EQ(found[i].path, copies[i].path);
        EXPECT_EQ(found[i].title, copies[i].title);
        EXPECT_EQ(found[i].written, At(copies[i].written));
        EXPECT_EQ(found[i].size, copies[i].bytes.size());
        EXPECT_EQ(next.Read(found[i]), copies[i].bytes);
    }
}

TEST(RecoveryStore, SaveCloseAndCleanExitRemoveCopies)
{
    const test::ScratchFolder folder;
    {
        RecoveryStore run(folder.Path());
        const std::string saved = run.NewId();
        const std::string kept = run.NewId();
        const std::string rewritten = run.NewId();
        ASSERT_TRUE(run.Write(saved, "s", "/s", "s", At(1)));
        ASSERT_TRUE(run.Write(kept, "k", "/k", "k", At(2)));
        ASSERT_TRUE(run.Write(rewritten, "first", "/r", "r", At(3)));
        ASSERT_TRUE(run.Write(rewritten, "second", "/r", "r2", At(4)));
        run.Remove(saved);
        run.Remove(saved); // a second time does nothing
    }
    {
        RecoveryStore next(folder.Path());
        const std::vector<RecoveredDocument> found = next.LeftBehind();
        EXPECT_EQ(Titles(found), (std::vector<std::string>{"k", "r2"}));
        ASSERT_EQ(found.size(), 2u);
        EXPECT_EQ(next.Read(found[1]), "second");
        for (const RecoveredDocument& document : found)
            next.Discard(document);
    }
    {
        RecoveryStore clean(folder.Path());
        EXPECT_TRUE(clean.LeftBehind().empty());
        ASSERT_TRUE(clean.Write(clean.NewId(), "a", std::nullopt, "a", At(1)));
        ASSERT_TRUE(clean.Write(clean.NewId(), "b", std::nullopt, "b", At(2)));
        clean.RemoveAll();
    }
    RecoveryStore after(folder.Path());
    EXPECT_TRUE(after.LeftBehind().empty());
    // Nothing of the earlier runs is left in the folder: no copies, no lock files.
    EXPECT_EQ(ListFiles(folder.Path(), ".recovery").size(), 0u);
    EXPECT_EQ(ListFiles(folder.Path(), ".lock").size(), 1u); // the running one's
}

TEST(RecoveryStore, CopiesOfARunStillGoingAreNotOffered)
{
    const test::ScratchFolder folder;
    auto first = std::make_unique<RecoveryStore>(folder.Path());
    ASSERT_TRUE(first->Write(first->NewId(), "text", "/a", "a", At(1)));
    RecoveryStore second(folder.Path());
    EXPECT_TRUE(second.LeftBehind().empty());
    // Neither may it discard them.
    RecoveredDocument theirs;
    theirs.id = FileStem(ListFiles(folder.Path(), ".recovery").at(0));
    second.Discard(theirs);
    first.reset();
    EXPECT_EQ(Titles(second.LeftBehind()), std::vector<std::string>{"a"});
}

TEST(RecoveryStore, ATakenCopyBelongsToTheRunThatTookIt)
{
    const test::ScratchFolder folder;
    {
        RecoveryStore crashed(folder.Path());
        ASSERT_TRUE(crashed.Write(crashed.NewId(), "lost text", "/a.txt", "a.txt", At(1)));
    }
    std::string id;
    {
        RecoveryStore taker(folder.Path());
        const std::vector<RecoveredDocument> found = taker.LeftBehind();
        ASSERT_EQ(found.size(), 1u);
        std::string error;
        EXPECT_EQ(taker.Take(found[0], &id, &error), "lost text") << error;
        EXPECT_FALSE(id.empty());
        EXPECT_NE(id, found[0].id);
        EXPECT_TRUE(taker.LeftBehind().empty());
        // Taken twice: the copy is no longer where it was.
        std::string again;
        EXPECT_EQ(taker.Take(found[0], &again), std::nullopt);
        // The taker crashes too: the copy is offered again.
    }
    {
        RecoveryStore taker(folder.Path());
        const std::vector<RecoveredDocument> found = taker.LeftBehind();
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].id, id);
        EXPECT_EQ(found[0].path, "/a.txt");
        ASSERT_TRUE(taker.Take(found[0], &id));
        // Saved this time.
        taker.Remove(id);
    }
    RecoveryStore last(folder.Path());
    EXPECT_TRUE(last.LeftBehind().empty());
}

TEST(RecoveryStore, FilesThatAreNotWholeCopiesArePassedOver)
{
    const std::string heading = "varnel recovery copy 1\n";
    struct Case {
        const char* name;
        std::string content;
    };
    const std::vector<Case> corrupt{
        {"e1-0-0-1.recovery", ""},
        {"e1-0-0-2.recovery", heading + "title=t\nwritten=1\nsize=4\n"},              // no blank line
        {"e1-0-0-3.recovery", heading + "title=t\nwritten=1\nsize=10\n\nshort"},     // bytes missing
        {"e1-0-0-4.recovery", heading + "title=t\nwritten=1\nsize=2\n\ntoo long"},   // bytes beyond
        {"e1-0-0-5.recovery", "another heading\ntitle=t\nwritten=1\nsize=0\n\n"},
        {"e1-0-0-6.recovery", heading + "title=t\\q\nwritten=1\nsize=0\n\n"},         // bad escape
        {"e1-0-0-7.recovery", heading + "written=1\nsize=0\n\n"},                     // no title
        {"e1-0-0-8.recovery", heading + "title=t\nwritten=soon\nsize=0\n\n"},
        {"e1-0-0-9.recovery", heading + "title=t\nwritten=1\nsize=-1\n\n"},
        {"e1-0-0-10.recovery", heading + "title=t\nwritten=1\n\n"},                   // no size
        {"e1-0-0-11.recovery", heading + "title=t\nwritten=1\nsize=0\nno equals\n\n"},
        {"norun.recovery", heading + "title=t\nwritten=1\nsize=0\n\n"},
        {"e1-0-0-12.recovery", "\0\xFF\xFE\n\n"s},
        {"e1-0-0-13.lock", ""},
        {"e1-0-0-14.txt", heading + "title=t\nwritten=1\nsize=0\n\n"},
    };
    const test::ScratchFolder folder;
    for (const Case& c : corrupt)
        ASSERT_TRUE(WriteFile(folder / c.name, c.content));
    std::filesystem::create_directory(folder / "e1-0-0-15.recovery");
    // The lock file of the run that wrote them, left by a crash (no longer held).
    ASSERT_TRUE(WriteFile(folder / "e1-0-0.lock", ""));
    // One whole copy among them, with a line the reader does not know.
    ASSERT_TRUE(WriteFile(folder / "e1-0-0-20.recovery",
                          heading + "title=whole\nfuture=1\nwritten=7\nsize=3\n\nabc"));

    RecoveryStore store(folder.Path());
    ASSERT_TRUE(store.Ready());
    const std::vector<RecoveredDocument> found = store.LeftBehind();
    ASSERT_EQ(Titles(found), std::vector<std::string>{"whole"});
    EXPECT_EQ(found[0].path, std::nullopt);
    EXPECT_EQ(found[0].written, At(7));
    EXPECT_EQ(store.Read(found[0]), "abc");

    // A copy that changed after it was listed is not read as whole.
    ASSERT_TRUE(WriteFile(folder / "e1-0-0-20.recovery", heading + "title=whole\nwritten=7\nsize=3\n\nab"));
    std::string error;
    EXPECT_EQ(store.Read(found[0], &error), std::nullopt);
    EXPECT_FALSE(error.empty());
}

TEST(RecoveryStore, RefusesWhatItCannotKeep)
{
    const test::ScratchFolder folder;
    RecoveryStore store(folder.Path());
    std::string error;
    for (const std::string& id : std::vector<std::string>{"", "x", "../escape", "1-2-3-4", store.NewId() + "x"}) {
        EXPECT_FALSE(store.Write(id, "t", std::nullopt, "t", At(1), &error)) << id;
        EXPECT_FALSE(error.empty());
        error.clear();
    }
    // A title too long for the header a reader looks for.
    EXPECT_FALSE(store.Write(store.NewId(), "t", std::nullopt, std::string(200000, 'x'), At(1), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(ListFiles(folder.Path(), ".recovery").empty());

    // A file where the folder should be: nothing can be written, nothing is offered.
    ASSERT_TRUE(WriteFile(folder / "file", "x"));
    RecoveryStore blocked(folder / "file");
    EXPECT_FALSE(blocked.Ready());
    EXPECT_FALSE(blocked.Write(blocked.NewId(), "t", std::nullopt, "t", At(1), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(blocked.LeftBehind().empty());
}

// The timer: a table of events in milliseconds and what is due when.
TEST(RecoveryTimer, ACopyIsDueAfterAPauseOncePerBurst)
{
    enum class Event { Edit, Write, Save, Due, NotDue };
    struct Step {
        Event event;
        long long at;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        std::optional<long long> dueAt; // DueAt() after the steps
    };
    using E = Event;
    std::vector<Step> typing; // a key a second for 40 seconds
    for (long long t = 0; t <= 40000; t += 1000) {
        typing.push_back({E::Edit, t});
        if (t == 29000)
            typing.push_back({E::NotDue, 29999});
        if (t == 30000)
            typing.push_back({E::Due, 30000});
    }
    // The same, with a copy taken at 1 s while the typing went on.
    std::vector<Step> typingAfterACopy{{E::Edit, 0}, {E::Edit, 2000}, {E::Write, 1000}};
    for (long long t = 3000; t <= 40000; t += 1000) {
        typingAfterACopy.push_back({E::Edit, t});
        if (t == 30000)
            typingAfterACopy.push_back({E::NotDue, 30999});
        if (t == 31000)
            typingAfterACopy.push_back({E::Due, 31000});
    }
    const std::vector<Case> cases{
        {"nothing edited", {{E::NotDue, 0}, {E::NotDue, 100000}}, std::nullopt},
        {"one edit", {{E::Edit, 0}, {E::NotDue, 2999}, {E::Due, 3000}, {E::Due, 9000}}, 3000},
        {"each edit puts it off", {{E::Edit, 0}, {E::Edit, 1000}, {E::Edit, 2500}, {E::NotDue, 5499}, {E::Due, 5500}},
         5500},
        {"written: no copy of an unchanged document",
         {{E::Edit, 0}, {E::Due, 3000}, {E::Write, 3000}, {E::NotDue, 3001}, {E::NotDue, 100000}},
         std::nullopt},
        {"the next burst", {{E::Edit, 0}, {E::Write, 3000}, {E::Edit, 4000}, {E::NotDue, 6999}, {E::Due, 7000}}, 7000},
        {"saved before it was due", {{E::Edit, 0}, {E::Save, 1000}, {E::NotDue, 5000}}, std::nullopt},
        {"saved, then edited", {{E::Edit, 0}, {E::Save, 1000}, {E::Edit, 2000}, {E::Due, 5000}}, 5000},
        {"an edit after the copy was taken stays due",
         {{E::Edit, 0}, {E::Edit, 5000}, {E::Write, 4000}, {E::NotDue, 7999}, {E::Due, 8000}},
         8000},
        {"typing without a pause", typing, 30000},
        {"typing on after a copy: the longest wait counts from the copy", typingAfterACopy, 31000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecoveryTimer timer;
        const auto start = RecoveryTimer::Clock::time_point() + std::chrono::hours(1);
        for (const Step& step : c.steps) {
            const auto at = start + milliseconds(step.at);
            switch (step.event) {
            case E::Edit:
                timer.Edited(at);
                break;
            case E::Write:
                timer.Written(at);
                break;
            case E::Save:
                timer.Saved(at);
                break;
            case E::Due:
                EXPECT_TRUE(timer.Due(at)) << step.at;
                break;
            case E::NotDue:
                EXPECT_FALSE(timer.Due(at)) << step.at;
                break;
            }
        }
        const std::optional<RecoveryTimer::Clock::time_point> dueAt = timer.DueAt();
        ASSERT_EQ(dueAt.has_value(), c.dueAt.has_value());
        if (dueAt) {
            EXPECT_EQ(*dueAt - start, milliseconds(*c.dueAt));
        }
    }
}

TEST(RecoveryTimer, QuietAndLongestAreSettings)
{
    RecoveryTimer timer(milliseconds(500), milliseconds(2000));
    const RecoveryTimer::Clock::time_point t0{};
    timer.Edited(t0);
    EXPECT_FALSE(timer.Due(t0 + milliseconds(499)));
    EXPECT_TRUE(timer.Due(t0 + milliseconds(500)));
    for (int ms = 400; ms <= 2000; ms += 400)
        timer.Edited(t0 + milliseconds(ms));
    EXPECT_TRUE(timer.Due(t0 + milliseconds(2000)));
}

} // namespace
} // namespace varnel::editor
