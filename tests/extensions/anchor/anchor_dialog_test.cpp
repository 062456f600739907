// The anchor dialog as the terminal shows it: answers typed one per line, the document
// it leaves, files dropped on it, and host errors while OK is applied.
#include "anchor_dialog.h"
#include "anchor_resource.h"
#include "dialog_form.h"
#include "host_error.h"
#include "tool_modules.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace varnel::tool {
namespace {

using test::RefusingProxy;

// Runs the dialog as Perform does, with the answers as typed input.
int RunDialog(TPluginDialog& dialog, const std::string& answers, std::string* prompts = nullptr)
{
    std::istringstream input(answers);
    std::ostringstream shown;
    SetFormStreams(input, shown, prompts != nullptr);
    const int result = RunPerform([&] { dialog.DoModal(ANCHOR_DIALOG); });
    if (prompts != nullptr)
        *prompts = shown.str();
    return result;
}

struct DialogCase {
    const char* name;
    const char* text;
    int selectionStart;
    int selectionLength;
    const char* answers; // the file to choose, link, name, title, then OK or Cancel
    const char* expected;
};

class AnchorDialogTest : public ::testing::TestWithParam<DialogCase> {};

TEST_P(AnchorDialogTest, LeavesTheExpectedText)
{
    const DialogCase& c = GetParam();
    TextProxy document(c.text);
    document.Select(c.selectionStart, c.selectionLength);
    CAnchor dialog(document);
    EXPECT_EQ(RunDialog(dialog, c.answers), 0);
    EXPECT_EQ(document.Text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Answers, AnchorDialogTest, ::testing::Values(
    DialogCase{"CaretInPlainTextDefaults", "plain text", 6, 0, "\n\n\n\n\n",
               "plain <a href=\"http://\"></a>text"},
    DialogCase{"SelectionWrapped", "see this page", 4, 4, "\nx.html\nn\nTitle\nOK\n",
               "see <a href=\"x.html\" name=\"n\" title=\"Title\">this</a> page"},
    DialogCase{"AllFieldsEmptied", "ab", 1, 0, "\n-\n\n\n\n", "a<a></a>b"},
    DialogCase{"CancelChangesNothing", "plain text", 6, 0, "\nx.html\n\n\nCancel\n", "plain text"},
    DialogCase{"EndOfInputChangesNothing", "plain text", 6, 0, "\nx.html\n", "plain text"},
    DialogCase{"UnknownAnswerIsAskedAgain", "ab", 1, 0, "\n\n\n\nmaybe\nok\n", "a<a href=\"http://\"></a>b"},
    DialogCase{"WholeTagSelectedIsReplaced", "<a href=\"x.html\">link</a>", 0, 17, "\n\n\n\n\n",
               "<a href=\"x.html\">link</a>"},
    DialogCase{"ExistingTagEdited", "<a href=\"x.html\">link</a>", 0, 17, "\ny.html\ntop\n\n\n",
               "<a href=\"y.html\" name=\"top\">link</a>"},
    DialogCase{"CaretInCapitalTag", "<A HREF=\"u\" NAME=\"v\">w</A>", 3, 0, "\n\n\nt\n\n",
               "<a href=\"u\" name=\"v\" title=\"t\">w</A>"},
    DialogCase{"CaretInContentKeepsContent", "<p><a href=\"x\">the content</a></p>", 20, 0,
               "\n\nnamed\n\n\n", "<p><a href=\"x\" name=\"named\">the content</a></p>"},
    DialogCase{"AbbreviationTagIsNoAnchor", "<abbr title=\"t\">x</abbr>", 3, 0, "\n\n\n\n\n",
               "<ab<a href=\"http://\"></a>br title=\"t\">x</abbr>"},
    DialogCase{"SingleQuotesStayInTheField", "<a href='q'>x</a>", 2, 0, "\n\n\n\n\n",
               "<a href=\"'q'\">x</a>"},
    DialogCase{"ChosenFileNeverSavedIsAbsolute", "x", 0, 1, "/site/img/a.gif\n\n\n\n\n",
               "<a href=\"/site/img/a.gif\">x</a>"}),
    [](const ::testing::TestParamInfo<DialogCase>& info) { return std::string(info.param.name); });

TEST(AnchorDialog, PromptsShowTheFieldsWithTheirTexts)
{
    TextProxy document("<a name=\"top\">x</a>");
    document.Select(2, 0);
    CAnchor dialog(document);
    std::string prompts;
    EXPECT_EQ(RunDialog(dialog, "\n\n\n\nCancel\n", &prompts), 0);
    EXPECT_EQ(prompts,
              "Gorsetool\n"
              "Choose a file to link to (a path; empty: none): "
              "Anchor [http://]: Name [top]: Text []: OK or Cancel [OK]: ");
}

TEST(AnchorDialog, ChosenFileIsRelativeToTheDocument)
{
    TextProxy document("x", std::string("/site/pages/index.html"));
    document.Select(0, 1);
    CAnchor dialog(document);
    EXPECT_EQ(RunDialog(dialog, "/site/img/logo.gif\n\n\n\n\n"), 0);
    EXPECT_EQ(document.Text(), "<a href=\"../img/logo.gif\">x</a>");
}

// Drops files on the dialog when its "..." button is pressed: the terminal form has no
// drag and drop of its own.
class DroppingAnchor : public CAnchor {
public:
    DroppingAnchor(VTextProxy& document, std::vector<std::string> files)
        : CAnchor(document), files_(std::move(files))
    {
    }

    void OnCommand(int controlId) override
    {
        if (controlId == ANCHOR_CHOOSE)
            DialogProc(nullptr, kDropFilesMessage, reinterpret_cast<MessageWord>(&files_), 0);
        else
            CAnchor::OnCommand(controlId);
    }

private:
    std::vector<std::string> files_;
};

struct DropCase {
    const char* documentPath; // empty: never saved
    std::vector<std::string> files;
    const char* expected;
};

class DroppedFilesTest : public ::testing::TestWithParam<DropCase> {};

TEST_P(DroppedFilesTest, FirstFileBecomesTheLink)
{
    const DropCase& c = GetParam();
    TextProxy document("x", *c.documentPath ? std::optional<std::string>(c.documentPath) : std::nullopt);
    document.Select(0, 1);
    DroppingAnchor dialog(document, c.files);
    EXPECT_EQ(RunDialog(dialog, "\n\n\n\n"), 0);
    EXPECT_EQ(document.Text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Drops, DroppedFilesTest, ::testing::Values(
    DropCase{"/site/index.html", {"/site/img/a.gif", "/site/b.gif"}, "<a href=\"./img/a.gif\">x</a>"},
    DropCase{"C:\\site\\pages\\index.html", {"C:\\site\\img\\logo.gif"}, "<a href=\"../img/logo.gif\">x</a>"},
    DropCase{"", {"C:\\site\\img\\a.gif"}, "<a href=\"/C:/site/img/a.gif\">x</a>"},
    DropCase{"/site/index.html", {}, "<a href=\"http://\">x</a>"}));

struct HostErrorCase {
    RefusingProxy::Edit refused;
    int fromCall;
    int result;
    const char* expected;
};

class AnchorHostErrorTest : public ::testing::TestWithParam<HostErrorCase> {};

TEST_P(AnchorHostErrorTest, PerformAnswersTheCode)
{
    const HostErrorCase& c = GetParam();
    RefusingProxy document("ab", std::nullopt, c.refused, c.fromCall, 77);
    document.TextProxy::Select(1, 0);
    CAnchor dialog(document);
    EXPECT_EQ(RunDialog(dialog, "\n\n\n\n\n"), c.result);
    EXPECT_EQ(document.Text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Edits, AnchorHostErrorTest, ::testing::Values(
    HostErrorCase{RefusingProxy::Edit::Insert, 1, 77, "ab"},
    HostErrorCase{RefusingProxy::Edit::Insert, 2, 77, "a<a href=\"http://\">b"},
    HostErrorCase{RefusingProxy::Edit::Select, 1, 77, "a<a href=\"http://\"></a>b"},
    HostErrorCase{RefusingProxy::Edit::Delete, 1, 0, "a<a href=\"http://\"></a>b"}));

TEST(AnchorDialog, SelectRefusedWhileOpeningEndsWithTheCodeAndNoEdit)
{
    // OK would replace the selection, which is not the old tag: the dialog ends with the
    // host's code instead, and the element keeps its tag and content.
    RefusingProxy document("<a href=\"x\">t</a>", std::nullopt, RefusingProxy::Edit::Select, 1, 5);
    document.TextProxy::Select(3, 0);
    CAnchor dialog(document);
    EXPECT_EQ(RunDialog(dialog, "\n\n\n\n\n"), 5);
    EXPECT_EQ(document.Text(), "<a href=\"x\">t</a>");
}

TEST(AnchorDialog, ExistingTagWithABracketInAQuotedValueIsReplacedWhole)
{
    TextProxy document("<a title=\"1>0\" href=\"x\">t</a>");
    document.Select(20, 0);
    CAnchor dialog(document);
    EXPECT_EQ(RunDialog(dialog, "\n\n\n\n\n"), 0);
    EXPECT_EQ(document.Text(), "<a href=\"x\" title=\"1>0\">t</a>");
}

} // namespace
} // namespace varnel::tool
