// The input side of the generated scanners: the document handed over as its own bytes,
// a character at a time however little the engine asks for, and where a match lies.
#include "host_proxy.h"
#include "scanner_input.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

// Everything the input gives when the engine asks for `max` bytes a time, with the
// number of calls it took.
struct Drained {
    std::string bytes;
    int calls = 0;
};

Drained Drain(const std::string& document, int max)
{
    std::string text = document;
    const KeywordMatcher matcher("");
    HostProxy proxy(text, matcher, 0, ProxyPurpose::FunctionScan);
    ScannerInput input(proxy);
    Drained drained;
    char buffer[8];
    while (!input.AtEnd() && drained.calls < 100) {
        const int stored = input.Deliver(buffer, max);
        EXPECT_GE(stored, 1);
        EXPECT_LE(stored, max);
        drained.bytes.append(buffer, static_cast<std::size_t>(stored));
        ++drained.calls;
        EXPECT_EQ(input.Position() - input.MatchOffset(static_cast<int>(drained.bytes.size()), 0),
                  static_cast<int>(drained.bytes.size()));
    }
    return drained;
}

TEST(ScannerInput, DeliversTheDocumentsOwnBytesACharacterAtATime)
{
    // "a", "é" (2 bytes), "€" (3 bytes), "𝄞" (4 bytes), a NUL byte, "z"
    const std::string document("a\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E\0z", 12);
    const Drained whole = Drain(document, 8);
    EXPECT_EQ(whole.bytes, document);
    EXPECT_EQ(whole.calls, 6);
    // One byte a call: a character comes over several calls.
    const Drained bytewise = Drain(document, 1);
    EXPECT_EQ(bytewise.bytes, document);
    EXPECT_EQ(bytewise.calls, 12);
    EXPECT_EQ(Drain("", 8).calls, 0);
}

TEST(ScannerInput, PassedCharactersCountInTheOffsets)
{
    std::string text = "(*\xC3\xA9*)PROCEDURE";
    const KeywordMatcher matcher("");
    HostProxy proxy(text, matcher, 0, ProxyPurpose::FunctionScan);
    ScannerInput input(proxy);
    EXPECT_EQ(input.Current(), '(');
    EXPECT_EQ(input.Following(), '*');
    for (int i = 0; i < 5; ++i)
        input.Pass();
    EXPECT_EQ(input.Position(), 6);
    char buffer[4];
    ASSERT_EQ(input.Deliver(buffer, 4), 1);
    EXPECT_EQ(buffer[0], 'P');
    // A match of the one byte held starts at the P. The comment's six bytes count in
    // full, so a match held as five blanks standing for it and the P starts at 1.
    EXPECT_EQ(input.MatchOffset(1, 0), 6);
    EXPECT_EQ(input.MatchOffset(6, 0), 1);
    EXPECT_EQ(input.MatchOffset(6, 5), 6);
}

TEST(ScannerInputDeathTest, FatalErrorsEndTheProcessWithStatusTwo)
{
    EXPECT_EXIT(ScannerFatalError("fatal error - scanner input buffer overflow"), ::testing::ExitedWithCode(2),
                "^fatal error - scanner input buffer overflow\n$");
}

} // namespace
} // namespace varnel
