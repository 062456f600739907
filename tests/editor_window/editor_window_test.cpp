// The editor window driven from another process as a person would: files opened from
// the command line, by a second start, over DDE and through a shell association; keys
// and characters sent to the text view; menu commands by their ids; the save question's
// buttons pressed. Every test checks the bytes the editor wrote.
// Each test expects a fresh Wine prefix with the editor staged in C:\Varnel
// (run_editor_test.sh gives both).
#include "ui_driver.h"

#include "resource_ids.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <ddeml.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace setup_test;

namespace {

const std::string kEditor = "C:\\Varnel\\Varnel.exe";
const std::string kWork = "C:\\work";
constexpr char kFrameClass[] = "VarnelEditor";

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file << bytes;
}

std::string WorkFile(const std::string& name, const std::string& bytes)
{
    CreateDirectoryA(kWork.c_str(), nullptr);
    const std::string path = kWork + "\\" + name;
    WriteBytes(path, bytes);
    return path;
}

HWND Child(HWND parent, const char* windowClass) { return FindWindowExA(parent, nullptr, windowClass, nullptr); }

// The editor's frame and text view, once it shows a title that ends in `title`.
struct Editor {
    Program program;
    HWND frame = nullptr;
    HWND view = nullptr;

    int Tabs() const { return static_cast<int>(SendMessageA(Child(frame, "SysTabControl32"), TCM_GETITEMCOUNT, 0, 0)); }
    std::string Title() const { return WindowText(frame); }
    // A menu command that opens no window, carried out before this returns.
    void Command(int id) const { SendMessageA(frame, WM_COMMAND, id, 0); }
    // One that may ask something: the editor carries it out while the test answers.
    void PostCommand(int id) const { PostMessageA(frame, WM_COMMAND, id, 0); }
    void Key(WPARAM key, int times = 1) const
    {
        for (int i = 0; i < times; ++i)
            SendMessageA(view, WM_KEYDOWN, key, 1);
    }
    void Type(const std::string& text) const
    {
        for (char c : text)
            SendMessageW(view, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    void Click(int x, int y) const
    {
        SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    bool WaitForTitle(const std::string& title, DWORD milliseconds = 20000) const
    {
        const DWORD start = GetTickCount();
        while (Title() != title) {
            if (GetTickCount() - start > milliseconds)
                return false;
            Sleep(100);
        }
        return true;
    }
    // Closes the editor; answers its exit code.
    int Quit()
    {
        PostMessageA(frame, WM_CLOSE, 0, 0);
        return program.Wait(20000);
    }
};

Editor StartEditor(const std::string& arguments, const std::string& title)
{
    Editor editor;
    editor.program = Start("\"" + kEditor + "\" " + arguments);
    editor.frame = WaitForWindow(editor.program.id, "", kFrameClass);
    if (editor.frame) {
        editor.view = Child(editor.frame, "VarnelText");
        editor.WaitForTitle(title);
    }
    return editor;
}

// Waits for a window to go (a modal dialog that was answered).
void WaitUntilGone(HWND window)
{
    for (int i = 0; i < 200 && IsWindow(window); ++i)
        Sleep(50);
}

void SetItemText(HWND dialog, int id, const std::string& text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Presses a button of a modeless dialog and waits until the editor has acted on it.
void PressNow(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

HDDEDATA CALLBACK IgnoreDde(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// The message box the editor shows, waited for.
HWND WaitForQuestion(const Editor& editor) { return WaitForWindow(editor.program.id, "Varnel", "#32770", 15000); }

// The stamp the include updater writes, its date, time and site folder put back as the
// expected page spells them: "Page refreshed DATE at TIME from SITE/inc/stamp.html".
std::string WithoutStamp(std::string page)
{
    const std::string refreshed = "Page refreshed ";
    const std::size_t start = page.find(refreshed);
    const std::size_t at = page.find(" at ", start);
    const std::size_t from = page.find(" from ", at);
    const std::size_t inc = page.find("/inc/stamp.html", from);
    if (start == std::string::npos || at == std::string::npos || from == std::string::npos || inc == std::string::npos)
        return page;
    return page.substr(0, start + refreshed.size()) + "DATE at TIME from SITE" + page.substr(inc);
}

// The number of pixels of exactly that colour in a 24-bit BMP file.
int PixelsOf(const std::string& bmp, COLORREF colour)
{
    const std::string bytes = ReadBytes(bmp);
    if (bytes.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
        return -1;
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data() + sizeof(BITMAPFILEHEADER));
    const std::size_t offset = reinterpret_cast<const BITMAPFILEHEADER*>(bytes.data())->bfOffBits;
    const int stride = (info->biWidth * 3 + 3) & ~3;
    int seen = 0;
    for (int y = 0; y < info->biHeight; ++y)
        for (int x = 0; x < info->biWidth; ++x) {
            const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + offset) + y * stride + x * 3;
            seen += p[2] == GetRValue(colour) && p[1] == GetGValue(colour) && p[0] == GetBValue(colour) ? 1 : 0;
        }
    return seen;
}

const std::string kJava = "class A {\r\n  void f() { g(1); }\r\n}\r\n";
const std::string kHtml = "<p>one</p>\n<p>two -- three</p>\n";

} // namespace

TEST(EditorWindow, TypeUndoRedoSaveKeepsCrLf)
{
    const std::string path = WorkFile("A.java", kJava);
    Editor editor = StartEditor("\"" + path + "\"", "A.java - Varnel");
    ASSERT_TRUE(editor.frame && editor.view);
    ASSERT_EQ(editor.Title(), "A.java - Varnel");

    editor.Key(VK_DOWN);
    editor.Key(VK_END);
    editor.Type("\r  int x;");
    EXPECT_EQ(editor.Title(), "*A.java - Varnel");
    const std::string typed = "class A {\r\n  void f() { g(1); }\r\n  int x;\r\n}\r\n";
    const std::vector<std::pair<int, std::string>> steps = {
        {IDM_UNDO, kJava}, {IDM_REDO, typed}, {IDM_UNDO, kJava}, {IDM_REDO, typed}};
    for (const auto& [command, bytes] : steps) {
        editor.Command(command);
        editor.Command(IDM_SAVE);
        EXPECT_EQ(ReadBytes(path), bytes) << "after command " << command;
        EXPECT_EQ(editor.Title(), "A.java - Varnel");
    }
    EXPECT_EQ(editor.Quit(), 0);
}

TEST(EditorWindow, BalanceCommentAndUncommentThroughTheMenus)
{
    const std::string java = WorkFile("B.java", kJava);
    const std::string html = WorkFile("b.html", kHtml);
    Editor editor = StartEditor("\"" + java + "\" \"" + html + "\"", "b.html - Varnel");
    ASSERT_TRUE(editor.frame);
    ASSERT_EQ(editor.Tabs(), 2);

    // HTML: the second line, chosen by a triple click, commented out and back in.
    editor.Click(10, 22);
    editor.Click(10, 22);
    editor.Click(10, 22);
    editor.Command(IDM_COMMENT);
    editor.Command(IDM_SAVE);
    const std::string commented = ReadBytes(html);
    EXPECT_EQ(commented.substr(0, 11), "<p>one</p>\n");
    EXPECT_EQ(commented.substr(11, 4), "<!--") << commented;
    EXPECT_NE(commented.find("-->"), std::string::npos) << commented;
    editor.Command(IDM_UNCOMMENT);
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(html), kHtml);

    // Java: Balance from inside "g(1)" selects "1", then the braces' contents.
    editor.Command(IDM_PREVIOUS_TAB);
    ASSERT_TRUE(editor.WaitForTitle("B.java - Varnel"));
    editor.Key(VK_DOWN);
    editor.Key(VK_HOME);
    editor.Key(VK_HOME); // the smart Home goes to the first non-blank, then the line's start
    editor.Key(VK_RIGHT, 15);
    editor.Command(IDM_BALANCE);
    editor.Type("2");
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(java), "class A {\r\n  void f() { g(2); }\r\n}\r\n");
    editor.Command(IDM_BALANCE);
    editor.Command(IDM_BALANCE);
    editor.Type("x");
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(java), "class A {\r\n  void f() {x}\r\n}\r\n");

    // Every line commented, then uncommented.
    editor.Command(IDM_SELECT_ALL);
    editor.Command(IDM_COMMENT);
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(java), "//class A {\r\n//  void f() {x}\r\n//}\r\n");
    editor.Command(IDM_UNCOMMENT);
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(java), "class A {\r\n  void f() {x}\r\n}\r\n");
    EXPECT_EQ(editor.Quit(), 0);
}

