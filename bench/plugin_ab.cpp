// Two builds of the language plug-ins timed against each other in one process:
//
//   varnel_plugin_ab FOLDER_A FOLDER_B LANGUAGE [BYTES] [ROUNDS]
//
// Both folders are loaded; the styling benchmark's text of LANGUAGE (1 MiB unless BYTES
// says otherwise) is coloured through the same host, one whole pass with A's plug-in,
// then one with B's, turn about, ROUNDS times (300 unless said otherwise). Passes a few
// milliseconds apart see the machine in the same state, so the ratio of the medians
// shows a difference of a few per cent that separate benchmark runs lose in the
// machine's drift. Run by hand; never part of the tests.
#include "document.h"
#include "language.h"
#include "plugin_loader.h"
#include "styled_texts.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace varnel;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

const LanguagePlugin& Find(const PluginSet& set, const std::string& folder, const std::string& name)
{
    const LanguagePlugin* plugin = FindLanguageByName(set, name);
    if (plugin == nullptr)
        throw std::runtime_error("no plug-in " + name + " in " + folder);
    return *plugin;
}

int Run(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s FOLDER_A FOLDER_B LANGUAGE [BYTES] [ROUNDS]\n", argv[0]);
        return 2;
    }
    const std::string language = argv[3];
    const std::vector<const char*>* lines = bench::StyledLines(language);
    if (lines == nullptr) {
        std::fprintf(stderr, "no text for %s\n", language.c_str());
        return 2;
    }
    const std::size_t bytes = argc > 4 ? std::stoul(argv[4]) : std::size_t{1} << 20;
    const int rounds = argc > 5 ? std::max(1, std::stoi(argv[5])) : 300;
    const std::string text = bench::Repeat(*lines, bytes);

    const PluginSet setA = LoadLanguagePlugins(argv[1]);
    const PluginSet setB = LoadLanguagePlugins(argv[2]);
    const Language a = PrepareLanguage(Find(setA, argv[1], language), "");
    const Language b = PrepareLanguage(Find(setB, argv[2], language), "");
    const Styler stylers[2] = {a.MakeStyler(), b.MakeStyler()};
    Document documents[2] = {Document(text), Document(text)};
    std::vector<double> milliseconds[2];
    for (int round = 0; round < rounds; ++round) {
        // Which build goes first changes from round to round.
        for (int turn = 0; turn < 2; ++turn) {
            const int which = (round + turn) % 2;
            const auto start = std::chrono::steady_clock::now();
            documents[which].StyleAll(stylers[which]);
            const auto end = std::chrono::steady_clock::now();
            milliseconds[which].push_back(std::chrono::duration<double, std::milli>(end - start).count());
        }
    }
    if (documents[0].EndState(documents[0].LineCount() - 1) != documents[1].EndState(documents[1].LineCount() - 1))
        std::fprintf(stderr, "warning: the two builds leave different line states\n");
    const double mebibytes = static_cast<double>(text.size()) / (1 << 20);
    const double medianA = Median(milliseconds[0]);
    const double medianB = Median(milliseconds[1]);
    std::printf("%s, %zu bytes, %d rounds: A %.3f ms (%.1f MiB/s), B %.3f ms (%.1f MiB/s), B is %.3f times as fast\n",
                language.c_str(), text.size(), rounds, medianA, mebibytes / medianA * 1000, medianB,
                mebibytes / medianB * 1000, medianA / medianB);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
