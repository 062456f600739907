// The Windows tool extensions in a real Windows host process (run under Wine with a
// display): the anchor dialog driven from a timer on a thread of its own, and the
// include updater on a small site on drive C: with Windows paths.
#include "file_system.h"
#include "stamp_mask.h"
#include "text_proxy.h"
#include "tool_loader.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <thread>

namespace varnel {
namespace {

constexpr int kOk = 100;
constexpr int kCancel = 101;
constexpr int kLink = 102;
constexpr int kName = 103;
constexpr int kTitle = 104;

PerformFn Perform(const std::string& name)
{
    static const ToolSet set = LoadToolExtensions(ExtensionsFolder(ExecutableFolder()));
    const ToolExtension* tool = FindTool(set, name);
    if (tool == nullptr) {
        ADD_FAILURE() << name << " was not loaded from " << ExtensionsFolder(ExecutableFolder());
        return [](VTextProxy&) { return -100; };
    }
    return tool->perform;
}

std::string ItemText(HWND dialog, int id)
{
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void Click(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// Runs `act` on the anchor dialog once it shows, from a timer on a thread of its own;
// answers whether the dialog was found in time.
class DialogDriver {
public:
    // `ticks`: how many 50 ms ticks to wait for the dialog.
    explicit DialogDriver(std::function<void(HWND)> act, int ticks = 400) : act_(std::move(act)), ticks_(ticks)
    {
        thread_ = std::thread([this] { Run(); });
    }

    bool Finish()
    {
        thread_.join();
        return found_;
    }

private:
    void Run()
    {
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, nullptr);
        MSG message;
        for (int ticks = 0; ticks < ticks_ && GetMessageA(&message, nullptr, 0, 0) > 0;) {
            if (message.message != WM_TIMER)
                continue;
            ++ticks;
            HWND dialog = FindWindowA("#32770", "Gorsetool");
            if (dialog != nullptr && IsWindowVisible(dialog)) {
                found_ = true;
                act_(dialog);
                break;
            }
        }
        KillTimer(nullptr, timer);
    }

    std::function<void(HWND)> act_;
    int ticks_;
    std::thread thread_;
    bool found_ = false;
};

// An HDROP for the files, as the shell hands it to a window.
HDROP MakeDrop(const std::vector<std::string>& files)
{
    std::string list;
    for (const std::string& file : files)
        list += file + '\0';
    list += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST(WineAnchorDialog, FieldsFilledAndOkWrapsTheSelection)
{
    TextProxy document("see this page", std::string("C:\\site\\index.html"));
    document.Select(4, 4);
    std::string initialLink = "not read";
    DialogDriver driver([&](HWND dialog) {
        initialLink = ItemText(dialog, kLink);
        SetDlgItemTextA(dialog, kLink, "pages/a.html");
        SetDlgItemTextA(dialog, kName, "n");
        SetDlgItemTextA(dialog, kTitle, "A title");
        Click(dialog, kOk);
    });
    EXPECT_EQ(Perform("Gorsetool")(document), 0);
    ASSERT_TRUE(driver.Finish()) << "the dialog did not show";
    EXPECT_EQ(initialLink, "http://");
    const std::string tag = "<a href=\"pages/a.html\" name=\"n\" title=\"A title\">";
    EXPECT_EQ(document.Text(), "see " + tag + "this</a> page");
    EXPECT_EQ(document.SelectionStart(), 4 + static_cast<int>(tag.size()));
    EXPECT_EQ(document.SelectionLength(), 4);
}

TEST(WineAnchorDialog, ExistingTagFillsTheFieldsAndCancelKeepsIt)
{
    const std::string text = "<A HREF=\"x.html\" NAME=\"top\">link</A>";
    TextProxy document(text);
    document.Select(3, 0);
    std::string link, name, title = "not read";
    DialogDriver driver([&](HWND dialog) {
        link = ItemText(dialog, kLink);
        name = ItemText(dialog, kName);
        title = ItemText(dialog, kTitle);
        Click(dialog, kCancel);
    });
    EXPECT_EQ(Perform("Gorsetool")(document), 0);
    ASSERT_TRUE(driver.Finish()) << "the dialog did not show";
    EXPECT_EQ(link, "x.html");
    EXPECT_EQ(name, "top");
    EXPECT_EQ(title, "");
    EXPECT_EQ(document.Text(), text);
    EXPECT_EQ(document.SelectionStart(), 0); // the tag was selected when the dialog opened
    EXPECT_EQ(document.SelectionLength(), static_cast<int>(text.find('>')) + 1);
}

TEST(WineAnchorDialog, DroppedFileBecomesARelativeLink)
{
    TextProxy document("logo", std::string("C:\\site\\pages\\index.html"));
    document.Select(0, 4);
    std::string dropped = "not read";
    DialogDriver driver([&](HWND dialog) {
        SendMessageA(dialog, WM_DROPFILES,
                     reinterpret_cast<WPARAM>(MakeDrop({"C:\\site\\img\\logo.gif", "C:\\site\\other.gif"})), 0);
        dropped = ItemText(dialog, kLink);
        Click(dialog, kOk);
    });
    EXPECT_EQ(Perform("Gorsetool")(document), 0);
    ASSERT_TRUE(driver.Finish()) << "the dialog did not show";
    EXPECT_EQ(dropped, "../img/logo.gif");
    EXPECT_EQ(document.Text(), "<a href=\"../img/logo.gif\">logo</a>");
}

TEST(WineAnchorDialog, ChosenFileBecomesARelativeLink)
{
    TextProxy document("logo", std::string("C:\\site\\pages\\index.html"));
    document.Select(0, 4);
    std::string chosen = "not read";
    bool chooserShown = false;
    DialogDriver driver([&](HWND dialog) {
        // The open-file dialog is modal too: press "..." and fill it from here.
        Click(dialog, 105);
        HWND chooser = nullptr;
        for (int tries = 0; tries < 200 && chooser == nullptr; ++tries) {
            Sleep(50);
            chooser = FindWindowA(nullptr, "Choose a file to link to");
        }
        chooserShown = chooser != nullptr;
        if (chooserShown) {
            SetDlgItemTextA(chooser, 0x47C, "C:\\site\\img\\logo.gif"); // the file name box
            PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            for (int tries = 0; tries < 200 && IsWindow(chooser); ++tries)
                Sleep(50);
        }
        chosen = ItemText(dialog, kLink);
        Click(dialog, kOk);
    });
    EXPECT_EQ(Perform("Gorsetool")(document), 0);
    ASSERT_TRUE(driver.Finish()) << "the dialog did not show";
    EXPECT_TRUE(chooserShown) << "no open-file dialog titled \"Choose a file to link to\"";
    EXPECT_EQ(chosen, "../img/logo.gif");
    EXPECT_EQ(document.Text(), "<a href=\"../img/logo.gif\">logo</a>");
}

TEST(WineAnchorDialog, HostErrorWhileApplyingClosesTheDialog)
{
    class Refusing : public TextProxy {
    public:
        using TextProxy::TextProxy;
        int InsertText(int, const char*, int) override { return 1234; }
    };
    Refusing document("text");
    document.Select(0, 4);
    DialogDriver driver([&](HWND dialog) { Click(dialog, kOk); });
    EXPECT_EQ(Perform("Gorsetool")(document), 1234);
    ASSERT_TRUE(driver.Finish()) << "the dialog did not show";
    EXPECT_EQ(document.Text(), "text");
}

TEST(WineAnchorDialog, RefusedSelectOfTheOldTagEndsWithTheCodeAndNoEdit)
{
    class Refusing : public TextProxy {
    public:
        using TextProxy::TextProxy;
        int Select(int, int) override { return 55; }
    };
    const std::string text = "<a href=\"x\">t</a>";
    Refusing document(text);
    document.TextProxy::Select(3, 0);
    // Should the dialog show all the same, OK is pressed, as a user would.
    DialogDriver driver([&](HWND dialog) { Click(dialog, kOk); }, 60);
    EXPECT_EQ(Perform("Gorsetool")(document), 55);
    EXPECT_FALSE(driver.Finish()) << "the dialog showed";
    EXPECT_EQ(document.Text(), text);
}

TEST(WineAnchorDialog, QuotedBracketDoesNotEndTheExistingTag)
{
    TextProxy document("<a title=\"1>0\" href=\"x\">t</a>");
    document.Select(20, 0);
    std::string link, title;
    DialogDriver driver([&](HWND dialog) {
        link = ItemText(dialog, kLink);
        title = ItemText(dialog, kTitle);
        Click(dialog, kOk);
    });
    EXPECT_EQ(Perform("Gorsetool")(document), 0);
    ASSERT_TRUE(driver.Finish()) << "the dialog did not show";
    EXPECT_EQ(link, "x");
    EXPECT_EQ(title, "1>0");
    EXPECT_EQ(document.Text(), "<a href=\"x\" title=\"1>0\">t</a>");
}

TEST(WineAnchorDialog, DialogThatCannotBeMadeAnswersMinusOne)
{
    class Ownerless : public TextProxy {
    public:
        using TextProxy::TextProxy;
        void* GetWindow() override { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x7ffe1234)); }
    };
    Ownerless document("text");
    DialogDriver driver([&](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }, 60);
    EXPECT_EQ(Perform("Gorsetool")(document), -1);
    EXPECT_FALSE(driver.Finish()) << "a dialog showed with an owner that is no window";
    EXPECT_EQ(document.Text(), "text");
}

TEST(WineAnchorDialog, CloseBoxChangesNothing)
{
    TextProxy document("text");
    DialogDriver driver([&](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); });
    EXPECT_EQ(Perform("Gorsetool")(document), 0);
    ASSERT_TRUE(driver.Finish()) << "the dialog did not show";
    EXPECT_EQ(document.Text(), "text");
}

// The sample site, copied to drive C:.
class WineSite : public ::testing::Test {
protected:
    const std::string root = "C:\\varnel-site-test\\";