TEST(EditorWindow, IncludeUpdaterThroughTheToolsMenu)
{
    const std::string data = EDITOR_TEST_DATA;
    CreateDirectoryA(kWork.c_str(), nullptr);
    CreateDirectoryA((kWork + "\\inc").c_str(), nullptr);
    for (const char* name : {"head.html", "nav.html", "footer.html", "stamp.html"})
        WriteBytes(kWork + "\\inc\\" + name, ReadBytes(data + "\\site\\inc\\" + name));
    const std::string page = WorkFile("index.html", ReadBytes(data + "\\site\\index.html"));
    Editor editor = StartEditor("\"" + page + "\"", "index.html - Varnel");
    ASSERT_TRUE(editor.frame);
    editor.Command(IDM_TOOL_FIRST); // Dunetool, the include updater, first by name
    EXPECT_EQ(editor.Title(), "*index.html - Varnel");
    editor.Command(IDM_SAVE);
    EXPECT_EQ(WithoutStamp(ReadBytes(page)), ReadBytes(data + "\\site-refreshed\\index.html"));
    // Undo takes the tool's edits back as one step.
    editor.Command(IDM_UNDO);
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(page), ReadBytes(data + "\\site\\index.html"));
    EXPECT_EQ(editor.Quit(), 0);
}

