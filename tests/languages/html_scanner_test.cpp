// The HTML plug-in's function scan: anchors, headings, script functions and links.
#include "function_scan.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

struct HtmlCase {
    const char* name;
    std::string source;
    std::vector<ExpectedEntry> entries;
    std::vector<std::string> includes;
};

void PrintTo(const HtmlCase& c, std::ostream* out)
{
    *out << c.name;
}

std::vector<Include> Includes(const std::vector<std::string>& targets)
{
    std::vector<Include> includes;
    for (const std::string& t : targets)
        includes.push_back({t, t});
    return includes;
}

// Names cut at their limit (255 bytes, 254 for a target) keep whole characters.
const std::string kName254 = std::string(254, 'a');
const std::string kHeadingLabel254 = "H1: " + kName254;
const std::string kAnchorLabel254 = "A: " + kName254;
const std::string kAnchorAt = "\"" + kName254;
const std::string kTarget253 = std::string(253, 't');

const HtmlCase kHtmlCases[] = {
    {"NamedAnchorAtItsOpeningQuote", "<p><a name=\"top\">Top</a></p>", {{"A: top", "top", "\"top\""}}, {}},
    {"LinkTargetsWithoutTheirFragment",
     "<link rel=\"stylesheet\" HREF=\"site.css\">\n<a href=\"page.html#part\">x</a> <A HREF=\"#top\">y</A>",
     {},
     {"site.css", "page.html", ""}},
    {"OnlyTheFirstOfHrefAndNameCounts", "<a href=\"x.html\" name=\"n\"></a><a name=\"m\" href=\"y.html\"></a>",
     {{"A: m", "m", "\"m\""}},
     {"x.html"}},
    {"UnquotedValuesAreIgnored", "<a name=top href=t.html></a>", {}, {}},
    {"OtherAttributeValuesOfAnyFormArePassed",
     "<a class='x y' title=\"t\" data=/p/q _odd=1 href=\"t.html\"></a><a\tid=\"i\" name=\"n\">",
     {{"A: n", "n", "\"n\""}},
     {"t.html"}},
    {"TagsBeginningWithAAreNoAnchors", "<abbr name=\"x\">a</abbr><area href=\"y.html\">", {}, {}},
    {"HeadingsOfLevelOneToSix",
     "<h1>One</h1><H6 class=\"x\">Six</H6><h7>No</h7><hr><head><h0>No</h0>",
     {{"H1: One", "One", "One"}, {"H6: Six", "Six", "Six"}},
     {}},
    {"TagsRightAfterTheHeadingTagAreStepped", "<h2><a name=\"i\"><b>Intro</b></a></h2>", {{"H2: Intro", "Intro", "Intro"}},
     {}},
    {"HeadingTextUpToItsFirstLineBreak", "<h3>\n\tFirst part\nsecond</h3><h4>\n</h4>",
     {{"H3: First part", "First part", "\n\tFirst"}},
     {}},
    {"OnlyTopLevelScriptFunctions",
     "<script>\nfunction f(a) { function g() {} }\nvar s = \"function no()\";\n"
     "x = 'function nor()'; // function nor2()\nfunction obj.method_1() {}\n</script>\n<p>function not()</p>",
     {{"JS: f", "f", "f(a)"}, {"JS: obj.method_1", "obj.method_1", "obj.method_1"}},
     {}},
    {"FunctionAtTheEndOfAWordHasAnEmptyName", "<script>x.myfunction();</script>", {{"JS: ", "", "();"}}, {}},
    {"EmptyBracketsArePassedAtOnce", "<script>f(){} function a(){}</script>", {{"JS: a", "a", "a()"}}, {}},
    {"PhpFunctionsAndComments",
     "<?php function a() { function b() {} }\n/* function c() ?> */ function d_2() {}\n"
     "function e.f() // function g()\n?>function h()",
     {{"PHP: a", "a", "a()"}, {"PHP: d_2", "d_2", "d_2()"}, {"PHP: e", "e", "e.f"}},
     {}},
    {"PageStartingWithAJavaScriptMarker", "<!--:javascript-->\nfunction m() {}\n", {{"JS: m", "m", "m()"}}, {}},
    {"PageStartingWithAPhpMarker", "<!--:php-->function p() {}", {{"PHP: p", "p", "p()"}}, {}},
    {"ScriptTagsInCapitals", "<SCRIPT type=\"a>b\">FUNCTION Up() {}</SCRIPT>", {{"JS: Up", "Up", "Up()"}}, {}},
    {"HeadingCutBeforeAWideCharacter", "<h1>" + kName254 + "\xC3\xA9</h1>",
     {{kHeadingLabel254.c_str(), kName254.c_str(), kName254.c_str()}},
     {}},
    {"AnchorNameCutBeforeAWideCharacter", "<a name=\"" + kName254 + "\xC3\xA9\">x</a>",
     {{kAnchorLabel254.c_str(), kName254.c_str(), kAnchorAt.c_str()}},
     {}},
    {"TargetCutBeforeAWideCharacter", "<a href=\"" + kTarget253 + "\xE2\x82\xAC\">x</a>", {}, {kTarget253}},
    // A character 0 is the end of the text, also right after the "?" of "<?".
    {"NulAfterTheQuestionMarkEndsTheText", std::string("<?\0function f(){}", 17), {}, {}},
    {"NulInPhpCodeEndsTheText", std::string("<?php function a(){}\0function f(){}", 35), {{"PHP: a", "a", "a()"}},
     {}},
};

class HtmlScan : public ::testing::TestWithParam<HtmlCase> {};

TEST_P(HtmlScan, EntriesAndIncludesInDocumentOrder)
{
    const HtmlCase& c = GetParam();
    const ScanResult result = Scan("Amberlex", c.source);
    EXPECT_EQ(result.entries, Expect(c.source, c.entries));
    EXPECT_EQ(result.includes, Includes(c.includes));
}

INSTANTIATE_TEST_SUITE_P(Html, HtmlScan, ::testing::ValuesIn(kHtmlCases),
                         [](const ::testing::TestParamInfo<HtmlCase>& info) { return std::string(info.param.name); });

TEST(HtmlScan, LongNamesAreCut)
{
    const std::string name(300, 'n');
    const ScanResult result = Scan("Amberlex", "<a name=\"" + name + "\"><a href=\"" + name + "\"><script>function " +
                                                   name + "() {}</script>");
    ASSERT_EQ(result.entries.size(), 2u);
    EXPECT_EQ(result.entries[0].name, name.substr(0, 255));
    EXPECT_EQ(result.entries[1].name, name.substr(0, 255));
    ASSERT_EQ(result.includes.size(), 1u);
    EXPECT_EQ(result.includes[0].name, name.substr(0, 254));
}

} // namespace
} // namespace varnel::test
