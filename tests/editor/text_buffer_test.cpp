#include "text_buffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace varnel::editor {
namespace {

// The buffer's text and line ends worked out the plain way, for comparison.
struct Model {
    std::string text;          // lines joined by line feeds
    std::vector<LineEnd> ends; // one per line feed

    std::string FileText() const
    {
        std::string file;
        std::size_t feed = 0;
        for (char c : text) {
            if (c == '\n')
                file += LineEndBytes(ends[feed++]);
            else
                file += c;
        }
        return file;
    }
    std::size_t FeedsBefore(std::size_t offset) const
    {
        return static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
    }
};

std::string Everything(const TextBuffer& buffer)
{
    return buffer.Copy(0, buffer.Length());
}

TEST(TextBuffer, FileBytesRoundTripWithEveryLineEnd)
{
    const struct {
        const char* file;
        int lines;
        const char* buffer;
    } cases[] = {
        {"", 1, ""},
        {"a", 1, "a"},
        {"a\n", 2, "a\n"},
        {"a\r\nb\rc\nd", 4, "a\nb\nc\nd"},
        {"\r\r\n\n\r", 5, "\n\n\n\n"},
        {"x\r", 2, "x\n"},
    };
    for (const auto& c : cases) {
        const TextBuffer buffer{std::string(c.file)};
        EXPECT_EQ(Everything(buffer), c.buffer) << c.file;
        EXPECT_EQ(buffer.LineCount(), c.lines) << c.file;
        EXPECT_EQ(buffer.FileText(), c.file);
        EXPECT_EQ(buffer.FileSize(), std::string(c.file).size());
    }
    // NUL bytes and bytes that are no UTF-8 come back unchanged.
    const std::string binary("a\0b\r\n\xC3\xA9\xFF\r\n\0", 11);
    const TextBuffer buffer{binary};
    EXPECT_EQ(buffer.FileText(), binary);
    EXPECT_EQ(buffer.LineCount(), 3);
}

// A file read straight into place behind room for typing is the same text, and edits at
// its top and its end work on it as on any other.
TEST(TextBuffer, FileReadInPlaceBehindRoomForTyping)
{
    const std::string files[] = {"a\r\nbb\rccc\nd", "one line", "\r\n\r\n", "", "x\n"};
    for (const std::string& file : files) {
        for (std::size_t room : {std::size_t{1}, std::size_t{4096}}) {
            TextBuffer plain{file};
            TextBuffer placed{std::string(room, '#') + file, room};
            ASSERT_EQ(Everything(placed), Everything(plain)) << file;
            ASSERT_EQ(placed.FileText(), file);
            for (TextBuffer* buffer : {&plain, &placed}) {
                buffer->Insert(0, "top\n", {}, LineEnd::CrLf);
                buffer->Insert(buffer->Length(), "\nend", {}, LineEnd::Cr);
                buffer->Delete(1, 2);
            }
            EXPECT_EQ(placed.FileText(), plain.FileText()) << file;
            ASSERT_EQ(placed.LineCount(), plain.LineCount());
            for (int line = 0; line < plain.LineCount(); ++line)
                EXPECT_EQ(placed.LineStart(line), plain.LineStart(line)) << file << " line " << line;
        }
    }
}

TEST(TextBuffer, EditsKeepEachLinesOwnEnd)
{
    struct Op {
        bool insert;
        int offset;
        std::string bytes; // inserted; its line feeds take `end`
        int length;        // deleted
    };
    const struct {
        const char* name;
        std::string file;
        std::vector<Op> ops;
        LineEnd end;
        std::string expected;
    } cases[] = {
        {"typing before a CR LF", "ab\r\ncd\r\n", {{true, 2, "X", 0}}, LineEnd::CrLf, "abX\r\ncd\r\n"},
        {"a line feed typed in a CR LF file", "ab\r\ncd", {{true, 1, "\n", 0}}, LineEnd::CrLf, "a\r\nb\r\ncd"},
        {"the last line keeps having no end", "ab\ncd", {{true, 5, "\n", 0}}, LineEnd::Lf, "ab\ncd\n"},
        {"joining lines keeps the later end", "a\r\nb\rc", {{false, 1, "", 1}}, LineEnd::Lf, "ab\rc"},
        {"deleting across two ends", "a\r\nb\rc\nd", {{false, 1, "", 4}}, LineEnd::Lf, "a\nd"},
        {"split then join", "one\rtwo\r", {{true, 3, "\n\n", 0}, {false, 3, "", 2}}, LineEnd::Lf, "one\rtwo\r"},
        {"a multi-byte character removed whole", "\xC3\xA9x\r\n", {{false, 0, "", 2}}, LineEnd::Lf, "x\r\n"},
        {"bytes that are no UTF-8 kept", "\xFF\xFE", {{true, 1, "\xC3", 0}}, LineEnd::Lf, "\xFF\xC3\xFE"},
        {"insert at the very end", "", {{true, 0, "a\nb", 0}}, LineEnd::Cr, "a\rb"},
    };
    for (const auto& c : cases) {
        TextBuffer buffer{c.file};
        for (const Op& op : c.ops) {
            if (op.insert)
                buffer.Insert(op.offset, op.bytes, {}, c.end);
            else
                buffer.Delete(op.offset, op.length);
        }
        EXPECT_EQ(buffer.FileText(), c.expected) << c.name;
    }
}

TEST(TextBuffer, MostCommonEndAndOffsetMapping)
{
    const TextBuffer mixed{std::string("a\r\nb\r\nc\nd")};
    EXPECT_EQ(mixed.MostCommonEnd(LineEnd::Lf), LineEnd::CrLf);
    EXPECT_EQ(TextBuffer{std::string("abc")}.MostCommonEnd(LineEnd::Cr), LineEnd::Cr);
    EXPECT_EQ(TextBuffer{std::string("a\rb\rc\r\n")}.MostCommonEnd(LineEnd::Lf), LineEnd::Cr);
    // Buffer "a\nb\nc\nd": file "a\r\nb\r\nc\nd".
    const struct {
        int buffer;
        int file;
    } pairs[] = {{0, 0}, {1, 1}, {2, 3}, {4, 6}, {6, 8}, {7, 9}};
    for (const auto& p : pairs) {
        EXPECT_EQ(mixed.FileOffset(p.buffer), p.file) << p.buffer;
        EXPECT_EQ(mixed.BufferOffset(static_cast<std::size_t>(p.file)), p.buffer) << p.file;
    }
    // Inside a two-byte line end: its line feed.
    EXPECT_EQ(mixed.BufferOffset(2), 1);
}

TEST(TextBuffer, RandomEditsAgreeWithAPlainModel)
{
    std::mt19937 random(20261208);
    const char alphabet[] = {'a', 'b', '\n', ' ', '\xC3', '\xA9', '\0'};
    const LineEnd kinds[] = {LineEnd::Lf, LineEnd::CrLf, LineEnd::Cr};
    for (int round = 0; round < 40; ++round) {
        TextBuffer buffer;
        Model model;
        for (int step = 0; step < 300; ++step) {
            const int length = buffer.Length();
            const int offset = std::uniform_int_distribution<int>(0, length)(random);
            if (random() % 3 != 0 || offset == length) {
                std::string bytes;
                const int count = std::uniform_int_distribution<int>(1, random() % 10 == 0 ? 200 : 6)(random);
                for (int i = 0; i < count; ++i)
                    bytes += alphabet[random() % sizeof alphabet];
                std::vector<LineEnd> ends;
                for (char c : bytes) {
                    if (c == '\n')
                        ends.push_back(kinds[random() % 3]);
                }
                buffer.Insert(offset, bytes, ends, LineEnd::Lf);
                model.ends.insert(model.ends.begin() + static_cast<std::ptrdiff_t>(model.FeedsBefore(static_cast<std::size_t>(offset))),
                                  ends.begin(), ends.end());
                model.text.insert(static_cast<std::size_t>(offset), bytes);
            } else {
                const int count = std::uniform_int_distribution<int>(1, std::min(length - offset, 30))(random);
                const std::size_t first = model.FeedsBefore(static_cast<std::size_t>(offset));
                const std::size_t last = model.FeedsBefore(static_cast<std::size_t>(offset + count));
                std::vector<LineEnd> removed;
                buffer.Delete(offset, count, &removed);
                EXPECT_EQ(removed, std::vector<LineEnd>(model.ends.begin() + static_cast<std::ptrdiff_t>(first),
                                                         model.ends.begin() + static_cast<std::ptrdiff_t>(last)));
                model.ends.erase(model.ends.begin() + static_cast<std::ptrdiff_t>(first),
                                 model.ends.begin() + static_cast<std::ptrdiff_t>(last));
                model.text.erase(static_cast<std::size_t>(offset), static_cast<std::size_t>(count));
            }
            ASSERT_EQ(Everything(buffer), model.text) << "round " << round << " step " << step;
            ASSERT_EQ(buffer.LineCount(), static_cast<int>(model.ends.size()) + 1);
            // Styling marks come and go with lines; the count of unmarked ones follows.
            if (random() % 4 == 0)
                buffer.SetEndState(static_cast<int>(random() % static_cast<unsigned>(buffer.LineCount())), 1);
            std::size_t unstyled = 0;
            for (int line = 0; line < buffer.LineCount(); ++line)
                unstyled += buffer.Styled(line) ? 0 : 1;
            ASSERT_EQ(buffer.UnstyledLines(), unstyled);
        }
        EXPECT_EQ(buffer.FileText(), model.FileText());
        // Every line starts after a line feed, and every offset lies in the line it should.
        int line = 0;
        for (int offset = 0; offset <= buffer.Length(); ++offset) {
            if (offset > 0 && model.text[static_cast<std::size_t>(offset - 1)] == '\n') {
                ++line;
                ASSERT_EQ(buffer.LineStart(line), offset);
            }
            ASSERT_EQ(buffer.LineOf(offset), line) << offset;
        }
        std::string scratch;
        for (int i = 0; i < buffer.LineCount(); ++i)
            EXPECT_EQ(buffer.LineContent(i, &scratch).find('\n'), std::string_view::npos);
    }
}

} // namespace
} // namespace varnel::editor
