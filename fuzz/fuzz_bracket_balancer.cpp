// Drives the bracket balancer of the common library with both of its rule sets (the
// C-like one the plug-ins export as Balance, and the TeX one) on arbitrary text and
// selections, through the host's proxy.
//
// Input: rules byte (bit 0: TeX), selection start, selection end and walk start (each a
// mode byte and four value bytes, see PositionSeed), then the text.
#include "fuzz_support.h"

#include "bracket_balancer.h"
#include "host_proxy.h"
#include "keyword_matcher.h"

#include <string>

namespace {

using varnel::HostProxy;
using varnel::KeywordMatcher;
using varnel::ProxyPurpose;
using varnel::fuzz::ByteReader;
using varnel::fuzz::PositionSeed;

bool IsPair(const BalanceRules& rules, char opener, char closer)
{
    for (int k = 0; k < rules.kindCount; ++k) {
        if (rules.kinds[k].opener == opener && rules.kinds[k].closer == closer)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ByteReader input(data, size);
    const BalanceRules& rules = (input.Byte() & 1) != 0 ? kTexBalance : kCLikeBalance;
    const PositionSeed startSeed = input.Position();
    const PositionSeed endSeed = input.Position();
    const PositionSeed walkSeed = input.Position();
    const std::string original = input.Rest();
    std::string text = original;
    const int length = static_cast<int>(text.size());
    const int selStart = startSeed.For(length);
    const int selEnd = endSeed.For(length);
    const int walkStart = walkSeed.For(length);

    static const KeywordMatcher keywords("");
    HostProxy proxy(text, keywords, 0, ProxyPurpose::Editing);
    int start = selStart;
    int end = selEnd;
    const bool found = BalanceBrackets(proxy, &start, &end, rules, walkStart);
    FUZZ_REQUIRE(text == original, "the balancer changed the text");
    FUZZ_REQUIRE(proxy.Errors().empty(), "the balancer made a call the host refused");
    if (!found) {
        FUZZ_REQUIRE(start == selStart && end == selEnd, "the balancer failed but changed the selection");
        return 0;
    }
    // The span lies between an opener at or before the selection start and its closer at
    // or after the selection end, both of a kind the rules count, inside the walked text.
    FUZZ_REQUIRE(0 < start && start <= end && end < length, "the span lies outside the text");
    FUZZ_REQUIRE(start - 1 >= walkStart, "the opener lies before the walk's start");
    FUZZ_REQUIRE(start - 1 <= selStart && end >= selEnd, "the span does not enclose the selection");
    FUZZ_REQUIRE(IsPair(rules, text[start - 1], text[end]), "the span is not enclosed by a pair of brackets");
    return 0;
}
