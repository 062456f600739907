// StyleLine of the HTML and XML modules over whole documents through the host's
// document model, each line starting in the state the line before it left.
#include "host_proxy.h"
#include "language.h"
#include "module_set.h"
#include "styled_markup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel::test {
namespace {

struct MarkupCase {
    const char* name;
    const char* styled; // the document, with "{n}" where a run of style n must start
    std::vector<short> endStates;
};

void PrintTo(const MarkupCase& c, std::ostream* out)
{
    *out << c.name;
}

std::string CaseName(const ::testing::TestParamInfo<MarkupCase>& info)
{
    return info.param.name;
}

void ExpectStyled(const Language& language, const MarkupCase& c)
{
    ASSERT_NE(language.plugin->styleLine, nullptr);
    Document document(Unmarked(c.styled));
    document.StyleAll(language.MakeStyler());
    EXPECT_EQ(MarkDocument(document), c.styled);
    EXPECT_EQ(EndStates(document), c.endStates);
}

// HTML line states: the state number with the percent flag (bit 14) and the script
// flag (bit 15).
constexpr short kPercent = 0x4000;
constexpr short Scripted(int state)
{
    return static_cast<short>(state - 0x8000);
}

class HtmlDocument : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(HtmlDocument, RunsAndEndStatesOfEveryLine)
{
    ExpectStyled(PrepareLanguage(Module("Amberlex"), ""), GetParam());
}

const MarkupCase kHtmlCases[] = {
    {"ScriptTagInCapitalsEntersJavaScriptAndItsEndTagLeaves",
     "{8}<{1}SCRIPT{8} {2}LANGUAGE{8}={9}\"JavaScript\"{8}>{0}\n{3}var{0} x;\n{0}<{8}/{1}SCRIPT{8}>{0}\n{0}",
     {11, 11, 0, 0}},
    {"DashesInAScriptLineCommentReturnToMarkup", "{8}<{1}script{8}>{0}\n{0}x(); {5}// end --{8}>{0}\n{0}y",
     {11, 0, 0}},
    {"ScriptFlagWaitsForTheTagsEndOnALaterLine", "{8}<{1}script{8}\n{2}type{8}=x>{0}\n{3}var{0}",
     {Scripted(4), 11, 11}},
    {"JavaScriptMarkerAtTheLineStart", "{8}<!{5}--:javascript--{8}>{0}\n{3}var{0}", {11, 11}},
    {"JavaScriptMarkerElsewhereIsAComment", "{0} {8}<!{5}--:javascript--{8}>{0}\n{0}var", {0, 0}},
    {"MarkerCommentClosedOnALaterLineIsAComment", "{8}<!{5}--:javascript\n{5}--{8}>{0}\n{0}var", {10, 0, 0}},
    {"PhpMarkerEntersPhp", "{8}<!{5}--:PHP--{8}>{0}\n{4}echo{0} {11}$x{0}", {17, 17}},
    {"PhpOpeningTagAndVariables", "{8}<?{1}php{0} {11}$x{8} ?>{0}\n{8}<?{1}php{0} $ x", {0, 17}},
    {"PercentBlockIgnoresQuestionMarkEnd", "{8}<%{0} a ?> b{8} %>{0}\n{0}c", {kPercent, kPercent}},
    {"PhpCommentsAndStrings",
     "{8}<?{0} {5}# note\n{5}/* a\n{5}b */{0} {6}\"s\\\"t\n{6}u\"{0} {5}// x{8}?>{0}y", {17, 19, 21, 0}},
    {"BlockCommentGoesOnAndClosesAtTheLineStart", "{8}<{1}script{8}>{0}\n{5}/* a\n{5}*/{0} b", {11, 12, 11}},
    {"ScriptStringContinuedByABackslashOnly", "{8}<{1}script{8}>{0}\n{0}s = {6}'a\\\n{6}b'{0} + \"c\n{0}x",
     {11, 15, 11, 11}},
    {"EntitiesEndAtTheSemicolonOnly", "{7}&amp;{0} & x &lt", {0}},
    {"TagsLeftOpenGoOnOnTheNextLine",
     "{8}<{1}a{8} {2}href{8}={9}\"x\n{9}y\"{8} {2}title{8}={9}'p\n{9}q'{8}>{0}z", {5, 6, 0}},
    {"DeclarationGoesOnOnTheNextLine", "{8}<!DOCTYPE\n{8}html>{0}", {9, 0}},
    {"UnknownTagAndAttributeAreTagStyle", "{8}<blink wobble>{0}x{8}</{1}p{8}>{0}", {0}},
    {"ScriptCommentOpenerIsTagThenComment", "{8}<{1}script{8}>{0}\n{8}<!{5}--{0} f", {11, 11}},
};
INSTANTIATE_TEST_SUITE_P(Html, HtmlDocument, ::testing::ValuesIn(kHtmlCases), CaseName);

// XML with user tag sets: "id" in user set 1, "item" and "ab" in user set 2, "mark" in
// user set 4; "doc" is a keyword.
const char kXmlKeywords[] = "doc\n- User set 1:\nid\n- User set 2:\nitem ab\n- User set 3:\n- User set 4:\nmark\n";

// XML line states: the state number with the closing-tag flag (bit 12) and the
// user-data index (bits 13 to 15).
constexpr short WithIndex(int state, int index)
{
    return static_cast<short>(state | (index << 13));
}

class XmlDocument : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(XmlDocument, RunsAndEndStatesOfEveryLine)
{
    Language language = PrepareLanguage(Module("Larchlex"), "");
    language.matcher = KeywordMatcher(kXmlKeywords);
    ExpectStyled(language, GetParam());
}

const MarkupCase kXmlCases[] = {
    {"UserTagColoursTheTextUpToTheClosingTag", "{6}<{8}item{6}>{9}a\n{9}b{6}</{8}item{6}>{0}c",
     {WithIndex(0, 1), 0}},
    {"UserSetOneIsAnAttributeButAPlainTag", "{6}<id {2}id{6}={7}'1'{6}>{0}", {0}},
    {"KeywordTagKeepsTheUserData", "{6}<{12}mark{6}>{13}x{6}<{1}doc{6}>{13}y", {WithIndex(0, 3)}},
    {"UnknownOpeningTagEndsTheUserData", "{6}<{8}item{6}>{9}x{6}<other>{0}y", {0}},
    {"XmlDeclarationNamesTheTagAfterTheQuestionMark", "{6}<?xml version={7}\"1.0\"{6}?>{0}", {0}},
    {"EntityCutByTheLineEndIsDefaultText", "{6}<{8}item{6}>{9}a {0}&amp\n{9}b {5}&lt;{9}c",
     {WithIndex(0, 1), WithIndex(0, 1)}},
    {"CommentsAndDeclarations", "{6}<!{3}-- a > b --{6}>{0} {6}<!DOCTYPE x>{0}", {0}},
    {"ClosingTagCutAfterItsSlash", "{6}<{8}item{6}>{9}a{6}</\n{8}item{6}>{0}b", {WithIndex(3, 1) | 0x1000, 0}},
    {"CharacterAboveByteRangeCountsAsItsLowByte", "{6}<{8}\xC5\x81" "b{6}>{9}", {WithIndex(0, 1)}},
};
INSTANTIATE_TEST_SUITE_P(Xml, XmlDocument, ::testing::ValuesIn(kXmlCases), CaseName);

// One call of StyleLine through a fresh proxy, as the host makes it.
struct LineResult {
    std::vector<StyleRun> runs;
    short state;
};

LineResult StyleOneLine(const std::string& module, const std::string& keywords, std::string line, short state)
{
    const LanguagePlugin& plugin = Module(module);
    const KeywordMatcher matcher(keywords.empty() ? std::string(plugin.defaultKeywords) : keywords);
    HostProxy proxy(line, matcher, StyleTable::FromPairs(plugin.styles).Count(), ProxyPurpose::Styling);
    plugin.styleLine(proxy, &state);
    EXPECT_TRUE(proxy.Errors().empty());
    return {proxy.Runs(), state};
}

// Lines longer than the stretch of text the styler reads at a time: runs of bytes that
// change nothing cross from one stretch into the next, and what ends them still counts.
TEST(MarkupStyleLine, HtmlRunsThatCrossLongStretchesOfText)
{
    const std::string value(700, 'v');
    const std::string blanks(600, ' ');
    const std::string words(300, 'w');
    struct LongCase {
        const char* name;
        std::string styled;
        std::vector<short> endStates;
    };
    const std::vector<LongCase> cases = {
        {"LongQuotedValue", "{8}<{1}a{8} {2}title{8}={9}\"" + value + "\"{8} {2}href{8}={9}'y'{8}>{0}x", {0}},
        {"LongTextBeforeAnEntity", "{0}" + value + "{7}&amp;{0} b\n{0}c", {0, 0}},
        {"LongBlanksBeforeAScriptWord", "{8}<{1}script{8}>{0}\n{0}" + blanks + "{3}var{0} x;\n{0}", {11, 11, 11}},
        {"LongScriptWordThenAKeyword", "{8}<{1}script{8}>{0}\n{0}" + words + " {3}return{0} 1;\n{0}", {11, 11, 11}},
        {"LongUnclosedValueGoesOn", "{8}<{1}a{8} {2}href{8}={9}\"" + value + "\n{9}" + value + "\"{8}>{0}", {5, 0}},
    };
    for (const LongCase& c : cases) {
        Document document(Unmarked(c.styled));
        document.StyleAll(PrepareLanguage(Module("Amberlex"), "").MakeStyler());
        EXPECT_EQ(MarkDocument(document), c.styled) << c.name;
        EXPECT_EQ(EndStates(document), c.endStates) << c.name;
    }
}

TEST(MarkupStyleLine, EmptyLineKeepsTheStateAndItsFlags)
{
    const short html[] = {0, 11, 17 | kPercent, Scripted(4), Scripted(21)};
    for (short state : html) {
        const LineResult r = StyleOneLine("Amberlex", "", "", state);
        EXPECT_EQ(r.runs, (std::vector<StyleRun>{{0, 0}})) << state;
        EXPECT_EQ(r.state, state);
    }
    // XML reports no run at all on an empty line.
    const short xml[] = {0, WithIndex(3, 2) | 0x1000, WithIndex(10, 6), WithIndex(0, 7)};
    for (short state : xml) {
        const LineResult r = StyleOneLine("Larchlex", "", "", state);
        EXPECT_TRUE(r.runs.empty()) << state;
        EXPECT_EQ(r.state, state);
    }
}

// Each user data index has its style at the start of a line; index 7 has none.
TEST(MarkupStyleLine, XmlLineStartsInItsUserDataStyle)
{
    const int expected[] = {0, 9, 11, 13, 15, 17, 19, 0};
    for (int index = 0; index < 8; ++index) {
        const LineResult r = StyleOneLine("Larchlex", "", "x", WithIndex(0, index));
        EXPECT_EQ(r.runs, (std::vector<StyleRun>{{0, expected[index]}})) << index;
        EXPECT_EQ(r.state, WithIndex(0, index));
    }
}

// One word in each set: s1 in set 1, s2 in set 2 and so on.
const char kOneWordPerSet[] = "s1\n- a\ns2\n- b\ns3\n- c\ns4\n- d\ns5\n- e\ns6\n- f\ns7\n- g\ns8\n";

TEST(MarkupStyleLine, HtmlKeywordSetsMapToStylesByWordKind)
{
    const struct {
        const char* styled;
        short state;
    } cases[] = {
        // Tag names: set 1, then the user sets; other sets are plain tags. The run of
        // default text that a tag's ">" starts is replaced by the next tag's run.
        {"{8}<{1}s1{8} {2}s2{8} {12}s6{8} {13}s7{8} {14}s8{8} s1 s3>{0}", 0},
        {"{8}<{12}s6{8}>{8}<{13}s7{8}>{8}<{14}s8{8}>{8}<s2>{0}", 0},
        // JavaScript words: set 3, then the user sets; a first capital is lowered.
        {"{3}S3{0} {12}s6{0} {13}s7{0} {14}s8{0} s4 s5 s1", 11},
        // PHP words: sets 4 and 5, then the user sets.
        {"{4}s4{0} {10}S5{0} {12}s6{0} {13}s7{0} {14}s8{0} s3 s1", 17},
    };
    for (const auto& c : cases) {
        const LineResult r = StyleOneLine("Amberlex", kOneWordPerSet, Unmarked(c.styled), c.state);
        EXPECT_EQ(MarkRuns(Unmarked(c.styled), r.runs), c.styled);
    }
}

TEST(MarkupStyleLine, XmlKeywordSetsMapToStylesByWordKind)
{
    const char* const styled =
        "{6}<{1}s1{6} s1 {2}s2{6} {8}s3{6} {10}s4{6} {12}s5{6} {14}s6{6} {16}s7{6} {18}s8{6}>{0}x{6}<{18}s8{6}>{19}y"
        "{6}<s2>{0}z";
    const LineResult r = StyleOneLine("Larchlex", kOneWordPerSet, Unmarked(styled), 0);
    EXPECT_EQ(MarkRuns(Unmarked(styled), r.runs), styled);
    EXPECT_EQ(r.state, 0);
}

} // namespace
} // namespace varnel::test
