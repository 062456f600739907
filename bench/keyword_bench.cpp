#include "bench_modules.h"
#include "keyword_matcher.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace varnel;

std::vector<std::string> Words(const char* text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    std::string word;
    while (in >> word) {
        if (word[0] != '-')
            words.push_back(word);
    }
    return words;
}

void BuildHtmlMatcher(benchmark::State& state)
{
    const char* text = bench::Plugin("HTML").defaultKeywords;
    for (auto _ : state)
        benchmark::DoNotOptimize(KeywordMatcher(text));
}
BENCHMARK(BuildHtmlMatcher);

// A user's keyword file far larger than any shipped one: words of 3 to 14 letters, ten
// to a line, from a fixed generator. Building should stay linear in its size.
void BuildLargeMatcher(benchmark::State& state)
{
    std::string text;
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int word = 0; text.size() < static_cast<std::size_t>(state.range(0)); ++word) {
        const int length = 3 + static_cast<int>(next() % 12);
        for (int k = 0; k < length; ++k)
            text += static_cast<char>('a' + next() % 26);
        text += word % 10 == 9 ? '\n' : ' ';
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(KeywordMatcher(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    state.SetComplexityN(static_cast<int64_t>(text.size()));
}
BENCHMARK(BuildLargeMatcher)->Arg(1 << 18)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// Every word of the HTML keyword text fed character by character, as a styler does.
void MatchHtmlKeywords(benchmark::State& state)
{
    const char* text = bench::Plugin("HTML").defaultKeywords;
    const KeywordMatcher matcher(text);
    const std::vector<std::string> words = Words(text);
    std::size_t bytes = 0;
    for (const std::string& word : words)
        bytes += word.size();
    for (auto _ : state) {
        int found = 0;
        for (const std::string& word : words) {
            int s = 1;
            for (std::size_t i = 0; i < word.size() && s != 0; ++i)
                s = matcher.Step(static_cast<unsigned char>(word[i]), s);
            found += matcher.Sets(s) != 0;
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(MatchHtmlKeywords);

} // namespace
