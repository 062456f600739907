// StyleLine of the Shell, Java, ActionScript, Python, Pascal and Rez modules, loaded as the editor
// loads them and run over whole documents line by line, each line starting in the
// state the line before it left.
#include "host_proxy.h"
#include "language.h"
#include "module_set.h"
#include "styled_markup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel::test {
namespace {

struct StyleCase {
    const char* module;
    const char* name;
    const char* styled; // the document, with "{n}" where a run of style n must start
    std::vector<short> endStates;
};

void PrintTo(const StyleCase& c, std::ostream* out)
{
    *out << c.module << " " << c.name;
}

class StyledDocument : public ::testing::TestWithParam<StyleCase> {};

TEST_P(StyledDocument, RunsAndEndStatesOfEveryLine)
{
    const StyleCase& c = GetParam();
    const Language language = PrepareLanguage(Module(c.module), "");
    ASSERT_NE(language.plugin->styleLine, nullptr);
    Document document(Unmarked(c.styled));
    document.StyleAll(language.MakeStyler());
    EXPECT_EQ(MarkDocument(document), c.styled);
    EXPECT_EQ(EndStates(document), c.endStates);
}

std::string CaseName(const ::testing::TestParamInfo<StyleCase>& info)
{
    return info.param.name;
}

const StyleCase kShellCases[] = {
    {"Hazellex", "KeywordsOfALoop", "{1}for{0} f {1}in{0} *.txt; {1}do{0} echo $f; {1}done{0}\n{0}", {0, 0}},
    {"Hazellex", "WholeWordsAreLookedUp", "{0}undone fit {1}fi{0}", {0}},
    {"Hazellex", "CommentRunsToTheLineEnd", "{0}echo hi {2}# note\n{0}x{2}#y\n{0}", {0, 0, 0}},
    {"Hazellex", "CommentSurvivesALastLineWithoutLineFeed", "{2}# one\n{2}# two", {0, 2}},
    {"Hazellex", "StringsInEitherQuotes",
     "{0}echo {3}\"a b\"{0} {3}'c d'{0}\n{0}x={3}'a'{3}'b'{0}\n{3}'it\\'s'{0}", {0, 0, 0}},
    {"Hazellex", "BackslashContinuesAString", "{0}echo {3}\"abc\\\n{3}def\"{0} x", {3, 0}},
    {"Hazellex", "DoubledBackslashLeavesTheStringOpenAndPlain", "{0}echo \"abc\\\\\n{0}def\"\n{0}", {0, 0, 0}},
    {"Hazellex", "BytesFrom128UpAreNoWordCharacters", "{0}\xc3\xa9{1}for{0} {1}for{0}\xc3\xa9", {0}},
};
INSTANTIATE_TEST_SUITE_P(Shell, StyledDocument, ::testing::ValuesIn(kShellCases), CaseName);

const StyleCase kJavaCases[] = {
    {"Birchlex", "DottedNamesAreOneWord", "{1}import{0} java.util.List;\n{0}x = this.y + {1}this{0};", {0, 0}},
    {"Birchlex", "BlockCommentOverLines", "{1}int{0} x; {3}/* start\n{3}middle\n{3}end */{0} {1}return{0};",
     {3, 3, 0}},
    {"Birchlex", "SlashStarSlashIsAWholeComment", "{0}a {3}/*/{0} b\n{3}/**/{0}", {0, 0}},
    {"Birchlex", "LineCommentEndsWithItsLine", "{0}x = 1; {3}// note\n{3}// open", {0, 4}},
    {"Birchlex", "Strings", "{0}s = {4}\"a\\\"b\"{0};\n{0}s = \"abc\n{0}s = {4}\"abc\\\n{4}def\"{0};",
     {0, 0, 5, 0}},
    {"Birchlex", "ConstantsOfOneTwoOrFourCharacters", "{2}'a'{0} {2}'\\n'{0} {2}'ab'{0} {2}'abcd'{0} {2}'\\''{0}",
     {0}},
    {"Birchlex", "EmptyOrThreeCharacterConstantReopensAtItsClosingQuote", "{0}'{2}'x'{0} 'abc{2}'d'{0}", {0}},
    {"Birchlex", "TabOrLineEndAbandonsAConstant", "{0}'a\t{2}'b'{0}\n{0}'xy", {0, 0}},
};
INSTANTIATE_TEST_SUITE_P(Java, StyledDocument, ::testing::ValuesIn(kJavaCases), CaseName);

const StyleCase kActionScriptCases[] = {
    {"Ivylex", "DirectivesAreWords", "{1}#include{0} {3}\"lib.as\"{0}\n{1}#initclip{0}\n{0}x{1}#endinitclip{0}",
     {0, 0, 0}},
    {"Ivylex", "EachKeywordSetHasItsStyle", "{5}MovieClip{0} {6}_alpha{0} {4}gotoAndPlay{0} {8}tellTarget{0}", {0}},
    {"Ivylex", "MemberAccessIsTwoWords",
     "{0}clip.{6}_alpha{0} = {5}Math{0}.{4}PI{0};\n{5}Selection{0}.getBeginIndex", {0, 0}},
    {"Ivylex", "StringsInEitherQuotes", "{0}s = {3}'it\\'s'{0} + {3}\"x\"{0}\n{0}t = {3}'abc\\\n{3}def'{0};",
     {0, 6, 0}},
    {"Ivylex", "BlockAndLineComments", "{2}/* a\n{2} b */{0} x {2}// c\n{2}// open", {3, 0, 4}},
};
INSTANTIATE_TEST_SUITE_P(ActionScript, StyledDocument, ::testing::ValuesIn(kActionScriptCases), CaseName);

const StyleCase kPythonCases[] = {
    {"Juniperlex", "KeywordsAndBuiltins", "{1}def{0} f(x):\n{0}    {1}print{0} {4}len{0}(x) {2}# count\n{0}",
     {0, 0, 0}},
    {"Juniperlex", "TripleDoubleQuotesShowAsComment",
     "{0}x = {2}\"\"\"doc\n{2}more \"quoted\" text\n{2}end\"\"\"{0} + y", {3, 3, 0}},
    {"Juniperlex", "TripleSingleQuotesShowAsString", "{3}'''a\n{3}b'''{0}", {7, 0}},
    {"Juniperlex", "FourQuotesOpenAndClose", "{0}x = {2}\"\"\"\"{0} y\n{3}''''{0}", {0, 0}},
    {"Juniperlex", "BackslashKeepsOnlyTripleSingleQuotesOpen",
     "{3}'''a\\'''b'''{0}\n{2}\"\"\"a\\\"\"\"{0}b", {0, 0}},
    {"Juniperlex", "OpenStringFallsBackUnlessContinued", "{0}s = \"abc\n{0}t = {3}'ab\\\n{3}c'{0}", {0, 6, 0}},
    {"Juniperlex", "CommentSurvivesALastLineWithoutLineFeed", "{2}# one\n{2}# two", {0, 4}},
};
INSTANTIATE_TEST_SUITE_P(Python, StyledDocument, ::testing::ValuesIn(kPythonCases), CaseName);

const StyleCase kPascalCases[] = {
    {"Cedarlex", "KeywordsInAnyCaseAsWholeWords",
     "{1}begin{0} {1}Begin{0} {1}BEGIN{0} beginning x_end end1 {1}end{0}.\n{0}", {0, 0}},
    {"Cedarlex", "BraceCommentOverThreeLines", "{0}x := 1; {2}{ one\n{2}two\n{2}three }{0} y", {4, 4, 0}},
    {"Cedarlex", "ParenCommentClosingMidLine", "{1}if{0} {2}(* a\n{2}b *){0} c", {3, 0}},
    {"Cedarlex", "ParenStarParenOpensOnly", "{2}(*) x\n{2}*){0} y {2}(**){0} z", {3, 0}},
    {"Cedarlex", "CommentsDoNotNest", "{2}{ (* }{0}x {2}(* { *){0}y {2}(* }\n{2}*){0}", {3, 0}},
    {"Cedarlex", "DoubledQuoteReopensTheString", "{0}s := {3}'it'{3}'s'{0} + {3}\"q\"{0};", {0}},
    {"Cedarlex", "UnterminatedStringFallsBackToPlain", "{0}s := 'abc\n{0}t := \"de\n{0}", {0, 0, 0}},
    {"Cedarlex", "BackslashContinuesAString", "{0}s := {3}'abc\\\n{3}def'{0} x", {6, 0}},
    {"Cedarlex", "DoubledBackslashEndsTheString", "{0}s := 'abc\\\\\n{0}x", {0, 0}},
    {"Cedarlex", "EscapedQuoteStaysInTheString", "{3}\"a\\\"b\"{0} c", {0}},
    {"Cedarlex", "BytesFrom128UpAreLetters", "{0}\xc3\xa9" "begin begin\xc3\xa9 {1}begin{0}", {0}},
};
INSTANTIATE_TEST_SUITE_P(Pascal, StyledDocument, ::testing::ValuesIn(kPascalCases), CaseName);

const StyleCase kRezCases[] = {
    {"Elmlex", "DirectivesFromTheirHash",
     "{1}#define{0} X 1\n{1}# include{0} {4}\"a.r\"{0}\n{0}#Define\n{0}#1\n{0}#undefined", {0, 0, 0, 0, 0}},
    {"Elmlex", "KeywordsInAnyCase", "{1}TYPE{0} {1}Resource{0} {1}rect{0} rectangle", {0}},
    {"Elmlex", "DollarFunctions", "{5}$$date{0} $$type {5}$$CountOf{0}(x) $x $$ {5}$$Day{0}", {0}},
    {"Elmlex", "CharConstantsOfOneTwoOrFourCharacters",
     "{2}'a'{0} {2}'ab'{0} 'abc{2}' '{0} {2}'STR '{0} {2}'\\n'{0}", {0}},
    {"Elmlex", "BlockCommentOverLines", "{0}x {3}/* a\n{3}b\n{3}c */{0}y {3}/*/{0} z", {3, 3, 0}},
    {"Elmlex", "LineCommentOpenWithoutLineFeed", "{3}// a\n{0}x {3}// b", {0, 4}},
    {"Elmlex", "StringsContinuedOrFallingBack", "{4}\"ab\\\n{4}cd\"{0} x\n{0}\"ef\n{0}", {5, 0, 0, 0}},
};
INSTANTIATE_TEST_SUITE_P(Rez, StyledDocument, ::testing::ValuesIn(kRezCases), CaseName);

// One call of StyleLine through a fresh proxy, as the host makes it.
struct LineResult {
    std::string styled;
    short state;
};

LineResult StyleOneLine(const LanguagePlugin& plugin, const KeywordMatcher& keywords, std::string line,
                        short state)
{
    HostProxy proxy(line, keywords, StyleTable::FromPairs(plugin.styles).Count(), ProxyPurpose::Styling);
    plugin.styleLine(proxy, &state);
    EXPECT_TRUE(proxy.Errors().empty());
    return {MarkRuns(line, proxy.Runs()), state};
}

// A line beginning inside a construct that the line before left open.
struct ContinuedLine {
    const char* module;
    short state;
    const char* styled;
    short endState;
};

TEST(StyleLine, LinesBeginningInAnOpenConstruct)
{
    const ContinuedLine cases[] = {
        {"Hazellex", 2, "{2}abc\n", 0},  {"Hazellex", 2, "{2}", 2},     {"Hazellex", 4, "{3}'{0} x", 0},
        {"Birchlex", 4, "{3}x\n", 0},    {"Birchlex", 3, "{3}", 3},     {"Birchlex", 5, "{0}x\n", 0},
        {"Ivylex", 4, "{2}x\n", 0},      {"Ivylex", 3, "{2}", 3},       {"Ivylex", 6, "{3}\\\\'{0}", 0},
        {"Juniperlex", 4, "{2}x\n", 0},  {"Juniperlex", 3, "{2}", 3},   {"Juniperlex", 7, "{3}", 7},
        // The escape flag starts clear on a line that continues a string.
        {"Juniperlex", 6, "{3}'{0} x", 0},
        {"Cedarlex", 3, "{2}", 3},       {"Cedarlex", 4, "{2}", 4},     {"Cedarlex", 6, "{0}", 6},
        {"Cedarlex", 3, "{2}x *){0} y", 0}, {"Cedarlex", 5, "{3}x\"{0} y", 0},
        {"Elmlex", 3, "{3}", 3},         {"Elmlex", 4, "{3}x\n", 0},   {"Elmlex", 5, "{4}x\"{0}", 0},
        // Inside a "$$" name or a directive's "#" from the line's start.
        {"Elmlex", 11, "{0}date x", 0}, {"Elmlex", 8, "{0}define", 0},
    };
    for (const ContinuedLine& c : cases) {
        const LanguagePlugin& plugin = Module(c.module);
        const KeywordMatcher keywords(plugin.defaultKeywords);
        const LineResult result = StyleOneLine(plugin, keywords, Unmarked(c.styled), c.state);
        EXPECT_EQ(result.styled, c.styled) << c.module << " from state " << c.state;
        EXPECT_EQ(result.state, c.endState) << c.module << " from state " << c.state;
    }
}

// The line states each module defines; every other value has no role. A module that
// keeps data in the high byte defines its states by the low byte, whatever the high.
struct LineStates {
    const char* module;
    std::vector<short> withRole;
    bool runOnEmptyLine = true; // whether an empty line in a state with a role gets a run
    bool highByteData = false; // whether the state's high byte carries data beside the state number
};

// Every state number below `count` with every value of the bits above the low
// `numberBits` bits.
std::vector<short> WithHighBits(int count, int numberBits)
{
    std::vector<short> states;
    for (int high = 0; high < (1 << (16 - numberBits)); ++high) {
        for (int number = 0; number < count; ++number)
            states.push_back(static_cast<short>(static_cast<unsigned short>(number | (high << numberBits))));
    }
    return states;
}

const LineStates kLineStates[] = {
    {"Hazellex", {0, 1, 2, 3, 4}},
    {"Birchlex", {0, 1, 3, 4, 5, 6}},
    {"Ivylex", {0, 1, 3, 4, 5, 6}},
    {"Juniperlex", {0, 1, 3, 4, 5, 6, 7}},
    {"Cedarlex", {0, 1, 3, 4, 5, 6}},
    {"Elmlex", {0, 1, 3, 4, 5, 6, 8, 9, 11}},
    {"Amberlex", WithHighBits(24, 14)},
    {"Larchlex", WithHighBits(11, 12), false},
    {"Kelplex", {0, 1, 3, 4, 5, 6, 7}, true, true},
    {"Firlex", {0, 1, 2, 3, 4, 5, 6, 7}, true, true},
};

bool HasRole(const LineStates& states, int state)
{
    const int role = states.highByteData ? (state & 0xff) : state;
    for (short s : states.withRole) {
        if (s == role)
            return true;
    }
    return false;
}

// Every incoming value ends: a line in a state without a role keeps the default style
// and hands the state back; a line in one of the module's states ends in one of them.
TEST(StyleLine, EveryIncomingStateEnds)
{
    const char* const lines[] = {"", "x", "if \"a\\\n", "''' /* '", "# c\t'\\",
                                 "<p a=\"b\">&x<!--:php<?$v /* ?></script", "*) \\end{verbatim}|$"};
    for (const LineStates& states : kLineStates) {
        const LanguagePlugin& plugin = Module(states.module);
        ASSERT_NE(plugin.styleLine, nullptr) << states.module;
        const KeywordMatcher keywords(plugin.defaultKeywords);
        const int styleCount = StyleTable::FromPairs(plugin.styles).Count();
        int failures = 0;
        for (int incoming = -32768; incoming <= 32767 && failures < 10; ++incoming) {
            for (const char* text : lines) {
                std::string line = text;
                HostProxy proxy(line, keywords, styleCount, ProxyPurpose::Styling);
                short state = static_cast<short>(incoming);
                plugin.styleLine(proxy, &state);
                const std::vector<StyleRun>& runs = proxy.Runs();
                const bool noRunAllowed = line.empty() && !states.runOnEmptyLine && HasRole(states, incoming);
                bool ordered = noRunAllowed ? runs.empty() : !runs.empty() && runs.front().start == 0;
                for (std::size_t r = 1; r < runs.size(); ++r)
                    ordered = ordered && runs[r - 1].start <= runs[r].start;
                ordered = ordered && (runs.empty() || runs.back().start <= static_cast<int>(line.size()));
                const bool fine = HasRole(states, incoming)
                                      ? ordered && HasRole(states, state)
                                      : runs == std::vector<StyleRun>{{0, 0}} && state == incoming;
                if (!fine) {
                    ++failures;
                    ADD_FAILURE() << states.module << " from state " << incoming << " on \"" << text
                                  << "\": " << MarkRuns(line, runs) << " ending in " << state;
                }
            }
        }
    }
}

// A keyword text with one word per set ("s1" in set 1, "s2" in set 2, ...) and "both" in
// sets 2 and 3.
std::string OneWordPerSet(int sets)
{
    std::string text;
    for (int k = 1; k <= sets; ++k) {
        if (k > 1)
            text += "- set " + std::to_string(k) + "\n";
        text += "s" + std::to_string(k) + (k == 2 || k == 3 ? " both\n" : "\n");
    }
    return text;
}

TEST(StyleLine, KeywordSetsMapToTheModulesStyles)
{
    const struct {
        const char* module;
        int sets;
        const char* styled;
    } cases[] = {
        {"Hazellex", 6, "{1}s1{0} {4}s2{0} {5}s3{0} {6}s4{0} {7}s5{0} s6 {4}both{0}"},
        {"Birchlex", 6, "{1}s1{0} {5}s2{0} {6}s3{0} {7}s4{0} {8}s5{0} s6 {5}both{0}"},
        // User sets 3 and 4 (sets 9 and 10) keep the default style.
        {"Ivylex", 10,
         "{1}s1{0} {4}s2{0} {5}s3{0} {6}s4{0} {7}s5{0} {8}s6{0} {9}s7{0} {10}s8{0} s9 s10 {4}both{0}"},
        {"Juniperlex", 6, "{1}s1{0} {4}s2{0} {5}s3{0} {6}s4{0} {7}s5{0} s6 {4}both{0}"},
        // Words are looked up in lower case, whatever their case in the text.
        {"Elmlex", 7, "{1}S1{0} {5}s2{0} {6}s3{0} {7}S4{0} {8}s5{0} {9}s6{0} s7 {5}Both{0}"},
    };
    for (const auto& c : cases) {
        const LanguagePlugin& plugin = Module(c.module);
        const KeywordMatcher keywords(OneWordPerSet(c.sets));
        const LineResult result = StyleOneLine(plugin, keywords, Unmarked(c.styled), 0);
        EXPECT_EQ(result.styled, c.styled) << c.module;
        EXPECT_EQ(result.state, 0) << c.module;
    }
}

// Pascal words are looked up in upper case, whatever their case in the text.
TEST(StyleLine, PascalKeywordSetsMapToItsStyles)
{
    const LanguagePlugin& plugin = Module("Cedarlex");
    const KeywordMatcher keywords("S1\n- 2\nS2 BOTH\n- 3\nS3 BOTH\n- 4\nS4\n- 5\nS5\n- 6\nS6\n");
    const char* const styled = "{1}s1{0} {4}S2{0} {5}s3{0} {6}s4{0} {7}S5{0} s6 {4}both{0}";
    const LineResult result = StyleOneLine(plugin, keywords, Unmarked(styled), 0);
    EXPECT_EQ(result.styled, styled);
    EXPECT_EQ(result.state, 0);
}

// A constant abandoned at a tab right after a backslash leaves no escape behind: the
// string that follows is read from a clear start.
TEST(StyleLine, AbandonedConstantLeavesNoEscapeForTheNextString)
{
    const LanguagePlugin& plugin = Module("Birchlex");
    const KeywordMatcher keywords(plugin.defaultKeywords);
    const char* const styled = "{0}'\\\t{4}\"\"{0}\n";
    const LineResult result = StyleOneLine(plugin, keywords, Unmarked(styled), 0);
    EXPECT_EQ(result.styled, styled);
    EXPECT_EQ(result.state, 0);
}

// A plug-in's calls to the host while it styles one line, passed on to a host proxy.
class CallRecorder final : public VLanguageProxy {
public:
    CallRecorder(const std::string& line, const KeywordMatcher& keywords)
        : reads(line.size(), 0), host_(std::string_view(line), keywords, 20, ProxyPurpose::Styling)
    {
    }

