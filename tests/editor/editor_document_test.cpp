#include "editor_document.h"

#include "document.h"
#include "language.h"
#include "module_set.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace varnel::editor {
namespace {

using namespace std::chrono_literals;

const Language& Java()
{
    static const Language language = PrepareLanguage(test::Module("Birchlex"), "");
    return language;
}

// Styles the document's text from scratch as the varnel command does, and compares every
// line's end state and runs with what the editor keeps.
void ExpectStyledAsFromScratch(EditorDocument& document, const Language& language, const std::string& where)
{
    varnel::Document scratch(document.Text().FileText());
    scratch.StyleAll(language.MakeStyler());
    ASSERT_EQ(scratch.LineCount(), document.Text().LineCount()) << where;
    for (int line = 0; line < scratch.LineCount(); ++line) {
        ASSERT_EQ(document.Styling().EndState(line), scratch.EndState(line)) << where << ", line " << line;
        ASSERT_TRUE(document.Styling().Runs(line) == std::vector<StyleRun>(scratch.Runs(line))) << where << ", line " << line;
    }
}

TEST(EditorStyling, KeystrokesRestyleOnlyWhatChangedUpToTheShownLines)
{
    std::string java;
    for (int i = 0; i < 2000; ++i)
        java += "int f" + std::to_string(i) + "() { return 1; } // note\r\n";
    EditorDocument document(java);
    document.Styling().SetShown(0, 49);
    document.Styling().SetStyler(Java().MakeStyler());
    EXPECT_TRUE(document.Styling().Pending());
    while (document.Styling().RunIdle(64 * 1024)) {
    }
    const struct {
        const char* name;
        int line;
        const char* typed;
        std::size_t mostStyledAtOnce; // by the keystroke itself, before idle time
        bool idleWork;                // lines past the shown ones wait for idle time
    } cases[] = {
        {"a word inside a line", 10, "x", 1, false},
        {"a comment opened on line 1", 0, "/*", 50, true},
        {"the comment closed again", 0, "*/", 50, true},
        {"a line below the shown ones", 1500, "y", 0, true},
    };
    for (const auto& c : cases) {
        const std::size_t before = document.Styling().LinesStyled();
        document.SetCaret(document.Text().LineStart(c.line));
        document.Type(c.typed);
        EXPECT_LE(document.Styling().LinesStyled() - before, c.mostStyledAtOnce) << c.name;
        EXPECT_EQ(document.Styling().Pending(), c.idleWork) << c.name;
        while (document.Styling().RunIdle(64 * 1024)) {
        }
        ExpectStyledAsFromScratch(document, Java(), c.name);
    }
}

TEST(EditorStyling, RandomEditsUndoAndRedoMatchStylingFromScratch)
{
    std::mt19937 random(7);
    const char* pieces[] = {"/*", "*/", "\"", "\n", "//", "class ", "x", "'", "\\", "\r\n", "\xC3\xA9"};
    EditorDocument document(test::ReadTestData("samples/Shapes.java"));
    const std::string original = document.Text().FileText();
    document.Styling().SetShown(0, 20);
    document.Styling().SetStyler(Java().MakeStyler());
    for (int step = 0; step < 150; ++step) {
        const int length = document.Text().Length();
        const int at = std::uniform_int_distribution<int>(0, length)(random);
        const int to = std::min(length, at + static_cast<int>(random() % 8));
        document.Select(at, random() % 4 == 0 ? to : at);
        if (random() % 5 == 0)
            document.Backspace();
        else
            document.Type(pieces[random() % (sizeof pieces / sizeof *pieces)]);
        if (random() % 7 == 0)
            document.Undo();
        if (random() % 4 == 0)
            document.Styling().RunIdle(300);
        if (step % 10 == 0)
            ExpectStyledAsFromScratch(document, Java(), "step " + std::to_string(step));
    }
    const std::string edited = document.Text().FileText();
    while (document.Undo()) {
    }
    EXPECT_EQ(document.Text().FileText(), original);
    EXPECT_FALSE(document.Modified());
    ExpectStyledAsFromScratch(document, Java(), "everything undone");
    while (document.Redo()) {
    }
    EXPECT_EQ(document.Text().FileText(), edited);
    ExpectStyledAsFromScratch(document, Java(), "everything redone");
}

TEST(EditorUndo, TypingGroupsUntilTheCaretJumpsAPauseOrACommand)
{
    const Clock::time_point t0{};
    const struct {
        const char* name;
        void (*script)(EditorDocument&, Clock::time_point);
        int steps; // undo steps the script made
    } cases[] = {
        {"one run of typing", [](EditorDocument& d, Clock::time_point t) { d.Type("a", t); d.Type("b", t + 100ms); d.Type("\n", t + 200ms); }, 1},
        {"a pause", [](EditorDocument& d, Clock::time_point t) { d.Type("a", t); d.Type("b", t + 5s); }, 2},
        {"the caret jumped", [](EditorDocument& d, Clock::time_point t) { d.Type("ab", t); d.SetCaret(0); d.Type("c", t); }, 2},
        {"a paste between", [](EditorDocument& d, Clock::time_point t) { d.Type("a", t); d.ReplaceSelection("P"); d.Type("b", t); }, 3},
        {"backspaces are one step", [](EditorDocument& d, Clock::time_point t) { d.Type("abc", t); d.Backspace(t); d.Backspace(t); }, 2},
        {"deletes forward are one step", [](EditorDocument& d, Clock::time_point t) { d.Type("abc", t); d.SetCaret(0); d.DeleteForward(t); d.DeleteForward(t); }, 2},
        {"typing over a selection", [](EditorDocument& d, Clock::time_point t) { d.Type("abc", t); d.Select(0, 2); d.Type("x", t); d.Type("y", t); }, 2},
    };
    for (const auto& c : cases) {
        EditorDocument document;
        c.script(document, t0);
        int steps = 0;
        while (document.Undo())
            ++steps;
        EXPECT_EQ(steps, c.steps) << c.name;
        EXPECT_EQ(document.Text().Length(), 0) << c.name;
    }
}

TEST(EditorUndo, SelectionAndModifiedFlagFollowTheHistory)
{
    EditorDocument document(std::string("hello world\r\n"));
    EXPECT_FALSE(document.Modified());
    document.Select(6, 11);
    document.ReplaceSelection("there");
    EXPECT_TRUE(document.Modified());
    document.MarkSaved();
    EXPECT_FALSE(document.Modified());
    document.Type("!");
    EXPECT_TRUE(document.Modified());
    document.Undo(); // back to the save point
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(document.GetSelection(), (Selection{11, 11}));
    document.Undo(); // before the save point
    EXPECT_TRUE(document.Modified());
    EXPECT_EQ(document.GetSelection(), (Selection{6, 11}));
    EXPECT_EQ(document.Text().FileText(), "hello world\r\n");
    document.Redo();
    EXPECT_FALSE(document.Modified());
    // A new change after undoing past the save point leaves no way back to it.
    document.Undo();
    document.Type("x");
    EXPECT_TRUE(document.Modified());
    while (document.Undo()) {
    }
    EXPECT_TRUE(document.Modified());
}

TEST(EditorUndo, PastedLineBreaksTakeTheDocumentsLineEnd)
{
    const struct {
        std::string file;
        const char* pasted;
        std::string expected;
    } cases[] = {
        {"a\r\nb\r\nc\n", "1\n2\r3\r\n", "1\r\n2\r\n3\r\na\r\nb\r\nc\n"},
        {"a\nb\rc\n", "x\r\n", "x\na\nb\rc\n"},
        {"", "p\nq", "p" + std::string(LineEndBytes(kNewDocumentLineEnd)) + "q"},
    };
    for (const auto& c : cases) {
        EditorDocument document(c.file);
        document.ReplaceSelection(c.pasted);
        EXPECT_EQ(document.Text().FileText(), c.expected) << c.pasted;
        document.Undo();
        EXPECT_EQ(document.Text().FileText(), c.file);
    }
}

} // namespace
} // namespace varnel::editor
