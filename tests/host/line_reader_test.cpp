// Reading a text line by line through a buffer of fixed size, and styling it as it is
// read. A Document of the same bytes is the measure: the reader must split every text
// into the same lines with the same line ends and file offsets, and the streamed pass
// must give the same states and runs, wherever the piece boundaries fall.
#include "document.h"
#include "file_system.h"
#include "line_reader.h"
#include "streamed_styling.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace varnel {
namespace {

struct Line {
    long long number;
    long long offset;
    std::string content;
    LineEnd end;
    std::string bufferLine;
    bool counted;

    bool operator==(const Line& other) const
    {
        return number == other.number && offset == other.offset && content == other.content && end == other.end &&
               bufferLine == other.bufferLine && counted == other.counted;
    }
};

void PrintTo(const Line& line, std::ostream* out)
{
    *out << "{#" << line.number << " @" << line.offset << " " << testing::PrintToString(line.content) << " end "
         << static_cast<int>(line.end) << (line.counted ? "" : " uncounted") << "}";
}

// The lines as a Document has them.
std::vector<Line> DocumentLines(const std::string& text)
{
    const Document document(text);
    std::vector<Line> lines;
    for (int line = 0; line < document.LineCount(); ++line) {
        lines.push_back(Line{line, document.FileOffset(document.LineStart(line)), std::string(document.LineContent(line)),
                             document.EndOf(line), std::string(document.Line(line)), line < document.TextLineCount()});
    }
    return lines;
}

std::vector<Line> ReadAll(LineReader& reader)
{
    std::vector<Line> lines;
    ReadLine line;
    while (reader.Next(&line)) {
        lines.push_back(Line{line.number, line.offset, std::string(line.content), line.end,
                             std::string(line.BufferLine()), line.Counted()});
    }
    return lines;
}

std::vector<Line> ReadAll(const std::string& text, std::size_t pieceSize, std::size_t chunk = static_cast<std::size_t>(-1))
{
    MemorySource source(text, chunk);
    LineReader reader(source, pieceSize);
    std::vector<Line> lines = ReadAll(reader);
    EXPECT_FALSE(reader.Failed());
    ReadLine after;
    EXPECT_FALSE(reader.Next(&after)) << "a line after the last";
    return lines;
}

struct TextCase {
    const char* name;
    std::string text;
};

// Texts whose line ends fall at every place a piece boundary can: the reader is run on
// each with pieces of every size from 1 byte up, and with sources that hand out a few
// bytes a read.
const std::vector<TextCase>& Texts()
{
    static const std::vector<TextCase> texts = {
        {"empty", ""},
        {"one line without a line end", "int x;"},
        {"one line with a line feed", "int x;\n"},
        {"a line feed alone", "\n"},
        {"a carriage return alone", "\r"},
        {"a carriage return and line feed alone", "\r\n"},
        {"line feeds", "ab\ncd\n\nef\n"},
        {"carriage returns and line feeds", "ab\r\ncd\r\n\r\nef\r\n"},
        {"carriage returns", "ab\rcd\r\ref\r"},
        {"mixed, no final line end", "a\r\nb\nc\rd\r\r\ne\n\rf"},
        {"carriage returns before line feeds of the next line", "\r\r\n\n\r\n\r"},
        {"a line longer than any piece", std::string(300, 'x') + "\r\n" + "short\n" + std::string(70, 'y') + "\rz"},
        {"a long line last, without a line end", "a\n" + std::string(200, 'w')},
        {"bytes beyond ASCII", "caf\xc3\xa9\r\n\xff\xfe\rend"},
    };
    return texts;
}

TEST(LineReader, SplitsEveryTextAsADocumentDoes)
{
    for (const TextCase& c : Texts()) {
        SCOPED_TRACE(c.name);
        const std::vector<Line> expected = DocumentLines(c.text);
        for (std::size_t piece = 1; piece <= 12; ++piece)
            EXPECT_EQ(ReadAll(c.text, piece), expected) << "pieces of " << piece;
        for (std::size_t chunk : {1, 2, 3}) {
            EXPECT_EQ(ReadAll(c.text, 5, chunk), expected) << "reads of " << chunk;
            EXPECT_EQ(ReadAll(c.text, LineReader::kPieceSize, chunk), expected) << "reads of " << chunk;
        }
        EXPECT_EQ(ReadAll(c.text, LineReader::kPieceSize), expected);
    }
}

// The cases the piece boundaries make, each where it happens with pieces of 4 bytes.
TEST(LineReader, LineEndsAtPieceBoundaries)
{
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::pair<std::string, LineEnd>> lines;
    };
    const Case cases[] = {
        {"CR LF split across two pieces", "abc\r\ndef", {{"abc", LineEnd::CrLf}, {"def", LineEnd::None}}},
        {"CR at a piece's end, then text", "abc\rdef", {{"abc", LineEnd::Cr}, {"def", LineEnd::None}}},
        {"CR at a piece's end, then LF and CR", "abc\r\n\r", {{"abc", LineEnd::CrLf}, {"", LineEnd::Cr}, {"", LineEnd::None}}},
        {"CR at the input's end", "abc\r", {{"abc", LineEnd::Cr}, {"", LineEnd::None}}},
        {"LF at a piece's end", "abc\nd", {{"abc", LineEnd::Lf}, {"d", LineEnd::None}}},
        {"LF first in a piece", "abcd\ne", {{"abcd", LineEnd::Lf}, {"e", LineEnd::None}}},
        {"no final line end", "ab\ncdefgh", {{"ab", LineEnd::Lf}, {"cdefgh", LineEnd::None}}},
        {"empty input", "", {{"", LineEnd::None}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemorySource source(c.text);
        LineReader reader(source, 4);
        std::vector<std::pair<std::string, LineEnd>> lines;
        ReadLine line;
        while (reader.Next(&line))
            lines.emplace_back(std::string(line.content), line.end);
        EXPECT_EQ(lines, c.lines);
        EXPECT_FALSE(reader.Failed());
    }
}

TEST(LineReader, TheBufferGrowsForALongLineOnlyAndShrinksBack)
{
    std::string text = "first\n" + std::string(1000, 'L') + "\n";
    for (int i = 0; i < 50; ++i)
        text += "short line\n";
    MemorySource source(text);
    LineReader reader(source, 16);
    EXPECT_TRUE(reader.Start());
    EXPECT_EQ(reader.BufferSize(), 16u);
    ReadLine line;
    ASSERT_TRUE(reader.Next(&line));
    ASSERT_TRUE(reader.Next(&line));
    EXPECT_EQ(line.content.size(), 1000u);
    EXPECT_GE(reader.BufferSize(), 1001u);
    EXPECT_LE(reader.BufferSize(), 2048u); // doubled from 16 as often as the line needed
    const std::vector<Line> rest = ReadAll(reader);
    EXPECT_EQ(rest.size(), 51u);
    EXPECT_EQ(reader.BufferSize(), 16u);
    EXPECT_EQ(reader.LargestBufferSize(), 1024u);
}

TEST(LineReader, TheLineBufferHoldsALineFeedAfterEachLine)
{
    // The editor's buffer joins lines with line feeds; the reader puts one in place of
    // each carriage return it ends a line at.
    MemorySource source("a\r\nb\rc\nd");
    LineReader reader(source, 2);
    const std::vector<Line> lines = ReadAll(reader);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].bufferLine, "a\n");
    EXPECT_EQ(lines[1].bufferLine, "b\n");
    EXPECT_EQ(lines[2].bufferLine, "c\n");
    EXPECT_EQ(lines[3].bufferLine, "d");
}

