#include "text_view.h"

#include "caret_moves.h"
#include "text_encoding.h"

#include <windowsx.h>

#include <algorithm>

namespace varnel::editor::win32 {

namespace {

constexpr wchar_t kClassName[] = L"VarnelText";

bool Down(int key) { return (GetKeyState(key) & 0x8000) != 0; }

} // namespace

std::string OpenDocument::Name() const
{
    if (!path)
        return untitledName;
    const std::size_t slash = path->find_last_of("\\/");
    return slash == std::string::npos ? *path : path->substr(slash + 1);
}

bool TextView::Register(HINSTANCE instance)
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_IBEAM);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
}

HWND TextView::Create(HWND parent, HINSTANCE instance)
{
    window_ = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0,
                              0, 0, parent, nullptr, instance, this);
    return window_;
}

LRESULT CALLBACK TextView::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* view = static_cast<TextView*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        view->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    }
    auto* view = reinterpret_cast<TextView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return view ? view->OnMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

void TextView::Show(OpenDocument* document, const StyleTable* styles)
{
    open_ = document;
    styles_ = styles;
    HDC dc = GetDC(window_);
    painter_.SetStyles(dc, styles);
    ReleaseDC(window_, dc);
    if (focused_) {
        DestroyCaret();
        CreateCaret(window_, nullptr, overwrite_ ? painter_.CellWidth() : 2, painter_.LineHeight());
        ShowCaret(window_);
    }
    widestColumns_ = 80;
    UpdateScrollBars();
    UpdateCaret();
    InvalidateRect(window_, nullptr, FALSE);
}

void TextView::SetTabWidth(int tabWidth)
{
    tabWidth_ = tabWidth;
    UpdateCaret();
    InvalidateRect(window_, nullptr, FALSE);
}

int TextView::VisibleLines() const
{
    RECT client = {};
    GetClientRect(window_, &client);
    return std::max<int>(1, (client.bottom - client.top) / painter_.LineHeight());
}

int TextView::VisibleColumns() const
{
    RECT client = {};
    GetClientRect(window_, &client);
    return std::max<int>(1, (client.right - client.left) / painter_.CellWidth());
}

void TextView::TextChanged()
{
    if (!open_)
        return;
    const int lines = open_->document->Text().LineCount();
    open_->topLine = std::min(open_->topLine, std::max(0, lines - 1));
    EnsureCaretVisible();
    UpdateScrollBars();
    UpdateCaret();
    InvalidateRect(window_, nullptr, FALSE);
}

void TextView::CaretMoved()
{
    EnsureCaretVisible();
    UpdateScrollBars();
    UpdateCaret();
    InvalidateRect(window_, nullptr, FALSE);
}

void TextView::CenterCaret()
{
    if (!open_)
        return;
    const int line = open_->document->Text().LineOf(open_->document->GetSelection().caret);
    open_->topLine = std::max(0, line - VisibleLines() / 3);
    CaretMoved();
}

void TextView::UpdateScrollBars()
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    if (open_) {
        const int lines = open_->document->Text().LineCount();
        info.nMax = lines - 1 + VisibleLines() - 1;
        info.nPage = static_cast<UINT>(VisibleLines());
        info.nPos = open_->topLine;
    }
    SetScrollInfo(window_, SB_VERT, &info, TRUE);
    if (open_) {
        info.nMax = widestColumns_ + 8;
        info.nPage = static_cast<UINT>(VisibleColumns());
        info.nPos = open_->leftColumn;
    }
    SetScrollInfo(window_, SB_HORZ, &info, TRUE);
}

void TextView::UpdateCaret()
{
    if (!focused_ || !open_)
        return;
    const EditorDocument& document = *open_->document;
    const int caret = document.GetSelection().caret;
    const int line = document.Text().LineOf(caret);
    const int column = ColumnOf(document.Text(), caret, tabWidth_);
    SetCaretPos((column - open_->leftColumn) * painter_.CellWidth(), (line - open_->topLine) * painter_.LineHeight());
}

void TextView::EnsureCaretVisible()
{
    if (!open_)
        return;
    const EditorDocument& document = *open_->document;
    const int caret = document.GetSelection().caret;
    const int line = document.Text().LineOf(caret);
    const int visible = VisibleLines();
    if (line < open_->topLine)
        open_->topLine = line;
    else if (line >= open_->topLine + visible)
        open_->topLine = line - visible + 1;
    const int column = ColumnOf(document.Text(), caret, tabWidth_);
    const int columns = VisibleColumns();
    if (column < open_->leftColumn)
        open_->leftColumn = std::max(0, column - columns / 4);
    else if (column >= open_->leftColumn + columns - 1)
        open_->leftColumn = column - columns + columns / 4;
    widestColumns_ = std::max(widestColumns_, column + 1);
}

