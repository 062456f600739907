// varnel edit: editor commands on a file, saved in place, printed, or refused as a whole.
#include "extensions/include_updater/site_folder.h"
#include "file_system.h"
#include "run_varnel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel {
namespace {

using test::Varnel;

TEST(EditCommand, SavesInPlacePrintsOrLeavesTheFileAsItWas)
{
    const std::string java = "class A {\r\n  int x;\r\n}\r\n";
    const struct {
        const char* name;
        std::vector<std::string> words;
        int status;
        std::string file;   // the file afterwards
        std::string out;
    } cases[] = {
        {"typed line saved with CR LF", {"line", "2", "key", "end", "type", "\\n  int y;"}, 0,
         "class A {\r\n  int x;\r\n  int y;\r\n}\r\n", ""},
        {"--stdout prints and leaves the file", {"--stdout", "line", "1", "type", "// a\\n"}, 0, java,
         "// a\r\nclass A {\r\n  int x;\r\n}\r\n"},
        {"a bad number is bad usage, nothing written", {"type", "x", "caret", "-3"}, 2, java, ""},
        {"an unknown tool fails, nothing written", {"type", "x", "tool", "Nosuchtool"}, 1, java, ""},
        {"offsets are the file's own", {"select", "11", "10", "print-selection", "cut", "print-selection"}, 0,
         "class A {\r\n}\r\n", "11 10\n11 0\n"},
        {"the end of a selection inside CR LF is its line feed", {"select", "11", "9", "print-selection"}, 0, java,
         "11 8\n"},
        {"what was saved before a failing command stays", {"type", "//", "save", "type", "x", "caret", "x"}, 2,
         "//class A {\r\n  int x;\r\n}\r\n", ""},
        {"the end saves the final text", {"type", "//", "save", "undo"}, 0, java, ""},
    };
    for (const auto& c : cases) {
        const test::SiteFolder site;
        site.Write("A.java", java);
        std::vector<std::string> args = {"edit", site.Path("A.java")};
        args.insert(args.end(), c.words.begin(), c.words.end());
        const test::Result result = Varnel(args);
        EXPECT_EQ(result.status, c.status) << c.name << ": " << result.err;
        EXPECT_EQ(ReadFile(site.Path("A.java")), c.file) << c.name;
        const std::string out = result.out.substr(0, c.out.size());
        EXPECT_EQ(out, c.out) << c.name;
    }
}

TEST(EditCommand, StandardInputIsEditedAndPrinted)
{
    const test::Result result =
        test::VarnelReading({"edit", "-", "--language", "Python", "key", "doc-end", "type", "pass\\n"}, "def f():\n    ");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "def f():\n    pass\n");
}

} // namespace
} // namespace varnel
