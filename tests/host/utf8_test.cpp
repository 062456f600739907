#include "utf8.h"

#include <gtest/gtest.h>

#include <cstring>

namespace varnel {
namespace {

Utf8Char Decode(const char* bytes)
{
    return DecodeUtf8(bytes, std::strlen(bytes));
}

TEST(Utf8, DecodesSequencesOfEveryLength)
{
    EXPECT_EQ(Decode("a").codePoint, 'a');
    EXPECT_EQ(Decode("\xC3\xA9").codePoint, 0xE9);
    EXPECT_EQ(Decode("\xC3\xA9").length, 2);
    EXPECT_EQ(Decode("\xE2\x82\xAC").codePoint, 0x20AC);
    EXPECT_EQ(Decode("\xF0\x9F\x98\x80").codePoint, 0x1F600);
    EXPECT_EQ(Decode("\xF0\x9F\x98\x80").length, 4);
    EXPECT_EQ(DecodeUtf8("x", 0).length, 0);
}

TEST(Utf8, InvalidSequencesStandForTheirFirstByte)
{
    for (const char* bad : {"\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF", "\x80",
                            "\xC3" "a"}) {
        const Utf8Char c = Decode(bad);
        EXPECT_EQ(c.codePoint, static_cast<unsigned char>(bad[0])) << bad;
        EXPECT_EQ(c.length, 1) << bad;
    }
    // Truncated by the bytes available, not by the lead byte's promise.
    EXPECT_EQ(DecodeUtf8("\xE2\x82\xAC", 2).length, 1);
}

TEST(Utf8, PreviousCharStartStepsOverWholeCharacters)
{
    const char text[] = "a\xE2\x82\xAC" "b\x80";
    EXPECT_EQ(PreviousCharStart(text, 4), 1);
    EXPECT_EQ(PreviousCharStart(text, 5), 4);
    EXPECT_EQ(PreviousCharStart(text, 6), 5); // a stray continuation byte is one character
    EXPECT_EQ(PreviousCharStart(text, 0), -1);
}

} // namespace
} // namespace varnel
