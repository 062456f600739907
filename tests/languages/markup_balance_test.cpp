// Balance and the selection comments of the HTML and XML modules: tags in markup,
// brackets in scripts from the start of the script, "<!--" "-->" in markup and "//" or
// "#" in scripts.
#include "host_proxy.h"
#include "module_set.h"
#include "selection_marks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace varnel::test {
namespace {

struct MarkupCase {
    const char* module;
    const char* name;
    const char* before; // the text with the selection handed to the module
    const char* after;  // Balance: the selection made, or "false"; comments: the text
};

void PrintTo(const MarkupCase& c, std::ostream* out)
{
    *out << c.module << " " << c.name;
}

std::string CaseName(const ::testing::TestParamInfo<MarkupCase>& info)
{
    return std::string(info.param.module) + "_" + info.param.name;
}

std::string Balanced(const std::string& module, const std::string& marked)
{
    const MarkedText in = Unmark(marked);
    const LanguagePlugin& plugin = Module(module);
    std::string text = in.text;
    const KeywordMatcher matcher(plugin.defaultKeywords);
    HostProxy proxy(text, matcher, 0, ProxyPurpose::Editing);
    int start = in.start;
    int end = in.end;
    const bool found = plugin.balance(proxy, &start, &end);
    EXPECT_EQ(text, in.text) << "the text changed";
    EXPECT_TRUE(proxy.Errors().empty());
    if (!found) {
        EXPECT_EQ(start, in.start);
        EXPECT_EQ(end, in.end);
        return "false";
    }
    return Mark(text, start, end);
}

class MarkupBalance : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(MarkupBalance, SelectsWhatEnclosesTheSelection)
{
    EXPECT_EQ(Balanced(GetParam().module, GetParam().before), GetParam().after);
}

const MarkupCase kBalanceCases[] = {
    {"Amberlex", "CaretInATagNameSelectsTheTag", "<p>x</p><ta@ble class=\"a\">", "<p>x</p><@table class=\"a\"@>"},
    {"Amberlex", "CaretInTextSelectsTheText", "x<p>Some @text</p>", "x<p>@Some text@</p>"},
    // The first character counts as a delimiter, even a "<": the first tag and the text
    // after it are one segment.
    {"Amberlex", "FirstTagRunsIntoTheTextAfterIt", "<p>Some @text</p>", "<@p>Some text@</p>"},
    {"Amberlex", "CaretAtTheStartFindsNothing", "@<p>x</p>", "false"},
    {"Amberlex", "FirstCharacterIsNeverSelected", "ab@c<p>", "a@bc@<p>"},
    {"Amberlex", "CaretOnADelimiterFindsNothing", "<p>x@</p>", "false"},
    {"Amberlex", "CaretInTheLastSegmentFindsNothing", "<p>x</p>ta@il", "false"},
    {"Amberlex", "CommentIsOneTagUpToItsDashes", "<p><!-- a > b @c --> d</p>", "<p><@!-- a > b c --@> d</p>"},
    {"Amberlex", "SelectionInsideASegment", "\n<p>a @b@ c</p>", "\n<p>@a b c@</p>"},
    {"Amberlex", "BracketsInsideAScript", "<p>(</p><script>\nf(a, @b);\n</script>", "<p>(</p><script>\nf(@a, b@);\n</script>"},
    {"Amberlex", "BracketsBeforeTheScriptAreNotSeen", "<p>(</p><script> x@ )</script>", "false"},
    {"Amberlex", "ScriptLiteralsAndCommentsAreStepped", "<script>f(\")\", /* ) */ @x)</script>",
     "<script>f(@\")\", /* ) */ x@)</script>"},
    {"Amberlex", "BracketsInsidePhp", "<p>[</p><?php if ($a[@1]) ?>", "<p>[</p><?php if ($a[@1@]) ?>"},
    {"Amberlex", "ScriptEnteredByAMarkerBeginsAfterIt", "<!--:javascript (-->\nx@)", "false"},
    {"Amberlex", "ScriptEnteredByAMarkerBalances", "<!--:javascript-->\n(x@)", "<!--:javascript-->\n(@x@)"},
    {"Amberlex", "AfterTheScriptEndTagsBalanceAgain", "<script>f(</script><p>t@xt</p>",
     "<script>f(</script><p>@txt@</p>"},
    {"Larchlex", "CaretInElementText", "<a><b>te@xt</b></a>", "<a><b>@text@</b></a>"},
    {"Larchlex", "CaretInATag", "<a><b i@d=\"1\">x</b></a>", "<a><@b id=\"1\"@>x</b></a>"},
    {"Larchlex", "ScriptsMeanNothingInXml", "<s><script>(x@)</script></s>", "<s><script>@(x)@</script></s>"},
};
INSTANTIATE_TEST_SUITE_P(Markup, MarkupBalance, ::testing::ValuesIn(kBalanceCases), CaseName);

TEST(MarkupBalance, SelectionsOutsideTheTextFindNothing)
{
    for (const char* module : {"Amberlex", "Larchlex"}) {
        const LanguagePlugin& plugin = Module(module);
        const KeywordMatcher matcher("");
        for (const auto& selection : {std::pair{-1, 2}, std::pair{3, 2}, std::pair{2, 99}, std::pair{INT_MIN, INT_MAX}}) {
            std::string text = "<p>text</p>";
            HostProxy proxy(text, matcher, 0, ProxyPurpose::Editing);
            int start = selection.first;
            int end = selection.second;
            EXPECT_FALSE(plugin.balance(proxy, &start, &end)) << module << " " << selection.first;
            EXPECT_EQ(start, selection.first);
            EXPECT_EQ(end, selection.second);
        }
    }
}

enum class Toggle { Comment, Uncomment };

std::string Toggled(const std::string& module, Toggle toggle, const std::string& marked)
{
    const MarkedText in = Unmark(marked);
    const LanguagePlugin& plugin = Module(module);
    const SelectionCommentFn fn = toggle == Toggle::Comment ? plugin.commentSelection : plugin.uncommentSelection;
    EXPECT_NE(fn, nullptr);
    if (fn == nullptr)
        return in.text;
    std::string text = in.text;
    const KeywordMatcher matcher(plugin.defaultKeywords);
    HostProxy proxy(text, matcher, 0, ProxyPurpose::Editing);
    fn(proxy, in.start, in.end);
    EXPECT_TRUE(proxy.Errors().empty());
    return text;
}

class MarkupComment : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(MarkupComment, CommentsEachLineOfTheSelection)
{
    EXPECT_EQ(Toggled(GetParam().module, Toggle::Comment, GetParam().before), GetParam().after);
}

const MarkupCase kCommentCases[] = {
    {"Amberlex", "DoubleDashesAreWrittenWithAStar", "@a -- b@\nc", "<!--a -*- b-->\nc"},
    {"Amberlex", "RunOfDashes", "@a---b@", "<!--a-*-*-b-->"},
    {"Amberlex", "EachLineApart", "@<p>x</p>\n\n<p>y</p>@\n", "<!--<p>x</p>-->\n<!---->\n<!--<p>y</p>-->\n"},
    {"Amberlex", "FromTheSelectionStartToItsEnd", "ab@cd@ef", "ab<!--cd-->ef"},
    {"Amberlex", "ThreePhpLines", "<?php\n  @a();\nb();\nc();@\n?>", "<?php\n  #a();\n#b();\n#c();\n?>"},
    {"Amberlex", "JavaScriptLines", "<script>\n@f();\ng();@\n</script>", "<script>\n//f();\n//g();\n</script>"},
    {"Amberlex", "CaretCommentsNothing", "<p>@x</p>", "<p>x</p>"},
    {"Larchlex", "XmlIsMarkupThroughout", "@<s><script>--</script></s>@", "<!--<s><script>-*-</script></s>-->"},
    // Every run of a "-", stars and a "-" gets one star more, so that uncommenting can
    // take exactly one away again: a "-*-" already in the text becomes "-**-". Runs
    // overlap in their dashes: each dash closes one run and opens the next.
    {"Larchlex", "StarredDashesGetOneStarMore", "@<!-- -*- nxml -*- -->@", "<!--<!-*- -**- nxml -**- -*->-->"},
    {"Larchlex", "LongerRunsGetOneStarMore", "@a-**-b-***-c@", "<!--a-***-b-****-c-->"},
    {"Larchlex", "OverlappingRuns", "@-*-*- -*-- --*-@", "<!---**-**- -**-*- -*-**--->"},
    {"Larchlex", "StarsWithoutASecondDashStay", "@-* *- -*x *-*@", "<!---* *- -*x *-*-->"},
    // A run that the selection end cuts gets its star all the same, inside the comment.
    {"Larchlex", "RunCutByTheSelectionEnd", "@a-@*-b", "<!--a-*-->*-b"},
    {"Larchlex", "RunOfStarsCutByTheSelectionEnd", "@a-*@*-b", "<!--a-**-->*-b"},
};
INSTANTIATE_TEST_SUITE_P(Markup, MarkupComment, ::testing::ValuesIn(kCommentCases), CaseName);

class MarkupUncomment : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(MarkupUncomment, FreesTheCommentsOfTheSelection)
{
    EXPECT_EQ(Toggled(GetParam().module, Toggle::Uncomment, GetParam().before), GetParam().after);
}

const MarkupCase kUncommentCases[] = {
    {"Amberlex", "StarredDashesTurnBack", "@<!--a -*- b-->\n@c", "a -- b\nc"},
    {"Amberlex", "RunOfDashesTurnsBack", "@<!--a-*-*-b-->\n@", "a---b\n"},
    {"Amberlex", "SelectionEndingRightAfterTheCloserIsLeft", "@<!--a-->@\nc", "<!--a-->\nc"},
    {"Amberlex", "CommentEndingTheTextIsFreed", "x\n@<!--a-->@", "x\na"},
    {"Amberlex", "EveryLineOfTheSelection", "@<!--<p>x</p>-->\n<!--<p>y</p>-->\n@<!--z-->\n",
     "<p>x</p>\n<p>y</p>\n<!--z-->\n"},
    {"Amberlex", "NothingAfterTheSelectionIsFreed", "@<!--abc-->\n@<!---->x", "abc\n<!---->x"},
    {"Amberlex", "StarredDashesOutsideTheCommentStay", "@<!--a-->-*-@x", "a-*-x"},
    {"Amberlex", "JavaScriptLineStarts", "<script>\n@//f();\n//g();@\n//h();\n</script>",
     "<script>\nf();\ng();\n//h();\n</script>"},
    {"Amberlex", "PhpLineStartsOnly", "<?php\n@#a\n #b\n#c@\n?>", "<?php\na\n #b\nc\n?>"},
    {"Larchlex", "XmlPairs", "@<!--<a>-*-</a>-->\n@", "<a>--</a>\n"},
    // Each run with stars loses one: "-**-" was a "-*-" before it was commented.
    {"Larchlex", "OneStarComesOffEachRun", "@<!--<!-*- -**- nxml -**- -*->-->\n@", "<!-- -*- nxml -*- -->\n"},
    {"Larchlex", "LongerRunsLoseOneStar", "@<!--a-***-b-****-c-->\n@", "a-**-b-***-c\n"},
    {"Larchlex", "OverlappingRunsLoseOneStarEach", "@<!---**-**- -**-*- -*-**--->\n@", "-*-*- -*-- --*-\n"},
    {"Larchlex", "RunsWithoutStarsStay", "@<!--a--b-->\n@", "a--b\n"},
    // A comment written before stars were added to every run: "-*-" comes back as "--"
    // as it always did, overlapping runs too.
    {"Larchlex", "OldCommentsUncommentAsBefore", "@<!--a -*- b -*-*- c -*--->\n@", "a -- b --- c --\n"},
    // A run that went on past the selection end: its star is taken off after the comment.
    {"Larchlex", "RunCutByTheSelectionEnd", "@<!--a-**-->*-b@", "a-**-b"},
    {"Larchlex", "RunStartingWhereTheCloserStoodStays", "@<!--a-->-**-@", "a-**-"},
};
INSTANTIATE_TEST_SUITE_P(Markup, MarkupUncomment, ::testing::ValuesIn(kUncommentCases), CaseName);

// Uncommenting what was just commented gives every text back, whatever dashes and stars
// it holds: every text of up to five characters from "-", "*", "x", ">" and a line feed,
// with every selection in it (the uncommented selection reaching one past the last closer).
TEST(MarkupComment, UncommentingGivesEveryTextBack)
{
    const std::string alphabet = "-*x>\n";
    std::vector<std::string> texts = {""};
    for (std::size_t from = 0; from < texts.size(); ++from) {
        if (texts[from].size() < 5) {
            for (char c : alphabet)
                texts.push_back(texts[from] + c);
        }
    }
    for (const char* module : {"Amberlex", "Larchlex"}) {
        const LanguagePlugin& plugin = Module(module);
        const KeywordMatcher matcher("");
        int failures = 0;
        for (const std::string& original : texts) {
            const int length = static_cast<int>(original.size());
            for (int start = 0; start <= length && failures < 5; ++start) {
                for (int end = start + 1; end <= length && failures < 5; ++end) {
                    std::string text = original;
                    {
                        HostProxy proxy(text, matcher, 0, ProxyPurpose::Editing);
                        plugin.commentSelection(proxy, start, end);
                    }
                    const std::string commented = text;
                    const int uncommentEnd = std::min(end + static_cast<int>(text.size()) - length + 1,
                                                      static_cast<int>(text.size()));
                    {
                        HostProxy proxy(text, matcher, 0, ProxyPurpose::Editing);
                        plugin.uncommentSelection(proxy, start, uncommentEnd);
                        EXPECT_TRUE(proxy.Errors().empty());
                    }
                    if (text != original) {
                        ++failures;
                        ADD_FAILURE() << module << ": " << ::testing::PrintToString(Mark(original, start, end))
                                      << " was commented " << ::testing::PrintToString(commented)
                                      << " and uncommented " << ::testing::PrintToString(text);
                    }
                }
            }
        }
    }
}

TEST(MarkupComment, ReversedSelectionChangesNothing)
{
    for (const char* module : {"Amberlex", "Larchlex"}) {
        const LanguagePlugin& plugin = Module(module);
        const KeywordMatcher matcher("");
        for (const auto& selection : {std::pair{5, 2}, std::pair{-3, 4}, std::pair{40, 50}, std::pair{INT_MIN, INT_MAX}}) {
            for (SelectionCommentFn fn : {plugin.commentSelection, plugin.uncommentSelection}) {
                std::string text = "<!--a-->\n<p>x</p>";
                HostProxy proxy(text, matcher, 0, ProxyPurpose::Editing);
                fn(proxy, selection.first, selection.second);
                EXPECT_EQ(text, "<!--a-->\n<p>x</p>") << module << " " << selection.first;
            }
        }
    }
}

} // namespace
} // namespace varnel::test