TEST(EditorWindow, SecondStartAndDdeOpenInTheRunningEditor)
{
    const std::string first = WorkFile("one.java", kJava);
    const std::string second = WorkFile("two.java", kJava);
    const std::string third = WorkFile("three.html", kHtml);
    const std::string fourth = WorkFile("four.html", kHtml);
    Editor editor = StartEditor("\"" + first + "\"", "one.java - Varnel");
    ASSERT_TRUE(editor.frame);
    ASSERT_EQ(editor.Tabs(), 1);

    Program again = Start("\"" + kEditor + "\" \"" + second + "\"");
    EXPECT_EQ(again.Wait(30000), 0);
    EXPECT_TRUE(editor.WaitForTitle("two.java - Varnel"));
    EXPECT_EQ(editor.Tabs(), 2);
    EXPECT_EQ(WaitForOtherWindow(0, editor.frame, kFrameClass, 1000), nullptr) << "a second editor window";

    // A DDE client of its own: two commands in one string, one path without quotes.
    DWORD instance = 0;
    ASSERT_EQ(DdeInitializeA(&instance, IgnoreDde, APPCMD_CLIENTONLY, 0), static_cast<UINT>(DMLERR_NO_ERROR));
    HSZ service = DdeCreateStringHandleA(instance, "VARNEL", CP_WINANSI);
    HSZ topic = DdeCreateStringHandleA(instance, "System", CP_WINANSI);
    HCONV conversation = DdeConnect(instance, service, topic, nullptr);
    ASSERT_TRUE(conversation);
    std::string command = "[open(\"" + third + "\")][open(" + fourth + ")]";
    DWORD result = 0;
    EXPECT_TRUE(DdeClientTransaction(reinterpret_cast<BYTE*>(command.data()), static_cast<DWORD>(command.size() + 1),
                                     conversation, nullptr, 0, XTYP_EXECUTE, 10000, &result));
    DdeDisconnect(conversation);
    DdeFreeStringHandle(instance, service);
    DdeFreeStringHandle(instance, topic);
    DdeUninitialize(instance);
    EXPECT_TRUE(editor.WaitForTitle("four.html - Varnel"));
    EXPECT_EQ(editor.Tabs(), 4);

    // A file that is open already gets its tab shown, not a second one.
    Program third_again = Start("\"" + kEditor + "\" \"" + first + "\"");
    EXPECT_EQ(third_again.Wait(30000), 0);
    EXPECT_TRUE(editor.WaitForTitle("one.java - Varnel"));
    EXPECT_EQ(editor.Tabs(), 4);
    EXPECT_EQ(editor.Quit(), 0);
}

