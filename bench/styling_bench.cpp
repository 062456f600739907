// Colouring whole generated files line by line, as the editor does when it opens them:
// every line through the host's proxy, each with the state of the line before. Files
// of 1 and 4 MiB: the time per byte should not grow with the size. HighlightFile also
// writes the coloured lines of a document into a stream that drops them; HighlightStream
// does what "varnel highlight --ansi" does: reads the text in pieces, colours and writes
// each line, and keeps none.
#include "bench_modules.h"
#include "highlight_output.h"
#include "language.h"
#include "line_reader.h"
#include "styled_texts.h"

#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

using namespace varnel;
using namespace varnel::bench;

constexpr int kMegabyte = 1 << 20;

void StyleFile(benchmark::State& state, const char* languageName, const std::vector<const char*>& lines)
{
    const std::string text = Repeat(lines, static_cast<std::size_t>(state.range(0)));
    const Language language = PrepareLanguage(bench::Plugin(languageName), "");
    const Styler styler = language.MakeStyler();
    Document document(text);
    for (auto _ : state) {
        document.StyleAll(styler);
        benchmark::DoNotOptimize(document.EndState(document.LineCount() - 1));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    state.SetComplexityN(static_cast<std::int64_t>(text.size()));
}
#define VARNEL_STYLE_FILE(name, language, lines)                                                       \
    BENCHMARK_CAPTURE(StyleFile, name, language, lines)                                                \
        ->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN)
VARNEL_STYLE_FILE(Shell, "Shell", kShellLines);
VARNEL_STYLE_FILE(Java, "Java", kJavaLines);
VARNEL_STYLE_FILE(ActionScript, "ActionScript", kActionScriptLines);
VARNEL_STYLE_FILE(Python, "Python", kPythonLines);
VARNEL_STYLE_FILE(Pascal, "Pascal", kPascalLines);
VARNEL_STYLE_FILE(Rez, "Rez", kRezLines);
VARNEL_STYLE_FILE(Oberon, "Oberon-2", kOberonLines);
VARNEL_STYLE_FILE(TeX, "TeX", kTexLines);
// The Java styler on the same text, for comparison per byte.
VARNEL_STYLE_FILE(JavaOnOberon, "Java", kOberonLines);
VARNEL_STYLE_FILE(JavaOnTex, "Java", kTexLines);

// A stream that drops what it is given.
class NullBuffer : public std::streambuf {
protected:
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
};

void HighlightFile(benchmark::State& state, const char* languageName, const std::vector<const char*>& lines)
{
    const std::string text = Repeat(lines, static_cast<std::size_t>(state.range(0)));
    const Language language = PrepareLanguage(bench::Plugin(languageName), "");
    NullBuffer dropped;
    std::ostream out(&dropped);
    for (auto _ : state) {
        state.PauseTiming();
        Document document(text);
        state.ResumeTiming();
        StyleAndWrite(out, document, language.MakeStyler(), language.styles, HighlightFormat::Ansi, "bench");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    state.SetComplexityN(static_cast<std::int64_t>(text.size()));
}
void HighlightStream(benchmark::State& state, const char* languageName, const std::vector<const char*>& lines)
{
    const std::string text = Repeat(lines, static_cast<std::size_t>(state.range(0)));
    const Language language = PrepareLanguage(bench::Plugin(languageName), "");
    NullBuffer dropped;
    std::ostream out(&dropped);
    std::vector<std::string> refusals;
    for (auto _ : state) {
        MemorySource source(text);
        LineReader reader(source);
        StreamAndWrite(out, reader, language.MakeStyler(), language.styles, HighlightFormat::Ansi, "bench", &refusals);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    state.SetComplexityN(static_cast<std::int64_t>(text.size()));
}
BENCHMARK_CAPTURE(HighlightStream, Java, "Java", kJavaLines)
    ->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(HighlightStream, Python, "Python", kPythonLines)
    ->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

BENCHMARK_CAPTURE(HighlightFile, Java, "Java", kJavaLines)
    ->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(HighlightFile, Python, "Python", kPythonLines)
    ->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace
