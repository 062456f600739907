// The varnel command: its results and its answers to bad input.
#include "cli.h"
#include "run_varnel.h"
#include "file_system.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <streambuf>

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace varnel {
namespace {

using test::Result;
using test::Varnel;
using test::VarnelReading;

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

std::string TestModules(const std::string& testCase)
{
    return JoinPath(VARNEL_TEST_MODULES, testCase);
}

class CliFiles : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text)
    {
        const std::string path = JoinPath(::testing::TempDir(), name);
        EXPECT_TRUE(WriteFile(path, text));
        return path;
    }
};

TEST(Cli, LanguagesListsEveryModuleWithPatternsAndServices)
{
    const Result r = Varnel({"languages"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::optional<std::string> golden = ReadFile(std::string(VARNEL_TEST_DATA) + "/cli/languages.txt");
    ASSERT_TRUE(golden.has_value());
    EXPECT_EQ(r.out, *golden);
}

TEST(Cli, UsageErrorsExitWithTwoAndSayWhy)
{
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{}, "subcommand is required"},
        {{"frobnicate"}, "unknown command 'frobnicate'"},
        {{"languages", "extra"}, "not expected: extra"},
        {{"languages", "--html"}, "not expected: --html"}, // an option of another command
        {{"comment", "a.java", "1", "2", "--html"}, "--html"},
        {{"highlight"}, "name a FILE, or '-' for standard input"},
        {{"highlight", "a.java", "--html", "--runs"}, "excludes"},
        {{"comment", "a.java", "1"}, "LAST is required"},
        {{"comment", "a.java", "one", "2"}, "FIRST must be a whole number from 0 up, not 'one'"},
        {{"comment", "a.java", "-1", "2"}, "-1"},
        {{"comment", "a.java", "0", "2"}, "lines count from 1"},
        {{"comment", "a.java", "3", "2"}, "the line range is reversed: FIRST 3 is after LAST 2"},
        {{"comment", "a.java", "1", "99999999999"}, "LAST is too large: 99999999999"},
        {{"balance", "a.java", "7", "3"}, "the selection is reversed"},
        {{"balance", "a.java", "3"}, "END is required"},
        {{"languages", "--modules"}, "--modules"},
        {{"languages", "--bogus"}, "--bogus"},
    };
    for (const Case& c : cases) {
        const Result r = Varnel(c.args);
        SCOPED_TRACE(testing::PrintToString(c.args));
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
        EXPECT_TRUE(Contains(r.err, "varnel --help")) << r.err;
    }
}