TEST(EditorWindow, ClosingAModifiedDocumentAsksFirst)
{
    const std::string path = WorkFile("C.java", kJava);
    struct Case {
        const char* name;
        int button;
        int tabsAfter;     // the untouched new document stands in for a closed last one
        std::string titleAfter;
    };
    const Case cases[] = {
        {"Don't Save", IDNO, 1, "Untitled 1 - Varnel"},
        {"Cancel", IDCANCEL, 1, "*C.java - Varnel"},
    };
    for (const Case& c : cases) {
        Editor editor = StartEditor("\"" + path + "\"", "C.java - Varnel");
        ASSERT_TRUE(editor.frame) << c.name;
        editor.Type("lost? ");
        editor.PostCommand(IDM_CLOSE);
        HWND question = WaitForQuestion(editor);
        ASSERT_TRUE(question) << c.name;
        EXPECT_EQ(MessageText(question), "Save the changes to C.java?") << c.name;
        PressButton(question, c.button);
        EXPECT_TRUE(editor.WaitForTitle(c.titleAfter)) << c.name << ": " << editor.Title();
        EXPECT_EQ(editor.Tabs(), c.tabsAfter) << c.name;
        EXPECT_EQ(ReadBytes(path), kJava) << c.name << ": nothing is written";
        if (c.button == IDCANCEL) {
            // The text is still there: saving it now writes it.
            editor.Command(IDM_SAVE);
            EXPECT_EQ(ReadBytes(path), "lost? " + kJava);
            WriteBytes(path, kJava);
        }
        EXPECT_EQ(editor.Quit(), 0) << c.name;
    }
    // Exiting with a modified document asks too; Cancel keeps the editor running.
    Editor editor = StartEditor("\"" + path + "\"", "C.java - Varnel");
    ASSERT_TRUE(editor.frame);
    editor.Type("z");
    PostMessageA(editor.frame, WM_CLOSE, 0, 0);
    HWND question = WaitForQuestion(editor);
    ASSERT_TRUE(question);
    PressButton(question, IDCANCEL);
    Sleep(500);
    EXPECT_TRUE(IsWindow(editor.frame));
    PostMessageA(editor.frame, WM_CLOSE, 0, 0);
    question = WaitForQuestion(editor);
    ASSERT_TRUE(question);
    PressButton(question, IDYES);
    EXPECT_EQ(editor.program.Wait(20000), 0);
    EXPECT_EQ(ReadBytes(path), "z" + kJava);
}

TEST(EditorWindow, InstalledEditorOpensAnHsFileThroughItsAssociation)
{
    Program installer = Start("\"" EDITOR_INSTALLER "\"");
    HWND dialog = WaitForWindow(installer.id, "Varnel Installer", "#32770");
    ASSERT_TRUE(dialog);
    PressButton(dialog, 105); // Install
    ASSERT_EQ(installer.Wait(), 0);
    // The installer starts the editor on its Read Me at the end.
    HWND started = WaitForWindow(0, "", kFrameClass, 30000);
    ASSERT_TRUE(started);
    EXPECT_EQ(WindowText(started), "Readme.txt - Varnel");
    DWORD id = 0;
    GetWindowThreadProcessId(started, &id);
    PostMessageA(started, WM_CLOSE, 0, 0);
    for (int i = 0; i < 100 && IsWindow(started); ++i)
        Sleep(100);

    const std::string path = WorkFile("demo.hs", "main = putStrLn \"hello\"\r\n");
    const auto opened = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    EXPECT_GT(opened, 32);
    HWND frame = WaitForWindow(0, "demo.hs - Varnel", kFrameClass, 30000);
    ASSERT_TRUE(frame);
    char module[MAX_PATH] = {};
    GetWindowThreadProcessId(frame, &id);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, id);
    ASSERT_TRUE(process);
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameA(process, 0, module, &size);
    EXPECT_STREQ(module, "C:\\Program Files\\Varnel\\Varnel.exe");
    PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process, 20000), WAIT_OBJECT_0);
    CloseHandle(process);
}

TEST(EditorWindow, ColouredJavaWithItsFunctionList)
{
    const std::string data = EDITOR_TEST_DATA;
    const std::string path = WorkFile("Shapes.java", ReadBytes(data + "\\samples\\Shapes.java"));
    Editor editor = StartEditor("\"" + path + "\"", "Shapes.java - Varnel");
    ASSERT_TRUE(editor.frame);
    HWND list = Child(editor.frame, "ListBox");
    ASSERT_TRUE(list);
    for (int i = 0; i < 100 && SendMessageA(list, LB_GETCOUNT, 0, 0) < 4; ++i)
        Sleep(100);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 15) << "the function list";
    SetWindowPos(editor.frame, HWND_TOP, 0, 0, 820, 560, SWP_SHOWWINDOW);
    SetForegroundWindow(editor.frame);
    Sleep(1500);
    const char* picture = std::getenv("EDITOR_SCREENSHOT");
    const std::string bmp = picture ? picture : kWork + "\\editor.bmp";
    ASSERT_TRUE(SaveWindowPicture(editor.frame, bmp));

    // The picture's pixels: the Java styles' colours are there beside the default black.
    struct Colour {
        const char* what;
        COLORREF colour;
    } colours[] = {{"default text", RGB(0, 0, 0)},
                   {"keyword", RGB(0x3d, 0x4c, 0x9e)},
                   {"comment", RGB(0x9b, 0x2e, 0x35)},
                   {"string", RGB(0x66, 0x66, 0x66)}};
    for (const Colour& colour : colours)
        EXPECT_GT(PixelsOf(bmp, colour.colour), 20) << colour.what;

    // A click on an entry selects its line, and so does Enter on one.
    const int itemHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const LPARAM third = MAKELPARAM(5, itemHeight * 2 + itemHeight / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, third);
    SendMessageA(list, WM_LBUTTONUP, 0, third);
    editor.Type("Y");
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    SendMessageA(list, WM_KEYDOWN, VK_RETURN, 1);
    editor.Type("X");
    editor.Command(IDM_SAVE);
    EXPECT_NE(ReadBytes(path).find("public interface Shape {\nXY}\n"), std::string::npos);
    EXPECT_EQ(editor.Quit(), 0);
}

// The included files stand below the functions; choosing one opens it beside the document.
TEST(EditorWindow, IncludedFilesAreListedAndOpen)
{
    const std::string path = WorkFile("main.py", "import os\nimport helper\n\ndef f():\n    pass\n");
    WorkFile("helper.py", "def g():\n    pass\n");
    Editor editor = StartEditor("\"" + path + "\"", "main.py - Varnel");
    ASSERT_TRUE(editor.frame);
    HWND list = Child(editor.frame, "ListBox");
    ASSERT_TRUE(list);
    for (int i = 0; i < 100 && SendMessageA(list, LB_GETCOUNT, 0, 0) < 4; ++i)
        Sleep(100);
    // f, a line of dashes, os and helper.
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 4);
    SendMessageA(list, LB_SETCURSEL, 3, 0);
    SendMessageA(list, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(editor.WaitForTitle("helper.py - Varnel"));
    EXPECT_EQ(editor.Tabs(), 2);
    EXPECT_EQ(editor.Quit(), 0);
}

