#include "highlight_output.h"

#include "block_writer.h"
#include "streamed_styling.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace varnel {

namespace {

// Calls f(text, style) for each piece of the line its runs cover; a run lasts to the
// next one's start, and starts no earlier than the run before it, so no byte is covered
// twice. Bytes before the first run are default text.
template <typename F>
void ForEachSpan(std::string_view line, RunView runs, F&& f)
{
    const int length = static_cast<int>(line.size());
    int start = runs.empty() ? length : std::clamp(runs.front().start, 0, length);
    if (start > 0)
        f(line.substr(0, static_cast<std::size_t>(start)), 0);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const int end = i + 1 < runs.size() ? std::clamp(runs[i + 1].start, start, length) : length;
        if (end > start)
            f(line.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)), runs[i].style);
        start = end;
    }
}

const StyleAttributes* AttributesOf(const StyleTable& styles, int style)
{
    if (style < 1 || style > styles.Count() || !styles.At(style).attributes)
        return nullptr;
    return &*styles.At(style).attributes;
}

std::string HexColour(const StyleAttributes& attributes)
{
    char colour[8];
    std::snprintf(colour, sizeof colour, "#%02x%02x%02x", attributes.red & 0xff, attributes.green & 0xff, attributes.blue & 0xff);
    return colour;
}

// What HTML text needs escaped, and how.
const char* HtmlEscape(char c)
{
    switch (c) {
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '&': return "&amp;";
    case '"': return "&quot;";
    default: return nullptr;
    }
}

template <typename Out>
void PutHtmlText(Out& out, std::string_view text)
{
    std::size_t plain = 0; // the start of the characters that need no escape
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // Most bytes are plain: one comparison passes letters, digits and most punctuation.
        if (c > '>' || (c < '"' && c >= 0))
            continue;
        if (const char* escaped = HtmlEscape(c)) {
            out.Put(text.substr(plain, i - plain));
            out.Put(escaped);
            plain = i + 1;
        }
    }
    out.Put(text.substr(plain));
}

// Gathers text into a string, for what is made once before the lines are written.
struct StringOut {
    std::string text;
    void Put(std::string_view piece) { text += piece; }
};

// Writes styled lines in one of the forms, whether they come from a document or from a
// streamed pass.
class HighlightWriter final : public StreamedLineSink {
public:
    HighlightWriter(std::ostream& out, const StyleTable& styles, HighlightFormat format)
        : out_(out, kHighlightBlockSize), styles_(styles), format_(format)
    {
        // What opens each style's text, made once; nothing for plain text.
        opening_.resize(static_cast<std::size_t>(styles.Count()) + 1);
        for (int style = 1; style <= styles.Count(); ++style) {
            const StyleAttributes* a = AttributesOf(styles, style);
            if (a == nullptr)
                continue;
            std::string& opening = opening_[static_cast<std::size_t>(style)];
            if (format == HighlightFormat::Ansi) {
                opening = "\x1b[38;2;" + std::to_string(a->red) + ';' + std::to_string(a->green) + ';' +
                          std::to_string(a->blue) + 'm';
            } else if (format == HighlightFormat::Html) {
                StringOut title;
                PutHtmlText(title, styles.At(style).name);
                opening = "<span title=\"" + title.text + "\" style=\"color:" + HexColour(*a) + "\">";
            }
        }
    }

    void Begin(const std::string& title)
    {
        if (format_ != HighlightFormat::Html)
            return;
        out_.Put("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>");
        PutHtmlText(out_, title);
        out_.Put("</title>\n<style>pre { font-family: Monaco, Menlo, Consolas, monospace; }</style>\n"
                 "</head>\n<body>\n<pre>");
    }

    void End()
    {
        if (format_ == HighlightFormat::Html)
            out_.Put("</pre>\n</body>\n</html>\n");
        out_.Flush();
    }

    void StyledLine(const ReadLine& line, short endState, RunView runs) override
    {
        Write(line.number, line.content, line.end, endState, line.Counted(), runs);
    }