    int KeywordStep(int ch, int state) override { return host_.KeywordStep(ch, state); }
    int KeywordSets(int state) override
    {
        setsOfDeadState += state == 0;
        return host_.KeywordSets(state);
    }
    char CharAt(int offset) override
    {
        if (offset >= 0 && static_cast<std::size_t>(offset) < reads.size())
            ++reads[static_cast<std::size_t>(offset)];
        return host_.CharAt(offset);
    }
    int TextLength() override { return host_.TextLength(); }
    int InsertText(int, const char*, int) override { return 0; }
    void DeleteText(int, int) override {}
    void SetStyle(int offset, int style) override
    {
        styles.push_back(style);
        host_.SetStyle(offset, style);
    }
    void AddFunction(const char*, const char*, int, bool) override {}
    void AddInclude(const char*, const char*, bool) override {}
    void AddSeparator() override {}
    bool ShowIncludes() override { return true; }
    bool ShowPrototypes() override { return true; }
    bool ShowTypes() override { return true; }
    void DecodeUtf8(const char*, int*, int*) override {}
    void CodePointAt(int, int*, int*) override {}
    bool IsLetter(int) override { return false; }
    bool IsLetterOrDigit(int) override { return false; }
    bool IsSpace(int) override { return false; }

    std::vector<int> styles;   // of each SetStyle call, in order
    std::vector<int> reads;    // CharAt calls by offset
    int setsOfDeadState = 0;   // KeywordSets calls about state 0

private:
    HostProxy host_;
};

// The calls the C-family stylers leave out because the host's answer is known: a
// default-style run right after another call in the default style (the host keeps the
// last run's style), the sets of the dead state (no keyword reaches it), and a second
// read of the character that ends a word. What the host keeps is the same as ever.
TEST(StyleLine, CFamilyStylersLeaveOutCallsWhoseAnswerIsKnown)
{
    const struct {
        const char* module;
        const char* styled;
        bool eachByteOnce; // the line holds only words and blanks
    } cases[] = {
        {"Hazellex", "{1}for{0} f {1}in{0} one two; {1}do{0} run $f; {1}done{0}\n", true},
        {"Hazellex", "{0}x={3}'a'{0} y {3}\"b\"{0} zz {2}# note\n", false},
        {"Birchlex", "{1}public{0} static_ {1}int{0} count x y z\n", true},
        {"Birchlex", "{0}a = b / c; {3}/* d */{0} e {3}// f\n", false},
        {"Ivylex", "{1}var{0} clip other more {1}new{0} thing\n", true},
        {"Juniperlex", "{1}def{0} compute items factor {1}return{0} result\n", true},
        {"Juniperlex", "{0}x = {3}'a'{0} + {2}\"\"\"doc\"\"\"{0} {2}# c\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.module) + " " + c.styled);
        const LanguagePlugin& plugin = Module(c.module);
        const KeywordMatcher keywords(plugin.defaultKeywords);
        const std::string line = Unmarked(c.styled);
        CallRecorder recorder(line, keywords);
        short state = 0;
        plugin.styleLine(recorder, &state);
        EXPECT_EQ(recorder.setsOfDeadState, 0);
        for (std::size_t k = 1; k < recorder.styles.size(); ++k)
            EXPECT_FALSE(recorder.styles[k] == 0 && recorder.styles[k - 1] == 0) << "call " << k;
        if (c.eachByteOnce) {
            EXPECT_EQ(recorder.reads, std::vector<int>(line.size(), 1));
        }
        // The host kept the runs the line's marks show.
        EXPECT_EQ(StyleOneLine(plugin, keywords, line, 0).styled, c.styled);
    }
}

} // namespace
} // namespace varnel::test
