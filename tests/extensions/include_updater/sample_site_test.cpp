// The sample site in tests/data/site, refreshed page by page as a user would.
#include "site_folder.h"
#include "stamp_mask.h"
#include "tool_modules.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

#if !defined(_WIN32)
TEST(SampleSite, EveryPageMatchesItsRefreshedTwin)
{
    const SiteFolder site;
    for (const char* file : {"index.html", "pages/about.html", "inc/head.html", "inc/nav.html",
                             "inc/footer.html", "inc/stamp.html"})
        site.Write(file, ReadFile(std::string(VARNEL_TEST_DATA) + "/site/" + file).value_or("missing"));
    for (const char* page : {"index.html", "pages/about.html"}) {
        TextProxy document(*ReadFile(site.Path(page)), site.Path(page));
        ASSERT_EQ(Perform("Dunetool")(document), 0) << page;
        const std::string expected = ReadFile(std::string(VARNEL_TEST_DATA) + "/site-refreshed/" + page).value_or("");
        EXPECT_EQ(MaskStamp(document.Text(), site.Root() + "/"), expected) << page;
    }
}
#endif

} // namespace
} // namespace varnel::test
