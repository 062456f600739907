// Refreshing include blocks through the real loader and text proxy: the time should
// grow with the document's length and no faster (compare the sizes, and the fitted
// complexity Google Benchmark prints).
#include "file_system.h"
#include "text_proxy.h"
#include "tool_loader.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <stdexcept>

namespace {

using namespace varnel;

struct Site {
    std::string folder;
    ToolSet tools;
    PerformFn perform = nullptr;
};

const Site& BenchSite()
{
    static const Site site = [] {
        Site s;
        char pattern[] = "/tmp/varnel-bench-site.XXXXXX";
        if (mkdtemp(pattern) == nullptr)
            throw std::runtime_error("cannot make a folder for the site");
        s.folder = pattern;
        WriteFile(s.folder + "/nav.html", "<ul>\r\n  <li><a href=\"/\">Home</a></li>\r\n  <li>$file$</li>\r\n</ul>\r\n");
        s.tools = LoadToolExtensions(ExtensionsFolder(ExecutableFolder()));
        const ToolExtension* tool = FindTool(s.tools, "Dunetool");
        if (tool == nullptr)
            throw std::runtime_error("no Dunetool beside the benchmark");
        s.perform = tool->perform;
        return s;
    }();
    return site;
}

std::string PageWithBlocks(int blocks)
{
    std::string text = "<html>\n<body>\n";
    for (int i = 0; i < blocks; ++i) {
        text += "  <p class=\"item\">Section " + std::to_string(i) + " with <b>some</b> text</p>\n";
        text += "  <!-- #include \"nav.html\" -->\n  stale\n  <!-- end include -->\n";
    }
    return text + "</body>\n</html>\n";
}

// One run of Dunetool over a page with state.range(0) include blocks.
void RefreshIncludeBlocks(benchmark::State& state)
{
    const Site& site = BenchSite();
    const std::string page = PageWithBlocks(static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TextProxy document(page, site.folder + "/page.html");
        state.ResumeTiming();
        if (site.perform(document) != 0)
            state.SkipWithError("Perform failed");
        bytes = static_cast<std::size_t>(document.TextLength());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
    state.counters["result_bytes"] = static_cast<double>(bytes);
    state.SetComplexityN(static_cast<std::int64_t>(page.size()));
}
BENCHMARK(RefreshIncludeBlocks)->Arg(1000)->Arg(4000)->Arg(16000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

} // namespace