void TextView::ScrollTo(int topLine, int leftColumn)
{
    if (!open_)
        return;
    const int lines = open_->document->Text().LineCount();
    topLine = std::clamp(topLine, 0, std::max(0, lines - 1));
    leftColumn = std::clamp(leftColumn, 0, std::max(0, widestColumns_));
    if (topLine == open_->topLine && leftColumn == open_->leftColumn)
        return;
    open_->topLine = topLine;
    open_->leftColumn = leftColumn;
    UpdateScrollBars();
    UpdateCaret();
    InvalidateRect(window_, nullptr, FALSE);
}

void TextView::Scroll(int bar, int code)
{
    if (!open_)
        return;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window_, bar, &info);
    const int page = bar == SB_VERT ? VisibleLines() : VisibleColumns();
    int position = bar == SB_VERT ? open_->topLine : open_->leftColumn;
    switch (code) {
    case SB_LINEUP: position -= 1; break;
    case SB_LINEDOWN: position += 1; break;
    case SB_PAGEUP: position -= std::max(page - 1, 1); break;
    case SB_PAGEDOWN: position += std::max(page - 1, 1); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
    }
    if (bar == SB_VERT)
        ScrollTo(position, open_->leftColumn);
    else
        ScrollTo(open_->topLine, position);
}

int TextView::OffsetAt(int x, int y) const
{
    const TextBuffer& text = open_->document->Text();
    const int line = std::clamp(open_->topLine + (y < 0 ? -1 : y / painter_.LineHeight()), 0, text.LineCount() - 1);
    const int column = std::max(0, open_->leftColumn + (x + painter_.CellWidth() / 2) / painter_.CellWidth());
    return OffsetAtColumn(text, line, column, tabWidth_);
}

void TextView::Notify(bool edited)
{
    if (onChange)
        onChange(edited);
}

bool TextView::KeyDown(WPARAM key)
{
    if (!open_)
        return false;
    EditorDocument& document = *open_->document;
    const bool control = Down(VK_CONTROL);
    const bool shift = Down(VK_SHIFT);
    Move move;
    switch (key) {
    case VK_LEFT: move = control ? Move::WordLeft : Move::Left; break;
    case VK_RIGHT: move = control ? Move::WordRight : Move::Right; break;
    case VK_UP:
        if (control) {
            ScrollTo(open_->topLine - 1, open_->leftColumn);
            return true;
        }
        move = Move::Up;
        break;
    case VK_DOWN:
        if (control) {
            ScrollTo(open_->topLine + 1, open_->leftColumn);
            return true;
        }
        move = Move::Down;
        break;
    case VK_HOME: move = control ? Move::DocStart : Move::Home; break;
    case VK_END: move = control ? Move::DocEnd : Move::End; break;
    case VK_PRIOR:
        move = Move::PageUp;
        open_->topLine = std::max(0, open_->topLine - Metrics().pageLines);
        break;
    case VK_NEXT:
        move = Move::PageDown;
        open_->topLine = std::min(document.Text().LineCount() - 1, open_->topLine + Metrics().pageLines);
        break;
    case VK_DELETE:
        if (control || shift)
            return false; // Shift+Delete is Cut, an accelerator
        document.DeleteForward();
        TextChanged();
        Notify(true);
        return true;
    case VK_INSERT:
        if (control || shift)
            return false;
        overwrite_ = !overwrite_;
        if (focused_) {
            DestroyCaret();
            CreateCaret(window_, nullptr, overwrite_ ? painter_.CellWidth() : 2, painter_.LineHeight());
            ShowCaret(window_);
            UpdateCaret();
        }
        Notify(false);
        return true;
    default: return false;
    }
    MoveCaret(document, move, shift, Metrics());
    CaretMoved();
    Notify(false);
    return true;
}

void TextView::Character(wchar_t unit)
{
    if (!open_)
        return;
    EditorDocument& document = *open_->document;
    std::wstring typed;
    if (unit >= 0xD800 && unit < 0xDC00) {
        highSurrogate_ = unit;
        return;
    }
    if (unit >= 0xDC00 && unit < 0xE000) {
        if (!highSurrogate_)
            return;
        typed += highSurrogate_;
        highSurrogate_ = 0;
    }
    switch (unit) {
    case L'\b': document.Backspace(); break;
    case L'\t':
        if (Down(VK_SHIFT))
            ShiftTab(document, tabWidth_);
        else
            Tab(document);
        break;
    case L'\r': document.Type("\n"); break;
    default:
        if (unit < 0x20 || unit == 0x7F)
            return;
        typed += unit;
        if (overwrite_)
            document.TypeOver(WideToUtf8(typed));
        else
            document.Type(WideToUtf8(typed));
    }
    TextChanged();
    Notify(true);
}

