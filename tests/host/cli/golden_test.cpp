// Every sample file against its golden twins: how it is styled and written
// (tests/data/golden/<sample>.styled, .ansi, .html and .runs, from "varnel highlight"
// with that option) and, for languages with a function scan, its lists
// (<sample>.functions, from "varnel functions"). The output must stay the same byte for
// byte; a change of behaviour shows up here as a difference, and
// scripts/update-golden.sh writes the twins anew. The user keyword files are those of
// tests/data/settings (the XML sample shows user tag sets), never the developer's own.
#include "cli.h"
#include "file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

namespace varnel {
namespace {

std::string DataPath(const std::string& relative)
{
    return std::string(VARNEL_TEST_DATA) + "/" + relative;
}

struct Output {
    int status;
    std::string text;
};

Output Varnel(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunVarnel(args, out, err);
    EXPECT_EQ(err.str(), "") << testing::PrintToString(args);
    return {status, out.str()};
}

class GoldenFiles : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenFiles, SampleMatchesItsTwins)
{
    const std::string sample = DataPath("samples/" + GetParam());
    const std::string settings = DataPath("settings");
    // The file is read in pieces as it is coloured: pieces of a few bytes put piece
    // boundaries inside every kind of line end and line, and must change nothing.
    for (const char* format : {"styled", "ansi", "html", "runs"}) {
        const std::optional<std::string> twin = ReadFile(DataPath("golden/" + GetParam() + "." + format));
        ASSERT_TRUE(twin.has_value()) << "no ." << format << " twin";
        for (const char* piece : {"", "5"}) {
            std::vector<std::string> args = {"--settings", settings, "highlight", std::string("--") + format, sample};
            if (*piece != '\0')
                args.insert(args.end(), {"--piece-size", piece});
            const Output written = Varnel(args);
            ASSERT_EQ(written.status, 0) << format;
            // Compared as a whole and, for a readable message, by the first line that differs.
            if (written.text != *twin) {
                std::size_t line = 1;
                std::size_t at = 0;
                const std::size_t common = std::min(written.text.size(), twin->size());
                while (at < common && written.text[at] == (*twin)[at])
                    line += written.text[at++] == '\n' ? 1 : 0;
                ADD_FAILURE() << "--" << format << (*piece != '\0' ? " in pieces of " : "") << piece
                              << " differs from its twin at byte " << at << ", line " << line;
            }
        }
    }

    std::ostringstream out;
    std::ostringstream err;
    const int status = RunVarnel({"--settings", settings, "functions", sample}, out, err);
    const std::optional<std::string> functions = ReadFile(DataPath("golden/" + GetParam() + ".functions"));
    if (status == 0)
        EXPECT_EQ(out.str(), functions.value_or("(no twin)"));
    else
        EXPECT_FALSE(functions.has_value()) << "a twin for a language without a function scan";
}

std::vector<std::string> Samples()
{
    std::vector<std::string> names = ListFiles(DataPath("samples"), "");
    std::sort(names.begin(), names.end());
    return names;
}

std::string NameOf(const testing::TestParamInfo<std::string>& info)
{
    std::string name;
    for (char c : info.param)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(EverySample, GoldenFiles, testing::ValuesIn(Samples()), NameOf);

} // namespace
} // namespace varnel
