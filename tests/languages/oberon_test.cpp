// The Oberon-2 plug-in: nested comments carried in the line state, the generated
// function scanner and the counting bracket balancer.
#include "function_scan.h"
#include "host_proxy.h"
#include "language.h"
#include "module_set.h"
#include "selection_marks.h"
#include "styled_cases.h"
#include "styled_markup.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace varnel::test {
namespace {

constexpr const char* kOberon = "Kelplex";

// A depth of nested comments in the high byte over state 3.
constexpr short InComment(int depth)
{
    return static_cast<short>(depth * 256 + 3);
}

TEST(OberonStyleLine, DocumentsLineByLine)
{
    const std::vector<StyledDocumentCase> cases = {
        {"KeywordsAreCaseSensitive", "{1}BEGIN{0} begin Begin {1}END{0}", {0}},
        {"NestedCommentClosedOnItsLine", "{0}x {2}(* a (* b *) c *){0} y", {0}},
        {"NestedCommentLeftOpenKeepsItsDepth", "{2}(* a (* b *)\n{2}c *){0} y", {InComment(1), 0}},
        {"TwoLevelsOverLines", "{2}(* (*\n{2}*)\n{2}*){0} x", {InComment(2), InComment(1), 0}},
        {"OpenerStarDoesNotClose", "{2}(*) x\n{2}*){0}", {InComment(1), 0}},
        {"InnerOpenerTakesItsStar", "{2}(* (*) *)\n{2}*){0}", {InComment(1), 0}},
        {"CarriedLineCountsEveryCloser", "{2}(*\n{2}*){0} x", {InComment(1), 0}},
        {"PragmaNotNested", "{0}a {2}<* x <* y *>{0} b", {0}},
        {"PragmaOpenerStarDoesNotClose", "{2}<*>\n{2}*>{0} x", {4, 0}},
        {"StringsInBothQuotes", "{0}s := {3}\"(*\"{0} + {3}'*)'{0};", {0}},
        {"EscapedQuoteStaysInString", "{3}\"a\\\"b\"{0} x", {0}},
        {"StringContinuedByBackslash", "{3}\"ab\\\n{3}c\"{0} x", {5, 0}},
        {"UnterminatedStringIsPlain", "{0}s := 'abc\n{0}x", {0, 0}},
        {"SetConstructor", "{0}s := {4}{0, 2..4}{0};", {0}},
        {"OpenSetIsPlain", "{0}s := {a, b\n{0}x", {0, 0}},
        {"WordsWithDigitsAndUnderscores", "{0}BEGIN_2 {1}END{0} x_IF {1}IF{0}", {0}},
    };
    ExpectStyledDocuments(kOberon, cases);
}

TEST(OberonStyleLine, IncomingDepthAndItsLimits)
{
    const std::vector<StyledLineCase> cases = {
        {InComment(2), "{2}a *) b *){0} c\n", 0},
        {InComment(2), "{2}a *) b\n", InComment(1)},
        // A comment state without a depth closes at its first closer.
        {3, "{2}a *){0} b\n", 0},
        // The depth stops at what the high byte holds.
        {InComment(255), "{2}(* x\n", InComment(255)},
        {4, "{2}x *)\n", 4},
        {4, "{2}x *>{0} y\n", 0},
        {5, "{3}x\"{0} y\n", 0},
        {7, "{4}a}{0} b\n", 0},
        // The depth a plain line hands on is what it came with.
        {0x0500, "{0}x\n", 0x0500},
    };
    ExpectStyledLines(kOberon, cases);
}

TEST(OberonStyleLine, UserSetsHaveTheirStyles)
{
    const LanguagePlugin& plugin = Module(kOberon);
    const KeywordMatcher keywords("A\n- 2\nB\n- 3\nC\n- 4\nD\n- 5\nE\n- 6\nF\n");
    const std::string styled = "{1}A{0} {5}B{0} {6}C{0} {7}D{0} {8}E{0} F";
    std::string line = Unmarked(styled);
    HostProxy proxy(line, keywords, 8, ProxyPurpose::Styling);
    short state = 0;
    plugin.styleLine(proxy, &state);
    EXPECT_EQ(MarkRuns(line, proxy.Runs()), styled);
}

struct OberonScanCase {
    const char* name;
    const char* source;
    std::vector<ExpectedEntry> entries; // offsets one before the text named
    std::vector<Include> includes;
};

std::vector<Entry> OneBefore(const std::string& source, const std::vector<ExpectedEntry>& expected)
{
    std::vector<Entry> entries = Expect(source, expected);
    for (Entry& e : entries)
        --e.offset;
    return entries;
}

const OberonScanCase kScanCases[] = {
    {"NestedProceduresIndentedByDepth",
     "MODULE M;\nPROCEDURE Outer;\n  PROCEDURE Inner;\n  BEGIN x := 1\n  END Inner;\nBEGIN Inner\nEND Outer;\n"
     "PROCEDURE Third;\nBEGIN END Third;\nEND M.\n",
     {{"Outer", "Outer", "PROCEDURE Outer"}, {"  Inner", "Inner", "PROCEDURE Inner"},
      {"Third", "Third", "PROCEDURE Third"}},
     {}},
    {"MethodsListTheirNameOnly",
     "PROCEDURE (l: List) Print*;\nBEGIN END Print;\nPROCEDURE (VAR n: Node) Reset*(x: INTEGER);\nBEGIN END Reset;\n",
     {{"Print", "Print", "PROCEDURE (l"}, {"Reset", "Reset", "PROCEDURE (VAR"}},
     {}},
    {"ForwardDeclarationsWithParameters",
     "MODULE M;\nPROCEDURE ^Draw*(x: INTEGER);\nPROCEDURE ^Skip*;\nPROCEDURE ^ Blank(y: INTEGER);\n"
     "PROCEDURE ^(s: Shape) Area (): REAL;\n",
     {{"^Draw", "^Draw", "PROCEDURE ^Draw", true}},
     {}},
    {"ImportsWithAnAlias",
     "MODULE M;\nIMPORT Out, F := Files, Texts;\nPROCEDURE P;\nEND M.\n",
     {{"P", "P", "PROCEDURE P"}},
     {{"Out", "Out.Mod"}, {"Files", "Files.Mod"}, {"Texts", "Texts.Mod"}}},
    {"ImportNamesOfSixtyCharactersAreSkipped",
     "IMPORT A23456789012345678901234567890123456789012345678901234567890,\n"
     "  B2345678901234567890123456789012345678901234567890123456789;\n",
     {},
     {{"B2345678901234567890123456789012345678901234567890123456789",
       "B2345678901234567890123456789012345678901234567890123456789.Mod"}}},
    {"CommentsHideHeadings",
     "(* PROCEDURE Hidden; *)\nPROCEDURE Shown; (* PROCEDURE Inside; *)\nBEGIN END Shown;\n",
     {{"Shown", "Shown", "PROCEDURE Shown"}},
     {}},
    {"CommentBracketInADeclarationStringIsText",
     "CONST s = \"(*\";\nPROCEDURE P;\nBEGIN END P;\nPROCEDURE Q; (* x *)\nEND Q;\n",
     {{"P", "P", "PROCEDURE P"}, {"Q", "Q", "PROCEDURE Q"}},
     {}},
    {"CommentRightAfterAStringIsAComment",
     "CONST s = \"a\"(* PROCEDURE Hidden; *);\nPROCEDURE P;\n",
     {{"P", "P", "PROCEDURE P"}},
     {}},
    {"MarkBeforeTheNameListsNothing",
     "PROCEDURE *Handler;\nBEGIN END Handler;\nPROCEDURE Next;\n",
     {{"Next", "Next", "PROCEDURE Next"}},
     {}},
    {"NameEndsAtAnUnderscore", "PROCEDURE Do_it;\n", {{"Do", "Do", "PROCEDURE Do"}}, {}},
    {"ProcedureTypesAreNoHeadings",
     "TYPE P = PROCEDURE (x: INTEGER);\nVAR q: PROCEDURE;\nPROCEDURE R;\n",
     {{"R", "R", "PROCEDURE R"}},
     {}},
    {"StringsInABodyHideItsEnd",
     "PROCEDURE P;\nBEGIN s := \"END P; PROCEDURE Q;\"\nEND P;\nPROCEDURE R;\n",
     {{"P", "P", "PROCEDURE P"}, {"R", "R", "PROCEDURE R"}},
     {}},
    {"IndentationStopsWhereTheMatchHasNoRoom",
     "PROCEDURE A;\nPROCEDURE B;\nPROCEDURE C;\nPROCEDURE D;\nPROCEDURE E;\nPROCEDURE F;\nPROCEDURE G;\n",
     {{"A", "A", "PROCEDURE A"},
      {"  B", "B", "PROCEDURE B"},
      {"    C", "C", "PROCEDURE C"},
      {"      D", "D", "PROCEDURE D"},
      {"        E", "E", "PROCEDURE E"},
      {"          F", "F", "PROCEDURE F"},
      {"          G", "G", "PROCEDURE G"}},
     {}},
    // A comment inside a heading counts with its full length, wherever the match starts.
    {"CommentInsideAHeadingCountsInFull", "PROCEDURE (*c*) P;", {{"P", "P", "PROCEDURE"}}, {}},
    {"CommentsInAnOpenParameterList", "x PROCEDURE P(a (*c*) (*d*) (*e*)", {{"P", "P", "PROCEDURE"}}, {}},
    {"MarkerCommentsInMethodHeadings",
     "PROCEDURE (*[ABSTRACT]*) (s: Shape) Area*(): REAL;\nBEGIN END Area;\n"
     "PROCEDURE (VAR t: T) Copy* (*[NO_COPY]*) (x: INTEGER);\n",
     {{"Area", "Area", "PROCEDURE (*[ABS"}, {"Copy", "Copy", "PROCEDURE (VAR"}},
     {}},
    {"EmptyDocument", "", {}, {}},
};

class OberonScan : public ::testing::TestWithParam<OberonScanCase> {};

TEST_P(OberonScan, ListsHeadingsAndImports)
{
    const OberonScanCase& c = GetParam();
    const ScanResult result = Scan(kOberon, c.source);
    EXPECT_EQ(result.entries, OneBefore(c.source, c.entries));
    EXPECT_EQ(result.includes, c.includes);
}

INSTANTIATE_TEST_SUITE_P(Cases, OberonScan, ::testing::ValuesIn(kScanCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OberonScanEdges, HeadingAtTheStartComesAtMinusOne)
{
    const ScanResult result = Scan(kOberon, "PROCEDURE First;\n");
    EXPECT_EQ(result.entries, (std::vector<Entry>{{"First", "First", -1, false}}));
}

TEST(OberonScanEdges, HeadingLongerThanTheBufferIsMatchedWhole)
{
    std::string parameters;
    while (parameters.size() < 40000)
        parameters += "a" + std::to_string(parameters.size()) + ",\n  ";
    const std::string source = "MODULE M;\nPROCEDURE Long(" + parameters + "z: INTEGER);\nBEGIN END Long;\nPROCEDURE After;\n";
    const ScanResult result = Scan(kOberon, source);
    EXPECT_EQ(result.entries, OneBefore(source, {{"Long", "Long", "PROCEDURE Long"},
                                                 {"After", "After", "PROCEDURE After"}}));
}

TEST(OberonScanEdges, CommentedParameterLinesOfAHeadingLongerThanTheBuffer)
{
    std::string parameters;
    while (parameters.size() < 40000)
        parameters += "a" + std::to_string(parameters.size()) + ": INTEGER; (* the parameter *)\n  ";
    const std::string source = "MODULE M;\nPROCEDURE Long(" + parameters + "z: INTEGER);\nBEGIN END Long;\n"
                               "PROCEDURE (*c*) After;\n";
    const ScanResult result = Scan(kOberon, source);
    EXPECT_EQ(result.entries, OneBefore(source, {{"Long", "Long", "PROCEDURE Long"},
                                                 {"After", "After", "PROCEDURE (*c*) After"}}));
}

TEST(OberonScanEdges, ConsecutiveScansShareNothing)
{
    // The first ends inside a string, the second inside a procedure body; each scan
    // after them starts afresh in the declarations.
    Scan(kOberon, "MODULE M;\nCONST s = \"open (*\nPROCEDURE Unseen;\n");
    EXPECT_EQ(Scan(kOberon, "PROCEDURE A;\n").entries, (std::vector<Entry>{{"A", "A", -1, false}}));
    Scan(kOberon, "PROCEDURE P;\nBEGIN x := 1;\n");
    EXPECT_EQ(Scan(kOberon, "PROCEDURE B;\n").entries, (std::vector<Entry>{{"B", "B", -1, false}}));
}

TEST(OberonScanEdges, OffsetsAreBytesAfterWideCharacters)
{
    const std::string source = "(* \xC3\xA9t\xC3\xA9 *)\nCONST s = \"\xE2\x82\xAC\";\nPROCEDURE P;\n";
    const ScanResult result = Scan(kOberon, source);
    EXPECT_EQ(result.entries, OneBefore(source, {{"P", "P", "PROCEDURE P"}}));
}

// Balance on marked text: one "@" marks a caret, two a selection; the answer is the
// text marked with the selection made, or "false".
std::string Balanced(const std::string& marked)
{
    const MarkedText in = Unmark(marked);
    std::string text = in.text;
    const KeywordMatcher matcher("");
    HostProxy proxy(text, matcher, 0, ProxyPurpose::Editing);
    int start = in.start;
    int end = in.end;
    const bool found = Module(kOberon).balance(proxy, &start, &end);
    EXPECT_EQ(text, in.text);
    if (!found) {
        EXPECT_EQ(start, in.start);
        EXPECT_EQ(end, in.end);
        return "false";
    }
    return Mark(text, start, end);
}

TEST(OberonBalance, SelectsTheInsideOfTheNearestPair)
{
    const struct {
        const char* name;
        const char* before;
        const char* after;
    } cases[] = {
        {"CaretAfterTheOpenerOfACall", "f(@a, b) + 1\n", "f(@a, b@) + 1\n"},
        {"TheInsideOfAPairLooksAround", "f(@a, b@) + 1\n", "false"},
        {"TheInsideOfAnInnerPairWidens", "g[f(@a@)]\n", "g[@f(a)@]\n"},
        {"OpenerAtTheStartIsFound", "(a@b)\n", "(@ab@)\n"},
        {"CloserAsLastCharacterIsNeverExamined", "(a@b)", "false"},
        {"NearerCloserWins", "(a [b c@] d)\n", "(a [@b c@] d)\n"},
        {"NearerOpenerWins", "(a [@b c d] e)\n", "(a [@b c d@] e)\n"},
        {"TieGoesToTheOpener", "[@a)]\n", "[@a)@]\n"},
        {"NearerCloserOfAnotherKind", "{a(@)b}\n", "{@a()b@}\n"},
        {"NestedPairsOfTheSameKindCount", "(a (b) @c (d) e)\n", "(@a (b) c (d) e@)\n"},
        {"BracketsInStringsCount", "f(\"(\" @x)\n)\n", "f(\"(@\" x@)\n)\n"},
        {"BracketsInCommentsCount", "(* ( *) @x)\n", "(@* ( *) x@)\n"},
        {"MissingPartnerFails", "f(@a\n", "false"},
        {"StrayCloserBeforeFails", "a) @b\n", "false"},
        {"NoBrackets", "ab@c\n", "false"},
        {"EmptyText", "@", "false"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Balanced(c.before), c.after) << c.name;
}

TEST(OberonBalance, SelectionsOutsideTheTextFailAtOnce)
{
    const int bad[][2] = {{-1, 2}, {3, 2}, {2, 8}, {2, INT_MAX}, {INT_MIN, 2}, {INT_MAX, INT_MAX}};
    for (const auto& selection : bad) {
        std::string text = "f(x)\n";
        const KeywordMatcher matcher("");
        HostProxy proxy(text, matcher, 0, ProxyPurpose::Editing);
        int start = selection[0];
        int end = selection[1];
        EXPECT_FALSE(Module(kOberon).balance(proxy, &start, &end)) << selection[0] << ".." << selection[1];
        EXPECT_EQ(start, selection[0]);
        EXPECT_EQ(end, selection[1]);
    }
}

} // namespace
} // namespace varnel::test
