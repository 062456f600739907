// The TeX plug-in: control words, comments, math and verbatim text carried in the line
// state (the verbatim delimiter in its high byte), and the generated heading scanner.
#include "function_scan.h"
#include "host_proxy.h"
#include "language.h"
#include "module_set.h"
#include "styled_cases.h"
#include "styled_markup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel::test {
namespace {

constexpr const char* kTex = "Firlex";

// A state with the verbatim delimiter (or 1 for an environment) in the high byte.
constexpr short WithDelimiter(int delimiter, int state)
{
    return static_cast<short>(delimiter * 256 + state);
}

TEST(TexStyleLine, DocumentsLineByLine)
{
    const std::vector<StyledDocumentCase> cases = {
        {"SectionHeading", "{7}\\section{2}{{0}Intro to it{2}}{0}\n{0}x", {0, 0}},
        {"KeywordSets", "{5}\\cite{2}{{0}x{2}}{0} {6}\\begin{2}{{0}a{2}}{0} {1}\\emph{0} {1}\\x@y{0}", {0}},
        {"ControlSymbolsStartNothing", "{0}a \\% b \\$ c \\{ d \\\\", {0}},
        {"SpecialCharacters", "{2}#{0}a{2}&{0} {2}~{0}b{2}^{2}_{0} {2}[{2}]{0}", {0}},
        {"CommentToTheLineEnd", "{0}a {3}% b $ \\x\n{0}c", {0, 0}},
        {"MathOverLines", "{0}a {4}$x +\n{4}y${0} b", {5, 0}},
        {"ParenthesisMath", "{4}\\(a \\$ b\\){0} c {4}$\\$${0}", {0}},
        {"DoubleDollarIsTwoEmptyRuns", "{4}$${0}\n{0}x\n{4}$${0}", {0, 0, 0}},
        {"VerbKeepsItsDelimiter", "{1}\\verb{0}|a%b$| c\n{0}d", {WithDelimiter('|', 0), WithDelimiter('|', 0)}},
        {"VerbOverALineEnd", "{1}\\verb{0}+a\n{0}b+ {2}{{0}", {WithDelimiter('+', 7), WithDelimiter('+', 0)}},
        {"VerbatimEnvironment",
         "{6}\\begin{2}{{0}verbatim{2}}{0}\n{0}{ $ % \\section{x}\n{0}  \\end{verbatim}\n"
         "{6}\\end{2}{{0}verbatim{2}}{0} {2}{{0}",
         {WithDelimiter(1, 7), WithDelimiter(1, 7), WithDelimiter(1, 7), WithDelimiter(1, 0)}},
        {"VerbatimClosedRightAfterItsOpener",
         "{6}\\begin{2}{{0}verbatim{2}}{6}\\end{2}{{0}verbatim{2}}{0} {4}$x${0}", {WithDelimiter(1, 0)}},
        {"BackquoteTakesTheNextCharacter", "{0}`% `$ `\\x {3}%\n{0}", {0, 0}},
        {"WordsAreNotLookedUp", "{0}section begin 12ab", {0}},
    };
    ExpectStyledDocuments(kTex, cases);
}

// Lines styled one by one with the state handed in, as for the last line of a document,
// which has no line feed.
TEST(TexStyleLine, LinesWithTheStateHandedIn)
{
    const std::vector<StyledLineCase> cases = {
        {0, "{0}a {3}% open", 4},
        {4, "{3}still a comment\n", 0},
        {4, "{3}", 4},
        {5, "{4}x${0} y\n", 0},
        {WithDelimiter('|', 7), "{0}a|b {1}\\x{0}\n", WithDelimiter('|', 0)},
        {WithDelimiter(1, 7), "{0} \\end{verbatim}\n", WithDelimiter(1, 7)},
        {WithDelimiter(1, 7), "{6}\\end{2}{{0}verbatim{2}}{0}", WithDelimiter(1, 0)},
        // The delimiter stays after the verbatim text ends.
        {WithDelimiter('!', 0), "{0}x {4}$a${0}\n", WithDelimiter('!', 0)},
        {0, "{1}\\verb{0}", 7},
        {0, "{0}x\\", 0},
        // A backquote at the very end of the text takes the absent character after it
        // and belongs to the run before it.
        {0, "{2}~`{0}", 0},
        {0, "{1}\\ab`{0}", 0},
    };
    ExpectStyledLines(kTex, cases);
}

struct TexScanCase {
    const char* name;
    const char* source;
    std::vector<ExpectedEntry> entries; // offsets one before the text named
};

std::vector<Entry> OneBefore(const std::string& source, const std::vector<ExpectedEntry>& expected)
{
    std::vector<Entry> entries = Expect(source, expected);
    for (Entry& e : entries)
        --e.offset;
    return entries;
}

const TexScanCase kScanCases[] = {
    {"ChapterThenSectionWithShortTitle",
     "x\n\\chapter{Getting started}\n\\section[Short]{A long title}\n",
     {{"  Getting started", "Getting started", "\\chapter"}, {"    Short", "Short", "\\section"}}},
    {"EveryLevel",
     "x\n\\part{P}\n\\chapter*{C}\n\\section{S}\n\\subsection{SS}\n\\subsubsection{SSS}\n\\paragraph{Pa}\n"
     "\\subparagraph [Sp] {Long}\n",
     {{"P", "P", "\\part"},
      {"  C", "C", "\\chapter"},
      {"    S", "S", "\\section"},
      {"      SS", "SS", "\\subsection"},
      {"        SSS", "SSS", "\\subsubsection"},
      {"          Pa", "Pa", "\\paragraph"},
      {"            Sp", "Sp", "\\subparagraph"}}},
    {"CommentedHeadingsAreNotListed", "x\n% \\section{Hidden}\n\\section{Shown} % \\section{Not}\n",
     {{"    Shown", "Shown", "\\section{Shown"}}},
    {"MarkerComment", "x\n%-*-{Examples}-*- more\n", {{"Examples", "Examples", "%-*-"}}},
    {"NestedBracesListedWhole", "x\n\\section{A {B} C}\n", {{"    A {B} C", "A {B} C", "\\section"}}},
    {"ArgumentOverLines", "x\n\\section{First\nsecond}\n", {{"    First\nsecond", "First\nsecond", "\\section"}}},
    {"CloserNotInTheMatch", "x\n\\section{A {B}\n", {{"    A {B}...", "A {B}\n", "\\section"}}},
    {"LongerCommandsAndLooseStarsAreNoHeadings",
     "x\n\\sectionmark{a}\n\\section *{b}\n\\section{}\n\\chapter{c}", {}},
    {"EmptyDocument", "", {}},
};

class TexScan : public ::testing::TestWithParam<TexScanCase> {};

TEST_P(TexScan, ListsHeadingsByLevel)
{
    const TexScanCase& c = GetParam();
    EXPECT_EQ(Scan(kTex, c.source).entries, OneBefore(c.source, c.entries));
}

INSTANTIATE_TEST_SUITE_P(Cases, TexScan, ::testing::ValuesIn(kScanCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TexScanEdges, HeadingAtTheStartComesAtMinusOne)
{
    EXPECT_EQ(Scan(kTex, "\\part{One}\n").entries, (std::vector<Entry>{{"One", "One", -1, false}}));
}

TEST(TexScanEdges, HeadingLongerThanTheBufferIsListedWhole)
{
    std::string title;
    for (int line = 0; title.size() < 40000; ++line)
        title += "word " + std::to_string(line) + (line % 10 == 9 ? "\n" : " ");
    const std::string source = "x\n\\section{" + title + "}\n\\section{After}\n";
    EXPECT_EQ(Scan(kTex, source).entries,
              OneBefore(source, {{("    " + title).c_str(), title.c_str(), "\\section"},
                                 {"    After", "After", "\\section{After"}}));
}

TEST(TexScanEdges, ConsecutiveScansShareNothing)
{
    // The first scan ends inside a heading's argument; the second sees none of it.
    Scan(kTex, "x\n\\section{Open and never closed\n\\section{Also");
    EXPECT_EQ(Scan(kTex, "\\chapter{B}\n").entries, (std::vector<Entry>{{"  B", "B", -1, false}}));
    EXPECT_EQ(Scan(kTex, "}\n").entries, std::vector<Entry>{});
}

TEST(TexScanEdges, OffsetsAreBytesAfterWideCharacters)
{
    const std::string source = "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\n\\section{\xC3\x9C}\n";
    EXPECT_EQ(Scan(kTex, source).entries, OneBefore(source, {{"    \xC3\x9C", "\xC3\x9C", "\\section"}}));
}

} // namespace
} // namespace varnel::test
