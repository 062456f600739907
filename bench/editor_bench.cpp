// The editor core on a generated 50 MB Java document: opening it to the first styled
// screen, a keystroke in the middle, a comment opened on line 1 and the idle restyling
// that follows, memory after open and full styling.
#include "bench_documents.h"
#include "bench_modules.h"
#include "document_commands.h"
#include "document_file.h"
#include "file_system.h"
#include "editor_document.h"
#include "language.h"
#include "search_commands.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace varnel;
using namespace varnel::editor;

constexpr int kDocumentBytes = 50'000'000;
constexpr int kScreenLines = 60;

const std::string& BigJava()
{
    static const std::string text = bench::JavaDocument(kDocumentBytes);
    return text;
}

const Language& Java()
{
    static const Language language = PrepareLanguage(bench::Plugin("Java"), "");
    return language;
}

long MinorFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

double ResidentMegabytes()
{
    long pages = 0;
    long resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

// The runs of every shown line, as a paint asks for them.
void PaintScreen(EditorDocument& document, int first)
{
    for (int line = first; line < first + kScreenLines; ++line)
        benchmark::DoNotOptimize(document.Styling().Runs(line));
}

void StyleEverything(EditorDocument& document)
{
    while (document.Styling().RunIdle(std::size_t{4} << 20)) {
    }
}

// The generated document as a file, written once.
const std::string& BigJavaFile()
{
    struct File {
        std::string path = "/tmp/varnel-editor-bench-" + std::to_string(getpid()) + ".java";
        File()
        {
            if (!WriteFile(path, BigJava()))
                path.clear();
        }
        ~File() { std::remove(path.c_str()); }
    };
    static const File file;
    return file.path;
}

void BM_EditorOpenToFirstScreen(benchmark::State& state)
{
    const std::string path = BigJavaFile();
    long faults = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const long before = MinorFaults();
        state.ResumeTiming();
        std::string error;
        const std::unique_ptr<DocumentFile> file = OpenDocumentFile(path, bench::Plugins(), &error);
        if (!file) {
            state.SkipWithError(error.c_str());
            break;
        }
        EditorDocument& document = *file->document;
        document.Styling().SetShown(0, kScreenLines - 1);
        document.Styling().SetStyler(Java().MakeStyler());
        PaintScreen(document, 0);
        state.PauseTiming();
        // The first opening meets fresh memory; later ones reuse what it freed.
        faults = std::max(faults, MinorFaults() - before);
        state.ResumeTiming();
    }
    state.counters["page_faults"] = static_cast<double>(faults);
}
BENCHMARK(BM_EditorOpenToFirstScreen)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_EditorKeystrokeInMiddle(benchmark::State& state)
{
    EditorDocument document{std::string(BigJava())};
    const int middle = document.Text().LineCount() / 2;
    document.Styling().SetShown(middle, middle + kScreenLines - 1);
    document.Styling().SetStyler(Java().MakeStyler());
    StyleEverything(document);
    document.SetCaret(document.Text().LineStart(middle + 10) + 8);
    // The gap moves to the middle once, as the first keystroke there does.
    document.Type("x");
    for (auto _ : state) {
        document.Type("x");
        PaintScreen(document, middle);
    }
}
BENCHMARK(BM_EditorKeystrokeInMiddle)->Unit(benchmark::kMicrosecond);

void BM_EditorCommentOpenedOnLineOne(benchmark::State& state)
{
    std::string error;
    const std::unique_ptr<DocumentFile> file = OpenDocumentFile(BigJavaFile(), bench::Plugins(), &error);
    if (!file) {
        state.SkipWithError(error.c_str());
        return;
    }
    EditorDocument& document = *file->document;
    document.Styling().SetShown(0, kScreenLines - 1);
    document.Styling().SetStyler(Java().MakeStyler());
    StyleEverything(document);
    // The first keystroke at the top after opening.
    document.SetCaret(0);
    const auto first = std::chrono::steady_clock::now();
    document.Type(" ");
    state.counters["first_keystroke_ms"] =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - first).count();
    for (auto _ : state) {
        document.SetCaret(0);
        document.Type("/*");
        PaintScreen(document, 0);
        state.PauseTiming();
        StyleEverything(document);
        document.Undo();
        StyleEverything(document);
        state.ResumeTiming();
    }
}

// Idle slices of 2 MiB styling every line anew, as after a change of keywords.
void BM_EditorIdleRestyleWholeDocument(benchmark::State& state)
{
    EditorDocument document{std::string(BigJava())};
    document.Styling().SetShown(0, kScreenLines - 1);
    for (auto _ : state) {
        document.Styling().SetStyler(Java().MakeStyler());
        while (document.Styling().RunIdle(std::size_t{2} << 20)) {
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kDocumentBytes);
}
BENCHMARK(BM_EditorIdleRestyleWholeDocument)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_EditorCommentOpenedOnLineOne)->Unit(benchmark::kMillisecond)->Iterations(10);

// Replace All of 100,000 matches ("field1" becomes "member1", which grows the text), and
// undoing it.
void BM_EditorReplaceAllAndUndo(benchmark::State& state)
{
    EditorDocument document{std::string(BigJava())};
    document.Styling().SetShown(0, kScreenLines - 1);
    document.Styling().SetStyler(Java().MakeStyler());
    const std::optional<Finder> finder = Finder::Make("field1", FindOptions{}, nullptr);
    double undoSeconds = 0;
    std::size_t replaced = 0;
    for (auto _ : state) {
        replaced = ReplaceAll(document, *finder, "member1");
        state.PauseTiming();
        const auto start = std::chrono::steady_clock::now();
        document.Undo();
        undoSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.ResumeTiming();
    }
    state.counters["replaced"] = static_cast<double>(replaced);
    state.counters["undo_ms"] = undoSeconds * 1000 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_EditorReplaceAllAndUndo)->Unit(benchmark::kMillisecond)->Iterations(3);

// Find of a word near the end, from the start of the document.
void BM_EditorFindNearTheEnd(benchmark::State& state)
{
    EditorDocument document{std::string(BigJava())};
    // One word that stands only 100 bytes before the end.
    document.SetCaret(document.Text().Length() - 100);
    document.Type("uniqueNeedle");
    const std::optional<Finder> finder = Finder::Make("uniqueNeedle", FindOptions{}, nullptr);
    for (auto _ : state) {
        document.SetCaret(0);
        if (!FindAndSelect(document, *finder))
            state.SkipWithError("the word was not found");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * document.Text().Length());
}
BENCHMARK(BM_EditorFindNearTheEnd)->Unit(benchmark::kMillisecond);

void BM_EditorMemoryAfterOpenAndStyling(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::string bytes = BigJava();
        const double before = ResidentMegabytes() - static_cast<double>(bytes.capacity()) / 1e6;
        state.ResumeTiming();
        EditorDocument document(std::move(bytes));
        document.Styling().SetStyler(Java().MakeStyler());
        StyleEverything(document);
        state.PauseTiming();
        state.counters["resident_MB"] = ResidentMegabytes() - before;
        state.counters["held_MB"] = static_cast<double>(document.Text().MemoryUse()) / 1e6;
        state.counters["file_MB"] = kDocumentBytes / 1e6;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditorMemoryAfterOpenAndStyling)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
