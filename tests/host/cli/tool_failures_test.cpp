// `varnel tool` run as a program on files that fail in the ways files fail: a read
// error, a FIFO, an include too large to indent, a document reached through a link,
// line ends other than line feeds, and a document on standard input.
#include "extensions/include_updater/site_folder.h"
#include "file_system.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#if !defined(_WIN32)
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace varnel {
namespace {

#if !defined(_WIN32)

struct ShellRun {
    int status;
    std::string err;
};

// Runs a shell command line with "VARNEL" standing for the program; answers its exit
// status and what it wrote on standard error.
ShellRun Shell(const test::SiteFolder& folder, std::string command)
{
    const std::string varnel = "'" + JoinPath(ExecutableFolder(), "varnel") + "'";
    for (std::size_t at = command.find("VARNEL"); at != std::string::npos; at = command.find("VARNEL", at))
        command.replace(at, 6, varnel);
    const std::string err = folder.Path("stderr.txt");
    const int status = std::system(("cd '" + folder.Root() + "' && " + command + " 2>'" + err + "'").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(err).value_or("")};
}

bool UnderAddressSanitizer()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#else
    return false;
#endif
}

const std::string kPage = "<p>\n  <!-- #include \"nav.txt\" -->old<!-- end include -->\n</p>\n";

TEST(ToolFailures, ReadErrorInAnIncludeLeavesTheBlock)
{
    const test::SiteFolder site;
    site.Write("nav.txt", "nav");
    site.Write("page.html", kPage);
    const ShellRun run = Shell(site, std::string("ASAN_OPTIONS=verify_asan_link_order=0 LD_PRELOAD='") +
                                    VARNEL_FAILING_READ + "' FAIL_READS_OF=/nav.txt VARNEL tool Dunetool page.html");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(site.Path("page.html")), kPage);
    // Without the failing reads the same run refreshes the block: the file is readable.
    EXPECT_EQ(Shell(site, "VARNEL tool Dunetool page.html").status, 0);
    EXPECT_NE(ReadFile(site.Path("page.html")), kPage);
}

TEST(ToolFailures, FifoIsNoFileToInclude)
{
    const test::SiteFolder site;
    site.Write("page.html", kPage);
    unlink(site.Path("nav.txt").c_str()); // left by an earlier run
    ASSERT_EQ(mkfifo(site.Path("nav.txt").c_str(), 0600), 0);
    // Nothing ever writes to the FIFO: opening it to read would wait for ever.
    const ShellRun run = Shell(site, "timeout 60 VARNEL tool Dunetool page.html");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(site.Path("page.html")), kPage);
}

TEST(ToolFailures, WideIndentationOfManyLinesIsRefusedBeforeItIsBuilt)
{
    if (UnderAddressSanitizer())
        GTEST_SKIP() << "a memory limit cannot be set under AddressSanitizer";
    const test::SiteFolder site;
    std::string lines;
    for (int i = 0; i < 40000; ++i)
        lines += "x\n";
    site.Write("nav.txt", lines);
    // 64 KB of indentation on each of 40,000 lines would be 2.6 GB of text.
    const std::string page = std::string(65536, ' ') + "<!-- #include \"nav.txt\" --><!-- end include -->\n";
    site.Write("page.html", page);
    const ShellRun run = Shell(site, "ulimit -v 1000000 && VARNEL tool Dunetool page.html");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(site.Path("page.html")), page);
}

TEST(ToolFailures, IncludesAreFoundBesideTheLinkNotItsTarget)
{
    const test::SiteFolder site;
    site.Write("real/page.html", kPage);
    site.Write("real/nav.txt", "beside the target");
    site.Write("linked/nav.txt", "beside the link");
    unlink(site.Path("linked/page.html").c_str()); // left by an earlier run
    ASSERT_EQ(symlink("../real/page.html", site.Path("linked/page.html").c_str()), 0);
    const ShellRun run = Shell(site, "VARNEL tool Dunetool linked/page.html");
    EXPECT_EQ(run.status, 0) << run.err;
    // The link stays; its target is written.
    struct stat info;
    ASSERT_EQ(lstat(site.Path("linked/page.html").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadFile(site.Path("real/page.html")),
              "<p>\n  <!-- #include \"nav.txt\" -->\n  beside the link\n  <!-- end include -->\n</p>\n");
}

TEST(ToolFailures, DocumentOnStandardInputLeavesNoAnswersForTheForm)
{
    const test::SiteFolder site;
    site.Write("page.html", "see this page\n");
    // setsid: no terminal to read the answers from either.
    const ShellRun run = Shell(site, "setsid -w VARNEL tool Gorsetool - < page.html");
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find("standard input"), std::string::npos) << run.err;
}

struct LineEndCase {
    const char* name;
    std::string page;
    std::string expected;
};

class ToolLineEnds : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(ToolLineEnds, EveryLineKeepsItsOwnAndAddedLinesTakeTheCommonOne)
{
    const test::SiteFolder site(GetParam().name);
    site.Write("nav.txt", "a\nb\n");
    site.Write("page.html", GetParam().page);
    const ShellRun run = Shell(site, "VARNEL tool Dunetool page.html");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(site.Path("page.html")), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Files, ToolLineEnds, ::testing::Values(
    LineEndCase{"CrLf",
                "<p>\r\n  <!-- #include \"nav.txt\" -->old<!-- end include -->\r\n</p>\r\n",
                "<p>\r\n  <!-- #include \"nav.txt\" -->\r\n  a\r\n  b\r\n  <!-- end include -->\r\n</p>\r\n"},
    LineEndCase{"Cr",
                "<p>\r  <!-- #include \"nav.txt\" -->old<!-- end include -->\r</p>",
                "<p>\r  <!-- #include \"nav.txt\" -->\r  a\r  b\r  <!-- end include -->\r</p>"},
    // Two lines end in CR LF, one in LF: the added lines take CR LF, the LF line keeps its own.
    LineEndCase{"Mixed",
                "<p>\r\n  <!-- #include \"nav.txt\" -->old<!-- end include -->\n</p>\r\n",
                "<p>\r\n  <!-- #include \"nav.txt\" -->\r\n  a\r\n  b\r\n  <!-- end include -->\n</p>\r\n"},
    // The common line end is the file's as it was read, the replaced lines' included.
    LineEndCase{"ReplacedLinesCount",
                "<!-- #include \"nav.txt\" -->\r\r\r<!-- end include -->\n\n",
                "<!-- #include \"nav.txt\" -->\ra\rb\r<!-- end include -->\n\n"}),
    [](const ::testing::TestParamInfo<LineEndCase>& info) { return std::string(info.param.name); });

TEST(ToolFailures, SelectionInFileBytesReachesTheExtensionInItsView)
{
    const test::SiteFolder site;
    site.Write("echo.txt", "a\r\nbc");
    // "b" is byte 3 of the file and character 2 of the editor's text.
    const ShellRun run = Shell(site, std::string("VARNEL --modules '") + VARNEL_TEST_MODULES +
                                    "/tools' tool Echotool echo.txt --stdout --selection 3 1 > out.txt");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string expected = "a\r\nbc[2 1 " + site.Path("echo.txt") + "]";
    EXPECT_EQ(ReadFile(site.Path("out.txt")), expected);
}

#endif

} // namespace
} // namespace varnel
