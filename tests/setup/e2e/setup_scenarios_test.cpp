// The installer and the uninstaller driven end to end through their real windows.
// Every test expects a fresh Wine prefix of its own (run_scenario.sh gives one).
#include "system_probe.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace setup_test;

namespace {

const std::string kFolder = "C:\\Program Files\\Varnel";
const std::string kEditor = kFolder + "\\Varnel.exe";
const std::string kOpen = "\"" + kEditor + "\" \"%1\"";
const std::string kDde = "[open(\"%1\")]";
const std::string kRecord = "Software\\Tammerlin\\varnel\\Associations\\.hs";
const std::string kFolderRecord = "Software\\Tammerlin\\varnel\\Folders";
const std::string kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Varnel.exe";
const std::string kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Varnel";
const std::string kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string kDialogCaption = "Varnel Installer";
const std::string kErrorCaption = "Varnel Installer error";

std::string HereFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text = path;
    return text.substr(0, text.rfind('\\') + 1);
}

std::string InstallerPath() { return HereFolder() + "installer.exe"; }

std::string WindowsFolder()
{
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return path;
}

std::string Uninstaller() { return WindowsFolder() + "\\Mossclean.exe"; }

std::vector<PayloadItem> Payload() { return ReadPayloadManifest(SETUP_PAYLOAD_MANIFEST); }

