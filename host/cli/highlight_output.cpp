#include "highlight_output.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace varnel {

namespace {

struct Span {
    std::string_view text;
    int style;
};

// Cuts a line into the pieces its runs cover; a run lasts to the next one's start, and
// starts no earlier than the run before it, so no byte is covered twice.
const std::vector<Span>& Spans(std::string_view line, const std::vector<StyleRun>& runs)
{
    static thread_local std::vector<Span> spans; // reused from line to line
    spans.clear();
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
    std::size_t plain = 0; // the start of the characters that need no escape
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* escaped = nullptr;
        switch (text[i]) {
        case '<': escaped = "&lt;"; break;
        case '>': escaped = "&gt;"; break;
        case '&': escaped = "&amp;"; break;
        case '"': escaped = "&quot;"; break;
        default: continue;
        }
        out << text.substr(plain, i - plain) << escaped;
        plain = i + 1;
    }
    out << text.substr(plain);
}

void WriteAnsi(std::ostream& out, const Document& document, const StyleTable& styles)
{
    // The escape that starts each style's colour, made once; none for plain text.
    std::vector<std::string> colours(static_cast<std::size_t>(styles.Count()) + 1);
    for (int style = 1; style <= styles.Count(); ++style) {
        if (const StyleAttributes* a = AttributesOf(styles, style))
            colours[static_cast<std::size_t>(style)] = "\x1b[38;2;" + std::to_string(a->red) + ';' +
                                                       std::to_string(a->green) + ';' + std::to_string(a->blue) + 'm';
    }
    for (int line = 0; line < document.LineCount(); ++line) {
        for (const Span& span : Spans(document.LineContent(line), document.Runs(line))) {
            const std::string* colour = span.style >= 1 && span.style <= styles.Count()
                                            ? &colours[static_cast<std::size_t>(span.style)]
                                            : nullptr;
            if (colour != nullptr && !colour->empty())
                out << *colour << span.text << "\x1b[0m";
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
