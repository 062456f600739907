// The markup plug-ins over generated pages of several sizes, through the real loader,
// proxy and document: styling a page with scripts and PHP line by line, its function
// scan, and Balance and selection comments near its end (the context finder reads the
// whole page up to there). The time per byte should not grow with the size.
#include "bench_modules.h"
#include "host_proxy.h"
#include "keyword_matcher.h"
#include "language.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace varnel;

constexpr int kMegabyte = 1 << 20;

// An HTML page of about `bytes` bytes: markup with attributes, entities and comments,
// a script, and a PHP block in each section, then a closing script at its end. The
// links go to a few pages only: the host's include list keeps each target once and
// looks through the whole list for every new one.
std::string HtmlPage(int bytes)
{
    std::string text = "<!DOCTYPE html>\n<html>\n<head><title>Generated &amp; long</title></head>\n<body>\n";
    for (int i = 0; static_cast<int>(text.size()) < bytes; ++i) {
        const std::string n = std::to_string(i);
        text += "<h2><a name=\"s" + n + "\">Section " + n + "</a></h2>\n";
        text += "<p class=\"body\" id='p" + n + "'>Text of section " + n +
                " with <b>bold</b> words &lt;and&gt; a <a href=\"page" + std::to_string(i % 8) + ".html#top\">link</a>.</p>\n";
        text += "<!-- a comment about section " + n + " -->\n";
        text += "<script type=\"text/javascript\">\n";
        text += "function handler" + n + "(event) { var s = 'clicked ' + event.target; /* note */ return s; }\n";
        text += "document.write(\"<p>\" + handler" + n + "(null) + \"</p>\"); // inline\n";
        text += "</script>\n";
        text += "<?php function render" + n + "($items) { $sum = count($items); echo \"n=$sum\"; } # tail ?>\n";
    }
    text += "<script>\nfunction last(a) { return f(a, [1, 2], {k: 3}); }\n</script>\n</body>\n</html>\n";
    return text;
}

struct Loaded {
    const LanguagePlugin& plugin;
    KeywordMatcher keywords;
    explicit Loaded(const char* language) : plugin(bench::Plugin(language)), keywords(plugin.defaultKeywords) {}
};

void StyleHtml(benchmark::State& state)
{
    const std::string text = HtmlPage(static_cast<int>(state.range(0)));
    const Language language = PrepareLanguage(bench::Plugin("HTML"), "");
    const Styler styler = language.MakeStyler();
    Document document(text);
    for (auto _ : state) {
        document.StyleAll(styler);
        benchmark::DoNotOptimize(document.EndState(document.LineCount() - 1));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.SetComplexityN(static_cast<std::int64_t>(text.size()));
}
BENCHMARK(StyleHtml)->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void ScanHtml(benchmark::State& state)
{
    const Loaded loaded("HTML");
    std::string text = HtmlPage(static_cast<int>(state.range(0)));
    std::size_t entries = 0;
    for (auto _ : state) {
        HostProxy proxy(text, loaded.keywords, 0, ProxyPurpose::FunctionScan);
        loaded.plugin.scanForFunctions(proxy);
        entries = proxy.Functions().size() + proxy.Includes().size();
        benchmark::DoNotOptimize(entries);
    }
    if (entries == 0)
        state.SkipWithError("the scan found nothing");
    state.counters["entries"] = static_cast<double>(entries);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.SetComplexityN(static_cast<std::int64_t>(text.size()));
}
BENCHMARK(ScanHtml)->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// A caret at `anchor` from the page's end: inside the last script (brackets from the
// script's start) or in the last markup text (tags).
void BalanceHtml(benchmark::State& state, const char* anchor)
{
    const Loaded loaded("HTML");
    std::string text = HtmlPage(static_cast<int>(state.range(0)));
    const int caret = static_cast<int>(text.rfind(anchor));
    bool found = false;
    for (auto _ : state) {
        HostProxy proxy(text, loaded.keywords, 0, ProxyPurpose::Editing);
        int start = caret;
        int end = caret;
        found = loaded.plugin.balance(proxy, &start, &end);
        benchmark::DoNotOptimize(start);
    }
    if (!found)
        state.SkipWithError("no pair around the caret");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.SetComplexityN(static_cast<std::int64_t>(text.size()));
}
BENCHMARK_CAPTURE(BalanceHtml, InScript, "2], {")
    ->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BalanceHtml, InMarkup, "body>\n</html>")
    ->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// Commenting the last script's line out and back in, on a copy of the page each time.
void CommentHtmlSelection(benchmark::State& state)
{
    const Loaded loaded("HTML");
    const std::string page = HtmlPage(static_cast<int>(state.range(0)));
    const int start = static_cast<int>(page.rfind("function last"));
    const int end = static_cast<int>(page.find('\n', static_cast<std::size_t>(start)));
    for (auto _ : state) {
        std::string text = page;
        HostProxy proxy(text, loaded.keywords, 0, ProxyPurpose::Editing);
        loaded.plugin.commentSelection(proxy, start, end);
        loaded.plugin.uncommentSelection(proxy, start, end + 2);
        if (text != page)
            state.SkipWithError("the round trip changed the page");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(page.size()));
    state.SetComplexityN(static_cast<std::int64_t>(page.size()));
}
BENCHMARK(CommentHtmlSelection)->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// An XML document with user tag sets, styled line by line.
void StyleXml(benchmark::State& state)
{
    std::string text = "<?xml version=\"1.0\"?>\n<catalog>\n";
    for (int i = 0; static_cast<int>(text.size()) < state.range(0); ++i) {
        const std::string n = std::to_string(i);
        text += "  <book id=\"b" + n + "\" lang='en'><title>Title " + n + " &amp; more</title>\n";
        text += "    <note>A note that runs\n      over two lines</note> <!-- c" + n + " --></book>\n";
    }
    text += "</catalog>\n";
    Language language = PrepareLanguage(bench::Plugin("XML"), "");
    language.matcher = KeywordMatcher("catalog\n- User set 1:\nid\n- User set 2:\ntitle\n- User set 3:\nnote\n");
    const Styler styler = language.MakeStyler();
    Document document(text);
    for (auto _ : state) {
        document.StyleAll(styler);
        benchmark::DoNotOptimize(document.EndState(document.LineCount() - 1));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(StyleXml)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond);

} // namespace
