#include "document_commands.h"
#include "edit_script.h"

#include "file_system.h"
#include "module_set.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace varnel::editor {
namespace {

const Language& LanguageOf(const std::string& module)
{
    static std::vector<std::pair<std::string, Language>> prepared;
    for (const auto& entry : prepared) {
        if (entry.first == module)
            return entry.second;
    }
    prepared.reserve(16);
    prepared.emplace_back(module, PrepareLanguage(test::Module(module), ""));
    return prepared.back().second;
}

const ToolSet& Tools()
{
    static const ToolSet tools = [] {
        ToolSet set = LoadToolExtensions(ExtensionsFolder(ExecutableFolder()));
        ToolSet fixtures = LoadToolExtensions(JoinPath(VARNEL_TEST_MODULES, "tools/Extensions"));
        for (ToolExtension& tool : fixtures.tools)
            set.tools.push_back(std::move(tool));
        return set;
    }();
    return tools;
}

struct ScriptRun {
    std::string file;  // the text afterwards
    std::string out;   // what print-... wrote
    std::optional<ScriptError> error;
};

// Runs the words on a document of `text` in `module`'s language, as varnel edit does.
ScriptRun RunScript(const std::string& module, const std::string& text, const std::vector<std::string>& words,
              std::optional<std::string> path = std::nullopt)
{
    EditorDocument document(text, LineEnd::Lf);
    const Language& language = LanguageOf(module);
    document.Styling().SetStyler(language.MakeStyler());
    std::ostringstream out;
    std::ostringstream warnings;
    ScriptContext context{document, language, Tools(), std::move(path), ListPreferences{}, ViewMetrics{}, nullptr, out, warnings, {}};
    ScriptRun run;
    run.error = RunEditScript(words, context);
    run.file = document.Text().FileText();
    run.out = out.str();
    return run;
}

TEST(EditorCommands, ScriptsEditAsTheWindowWould)
{
    const std::string java = "class A {\r\n  void f() { g(1); }\r\n}\r\n";
    const std::string html = "<p>one</p>\n<p>two -- three</p>\n";
    const struct {
        const char* name;
        const char* module;
        std::string text;
        std::vector<std::string> words;
        std::string file;
        std::string out;
    } cases[] = {
        {"typing a line keeps CR LF", "Birchlex", java, {"line", "2", "key", "end", "type", "\\n  int x;"},
         "class A {\r\n  void f() { g(1); }\r\n  int x;\r\n}\r\n", ""},
        {"two type commands are one undo step", "Birchlex", java, {"line", "3", "type", "a", "type", "b", "undo"}, java, ""},
        {"undo then redo", "Birchlex", java, {"line", "3", "type", "ab", "undo", "redo"},
         "class A {\r\n  void f() { g(1); }\r\nab}\r\n", ""},
        {"balance widens step by step", "Birchlex", java,
         {"caret", "26", "balance", "print-selection", "balance", "print-selection"}, java, "26 1\n23 7\n"},
        {"comment the touched lines", "Birchlex", java, {"select", "12", "5", "comment", "print-selection"},
         "class A {\r\n//  void f() { g(1); }\r\n}\r\n", "11 22\n"},
        {"comment and uncomment give the text back", "Birchlex", java,
         {"line", "1", "key", "shift-down", "key", "shift-down", "comment", "uncomment"}, java, ""},
        {"markup comments the selection", "Amberlex", html, {"select", "11", "19", "comment"},
         "<p>one</p>\n<!--<p>two -*- three</p>-->\n", ""},
        {"markup comment undone", "Amberlex", html, {"select", "11", "19", "comment", "undo"}, html, ""},
        {"cut and paste", "Birchlex", java, {"select", "0", "5", "cut", "key", "doc-end", "paste", "class"},
         " A {\r\n  void f() { g(1); }\r\n}\r\nclass", ""},
        {"shift extends, backspace deletes the selection", "Birchlex", "abcdef",
         {"caret", "1", "key", "shift-right", "key", "shift-word-right", "key", "backspace"}, "a", ""},
        {"find selects the next match and wraps", "Birchlex", "ab ab ab", {"caret", "4", "find", "ab", "print-selection",
         "find", "ab", "print-selection"}, "ab ab ab", "6 2\n0 2\n"},
        {"find across a line end", "Birchlex", "x;\r\ny", {"find", ";\\n", "print-selection"}, "x;\r\ny", "1 3\n"},
        {"replace all is one step", "Birchlex", "a.a.a\n", {"replace-all", "a", "bb", "undo", "redo"}, "bb.bb.bb\n", ""},
        {"a pattern that matches its own replacement", "Birchlex", "aa a\n", {"replace-all-regex", "a+", "[$&a]"},
         "[aaa] [aa]\n", ""},
        {"empty matches between characters", "Birchlex", "ab\n", {"replace-all-regex", "x*", "-"}, "-a-b-\n-", ""},
        {"line ends kept through a pattern's $&", "Birchlex", "a\r\nb\rc", {"replace-all-regex", "a\\nb", "<$&>"},
         "<a\r\nb>\rc", ""},
        {"line states", "Birchlex", "/* a\nb */ c\n", {"print-line-states"}, "/* a\nb */ c\n", "3\n0\n0\n"},
    };
    for (const auto& c : cases) {
        const ScriptRun run = RunScript(c.module, c.text, c.words);
        EXPECT_FALSE(run.error) << c.name << ": " << (run.error ? run.error->message : "");
        EXPECT_EQ(run.file, c.file) << c.name;
        EXPECT_EQ(run.out, c.out) << c.name;
    }
}

TEST(EditorCommands, ScriptErrorsNameTheCommandAndStop)
{
    const struct {
        std::vector<std::string> words;
        std::size_t position;
        bool usage;
    } cases[] = {
        {{"bogus"}, 1, true},
        {{"type", "a", "caret", "x"}, 2, true},
        {{"caret", "9999"}, 1, false},
        {{"select", "0", "9999"}, 1, false},
        {{"line", "0"}, 1, false},
        {{"key", "sideways"}, 1, true},
        {{"type"}, 1, true},
        {{"tool", "Nosuchtool"}, 1, false},
        {{"type", "x", "tool", "Failtool", "type", "y"}, 2, false},
        {{"save"}, 1, false},
    };
    for (const auto& c : cases) {
        const ScriptRun run = RunScript("Birchlex", "abc\n", c.words);
        ASSERT_TRUE(run.error) << c.words[0];
        EXPECT_EQ(run.error->position, c.position) << c.words[0];
        EXPECT_EQ(run.error->usage, c.usage) << c.words[0];
    }
}

TEST(EditorCommands, AToolsEditsAreOneStepAndAFailureLeavesTheText)
{
    const ScriptRun ok = RunScript("Birchlex", "abc", {"select", "1", "1", "tool", "Echotool", "print-selection"}, "/x/A.java");
    EXPECT_EQ(ok.file, "abc[1 1 /x/A.java]");
    EXPECT_EQ(ok.out, "1 1\n");
    EXPECT_EQ(RunScript("Birchlex", "abc", {"tool", "Echotool", "undo"}).file, "abc");
    // Failtool appends its note and answers 5: the note is taken back.
    const ScriptRun failed = RunScript("Birchlex", "abc", {"tool", "Failtool"});
    EXPECT_EQ(failed.file, "abc");
    ASSERT_TRUE(failed.error);
    EXPECT_NE(failed.error->message.find("answered 5"), std::string::npos);
}

TEST(EditorCommands, FunctionListOffsetsFollowLaterEdits)
{
    EditorDocument document(std::string("class A {\n  void f() {}\n  void g() {}\n}\n"), LineEnd::Lf);
    const Language& java = LanguageOf("Birchlex");
    ASSERT_TRUE(ScanFunctions(document, java, ListPreferences{}).scanned);
    ASSERT_GE(document.Functions().size(), 2u);
    std::vector<int> lines;
    for (const FunctionEntry& entry : document.Functions())
        lines.push_back(EntryLine(document, entry));
    document.SetCaret(0);
    document.Type("// new\n\n");
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(EntryLine(document, document.Functions()[i]), lines[i] + 2) << document.Functions()[i].label;
    const FunctionEntry last = document.Functions().back();
    JumpToEntry(document, last);
    const int line = EntryLine(document, last);
    EXPECT_EQ(document.GetSelection(), (Selection{document.Text().LineStart(line), document.Text().LineStart(line + 1)}));
}

} // namespace
} // namespace varnel::editor

