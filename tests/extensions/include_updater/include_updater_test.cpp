// The include updater, loaded through the host's loader, on documents and included files
// in a temporary folder: the exact document text it leaves.
#include "site_folder.h"
#include "tool_modules.h"

#include <gtest/gtest.h>

#include <ctime>
#include <map>
#include <regex>

namespace varnel::test {
namespace {

struct UpdateCase {
    const char* name;
    std::string document;
    std::map<std::string, std::string> files; // relative to the document's folder
    std::string expected;
};

// Runs Dunetool on the document saved as page.html in a fresh folder with the files.
std::string Refresh(const SiteFolder& site, const std::string& document, int* result = nullptr)
{
    TextProxy proxy(document, site.NativePath("page.html"));
    const int code = Perform("Dunetool")(proxy);
    if (result != nullptr)
        *result = code;
    else
        EXPECT_EQ(code, 0);
    return proxy.Text();
}

class IncludeUpdaterTest : public ::testing::TestWithParam<UpdateCase> {};

TEST_P(IncludeUpdaterTest, LeavesTheExpectedText)
{
    const UpdateCase& c = GetParam();
    const SiteFolder site(std::string("_") + c.name);
    for (const auto& [name, bytes] : c.files)
        site.Write(name, bytes);
    EXPECT_EQ(Refresh(site, c.document), c.expected);
}

// Names of 1025 and 1024 characters that both name existing files: "./" steps fold away.
std::string DotSteps(int count)
{
    std::string steps;
    for (int i = 0; i < count; ++i)
        steps += "./";
    return steps;
}
const std::string kLongName = DotSteps(509) + "xyz.txt";
const std::string kLongestName = DotSteps(509) + "xy.txt";
const std::string kWideIndent(300, ' ');

INSTANTIATE_TEST_SUITE_P(Blocks, IncludeUpdaterTest, ::testing::Values(
    UpdateCase{"MarkerRightBeforeEndMarker",
               "<!-- #include \"x.txt\" --><!-- end include -->",
               {{"x.txt", "x"}},
               "<!-- #include \"x.txt\" -->\nx\n<!-- end include -->"},
    UpdateCase{"IndentedByFourSpaces",
               "<body>\n    <!-- #include \"nav.html\" -->\n    old\n    <!-- end include -->\n</body>\n",
               {{"nav.html", "<ul>\n  <li>a</li>\n</ul>\n"}},
               "<body>\n    <!-- #include \"nav.html\" -->\n    <ul>\n      <li>a</li>\n    </ul>\n"
               "    <!-- end include -->\n</body>\n"},
    UpdateCase{"FirstLineIndentedByTwo",
               "  <!-- #include \"x.txt\" --><!-- end include -->",
               {{"x.txt", "x\n"}},
               "  <!-- #include \"x.txt\" -->\n  x\n  <!-- end include -->"},
    UpdateCase{"TabsAndSpacesIndent",
               "\t <!--#include \"x.txt\"--><!--end include-->",
               {{"x.txt", "a\nb"}},
               "\t <!--#include \"x.txt\"-->\n\t a\n\t b\n\t <!--end include-->"},
    UpdateCase{"IndentationOfTheLineWithTheClosingBracket",
               "<!-- #include \"x.txt\"\n   -->\n<!-- end include -->",
               {{"x.txt", "x"}},
               "<!-- #include \"x.txt\"\n   -->\n   x\n   <!-- end include -->"},
    UpdateCase{"IndentationLongerThan255IsKeptWhole",
               kWideIndent + "<!-- #include \"x.txt\" --><!-- end include -->",
               {{"x.txt", "x"}},
               kWideIndent + "<!-- #include \"x.txt\" -->\n" + kWideIndent + "x\n" + kWideIndent +
                   "<!-- end include -->"},
    UpdateCase{"SpaceBeforeHashAndMixedCase",
               "<!-- #Include \"x.txt\" --><!-- end include -->",
               {{"x.txt", "x"}},
               "<!-- #Include \"x.txt\" -->\nx\n<!-- end include -->"},
    UpdateCase{"SpaceAfterHashIsAnOrdinaryComment",
               "<!-- # include \"x.txt\" --><!-- end include -->",
               {{"x.txt", "x"}},
               "<!-- # include \"x.txt\" --><!-- end include -->"},
    UpdateCase{"EndMarkerWithoutSpaces",
               "<!-- #include \"x.txt\" -->old<!--endinclude-->",
               {{"x.txt", "x"}},
               "<!-- #include \"x.txt\" -->\nx\n<!--endinclude-->"},
    UpdateCase{"EndMarkerWithSpacesAndCapitals",
               "<!-- #INCLUDE \"x.txt\" -->old<!--   End  \t INCLUDE   -->",
               {{"x.txt", "x"}},
               "<!-- #INCLUDE \"x.txt\" -->\nx\n<!--   End  \t INCLUDE   -->"},
    UpdateCase{"OtherCommentsInsideTheBlockAreReplaced",
               "<!-- #include \"x.txt\" --><!-- note --><p><!-- end include -->",
               {{"x.txt", "x"}},
               "<!-- #include \"x.txt\" -->\nx\n<!-- end include -->"},
    UpdateCase{"DashAndBracketInsideAQuotedStringAfterTheName",
               "<!-- #include \"x.txt\" title=\"a -> b\" -->old<!-- end include -->",
               {{"x.txt", "x"}},
               "<!-- #include \"x.txt\" title=\"a -> b\" -->\nx\n<!-- end include -->"},
    UpdateCase{"CarriageReturnsBecomeLineFeeds",
               "<!-- #include \"x.txt\" --><!-- end include -->",
               {{"x.txt", "a\r\nb\rc\r\n"}},
               "<!-- #include \"x.txt\" -->\na\nb\nc\n<!-- end include -->"},
    UpdateCase{"EmptyFileGivesOneLineFeed",
               "  <!-- #include \"x.txt\" -->old<!-- end include -->",
               {{"x.txt", ""}},
               "  <!-- #include \"x.txt\" -->\n  <!-- end include -->"},
    UpdateCase{"FileEndsAtItsFirstNul",
               "<!-- #include \"x.txt\" --><!-- end include -->",
               {{"x.txt", std::string("ab\0cd", 5)}},
               "<!-- #include \"x.txt\" -->\nab\n<!-- end include -->"},
    UpdateCase{"BackslashesInTheName",
               "<!-- #include \"inc\\x.txt\" --><!-- end include -->",
               {{"inc/x.txt", "x"}},
               "<!-- #include \"inc\\x.txt\" -->\nx\n<!-- end include -->"},
    UpdateCase{"ParentFolderInTheName",
               "<!-- #include \"sub/../inc/x.txt\" --><!-- end include -->",
               {{"inc/x.txt", "x"}},
               "<!-- #include \"sub/../inc/x.txt\" -->\nx\n<!-- end include -->"},
    UpdateCase{"TwoBlocksTheFirstFileMissing",
               "<!-- #include \"gone.txt\" -->kept<!-- end include -->\n"
               "<!-- #include \"x.txt\" -->old<!-- end include -->",
               {{"x.txt", "x"}},
               "<!-- #include \"gone.txt\" -->kept<!-- end include -->\n"
               "<!-- #include \"x.txt\" -->\nx\n<!-- end include -->"},
    UpdateCase{"NoEndMarkerStopsTheScan",
               "<!-- #include \"x.txt\" -->old<!-- end -->\n<!-- #include \"x.txt\" -->",
               {{"x.txt", "x"}},
               "<!-- #include \"x.txt\" -->old<!-- end -->\n<!-- #include \"x.txt\" -->"},
    UpdateCase{"NameLongerThan1024IsNoMarker",
               "<!-- #include \"" + kLongName + "\" --><!-- end include -->",
               {{"xyz.txt", "x"}},
               "<!-- #include \"" + kLongName + "\" --><!-- end include -->"},
    UpdateCase{"NameOf1024IsAMarker",
               "<!-- #include \"" + kLongestName + "\" --><!-- end include -->",
               {{"xy.txt", "x"}},
               "<!-- #include \"" + kLongestName + "\" -->\nx\n<!-- end include -->"},
    UpdateCase{"MarkerWithoutClosingDashes",
               "<!-- #include \"x.txt\" ><!-- end include -->",
               {{"x.txt", "x"}},
               "<!-- #include \"x.txt\" ><!-- end include -->"},
    UpdateCase{"UnclosedQuoteInTheDocumentEndsTheScan",
               "<p title=\"open>\n<!-- #include \"x.txt\" --><!-- end include -->",
               {{"x.txt", "x"}},
               "<p title=\"open>\n<!-- #include \"x.txt\" --><!-- end include -->"},
    UpdateCase{"TagsBeforeTheMarker",
               "<html><p class=\"a>b\">t</p><!-- #include \"x.txt\" --><!-- end include -->",
               {{"x.txt", "x"}},
               "<html><p class=\"a>b\">t</p><!-- #include \"x.txt\" -->\nx\n<!-- end include -->"},
    UpdateCase{"NamePlaceholderStays",
               "<!-- #include \"x.txt\" --><!-- end include -->",
               {{"x.txt", "by $name$"}},
               "<!-- #include \"x.txt\" -->\nby $name$\n<!-- end include -->"},
    UpdateCase{"PlaceholdersOutsideBlocksStay",
               "$file$ $date$<!-- #include \"x.txt\" --><!-- end include -->$time$",
               {{"x.txt", "x"}},
               "$file$ $date$<!-- #include \"x.txt\" -->\nx\n<!-- end include -->$time$"}),
    [](const ::testing::TestParamInfo<UpdateCase>& info) { return std::string(info.param.name); });

TEST(IncludeUpdater, SecondRunGivesTheSameText)
{
    const SiteFolder site;
    site.Write("inc/nav.html", "<a>\r\nb</a>");
    const std::string document = "<p>\n   <!-- #include \"inc/nav.html\" -->\n<!-- end include -->\n"
                                 "<!--#include \"inc/nav.html\"--><!--end include--></p>";
    const std::string once = Refresh(site, document);
    EXPECT_NE(once, document);
    EXPECT_EQ(Refresh(site, once), once);
}

TEST(IncludeUpdater, NeverSavedDocumentIsLeftAlone)
{
    const std::string document = "<!-- #include \"x.txt\" -->old<!-- end include -->";
    TextProxy proxy(document);
    EXPECT_EQ(Perform("Dunetool")(proxy), 0);
    EXPECT_EQ(proxy.Text(), document);
}

TEST(IncludeUpdater, FilePlaceholderIsTheNormalisedPath)
{
    const SiteFolder site;
    site.Write("inc/x.txt", "from $file$ and $file$");
    const std::string result = Refresh(site, "<!-- #include \"sub/../inc//x.txt\" --><!-- end include -->");
#if defined(_WIN32)
    std::string urlPath = "/" + site.Path("inc/x.txt");
    for (char& c : urlPath) {
        if (c == '\\')
            c = '/';
    }
#else
    const std::string urlPath = site.Path("inc/x.txt");
#endif
    EXPECT_EQ(result, "<!-- #include \"sub/../inc//x.txt\" -->\nfrom " + urlPath + " and " + urlPath +
                          "\n<!-- end include -->");
}

#if !defined(_WIN32)
TEST(IncludeUpdater, PathHoldingItsOwnPlaceholderIsInsertedOnce)
{
    // The folder's name is "$file$": the replacement holds the placeholder it replaces.
    const SiteFolder site("_$file$");
    site.Write("x.txt", "[$file$]");
    const std::string result = Refresh(site, "<!-- #include \"x.txt\" --><!-- end include -->");
    EXPECT_EQ(result, "<!-- #include \"x.txt\" -->\n[" + site.Path("x.txt") + "]\n<!-- end include -->");
}
#endif

TEST(IncludeUpdater, DateAndTimeAreFilledEachTime)
{
    const SiteFolder site;
    site.Write("x.txt", "$date$|$date$|$time$|$time$");
    const std::time_t before = std::time(nullptr);
    const std::string result = Refresh(site, "<!-- #include \"x.txt\" --><!-- end include -->");
    const std::time_t after = std::time(nullptr);

    const std::regex expected("<!-- #include \"x.txt\" -->\n"
                              "((Sun|Mon|Tues|Wednes|Thurs|Fri|Satur)day "
                              "(January|February|March|April|May|June|July|August|September|October|November|December) "
                              "[0-3][0-9] [0-9]{4})\\|\\1\\|"
                              "[0-2][0-9]:[0-5][0-9]:[0-6][0-9]\\|[0-2][0-9]:[0-5][0-9]:[0-6][0-9]\n"
                              "<!-- end include -->");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(result, match, expected)) << result;

