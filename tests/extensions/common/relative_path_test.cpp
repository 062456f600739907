// Links from a document to a file, relative to the document's folder.
#include "plugin_dialog.h"

#include <gtest/gtest.h>

namespace {

struct RelativeCase {
    const char* document;
    const char* target;
    const char* expected;
};

class MakeRelativePathTest : public ::testing::TestWithParam<RelativeCase> {};

TEST_P(MakeRelativePathTest, GivesTheLink)
{
    std::string relative = "left over";
    TPluginDialog::MakeRelativePath(GetParam().document, GetParam().target, relative);
    EXPECT_EQ(relative, GetParam().expected) << GetParam().document << " -> " << GetParam().target;
}

INSTANTIATE_TEST_SUITE_P(Paths, MakeRelativePathTest, ::testing::Values(
    RelativeCase{"/C:/site/pages/index.html", "/C:/site/img/logo.gif", "../img/logo.gif"},
    RelativeCase{"/C:/site/index.html", "/C:/site/a.gif", "./a.gif"},
    RelativeCase{"/C:/site/index.html", "/C:/site/img/a.gif", "./img/a.gif"},
    RelativeCase{"/C:/a/b.html", "/D:/x.gif", "../../D:/x.gif"},
    RelativeCase{"/C:/site/index.html", "/C:/site/index.html", "./index.html"},
    RelativeCase{"/C:/site/index.html", "/C:/site/indexes/a.gif", "./indexes/a.gif"}, // common prefix mid-name
    RelativeCase{"/C:/site/a/b/c.html", "/C:/site/x.gif", "../../x.gif"},
    RelativeCase{"index.html", "a.gif", "./a.gif"}));

} // namespace
