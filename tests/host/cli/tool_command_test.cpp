// The `varnel tool` command: running an extension on a file in place, to standard
// output, on standard input, and its answers to failures and bad input.
#include "cli.h"
#include "run_varnel.h"
#include "extensions/include_updater/site_folder.h"
#include "file_system.h"
#include "tool_command.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace varnel {
namespace {

using test::Result;

// Runs varnel with `input` arriving on a pipe.
Result Tool(const std::vector<std::string>& args, const std::string& input = "")
{
    return test::VarnelReading(args, input);
}

const std::string kFixtures = JoinPath(VARNEL_TEST_MODULES, "tools");

// Each test writes its files into a folder of its own: tests may run side by side.
class ToolCommand : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text)
    {
        folder_.Write(name, text);
        return folder_.Path(name);
    }

private:
    test::SiteFolder folder_;
};

const std::string kPage = "<p>\n  <!-- #include \"tool_nav.txt\" -->old<!-- end include -->\n</p>\n";
const std::string kRefreshed = "<p>\n  <!-- #include \"tool_nav.txt\" -->\n  nav\n  <!-- end include -->\n</p>\n";

TEST_F(ToolCommand, RefreshesTheFileInPlace)
{
    Write("tool_nav.txt", "nav");
    const std::string page = Write("tool_page.html", kPage);
    const Result r = Tool({"tool", "Dunetool", page});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadFile(page), kRefreshed);
}

TEST_F(ToolCommand, StandardOutputLeavesTheFile)
{
    Write("tool_nav.txt", "nav");
    const std::string page = Write("tool_page_out.html", kPage);
    const Result r = Tool({"tool", "dunetool", page, "--stdout"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kRefreshed);
    EXPECT_EQ(ReadFile(page), kPage);
}

TEST_F(ToolCommand, StandardInputIsANeverSavedDocument)
{
    Result r = Tool({"tool", "Dunetool", "-"}, kPage);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kPage); // no folder to find the file in: unchanged

    r = Tool({"--modules", kFixtures, "tool", "Echotool", "-", "--selection", "1", "2"}, "abc");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "abc[1 2 none]");
}

TEST_F(ToolCommand, ExtensionGetsTheSelectionAndTheFullPath)
{
    const std::string file = Write("tool_echo.txt", "hello");
    const Result r = Tool({"--modules", kFixtures, "tool", "Echotool", file, "--selection", "5", "0", "--stdout"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string prefix = "hello[5 0 ";
    ASSERT_EQ(r.out.compare(0, prefix.size(), prefix), 0) << r.out;
    const std::string path = r.out.substr(prefix.size(), r.out.size() - prefix.size() - 1);
    EXPECT_EQ(ReadFile(path), "hello") << "the path given is " << path;
#if !defined(_WIN32)
    EXPECT_EQ(path.front(), '/');
#endif
}

TEST_F(ToolCommand, FailureCodeLeavesTheFileUnchanged)
{
    // Failtool edits the document, then answers 5.
    const std::string file = Write("tool_fail.txt", "keep me");
    const Result r = Tool({"--modules", kFixtures, "tool", "Failtool", file});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Failtool failed with code 5"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(file), "keep me");
}

struct BadCall {
    std::vector<std::string> args;
    int status;
    const char* message;
};

class ToolCommandRefuses : public ToolCommand, public ::testing::WithParamInterface<BadCall> {};

TEST_P(ToolCommandRefuses, WithItsMessage)
{
    const std::string file = Write("tool_bad.txt", "four");
    std::vector<std::string> args;
    for (const std::string& arg : GetParam().args)
        args.push_back(arg == "FILE" ? file : arg == "FIXTURES" ? kFixtures : arg);
    const Result r = Tool(args);
    EXPECT_EQ(r.status, GetParam().status) << r.err;
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(file), "four");
}

INSTANTIATE_TEST_SUITE_P(Calls, ToolCommandRefuses, ::testing::Values(
    BadCall{{"tool"}, 2, "NAME is required"},
    BadCall{{"tool", "Dunetool"}, 2, "FILE is required"},
    BadCall{{"tool", "Dunetool", "FILE", "extra"}, 2, "extra"},
    BadCall{{"tool", "Dunetool", "FILE", "--selection", "1"}, 2, "--selection"},
    BadCall{{"tool", "Dunetool", "FILE", "--selection", "x", "2"}, 2, "START must be a whole number"},
    BadCall{{"tool", "Dunetool", "FILE", "--selection", "1", "99999999999"}, 2, "LENGTH is too large"},
    BadCall{{"tool", "Dunetool", "FILE", "--bogus"}, 2, "--bogus"},
    BadCall{{"tool", "Dunetool", "FILE", "--selection", "3", "2"}, 1, "is not in"},
    BadCall{{"tool", "Nosuchtool", "FILE"}, 1, "no tool extension 'Nosuchtool'"},
    BadCall{{"--modules", "FIXTURES", "tool", "Notool", "FILE"}, 1, "no tool extension 'Notool'"},
    BadCall{{"tool", "Dunetool", "no-such-file.html"}, 1, "cannot read no-such-file.html"}));

TEST(ToolList, NamesTheExtensionsAndTheRefusedModules)
{
    std::ostringstream out;
    WriteToolList(out, JoinPath(kFixtures, "Extensions"));
    const std::string list = out.str();
    EXPECT_EQ(list.rfind("tool extensions:\n  Echotool\n  Failtool\n  refused Notool", 0), 0u) << list;
    EXPECT_NE(list.find("no Perform"), std::string::npos) << list;

    std::ostringstream none;
    WriteToolList(none, JoinPath(kFixtures, "no-such-folder"));
    EXPECT_EQ(none.str(), "tool extensions: none\n");
}

#if !defined(_WIN32)
// The anchor dialog's terminal form, through the real program with its answers piped in.
TEST_F(ToolCommand, AnchorFormReadsItsAnswersFromStandardInput)
{
    const std::string page = Write("tool_anchor.html", "see this page\n");
    const std::string answers = Write("tool_anchor_answers.txt", "\nx.html\n\nA title\nOK\n");
    const std::string command = "'" + JoinPath(ExecutableFolder(), "varnel") + "' tool Gorsetool '" + page +
                                "' --selection 4 4 < '" + answers + "' 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(ReadFile(page), "see <a href=\"x.html\" title=\"A title\">this</a> page\n");
}
#endif

} // namespace
} // namespace varnel
