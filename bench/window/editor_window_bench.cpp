// How quickly the editor window shows and edits a 50 MB Java file, measured from another
// process under the same conditions as the window tests (run by
// tests/editor_window/run_editor_test.sh with the test name "-"):
// - start to first painted screen: from starting Varnel.exe on the file until its window
//   shows the file and the text view has painted;
// - keystroke to repaint: a character sent to the text view and the view painted again;
// - start to the function list filled;
// - page down and wheel to repaint, and typing at the end of the file.
// Prints the figures; never part of the tests.
#include "ui_driver.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace setup_test;
using Clock = std::chrono::steady_clock;

namespace {

constexpr char kEditor[] = "C:\\Varnel\\Varnel.exe";
constexpr char kFile[] = "C:\\work\\Big.java";
constexpr std::size_t kSize = 50u << 20;

const char kUnit[] =
    "/**\r\n * A shape that knows its area. A brace { or a quote \" in a comment counts for nothing.\r\n */\r\n"
    "public class Square%06d extends Polygon implements Shape {\r\n"
    "    private static final String NAME = \"square\";\r\n"
    "    private final double side;\r\n\r\n"
    "    Square%06d(double side) {\r\n        super(4);\r\n        this.side = side; // the length of one side\r\n    }\r\n\r\n"
    "    public double area() {\r\n        return side * side;\r\n    }\r\n}\r\n\r\n";

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

void WriteBigFile()
{
    CreateDirectoryA("C:\\work", nullptr);
    std::ofstream file(kFile, std::ios::binary);
    std::string text;
    char unit[1024];
    for (int i = 0; text.size() < kSize; ++i) {
        const int length = std::snprintf(unit, sizeof unit, kUnit, i, i);
        text.append(unit, static_cast<std::size_t>(length));
    }
    file << text;
}

// Repeats an action that ends in a repaint of the view; prints the median and the worst.
template <typename Action>
void Time(const char* what, HWND view, int times, Action action)
{
    std::vector<double> samples;
    for (int i = 0; i < times; ++i) {
        const auto start = Clock::now();
        action();
        UpdateWindow(view); // the view paints before this returns
        samples.push_back(Milliseconds(Clock::now() - start));
    }
    std::sort(samples.begin(), samples.end());
    std::printf("%-34s median %7.2f ms, worst %7.2f ms (%d runs)\n", what, samples[samples.size() / 2],
                samples.back(), times);
}

} // namespace

int main()
{
    WriteBigFile();
    const auto start = Clock::now();
    Program editor = Start(std::string("\"") + kEditor + "\" \"" + kFile + "\"");
    HWND frame = WaitForWindow(editor.id, "Big.java - Varnel", "VarnelEditor", 120000);
    if (!frame) {
        std::printf("the editor did not show the file\n");
        return 1;
    }
    HWND view = FindWindowExA(frame, nullptr, "VarnelText", nullptr);
    UpdateWindow(view);
    std::printf("%-34s %7.0f ms (%zu MB)\n", "start to first painted screen", Milliseconds(Clock::now() - start),
                kSize >> 20);

    // The function list is scanned once the text shows.
    HWND list = FindWindowExA(frame, nullptr, "ListBox", nullptr);
    while (SendMessageA(list, LB_GETCOUNT, 0, 0) == 0 && Milliseconds(Clock::now() - start) < 120000)
        Sleep(10);
    std::printf("%-34s %7.0f ms (%ld entries)\n", "start to function list", Milliseconds(Clock::now() - start),
                static_cast<long>(SendMessageA(list, LB_GETCOUNT, 0, 0)));

    Time("keystroke to repaint (top)", view, 200, [&] { SendMessageW(view, WM_CHAR, L'x', 1); });
    Time("page down to repaint", view, 200, [&] { SendMessageA(view, WM_KEYDOWN, VK_NEXT, 1); });
    Time("wheel scroll to repaint", view, 200, [&] {
        SendMessageA(view, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    });
    // The end of the file: the caret goes there with the scroll bar's bottom and a click.
    SendMessageA(view, WM_VSCROLL, SB_BOTTOM, 0);
    SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    UpdateWindow(view);
    Time("keystroke to repaint (end)", view, 200, [&] { SendMessageW(view, WM_CHAR, L'y', 1); });
    Time("backspace to repaint (end)", view, 200, [&] { SendMessageW(view, WM_CHAR, L'\b', 1); });

    TerminateProcess(editor.process, 0);
    return 0;
}
