// The Pascal plug-in's function scanner: routines (nested ones indented), declarations
// without bodies, types and units, each under every setting of the host's preferences.
#include "function_scan.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

struct PascalCase {
    const char* name;
    const char* source;
    std::vector<ExpectedEntry> entries;
    std::vector<Include> includes;
};

void PrintTo(const PascalCase& c, std::ostream* out)
{
    *out << c.name;
}

constexpr bool kPrototype = true;
constexpr ListedWith kWithPrototypes = ListedWith::Prototypes;
constexpr ListedWith kWithTypes = ListedWith::Types;

// Labels at their 63-byte limit: the first character that does not fit ends the label.
const std::string kName62 = std::string(62, 'a');
const std::string kName61 = std::string(61, 'a');
const std::string kTypeName60 = std::string(60, 'a');
const std::string kTypeLabel60 = "T:" + kTypeName60;
const std::string kRoutineCutAtAWideCharacter = "procedure " + kName62 + "\xC3\xA9" "b; begin end;\n";
const std::string kUnitCutAtAWideCharacter = "uses " + kName61 + "\xE2\x82\xAC" "a;\nbegin end.\n";
const std::string kTypeCutAtAWideCharacter = "type " + kTypeName60 + "\xC3\xA9" "b = integer;\nbegin end.\n";

