#include "text_painter.h"

#include "text_encoding.h"
#include "utf8.h"

#include <algorithm>

namespace varnel::editor::win32 {

namespace {

constexpr wchar_t kFallbackFamily[] = L"Courier New";
const COLORREF kBackground = RGB(255, 255, 255);
const COLORREF kMarkedBackground = RGB(255, 214, 214); // bytes that are not UTF-8, control characters
const COLORREF kMarkedText = RGB(160, 0, 0);

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FamilyExists(HDC dc, const std::wstring& family)
{
    if (family.empty() || family.size() >= LF_FACESIZE)
        return false;
    LOGFONTW wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    family.copy(wanted.lfFaceName, family.size());
    bool found = false;
    EnumFontFamiliesExW(dc, &wanted, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// One cell of a line as drawn.
enum class CellKind { Text, Marked };

} // namespace

FontChoice FontFor(const StyleAttributes& attributes)
{
    FontChoice choice;
    choice.family = AnsiToWide(attributes.font);
    if (attributes.field1 >= 6 && attributes.field1 <= 72)
        choice.points = attributes.field1;
    choice.bold = (attributes.field2 & 1) != 0;
    choice.italic = (attributes.field2 & 2) != 0;
    choice.underline = (attributes.field2 & 4) != 0;
    return choice;
}

TextPainter::~TextPainter() { Clear(); }

void TextPainter::Clear()
{
    for (const MadeFont& made : fonts_)
        DeleteObject(made.font);
    fonts_.clear();
    looks_.clear();
}

HFONT TextPainter::FontOf(const FontChoice& choice, HDC dc)
{
    const std::wstring family = FamilyExists(dc, choice.family) ? choice.family : std::wstring(kFallbackFamily);
    const int height = -MulDiv(choice.points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    for (const MadeFont& made : fonts_)
        if (made.family == family && made.height == height && made.bold == choice.bold &&
            made.italic == choice.italic && made.underline == choice.underline)
            return made.font;
    HFONT font = CreateFontW(height, 0, 0, 0, choice.bold ? FW_BOLD : FW_NORMAL, choice.italic, choice.underline,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             FIXED_PITCH | FF_MODERN, family.c_str());
    fonts_.push_back({family, height, choice.bold, choice.italic, choice.underline, font});
    return font;
}

void TextPainter::SetStyles(HDC dc, const StyleTable* styles)
{
    Clear();
    // The default text takes the family and size of the first style that names them.
    FontChoice base;
    base.family = kFallbackFamily;
    if (styles)
        for (int number = 1; number <= styles->Count(); ++number)
            if (const auto& attributes = styles->At(number).attributes) {
                const FontChoice named = FontFor(*attributes);
                base.family = named.family;
                base.points = named.points;
                break;
            }
    looks_.push_back({RGB(0, 0, 0), FontOf(base, dc)});
    if (styles)
        for (int number = 1; number <= styles->Count(); ++number) {
            const auto& attributes = styles->At(number).attributes;
            if (!attributes) {
                looks_.push_back(looks_[0]);
                continue;
            }
            looks_.push_back({RGB(attributes->red, attributes->green, attributes->blue),
                              FontOf(FontFor(*attributes), dc)});
        }

    HGDIOBJ old = SelectObject(dc, looks_[0].font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SIZE size = {};
    GetTextExtentPoint32W(dc, L"M", 1, &size);
    SelectObject(dc, old);
    lineHeight_ = std::max<int>(metrics.tmHeight + metrics.tmExternalLeading, 4);
    cellWidth_ = std::max<int>(size.cx, 2);
    ascent_ = metrics.tmAscent;
}

const StyleLook& TextPainter::Look(int style) const
{
    return style > 0 && static_cast<std::size_t>(style) < looks_.size() ? looks_[static_cast<std::size_t>(style)]
                                                                         : looks_[0];
}

int TextPainter::PaintLine(HDC dc, EditorDocument& document, int line, int y, int leftColumn, int width,
                           int tabWidth)
{
    const TextBuffer& text = document.Text();
    const int lineStart = text.LineStart(line);
    const std::string_view content = text.LineContent(line, &scratch_);
    const RunView runs = document.Styling().Runs(line);
    const Selection selection = document.GetSelection();
    const int columns = width / cellWidth_ + 2;
    const int rightColumn = leftColumn + columns;

    RECT all = {0, y, width, y + lineHeight_};
    SetBkColor(dc, kBackground);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_BASELINE | TA_LEFT);

    const COLORREF selectedBack = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF selectedText = GetSysColor(COLOR_HIGHLIGHTTEXT);

    // The cells are drawn in pieces of one style, kind and selection state each.
    std::size_t run = 0;
    int column = 0;
    int offset = 0;
    const int size = static_cast<int>(content.size());
    while (offset < size && column < rightColumn) {
        while (run + 1 < runs.size() && runs[run + 1].start <= offset)
            ++run;
        const int style = runs.empty() ? 0 : runs[run].style;
        const int runEnd = run + 1 < runs.size() ? std::min(runs[run + 1].start, size) : size;
        const bool selected = lineStart + offset >= selection.Start() && lineStart + offset < selection.End();
        const int selectionEdge =
            selected ? selection.End() - lineStart
                     : (selection.Start() - lineStart > offset ? selection.Start() - lineStart : size);
        const int pieceEnd = std::max(offset + 1, std::min(runEnd, selectionEdge));

        glyphs_.clear();
        advances_.clear();
        const int pieceColumn = column;
        bool marked = false;
        int at = offset;
        while (at < pieceEnd && column < rightColumn) {
            const unsigned char byte = static_cast<unsigned char>(content[static_cast<std::size_t>(at)]);
            if (byte == '\t') {
                const int next = (column / std::max(tabWidth, 1) + 1) * std::max(tabWidth, 1);
                if (!glyphs_.empty() && marked)
                    break;
                glyphs_ += L' ';
                advances_.push_back((next - column) * cellWidth_);
                column = next;
                ++at;
                continue;
            }
            const Utf8Char decoded = DecodeUtf8(content.data() + at, static_cast<std::size_t>(size - at));
            const bool bad = (decoded.length == 1 && byte >= 0x80) || decoded.codePoint < 0x20 ||
                             decoded.codePoint == 0x7F;
            if (!glyphs_.empty() && bad != marked)
                break;
            marked = bad;
            if (bad) {
                // Shown as the byte's hex value is too wide for one cell: a Latin-1 look-alike
                // (or "?") on a marked background stands for it.
                glyphs_ += byte >= 0xA0 ? static_cast<wchar_t>(byte) : L'?';
                advances_.push_back(cellWidth_);
            } else {
                const int units = AppendCodePoint(glyphs_, decoded.codePoint);
                advances_.push_back(cellWidth_);
                if (units == 2)
                    advances_.push_back(0);
            }
            ++column;
            at += std::max(decoded.length, 1);
        }
        offset = at;
        if (column <= leftColumn || glyphs_.empty())
            continue;
        const int x = (pieceColumn - leftColumn) * cellWidth_;
        RECT cells = {x, y, (column - leftColumn) * cellWidth_, y + lineHeight_};
        if (selected || marked) {
            SetBkColor(dc, selected ? selectedBack : kMarkedBackground);
            ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &cells, nullptr, 0, nullptr);
        }
        const StyleLook& look = Look(style);
        SelectObject(dc, look.font);
        SetTextColor(dc, selected ? selectedText : marked ? kMarkedText : look.colour);
        ExtTextOutW(dc, x, y + ascent_, ETO_CLIPPED, &cells, glyphs_.data(), static_cast<UINT>(glyphs_.size()),
                    advances_.data());
    }
    // A selected line feed shows as one selected cell after the line's text.
    if (offset >= size && lineStart + size >= selection.Start() && lineStart + size < selection.End() &&
        line + 1 < text.LineCount() && column >= leftColumn && column < rightColumn) {
        RECT feed = {(column - leftColumn) * cellWidth_, y, (column - leftColumn + 1) * cellWidth_, y + lineHeight_};
        SetBkColor(dc, selectedBack);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &feed, nullptr, 0, nullptr);
    }
    return column;
}

} // namespace varnel::editor::win32