std::vector<std::string> ShortcutFiles()
{
    std::vector<std::string> links;
    if (auto user = RegString(HKEY_CURRENT_USER, kShellFolders, "Programs"))
        links.push_back(*user + "\\Varnel.lnk");
    if (auto common = RegString(HKEY_LOCAL_MACHINE, kShellFolders, "Common Programs"))
        links.push_back(*common + "\\Varnel.lnk");
    return links;
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Closes the editor the installer started, answering its window title.
std::string CloseEditor()
{
    HWND editor = WaitForWindow(0, "", "VarnelEditor", 30000);
    if (!editor)
        return "";
    const std::string title = WindowText(editor);
    DWORD id = 0;
    GetWindowThreadProcessId(editor, &id);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
    PostMessageA(editor, WM_CLOSE, 0, 0);
    if (process) {
        if (WaitForSingleObject(process, 15000) != WAIT_OBJECT_0)
            TerminateProcess(process, 1);
        CloseHandle(process);
    }
    return title;
}

struct InstallRun {
    bool dialogShown = false;
    std::string shownFolder;
    int exitCode = -1;
    std::string editorTitle;
    double seconds = 0;
};

using DialogStep = std::function<void(HWND dialog, const Program& installer)>;

// Runs the installer, lets `step` work in its dialog, presses Install and closes the
// editor it starts.
InstallRun Install(const DialogStep& step = {}, const std::string& installer = InstallerPath())
{
    InstallRun run;
    Program program = Start("\"" + installer + "\"");
    HWND dialog = WaitForWindow(program.id, kDialogCaption, "#32770");
    if (!dialog)
        return run;
    run.dialogShown = true;
    run.shownFolder = WindowText(GetDlgItem(dialog, 103));
    if (step)
        step(dialog, program);
    const auto start = std::chrono::steady_clock::now();
    PressButton(dialog, 105);
    run.exitCode = program.Wait();
    run.seconds = SecondsSince(start);
    if (run.exitCode == 0)
        run.editorTitle = CloseEditor();
    return run;
}

// Waits for the installer's fatal message; presses OK and answers the message and exit code.
std::pair<std::string, int> FatalMessage(Program& program)
{
    HWND box = WaitForWindow(program.id, kErrorCaption, "#32770");
    if (!box)
        return {"(no message)", program.Wait(2000)};
    const std::string text = MessageText(box);
    PressButton(box, IDOK);
    return {text, program.Wait()};
}

// Runs the uninstaller and answers its confirmation with `button`.
std::pair<std::string, int> Uninstall(int button)
{
    Program program = Start("\"" + Uninstaller() + "\"");
    HWND box = WaitForWindow(program.id, "Varnel", "#32770");
    if (!box)
        return {"(no confirmation)", program.Wait(2000)};
    const std::string text = MessageText(box);
    const auto start = std::chrono::steady_clock::now();
    PressButton(box, button);
    const int code = program.Wait();
    if (button == IDOK)
        std::printf("uninstall took %.2f s\n", SecondsSince(start));
    return {text, code};
}

struct ExpectedValue {
    HKEY root;
    std::string key;
    std::string name;
    std::string data;
};

// The registry as a default installation leaves it, written out in full.
std::vector<ExpectedValue> DefaultInstallValues()
{
    const std::string textClass = "Varnel Text File\\shell\\open";
    const std::string openWith = ".htm\\OpenWithList\\Varnel\\shell\\edit";
    const std::string htmlEditor = "Software\\Microsoft\\Internet Explorer\\Default HTML Editor";
    return {
        {HKEY_LOCAL_MACHINE, kUninstall, "DisplayName", "Varnel"},
        {HKEY_LOCAL_MACHINE, kUninstall, "UninstallString", Uninstaller()},
        {HKEY_LOCAL_MACHINE, kAppPaths, "Path", kFolder},
        {HKEY_LOCAL_MACHINE, kAppPaths, "", kEditor},
        {HKEY_CLASSES_ROOT, textClass + "\\command", "", kOpen},
        {HKEY_CLASSES_ROOT, textClass + "\\ddeexec", "", kDde},
        {HKEY_CLASSES_ROOT, textClass + "\\ddeexec\\Application", "", "VARNEL"},
        {HKEY_CLASSES_ROOT, textClass + "\\ddeexec\\topic", "", "System"},
        {HKEY_CURRENT_USER, kRecord, "", "none"},
        {HKEY_CLASSES_ROOT, ".hs", "", "Varnel.hs"},
        {HKEY_CLASSES_ROOT, "Varnel.hs", "", "Varnel Script File"},
        {HKEY_CLASSES_ROOT, "Varnel.hs\\DefaultIcon", "", "\"" + kEditor + "\",1"},
        {HKEY_CLASSES_ROOT, "Varnel.hs\\shell\\open\\command", "", kOpen},
        {HKEY_CLASSES_ROOT, "Varnel.hs\\shell\\open\\ddeexec", "", kDde},
        {HKEY_CLASSES_ROOT, "Varnel.hs\\shell\\open\\ddeexec\\Application", "", "VARNEL"},
        {HKEY_CLASSES_ROOT, "Varnel.hs\\shell\\open\\ddeexec\\topic", "", "System"},
        {HKEY_CLASSES_ROOT, openWith + "\\command", "", kOpen},
        {HKEY_CLASSES_ROOT, openWith + "\\ddeexec", "", kDde},
        {HKEY_CLASSES_ROOT, openWith + "\\ddeexec\\Application", "", "VARNEL"},
        {HKEY_CLASSES_ROOT, openWith + "\\ddeexec\\topic", "", "System"},
        {HKEY_CURRENT_USER, htmlEditor, "Description", "Varnel"},
        {HKEY_CURRENT_USER, htmlEditor + "\\shell\\edit\\command", "", kOpen},
        {HKEY_CURRENT_USER, htmlEditor + "\\shell\\edit\\ddeexec", "", kDde},
        {HKEY_CURRENT_USER, htmlEditor + "\\shell\\edit\\ddeexec\\Application", "", "VARNEL"},
        {HKEY_CURRENT_USER, htmlEditor + "\\shell\\edit\\ddeexec\\topic", "", "System"},
    };
}

void ExpectPayloadIn(const std::string& folder)
{
    const std::vector<PayloadItem> payload = Payload();
    ASSERT_FALSE(payload.empty()) << "no payload manifest at " << SETUP_PAYLOAD_MANIFEST;
    for (const PayloadItem& item : payload) {
        const std::string installed = item.target.empty() ? Uninstaller() : folder + "\\" + item.target;
        const auto built = FileBytes(item.source);
        ASSERT_TRUE(built) << item.source;
        const auto written = FileBytes(installed);
        ASSERT_TRUE(written) << installed << " was not written";
        EXPECT_TRUE(*written == *built) << installed << " differs from " << item.source;
    }
}

void ExpectShortcutsTo(const std::string& editor)
{
    const std::vector<std::string> links = ShortcutFiles();
    EXPECT_EQ(links.size(), 2u) << "both programs folders should be readable";
    for (const std::string& link : links) {
        const ShortcutInfo info = ReadShortcut(link);
        ASSERT_TRUE(info.loaded) << link;
        EXPECT_EQ(info.target, editor) << link;
        EXPECT_EQ(info.description, "Varnel") << link;
        EXPECT_EQ(info.arguments, "") << link;
        EXPECT_EQ(info.workingFolder, "") << link;
    }
}

// Nothing of the product on disk or in the registry.
void ExpectNothingInstalled()
{
    EXPECT_FALSE(FolderExists(kFolder));
    EXPECT_FALSE(FileExists(Uninstaller()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kAppPaths));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstall));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Varnel Text File"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".hs"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".htm\\OpenWithList\\Varnel"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Tammerlin"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Default HTML Editor"));
    for (const std::string& link : ShortcutFiles())
        EXPECT_FALSE(FileExists(link)) << link;
}

} // namespace