    // The date is today's (unless the day turned during the run).
    char today[64];
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &before);
#else
    localtime_r(&before, &local);
#endif
    std::strftime(today, sizeof today, "%A %B %d %Y", &local);
    std::tm later{};
#if defined(_WIN32)
    localtime_s(&later, &after);
#else
    localtime_r(&after, &later);
#endif
    if (later.tm_mday == local.tm_mday) {
        EXPECT_EQ(match[1].str(), today);
    }
}

TEST(IncludeUpdater, EachBlockIsWrittenWithOneDeleteAndOneInsert)
{
    class CountingProxy : public TextProxy {
    public:
        using TextProxy::TextProxy;
        int InsertText(int position, const char* text, int length) override
        {
            ++inserts;
            return TextProxy::InsertText(position, text, length);
        }
        int DeleteText(int position, int length) override
        {
            ++deletes;
            return TextProxy::DeleteText(position, length);
        }
        int inserts = 0;
        int deletes = 0;
    };
    const SiteFolder site;
    site.Write("x.txt", "line 1\nline 2\nline 3\n");
    CountingProxy proxy("<!-- #include \"x.txt\" -->a<!-- end include --><!-- #include \"x.txt\" --><!-- end include -->",
                        site.NativePath("page.html"));
    EXPECT_EQ(Perform("Dunetool")(proxy), 0);
    EXPECT_EQ(proxy.inserts, 2);
    EXPECT_EQ(proxy.deletes, 2);
}

} // namespace
} // namespace varnel::test
