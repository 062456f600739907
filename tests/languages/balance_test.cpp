// The C-like bracket balancer through the Balance of every plug-in that carries it, and
// its TeX variant through the TeX plug-in's Balance.
#include "bracket_balancer.h"
#include "host_proxy.h"
#include "module_set.h"
#include "selection_marks.h"

#include <gtest/gtest.h>

#include <climits>

namespace varnel::test {
namespace {

const char* const kCLikeModules[] = {"Birchlex", "Ivylex", "Hazellex", "Elmlex"};

struct BalanceCase {
    const char* name;
    const char* before; // the text and the selection handed to Balance
    const char* after;  // the selection it makes, or null when it finds no pair
};

void PrintTo(const BalanceCase& c, std::ostream* out)
{
    *out << c.name;
}

// Runs one balancer on the marked text; answers the text marked with the selection it
// leaves (one "@" for an empty one), or "false" (after checking that the selection was
// left alone).
template <typename Balancer>
std::string Balanced(Balancer balance, const std::string& marked)
{
    const MarkedText in = Unmark(marked);
    std::string text = in.text;
    const KeywordMatcher matcher("");
    HostProxy proxy(text, matcher, 0, ProxyPurpose::Editing);
    int start = in.start;
    int end = in.end;
    const bool found = balance(proxy, &start, &end);
    EXPECT_EQ(text, in.text) << "the text changed";
    EXPECT_TRUE(proxy.Errors().empty());
    if (!found) {
        EXPECT_EQ(start, in.start);
        EXPECT_EQ(end, in.end);
        return "false";
    }
    return Mark(text, start, end);
}

const BalanceCase kCLikeCases[] = {
    {"CaretBetweenParentheses", "call(a, @b);", "call(@a, b@);"},
    {"RebalancingTheResultKeepsIt", "call(@a, b@);", "call(@a, b@);"},
    {"InnermostOfNestedKinds", "{ [ ( x@ ) ] }", "{ [ (@ x @) ] }"},
    {"NearestUnclosedKindWins", "( [ @ ] )", "( [@  @] )"},
    {"NearestIsParenthesisInsideSquare", "[ (@) ]", "[ (@) ]"},
    {"NearestKindWithoutCloserFails", "{ [ ( @ ] }", "false"},
    {"SameKindNestedAfterCaret", "(a (b) @c (d) )", "(@a (b) c (d) @)"},
    {"KindsCountedIndependently", "[(]@)", "[(@]@)"},
    {"OtherKindsIgnoredInSecondPass", "(a@]b)", "(@a]b@)"},
    {"StrayCloserIgnored", ") ] } f(@x)", ") ] } f(@x@)"},
    {"OnlyStrayClosers", ") @x", "false"},
    {"DoubleQuotedBracketsBeforeCaret", "f(\"(\", @x)", "f(@\"(\", x@)"},
    {"DoubleQuotedBracketsAfterCaret", "g(@ \")\" )", "g(@ \")\" @)"},
    {"SingleQuotedBrackets", "f(')', @x, '(')", "f(@')', x, '('@)"},
    {"EscapedQuoteKeepsLiteralOpen", "f(\"\\\")\", @x)", "f(@\"\\\")\", x@)"},
    {"EscapedBackslashClosesLiteral", "f(\"\\\\\", @x)", "f(@\"\\\\\", x@)"},
    {"LiteralRunsOverLineEnd", "f(\"a\n)\", @x)", "f(@\"a\n)\", x@)"},
    {"BlockCommentBeforeCaret", "f(/* ( */ @x)", "f(@/* ( */ x@)"},
    {"BlockCommentAfterCaret", "f(@x /* ) */ )", "f(@x /* ) */ @)"},
    {"SlashStarSlashDoesNotClose", "f(/*/ ) */@x)", "f(@/*/ ) */x@)"},
    {"LineCommentBeforeCaret", "f(// (\n@x)", "f(@// (\nx@)"},
    {"LineCommentAfterCaret", "f(@x // )\n)", "f(@x // )\n@)"},
    {"CarriageReturnDoesNotEndLineComment", "f(// x\r )\n@y)", "f(@// x\r )\ny@)"},
    {"LoneSlashIsPlain", "f(a / @b)", "f(@a / b@)"},
    {"TextStartingWithLiteral", "'(' @x )", "false"},
    {"TextStartingWithComment", "/*(*/ @x )", "false"},
    {"TextStartingWithLineComment", "//(\n @x )", "false"},
    {"HashCommentsAreNotKnown", "f(@x # )\n)", "f(@x # @)\n)"},
    {"UnterminatedLiteralRunsToEnd", "f(@x \")", "false"},
    {"UnterminatedCommentRunsToEnd", "f(@x /* )", "false"},
    {"BackslashEndsText", "f(@\"\\", "false"},
    {"OpenerInsideSelectionIsOutOfRunning", "{ a@ ( @b ) }", "{@ a ( b ) @}"},
    {"OpenerAtSelectionStartWins", "{ @(a@) }", "{ (@a@) }"},
    {"SelectionOverWholePair", "{ @(a)@ }", "{@ (a) @}"},
    {"CaretAtStart", "@(a)", "false"},
    {"CaretAtEnd", "(a)@", "false"},
    {"NoBrackets", "ab@c", "false"},
    {"EmptyText", "@", "false"},
    {"OpenerWithoutCloser", "f(@x", "false"},
    {"CaretJustAfterOpener", "f(@)", "f(@)"},
    {"MultiByteCharactersBeforeCaret", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9(a) (b@)",
     "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9(a) (@b@)"},
    {"MultiByteCharactersInside", "{ \xE2\x82\xAC@ }", "{@ \xE2\x82\xAC @}"},
};

class CLikeBalance : public ::testing::TestWithParam<BalanceCase> {};

TEST_P(CLikeBalance, EveryModuleSelectsTheSame)
{
    const BalanceCase& c = GetParam();
    for (const char* module : kCLikeModules) {
        const BalanceFn fn = Module(module).balance;
        ASSERT_NE(fn, nullptr) << module;
        EXPECT_EQ(Balanced(fn, c.before), c.after) << module;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CLikeBalance, ::testing::ValuesIn(kCLikeCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadSelection {
    int start;
    int end;
};

TEST(CLikeBalance, SelectionsOutsideTheTextFailAtOnce)
{
    // "f(x)" holds a pair around every position from 2 to 3.
    const BadSelection bad[] = {{-1, 2}, {3, 2}, {2, 5}, {2, INT_MAX}, {2, 2000000000}, {INT_MIN, 2},
                                {INT_MAX, INT_MAX}, {5, 5}};
    for (const char* module : kCLikeModules) {
        for (const BadSelection& selection : bad) {
            std::string text = "f(x)";
            const KeywordMatcher matcher("");
            HostProxy proxy(text, matcher, 0, ProxyPurpose::Editing);
            int start = selection.start;
            int end = selection.end;
            EXPECT_FALSE(Module(module).balance(proxy, &start, &end))
                << module << " " << selection.start << ".." << selection.end;
            EXPECT_EQ(start, selection.start);
            EXPECT_EQ(end, selection.end);
        }
    }
}

TEST(CLikeBalance, DeepNestingNeitherCrashesNorLosesCount)
{
    // A megabyte of openers, a caret in the middle and the closers after it.
    const int depth = 512 * 1024;
    std::string text = std::string(depth, '(') + std::string(depth, ')');
    const KeywordMatcher matcher("");
    HostProxy proxy(text, matcher, 0, ProxyPurpose::Editing);
    int start = depth;
    int end = depth;
    ASSERT_TRUE(Module("Birchlex").balance(proxy, &start, &end));
    EXPECT_EQ(start, depth);
    EXPECT_EQ(end, depth);
    start = end = depth / 2;
    ASSERT_TRUE(Module("Birchlex").balance(proxy, &start, &end));
    EXPECT_EQ(start, depth / 2);
    EXPECT_EQ(end, depth + depth / 2);
}

TEST(CLikeBalance, PythonHasNone)
{
    EXPECT_EQ(Module("Juniperlex").balance, nullptr);
}

// The TeX plug-in's Balance: the balancer with the TeX skip rule.
bool TexBalance(VLanguageProxy& proxy, int* start, int* end)
{
    const BalanceFn balance = Module("Firlex").balance;
    EXPECT_NE(balance, nullptr);
    return balance != nullptr && balance(proxy, start, end);
}

const BalanceCase kTexCases[] = {
    {"CommandArgument", "\\section{Int@ro}", "\\section{@Intro@}"},
    {"OptionalArgument", "\\item[a@b]{c}", "\\item[@ab@]{c}"},
    {"NearestOfTwoKinds", "{a [b@] c}", "{a [@b@] c}"},
    {"BraceNearerThanSquare", "[a {b@} c]", "[a {@b@} c]"},
    {"ParenthesesNotCounted", "(a@)", "false"},
    {"ParenthesesInsideBraces", "{ (a@) }", "{@ (a) @}"},
    {"CommentBeforeCaret", "% {\n{a@b}", "% {\n{@ab@}"},
    {"CommentAfterCaret", "{a@ % }\n b}", "{@a % }\n b@}"},
    {"CommentAtTextStart", "%{\n@a}", "false"},
    {"EscapedBrace", "{a@ \\} b}", "{@a \\} b@}"},
    {"EscapedBackslashThenBrace", "{a \\\\{@b} c}", "{a \\\\{@b@} c}"},
    {"VerbText", "{a@ \\verb|}| b}", "{@a \\verb|}| b@}"},
    {"VerbWithBraceDelimiter", "{a@ \\verb}x} b}", "{@a \\verb}x} b@}"},
    {"VerbWithMultiByteDelimiter", "{a@ \\verb\xC3\xA9}\xC3\xA9 b}", "{@a \\verb\xC3\xA9}\xC3\xA9 b@}"},
    {"CharacterAfterVerbDelimiterExamined", "{a@ \\verb+x+}", "{@a \\verb+x+@}"},
    {"VerbFollowedByLetterIsACommand", "\\verbx{a@}", "\\verbx{@a@}"},
    {"UnterminatedVerb", "{a@ \\verb|} b}", "false"},
    {"VerbAtTextEnd", "{a@ \\verb", "false"},
    {"VerbatimEnvironment", "{a@ \\begin{verbatim} } \\end{verbatim} b}",
     "{@a \\begin{verbatim} } \\end{verbatim} b@}"},
    {"VerbatimBeforeCaret", "\\begin{verbatim}{\\end{verbatim}{x@}", "\\begin{verbatim}{\\end{verbatim}{@x@}"},
    {"UnterminatedVerbatim", "{a@ \\begin{verbatim} }", "false"},
    {"OtherEnvironmentsCounted", "\\begin{cen@ter}", "\\begin{@center@}"},
    {"BackslashEndsText", "{a@ \\", "false"},
    {"SlashCommentsAreText", "{a@ // }\n}", "{@a // @}\n}"},
    {"CaretAtStart", "@{a}", "false"},
};

class TexBalanceCases : public ::testing::TestWithParam<BalanceCase> {};

TEST_P(TexBalanceCases, SelectsTheEnclosingPair)
{
    EXPECT_EQ(Balanced(TexBalance, GetParam().before), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Cases, TexBalanceCases, ::testing::ValuesIn(kTexCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Pascal's own balancer: keyword blocks and brackets.
const BalanceCase kPascalCases[] = {
    {"CaretInBeginEnd", "begin\n  x@ := 1\nend.", "begin@\n  x := 1\n@end."},
    {"KeywordsInAnyCase", "Begin x@ END", "Begin@ x @END"},
    {"RebalancingKeepsTheSelection", "begin@ x @end", "begin@ x @end"},
    {"SelectionOverAWholeBlockGoesOutward", "begin @begin x end@ end", "begin@ begin x end @end"},
    {"CaseSelectsFromAfterOf", "begin case x of 1: y@ end end", "begin case x of@ 1: y @end end"},
    {"CaretBeforeOfBelongsToTheOuterBlock", "begin case x@ of 1: y end end", "begin@ case x of 1: y end @end"},
    {"ArgumentsInsideBegin", "begin f(a, @b) end", "begin f(@a, b@) end"},
    {"IndexInsideBegin", "begin a[i@] end", "begin a[@i@] end"},
    {"RepeatUntil", "begin repeat x@ until y end", "begin repeat@ x @until y end"},
    {"RepeatAtTheTopLevelIsNoBlock", "repeat x@ until y", "false"},
    {"RecordEnd", "type r = record a@: integer; end;", "type r = record@ a: integer; @end;"},
    {"RecordClosesAtTheFirstEnd", "type r = record case k@: integer of 1: (a: integer); end;",
     "type r = record@ case k: integer of 1: (a: integer); @end;"},
    {"ParenCommentInsideParentheses", "f((* ) *) a@)", "f(@(* ) *) a@)"},
    {"ParenStarParenOpensAComment", "f((*) x@ *) y)", "f(@(*) x *) y@)"},
    {"BraceCommentHidesAKeyword", "begin { end } x@ end", "begin@ { end } x @end"},
    {"StringHidesABracket", "f(')', @x)", "f(@')', x@)"},
    {"LongerWordsAreNoKeywords", "begin beginning x@ endless end", "begin@ beginning x endless @end"},
    {"DigitsEndAWord", "begin1 x@ end", "begin@1 x @end"},
    {"NonAsciiLettersBelongToTheWord", "begin \xC3\xA9" "end x@ end", "begin@ \xC3\xA9" "end x @end"},
    {"CaretOutsideEveryBlock", "begin x end; @y", "false"},
    {"UnclosedBlock", "begin x@", "false"},
    {"NoBlocks", "x := @1", "false"},
    {"EmptyText", "@", "false"},
};

bool PascalBalance(VLanguageProxy& proxy, int* start, int* end)
{
    return Module("Cedarlex").balance(proxy, start, end);
}

class PascalBalanceCases : public ::testing::TestWithParam<BalanceCase> {};

TEST_P(PascalBalanceCases, SelectsTheInsideOfTheInnermostBlock)
{
    ASSERT_NE(Module("Cedarlex").balance, nullptr);
    EXPECT_EQ(Balanced(PascalBalance, GetParam().before), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Cases, PascalBalanceCases, ::testing::ValuesIn(kPascalCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PascalBalance, DeepNestingNeitherCrashesNorLosesCount)
{
    const int depth = 50000;
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "begin (a) case x of [b] repeat ";
    const int middle = static_cast<int>(text.size());
    for (int i = 0; i < depth; ++i)
        text += "until y end end ";
    const KeywordMatcher matcher("");
    HostProxy proxy(text, matcher, 0, ProxyPurpose::Editing);
    // The innermost block is a REPEAT: its inside is the blank before UNTIL.
    int start = middle;
    int end = middle;
    ASSERT_TRUE(PascalBalance(proxy, &start, &end));
    EXPECT_EQ(start, middle - 1);
    EXPECT_EQ(end, middle);
    // Only the outermost BEGIN holds its first blank: every END inside it was matched.
    start = end = 6;
    ASSERT_TRUE(PascalBalance(proxy, &start, &end));
    EXPECT_EQ(start, 5);
    EXPECT_EQ(end, static_cast<int>(text.size()) - 4);

    const std::string parentheses = "begin f(" + std::string(depth, '(') + "x" + std::string(depth, ')') + ") end";
    std::string deep = parentheses;
    HostProxy deepProxy(deep, matcher, 0, ProxyPurpose::Editing);
    start = end = 8 + depth;
    ASSERT_TRUE(PascalBalance(deepProxy, &start, &end));
    EXPECT_EQ(start, 8 + depth);
    EXPECT_EQ(end, 9 + depth);
}

} // namespace
} // namespace varnel::test
