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

const std::vector<const char*> kPascalLines = {
    "{ Routine #N of the generated",
    "  program, over two lines. }",
    "procedure TShape.Draw#N(var canvas: TCanvas; x, y: Integer);",
    "begin (* draw it *) if x > #N then writeln('point ''#N''', x) else Draw(canvas, y) end;",
    "  s := \"text #N\"; case x of 1: y := 2 otherwise y := 3 end; REPEAT x := x - 1 UNTIL x = 0",
};

const std::vector<const char*> kRezLines = {
    "#include \"Types#N.r\"",
    "/* Resource #N of the generated",
    "   file, over two lines. */",
    "resource 'STR ' (#N, \"Name #N\", purgeable) { \"Varnel $$Date\" }; // note",
    "type 'VERS' { byte; hex string; integer = $$CountOf(list); wide array list { pstring; }; };",
};

const std::vector<const char*> kOberonLines = {
    "(* Block #N: a comment over two lines,",
    "   with (* a nested one *) inside. *)",
    "PROCEDURE (l: List) Sum#N*(VAR s: SET): INTEGER; <* $IF DEBUG *>",
    "BEGIN s := {0, 2..4}; Out.String(\"sum #N\"); RETURN ABS(l.value) + ORD('x')",
    "END Sum#N;",
};

const std::vector<const char*> kTexLines = {
    "\\section[Short #N]{A section with $x^#N$ in its title}\\label{sec:#N}",
    "Text with \\emph{emphasis}, a reference~\\ref{sec:#N} and \\(a_i + b_i\\) math. % note #N",
    "Display math $$ \\sum_{i=0}^{#N} i $$ and \\verb|{#N}| verbatim, \\% escaped & special # ~.",
    "\\begin{verbatim}",
    "  raw text #N, { $ % \\section{not} }",
    "\\end{verbatim}",
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
BENCHMARK_CAPTURE(HighlightFile, Java, "Java", kJavaLines)
    ->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(HighlightFile, Python, "Python", kPythonLines)
    ->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace
