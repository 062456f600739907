#include "highlight_output.h"

#include <algorithm>
#include <cstdio>

namespace varnel {

namespace {

struct Span {
    std::string_view text;
    int style;
};

// Cuts a line into the pieces its runs cover; a run lasts to the next one's start, and
// starts no earlier than the run before it, so no byte is covered twice.
std::vector<Span> Spans(std::string_view line, const std::vector<StyleRun>& runs)
{
    std::vector<Span> spans;
    const int length = static_cast<int>(line.size());
    int start = runs.empty() ? length : std::clamp(runs.front().start, 0, length);
    if (start > 0)
        spans.push_back({line.substr(0, static_cast<std::size_t>(start)), 0});
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const int end = i + 1 < runs.size() ? std::clamp(runs[i + 1].start, start, length) : length;
        if (end > start)
            spans.push_back({line.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)), runs[i].style});
        start = end;
    }
    return spans;
}

// The lines worth writing: the empty line after a final line end holds no text.
int WrittenLines(const Document& document)
{
    return document.TextLineCount();
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

void WriteHtmlText(std::ostream& out, std::string_view text)
{
    for (char c : text) {
        switch (c) {
        case '<': out << "&lt;"; break;
        case '>': out << "&gt;"; break;
        case '&': out << "&amp;"; break;
        case '"': out << "&quot;"; break;
        default: out << c;
        }
    }
}

void WriteAnsi(std::ostream& out, const Document& document, const StyleTable& styles)
{
    for (int line = 0; line < document.LineCount(); ++line) {
        for (const Span& span : Spans(document.LineContent(line), document.Runs(line))) {
            if (const StyleAttributes* attributes = AttributesOf(styles, span.style))
                out << "\x1b[38;2;" << attributes->red << ';' << attributes->green << ';' << attributes->blue << 'm' << span.text << "\x1b[0m";
            else
                out << span.text;
        }
        out << LineEndBytes(document.EndOf(line));
    }
}

void WriteStyled(std::ostream& out, const Document& document)
{
    for (int line = 0; line < WrittenLines(document); ++line) {
        out << '[' << document.EndState(line) << "] ";
        for (const Span& span : Spans(document.LineContent(line), document.Runs(line)))
            out << '{' << span.style << '}' << span.text;
        out << '\n';
    }
}

void WriteHtml(std::ostream& out, const Document& document, const StyleTable& styles, const std::string& title)
{
    out << "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
    WriteHtmlText(out, title);
    out << "</title>\n<style>pre { font-family: Monaco, Menlo, Consolas, monospace; }</style>\n"
           "</head>\n<body>\n<pre>";
    for (int line = 0; line < document.LineCount(); ++line) {
        std::string_view text = document.LineContent(line);
        for (const Span& span : Spans(text, document.Runs(line))) {
            const StyleAttributes* attributes = AttributesOf(styles, span.style);
            if (attributes != nullptr) {
                out << "<span title=\"";
                WriteHtmlText(out, styles.At(span.style).name);
                out << "\" style=\"color:" << HexColour(*attributes) << "\">";
            }
            WriteHtmlText(out, span.text);
            if (attributes != nullptr)
                out << "</span>";
        }
        if (document.EndOf(line) != LineEnd::None)
            out << '\n';
    }
    out << "</pre>\n</body>\n</html>\n";
}

void WriteRuns(std::ostream& out, const Document& document, const StyleTable& styles)
{
    for (int line = 0; line < WrittenLines(document); ++line) {
        out << line + 1 << " [" << document.EndState(line) << "]";
        for (const StyleRun& run : document.Runs(line)) {
            out << ' ' << run.start << ':';
            if (run.style >= 1 && run.style <= styles.Count())
                out << styles.At(run.style).name;
            else
                out << "default";
        }
        out << '\n';
    }
}

} // namespace

void WriteHighlighted(std::ostream& out, const Document& document, const StyleTable& styles,
                      HighlightFormat format, const std::string& title)
{
    switch (format) {
    case HighlightFormat::Ansi: WriteAnsi(out, document, styles); break;
    case HighlightFormat::Html: WriteHtml(out, document, styles, title); break;
    case HighlightFormat::Runs: WriteRuns(out, document, styles); break;
    case HighlightFormat::Styled: WriteStyled(out, document); break;
    case HighlightFormat::Plain: out << document.FileText(); break;
    }
}

} // namespace varnel
