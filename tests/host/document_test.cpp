#include "document.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

// A small C-like styler: style 1 inside "/* */" comments, state 1 at the end of a line
// that ends inside one. It also counts its calls and tries to edit the line.
int g_calls = 0;

void CommentStyler(VLanguageProxy& proxy, short* state)
{
    ++g_calls;
    bool inComment = *state == 1;
    proxy.SetStyle(0, inComment ? 1 : 0);
    const int length = proxy.TextLength();
    for (int i = 0; i + 1 < length; ++i) {
        const char a = proxy.CharAt(i), b = proxy.CharAt(i + 1);
        if (!inComment && a == '/' && b == '*') {
            proxy.SetStyle(i, 1);
            inComment = true;
            ++i;
        } else if (inComment && a == '*' && b == '/') {
            proxy.SetStyle(i + 2, 0);
            inComment = false;
            ++i;
        }
    }
    *state = inComment ? 1 : 0;
    proxy.InsertText(0, "!", 1); // must not reach the document
}

const Styler kStyler{CommentStyler, nullptr, 1};

// One run a word, styles 1 and 2 taking turns, so a line's run count follows its text;
// the state counts the words so far.
void WordStyler(VLanguageProxy& proxy, short* state)
{
    const int length = proxy.TextLength();
    int words = 0;
    for (int i = 0; i < length; ++i) {
        if (proxy.CharAt(i) != ' ' && (i == 0 || proxy.CharAt(i - 1) == ' '))
            proxy.SetStyle(i, ++words % 2 + 1);
    }
    *state = static_cast<short>((*state + words) % 1000);
}

const Styler kWordStyler{WordStyler, nullptr, 2};

std::vector<std::vector<StyleRun>> AllRuns(const Document& doc)
{
    std::vector<std::vector<StyleRun>> runs;
    for (int line = 0; line < doc.LineCount(); ++line)
        runs.push_back(doc.Runs(line));
    return runs;
}

struct Recorder final : StyledLineSink {
    std::vector<std::vector<StyleRun>> runs;
    void StyledLine(int line, RunView lineRuns) override
    {
        EXPECT_EQ(line, static_cast<int>(runs.size())); // in document order
        runs.push_back(lineRuns);
    }
};

TEST(Document, SplitsLinesAfterLineFeeds)
{
    const Document empty;
    EXPECT_EQ(empty.LineCount(), 1);
    EXPECT_EQ(empty.Line(0), "");
    const Document doc("ab\n\ncd");
    ASSERT_EQ(doc.LineCount(), 3);
    EXPECT_EQ(doc.Line(0), "ab\n");
    EXPECT_EQ(doc.LineContent(0), "ab");
    EXPECT_EQ(doc.Line(1), "\n");
    EXPECT_EQ(doc.Line(2), "cd");
    EXPECT_EQ(doc.LineStart(2), 4);
    EXPECT_EQ(Document("ab\n").LineCount(), 2);
    EXPECT_EQ(Document("ab\n").Line(1), "");
    // Out-of-range lines are harmless.
    EXPECT_EQ(doc.Line(3), "");
    EXPECT_EQ(doc.Line(-1), "");
    EXPECT_EQ(doc.LineStart(9), 6);
    EXPECT_EQ(doc.EndState(3), 0);
    EXPECT_TRUE(doc.Runs(-1).empty());
}

TEST(Document, StylesEachLineFromThePreviousState)
{
    Document doc("a /* b\nc\nd */ e\nf");
    doc.StyleAll(kStyler);
    EXPECT_EQ(doc.Text(), "a /* b\nc\nd */ e\nf");
    EXPECT_EQ(doc.EndState(0), 1);
    EXPECT_EQ(doc.EndState(1), 1);
    EXPECT_EQ(doc.EndState(2), 0);
    EXPECT_EQ(doc.Runs(0), (std::vector<StyleRun>{{0, 0}, {2, 1}}));
    EXPECT_EQ(doc.Runs(1), (std::vector<StyleRun>{{0, 1}}));
    EXPECT_EQ(doc.Runs(2), (std::vector<StyleRun>{{0, 1}, {4, 0}}));

    doc.StyleAll(Styler{});
    EXPECT_EQ(doc.Runs(1), (std::vector<StyleRun>{{0, 0}}));
    EXPECT_EQ(doc.EndState(0), 0);
}

