#include "bench_modules.h"
#include "language.h"

#include <benchmark/benchmark.h>

namespace {

using namespace varnel;

std::string JavaSource(int lines)
{
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += "    int value" + std::to_string(i) + " = compute(" + std::to_string(i) + "); // note\n";
    return text;
}

// Commenting and uncommenting every line of a 1000-line file through the real proxy.
void ToggleJavaComments(benchmark::State& state)
{
    const Language language = PrepareLanguage(bench::Plugin("Java"), "");
    Document document(JavaSource(1000));
    for (auto _ : state) {
        ToggleLineComments(document, language, 0, document.LineCount() - 1, true);
        ToggleLineComments(document, language, 0, document.LineCount() - 1, false);
    }
    state.SetItemsProcessed(state.iterations() * 2 * document.LineCount());
}
BENCHMARK(ToggleJavaComments);

} // namespace