    // One line: its number from 0, its text without the line end, its state, and
    // whether an editor counts it (the empty line after a final line end is not written
    // where every line gets a line of output).
    void Write(long long line, std::string_view content, LineEnd end, short endState, bool counted, RunView runs)
    {
        switch (format_) {
        case HighlightFormat::Ansi: Ansi(content, end, runs); break;
        case HighlightFormat::Html: Html(content, end, runs); break;
        case HighlightFormat::Runs:
            if (counted)
                Runs(line, endState, runs);
            break;
        case HighlightFormat::Styled:
            if (counted)
                Styled(content, endState, runs);
            break;
        case HighlightFormat::Plain:
            out_.Put(content);
            out_.Put(LineEndBytes(end));
            break;
        }
    }

private:
    // The opening of a style's text; empty for plain text and unknown styles.
    const std::string& Opening(int style) const
    {
        static const std::string none;
        return style >= 1 && style <= styles_.Count() ? opening_[static_cast<std::size_t>(style)] : none;
    }

    void Ansi(std::string_view content, LineEnd end, RunView runs)
    {
        ForEachSpan(content, runs, [this](std::string_view text, int style) {
            const std::string& colour = Opening(style);
            if (colour.empty()) {
                out_.Put(text);
                return;
            }
            out_.Put(colour);
            out_.Put(text);
            out_.Put("\x1b[0m");
        });
        out_.Put(LineEndBytes(end));
    }

    void Html(std::string_view content, LineEnd end, RunView runs)
    {
        ForEachSpan(content, runs, [this](std::string_view text, int style) {
            const std::string& opening = Opening(style);
            out_.Put(opening);
            PutHtmlText(out_, text);
            if (!opening.empty())
                out_.Put("</span>");
        });
        if (end != LineEnd::None)
            out_.Put('\n');
    }

    void Runs(long long line, short endState, RunView runs)
    {
        out_.PutNumber(line + 1);
        out_.Put(" [");
        out_.PutNumber(endState);
        out_.Put(']');
        for (const StyleRun& run : runs) {
            out_.Put(' ');
            out_.PutNumber(run.start);
            out_.Put(':');
            out_.Put(run.style >= 1 && run.style <= styles_.Count() ? std::string_view(styles_.At(run.style).name)
                                                                   : std::string_view("default"));
        }
        out_.Put('\n');
    }

    void Styled(std::string_view content, short endState, RunView runs)
    {
        out_.Put('[');
        out_.PutNumber(endState);
        out_.Put("] ");
        ForEachSpan(content, runs, [this](std::string_view text, int style) {
            out_.Put('{');
            out_.PutNumber(style);
            out_.Put('}');
            out_.Put(text);
        });
        out_.Put('\n');
    }

    BlockWriter out_;
    const StyleTable& styles_;
    HighlightFormat format_;
    std::vector<std::string> opening_;
};

// Hands a document's lines to the writer as its styling pass styles them.
class DocumentLines final : public StyledLineSink {
public:
    DocumentLines(const Document& document, HighlightWriter& writer)
        : document_(document), writer_(writer), countedLines_(document.TextLineCount()) {}

    void StyledLine(int line, RunView runs) override
    {
        writer_.Write(line, document_.LineContent(line), document_.EndOf(line), document_.EndState(line),
                      line < countedLines_, runs);
    }

private:
    const Document& document_;
    HighlightWriter& writer_;
    int countedLines_;
};

} // namespace

void StyleAndWrite(std::ostream& out, Document& document, const Styler& styler, const StyleTable& styles,
                   HighlightFormat format, const std::string& title)
{
    HighlightWriter writer(out, styles, format);
    writer.Begin(title);
    DocumentLines lines(document, writer);
    document.StyleAll(styler, lines);
    writer.End();
}

bool StreamAndWrite(std::ostream& out, LineReader& reader, const Styler& styler, const StyleTable& styles,
                    HighlightFormat format, const std::string& title, std::vector<std::string>* refusals)
{
    HighlightWriter writer(out, styles, format);
    writer.Begin(title);
    const bool read = StyleStream(reader, styler, writer, refusals);
    writer.End();
    return read;
}

} // namespace varnel
