#include "caret_moves.h"
#include "key_commands.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::editor {
namespace {

TEST(EditorCaret, MovesOverCharactersWordsAndLines)
{
    // "é" is two bytes, "€" three; the byte \xFF starts no character and is one of its own.
    const std::string text = "int \xC3\xA9t\xE2\x82\xAC = a+b;\n\tx\xFF\n\n  last line";
    const struct {
        const char* name;
        int from;
        Move move;
        int expected;
    } cases[] = {
        {"right over a two-byte character", 4, Move::Right, 6},
        {"right over a three-byte character", 7, Move::Right, 10},
        {"left back over it", 10, Move::Left, 7},
        {"left over a stray byte", 21, Move::Left, 20},
        {"word right over a word and its blanks", 0, Move::WordRight, 4},
        {"word right over marks", 13, Move::WordRight, 14},
        {"word right stops after a line end", 17, Move::WordRight, 18},
        {"word left over blanks into a word", 11, Move::WordLeft, 4},
        {"home goes to the first non-blank", 30, Move::Home, 25},
        {"home again goes to the line start", 25, Move::Home, 23},
        {"end", 19, Move::End, 21},
        {"down keeps the column across a tab", 4, Move::Down, 19},
        {"down to an empty line", 19, Move::Down, 22},
        {"up from the first line", 3, Move::Up, 0},
        {"down from the last line", 30, Move::Down, static_cast<int>(text.size())},
        {"document end", 5, Move::DocEnd, static_cast<int>(text.size())},
    };
    for (const auto& c : cases) {
        EditorDocument document(text, LineEnd::Lf);
        document.SetCaret(c.from);
        MoveCaret(document, c.move, false, ViewMetrics{});
        EXPECT_EQ(document.GetSelection().caret, c.expected) << c.name;
    }
}

TEST(EditorCaret, VerticalMovesKeepTheGoalColumnAndShiftExtends)
{
    EditorDocument document(std::string("abcdef\nab\nabcdef\n"), LineEnd::Lf);
    document.SetCaret(5);
    MoveCaret(document, Move::Down, false, ViewMetrics{});
    EXPECT_EQ(document.GetSelection().caret, 9); // the short line's end
    MoveCaret(document, Move::Down, true, ViewMetrics{});
    EXPECT_EQ(document.GetSelection(), (Selection{9, 15})); // column 5 again
    MoveCaret(document, Move::Left, false, ViewMetrics{});
    EXPECT_EQ(document.GetSelection(), (Selection{9, 9})); // a selection collapses to its start
    MoveCaret(document, Move::PageDown, false, ViewMetrics{4, 10});
    EXPECT_EQ(document.GetSelection().caret, 17);
}

TEST(EditorCaret, TabIndentsAndShiftTabOutdentsSelectedLines)
{
    const struct {
        const char* name;
        const char* text;
        int anchor, caret;
        bool outdent;
        const char* expected;
        Selection after;
    } cases[] = {
        {"tab replaces a selection in one line", "abc\n", 1, 2, false, "a\tc\n", {2, 2}},
        {"tab indents every touched line", "ab\ncd\nef", 1, 4, false, "\tab\n\tcd\nef", {0, 7}},
        {"a line the selection ends at the start of is left out", "ab\ncd\nef", 0, 6, false, "\tab\n\tcd\nef", {0, 7}},
        {"shift-tab takes a tab or up to a tab width of blanks", "\tab\n      cd\n x", 0, 14, true, "ab\n  cd\nx", {0, 9}},
        {"shift-tab in one line keeps the caret on its character", "    abc", 6, 6, true, "abc", {2, 2}},
    };
    for (const auto& c : cases) {
        EditorDocument document(c.text, LineEnd::Lf);
        document.Select(c.anchor, c.caret);
        if (c.outdent)
            ShiftTab(document, 4);
        else
            Tab(document);
        EXPECT_EQ(document.Text().FileText(), c.expected) << c.name;
        EXPECT_EQ(document.GetSelection(), c.after) << c.name;
        document.Undo();
        EXPECT_EQ(document.Text().FileText(), c.text) << c.name;
    }
}

} // namespace
} // namespace varnel::editor