TEST(Install, DefaultFolderGetsEveryFolderFileValueAndShortcut)
{
    ASSERT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".hs")) << "a fresh prefix has no .hs class";
    const char* picture = std::getenv("SETUP_SCREENSHOT");
    const InstallRun run = Install([&](HWND dialog, const Program&) {
        if (picture) {
            Sleep(500);
            SaveWindowPicture(dialog, picture);
        }
    });
    ASSERT_TRUE(run.dialogShown);
    std::printf("install took %.2f s\n", run.seconds);
    EXPECT_EQ(run.shownFolder, kFolder);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.editorTitle, "Readme.txt - Varnel");

    for (const char* folder : {"", "\\Languages", "\\Extensions", "\\Templates", "\\Settings", "\\Documentation",
                               "\\Documentation\\Tidy", "\\Documentation\\Reference",
                               "\\Documentation\\Reference\\graphics"})
        EXPECT_TRUE(FolderExists(kFolder + folder)) << folder;
    EXPECT_TRUE(FolderEntries(kFolder + "\\Settings").empty());
    const std::vector<std::string> languages = {"Amberlex.dll", "Birchlex.dll", "Cedarlex.dll", "Elmlex.dll",
                                                "Firlex.dll",   "Hazellex.dll", "Ivylex.dll",   "Juniperlex.dll",
                                                "Kelplex.dll",  "Larchlex.dll"};
    EXPECT_EQ(FolderEntries(kFolder + "\\Languages"), languages);
    for (const char* file : {"\\Varnel.exe", "\\Readme.txt", "\\Templates\\Strict.xhtml",
                             "\\Templates\\Transitional.xhtml", "\\Templates\\Program.cpp", "\\Templates\\Header.h",
                             "\\Templates\\Page.html", "\\Documentation\\QuickStart.txt"})
        EXPECT_TRUE(FileExists(kFolder + file)) << file;
    ExpectPayloadIn(kFolder);

    for (const ExpectedValue& value : DefaultInstallValues())
        EXPECT_EQ(RegString(value.root, value.key, value.name).value_or("(missing)"), value.data)
            << value.key << " / " << (value.name.empty() ? "(default)" : value.name);
    EXPECT_FALSE(RegString(HKEY_CLASSES_ROOT, "Varnel Text File")) << "the text class has no description";
    ExpectShortcutsTo(kEditor);

    // The installed editor finds its language plug-ins beside it.
    {
        Program editor = Start("\"" + kEditor + "\" \"" + kFolder + "\\Templates\\Page.html\"");
        HWND window = WaitForWindow(editor.id, "", "VarnelEditor");
        ASSERT_TRUE(window);
        for (int i = 0; i < 100 && WindowText(window) != "Page.html - Varnel"; ++i)
            Sleep(100);
        EXPECT_EQ(WindowText(window), "Page.html - Varnel");
        if (picture) {
            Sleep(500);
            SaveWindowPicture(window, std::string(picture) + ".editor.bmp");
        }
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(editor.Wait(), 0);
    }

    // A second installation over the first: every file is written anew, and the saved
    // record of the association stays as it was (here marked to tell it apart).
    SetRegString(HKEY_CURRENT_USER, kRecord, "", "Earlier.Class");
    ASSERT_TRUE(WriteTextFile(kFolder + "\\Readme.txt", "changed by the user"));
    const InstallRun again = Install();
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kRecord).value_or("(missing)"), "Earlier.Class");
    EXPECT_EQ(RegString(HKEY_CLASSES_ROOT, ".hs").value_or("(missing)"), "Varnel.hs");
    ExpectPayloadIn(kFolder);
}

