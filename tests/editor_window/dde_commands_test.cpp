// The execute strings the editor's DDE service reads.
#include "dde_commands.h"

#include <gtest/gtest.h>

using varnel::editor::win32::ParseOpenCommands;

TEST(DdeCommands, OpenCommandsAndTheirPaths)
{
    const struct {
        const wchar_t* text;
        bool whole;
        std::vector<std::wstring> paths;
    } cases[] = {
        {L"[open(\"C:\\a b\\x.hs\")]", true, {L"C:\\a b\\x.hs"}},
        {L"[open(C:\\x.hs)]", true, {L"C:\\x.hs"}},
        {L"[open(\"a\")][open(b)]", true, {L"a", L"b"}},
        {L"  [ OPEN ( \"a\" ) ]  [Open( b )]\r\n", true, {L"a", L"b"}},
        {L"[open(\"a(1).txt\")]", true, {L"a(1).txt"}},
        {L"", true, {}},
        {L"[open(\"a\")][close(\"b\")]", false, {L"a"}},
        {L"[open(\"a\")", false, {}},
        {L"[open(\"a)]", false, {}},
        {L"[open()]", false, {}},
        {L"[open(\"\")]", false, {}},
        {L"open(\"a\")", false, {}},
        {L"[open(\"a\") x]", false, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::wstring> paths;
        EXPECT_EQ(ParseOpenCommands(c.text, &paths), c.whole) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(paths, c.paths) << testing::PrintToString(std::wstring(c.text));
    }
}
