// Peak memory of the varnel command on a generated 50 MB Java file: each run is a
// process of its own, and its peak resident size is what the system reports for it.
// The counters give the peak and how far it lies above the file's own size (MB of
// 10^6 bytes).
#include "bench_documents.h"
#include "file_system.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace varnel;

constexpr int kFileBytes = 50'000'000;

// The generated file, written once for all runs and removed at the end.
class BigFile {
public:
    BigFile()
    {
        char folder[] = "/tmp/varnel-memory-XXXXXX";
        if (mkdtemp(folder) == nullptr)
            return;
        folder_ = folder;
        path_ = folder_ + "/Generated.java";
        const std::string text = bench::JavaDocument(kFileBytes);
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        if (file == nullptr || std::fwrite(text.data(), 1, text.size(), file) != text.size())
            path_.clear();
        else
            size_ = text.size();
        if (file != nullptr)
            std::fclose(file);
    }
    ~BigFile()
    {
        if (!path_.empty())
            std::remove(path_.c_str());
        if (!folder_.empty())
            rmdir(folder_.c_str());
    }
    const std::string& Path() const { return path_; }
    std::size_t Size() const { return size_; }

private:
    std::string folder_;
    std::string path_;
    std::size_t size_ = 0;
};

const BigFile& File()
{
    static const BigFile file;
    return file;
}

// Runs varnel with the arguments, its output thrown away; answers its peak resident
// size in bytes, or -1 when it did not run to a good end.
long long PeakOfRun(const std::vector<std::string>& args)
{
    const std::string program = JoinPath(ExecutableFolder(), "varnel");
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0)
            dup2(null, STDOUT_FILENO);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return static_cast<long long>(usage.ru_maxrss) * 1024; // reported in KiB
}

void PeakMemory(benchmark::State& state, std::vector<std::string> args)
{
    const BigFile& file = File();
    if (file.Path().empty()) {
        state.SkipWithError("cannot write the generated file");
        return;
    }
    args.push_back(file.Path());
    long long peak = 0;
    for (auto _ : state) {
        peak = PeakOfRun(args);
        if (peak < 0) {
            state.SkipWithError("varnel failed");
            return;
        }
    }
    const double megabyte = 1e6;
    state.counters["file_MB"] = static_cast<double>(file.Size()) / megabyte;
    state.counters["peak_MB"] = static_cast<double>(peak) / megabyte;
    state.counters["above_file_MB"] = static_cast<double>(peak - static_cast<long long>(file.Size())) / megabyte;
}
BENCHMARK_CAPTURE(PeakMemory, highlight_ansi, std::vector<std::string>{"highlight", "--ansi"})
    ->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PeakMemory, functions, std::vector<std::string>{"functions"})
    ->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