TEST(EditorWindow, FindReplaceAndGoToLineDialogs)
{
    const std::string path = WorkFile("D.java", "a.a.a\r\nline2\r\nline3\r\n");
    Editor editor = StartEditor("\"" + path + "\"", "D.java - Varnel");
    ASSERT_TRUE(editor.frame);

    editor.PostCommand(IDM_REPLACE);
    HWND find = WaitForWindow(editor.program.id, "Replace", "#32770", 15000);
    ASSERT_TRUE(find);
    SetItemText(find, IDC_FIND_WHAT, "a");
    SetItemText(find, IDC_REPLACE_WITH, "bb");
    PressNow(find, IDC_REPLACE_ALL);
    EXPECT_EQ(WindowText(GetDlgItem(find, IDC_FIND_STATUS)), "3 replacements");
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(path), "bb.bb.bb\r\nline2\r\nline3\r\n");

    // Go to Line 3, type there; then find "line" forwards and backwards from it.
    editor.PostCommand(IDM_GOTO_LINE);
    HWND go = WaitForWindow(editor.program.id, "Go to Line", "#32770", 15000);
    ASSERT_TRUE(go);
    SetItemText(go, IDC_NUMBER, "3");
    PressButton(go, IDOK);
    WaitUntilGone(go);
    editor.Type("x");
    SetItemText(find, IDC_FIND_WHAT, "line");
    PressNow(find, IDC_FIND_NEXT);
    editor.Type("L");
    editor.Command(IDM_FIND_PREVIOUS);
    editor.Type("M");
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(path), "bb.bb.bb\r\nM2\r\nxL3\r\n");
    // A search that finds nothing leaves the text and says so.
    SetItemText(find, IDC_FIND_WHAT, "absent");
    PressNow(find, IDC_FIND_NEXT);
    EXPECT_EQ(WindowText(GetDlgItem(find, IDC_FIND_STATUS)), "Not found");
    EXPECT_EQ(editor.Title(), "D.java - Varnel");
    EXPECT_EQ(editor.Quit(), 0);
}

TEST(EditorWindow, FileChangedOnDiskAndSaveErrors)
{
    const std::string path = WorkFile("E.java", kJava);
    Editor editor = StartEditor("\"" + path + "\"", "E.java - Varnel");
    ASSERT_TRUE(editor.frame);

    // Changed by another program: coming back to the editor offers to read it again.
    WriteBytes(path, "class Changed {}\r\n");
    SendMessageA(editor.frame, WM_ACTIVATEAPP, TRUE, 0);
    HWND question = WaitForQuestion(editor);
    ASSERT_TRUE(question);
    EXPECT_NE(MessageText(question).find("changed by another program"), std::string::npos) << MessageText(question);
    PressButton(question, IDYES);
    WaitUntilGone(question);
    editor.Type("q");
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(path), "qclass Changed {}\r\n");

    // A save that fails says why, and the document stays modified.
    CreateDirectoryA((kWork + "\\gone").c_str(), nullptr);
    const std::string doomed = WorkFile("gone\\F.java", kJava);
    Program second = Start("\"" + kEditor + "\" \"" + doomed + "\"");
    EXPECT_EQ(second.Wait(30000), 0);
    ASSERT_TRUE(editor.WaitForTitle("F.java - Varnel"));
    editor.Type("x");
    ASSERT_TRUE(DeleteFileA(doomed.c_str()));
    ASSERT_TRUE(RemoveDirectoryA((kWork + "\\gone").c_str()));
    editor.PostCommand(IDM_SAVE);
    HWND failure = WaitForQuestion(editor);
    ASSERT_TRUE(failure);
    EXPECT_NE(MessageText(failure).find("Could not save"), std::string::npos) << MessageText(failure);
    PressButton(failure, IDOK);
    WaitUntilGone(failure);
    EXPECT_EQ(editor.Title(), "*F.java - Varnel");

    // Leaving it: Don't Save.
    PostMessageA(editor.frame, WM_CLOSE, 0, 0);
    question = WaitForQuestion(editor);
    ASSERT_TRUE(question);
    PressButton(question, IDNO);
    EXPECT_EQ(editor.program.Wait(20000), 0);
}

TEST(EditorWindow, UnsavedTextComesBackAfterACrash)
{
    const std::string path = WorkFile("G.java", kJava);
    {
        Editor editor = StartEditor("\"" + path + "\"", "G.java - Varnel");
        ASSERT_TRUE(editor.frame);
        editor.Type("kept ");
        Sleep(6000); // a pause in typing: the copy is written
        TerminateProcess(editor.program.process, 3);
        WaitForSingleObject(editor.program.process, 10000);
    }
    EXPECT_EQ(ReadBytes(path), kJava);
    Program again = Start("\"" + kEditor + "\"");
    HWND question = WaitForWindow(again.id, "Varnel", "#32770", 30000);
    ASSERT_TRUE(question);
    EXPECT_NE(MessageText(question).find("G.java"), std::string::npos) << MessageText(question);
    PressButton(question, IDYES);
    Editor editor;
    editor.program = std::move(again);
    editor.frame = WaitForWindow(editor.program.id, "", kFrameClass);
    ASSERT_TRUE(editor.frame);
    EXPECT_TRUE(editor.WaitForTitle("*G.java - Varnel")) << editor.Title();
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(path), "kept " + kJava);
    EXPECT_EQ(editor.Quit(), 0);
}

