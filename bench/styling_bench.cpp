// Colouring whole generated files line by line, as the editor does when it opens them:
// every line through the host's proxy, each with the state of the line before. Files
// of 1 and 4 MiB: the time per byte should not grow with the size. HighlightFile also
// writes the coloured lines as "varnel highlight --ansi" does, into a stream that
// drops them.
#include "bench_modules.h"
#include "highlight_output.h"
#include "language.h"

#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

using namespace varnel;

constexpr int kMegabyte = 1 << 20;

// The lines repeated until the text holds `size` bytes, each "#N" in them replaced by a
// running number so that names and strings differ from block to block.
std::string Repeat(const std::vector<const char*>& lines, std::size_t size)
{
    std::string text;
    text.reserve(size + 256);
    for (int n = 0; text.size() < size; ++n) {
        const std::string number = std::to_string(n);
        for (const char* source : lines) {
            std::string line = source;
            for (std::size_t mark = line.find("#N"); mark != std::string::npos; mark = line.find("#N", mark))
                line.replace(mark, 2, number);
            text += line;
            text += '\n';
        }
    }
    return text;
}

const std::vector<const char*> kShellLines = {
    "# build step #N",
    "for f in $SOURCES; do",
    "    if [ -f \"$f.o\" ]; then echo 'skip' \"$f\"; else cc -c \"$f\" -o obj#N.o; fi",
    "done",
    "case \"$1\" in start) run_server --port 80#N ;; *) usage ;; esac",
};

const std::vector<const char*> kJavaLines = {
    "/* Block #N of the generated",
    "   source, over two lines. */",
    "public static int compute#N(final java.util.List<String> items) {",
    "    char c = 'x'; String s = \"value \\\"#N\\\"\"; // trailing note",
    "    return items.size() + this.offset + '\\n';",
    "}",
};

const std::vector<const char*> kActionScriptLines = {
    "#include \"part#N.as\"",
    "onClipEvent (enterFrame) { this._alpha = Math.random() * 100; }",
    "var clip#N = _root.attachMovie('symbol', \"clip#N\", #N); /* depth */",
    "clip#N.gotoAndPlay(2); tellTarget (\"clip\") { play(); } // old style",
};

const std::vector<const char*> kPythonLines = {
    "def compute#N(items, factor=2):",
    "    \"\"\"Scale every item by the factor,",
    "    over two lines of documentation.\"\"\"",
    "    result = [len(str(x)) * factor for x in items if x is not None]  # note",
    "    return result + ['#N', \"text\", '''raw''']",
};

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
#define VARNEL_STYLE_FILE(name, lines)                                                                 \
    BENCHMARK_CAPTURE(StyleFile, name, #name, lines)                                                   \
        ->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN)
VARNEL_STYLE_FILE(Shell, kShellLines);
VARNEL_STYLE_FILE(Java, kJavaLines);
VARNEL_STYLE_FILE(ActionScript, kActionScriptLines);
VARNEL_STYLE_FILE(Python, kPythonLines);

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
BENCHMARK_CAPTURE(HighlightFile, Java, "Java", kJavaLines)
    ->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(HighlightFile, Python, "Python", kPythonLines)
    ->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace
