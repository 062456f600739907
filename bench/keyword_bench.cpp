#include "bench_modules.h"
#include "keyword_matcher.h"

#include <benchmark/benchmark.h>

#include <sstream>
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
