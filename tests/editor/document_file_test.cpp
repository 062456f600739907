#include "document_file.h"

#include "file_system.h"
#include "module_set.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace varnel::editor {
namespace {

TEST(EditorFiles, AnyBytesOpenAndSaveUnchanged)
{
    test::ScratchFolder folder;
    const std::string kinds[] = {
        std::string("bin\0ary\r\n\xFF\xFE\rlast", 17),
        "crlf\r\nlines\r\n",
        "",
        std::string("\0", 1),
    };
    for (const std::string& bytes : kinds) {
        ASSERT_TRUE(WriteFile(folder / "f.dat", bytes));
        std::string error;
        const std::unique_ptr<DocumentFile> file = OpenDocumentFile(folder / "f.dat", test::BuiltPlugins(), &error);
        ASSERT_TRUE(file) << error;
        EXPECT_EQ(file->plugin, nullptr);
        // Edited and edited back, then saved: the same bytes.
        file->document->SetCaret(0);
        file->document->Type("x");
        file->document->Backspace();
        ASSERT_TRUE(SaveDocumentFile(*file, &error)) << error;
        EXPECT_EQ(ReadFile(folder / "f.dat"), bytes);
    }
}

TEST(EditorFiles, SavingRevertingAndChangesOnDisk)
{
    test::ScratchFolder folder;
    ASSERT_TRUE(WriteFile(folder / "A.java", "class A {\r\n}\r\n"));
    std::string error;
    std::unique_ptr<DocumentFile> file = OpenDocumentFile(folder / "A.java", test::BuiltPlugins(), &error);
    ASSERT_TRUE(file) << error;
    ASSERT_NE(file->plugin, nullptr);
    EXPECT_EQ(file->plugin->name, "Java");
    EXPECT_FALSE(FileChangedOnDisk(*file));

    file->document->SetCaret(file->document->Text().LineStart(1));
    file->document->Type("  int x;\n");
    EXPECT_TRUE(file->document->Modified());
    ASSERT_TRUE(SaveDocumentFile(*file, &error)) << error;
    EXPECT_FALSE(file->document->Modified());
    EXPECT_EQ(ReadFile(folder / "A.java"), "class A {\r\n  int x;\r\n}\r\n");
    EXPECT_FALSE(FileChangedOnDisk(*file));

    // Something else writes the file: noticed; Revert reads it and forgets the history.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(WriteFile(folder / "A.java", "class B {}\n"));
    EXPECT_TRUE(FileChangedOnDisk(*file));
    file->document->Type("y");
    ASSERT_TRUE(RevertDocumentFile(*file, &error)) << error;
    EXPECT_EQ(file->document->Text().FileText(), "class B {}\n");
    EXPECT_FALSE(file->document->Modified());
    EXPECT_FALSE(file->document->CanUndo());
    EXPECT_FALSE(FileChangedOnDisk(*file));

    // A file that cannot be written: the reason, the document still modified, the file as it was.
    file->document->Type("z");
    file->path = folder / "missing-folder/A.java";
    EXPECT_FALSE(SaveDocumentFile(*file, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(file->document->Modified());
    EXPECT_TRUE(FileChangedOnDisk(*file)); // nothing is there

    // Save As takes the new name and the language that claims it.
    ASSERT_TRUE(SaveDocumentFileAs(*file, folder / "script.py", test::BuiltPlugins(), &error)) << error;
    EXPECT_EQ(file->title, "script.py");
    EXPECT_EQ(file->plugin->name, "Python");
    EXPECT_EQ(ReadFile(folder / "script.py"), "zclass B {}\n");
    EXPECT_FALSE(file->document->Modified());
}

TEST(EditorFiles, UnreadableFilesAndUntitledDocuments)
{
    test::ScratchFolder folder;
    std::string error;
    EXPECT_FALSE(OpenDocumentFile(folder / "none.txt", test::BuiltPlugins(), &error));
    EXPECT_FALSE(error.empty());
    const std::unique_ptr<DocumentFile> untitled = NewDocumentFile("<html>\n", "Untitled 1", test::BuiltPlugins(), "page.html");
    ASSERT_NE(untitled->plugin, nullptr);
    EXPECT_EQ(untitled->plugin->name, "HTML");
    EXPECT_FALSE(untitled->document->Modified());
    EXPECT_FALSE(SaveDocumentFile(*untitled, &error));
    EXPECT_FALSE(RevertDocumentFile(*untitled, &error));
    EXPECT_FALSE(FileChangedOnDisk(*untitled));
}

} // namespace
} // namespace varnel::editor