TEST(Install, CancelAndCloseBoxLeaveDiskAndRegistryUntouched)
{
    const std::vector<std::pair<const char*, std::function<void(HWND)>>> ways = {
        {"Cancel button", [](HWND dialog) { PressButton(dialog, 106); }},
        {"close box", [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }},
        {"Escape", [](HWND dialog) { PressButton(dialog, IDCANCEL); }},
    };
    for (const auto& [name, leave] : ways) {
        Program program = Start("\"" + InstallerPath() + "\"");
        HWND dialog = WaitForWindow(program.id, kDialogCaption, "#32770");
        ASSERT_TRUE(dialog) << name;
        leave(dialog);
        EXPECT_EQ(program.Wait(), 0) << name;
        ExpectNothingInstalled();
    }
}

TEST(Install, BrowsedFolderIsUsedUnchanged)
{
    const std::string chosen = "C:\\Chosen Place";
    ASSERT_TRUE(CreateDirectoryA(chosen.c_str(), nullptr));
    std::string shownAfterBrowse;
    const InstallRun run = Install([&](HWND dialog, const Program& installer) {
        PressButton(dialog, 104);
        HWND browser = WaitForOtherWindow(installer.id, dialog, "#32770");
        ASSERT_TRUE(browser) << "no folder browser";
        ASSERT_TRUE(ChooseFolderInBrowser(browser, installer, chosen));
        for (int i = 0; i < 50 && shownAfterBrowse != chosen; ++i) {
            Sleep(100);
            shownAfterBrowse = WindowText(GetDlgItem(dialog, 103));
        }
    });
    EXPECT_EQ(shownAfterBrowse, chosen);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.editorTitle, "Readme.txt - Varnel");
    ExpectPayloadIn(chosen);
    EXPECT_FALSE(FolderExists(chosen + "\\Varnel")) << "nothing is appended to a chosen folder";
    EXPECT_FALSE(FolderExists(kFolder));
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kAppPaths, "Path").value_or("(missing)"), chosen);
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kAppPaths).value_or("(missing)"), chosen + "\\Varnel.exe");
    ExpectShortcutsTo(chosen + "\\Varnel.exe");
}

TEST(Install, FatalErrorsShowTheirMessageAndEndWithCodeOne)
{
    const std::string ntKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    const std::string windowsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    const std::string version = RegString(HKEY_LOCAL_MACHINE, ntKey, "CurrentVersion").value_or("");
    const std::string programFiles = RegString(HKEY_LOCAL_MACHINE, windowsKey, "ProgramFilesDir").value_or("");
    ASSERT_FALSE(version.empty());
    ASSERT_FALSE(programFiles.empty());

    // Versions below 4.0, or none at all, are refused before any dialog; 4.0 itself passes.
    for (const char* old : {"3.51", "3.99", "junk", static_cast<const char*>(nullptr)}) {
        if (old) {
            SetRegString(HKEY_LOCAL_MACHINE, ntKey, "CurrentVersion", old);
        } else {
            HKEY key = nullptr;
            ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, ntKey.c_str(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
            RegDeleteValueA(key, "CurrentVersion");
            RegCloseKey(key);
            old = "(no value)";
        }
        Program program = Start("\"" + InstallerPath() + "\"");
        const auto [text, code] = FatalMessage(program);
        EXPECT_EQ(text, "Varnel can only be installed on Windows 2000 or Windows XP") << old;
        EXPECT_EQ(code, 1) << old;
    }
    SetRegString(HKEY_LOCAL_MACHINE, ntKey, "CurrentVersion", "4.0");
    {
        Program program = Start("\"" + InstallerPath() + "\"");
        HWND dialog = WaitForWindow(program.id, kDialogCaption, "#32770");
        EXPECT_TRUE(dialog) << "version 4.0 passes";
        if (dialog)
            PressButton(dialog, 106);
        EXPECT_EQ(program.Wait(), 0);
    }
    SetRegString(HKEY_LOCAL_MACHINE, ntKey, "CurrentVersion", version);
    ExpectNothingInstalled();

    // A default folder whose parent is missing is not created.
    SetRegString(HKEY_LOCAL_MACHINE, windowsKey, "ProgramFilesDir", "C:\\No Such Parent\\Deeper");
    {
        Program program = Start("\"" + InstallerPath() + "\"");
        HWND dialog = WaitForWindow(program.id, kDialogCaption, "#32770");
        ASSERT_TRUE(dialog);
        EXPECT_EQ(WindowText(GetDlgItem(dialog, 103)), "C:\\No Such Parent\\Deeper\\Varnel");
        PressButton(dialog, 105);
        const auto [text, code] = FatalMessage(program);
        EXPECT_EQ(text, "Error creating directories");
        EXPECT_EQ(code, 1);
        EXPECT_FALSE(FolderExists("C:\\No Such Parent"));
    }
    SetRegString(HKEY_LOCAL_MACHINE, windowsKey, "ProgramFilesDir", programFiles);

    // A target path taken by a folder cannot be created as a file.
    ASSERT_TRUE(CreateDirectoryA(kFolder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((kFolder + "\\Readme.txt").c_str(), nullptr));
    {
        Program program = Start("\"" + InstallerPath() + "\"");
        HWND dialog = WaitForWindow(program.id, kDialogCaption, "#32770");
        ASSERT_TRUE(dialog);
        PressButton(dialog, 105);
        const auto [text, code] = FatalMessage(program);
        EXPECT_EQ(text, "Could not create " + kFolder + "\\Readme.txt");
        EXPECT_EQ(code, 1);
        // Files written before the failure stay; nothing after it was done.
        EXPECT_TRUE(FileExists(kFolder + "\\Varnel.exe"));
        EXPECT_FALSE(FileExists(kFolder + "\\Documentation\\QuickStart.txt"));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kAppPaths));
    }
}