namespace varnel::editor {
namespace {

// Many changes front to back in one step (as replace-all makes them) move the entries as
// the changes one by one would.
TEST(EditorCommands, FunctionOffsetsMoveThroughManyChangesInOneStep)
{
    std::string text = "class A {\n";
    for (int i = 0; i < 40; ++i)
        text += "void f" + std::to_string(i) + "() {}\n";
    text += "}\n";
    EditorDocument document(text, LineEnd::Lf);
    ASSERT_TRUE(ScanFunctions(document, LanguageOf("Birchlex"), ListPreferences{}).scanned);
    std::vector<int> expected;
    for (const FunctionEntry& entry : document.Functions())
        expected.push_back(entry.offset);
    ASSERT_EQ(expected.size(), 41u); // the class and its methods
    // Every "void" becomes "int", and every third "()" becomes "(int x)", front to back.
    document.BeginStep();
    int at = document.Text().LineStart(1);
    for (int i = 0; i < 40; ++i) {
        const struct {
            int offset, removed, inserted;
        } changes[] = {{at, 4, 3}, {at + 5 + static_cast<int>(std::to_string(i).size()), i % 3 == 0 ? 2 : 0, i % 3 == 0 ? 7 : 0}};
        for (const auto& change : changes) {
            if (change.removed == 0 && change.inserted == 0)
                continue;
            document.Edit(change.offset, change.removed, std::string(static_cast<std::size_t>(change.inserted), 'z'));
            for (int& offset : expected) {
                if (offset > change.offset)
                    offset = offset >= change.offset + change.removed ? offset + change.inserted - change.removed : change.offset;
            }
        }
        at = document.Text().LineStart(i + 2);
    }
    document.EndStep(Selection{});
    ASSERT_EQ(document.Functions().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(document.Functions()[i].offset, expected[i]) << i;
}

} // namespace
} // namespace varnel::editor
