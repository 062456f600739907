// The text view: a window that shows the current document through the TextPainter and
// turns keys, characters, mouse and wheel into the core's caret moves and edits.
#pragma once

#include "key_commands.h"
#include "open_document.h"
#include "text_painter.h"

#include <windows.h>

#include <functional>

namespace varnel::editor::win32 {

class TextView {
public:
    static bool Register(HINSTANCE instance);
    HWND Create(HWND parent, HINSTANCE instance);
    HWND Handle() const { return window_; }

    // Shows `document` (null: nothing) in the styles given (null: plain text).
    void Show(OpenDocument* document, const StyleTable* styles);
    // The document's text changed; its scroll ranges and the picture follow.
    void TextChanged();
    // The caret moved by a command: scroll it into view and repaint.
    void CaretMoved();
    // The caret's line at the top third of the view (after a jump).
    void CenterCaret();
    void SetTabWidth(int tabWidth);
    int TabWidth() const { return tabWidth_; }
    bool Overwrite() const { return overwrite_; }
    ViewMetrics Metrics() const { return {tabWidth_, std::max(VisibleLines() - 1, 1)}; }

    // Tells the frame that the caret or the text changed (status bar, title, timers).
    std::function<void(bool edited)> onChange;

    // The colour a style is drawn in (the screenshot test's check reads the picture).
    const TextPainter& Painter() const { return painter_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void Paint();
    bool KeyDown(WPARAM key);
    void Character(wchar_t unit);
    void MouseDown(int x, int y, bool shift);
    void MouseMove(int x, int y);
    void Scroll(int bar, int code);
    void ScrollTo(int topLine, int leftColumn);
    void UpdateScrollBars();
    void UpdateCaret();
    void EnsureCaretVisible();
    void Notify(bool edited);
    int OffsetAt(int x, int y) const;
    int VisibleLines() const;
    int VisibleColumns() const;

    HWND window_ = nullptr;
    OpenDocument* open_ = nullptr;
    const StyleTable* styles_ = nullptr;
    TextPainter painter_;
    int tabWidth_ = 4;
    bool overwrite_ = false;
    bool focused_ = false;
    int widestColumns_ = 80; // the widest line drawn so far, for the horizontal scroll bar
    // Mouse selection: the anchor of a drag, and what a click selects by.
    bool dragging_ = false;
    int clickCount_ = 0;
    DWORD lastClickTime_ = 0;
    POINT lastClick_ = {};
    int dragAnchorStart_ = 0;
    int dragAnchorEnd_ = 0;
    wchar_t highSurrogate_ = 0;
    int wheelRemainder_ = 0;
};

} // namespace varnel::editor::win32