    void SetUp() override
    {
        for (const char* folder : {"", "inc", "pages"})
            CreateDirectoryA((root + folder).c_str(), nullptr);
        for (const char* file : {"index.html", "pages/about.html", "inc/head.html", "inc/nav.html",
                                 "inc/footer.html", "inc/stamp.html"}) {
            const std::optional<std::string> bytes = ReadFile(std::string(VARNEL_TEST_DATA) + "/site/" + file);
            ASSERT_TRUE(bytes.has_value()) << file;
            std::string target = root + file;
            for (char& c : target) {
                if (c == '/')
                    c = '\\';
            }
            ASSERT_TRUE(WriteFile(target, *bytes)) << target;
        }
    }

    std::string Refresh(const std::string& page)
    {
        const std::optional<std::string> text = ReadFile(root + page);
        EXPECT_TRUE(text.has_value()) << page;
        TextProxy document(text.value_or(""), root + page);
        EXPECT_EQ(Perform("Dunetool")(document), 0);
        return document.Text();
    }

    std::string Expected(const std::string& page)
    {
        return ReadFile(std::string(VARNEL_TEST_DATA) + "/site-refreshed/" + page).value_or("missing golden");
    }
};

TEST_F(WineSite, PagesInAFolderGetTheirIncludes)
{
    EXPECT_EQ(Refresh("pages\\about.html"), Expected("pages/about.html"));
}

TEST_F(WineSite, DevicesAreNoFilesToInclude)
{
    // "NUL" and "CON" name devices in every folder: the blocks stay as they are.
    const std::string page = "<!-- #include \"NUL\" -->kept<!-- end include -->\n"
                             "<!-- #include \"inc\\NUL.txt\" -->kept too<!-- end include -->\n";
    TextProxy document(page, root + "device.html");
    EXPECT_EQ(Perform("Dunetool")(document), 0);
    EXPECT_EQ(document.Text(), page);
}

TEST_F(WineSite, StampGetsTheWindowsFileAsAPathAndTheClock)
{
    EXPECT_EQ(test::MaskStamp(Refresh("index.html"), "/C:/varnel-site-test/"), Expected("index.html"));
}

} // namespace
} // namespace varnel
