// Find and replace-all of the editor's core over a generated 50 MB Java document, read
// where it lies: a word near the end found from the start (plain text in each mode,
// then expressions, with memchr and std::string_view::find over the same bytes beside
// them), a word near the start found backwards from the end, and the plan of a
// replace-all that meets 100,000 matches.
#include "bench_documents.h"
#include "find_replace.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <string_view>

namespace {

using namespace varnel;
using editor::Finder;
using editor::FindOptions;
using editor::Match;

constexpr int kDocumentBytes = 50 << 20;
constexpr std::size_t kReplaceMatches = 100000;

// The Java document with "startWord" near its start, "needleWord" near its end, and
// 100,000 of its calls "other(a)" turned into "reset(a)", spread evenly through it.
const std::string& Document()
{
    static const std::string text = [] {
        std::string t = bench::JavaDocument(kDocumentBytes);
        t.insert(t.find('\n') + 1, "// startWord\n");
        t.insert(t.size() - 2, "    int needleWord = 1;\n");
        std::size_t calls = 0;
        for (std::size_t at = t.find("other(a)"); at != std::string::npos; at = t.find("other(a)", at + 1))
            ++calls;
        std::size_t index = 0;
        for (std::size_t at = t.find("other(a)"); at != std::string::npos; at = t.find("other(a)", at + 1), ++index) {
            if (index * kReplaceMatches / calls != (index + 1) * kReplaceMatches / calls)
                t.replace(at, 5, "reset");
        }
        return t;
    }();
    return text;
}

FindOptions Options(bool regex, bool matchCase, bool wholeWord, bool backwards)
{
    FindOptions options;
    options.regex = regex;
    options.matchCase = matchCase;
    options.wholeWord = wholeWord;
    options.backwards = backwards;
    options.wrap = false;
    return options;
}

void FindFromEnd(benchmark::State& state, const char* needle, const FindOptions& options, std::size_t from)
{
    const std::string& text = Document();
    const std::optional<Finder> finder = Finder::Make(needle, options, nullptr);
    if (!finder) {
        state.SkipWithError("the needle does not compile");
        return;
    }
    Match match;
    for (auto _ : state) {
        if (!finder->Find(text, from, &match)) {
            state.SkipWithError("no match");
            return;
        }
        benchmark::DoNotOptimize(match);
    }
    // The bytes between the starting point and the match.
    const std::size_t distance = options.backwards ? from - match.start : match.start - from;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(distance));
}

void FindNearEnd(benchmark::State& state, const char* needle, FindOptions options)
{
    FindFromEnd(state, needle, options, 0);
}
BENCHMARK_CAPTURE(FindNearEnd, Plain, "needleWord", Options(false, true, false, false))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNearEnd, PlainAnyCase, "NEEDLEword", Options(false, false, false, false))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNearEnd, PlainWholeWord, "needleWord", Options(false, true, true, false))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNearEnd, Regex, "needle\\w+", Options(true, true, false, false))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNearEnd, RegexAnyCase, "NEEDLE\\w+", Options(true, false, false, false))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNearEnd, RegexClass, "[n]eedle\\w+", Options(true, true, false, false))->Unit(benchmark::kMillisecond);

// What the plain searches are measured against: memchr over the same bytes for a byte
// the text lacks, and std::string_view::find of the word.
void ScanBaseline(benchmark::State& state, bool memchrOnly)
{
    const std::string& text = Document();
    std::size_t found = 0;
    for (auto _ : state) {
        found = memchrOnly ? static_cast<std::size_t>(std::memchr(text.data(), '\x7f', text.size()) != nullptr)
                           : std::string_view(text).find("needleWord");
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK_CAPTURE(ScanBaseline, Memchr, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ScanBaseline, StringViewFind, false)->Unit(benchmark::kMillisecond);

void FindBackwardsNearStart(benchmark::State& state, const char* needle, FindOptions options)
{
    FindFromEnd(state, needle, options, Document().size());
}
BENCHMARK_CAPTURE(FindBackwardsNearStart, Plain, "startWord", Options(false, true, false, true))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindBackwardsNearStart, PlainAnyCase, "STARTword", Options(false, false, false, true))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindBackwardsNearStart, Regex, "start\\w+", Options(true, true, false, true))->Unit(benchmark::kMillisecond);

void PlanReplaceAll(benchmark::State& state, const char* needle, FindOptions options)
{
    const std::string& text = Document();
    const std::optional<Finder> finder = Finder::Make(needle, options, nullptr);
    if (!finder) {
        state.SkipWithError("the needle does not compile");
        return;
    }
    std::size_t matches = 0;
    for (auto _ : state) {
        const std::vector<editor::Replacement> plan = editor::PlanReplaceAll(text, *finder, "clear");
        matches = plan.size();
        benchmark::DoNotOptimize(plan.data());
    }
    if (matches != kReplaceMatches)
        state.SkipWithError("the plan does not hold 100,000 replacements");
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * matches));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK_CAPTURE(PlanReplaceAll, Plain, "reset", Options(false, true, false, false))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlanReplaceAll, PlainWholeWordAnyCase, "RESET", Options(false, false, true, false))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlanReplaceAll, Regex, "res[e]t\\(", Options(true, true, false, false))->Unit(benchmark::kMillisecond);

} // namespace
