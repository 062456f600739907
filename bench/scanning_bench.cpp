// Function scans and bracket balancing over generated documents of several sizes,
// through the real loader and proxy: the time per byte should not grow with the size.
#include "bench_documents.h"
#include "bench_modules.h"
#include "host_proxy.h"
#include "keyword_matcher.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace varnel;
using bench::JavaDocument;
using bench::PythonDocument;

constexpr int kMegabyte = 1 << 20;

// A Pascal unit of about `bytes` bytes: an interface part, types, routines with nested
// routines, methods, comments and strings.
std::string PascalDocument(int bytes)
{
    std::string text = "unit Generated;\ninterface\nuses Crt, Dos;\nprocedure Start;\nimplementation\n";
    for (int i = 0; static_cast<int>(text.size()) < bytes; ++i) {
        const std::string n = std::to_string(i);
        text += "type\n  TRec" + n + " = record a, b: integer; end;\n  TNum" + n + " = integer;\n";
        text += "{ routine " + n + " } (* begin *)\n";
        text += "function TShape.Area" + n + "(x: integer; var s: string): integer;\n";
        text += "  procedure Inner" + n + "; forward;\n";
        text += "  procedure Inner" + n + ";\n  begin writeln('end ' , x) end;\n";
        text += "begin\n  case x of 1: begin Inner" + n + " end; 2: y := f(a[i]) end;\n";
        text += "  repeat x := x - 1 until x = 0;\n  Area" + n + " := x\nend;\n";
    }
    return text + "end.\n";
}

// A Rez file of about `bytes` bytes: includes, types and resources with their data.
std::string RezDocument(int bytes)
{
    std::string text = "#include \"Types.r\"\n#include <SysTypes.r>\n";
    for (int i = 0; static_cast<int>(text.size()) < bytes; ++i) {
        const std::string n = std::to_string(i);
        text += "/* type " + n + " { */\ntype 'T" + n + "' {\n    byte; /* } */ hex string; // }\n};\n";
        text += "resource 'STR ' (" + n + ", \"Name {" + n + "\", purgeable) {\n";
        text += "    { \"text }\", 'abcd', $\"00FF\" },\n#if DEBUG }\n    (1), [2]\n#endif\n};\n";
    }
    return text;
}

// An Oberon-2 module of about `bytes` bytes: imports, procedures with nested ones,
// methods, forward declarations, comments and strings.
std::string OberonDocument(int bytes)
{
    std::string text = "MODULE Generated;\nIMPORT Out, F := Files, Texts;\n\n";
    for (int i = 0; static_cast<int>(text.size()) < bytes; ++i) {
        const std::string n = std::to_string(i);
        text += "(* Procedure " + n + ": PROCEDURE Hidden; (* nested *) *)\n";
        text += "PROCEDURE ^Later" + n + "*(x: INTEGER);\n";
        text += "PROCEDURE (l: List) Outer" + n + "*(VAR a: ARRAY OF CHAR; b: INTEGER): INTEGER;\n";
        text += "  VAR s: SET;\n  PROCEDURE Inner" + n + "(c: INTEGER);\n  BEGIN INC(b, c)\n  END Inner" + n + ";\n";
        text += "BEGIN\n  s := {0, 2}; Out.String(\"END Outer; (* no comment *)\"); Inner" + n + "(1);\n";
        text += "  IF b > 0 THEN RETURN b ELSE RETURN 0 END\nEND Outer" + n + ";\n\n";
    }
    return text + "END Generated.\n";
}

// A LaTeX document of about `bytes` bytes: chapters, sections with short titles,
// comments, math and verbatim text.
std::string TexDocument(int bytes)
{
    std::string text = "\\documentclass{book}\n\\begin{document}\n";
    for (int i = 0; static_cast<int>(text.size()) < bytes; ++i) {
        const std::string n = std::to_string(i);
        if (i % 20 == 0)
            text += "\\chapter{Chapter " + n + "}\n";
        text += "\\section[Short " + n + "]{A {nested} title " + n + "}\\label{s" + n + "}\n";
        text += "Text with $x^2$, \\emph{words} and \\verb|{| here. % \\section{commented}\n";
        text += "%-*-{Marker " + n + "}-*-\n\\subsection*{Starred " + n + "}\nMore text over a line of its own.\n";
    }
    return text + "\\end{document}\n";
}

struct Loaded {
    const LanguagePlugin& plugin;
    KeywordMatcher keywords;
    explicit Loaded(const char* language) : plugin(bench::Plugin(language)), keywords(plugin.defaultKeywords) {}
};

void Scan(benchmark::State& state, const char* language, std::string (*document)(int))
{
    const Loaded loaded(language);
    std::string text = document(static_cast<int>(state.range(0)));
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

void ScanJava(benchmark::State& state)
{
    Scan(state, "Java", JavaDocument);
}
BENCHMARK(ScanJava)->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void ScanPython(benchmark::State& state)
{
    Scan(state, "Python", PythonDocument);
}
BENCHMARK(ScanPython)->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void ScanPascal(benchmark::State& state)
{
    Scan(state, "Pascal", PascalDocument);
}
BENCHMARK(ScanPascal)->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void ScanRez(benchmark::State& state)
{
    Scan(state, "Rez", RezDocument);
}
BENCHMARK(ScanRez)->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void ScanOberon(benchmark::State& state)
{
    Scan(state, "Oberon-2", OberonDocument);
}
BENCHMARK(ScanOberon)->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void ScanTex(benchmark::State& state)
{
    Scan(state, "TeX", TexDocument);
}
BENCHMARK(ScanTex)->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// The caret just before the class's final "}": the first pass reads the whole document,
// and the pair found is the class body.
void BalanceJava(benchmark::State& state)
{
    const Loaded loaded("Java");
    std::string text = JavaDocument(static_cast<int>(state.range(0)));
    const int caret = static_cast<int>(text.rfind('}'));
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
BENCHMARK(BalanceJava)->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// The caret just before the unit's final "end": the whole document is read as blocks,
// and none encloses the caret.
void BalancePascal(benchmark::State& state)
{
    const Loaded loaded("Pascal");
    std::string text = PascalDocument(static_cast<int>(state.range(0)));
    const int caret = static_cast<int>(text.rfind("end."));
    for (auto _ : state) {
        HostProxy proxy(text, loaded.keywords, 0, ProxyPurpose::Editing);
        int start = caret;
        int end = caret;
        benchmark::DoNotOptimize(loaded.plugin.balance(proxy, &start, &end));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.SetComplexityN(static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BalancePascal)->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// The caret inside the last resource's data: the first pass reads the whole document,
// and the pair found is a pair of parentheses in the last resource.
void BalanceRez(benchmark::State& state)
{
    const Loaded loaded("Rez");
    std::string text = RezDocument(static_cast<int>(state.range(0)));
    const int caret = static_cast<int>(text.rfind("(1)")) + 1;
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
BENCHMARK(BalanceRez)->Arg(kMegabyte)->Arg(4 * kMegabyte)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace
