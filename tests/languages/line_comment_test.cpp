// CommentLine and UncommentLine of the eight line-comment modules, through the host's proxy.
#include "host_proxy.h"
#include "module_set.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

enum class Toggle { Comment, Uncomment };

std::string Apply(const std::string& module, Toggle toggle, std::string line)
{
    const LanguagePlugin& plugin = Module(module);
    const LineCommentFn fn = toggle == Toggle::Comment ? plugin.commentLine : plugin.uncommentLine;
    EXPECT_NE(fn, nullptr) << module;
    if (fn == nullptr)
        return line;
    const KeywordMatcher matcher(plugin.defaultKeywords);
    HostProxy proxy(line, matcher, 0, ProxyPurpose::Editing);
    fn(proxy);
    EXPECT_TRUE(proxy.Runs().empty());
    EXPECT_TRUE(proxy.Errors().empty());
    return line;
}

std::string Comment(const std::string& module, const std::string& line)
{
    return Apply(module, Toggle::Comment, line);
}

std::string Uncomment(const std::string& module, const std::string& line)
{
    return Apply(module, Toggle::Uncomment, line);
}

struct Token {
    const char* module;
    const char* open;
    const char* close;
};

const Token kTokens[] = {
    {"Birchlex", "//", ""}, {"Ivylex", "//", ""}, {"Elmlex", "//", ""}, {"Hazellex", "#", ""},
    {"Juniperlex", "#", ""}, {"Firlex", "%", ""}, {"Cedarlex", "(*", "*)"}, {"Kelplex", "(*", "*)"},
};

void PrintTo(const Token& token, std::ostream* out)
{
    *out << token.module;
}

class LineComments : public ::testing::TestWithParam<Token> {};

TEST_P(LineComments, CommentWrapsTheLineAndUncommentRestoresIt)
{
    const Token& t = GetParam();
    for (const char* text : {"x = 1;", "  indented", "\tx", "é ü", "a\r"}) {
        const std::string line = text;
        const std::string commented = Comment(t.module, line);
        EXPECT_EQ(commented, t.open + line + t.close);
        EXPECT_EQ(Uncomment(t.module, commented), line);
    }
}

TEST_P(LineComments, EmptyLineBecomesTheBareTokenAndIsLeftByUncomment)
{
    const Token& t = GetParam();
    EXPECT_EQ(Comment(t.module, ""), std::string(t.open) + t.close);
    EXPECT_EQ(Uncomment(t.module, ""), "");
    EXPECT_EQ(Uncomment(t.module, Comment(t.module, "")), "");
}

TEST_P(LineComments, TokenAfterBlanksOrInsideIsNotRecognised)
{
    const Token& t = GetParam();
    for (const std::string& line : {std::string(" ") + t.open + "x", std::string("x") + t.open + "y",
                                   std::string("\t") + t.open}) {
        EXPECT_EQ(Uncomment(t.module, line), line);
    }
}

TEST_P(LineComments, CommentingTwiceNestsAndUncommentRemovesOneLevel)
{
    const Token& t = GetParam();
    const std::string twice = Comment(t.module, Comment(t.module, "code"));
    EXPECT_EQ(twice, std::string(t.open) + t.open + "code" + t.close + t.close);
    EXPECT_EQ(Uncomment(t.module, twice), std::string(t.open) + "code" + t.close);
}

INSTANTIATE_TEST_SUITE_P(EveryLineCommentModule, LineComments, ::testing::ValuesIn(kTokens),
                         [](const auto& info) { return std::string(info.param.module); });

TEST(LineComments, ShellPutsTheTokenBeforeIndentation)
{
    EXPECT_EQ(Comment("Hazellex", "  echo hi"), "#  echo hi");
    EXPECT_EQ(Uncomment("Hazellex", " # echo hi"), " # echo hi");
    EXPECT_EQ(Uncomment("Hazellex", "#"), "");
    EXPECT_EQ(Uncomment("Juniperlex", "##x"), "#x");
}

TEST(LineComments, DoubleSlashNeedsBothSlashes)
{
    for (const char* module : {"Birchlex", "Ivylex", "Elmlex"}) {
        EXPECT_EQ(Uncomment(module, "/"), "/") << module;
        EXPECT_EQ(Uncomment(module, "/x"), "/x") << module;
        EXPECT_EQ(Uncomment(module, "/*x*/"), "/*x*/") << module;
        EXPECT_EQ(Uncomment(module, "//"), "") << module;
        EXPECT_EQ(Uncomment(module, "///x"), "/x") << module;
    }
}

TEST(LineComments, BracketTokensAreRemovedIndependently)
{
    for (const char* module : {"Cedarlex", "Kelplex"}) {
        EXPECT_EQ(Comment(module, "x := 1;"), "(*x := 1;*)") << module;
        EXPECT_EQ(Uncomment(module, "x := 1; *)"), "x := 1; ") << module;
        EXPECT_EQ(Uncomment(module, "(* x := 1;"), " x := 1;") << module;
        EXPECT_EQ(Uncomment(module, "("), "(") << module;
        EXPECT_EQ(Uncomment(module, ")"), ")") << module;
        EXPECT_EQ(Uncomment(module, "*)"), "") << module;
        EXPECT_EQ(Uncomment(module, "(*"), "") << module;
        // "(*)": the opening token goes first, and one character is too short to close.
        EXPECT_EQ(Uncomment(module, "(*)"), ")") << module;
        EXPECT_EQ(Uncomment(module, "(**)"), "") << module;
        EXPECT_EQ(Uncomment(module, "( *x* )"), "( *x* )") << module;
    }
}

TEST(LineComments, TexRemovesOnlyTheFirstPercent)
{
    EXPECT_EQ(Uncomment("Firlex", "%%x"), "%x");
    EXPECT_EQ(Uncomment("Firlex", "%é"), "é");
    EXPECT_EQ(Uncomment("Firlex", "%"), "");
    EXPECT_EQ(Uncomment("Firlex", "x%"), "x%");
    EXPECT_EQ(Comment("Firlex", "\\section{A}"), "%\\section{A}");
}

TEST(LineComments, MarkupModulesHaveNoLineComments)
{
    for (const char* module : {"Amberlex", "Larchlex"}) {
        EXPECT_EQ(Module(module).commentLine, nullptr) << module;
        EXPECT_EQ(Module(module).uncommentLine, nullptr) << module;
    }
}

} // namespace
} // namespace varnel::test