void TextView::MouseDown(int x, int y, bool shift)
{
    if (!open_)
        return;
    SetFocus(window_);
    EditorDocument& document = *open_->document;
    const DWORD now = GetMessageTime();
    const bool nearLast = std::abs(x - lastClick_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                      std::abs(y - lastClick_.y) <= GetSystemMetrics(SM_CYDOUBLECLK);
    clickCount_ = nearLast && now - lastClickTime_ <= GetDoubleClickTime() ? clickCount_ % 3 + 1 : 1;
    lastClickTime_ = now;
    lastClick_ = {x, y};
    const int offset = OffsetAt(x, y);
    const TextBuffer& text = document.Text();
    if (clickCount_ == 1) {
        if (shift)
            document.Select(document.GetSelection().anchor, offset);
        else
            document.SetCaret(offset);
        dragAnchorStart_ = dragAnchorEnd_ = document.GetSelection().anchor;
    } else if (clickCount_ == 2) {
        WordAt(text, offset, &dragAnchorStart_, &dragAnchorEnd_);
        document.Select(dragAnchorStart_, dragAnchorEnd_);
    } else {
        const int line = text.LineOf(offset);
        dragAnchorStart_ = text.LineStart(line);
        dragAnchorEnd_ = line + 1 < text.LineCount() ? text.LineStart(line + 1) : text.Length();
        document.Select(dragAnchorStart_, dragAnchorEnd_);
    }
    document.goalColumn = -1;
    dragging_ = true;
    SetCapture(window_);
    CaretMoved();
    Notify(false);
}

void TextView::MouseMove(int x, int y)
{
    if (!dragging_ || !open_)
        return;
    RECT client = {};
    GetClientRect(window_, &client);
    // Dragging past an edge scrolls towards it.
    if (y < 0)
        ScrollTo(open_->topLine - 1, open_->leftColumn);
    else if (y >= client.bottom)
        ScrollTo(open_->topLine + 1, open_->leftColumn);
    EditorDocument& document = *open_->document;
    const int offset = OffsetAt(x, y);
    if (offset < dragAnchorStart_)
        document.Select(dragAnchorEnd_, offset);
    else
        document.Select(dragAnchorStart_, std::max(offset, dragAnchorEnd_));
    CaretMoved();
    Notify(false);
}

void TextView::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT client = {};
    GetClientRect(window_, &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HGDIOBJ oldFont = SelectObject(memory, painter_.Look(0).font);
    SetBkColor(memory, RGB(255, 255, 255));
    ExtTextOutW(memory, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    if (open_) {
        EditorDocument& document = *open_->document;
        const int lines = document.Text().LineCount();
        const int last = std::min(lines - 1, open_->topLine + VisibleLines());
        document.Styling().SetShown(open_->topLine, last);
        for (int line = open_->topLine; line <= last; ++line) {
            const int y = (line - open_->topLine) * painter_.LineHeight();
            if (y + painter_.LineHeight() < paint.rcPaint.top || y > paint.rcPaint.bottom)
                continue;
            const int width =
                painter_.PaintLine(memory, document, line, y, open_->leftColumn, client.right, tabWidth_);
            if (width > widestColumns_) {
                widestColumns_ = width;
                PostMessageW(window_, WM_APP, 0, 0); // the scroll bar follows after painting
            }
        }
    }
    BitBlt(dc, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
           paint.rcPaint.bottom - paint.rcPaint.top, memory, paint.rcPaint.left, paint.rcPaint.top, SRCCOPY);
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(window_, &paint);
}

LRESULT TextView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE:
        UpdateScrollBars();
        if (open_)
            open_->document->Styling().SetShown(open_->topLine, open_->topLine + VisibleLines());
        return 0;
    case WM_APP: UpdateScrollBars(); return 0;
    case WM_SETFOCUS:
        focused_ = true;
        CreateCaret(window_, nullptr, overwrite_ ? painter_.CellWidth() : 2, painter_.LineHeight());
        UpdateCaret();
        ShowCaret(window_);
        return 0;
    case WM_KILLFOCUS:
        focused_ = false;
        DestroyCaret();
        return 0;
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTTAB;
    case WM_KEYDOWN:
        if (KeyDown(wParam))
            return 0;
        break;
    case WM_CHAR: Character(static_cast<wchar_t>(wParam)); return 0;
    case WM_LBUTTONDOWN: MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), (wParam & MK_SHIFT) != 0); return 0;
    case WM_MOUSEMOVE:
        // A move the system makes up (on taking the capture) carries no button.
        if (wParam & MK_LBUTTON)
            MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        if (dragging_) {
            dragging_ = false;
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED: dragging_ = false; return 0;
    case WM_VSCROLL: Scroll(SB_VERT, LOWORD(wParam)); return 0;
    case WM_HSCROLL: Scroll(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: {
        if (!open_)
            return 0;
        UINT perNotch = 3;
        SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
        wheelRemainder_ += GET_WHEEL_DELTA_WPARAM(wParam);
        const int notches = wheelRemainder_ / WHEEL_DELTA;
        wheelRemainder_ -= notches * WHEEL_DELTA;
        ScrollTo(open_->topLine - notches * static_cast<int>(perNotch), open_->leftColumn);
        return 0;
    }
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace varnel::editor::win32