TEST(Document, RestyleStopsWhereStatesAgree)
{
    Document doc("a\nb\nc\nd\ne");
    doc.StyleAll(kStyler);
    doc.ReplaceLineContent(1, "b /*");
    EXPECT_EQ(doc.Text(), "a\nb /*\nc\nd\ne");
    g_calls = 0;
    EXPECT_EQ(doc.RestyleFrom(kStyler, 1), 4); // every later line is now in the comment
    EXPECT_EQ(g_calls, 4);
    EXPECT_EQ(doc.EndState(4), 1);

    doc.ReplaceLineContent(2, "c */");
    EXPECT_EQ(doc.RestyleFrom(kStyler, 2), 3);
    EXPECT_EQ(doc.EndState(4), 0);
    EXPECT_EQ(doc.Runs(3), (std::vector<StyleRun>{{0, 0}}));

    doc.ReplaceLineContent(0, "x");
    EXPECT_EQ(doc.RestyleFrom(kStyler, 0), 1); // same state: the lines after stand
    EXPECT_EQ(doc.RestyleFrom(kStyler, 5), 0);
    EXPECT_EQ(doc.RestyleFrom(kStyler, -1), 0);
}

TEST(Document, ReplacingWithLineFeedsAddsUnstyledLines)
{
    Document doc("a /* b\nc\nd */ e\nf");
    doc.StyleAll(kStyler);
    doc.ReplaceLineContent(0, "a\n/* x */\ny /* z");
    ASSERT_EQ(doc.LineCount(), 6);
    EXPECT_EQ(doc.Line(2), "y /* z\n");
    EXPECT_EQ(doc.EndState(0), 1); // kept until restyled
    EXPECT_TRUE(doc.Runs(1).empty());
    // Line 1 ends in state 0 like its stored placeholder, yet styling goes on.
    EXPECT_EQ(doc.RestyleFrom(kStyler, 0), 4);
    EXPECT_EQ(doc.EndState(2), 1);
    EXPECT_EQ(doc.EndState(4), 0);

    doc.ReplaceLineContent(6, "never");
    doc.ReplaceLineContent(-1, "never");
    EXPECT_EQ(doc.LineCount(), 6);
}

TEST(Document, ReplacingSeveralLinesKeepsTheirLineEndsAndStates)
{
    Document doc("one /*\r\ntwo\nthree */\nfour");
    doc.StyleAll(kStyler);
    doc.ReplaceLineContents(1, {"2", "3 */\nnew", "4"});
    EXPECT_EQ(doc.FileText(), "one /*\r\n2\n3 */\nnew\n4");
    EXPECT_EQ(doc.Text(), "one /*\n2\n3 */\nnew\n4");
    ASSERT_EQ(doc.LineCount(), 5);
    EXPECT_EQ(doc.EndState(0), 1);
    EXPECT_EQ(doc.EndState(1), 1); // kept until restyled
    EXPECT_TRUE(doc.Runs(3).empty());
    // Line 1 ends as it did, but the changed lines after it are styled all the same.
    EXPECT_EQ(doc.RestyleFrom(kStyler, 1, 3), 4);
    EXPECT_EQ(doc.EndState(2), 0);
    EXPECT_EQ(doc.Runs(3), (std::vector<StyleRun>{{0, 0}}));

    // A range running past the end changes nothing.
    doc.ReplaceLineContents(4, {"x", "y"});
    doc.ReplaceLineContents(0, {});
    EXPECT_EQ(doc.FileText(), "one /*\r\n2\n3 */\nnew\n4");
}

TEST(Document, PassWithASinkHandsOverTheRunsAndKeepsTheStates)
{
    const char* const text = "a b c\n\nd /* e\nf */ g h\n";
    for (const Styler& styler : {kStyler, kWordStyler}) {
        Document kept(text);
        kept.StyleAll(styler);
        Document passed(text);
        Recorder recorder;
        passed.StyleAll(styler, recorder);
        EXPECT_EQ(recorder.runs, AllRuns(kept));
        for (int line = 0; line < kept.LineCount(); ++line) {
            EXPECT_EQ(passed.EndState(line), kept.EndState(line)) << line;
            EXPECT_TRUE(passed.Runs(line).empty()) << line;
        }
        // The plug-in's edits reach neither document.
        EXPECT_EQ(passed.Text(), text);
    }
}