namespace {

std::wstring ClipboardUnicode()
{
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return L"(clipboard busy)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

std::string ClipboardAnsi()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return "(clipboard busy)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void PutOnClipboard(const std::wstring& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(data), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();
}

} // namespace

TEST(EditorWindow, OverwriteClicksTabsAndTheClipboard)
{
    const std::string path = WorkFile("H.java", "abc\r\ndef\r\n");
    Editor editor = StartEditor("\"" + path + "\"", "H.java - Varnel");
    ASSERT_TRUE(editor.frame);

    // Insert turns overwrite on: typed characters take the place of those after the
    // caret, never the line end.
    editor.Key(VK_RIGHT);
    editor.Key(VK_INSERT);
    editor.Type("XYZW");
    editor.Key(VK_INSERT);
    editor.Key(VK_DOWN);
    editor.Type("!");
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(path), "aXYZW\r\ndef!\r\n");

    // A double click selects the word under it; typing replaces it.
    editor.Click(2, 2);
    editor.Click(2, 2);
    editor.Type("w");
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(path), "w\r\ndef!\r\n");

    // Tab with lines selected indents each of them.
    editor.Command(IDM_SELECT_ALL);
    editor.Type("\t");
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(path), "\tw\r\n\tdef!\r\n");

    // Copy puts the text with CR LF on the clipboard, as Unicode and as ANSI text.
    editor.Command(IDM_SELECT_ALL);
    editor.Command(IDM_COPY);
    EXPECT_EQ(ClipboardUnicode(), L"\tw\r\n\tdef!\r\n");
    EXPECT_EQ(ClipboardAnsi(), "\tw\r\n\tdef!\r\n");

    // Pasted text takes the document's line ends; non-ASCII text arrives as UTF-8.
    PutOnClipboard(L"p\u00e9\nq\r\n");
    editor.Key(VK_END);
    editor.Command(IDM_PASTE);
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(path), "\tw\r\n\tdef!\r\np\xc3\xa9\r\nq\r\n");
    // Cut takes the selection away.
    editor.Command(IDM_SELECT_ALL);
    editor.Command(IDM_CUT);
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_EQ(ClipboardUnicode(), L"\tw\r\n\tdef!\r\np\u00e9\r\nq\r\n");
    EXPECT_EQ(editor.Quit(), 0);
}

TEST(EditorWindow, NewDocumentSavedAsTakesTheLanguageOfItsName)
{
    Editor editor = StartEditor("", "Untitled 1 - Varnel");
    ASSERT_EQ(editor.Title(), "Untitled 1 - Varnel");
    editor.Type("class N {}\r");
    EXPECT_EQ(editor.Title(), "*Untitled 1 - Varnel");
    CreateDirectoryA(kWork.c_str(), nullptr);
    editor.PostCommand(IDM_SAVE);
    HWND dialog = WaitForWindow(editor.program.id, "", "#32770", 15000);
    ASSERT_TRUE(dialog);
    HWND name = GetDlgItem(dialog, 1152); // the file name box
    if (!name)
        name = GetDlgItem(dialog, 1148);
    ASSERT_TRUE(name);
    const std::string path = kWork + "\\N.java";
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PressButton(dialog, IDOK);
    ASSERT_TRUE(editor.WaitForTitle("N.java - Varnel")) << editor.Title();
    EXPECT_EQ(ReadBytes(path), "class N {}\r\n");
    // Java now: Comment gives the line a Java comment.
    editor.Command(IDM_SELECT_ALL);
    editor.Command(IDM_COMMENT);
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(path), "//class N {}\r\n");
    EXPECT_EQ(editor.Quit(), 0);
}

