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

} // namespace