// A source that gives its text and then fails.
class FailingSource final : public ByteSource {
public:
    explicit FailingSource(std::string text) : text_(std::move(text)) {}
    long long Read(char* buffer, std::size_t size) override
    {
        if (text_.empty()) {
            error_ = "Input/output error";
            return -1;
        }
        const std::size_t count = std::min(size, text_.size());
        text_.copy(buffer, count);
        text_.erase(0, count);
        return static_cast<long long>(count);
    }

private:
    std::string text_;
};

TEST(LineReader, AFailedReadEndsTheLinesAndIsKnown)
{
    FailingSource nothing("");
    LineReader first(nothing, 8);
    EXPECT_FALSE(first.Start());
    EXPECT_TRUE(first.Failed());
    ReadLine line;
    EXPECT_FALSE(first.Next(&line));

    FailingSource some("one\ntwo\nthr");
    LineReader later(some, 8);
    EXPECT_TRUE(later.Start());
    const std::vector<Line> lines = ReadAll(later);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].content, "two");
    EXPECT_TRUE(later.Failed());
    EXPECT_EQ(some.Error(), "Input/output error");
}

TEST(LineReader, ReadsStreamsAndFiles)
{
    const std::string text = "one\r\ntwo\rthree\nfour";
    const std::vector<Line> expected = DocumentLines(text);

    std::istringstream in(text);
    StreamSource stream(in);
    LineReader fromStream(stream, 3);
    EXPECT_EQ(ReadAll(fromStream), expected);
    EXPECT_FALSE(fromStream.Failed());

    const std::string path = JoinPath(::testing::TempDir(), "line_reader_test.txt");
    ASSERT_TRUE(WriteFile(path, text));
    std::string error;
    std::unique_ptr<FileSource> file = FileSource::Open(path, &error);
    ASSERT_NE(file, nullptr) << error;
    LineReader fromFile(*file, 3);
    EXPECT_EQ(ReadAll(fromFile), expected);
    EXPECT_FALSE(fromFile.Failed());

    EXPECT_EQ(FileSource::Open(JoinPath(::testing::TempDir(), "no-such-file.txt"), &error), nullptr);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(FileSource::Open(::testing::TempDir(), &error), nullptr);
    EXPECT_EQ(error, "it is a folder");
}

