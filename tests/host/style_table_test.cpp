#include "style_table.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(StyleTable, ParsesAndFormatsStyleStrings)
{
    const auto attributes = ParseStyleString("08:#3d4c9e;09;00;Monaco");
    ASSERT_TRUE(attributes);
    EXPECT_EQ(attributes->prefix, 8);
    EXPECT_EQ(attributes->red, 0x3d);
    EXPECT_EQ(attributes->green, 0x4c);
    EXPECT_EQ(attributes->blue, 0x9e);
    EXPECT_EQ(attributes->field1, 9);
    EXPECT_EQ(attributes->field2, 0);
    EXPECT_EQ(attributes->font, "Monaco");
    EXPECT_EQ(FormatStyle(*attributes), "#3d4c9e;09;00;Monaco");

    const auto upper = ParseStyleString("08:#6D663F;09;00;Courier New; bold");
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->red, 0x6d);
    EXPECT_EQ(upper->font, "Courier New; bold");
    EXPECT_EQ(FormatStyle(*upper), "#6d663f;09;00;Courier New; bold");
    ASSERT_TRUE(ParseStyleString("08:#000000;09;00;"));
    EXPECT_EQ(ParseStyleString("08:#000000;09;00;")->font, "");
}

TEST(StyleTable, RejectsOtherForms)
{
    for (const char* bad : {"", "08:#3d4c9e;09;00", "08#3d4c9e;09;00;M", "08:3d4c9e;09;00;M",
                            "08:#3d4c9;09;00;M", "08:#3d4c9g;09;00;M", "8:#3d4c9e;09;00;M",
                            "08:#3d4c9e;9;00;M", "08:#3d4c9e,09;00;M", "#3d4c9e;09;00;Monaco"})
        EXPECT_FALSE(ParseStyleString(bad)) << bad;
}

TEST(StyleTable, ReadsPairsUpToTheNullName)
{
    const char* const pairs[][2] = {{"keywords", "08:#3d4c9e;09;00;Monaco"},
                                    {"broken", "red"},
                                    {"missing", nullptr},
                                    {nullptr, nullptr},
                                    {"after", "08:#000000;09;00;Monaco"}};
    const StyleTable table = StyleTable::FromPairs(pairs);
    ASSERT_EQ(table.Count(), 3);
    EXPECT_EQ(table.At(1).name, "keywords");
    EXPECT_EQ(table.At(1).attributes->blue, 0x9e);
    EXPECT_EQ(table.At(2).text, "red");
    EXPECT_FALSE(table.At(2).attributes);
    EXPECT_EQ(table.At(3).text, "");
    EXPECT_FALSE(table.At(3).attributes);
    EXPECT_EQ(table.Clamp(3), 3);
    EXPECT_EQ(table.Clamp(4), 0);
    EXPECT_EQ(table.Clamp(-1), 0);

    EXPECT_EQ(StyleTable::FromPairs(pairs, 2).Count(), 2);
    EXPECT_EQ(StyleTable::FromPairs(nullptr).Count(), 0);
}

} // namespace
} // namespace varnel
