// The cursor and mark the markup stylers walk a line (or a whole document) with.
//
// Each step reads the character c under the cursor and moves the cursor past it, so
// that "next" is the character now under the cursor. The mark is where the run not yet
// reported begins; emitting a style reports that run through the sink, which styles the
// line (SetStyle) or ignores the runs when the machine only follows the text. Backing up
// moves the cursor back one character so that c is read again in the new state.
#pragma once

#include "char_iterator.h"

// Sinks: Run(offset, style) receives the runs; a sink that styles nothing may skip the
// keyword matcher too.
struct StylingSink {
    VLanguageProxy* line;
    static constexpr bool kStyles = true;
    void Run(int offset, int style) { line->SetStyle(offset, style); }
};

template <typename Sink>
class MarkupCursor {
public:
    MarkupCursor(VLanguageProxyV2& text, Sink& sink, int start = 0)
        : sink_(sink), it_(text, start), mark_(start)
    {
        it_.caseSensitive = false; // every comparison of the markup machines ignores case
    }

    // Reads c and moves past it.
    int Read()
    {
        at_ = it_.offset;
        c_ = it_.ch;
        it_.Advance();
        return c_;
    }

    int C() const { return c_; }
    int COffset() const { return at_; }      // where c stands
    int Next() const { return it_.ch; }      // the character under the cursor
    int Cursor() const { return it_.offset;  }
    int Mark() const { return mark_; }
    VLanguageProxyV2& Text() const { return *it_.proxy; }
    Sink& Output() const { return sink_; }

    // The character after the one under the cursor.
    int AfterNext() const
    {
        CharIterator ahead = it_;
        return ahead.Advance();
    }

    void Advance(int count = 1) { it_.Advance(count); }
    void BackUp() { it_.Back(); }

    void MarkAtC() { mark_ = at_; }
    void MarkAtCursor() { mark_ = it_.offset; } // also "after c" when the cursor has not moved
    void MarkAt(int offset) { mark_ = offset; }
    // One character on from the cursor.
    void MarkAfterCursor()
    {
        CharIterator ahead = it_;
        ahead.Advance();
        mark_ = ahead.offset;
    }
    // One character back from the cursor.
    void MarkBeforeCursor()
    {
        int offset = it_.offset;
        if (offset > 0)
            it_.proxy->PrevChar(&offset);
        mark_ = offset;
    }
    bool MarkIsBeforeCursor() const { return mark_ < it_.offset; }

    // The run from the mark has style s.
    void Emit(int style) { sink_.Run(mark_, style); }
    void EmitAt(int offset, int style) { sink_.Run(offset, style); }

    // Whether the text at the cursor (or at an offset) begins with s, ignoring case.
    bool AtCursor(const char* s) const { return it_.StartsWith(s); }
    bool At(int offset, const char* s) const { return it_.proxy->CompareText(offset, s, false) == 0; }
    // The byte at an offset (0 outside the text).
    int ByteAt(int offset) const { return static_cast<unsigned char>(it_.proxy->CharAt(offset)); }
    // The offset one character on from `offset`.
    int OneOn(int offset) const
    {
        it_.proxy->NextChar(&offset);
        return offset;
    }

    bool done = false;

private:
    Sink& sink_;
    CharIterator it_;
    int mark_;
    int at_ = 0;
    int c_ = 0;
};

// A markup state machine's lowering: ASCII capitals to small letters, all else kept.
inline int LowerAscii(int c)
{
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}
