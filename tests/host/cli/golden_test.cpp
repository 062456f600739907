// Every sample file against its golden twins: how it is styled (tests/data/golden/
// <sample>.styled, from "varnel highlight --styled") and, for languages with a function
// scan, its lists (<sample>.functions, from "varnel functions"). A change of behaviour
// shows up here as a difference; scripts/update-golden.sh writes the twins anew. The
// user keyword files are those of tests/data/settings (the XML sample shows user tag
// sets), never the developer's own.
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
    const Output styled = Varnel({"--settings", settings, "highlight", "--styled", sample});
    ASSERT_EQ(styled.status, 0);
    EXPECT_EQ(styled.text, ReadFile(DataPath("golden/" + GetParam() + ".styled")).value_or("(no twin)"));

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