TEST(EditorWindow, OpenFilesAndPlacementComeBackAtTheNextStart)
{
    const std::string first = WorkFile("K.java", kJava);
    const std::string second = WorkFile("k.html", kHtml);
    RECT placed = {};
    {
        Editor editor = StartEditor("\"" + first + "\" \"" + second + "\"", "k.html - Varnel");
        ASSERT_TRUE(editor.frame);
        SetWindowPos(editor.frame, nullptr, 40, 30, 700, 500, SWP_NOZORDER);
        Sleep(300);
        GetWindowRect(editor.frame, &placed);
        EXPECT_EQ(editor.Quit(), 0);
    }
    Editor editor = StartEditor("", "k.html - Varnel");
    ASSERT_TRUE(editor.frame);
    EXPECT_EQ(editor.Title(), "k.html - Varnel");
    EXPECT_EQ(editor.Tabs(), 2);
    RECT now = {};
    GetWindowRect(editor.frame, &now);
    EXPECT_EQ(now.left, placed.left);
    EXPECT_EQ(now.top, placed.top);
    EXPECT_EQ(now.right - now.left, placed.right - placed.left);
    EXPECT_EQ(now.bottom - now.top, placed.bottom - placed.top);
    editor.Command(IDM_PREVIOUS_TAB);
    EXPECT_EQ(editor.Title(), "K.java - Varnel");
    EXPECT_EQ(editor.Quit(), 0);
}

TEST(EditorWindow, EditedKeywordsColourTheOpenDocuments)
{
    const COLORREF keyword = RGB(0x3d, 0x4c, 0x9e);
    const std::string path = WorkFile("J.java", "frobnicate;\r\n");
    Editor editor = StartEditor("\"" + path + "\"", "J.java - Varnel");
    ASSERT_TRUE(editor.frame);
    Sleep(500);
    const std::string before = kWork + "\\before.bmp";
    ASSERT_TRUE(SaveWindowPicture(editor.view, before));
    EXPECT_EQ(PixelsOf(before, keyword), 0);

    // Settings > Edit Keywords opens the Java keyword file, made from the default text.
    editor.Command(IDM_EDIT_KEYWORDS);
    ASSERT_TRUE(editor.WaitForTitle("keywords.java - Varnel")) << editor.Title();
    const std::string keywords = "C:\\Varnel\\Settings\\keywords.java";
    const std::string defaults = ReadBytes(keywords);
    EXPECT_NE(defaults.find("abstract"), std::string::npos);
    editor.Type("frobnicate ");
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(keywords), "frobnicate " + defaults);

    // Saving it colours the open Java document with the new keyword.
    editor.Command(IDM_PREVIOUS_TAB);
    ASSERT_TRUE(editor.WaitForTitle("J.java - Varnel"));
    Sleep(500);
    const std::string after = kWork + "\\after.bmp";
    ASSERT_TRUE(SaveWindowPicture(editor.view, after));
    EXPECT_GT(PixelsOf(after, keyword), 20);
    EXPECT_EQ(editor.Quit(), 0);
}

TEST(EditorWindow, BytesThatAreNotUtf8AreMarkedAndKept)
{
    const std::string path = WorkFile("L.java", "caf\xe9 \xc3\xa9t\xc3\xa9\r\n");
    Editor editor = StartEditor("\"" + path + "\"", "L.java - Varnel");
    ASSERT_TRUE(editor.frame);
    Sleep(500);
    const std::string picture = kWork + "\\marked.bmp";
    ASSERT_TRUE(SaveWindowPicture(editor.view, picture));
    // The lone byte has a cell of its own on the marked background; the two-byte
    // characters do not.
    EXPECT_GT(PixelsOf(picture, RGB(255, 214, 214)), 20);
    editor.Key(VK_END);
    editor.Key(VK_LEFT, 3); // three characters, five bytes
    editor.Type("!");
    editor.Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(path), "caf\xe9 !\xc3\xa9t\xc3\xa9\r\n");
    EXPECT_EQ(editor.Quit(), 0);
}