TEST(Install, MissingResourceIsReportedAsDamage)
{
    // The copy's resource directory names README.TXZ where README.TX_ stood: the name
    // keeps its place in the sorted directory, and the installer no longer finds it.
    const std::string copy = "C:\\damaged-installer.exe";
    auto bytes = FileBytes(InstallerPath());
    ASSERT_TRUE(bytes);
    const std::string wide("R\0E\0A\0D\0M\0E\0.\0T\0X\0_\0", 20);
    const std::size_t at = bytes->find(wide);
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(bytes->find(wide, at + 1), std::string::npos) << "the name is stored once";
    (*bytes)[at + 18] = 'Z';
    ASSERT_TRUE(WriteTextFile(copy, *bytes));

    Program program = Start("\"" + copy + "\"");
    HWND dialog = WaitForWindow(program.id, kDialogCaption, "#32770");
    ASSERT_TRUE(dialog);
    PressButton(dialog, 105);
    const auto [text, code] = FatalMessage(program);
    EXPECT_EQ(text, "Damaged installer, resource is missing");
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(FileExists(kFolder + "\\Templates\\Page.html")) << "written before the missing one";
    EXPECT_FALSE(FileExists(kFolder + "\\Readme.txt"));
    EXPECT_FALSE(FileExists(kFolder + "\\Documentation\\QuickStart.txt"));
}

TEST(Uninstall, PreviousClassComesBackAndOtherProductsKeepTheirSettings)
{
    SetRegString(HKEY_CLASSES_ROOT, ".hs", "", "Other.Script");
    SetRegString(HKEY_CURRENT_USER, "Software\\Tammerlin\\Other Product", "Setting", "kept");
    ASSERT_EQ(Install().exitCode, 0);
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kRecord).value_or("(missing)"), "Other.Script");
    EXPECT_EQ(RegString(HKEY_CLASSES_ROOT, ".hs").value_or("(missing)"), "Varnel.hs");

    const auto [text, code] = Uninstall(IDOK);
    EXPECT_EQ(text, "Proceed with uninstalling Varnel?");
    EXPECT_EQ(code, 0);
    EXPECT_EQ(RegString(HKEY_CLASSES_ROOT, ".hs").value_or("(missing)"), "Other.Script");
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Varnel.hs"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Tammerlin\\varnel"));
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, "Software\\Tammerlin\\Other Product", "Setting").value_or("(missing)"),
              "kept");
    EXPECT_FALSE(FolderExists(kFolder + "\\Languages"));
}