const PascalCase kPascalCases[] = {
    {"NestedRoutineIsIndentedAfterItsParent",
     "procedure Outer;\n  procedure Inner;\n  begin\n  end;\nbegin\nend;\n",
     {{"Outer", "Outer", "Outer"}, {" Inner", "Inner", "Inner"}},
     {}},
    {"NestingWithoutBlanksAfterSemicolons",
     "procedure Outer;procedure Inner;begin end;begin end;procedure Next;begin end;",
     {{"Outer", "Outer", "Outer"}, {" Inner", "Inner", "Inner"}, {"Next", "Next", "Next"}},
     {}},
    {"ThreeLevelsAndFunctionsWithParameters",
     "function A(x: integer): integer;\n var y: integer;\n"
     " function B(p: real): real;\n  procedure C(var q: char);\n  begin end;\n begin B := p end;\n"
     "begin A := x end;\nprocedure D; begin end;\n",
     {{"A", "A", "A("}, {" B", "B", "B("}, {"  C", "C", "C("}, {"D", "D", "D;"}},
     {}},
    {"QualifiedMethodNames",
     "procedure TShape.Draw(x: integer);\nbegin end;\nfunction TShape.Area: real; begin end;\n",
     {{"TShape.Draw", "TShape.Draw", "TShape.Draw"}, {"TShape.Area", "TShape.Area", "TShape.Area"}},
     {}},
    {"EndRightAfterPunctuationClosesTheBody",
     "procedure A; begin x;end;procedure B; begin end;\nprocedure C; begin if x then begin end;end;\n"
     "procedure D;begin end;",
     {{"A", "A", "A;"}, {"B", "B", "B;"}, {"C", "C", "C;"}, {"D", "D", "D;"}},
     {}},
    {"KeywordsInsideIdentifiersOpenNoBlock",
     "procedure A; begin x_case := y1begin + z_end; end;\nprocedure B; begin end;\n",
     {{"A", "A", "A;"}, {"B", "B", "B;"}},
     {}},
    {"CaseClosesWithEndInsideABody",
     "procedure A;\nbegin\n  case x of\n    1: begin y end;\n  end;\n  repeat z until q\nend;\nprocedure B; begin end;\n",
     {{"A", "A", "A;"}, {"B", "B", "B;"}},
     {}},
    {"WordsAfterPunctuationAreNotLost",
     "var a_procedureX: integer;\nbegin x := 1 end;procedure B; begin end;\n",
     {{"B", "B", "B;"}},
     {}},
    {"InterfaceHeadingsArePrototypes",
     "unit U;\ninterface\nuses A, B;\nprocedure P(x: integer);\nfunction F: integer;\n"
     "implementation\nprocedure P(x: integer);\nbegin end;\nfunction F: integer; begin F := 1 end;\nend.\n",
     {{"P", "P", "P(x: integer);\nfunction", true, kWithPrototypes},
      {"F", "F", "F: integer;\nimpl", true, kWithPrototypes},
      {"P", "P", "P(x: integer);\nbegin"},
      {"F", "F", "F: integer; begin"}},
     {{"A", "A"}, {"B", "B"}}},
    {"ForwardDeclarationThenBody",
     "procedure F(a: integer); forward;\nprocedure G; begin end;\nprocedure F(a: integer);\nbegin end;\n",
     {{"F", "F", "F(a: integer); forward", true, kWithPrototypes}, {"G", "G", "G;"},
      {"F", "F", "F(a: integer);\nbegin"}},
     {}},
    {"ExternalInlineAndCDirectives",
     "procedure E; external 'lib';\nfunction I: integer; inline $A9;\nprocedure K; C;\nprocedure Body; begin end;\n",
     {{"E", "E", "E;", true, kWithPrototypes}, {"I", "I", "I:", true, kWithPrototypes},
      {"K", "K", "K;", true, kWithPrototypes}, {"Body", "Body", "Body"}},
     {}},
    {"NestedForwardDeclarationKeepsTheNextRoutine",
     "procedure Outer;\n  procedure Inner; forward;\n  procedure Other; begin end;\n"
     "  procedure Inner; begin end;\nbegin end;\n",
     {{"Outer", "Outer", "Outer"}, {" Inner", "Inner", "Inner; forward", true, kWithPrototypes},
      {" Other", "Other", "Other"}, {" Inner", "Inner", "Inner; begin"}},
     {}},
    {"HeadingWithoutBodyIsNotListed", "procedure Lost(x: integer);\nvar y: integer;\n", {}, {}},
    {"ProceduralParametersAreNoHeadings",
     "procedure Apply(f: function(x: integer): integer; procedure (y));\nbegin end;\n",
     {{"Apply", "Apply", "Apply"}},
     {}},
    {"TypeSectionEndsAtVar",
     "type\n  TRec = record\n    a, b: integer;\n  end;\n  TNext = array [1..2] of TRec;\n"
     "var\n  v: TNext;\nprocedure P; begin end;\n",
     {{"T:TRec", "TRec", "TRec", false, kWithTypes}, {"T:TNext", "TNext", "TNext", false, kWithTypes},
      {"P", "P", "P;"}},
     {}},
    {"TypeSectionEndsAtConstAndProcedure",
     "type A = integer;\nconst B = 2;\ntype C = (red, green);\nprocedure P; begin end;\n",
     {{"T:A", "A", "A =", false, kWithTypes}, {"T:C", "C", "C =", false, kWithTypes}, {"P", "P", "P;"}},
     {}},
    {"ProceduralAndObjectTypes",
     "type\n  TF = function(x: integer): integer;\n  TP = procedure;\n"
     "  TObj = object\n    procedure Draw;\n  end;\n  TLast = integer;\nbegin end.\n",
     {{"T:TF", "TF", "TF", false, kWithTypes}, {"T:TP", "TP", "TP", false, kWithTypes},
      {"T:TObj", "TObj", "TObj", false, kWithTypes}, {"T:TLast", "TLast", "TLast", false, kWithTypes}},
     {}},
    {"UsesClauseListsEachUnit", "program X;\nuses Crt, { the screen }\n  Dos;\nbegin end.\n", {},
     {{"Crt", "Crt"}, {"Dos", "Dos"}}},
    {"CommentsAndStringsHideRoutines",
     "{ procedure A; begin end; }\n(* procedure B; begin end; *)\nx := 'procedure C; begin end;';\n"
     "procedure D; begin end;\n",
     {{"D", "D", "D;"}},
     {}},
    {"ParenStarParenDoesNotCloseItsComment",
     "(*) procedure A; begin end; *)\nprocedure B; begin end;\n",
     {{"B", "B", "B;"}},
     {}},
    // The body skipper's keyword test looks at the letters of END only.
    {"WordBeginningWithEndEndsTheBody",
     "procedure A;\nbegin\n  endless;\n  procedure Inside; begin end;\nend;\n",
     {{"A", "A", "A;"}, {"Inside", "Inside", "Inside"}},
     {}},
    // A string is passed up to its closing quote stepping over comments: a comment
    // opener inside it hides what follows up to the comment's end.
    {"CommentOpenerInsideAString",
     "procedure A; begin s := 'x(*'; end;\nprocedure B; begin end; *)';\nend;\nprocedure C; begin end;\n",
     {{"A", "A", "A;"}, {"C", "C", "C;"}},
     {}},
    {"KeywordsInAnyCase",
     "PROCEDURE Up; BEGIN END;\nProcedure Mixed; Begin End;\nfunction low: integer; begin end;\n",
     {{"Up", "Up", "Up"}, {"Mixed", "Mixed", "Mixed"}, {"low", "low", "low"}},
     {}},
    {"NonAsciiNames", "procedure Gr\xC3\xB6\xC3\x9F" "e; begin end;\n",
     {{"Gr\xC3\xB6\xC3\x9F" "e", "Gr\xC3\xB6\xC3\x9F" "e", "Gr"}},
     {}},
    {"LabelEndsAtTheFirstCharacterThatDoesNotFit", kRoutineCutAtAWideCharacter.c_str(),
     {{kName62.c_str(), kName62.c_str(), kName62.c_str()}},
     {}},
    {"UnitNameEndsAtTheFirstCharacterThatDoesNotFit", kUnitCutAtAWideCharacter.c_str(), {},
     {{kName61, kName61}}},
    {"TypeLabelEndsAtTheFirstCharacterThatDoesNotFit", kTypeCutAtAWideCharacter.c_str(),
     {{kTypeLabel60.c_str(), kTypeName60.c_str(), kTypeName60.c_str(), false, kWithTypes}},
     {}},
    {"Empty", "", {}, {}},
};