// Lines restyled again and again, their run counts growing and shrinking, keep exactly
// the runs a fresh document gets, however often the pool moves or packs them.
TEST(Document, RestyledLinesKeepTheirOwnRuns)
{
    Document doc("w\nw w\nw w w\nw\n");
    doc.StyleAll(kWordStyler);
    std::vector<std::string> contents(4);
    for (int round = 0; round < 3000; ++round) {
        const int line = round % 4;
        const int words = (round * 7) % 60 + (round % 3 == 0 ? 40 : 0);
        contents[static_cast<std::size_t>(line)].clear();
        for (int w = 0; w < words; ++w)
            contents[static_cast<std::size_t>(line)] += "ab ";
        doc.ReplaceLineContent(line, contents[static_cast<std::size_t>(line)]);
        doc.RestyleFrom(kWordStyler, line, line);
        if (round % 97 == 0 || round == 2999) {
            Document fresh(doc.Text());
            fresh.StyleAll(kWordStyler);
            ASSERT_EQ(AllRuns(doc), AllRuns(fresh)) << "round " << round;
        }
    }
}

// Files may end their lines with LF, CR LF or a lone CR; the buffer always has LF.
TEST(Document, KeepsEachLinesOwnLineEnd)
{
    struct Case {
        const char* file;
        const char* buffer;
        int lines;     // as an editor counts them
        int allLines;  // LineCount(), with the empty line after a final line end
    };
    const Case cases[] = {
        {"", "", 1, 1},
        {"a", "a", 1, 1},
        {"a\r\nb\r\n", "a\nb\n", 2, 3},
        {"a\rb\rc", "a\nb\nc", 3, 3},
        {"a\r\rb", "a\n\nb", 3, 3},
        {"a\n\r\nb\r", "a\n\nb\n", 3, 4},
        {"\r\n", "\n", 1, 2},
        {"x\r", "x\n", 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.file)));
        Document doc(c.file);
        EXPECT_EQ(doc.Text(), c.buffer);
        EXPECT_EQ(doc.FileText(), c.file);
        EXPECT_EQ(doc.TextLineCount(), c.lines);
        EXPECT_EQ(doc.LineCount(), c.allLines);
        EXPECT_EQ(doc.FileSize(), static_cast<int>(std::string(c.file).size()));
        // Every line's content leaves out its line end.
        for (int line = 0; line < doc.LineCount(); ++line)
            EXPECT_EQ(doc.LineContent(line).find('\r'), std::string_view::npos);
        // Every buffer offset maps to the file and back.
        for (int offset = 0; offset <= static_cast<int>(doc.Text().size()); ++offset)
            EXPECT_EQ(doc.BufferOffset(doc.FileOffset(offset)), offset) << offset;
    }
}

TEST(Document, MapsOffsetsBetweenFileAndBuffer)
{
    // file:   a b \r \n c \r d e \n f
    // offset: 0 1 2  3  4 5  6 7 8  9
    const Document doc("ab\r\nc\rde\nf");
    ASSERT_EQ(doc.Text(), "ab\nc\nde\nf");
    const int file[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, -5, 99};
    const int buffer[] = {0, 1, 2, 2, 3, 4, 5, 6, 7, 8, 9, 0, 9};
    for (std::size_t i = 0; i < std::size(file); ++i)
        EXPECT_EQ(doc.BufferOffset(file[i]), buffer[i]) << "file offset " << file[i];
    const int back[] = {0, 1, 2, 4, 5, 6, 7, 8, 9, 10};
    for (int b = 0; b <= 9; ++b)
        EXPECT_EQ(doc.FileOffset(b), back[b]) << "buffer offset " << b;
}

TEST(Document, SplitLinesTakeTheLinesOwnEnd)
{
    Document doc("a\r\nb");
    doc.ReplaceLineContents(0, {"x\ny", "p\nq"});
    EXPECT_EQ(doc.FileText(), "x\r\ny\r\np\nq");
}

} // namespace
} // namespace varnel
