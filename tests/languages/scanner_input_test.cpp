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
    char buffer[8];
    ASSERT_EQ(input.DeliverBlanks(0, buffer, 5), 5);
    EXPECT_EQ(std::string(buffer, 5), "     ");
    ASSERT_EQ(input.Deliver(buffer, 4), 1);
    EXPECT_EQ(buffer[0], 'P');
    // A match of the one byte held starts at the P. The comment's six bytes count in
    // full: held as five blanks standing for it and the P, the P is still at 6, and a
    // match from the first blank starts at the comment.
    EXPECT_EQ(input.MatchOffset(1, 0), 6);
    EXPECT_EQ(input.MatchOffset(6, 5), 6);
    EXPECT_EQ(input.MatchOffset(6, 0), 0);
    EXPECT_EQ(input.MatchOffset(6, 2), 2);
}

// Where a match lies does not depend on how many comments the buffer holds in front of
// it, nor on runs of blanks the scanner no longer holds.
TEST(ScannerInput, BlanksInTheBufferDoNotMoveTheMatch)
{
    std::string text = "(*a*)x(*bb*)(*c*)PROCEDURE";
    const KeywordMatcher matcher("");
    HostProxy proxy(text, matcher, 0, ProxyPurpose::FunctionScan);
    ScannerInput input(proxy);
    char buffer[32];
    int held = 0;
    // Passes a comment and delivers `count` blanks for it.
    const auto comment = [&](int count) {
        const int from = input.Position();
        input.Pass();
        input.Pass();
        while (!(input.Current() == '*' && input.Following() == ')'))
            input.Pass();
        input.Pass();
        input.Pass();
        held += input.DeliverBlanks(from, buffer + held, count);
    };
    comment(4);
    held += input.Deliver(buffer + held, 1); // x at 5
    comment(5);
    comment(1); // fewer blanks than the comment's bytes less one
    held += input.Deliver(buffer + held, 1); // P at 17
    ASSERT_EQ(held, 12);
    EXPECT_EQ(input.MatchOffset(held, 11), 17);
    EXPECT_EQ(input.MatchOffset(held, 4), 5);
    EXPECT_EQ(input.MatchOffset(held, 5), 6);
    EXPECT_EQ(input.MatchOffset(held, 10), 12);
    // With only the x and what follows held, the first comment is forgotten.
    input.Forget(held - 4);
    EXPECT_EQ(input.MatchOffset(held - 4, 0), 5);
    EXPECT_EQ(input.MatchOffset(held - 4, 7), 17);
    // With only the P held, every run of blanks is forgotten and counts in full.
    input.Forget(1);
    EXPECT_EQ(input.MatchOffset(1, 0), 17);
    ASSERT_EQ(input.Deliver(buffer, 1), 1); // R
    EXPECT_EQ(input.MatchOffset(2, 1), 18);
}

TEST(ScannerInputDeathTest, FatalErrorsEndTheProcessWithStatusTwo)
{
    EXPECT_EXIT(ScannerFatalError("fatal error - scanner input buffer overflow"), ::testing::ExitedWithCode(2),
                "^fatal error - scanner input buffer overflow\n$");
}

} // namespace
} // namespace varnel
