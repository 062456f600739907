// Locating and reading an existing anchor tag, building the opening tag, and applying it.
#include "anchor_tag.h"
#include "host_error.h"
#include "tool_modules.h"

#include <gtest/gtest.h>

namespace varnel::tool::anchor {
namespace {

using test::RefusingProxy;

// A document with the selection at the "|" marks: one mark is a caret, two a selection.
TextProxy Document(std::string marked)
{
    const std::size_t first = marked.find('|');
    marked.erase(first, 1);
    std::size_t second = marked.find('|');
    if (second != std::string::npos)
        marked.erase(second, 1);
    else
        second = first;
    TextProxy document(marked);
    document.Select(static_cast<int>(first), static_cast<int>(second - first));
    return document;
}

struct LocateCase {
    const char* marked;
    const char* tag; // the tag's inside, or null when no anchor tag is found
};

class LocateAnchorTagTest : public ::testing::TestWithParam<LocateCase> {};

TEST_P(LocateAnchorTagTest, FindsTheOpeningTag)
{
    TextProxy document = Document(GetParam().marked);
    const std::optional<TagRange> range = LocateAnchorTag(document);
    if (GetParam().tag == nullptr) {
        EXPECT_FALSE(range.has_value()) << GetParam().marked;
        return;
    }
    ASSERT_TRUE(range.has_value()) << GetParam().marked;
    EXPECT_EQ(document.Text().substr(range->start, range->length), GetParam().tag) << GetParam().marked;
}

INSTANTIATE_TEST_SUITE_P(Documents, LocateAnchorTagTest, ::testing::Values(
    LocateCase{"plain |text", nullptr},
    LocateCase{"|<a href=\"x.html\">|link</a>", "a href=\"x.html\""},
    LocateCase{"<a hr|ef=\"x.html\">link</a>", "a href=\"x.html\""},
    LocateCase{"<A HREF=x NAME=y|>", "A HREF=x NAME=y"},
    LocateCase{"<a|>", "a"},
    LocateCase{"<|a>", "a"},
    LocateCase{"<abbr ti|tle=x>", nullptr},
    LocateCase{"<b>text|</b>", nullptr},
    LocateCase{"<a href=x>cont|ent</a>", "a href=x"},     // the caret in the content
    LocateCase{"<a href=x>some |content|</a>", "a href=x"},
    LocateCase{"|<a href=x>content</a>|", "a href=x"},   // the whole element selected
    LocateCase{"<a href=x>some <b>bo|ld</b></a>", nullptr},
    LocateCase{"<a href=x|", nullptr},                     // no ">" before the end
    LocateCase{"a hre|f=x>", nullptr},                     // no "<" before it
    LocateCase{"|", nullptr},
    LocateCase{"<a1 h|ref=x>", "a1 href=x"},
    // A ">" inside a quoted value does not end the tag.
    LocateCase{"<a title=\"1>0\" hr|ef=\"x\">t</a>", "a title=\"1>0\" href=\"x\""},
    LocateCase{"<a title=\"1>|0\" href=\"x\">t</a>", "a title=\"1>0\" href=\"x\""},
    LocateCase{"|<a title=\"1>0\" href=\"x\">|t</a>", "a title=\"1>0\" href=\"x\""},
    LocateCase{"<a title=\"1>0\">co|ntent</a>", "a title=\"1>0\""},
    LocateCase{"<a title=\"un|closed>", nullptr}));

struct AttributeCase {
    const char* tag; // the whole opening tag
    std::optional<std::string> href;
    std::optional<std::string> name;
    std::optional<std::string> title;
};

class ReadAnchorAttributesTest : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(ReadAnchorAttributesTest, ReadsTheValues)
{
    const std::string tag = GetParam().tag;
    TextProxy document(tag + "text</a> after");
    const AnchorAttributes attributes =
        ReadAnchorAttributes(document, TagRange{1, static_cast<int>(tag.size()) - 2});
    EXPECT_EQ(attributes.href, GetParam().href) << tag;
    EXPECT_EQ(attributes.name, GetParam().name) << tag;
    EXPECT_EQ(attributes.title, GetParam().title) << tag;
}

const std::nullopt_t none = std::nullopt;

INSTANTIATE_TEST_SUITE_P(Tags, ReadAnchorAttributesTest, ::testing::Values(
    AttributeCase{"<a href=\"x.html\">", "x.html", none, none},
    AttributeCase{"<A HREF=\"x.html\" NAME=\"top\">", "x.html", "top", none},
    AttributeCase{"<a title=\"A title\" name=n href=y>", "y", "n", "A title"},
    AttributeCase{"<a hreflang=\"en\" href=\"z\">", "z", none, none},
    AttributeCase{"<a hreflang=\"en\">", none, none, none},
    AttributeCase{"<a href='x.html'>", "'x.html'", none, none},
    AttributeCase{"<a href = \"spaced\">", "spaced", none, none},
    AttributeCase{"<a name>", none, "", none},
    AttributeCase{"<a href=unquoted>", "unquoted", none, none},
    AttributeCase{"<a href=\"unclosed>", "unclosed", none, none},
    AttributeCase{"<a>", none, none, none},
    AttributeCase{"<a\thref=\"t\"\ttitle=\"u\">", "t", none, "u"}));

struct BuildCase {
    const char* href;
    const char* name;
    const char* title;
    const char* expected;
};

class BuildOpeningTagTest : public ::testing::TestWithParam<BuildCase> {};

TEST_P(BuildOpeningTagTest, PutsTheNonEmptyFieldsInOrder)
{
    EXPECT_EQ(BuildOpeningTag(GetParam().href, GetParam().name, GetParam().title), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, BuildOpeningTagTest, ::testing::Values(
    BuildCase{"x.html", "n", "t", "<a href=\"x.html\" name=\"n\" title=\"t\">"},
    BuildCase{"", "", "", "<a>"},
    BuildCase{"http://", "", "", "<a href=\"http://\">"},
    BuildCase{"", "top", "", "<a name=\"top\">"},
    BuildCase{"a\"b", "", "<&>", "<a href=\"a\"b\" title=\"<&>\">"})); // as typed, no escaping

struct ApplyCase {
    const char* marked;
    bool editingExisting;
    const char* expected;
    int selectionStart;
    int selectionLength;
};

class ApplyAnchorTest : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyAnchorTest, EditsTheDocument)
{
    TextProxy document = Document(GetParam().marked);
    ApplyAnchor(document, "<a href=\"n\">", GetParam().editingExisting);
    EXPECT_EQ(document.Text(), GetParam().expected);
    EXPECT_EQ(document.SelectionStart(), GetParam().selectionStart);
    EXPECT_EQ(document.SelectionLength(), GetParam().selectionLength);
}

INSTANTIATE_TEST_SUITE_P(Documents, ApplyAnchorTest, ::testing::Values(
    ApplyCase{"plain |text", false, "plain <a href=\"n\"></a>text", 18, 0},
    ApplyCase{"a |word| b", false, "a <a href=\"n\">word</a> b", 14, 4},
    ApplyCase{"|<a href=x>|t</a>", true, "<a href=\"n\">t</a>", 0, 12},
    ApplyCase{"x|", true, "x<a href=\"n\">", 1, 12}));

struct ApplyRefusalCase {
    RefusingProxy::Edit refused;
    int fromCall;
    bool editingExisting;
    const char* expected; // the text the refusal leaves
};

class ApplyRefusedTest : public ::testing::TestWithParam<ApplyRefusalCase> {};

TEST_P(ApplyRefusedTest, ThrowsTheHostsCode)
{
    RefusingProxy document("<a href=x>t</a>", std::nullopt, GetParam().refused, GetParam().fromCall, 42);
    document.TextProxy::Select(0, 10);
    try {
        ApplyAnchor(document, "<a>", GetParam().editingExisting);
        ADD_FAILURE() << "no error thrown";
    } catch (const HostError& error) {
        EXPECT_EQ(error.code, 42);
    }
    EXPECT_EQ(document.Text(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Edits, ApplyRefusedTest, ::testing::Values(
    ApplyRefusalCase{RefusingProxy::Edit::Insert, 1, false, "<a href=x>t</a>"},
    ApplyRefusalCase{RefusingProxy::Edit::Insert, 2, false, "<a><a href=x>t</a>"},
    ApplyRefusalCase{RefusingProxy::Edit::Select, 1, false, "<a><a href=x></a>t</a>"},
    ApplyRefusalCase{RefusingProxy::Edit::Insert, 1, true, "t</a>"},
    ApplyRefusalCase{RefusingProxy::Edit::Select, 1, true, "<a>t</a>"}));

TEST(ApplyAnchor, RefusedDeleteOfTheOldTagEndsTheEdit)
{
    // The new tag must not go in beside an old one that is still there.
    RefusingProxy document("<a href=x>t</a>", std::nullopt, RefusingProxy::Edit::Delete, 1, 42);
    document.TextProxy::Select(0, 10);
    try {
        ApplyAnchor(document, "<a>", true);
        ADD_FAILURE() << "no error thrown";
    } catch (const HostError& error) {
        EXPECT_EQ(error.code, 42);
    }
    EXPECT_EQ(document.Text(), "<a href=x>t</a>");
}

} // namespace
} // namespace varnel::tool::anchor