TEST(Cli, HelpForTheWholeCommandAndEachCommand)
{
    Result r = Varnel({"help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Contains(r.out, "highlight")) << r.out;
    EXPECT_TRUE(Contains(r.out, "balance")) << r.out;
    r = Varnel({"--help"});
    EXPECT_EQ(r.status, 0);
    r = Varnel({"comment", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Contains(r.out, "Usage: varnel comment")) << r.out;
    EXPECT_TRUE(Contains(r.out, "--stdout")) << r.out;
}

TEST(Cli, ModuleFolderProblemsAreReported)
{
    Result r = Varnel({"--modules", TestModules("empty"), "languages"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no language plug-ins in"), std::string::npos) << r.err;

    r = Varnel({"--modules", TestModules("no-such-folder"), "languages"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no module folder"), std::string::npos) << r.err;

    r = Varnel({"--modules", TestModules("names"), "languages"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("ABCDEFGHIJKLMNOPQRSTUVWXYZab (Longest)"), std::string::npos);
    EXPECT_NE(r.err.find("refused plug-in TooLong"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("longer than 28 characters"), std::string::npos) << r.err;

    r = Varnel({"--modules", TestModules("missing"), "languages"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("refused plug-in NoStyles"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("refused plug-in NoLookup"), std::string::npos) << r.err;

    r = Varnel({"--modules", TestModules("broken"), "languages"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("refused plug-in Broken"), std::string::npos) << r.err;
}

TEST_F(CliFiles, MissingFileAndUnknownLanguage)
{
    Result r = Varnel({"highlight", JoinPath(::testing::TempDir(), "does-not-exist.java")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot read"), std::string::npos) << r.err;

    const std::string odd = Write("notes.unknown-kind", "text\n");
    r = Varnel({"highlight", odd});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no language plug-in claims notes.unknown-kind"), std::string::npos) << r.err;

    r = Varnel({"highlight", odd, "--language", "Cobol"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("unknown language 'Cobol'"), std::string::npos) << r.err;

    r = Varnel({"comment", odd, "1", "1", "--language", "shell", "--stdout"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "#text\n");

    r = Varnel({"highlight", ::testing::TempDir()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "it is a folder")) << r.err;
}

TEST_F(CliFiles, DoubleDashEndsTheOptions)
{
    const std::string folder = ::testing::TempDir();
    Write("-x.sh", "echo\n");
    const std::string file = JoinPath(folder, "-x.sh");
    // A relative name that begins with "-" is a file after "--".
    const Result r = Varnel({"comment", "--stdout", "--", file, "1", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "#echo\n");
}

TEST_F(CliFiles, CommentToStandardOutputLeavesTheFile)
{
    const std::string file = Write("Demo.java", "class A {\n  int x;\n}\n");
    const Result r = Varnel({"comment", file, "2", "3", "--stdout"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "class A {\n//  int x;\n//}\n");
    EXPECT_EQ(ReadFile(file), "class A {\n  int x;\n}\n");
}

TEST_F(CliFiles, CommentAndUncommentInPlace)
{
    const std::string file = Write("demo.pas", "begin\n  x := 1\nend.");
    Result r = Varnel({"comment", file, "1", "3"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadFile(file), "(*begin*)\n(*  x := 1*)\n(*end.*)");
    r = Varnel({"uncomment", file, "2", "3"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(file), "(*begin*)\n  x := 1\nend.");
}

TEST_F(CliFiles, LinesOutsideTheFileAreRefused)
{
    const std::string file = Write("two.sh", "a\nb\n");
    for (const char* last : {"3", "9"}) {
        const Result r = Varnel({"comment", file, "1", last});
        EXPECT_EQ(r.status, 1) << last;
        EXPECT_TRUE(Contains(r.err, "(2 lines)")) << r.err;
    }
    EXPECT_EQ(ReadFile(file), "a\nb\n");
}

TEST_F(CliFiles, AnEmptyFileHasOneEmptyLine)
{
    const std::string empty = Write("empty.java", "");
    Result r = Varnel({"comment", empty, "1", "1", "--stdout"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "//");
    r = Varnel({"comment", empty, "1", "2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "(1 line)")) << r.err;
}

// Line ends are no part of the lines that plug-ins comment; each line keeps its own.
TEST_F(CliFiles, CommentingKeepsEveryKindOfLineEnd)
{
    struct Case {
        const char* name;
        const char* text;
        const char* first;
        const char* last;
        const char* commented;
    };
    const Case cases[] = {
        {"c.pas", "a := 1;\r\n", "1", "1", "(*a := 1;*)\r\n"},
        {"m.pas", "a\r\nb\nc\rd", "1", "4", "(*a*)\r\n(*b*)\n(*c*)\r(*d*)"},
        {"m.java", "a\r\nb\nc\rd\r\n", "2", "3", "a\r\n//b\n//c\rd\r\n"},
        {"e.sh", "\r\n\r\n", "1", "2", "#\r\n#\r\n"},
        {"o.tex", "x\ry\r", "2", "2", "x\r%y\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = Write(c.name, c.text);
        Result r = Varnel({"comment", file, c.first, c.last});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ReadFile(file), c.commented);
        r = Varnel({"uncomment", file, c.first, c.last});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ReadFile(file), c.text);
    }
}

TEST_F(CliFiles, CommentThenUncommentOfAnyRangeGivesTheBytesBack)
{
    const std::string text = "begin\r\n  x := 1;\r\n\r\n  y\n(* z *)\rend.\r\n";
    const std::string file = Write("round.pas", text);
    for (int first = 1; first <= 6; ++first) {
        for (int last = first; last <= 6; ++last) {
            const std::string a = std::to_string(first), b = std::to_string(last);
            ASSERT_EQ(Varnel({"comment", file, a, b}).status, 0);
            ASSERT_EQ(Varnel({"uncomment", file, a, b}).status, 0);
            EXPECT_EQ(ReadFile(file), text) << a << ".." << b;
        }
    }
}

// Offsets in and out are the file's own bytes, whatever its line ends.
TEST_F(CliFiles, FunctionsAndBalanceSpeakInFileOffsets)
{
    const std::string text = "class A {\r\n  void f(int a,\r\n         int b) {\r\n  }\r\n}\r\n";
    const std::string file = Write("Offsets.java", text);
    Result r = Varnel({"functions", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "functions:\n  6\tclass A\t(A)\n  18\tA.f\t(f)\nincludes:\n");
    EXPECT_EQ(text.substr(18, 1), "f");

    struct Case {
        int start, end;
        const char* selected; // the file's bytes between the printed offsets
    };
    const Case cases[] = {
        {22, 22, "int a,\r\n         int b"},           // caret after "f("
        {30, 30, "int a,\r\n         int b"},           // caret inside the CR LF
        {45, 45, "\r\n  "},                                // the method's body
        {46, 48, "\r\n  "},
        {10, 10, "\r\n  void f(int a,\r\n         int b) {\r\n  }\r\n"}, // the class's
        {10, 50, "\r\n  void f(int a,\r\n         int b) {\r\n  }\r\n"},
    };
    for (const Case& c : cases) {
        r = Varnel({"balance", file, std::to_string(c.start), std::to_string(c.end)});
        ASSERT_EQ(r.status, 0) << c.start << ": " << r.err;
        int from = 0, to = 0;
        ASSERT_EQ(std::sscanf(r.out.c_str(), "%d %d", &from, &to), 2) << r.out;
        EXPECT_EQ(text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)), c.selected)
            << c.start << " gave " << r.out;
    }
    r = Varnel({"balance", file, "3", "3"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "no pair encloses 3..3")) << r.err;
    r = Varnel({"balance", file, "3", "999"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "beyond the end")) << r.err;

    // Python has no Balance of its own: the host balances its brackets.
    const std::string python = Write("calls.py", "print(len(x))\r\n");
    r = Varnel({"balance", python, "10", "10"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "10 11\n");
    r = Varnel({"functions", Write("plain.sh", "echo\n")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "Shell lists no functions")) << r.err;
}

// Every heading comes from these modules one byte before it: the one at the very start
// of a document at -1, which the host lists at the start, and the next on the line end
// before it.
TEST_F(CliFiles, AnEntryBeforeTheStartIsListedAtTheStart)
{
    const Result oberon = Varnel({"functions", Write("First.mod", "PROCEDURE First;\nBEGIN END First;\n")});
    ASSERT_EQ(oberon.status, 0) << oberon.err;
    EXPECT_EQ(oberon.out, "functions:\n  0\tFirst\nincludes:\n");
    const Result tex = Varnel({"functions", Write("first.tex", "\\part{One}\r\n\\part{Two}\r\n")});
    ASSERT_EQ(tex.status, 0) << tex.err;
    EXPECT_EQ(tex.out, "functions:\n  0\tOne\n  10\tTwo\nincludes:\n");
}

TEST(Cli, StandardInputNeedsALanguageAndComesFromAPipe)
{
    Result r = VarnelReading({"comment", "-", "1", "1", "--language", "Java"}, "int x;\r\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "//int x;\r\n");
    r = VarnelReading({"highlight", "--plain", "--language", "shell"}, "echo hi\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "echo hi\n");
    r = VarnelReading({"highlight", "-"}, "echo hi\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "--language")) << r.err;
}

TEST(Cli, RefusedCallsAreWarningsAndRunsOutOfOrderRepeatNoText)
{
    const std::string file = JoinPath(::testing::TempDir(), "unruly.fixture");
    ASSERT_TRUE(WriteFile(file, "abcdef\n"));
    const std::string modules = TestModules("unruly");
    Result r = Varnel({"--modules", modules, "highlight", file, "--ansi"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "abcdef\n");
    EXPECT_TRUE(Contains(r.err, "varnel: warning: Unruly (Unruly) made a call the host refused: line 1: AddFunction"))
        << r.err;
    r = Varnel({"--modules", modules, "highlight", file, "--styled"});
    EXPECT_EQ(r.out, "[7] {0}abcd{0}ef\n");
    r = Varnel({"--modules", modules, "highlight", file, "--html"});
    EXPECT_TRUE(Contains(r.out, "<pre>abcdef\n</pre>")) << r.out;

    r = Varnel({"--modules", modules, "comment", file, "1", "1", "--stdout"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, ";abcdef\n");
    EXPECT_TRUE(Contains(r.err, "line 1: InsertText")) << r.err;
}

// A stream whose every write fails, as on a full disk.
class FailingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(Cli, OutputThatCannotBeWrittenIsAFailure)
{
    FailingBuffer buffer;
    std::ostream out(&buffer);
    std::ostringstream err;
    std::istringstream in;
    EXPECT_EQ(RunVarnel({"languages"}, Console{in, out, err, true, false}), 1);
    EXPECT_TRUE(Contains(err.str(), "varnel: cannot write the output")) << err.str();
}

#if !defined(_WIN32)
std::string VarnelProgram()
{
    return JoinPath(ExecutableFolder(), "varnel");
}

// The exit status of a shell command line.
int Shell(const std::string& command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(CliFiles, AFullOutputDeviceIsReported)
{
    const std::string file = Write("full.sh", "echo one\necho two\n");
    for (const std::string& args : {std::string("languages"), "highlight --ansi " + file, "highlight " + file,
                                    "comment --stdout " + file + " 1 2"}) {
        EXPECT_EQ(Shell(VarnelProgram() + " " + args + " >/dev/full 2>/dev/null"), 1) << args;
    }
    EXPECT_EQ(Shell(VarnelProgram() + " languages >/dev/null"), 0);
}

TEST_F(CliFiles, AWriteThatFailsPartWayLeavesTheFileAsItWas)
{
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += "echo line " + std::to_string(i) + "\n";
    const std::string file = Write("limited.sh", text);
    const std::string err = JoinPath(::testing::TempDir(), "limited.err");
    // Files may grow to 4 KiB only; the commented file needs more.
    EXPECT_EQ(Shell("trap '' XFSZ; ulimit -f 4; " + VarnelProgram() + " comment " + file + " 1 400 2>" + err), 1);
    EXPECT_EQ(ReadFile(file), text);
    const std::string message = ReadFile(err).value_or("");
    EXPECT_TRUE(Contains(message, "cannot write " + file + ": File too large")) << message;
    // Nothing is left behind beside it.
    EXPECT_EQ(Shell("ls -a " + ::testing::TempDir() + " | grep -q 'limited.sh.'"), 1);
}

TEST_F(CliFiles, AnInPlaceWriteKeepsThePermissionBits)
{
    const std::string file = Write("mode.sh", "run\n");
    ASSERT_EQ(Shell("chmod 751 " + file), 0);
    ASSERT_EQ(Varnel({"comment", file, "1", "1"}).status, 0);
    EXPECT_EQ(ReadFile(file), "#run\n");
    EXPECT_EQ(Shell("test \"$(stat -c %a " + file + ")\" = 751"), 0);
}
#endif

// Markup is commented from the start of FIRST to the end of LAST, each line apart, and
// uncommenting the same lines gives the bytes back, line ends and all.
TEST_F(CliFiles, MarkupLinesAreCommentedAsSelections)
{
    const struct {
        const char* name;
        const char* text;
        const char* first;
        const char* last;
        const char* commented;
    } cases[] = {
        {"page.html", "<p>a--b</p>\r\n<p>c</p>\r\nx", "1", "2", "<!--<p>a-*-b</p>-->\r\n<!--<p>c</p>-->\r\nx"},
        {"last.xml", "<a/>\n<b/>", "2", "2", "<a/>\n<!--<b/>-->"},
        // An editor's mode line already holds "-*-": it gets one star more, and loses it again.
        {"mode.xml", "<?xml version=\"1.0\"?>\n<!-- -*- nxml -*- -->\n<a/>\n", "1", "2",
         "<!--<?xml version=\"1.0\"?>-->\n<!--<!-*- -**- nxml -**- -*->-->\n<a/>\n"},
        {"code.php", "<?php\n$a;\n\n$b;\n?>\n", "2", "4", "<?php\n#$a;\n#\n#$b;\n?>\n"},
        {"script.htm", "<script>\r\nf();\r\n</script>", "2", "2", "<script>\r\n//f();\r\n</script>"},
    };
    for (const auto& c : cases) {
        const std::string file = Write(c.name, c.text);
        Result r = Varnel({"comment", file, c.first, c.last});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ReadFile(file), c.commented) << c.name;
        r = Varnel({"uncomment", file, c.first, c.last});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ReadFile(file), c.text) << c.name;
    }
}

TEST_F(CliFiles, SelectionGivesTheExactBytes)
{
    const std::string page = Write("sel.html", "<p>ab</p>\r\n<p>c</p>\n");
    Result r = Varnel({"comment", page, "--selection", "3", "2", "--stdout"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "<p><!--ab--></p>\r\n<p>c</p>\n");
    // The "-->" must end before the selection does.
    const std::string commented = Write("commented.html", "<p><!--ab--></p>\n");
    EXPECT_EQ(Varnel({"uncomment", commented, "--selection", "3", "9", "--stdout"}).out, "<p><!--ab--></p>\n");
    EXPECT_EQ(Varnel({"uncomment", commented, "--selection", "3", "10", "--stdout"}).out, "<p>ab</p>\n");
    // Line comments take the lines the selection touches; a selection ending at a line's
    // start leaves that line out.
    const std::string script = Write("lines.sh", "a\nb\nc\n");
    EXPECT_EQ(Varnel({"comment", script, "--selection", "1", "3", "--stdout"}).out, "#a\n#b\nc\n");
    r = Varnel({"comment", page, "--selection", "20", "5"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("the selection 20 5 is not in"), std::string::npos) << r.err;
    r = Varnel({"comment", page, "1", "1", "--selection", "0", "1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("not both"), std::string::npos) << r.err;
}

TEST_F(CliFiles, PluginWithoutCommentingSaysSo)
{
    // The stand-in module "Sound" claims *.fixture and offers no commenting at all.
    const std::string file = Write("quiet.fixture", "text\n");
    const Result r = Varnel({"--modules", TestModules("missing"), "comment", file, "1", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Sound offers no commenting: it has neither CommentLine nor CommentSelection"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(ReadFile(file), "text\n");
}

TEST_F(CliFiles, HighlightWithoutAStylerPrintsThePlainText)
{
    // The stand-in module "Sound" claims *.fixture and offers no StyleLine.
    const std::string text = "<p>caf\xc3\xa9 & co</p>\nsecond line";
    const std::string file = Write("plain.fixture", text);
    const std::string modules = TestModules("missing");
    EXPECT_EQ(Varnel({"--modules", modules, "highlight", file}).out, text);
    EXPECT_EQ(Varnel({"--modules", modules, "highlight", file, "--plain"}).out, text);
    EXPECT_EQ(Varnel({"--modules", modules, "highlight", file, "--runs"}).out, "1 [0] 0:default\n2 [0] 0:default\n");
    const Result html = Varnel({"--modules", modules, "highlight", file, "--html"});
    EXPECT_EQ(html.status, 0);
    EXPECT_NE(html.out.find("<pre>&lt;p&gt;caf\xc3\xa9 &amp; co&lt;/p&gt;\nsecond line</pre>"), std::string::npos)
        << html.out;
}

} // namespace
} // namespace varnel
