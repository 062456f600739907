// Templates for new documents.
#include "templates.h"

#include "file_system.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace varnel::editor {
namespace {

std::vector<std::string> Names(const std::vector<DocumentTemplate>& templates)
{
    std::vector<std::string> names;
    for (const DocumentTemplate& t : templates)
        names.push_back(t.name + "|" + t.fileName);
    return names;
}

TEST(Templates, ListedSortedByNameWithoutHiddenFilesOrFolders)
{
    const test::ScratchFolder folder;
    for (const char* name : {"b.txt", "a.h", "A.cpp", "noext", ".hidden", "Strict.xhtml", "two.dots.html", ".x.cpp"})
        ASSERT_TRUE(WriteFile(folder / name, std::string("content of ") + name));
    std::filesystem::create_directory(folder / "Folder.cpp");

    const std::vector<DocumentTemplate> templates = ListTemplates(folder.Path());
    EXPECT_EQ(Names(templates), (std::vector<std::string>{"A|A.cpp", "a|a.h", "b|b.txt", "noext|noext",
                                                          "Strict|Strict.xhtml", "two.dots|two.dots.html"}));
    for (const DocumentTemplate& t : templates) {
        EXPECT_EQ(t.path, folder / t.fileName);
        EXPECT_EQ(NewFromTemplate(t), "content of " + t.fileName);
    }
    EXPECT_TRUE(ListTemplates(folder / "missing").empty());
}

TEST(Templates, TheInstalledTemplatesAreListedAndCopiedAsTheyAre)
{
    const std::string installFolder = std::string(VARNEL_TEST_DATA) + "/../../setup/payload";
    const std::vector<DocumentTemplate> templates = ListTemplates(TemplatesFolder(installFolder));
    EXPECT_EQ(Names(templates), (std::vector<std::string>{"Header|Header.h", "Page|Page.html", "Program|Program.cpp",
                                                          "Strict|Strict.xhtml", "Transitional|Transitional.xhtml"}));
    for (const DocumentTemplate& t : templates) {
        const std::optional<std::string> bytes = NewFromTemplate(t);
        ASSERT_TRUE(bytes) << t.path;
        EXPECT_FALSE(bytes->empty());
        EXPECT_EQ(bytes, ReadFile(t.path));
    }
}

TEST(Templates, AVanishedTemplateCannotBeUsed)
{
    const test::ScratchFolder folder;
    ASSERT_TRUE(WriteFile(folder / "Gone.txt", "x"));
    const std::vector<DocumentTemplate> templates = ListTemplates(folder.Path());
    ASSERT_EQ(templates.size(), 1u);
    ASSERT_TRUE(std::filesystem::remove(templates[0].path));
    std::string error;
    EXPECT_EQ(NewFromTemplate(templates[0], &error), std::nullopt);
    EXPECT_FALSE(error.empty());
}

} // namespace
} // namespace varnel::editor
