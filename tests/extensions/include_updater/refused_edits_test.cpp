// The include updater when the host refuses its edits: the host's code comes back at
// once, and what was done before stays done.
#include "site_folder.h"
#include "tool_modules.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

const std::string kTwoBlocks = "<!-- #include \"a.txt\" -->old a<!-- end include -->\n"
                               "<!-- #include \"b.txt\" -->old b<!-- end include -->\n";

struct RefusalCase {
    const char* name;
    RefusingProxy::Edit refused;
    int fromCall;
    int code;
    int result;
    std::string expected;
};

class RefusedEditTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedEditTest, AnswersTheHostsCodeAndKeepsEarlierEdits)
{
    const RefusalCase& c = GetParam();
    const SiteFolder site(std::string("_") + c.name);
    site.Write("a.txt", "A");
    site.Write("b.txt", "B");
    RefusingProxy proxy(kTwoBlocks, site.NativePath("page.html"), c.refused, c.fromCall, c.code);
    EXPECT_EQ(Perform("Dunetool")(proxy), c.result);
    EXPECT_EQ(proxy.Text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Edits, RefusedEditTest, ::testing::Values(
    RefusalCase{"FirstDelete", RefusingProxy::Edit::Delete, 1, 7, 7, kTwoBlocks},
    RefusalCase{"FirstInsertLeavesTheBlockEmpty", RefusingProxy::Edit::Insert, 1, 9, 9,
                "<!-- #include \"a.txt\" --><!-- end include -->\n"
                "<!-- #include \"b.txt\" -->old b<!-- end include -->\n"},
    RefusalCase{"SecondDelete", RefusingProxy::Edit::Delete, 2, 12, 12,
                "<!-- #include \"a.txt\" -->\nA\n<!-- end include -->\n"
                "<!-- #include \"b.txt\" -->old b<!-- end include -->\n"},
    RefusalCase{"SecondInsert", RefusingProxy::Edit::Insert, 2, -5, -5,
                "<!-- #include \"a.txt\" -->\nA\n<!-- end include -->\n"
                "<!-- #include \"b.txt\" --><!-- end include -->\n"},
    // The updater never selects: refusing selections changes nothing.
    RefusalCase{"SelectIsNotUsed", RefusingProxy::Edit::Select, 1, 3, 0,
                "<!-- #include \"a.txt\" -->\nA\n<!-- end include -->\n"
                "<!-- #include \"b.txt\" -->\nB\n<!-- end include -->\n"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace varnel::test
