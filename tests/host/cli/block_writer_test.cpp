#include "block_writer.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>
#include <vector>

namespace varnel {
namespace {

// A stream that notes the size of every write it is handed.
class WriteLog : public std::stringbuf {
public:
    std::vector<std::streamsize> writes;

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        writes.push_back(n);
        return std::stringbuf::xsputn(s, n);
    }
};

TEST(BlockWriter, GathersPiecesIntoWholeBlocks)
{
    struct Case {
        const char* name;
        std::vector<std::size_t> pieces; // sizes of the pieces put, in order
        std::vector<std::streamsize> writes;
    };
    const Case cases[] = {
        {"nothing", {}, {}},
        {"empty pieces", {0, 0}, {}},
        {"under a block", {10, 21}, {31}},
        {"exactly a block", {32}, {32}},
        {"a piece split at the block's end", {20, 20, 20}, {32, 28}},
        {"what fills a block passes straight on", {5, 70, 3}, {32, 43, 3}},
        {"bytes one at a time", std::vector<std::size_t>(100, 1), {32, 32, 32, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteLog log;
        std::ostream out(&log);
        BlockWriter writer(out, 32);
        std::string expected;
        char next = 'a';
        for (std::size_t size : c.pieces) {
            const std::string piece(size, next);
            next = next == 'z' ? 'a' : static_cast<char>(next + 1);
            expected += piece;
            if (size == 1)
                writer.Put(piece[0]);
            else
                writer.Put(piece);
        }
        writer.Flush();
        EXPECT_EQ(log.str(), expected);
        EXPECT_EQ(log.writes, c.writes);
    }
}

TEST(BlockWriter, WritesNumbersAsAStreamDoes)
{
    for (long long value : {0LL, 7LL, -1LL, 1234567890123LL, LLONG_MIN, LLONG_MAX}) {
        std::ostringstream out;
        BlockWriter writer(out, 32);
        writer.PutNumber(value);
        writer.Put('|');
        writer.Flush();
        std::ostringstream expected;
        expected << value << '|';
        EXPECT_EQ(out.str(), expected.str());
    }
}

} // namespace
} // namespace varnel
