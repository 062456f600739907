// The Python plug-in's function scanner: definitions for the function list, imported
// modules for the include list.
#include "function_scan.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

struct PythonCase {
    const char* name;
    const char* source;
    std::vector<ExpectedEntry> entries; // definitions are never prototypes
    std::vector<Include> includes;
};

void PrintTo(const PythonCase& c, std::ostream* out)
{
    *out << c.name;
}

const PythonCase kPythonCases[] = {
    {"MethodsArePlainEntriesAfterTheClass",
     "class Circle(Shape):\n    def __init__(self, r):\n        self.r = r\n\n    def area(self):\n"
     "        return 3.14 * self.r ** 2\n\ndef main():\n    pass\n",
     {{"class: Circle", "Circle", "Circle"},
      {"__init__", "__init__", "__init__"},
      {"area", "area", "area"},
      {"main", "main", "main"}},
     {}},
    {"DefNotFollowedByColon",
     "def f(x)\ndef g(x) -> int:\ndef h\n    x = 1\ndef k(): pass\n",
     {{"k", "k", "k()"}},
     {}},
    {"ParameterListOverLinesWithCommentsAndDefaults",
     "def f(a,  # the first (\n      b=(1, 2), c=\"):\"):\n    return a\n",
     {{"f", "f", "f("}},
     {}},
    {"ImportListWithAlias",
     "import os, numpy as np, sys\n",
     {},
     {{"os", "os.py"}, {"numpy", "numpy.py"}, {"sys", "sys.py"}}},
    {"ImportsOnSeveralLines",
     "import re\nimport json as j\nfrom os import path\nfrom collections import (OrderedDict,\n    defaultdict)\n",
     {},
     {{"re", "re.py"}, {"json", "json.py"}, {"os", "os.py"}, {"collections", "collections.py"}}},
    {"DottedModulesReportNothing",
     "from os.path import join\nfrom . import sibling\nfrom .. pkg . sub import x\nimport xml.dom\n",
     {},
     {{"xml", "xml.py"}}},
    {"WordsBeginningWithKeywordsAreKeywords",
     "importx\nfromage import cheese\nclassify(a):\ndefault = 1\n",
     {{"class: ify", "ify", "ify"}},
     {{"x", "x.py"}, {"age", "age.py"}}},
    {"FromWithoutImportReportsNothing", "from here go\n", {}, {}},
    {"KeywordsInsideWordsAreNotSeen", "undefined:\nreimport x\nsubclass y:\n", {}, {}},
    {"LiteralsAndCommentsHideStatements",
     "s = 'def f():'\nt = \"import x\"\n# def g():\n# import y\nu = '\\'def h():'\n"
     "\"\"\"\ndef docstring():\nimport z\n\"\"\"\ndef real(): pass\n",
     {{"real", "real", "real"}},
     {}},
    {"BracketsHideStatements",
     "x = [\n  # ]\n  'def a():',\n  import_b,\n]\ny = {'k': (def_c)}\nimport d\n",
     {},
     {{"d", "d.py"}}},
    {"ImportWithNothingAfterIt", "import", {}, {}},
    {"IndentedWithTabs", "if x:\n\tdef inner():\n\t\tpass\n", {{"inner", "inner", "inner"}}, {}},
    {"NonAsciiNames", "def gr\xC3\xBC\xC3\x9F():\n    pass\n",
     {{"gr\xC3\xBC\xC3\x9F", "gr\xC3\xBC\xC3\x9F", "gr"}}, {}},
    {"UnterminatedParameters", "def f(a, b\n", {}, {}},
    {"Empty", "", {}, {}},
};

class PythonScanner : public ::testing::TestWithParam<PythonCase> {};

TEST_P(PythonScanner, ReportsDefinitionsAndModules)
{
    const PythonCase& c = GetParam();
    const ScanResult result = Scan("Juniperlex", c.source);
    EXPECT_EQ(result.entries, Expect(c.source, c.entries));
    EXPECT_EQ(result.includes, c.includes);
}

INSTANTIATE_TEST_SUITE_P(Cases, PythonScanner, ::testing::ValuesIn(kPythonCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PythonScannerLimits, LongNamesAreCutTo256Bytes)
{
    const std::string name(400, 'm');
    const std::string source = "import " + name + "\ndef " + name + "(): pass\n";
    const ScanResult result = Scan("Juniperlex", source);
    const std::string cut(256, 'm');
    EXPECT_EQ(result.includes, (std::vector<Include>{{cut, cut + ".py"}}));
    EXPECT_EQ(result.entries, (std::vector<Entry>{{cut, cut, OffsetOf(source, "def ", 4), false}}));
}

TEST(PythonScannerLimits, DeepBracketsEnd)
{
    for (const char open : {'(', '[', '{'}) {
        const std::string source = std::string(1 << 20, open) + "\ndef f(): pass\n";
        EXPECT_TRUE(Scan("Juniperlex", source).entries.empty()) << open;
    }
    EXPECT_EQ(Scan("Juniperlex", "def f(" + std::string(1 << 20, '(') + std::string(1 << 20, ')') + "): pass").entries,
              (std::vector<Entry>{{"f", "f", 4, false}}));
}

} // namespace
} // namespace varnel::test