TEST(Uninstall, ClassChosenAfterTheInstallStays)
{
    SetRegString(HKEY_CLASSES_ROOT, ".hs", "", "Other.Script");
    ASSERT_EQ(Install().exitCode, 0);
    ASSERT_EQ(RegString(HKEY_CURRENT_USER, kRecord).value_or("(missing)"), "Other.Script");
    // The user gives ".hs" to another program after installing: the saved class must not undo that.
    SetRegString(HKEY_CLASSES_ROOT, ".hs", "", "User.Choice");

    EXPECT_EQ(Uninstall(IDOK).second, 0);
    EXPECT_EQ(RegString(HKEY_CLASSES_ROOT, ".hs").value_or("(missing)"), "User.Choice");
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Varnel.hs")) << "the product's class goes all the same";
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Tammerlin\\varnel")) << "and so does the record";
}

TEST(Uninstall, CancelChangesNothingAndOkRemovesOnlyTheProduct)
{
    // run_scenario.sh links Extensions\Linked to the outside folder before the install.
    const std::string outside = "C:\\Outside";
    const std::string link = kFolder + "\\Extensions\\Linked";
    ASSERT_TRUE(FileExists(outside + "\\keep.txt")) << "the scenario script prepares the outside folder";
    ASSERT_TRUE(GetFileAttributesA(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) << "and the link to it";
    ASSERT_EQ(Install().exitCode, 0);

    ASSERT_TRUE(WriteTextFile(kFolder + "\\Languages\\Locked.txt", "read-only", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(CreateDirectoryA((kFolder + "\\Templates\\Private").c_str(), nullptr));
    ASSERT_TRUE(WriteTextFile(kFolder + "\\Templates\\Private\\Hidden.txt", "hidden", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(WriteTextFile(kFolder + "\\Settings\\System.dat", "system", FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(WriteTextFile(kFolder + "\\Documentation\\Notes.txt", "the user's"));
    ASSERT_TRUE(WriteTextFile(kFolder + "\\Extras.zip", "extras"));

    const auto [cancelText, cancelCode] = Uninstall(IDCANCEL);
    EXPECT_EQ(cancelText, "Proceed with uninstalling Varnel?");
    EXPECT_EQ(cancelCode, 0);
    ExpectPayloadIn(kFolder);
    for (const ExpectedValue& value : DefaultInstallValues())
        EXPECT_EQ(RegString(value.root, value.key, value.name).value_or("(missing)"), value.data)
            << "after Cancel: " << value.key;
    ExpectShortcutsTo(kEditor);

    EXPECT_EQ(Uninstall(IDOK).second, 0);

    // Removed: the product's files, the link (not what it points at), the folders left empty.
    for (const char* gone : {"\\Varnel.exe", "\\Readme.txt", "\\Languages\\Amberlex.dll", "\\Templates\\Page.html"})
        EXPECT_FALSE(FileExists(kFolder + gone)) << gone;
    // Windows removes a folder link with RemoveDirectory; Wine cannot remove a Unix
    // link to a folder through any file call, so here the link may stay behind. What
    // must hold everywhere: nothing beside it is left, and nothing behind it was touched.
    const std::vector<std::string> extensions = FolderEntries(kFolder + "\\Extensions");
    EXPECT_TRUE(extensions.empty() || extensions == std::vector<std::string>{"Linked"});
    EXPECT_EQ(FolderEntries(outside), std::vector<std::string>{"keep.txt"});
    EXPECT_TRUE(FileExists(outside + "\\keep.txt")) << "the link's target is outside the product";
    // Kept: protected entries and the folders holding them, the documentation, the
    // install folder that still holds them, and the uninstaller itself.
    for (const char* kept : {"\\Languages\\Locked.txt", "\\Templates\\Private\\Hidden.txt", "\\Settings\\System.dat",
                             "\\Documentation\\QuickStart.txt", "\\Documentation\\Notes.txt", "\\Extras.zip"})
        EXPECT_TRUE(FileExists(kFolder + kept)) << kept;
    EXPECT_EQ(FolderEntries(kFolder + "\\Languages"), std::vector<std::string>{"Locked.txt"});
    EXPECT_TRUE(FileExists(Uninstaller()));

    for (const auto& [root, key] : std::vector<std::pair<HKEY, std::string>>{
             {HKEY_LOCAL_MACHINE, kUninstall},
             {HKEY_LOCAL_MACHINE, kAppPaths},
             {HKEY_CLASSES_ROOT, "Varnel Text File"},
             {HKEY_CLASSES_ROOT, "Varnel.hs"},
             {HKEY_CLASSES_ROOT, ".hs"},
             {HKEY_CURRENT_USER, "Software\\Tammerlin"}})
        EXPECT_FALSE(KeyExists(root, key)) << key;
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, ".htm\\OpenWithList\\Varnel\\shell\\edit\\command"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Default HTML Editor"));
    for (const std::string& shortcut : ShortcutFiles())
        EXPECT_FALSE(FileExists(shortcut)) << shortcut;
}

TEST(Uninstall, WithoutTheApplicationPathNoFileGoesButKeysAndShortcutsDo)
{
    ASSERT_EQ(Install().exitCode, 0);
    DeleteRegTree(HKEY_LOCAL_MACHINE, kAppPaths);
    ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kAppPaths));

    EXPECT_EQ(Uninstall(IDOK).second, 0);
    ExpectPayloadIn(kFolder);
    for (const auto& [root, key] : std::vector<std::pair<HKEY, std::string>>{
             {HKEY_LOCAL_MACHINE, kUninstall},
             {HKEY_CLASSES_ROOT, "Varnel Text File"},
             {HKEY_CLASSES_ROOT, "Varnel.hs"},
             {HKEY_CLASSES_ROOT, ".hs"},
             {HKEY_CURRENT_USER, "Software\\Tammerlin"}})
        EXPECT_FALSE(KeyExists(root, key)) << key;
    for (const std::string& shortcut : ShortcutFiles())
        EXPECT_FALSE(FileExists(shortcut)) << shortcut;
}

TEST(Uninstall, ProductFoldersThatAreLinksAreNeverEntered)
{
    // run_scenario.sh links Templates to C:\Outside (holding keep.txt) and Extensions to
    // the empty C:\EmptyOutside before the install, so both hold the product's files.
    ASSERT_TRUE(GetFileAttributesA((kFolder + "\\Templates").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
    ASSERT_TRUE(GetFileAttributesA((kFolder + "\\Extensions").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
    ASSERT_EQ(Install().exitCode, 0);
    EXPECT_TRUE(FileExists("C:\\Outside\\Page.html")) << "installed through the link";
    // The links were found in place; Extensions is recorded as created, as if the
    // link had taken the place of the installed folder afterwards.
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kFolderRecord, "Templates").value_or("(missing)"), "found");
    SetRegString(HKEY_CURRENT_USER, kFolderRecord, "Extensions", "created");
    for (const std::string& name : FolderEntries("C:\\EmptyOutside"))
        ASSERT_TRUE(DeleteFileA(("C:\\EmptyOutside\\" + name).c_str())) << name;

    EXPECT_EQ(Uninstall(IDOK).second, 0);
    EXPECT_TRUE(FileExists("C:\\Outside\\keep.txt"));
    EXPECT_TRUE(FileExists("C:\\Outside\\Page.html")) << "a linked folder is not entered";
    EXPECT_TRUE(FolderExists("C:\\EmptyOutside")) << "the folder a link points at stays";
    EXPECT_FALSE(FileExists(kFolder + "\\Varnel.exe"));
    EXPECT_FALSE(FolderExists(kFolder + "\\Languages"));
}

TEST(Uninstall, InstallFolderThatIsALinkIsNeverEntered)
{
    // run_scenario.sh makes the install folder a link to C:\Linked Home.
    ASSERT_TRUE(GetFileAttributesA(kFolder.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
    ASSERT_EQ(Install().exitCode, 0);
    ASSERT_TRUE(FileExists("C:\\Linked Home\\Languages\\Amberlex.dll"));

    EXPECT_EQ(Uninstall(IDOK).second, 0);
    for (const char* kept : {"\\Varnel.exe", "\\Languages\\Amberlex.dll", "\\Templates\\Page.html"})
        EXPECT_TRUE(FileExists(std::string("C:\\Linked Home") + kept)) << kept;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kAppPaths)) << "the registry steps still run";
}

TEST(Uninstall, FoldersFoundInPlaceLoseOnlyTheInstalledFiles)
{
    // The user's own Templates and Settings folders are there before the product.
    ASSERT_TRUE(CreateDirectoryA(kFolder.c_str(), nullptr));
    for (const char* folder : {"\\Templates", "\\Settings"})
        ASSERT_TRUE(CreateDirectoryA((kFolder + folder).c_str(), nullptr)) << folder;
    ASSERT_TRUE(WriteTextFile(kFolder + "\\Templates\\Mine.html", "the user's template"));
    ASSERT_TRUE(WriteTextFile(kFolder + "\\Settings\\Prefs.ini", "the user's settings"));
    ASSERT_EQ(Install().exitCode, 0);
    const std::vector<std::pair<std::string, std::string>> record = {
        {"", kFolder}, {"Languages", "created"}, {"Extensions", "created"},
        {"Settings", "found"}, {"Templates", "found"}};
    for (const auto& [name, state] : record)
        EXPECT_EQ(RegString(HKEY_CURRENT_USER, kFolderRecord, name).value_or("(missing)"), state) << name;
    // Installing again finds every folder in place and keeps the first record.
    ASSERT_EQ(Install().exitCode, 0);
    for (const auto& [name, state] : record)
        EXPECT_EQ(RegString(HKEY_CURRENT_USER, kFolderRecord, name).value_or("(missing)"), state)
            << "after a second install: " << name;

    EXPECT_EQ(Uninstall(IDOK).second, 0);
    EXPECT_EQ(FolderEntries(kFolder + "\\Templates"), std::vector<std::string>{"Mine.html"});
    EXPECT_EQ(FolderEntries(kFolder + "\\Settings"), std::vector<std::string>{"Prefs.ini"});
    EXPECT_FALSE(FolderExists(kFolder + "\\Languages")) << "a folder the installer made goes whole";
    EXPECT_FALSE(FolderExists(kFolder + "\\Extensions"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kFolderRecord));
}

TEST(Uninstall, OnlyTheProductsOwnAssociationIsUndone)
{
    ASSERT_EQ(Install().exitCode, 0);
    ASSERT_EQ(RegString(HKEY_CURRENT_USER, kRecord).value_or("(missing)"), "none");
    // Other programs add to the ".hs" key after the install...
    SetRegString(HKEY_CLASSES_ROOT, ".hs", "PerceivedType", "text");
    SetRegString(HKEY_CLASSES_ROOT, ".hs\\OpenWithProgids", "Other.Script", "");
    // ...and records are forged for extensions the product never associated.
    if (!RegString(HKEY_CLASSES_ROOT, ".exe"))
        SetRegString(HKEY_CLASSES_ROOT, ".exe", "", "exefile");
    const std::string exeClass = RegString(HKEY_CLASSES_ROOT, ".exe").value_or("(missing)");
    SetRegString(HKEY_CURRENT_USER, "Software\\Tammerlin\\varnel\\Associations\\.exe", "", "none");
    SetRegString(HKEY_CURRENT_USER, "Software\\Tammerlin\\varnel\\Associations\\.foo", "", "Forged.Class");
    SetRegString(HKEY_CLASSES_ROOT, ".foo", "", "Foo.File");
    SetRegString(HKEY_CLASSES_ROOT, "Varnel.foo", "", "not the product's");

    EXPECT_EQ(Uninstall(IDOK).second, 0);
    EXPECT_FALSE(RegString(HKEY_CLASSES_ROOT, ".hs")) << "the product's class is gone from .hs";
    EXPECT_EQ(RegString(HKEY_CLASSES_ROOT, ".hs", "PerceivedType").value_or("(missing)"), "text");
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, ".hs\\OpenWithProgids"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Varnel.hs"));
    EXPECT_EQ(RegString(HKEY_CLASSES_ROOT, ".exe").value_or("(missing)"), exeClass);
    EXPECT_EQ(RegString(HKEY_CLASSES_ROOT, ".foo").value_or("(missing)"), "Foo.File");
    EXPECT_EQ(RegString(HKEY_CLASSES_ROOT, "Varnel.foo").value_or("(missing)"), "not the product's");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Tammerlin"));
}
