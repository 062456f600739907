// The varnel command: its results and its answers to bad input.
#include "cli.h"
#include "file_system.h"

#include <gtest/gtest.h>

#include <sstream>

namespace varnel {
namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result Varnel(std::vector<std::string> args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunVarnel(args, out, err);
    return {status, out.str(), err.str()};
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

TEST(Cli, UsageErrorsExitWithTwo)
{
    EXPECT_EQ(Varnel({}).status, 2);
    EXPECT_EQ(Varnel({"frobnicate"}).status, 2);
    EXPECT_EQ(Varnel({"languages", "extra"}).status, 2);
    EXPECT_EQ(Varnel({"highlight"}).status, 2);
    EXPECT_EQ(Varnel({"comment", "a.java", "1"}).status, 2);
    EXPECT_EQ(Varnel({"comment", "a.java", "one", "2"}).status, 2);
    EXPECT_EQ(Varnel({"comment", "a.java", "-1", "2"}).status, 2);
    EXPECT_EQ(Varnel({"languages", "--modules"}).status, 2);
    EXPECT_EQ(Varnel({"languages", "--bogus"}).status, 2);
    const Result r = Varnel({"frobnicate"});
    EXPECT_NE(r.err.find("unknown command 'frobnicate'"), std::string::npos);
    EXPECT_NE(r.err.find("usage: varnel"), std::string::npos);
    EXPECT_EQ(Varnel({"help"}).status, 0);
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
    for (const auto& range : {std::pair<const char*, const char*>{"0", "1"}, {"1", "3"}, {"2", "1"}}) {
        const Result r = Varnel({"comment", file, range.first, range.second});
        EXPECT_EQ(r.status, 1) << range.first << "-" << range.second;
        EXPECT_NE(r.err.find("(2 lines)"), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadFile(file), "a\nb\n");
    const std::string empty = Write("empty.sh", "");
    EXPECT_EQ(Varnel({"comment", empty, "1", "1"}).status, 1);
}

TEST_F(CliFiles, MarkupHasNoLineComments)
{
    const std::string file = Write("page.html", "<p>x</p>\n");
    const Result r = Varnel({"comment", file, "1", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("HTML has no CommentLine"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(file), "<p>x</p>\n");
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