// Stylers with state across lines, and one whose calls the host refuses.
void CommentStyler(VLanguageProxy& proxy, short* state)
{
    bool inComment = *state == 1;
    proxy.SetStyle(0, inComment ? 1 : 0);
    const int length = proxy.TextLength();
    for (int i = 0; i + 1 < length; ++i) {
        const char a = proxy.CharAt(i), b = proxy.CharAt(i + 1);
        if (!inComment && a == '/' && b == '*') {
            proxy.SetStyle(i, 1);
            inComment = true;
            ++i;
        } else if (inComment && a == '*' && b == '/') {
            proxy.SetStyle(i + 2, 0);
            inComment = false;
            ++i;
        }
    }
    *state = inComment ? 1 : 0;
    proxy.InsertText(0, "!", 1); // must not reach the text
}

// Styles the last byte it sees (the line feed, when the line has one) apart, and
// counts the bytes in its state: what the plug-in sees of each line shows.
void LengthStyler(VLanguageProxy& proxy, short* state)
{
    const int length = proxy.TextLength();
    if (length > 0)
        proxy.SetStyle(length - 1, proxy.CharAt(length - 1) == '\n' ? 2 : 1);
    *state = static_cast<short>((*state + length) % 1000);
}

void RefusedStyler(VLanguageProxy& proxy, short* state)
{
    proxy.AddFunction("f", "f", 0, false); // no styling call may list functions
    *state = static_cast<short>(*state + 1);
}

struct Styled {
    short state;
    std::vector<StyleRun> runs;
    bool operator==(const Styled& other) const { return state == other.state && runs == other.runs; }
};

void PrintTo(const Styled& styled, std::ostream* out)
{
    *out << "[" << styled.state << "]";
    for (const StyleRun& run : styled.runs)
        *out << " " << run.start << ":" << run.style;
}

struct StreamRecorder final : StreamedLineSink {
    std::vector<Styled> lines;
    void StyledLine(const ReadLine& line, short endState, RunView runs) override
    {
        EXPECT_EQ(line.number, static_cast<long long>(lines.size())); // in order
        lines.push_back(Styled{endState, runs});
    }
};

struct DocumentRecorder final : StyledLineSink {
    const Document* document = nullptr;
    std::vector<Styled> lines;
    void StyledLine(int line, RunView runs) override { lines.push_back(Styled{document->EndState(line), runs}); }
};

TEST(StyleStream, StylesAsADocumentDoesWhereverThePiecesEnd)
{
    const struct {
        const char* name;
        Styler styler;
    } stylers[] = {
        {"comments", Styler{CommentStyler, nullptr, 1}},
        {"lengths", Styler{LengthStyler, nullptr, 2}},
        {"refused calls", Styler{RefusedStyler, nullptr, 1}},
        {"no styler", Styler{}},
    };
    const std::vector<std::string> texts = {
        "", "a /* b\r\nc\rd */ e\nf", "/*\r\n\r\n*/\r\n", std::string(40, '/') + "*\r\n" + std::string(30, '*') + "/\r",
    };
    for (const auto& s : stylers) {
        for (const std::string& text : texts) {
            SCOPED_TRACE(std::string(s.name) + " on " + testing::PrintToString(text));
            Document document(text);
            DocumentRecorder expected;
            expected.document = &document;
            document.StyleAll(s.styler, expected);
            for (std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{4}, LineReader::kPieceSize}) {
                MemorySource source(text);
                LineReader reader(source, piece);
                StreamRecorder streamed;
                std::vector<std::string> refusals;
                EXPECT_TRUE(StyleStream(reader, s.styler, streamed, &refusals));
                EXPECT_EQ(streamed.lines, expected.lines) << "pieces of " << piece;
                EXPECT_EQ(refusals, document.Refusals()) << "pieces of " << piece;
            }
        }
    }
}

TEST(StyleStream, RefusalsStopAtTheLimit)
{
    std::string text;
    for (std::size_t i = 0; i < Document::kMaxRefusals + 20; ++i)
        text += "x\n";
    MemorySource source(text);
    LineReader reader(source, 8);
    StreamRecorder streamed;
    std::vector<std::string> refusals;
    EXPECT_TRUE(StyleStream(reader, Styler{RefusedStyler, nullptr, 1}, streamed, &refusals));
    EXPECT_EQ(refusals.size(), Document::kMaxRefusals);
    EXPECT_EQ(refusals.front().rfind("line 1: AddFunction", 0), 0u) << refusals.front();
}

TEST(StyleStream, AFailedReadIsTheAnswer)
{
    FailingSource source("a\nb\nc");
    LineReader reader(source, 2);
    StreamRecorder streamed;
    std::vector<std::string> refusals;
    EXPECT_FALSE(StyleStream(reader, Styler{CommentStyler, nullptr, 1}, streamed, &refusals));
    EXPECT_EQ(streamed.lines.size(), 2u);
}

} // namespace
} // namespace varnel
