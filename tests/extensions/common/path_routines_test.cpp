// Normalising "/"-separated paths and converting between Windows and URL-style paths.
#include "path_routines.h"

#include <gtest/gtest.h>

namespace varnel::tool {
namespace {

struct PathCase {
    const char* input;
    const char* expected;
};

class NormalizePathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(NormalizePathTest, GivesTheNormalForm)
{
    EXPECT_EQ(NormalizePath(GetParam().input), GetParam().expected) << "input: " << GetParam().input;
}

INSTANTIATE_TEST_SUITE_P(Paths, NormalizePathTest, ::testing::Values(
    PathCase{"a/./b/../c", "a/c"},
    PathCase{"../x", "../x"},
    PathCase{"/C:/a/b/", "/C:/a/b/"},
    PathCase{"a//b", "a/b"},
    PathCase{"a/..", "a/.."},             // a final ".." without "/" stays a segment
    PathCase{"", "/"},
    PathCase{"/", "/"},
    PathCase{"a/b/../../..", ".."},
    PathCase{"../../a", "../../a"},
    PathCase{"a/../../x", "../x"},        // the first step consumes a, the second is left over
    PathCase{"./a", "a"},
    PathCase{"a/./", "a/"},
    PathCase{"///a///b", "/a/b"},
    PathCase{"/C:/site/pages/../img/a.gif", "/C:/site/img/a.gif"},
    PathCase{"a/b/c", "a/b/c"},
    PathCase{"x../y", "x../y"},           // ".." only counts as a whole segment
    PathCase{"a/.b/c", "a/.b/c"},
    PathCase{"/../a", "../a"},
    PathCase{"/a/./b/../../../", "../"},  // parent steps left over and a final "/": one "/"
    PathCase{"../", "../"}));

class ToURLPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(ToURLPathTest, ConvertsAWindowsPath)
{
    EXPECT_EQ(ToURLPath(GetParam().input), GetParam().expected) << "input: " << GetParam().input;
}

INSTANTIATE_TEST_SUITE_P(Paths, ToURLPathTest, ::testing::Values(
    PathCase{"C:\\site\\img\\a.gif", "/C:/site/img/a.gif"},
    PathCase{"dir\\file.txt", "dir/file.txt"},
    PathCase{"c:\\a\\..\\b.html", "/c:/b.html"},
    PathCase{"C:", "/C:"},
    PathCase{"1:\\x", "1:/x"},            // no drive: a digit is no letter
    PathCase{"C:\\site\\\\x\\", "/C:/site/x/"},
    PathCase{"..\\inc\\head.html", "../inc/head.html"}));

class ToWindowsPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(ToWindowsPathTest, ConvertsAURLPath)
{
    EXPECT_EQ(ToWindowsPath(GetParam().input), GetParam().expected) << "input: " << GetParam().input;
}

INSTANTIATE_TEST_SUITE_P(Paths, ToWindowsPathTest, ::testing::Values(
    PathCase{"/C:/site/a.html", "C:\\site\\a.html"},
    PathCase{"../inc/head.html", "..\\inc\\head.html"},
    PathCase{"/C:", "C:"},                // too short for the "/" after the colon
    PathCase{"/C:a", "C:\\a"},            // a "/" is put after a bare drive's colon
    PathCase{"/C:/", "C:\\"},
    PathCase{"inc/nav.html", "inc\\nav.html"},
    PathCase{"/usr/x", "\\usr\\x"},
    PathCase{"/C:/a/./b/../c", "C:\\a\\c"}));

TEST(PathRoutines, WindowsAndURLPathsConvertBackAndForth)
{
    for (const char* path : {"C:\\site\\img\\a.gif", "D:\\x", "C:\\a\\b\\"})
        EXPECT_EQ(ToWindowsPath(ToURLPath(path)), path);
}

} // namespace
} // namespace varnel::tool
