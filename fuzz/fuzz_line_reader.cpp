// Reads an arbitrary text line by line through pieces of every size, and checks each line
// against a Document of the same bytes: the same content, line end, file offset and
// buffer line, and no line more or less.
//
// Input: the first byte chooses the piece size (1 to 64 bytes), the second how many
// bytes the source hands out a read (1 to 16, or all it is asked for); the rest is the text.
#include "document.h"
#include "line_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::size_t piece = data[0] % 64 + 1;
    const std::size_t chunk = data[1] % 17 == 0 ? static_cast<std::size_t>(-1) : data[1] % 17;
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    const varnel::Document document(text);

    varnel::MemorySource source(text, chunk);
    varnel::LineReader reader(source, piece);
    varnel::ReadLine line;
    int count = 0;
    while (reader.Next(&line)) {
        if (count >= document.LineCount() || line.number != count ||
            line.offset != document.FileOffset(document.LineStart(count)) ||
            line.content != document.LineContent(count) || line.end != document.EndOf(count) ||
            line.BufferLine() != document.Line(count) || line.Counted() != (count < document.TextLineCount()))
            std::abort();
        ++count;
    }
    if (reader.Failed() || count != document.LineCount() || reader.Next(&line))
        std::abort();
    // The buffer grows only as far as the longest line needs.
    std::size_t longest = 0;
    for (int i = 0; i < document.LineCount(); ++i)
        longest = std::max(longest, document.Line(i).size() + 1);
    if (reader.LargestBufferSize() > 2 * std::max(longest, piece) + 2 * piece)
        std::abort();
    return 0;
}
