// The Rez plug-in's function scanner: type and resource definitions for the function
// list, included files for the include list.
#include "function_scan.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

struct RezCase {
    const char* name;
    const char* source;
    std::vector<ExpectedEntry> entries; // listed under every preference setting
    std::vector<Include> includes;
};

void PrintTo(const RezCase& c, std::ostream* out)
{
    *out << c.name;
}

// Labels at their 255-byte limit: the first character that does not fit ends the label.
const std::string kCode249 = std::string(249, 'x');
const std::string kTypeLabel249 = "type " + kCode249;
const std::string kTypeCutAtAWideCharacter = "type '" + kCode249 + "\xC3\xA9" "y' {};\n";
const std::string kResourceLabel239 = "resource ABCD " + std::string(239, '1');
const std::string kResourceIdCutAtAWideCharacter =
    "resource 'ABCD' (" + std::string(239, '1') + "\xE2\x82\xAC" "2) {};\n";
const std::string kFile254 = std::string(254, 'f');
const std::string kIncludeCutAtAWideCharacter = "#include \"" + kFile254 + "\xC3\xA9" "g\"\n";

const RezCase kRezCases[] = {
    {"IncludesInQuotesAndAngleBrackets",
     "#include \"Types.r\"\n# include <Sys Types.r>\n#INCLUDE \"Upper.r\"\n#include Macro\n#define X \"no.r\"\n",
     {},
     {{"Types.r", "Types.r"}, {"Sys Types.r", "Sys Types.r"}}},
    {"IncludeNameEndsAtTheLineEnd", "#include \"open.r\n#include <half\ntype 'T' { };\n",
     {{"type T", "T", "type"}},
     {{"open.r", "open.r"}, {"half", "half"}}},
    {"TypeWithQuotedCode", "type 'VERS' {\n    byte;\n};\n", {{"type VERS", "VERS", "type"}}, {}},
    {"TypeWithWordAndComments", "type /* kind */ MyType\n{ integer; };\n", {{"type MyType", "MyType", "type"}}, {}},
    {"ResourceWithTypeAndId",
     "resource 'STR ' (128, \"About\") {\n    \"Varnel\"\n};\n",
     {{"resource STR  128", "STR ", "resource"}},
     {}},
    {"ResourceIdAsWritten",
     "resource 'MENU' ( /* id */ kMenu + 1 ) { };\nresource 'ICN#' { };\n",
     {{"resource MENU kMenu + 1 ", "MENU", "resource 'MENU'"}, {"resource ICN#", "ICN#", "resource 'ICN#'"}},
     {}},
    {"ResourceDataIsSkippedWhole",
     "resource 'DATA' (1) {\n  type 'HIDE' { },\n  { resource 'NOPE' (2) { } }\n};\ntype 'SEEN' { };\n",
     {{"resource DATA 1", "DATA", "resource"}, {"type SEEN", "SEEN", "type 'SEEN'"}},
     {}},
    {"BracesInLinesCommentsAndStringsOfData",
     "resource 'X' (1) {\n#if FOO }\n  \"} {\", '}', /* } */ // }\n  #endif\n};\ntype 'After' { };\n",
     {{"resource X 1", "X", "resource"}, {"type After", "After", "type 'After'"}},
     {}},
    {"WordsInAnyCase", "TYPE 'a' {};\nResource 'b' (2) {};\nrEsOuRcE 'c' (3) {};\n",
     {{"TYPE a", "a", "TYPE"}, {"Resource b 2", "b", "Resource"}, {"rEsOuRcE c 3", "c", "rEsOuRcE"}},
     {}},
    {"CommentsAndStringsHideDefinitions",
     "/* type 'A' */\n// resource 'B' (1)\n\"type 'C'\" 'type'\ntype 'D' {};\n",
     {{"type D", "D", "type 'D'"}},
     {}},
    {"PreprocessorLinesBetweenTheParts",
     "resource\n#if X\n'TEXT'\n#endif\n(5) { };\n",
     {{"resource TEXT 5", "TEXT", "resource"}},
     {}},
    {"OtherWordsAndBracketsListNothing", "data 'TEXT' (1) { type 'no' };\nchange 'A' to 'B';\n(type x)\n", {}, {}},
    {"UnterminatedDefinitions", "resource 'ABC", {{"resource ABC", "ABC", "resource"}}, {}},
    {"TypeEndsAtTheFirstCharacterThatDoesNotFit", kTypeCutAtAWideCharacter.c_str(),
     {{kTypeLabel249.c_str(), kCode249.c_str(), "type"}},
     {}},
    {"ResourceIdEndsAtTheFirstCharacterThatDoesNotFit", kResourceIdCutAtAWideCharacter.c_str(),
     {{kResourceLabel239.c_str(), "ABCD", "resource"}},
     {}},
    {"IncludeNameEndsAtTheFirstCharacterThatDoesNotFit", kIncludeCutAtAWideCharacter.c_str(), {},
     {{kFile254, kFile254}}},
    // Only a quoted type passes its closing quote; a quote after a word opens a literal.
    {"QuoteAfterAnUnquotedTypeIsNotPassed", "type a'type", {{"type a", "a", "type"}}, {}},
    {"QuotedTextAfterAnUnquotedTypeIsSkipped", "type A'B' {};\ntype C {};\n",
     {{"type A", "A", "type A"}, {"type C", "C", "type C"}},
     {}},
    {"Empty", "", {}, {}},
};

class RezScanner : public ::testing::TestWithParam<RezCase> {};

TEST_P(RezScanner, ReportsDefinitionsAndIncludes)
{
    const RezCase& c = GetParam();
    for (const ListPreferences& preferences : EveryPreferenceSetting()) {
        const ScanResult result = Scan("Elmlex", c.source, preferences);
        EXPECT_EQ(result.entries, Expect(c.source, c.entries, preferences)) << Describe(preferences);
        EXPECT_EQ(result.includes, ExpectIncludes(c.includes, preferences)) << Describe(preferences);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RezScanner, ::testing::ValuesIn(kRezCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RezScannerLimits, LabelsHoldAtMost255BytesAndNamesOfResources31)
{
    const std::string code(300, 'c');
    const std::string source = "#include \"" + code + "\"\ntype '" + code + "' {};\nresource '" + code + "' (1) {};\n";
    const ScanResult result = Scan("Elmlex", source);
    EXPECT_EQ(result.includes, (std::vector<Include>{{std::string(255, 'c'), std::string(255, 'c')}}));
    const std::string typeLabel = "type " + std::string(250, 'c');
    const std::string resourceLabel = "resource " + std::string(246, 'c');
    EXPECT_EQ(result.entries,
              (std::vector<Entry>{{typeLabel, std::string(250, 'c'), OffsetOf(source, "type"), false},
                                  {resourceLabel, std::string(31, 'c'), OffsetOf(source, "resource"), false}}));
}

TEST(RezScannerLimits, DeepGroupsEnd)
{
    const int depth = 1 << 20;
    const std::string data = "resource 'D' (1) " + std::string(depth, '{') + std::string(depth, '}') + "\ntype 'T' {};";
    EXPECT_EQ(Scan("Elmlex", data).entries,
              Expect(data, {{"resource D 1", "D", "resource"}, {"type T", "T", "type"}}));
    for (const char open : {'(', '[', '{'})
        EXPECT_TRUE(Scan("Elmlex", std::string(depth, open) + "type 'T' {};").entries.empty()) << open;
}

} // namespace
} // namespace varnel::test