class PascalScanner : public ::testing::TestWithParam<PascalCase> {};

TEST_P(PascalScanner, ReportsEntriesUnderEveryPreferenceSetting)
{
    const PascalCase& c = GetParam();
    for (const ListPreferences& preferences : EveryPreferenceSetting()) {
        const ScanResult result = Scan("Cedarlex", c.source, preferences);
        EXPECT_EQ(result.entries, Expect(c.source, c.entries, preferences)) << Describe(preferences);
        EXPECT_EQ(result.includes, ExpectIncludes(c.includes, preferences)) << Describe(preferences);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PascalScanner, ::testing::ValuesIn(kPascalCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PascalScannerLimits, LabelsHoldAtMost63Bytes)
{
    const std::string name(100, 'n');
    const std::string source = "uses " + name + ";\ntype " + name + " = integer;\nprocedure " + name +
                               ";\n procedure " + name + "; begin end;\nbegin end;\n";
    const ScanResult result = Scan("Cedarlex", source);
    const std::string cut(63, 'n');
    EXPECT_EQ(result.includes, (std::vector<Include>{{cut, cut}}));
    const int type = OffsetOf(source, "type ", 5);
    const int outer = OffsetOf(source, "procedure ", 10);
    const int inner = OffsetOf(source, " procedure ", 11);
    EXPECT_EQ(result.entries, (std::vector<Entry>{{"T:" + std::string(61, 'n'), std::string(61, 'n'), type, false},
                                                  {cut, cut, outer, false},
                                                  {" " + std::string(62, 'n'), std::string(62, 'n'), inner, false}}));
}

TEST(PascalScannerLimits, DeeplyNestedRoutinesAreAllReported)
{
    const int depth = 20000;
    std::string source;
    for (int i = 0; i < depth; ++i)
        source += "procedure P" + std::to_string(i) + ";";
    for (int i = 0; i < depth; ++i)
        source += "begin end;";
    source += "procedure Last; begin end;";
    const ScanResult result = Scan("Cedarlex", source);
    ASSERT_EQ(result.entries.size(), static_cast<std::size_t>(depth + 1));
    EXPECT_EQ(result.entries[2].label, "  P2");
    // Indentation stops at the label's room; the name is what is left of it.
    EXPECT_EQ(result.entries[depth - 1].label, std::string(63, ' '));
    EXPECT_EQ(result.entries[depth - 1].name, "");
    EXPECT_EQ(result.entries.back().label, "Last");
}

TEST(PascalScannerLimits, DeepBlocksAndBracketsEnd)
{
    const int depth = 200000;
    std::string begins;
    std::string ends;
    for (int i = 0; i < depth; ++i) {
        begins += "begin ";
        ends += "end;";
    }
    const std::string deepBody = "procedure A; begin " + begins + ends + " end;\nprocedure B; begin end;\n";
    EXPECT_EQ(Scan("Cedarlex", deepBody).entries,
              Expect(deepBody, {{"A", "A", "A;"}, {"B", "B", "B;"}}));
    const std::string deepParameters = "procedure A(" + std::string(depth, '(') + std::string(depth, ')') +
                                       "); begin end;\nprocedure B; begin end;\n";
    EXPECT_EQ(Scan("Cedarlex", deepParameters).entries,
              Expect(deepParameters, {{"A", "A", "A("}, {"B", "B", "B;"}}));
    EXPECT_TRUE(Scan("Cedarlex", std::string(depth, '[') + "procedure A; begin end;").entries.empty());
}

} // namespace
} // namespace varnel::test
