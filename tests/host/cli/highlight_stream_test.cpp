// `varnel highlight` reads its input in pieces as it colours it. Whatever the size of
// the pieces (--piece-size, hidden, for these tests) and wherever the line ends fall,
// every output form must be what colouring the whole file as one Document gives, for
// files and for standard input.
#include "file_system.h"
#include "highlight_output.h"
#include "language.h"
#include "plugin_loader.h"
#include "run_varnel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace varnel {
namespace {

using test::Result;
using test::Varnel;
using test::VarnelReading;

// The modules the varnel command uses, loaded once.
const PluginSet& Plugins()
{
    static const PluginSet set = LoadLanguagePlugins(LanguagesFolder(ExecutableFolder()));
    return set;
}

struct FormatCase {
    const char* option;
    HighlightFormat format;
};

const FormatCase kFormats[] = {
    {"--ansi", HighlightFormat::Ansi},     {"--html", HighlightFormat::Html},
    {"--runs", HighlightFormat::Runs},     {"--styled", HighlightFormat::Styled},
    {"--plain", HighlightFormat::Plain},
};

// What colouring the whole text as one document writes.
std::string WholeDocument(const std::string& languageName, const std::string& text, HighlightFormat format,
                          const std::string& title)
{
    const LanguagePlugin* plugin = FindLanguageByName(Plugins(), languageName);
    EXPECT_NE(plugin, nullptr) << languageName;
    if (plugin == nullptr)
        return {};
    const Language language = PrepareLanguage(*plugin, "");
    Document document(text);
    std::ostringstream out;
    StyleAndWrite(out, document, language.MakeStyler(), language.styles, format, title);
    return out.str();
}

struct TextCase {
    const char* name;
    const char* file; // its name, which chooses the language
    const char* language;
    std::string text;
};

const std::vector<TextCase>& Texts()
{
    static const std::vector<TextCase> texts = {
        {"empty input", "Empty.java", "Java", ""},
        {"no final line end", "Last.java", "Java", "class A {\n  int x; // end"},
        {"CR LF throughout", "Crlf.java", "Java", "/* a\r\n * comment\r\n */\r\nclass B { String s = \"x\"; }\r\n"},
        {"lone CRs", "Cr.java", "Java", "class C {\r/* open\rstill */ int y;\r}\r"},
        {"every line end, blank lines", "Mixed.java", "Java", "\r\n\n\r/**\r\n\n*/\rint z;\n\r\n"},
        {"a line longer than the pieces", "Long.java", "Java",
         "class D {\r\n  String s = \"" + std::string(500, 'q') + "\"; /* " + std::string(300, 'c') +
             "\r\n */ }\r\n"},
        {"markup with a script", "page.html", "HTML",
         "<html>\r\n<script>\r\nvar a = '<b>';\r\n/* x\r\n*/</script>\r\n<p>caf\xc3\xa9 &amp;</p>"},
        {"Python strings across lines", "strings.py", "Python", "s = '''one\r\ntwo\r'''\nt = \"x\"\r\n"},
    };
    return texts;
}

class HighlightStream : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text)
    {
        const std::string path = JoinPath(::testing::TempDir(), name);
        EXPECT_TRUE(WriteFile(path, text));
        return path;
    }
};

TEST_F(HighlightStream, EveryFormAndPieceSizeWritesWhatTheWholeDocumentGives)
{
    for (const TextCase& c : Texts()) {
        const std::string file = Write(c.file, c.text);
        for (const FormatCase& f : kFormats) {
            SCOPED_TRACE(std::string(c.name) + " " + f.option);
            const std::string expected = WholeDocument(c.language, c.text, f.format, c.file);
            for (const char* piece : {"", "1", "2", "3", "4", "7", "16"}) {
                std::vector<std::string> args = {"highlight", f.option, file};
                if (*piece != '\0')
                    args.insert(args.end(), {"--piece-size", piece});
                const Result r = Varnel(args);
                EXPECT_EQ(r.status, 0) << r.err;
                EXPECT_EQ(r.err, "");
                EXPECT_EQ(r.out, expected) << "pieces of " << (*piece != '\0' ? piece : "the default size");
            }
        }
    }
}

TEST_F(HighlightStream, StandardInputIsReadInPiecesToo)
{
    for (const TextCase& c : Texts()) {
        for (const FormatCase& f : kFormats) {
            SCOPED_TRACE(std::string(c.name) + " " + f.option);
            const std::string expected = WholeDocument(c.language, c.text, f.format, "standard input");
            for (const char* piece : {"1", "5", "65536"}) {
                for (const char* file : {"-", ""}) { // "-", or no FILE with input from a pipe
                    std::vector<std::string> args = {"highlight", f.option, "--language", c.language,
                                                     "--piece-size", piece};
                    if (*file != '\0')
                        args.push_back(file);
                    const Result r = VarnelReading(args, c.text);
                    EXPECT_EQ(r.status, 0) << r.err;
                    EXPECT_EQ(r.out, expected) << "pieces of " << piece;
                }
            }
        }
    }
}

TEST_F(HighlightStream, InputThatCannotBeReadIsReportedBeforeAnythingIsWritten)
{
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"highlight", "--ansi", JoinPath(::testing::TempDir(), "absent.java")}, "cannot read "},
        {{"highlight", "--ansi", ::testing::TempDir()}, "it is a folder"},
        {{"highlight", "--runs", Write("claimed-by-none.zzz", "x\n")}, "no language plug-in claims claimed-by-none.zzz"},
        {{"highlight", "--runs", Write("named.java", "x\n"), "--language", "Cobol"}, "unknown language 'Cobol'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const Result r = Varnel(c.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

#if !defined(_WIN32)
TEST_F(HighlightStream, AFailingDiskIsAFailure)
{
    const std::string file = Write("failing.java", "class A {}\n");
    const std::string out = JoinPath(::testing::TempDir(), "failing.out");
    const std::string err = JoinPath(::testing::TempDir(), "failing.err");
    const std::string command = std::string("ASAN_OPTIONS=verify_asan_link_order=0 LD_PRELOAD='") +
                                VARNEL_FAILING_READ + "' FAIL_READS_OF=/failing.java '" +
                                JoinPath(ExecutableFolder(), "varnel") + "' highlight --ansi '" + file + "' >'" + out +
                                "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(ReadFile(out), "");
    const std::string message = ReadFile(err).value_or("");
    EXPECT_NE(message.find("cannot read " + file + ": Input/output error"), std::string::npos) << message;
}
#endif

} // namespace
} // namespace varnel
