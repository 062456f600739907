// Draws a document's lines in the styles of its language: each style run in its own
// colour and font (bold, italic, underline, family and size from its style string), tabs
// expanded, UTF-8 decoded, bytes that are not UTF-8 (and control characters) shown as
// marked cells. Every character takes one cell of the font's width, a tab runs to the
// next tab stop: the columns the core's caret moves count.
#pragma once

#include "editor_document.h"
#include "style_table.h"

#include <windows.h>

#include <string>
#include <vector>

namespace varnel::editor::win32 {

// How a style is drawn.
struct StyleLook {
    COLORREF colour = RGB(0, 0, 0);
    HFONT font = nullptr;
};

// What a style string's fields mean to the window: the first two-digit field is the
// size in points, the second holds flags (1 bold, 2 italic, 4 underline).
struct FontChoice {
    std::wstring family;
    int points = 10;
    bool bold = false, italic = false, underline = false;
};
FontChoice FontFor(const StyleAttributes& attributes);

class TextPainter {
public:
    TextPainter() = default;
    ~TextPainter();
    TextPainter(const TextPainter&) = delete;
    TextPainter& operator=(const TextPainter&) = delete;

    // Takes the styles of a language (null: plain text) and makes their fonts for `dc`.
    void SetStyles(HDC dc, const StyleTable* styles);

    int LineHeight() const { return lineHeight_; }
    int CellWidth() const { return cellWidth_; }
    COLORREF DefaultColour() const { return looks_.empty() ? RGB(0, 0, 0) : looks_[0].colour; }
    const StyleLook& Look(int style) const;

    // Paints line `line` of the document at `y`, from column `leftColumn`, `width`
    // pixels wide (background, selection and text). Answers the line's width in columns
    // as far as it was laid out (at most one screen past `leftColumn`).
    int PaintLine(HDC dc, EditorDocument& document, int line, int y, int leftColumn, int width, int tabWidth);

private:
    HFONT FontOf(const FontChoice& choice, HDC dc);
    void Clear();

    struct MadeFont {
        std::wstring family;
        int height;
        bool bold, italic, underline;
        HFONT font;
    };
    std::vector<MadeFont> fonts_;
    std::vector<StyleLook> looks_; // index = style number, 0 the default text
    int lineHeight_ = 16;
    int cellWidth_ = 8;
    int ascent_ = 12;
    std::string scratch_;
    std::wstring glyphs_;
    std::vector<INT> advances_;
};

} // namespace varnel::editor::win32
