// The cursor and mark the markup stylers walk a line (or a whole document) with.
//
// Each step reads the character c under the cursor and moves the cursor past it, so
// that "next" is the character now under the cursor. The mark is where the run not yet
// reported begins; emitting a style reports that run through the sink, which styles the
// line (SetStyle) or ignores the runs when the machine only follows the text. Backing up
// moves the cursor back one character so that c is read again in the new state.
#pragma once

#include "char_iterator.h"

// A markup state machine's lowering: ASCII capitals to small letters, all else kept.
inline int LowerAscii(int c)
{
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

// Sinks: Run(offset, style) receives the runs; a sink that styles nothing may skip the
// keyword matcher too.
//
// The host lets a run of the style the last run already has change nothing, so the
// styling sink does not make that call.
struct StylingSink {
    VLanguageProxy* line;
    int last = -1; // the style of the run reported last
    static constexpr bool kStyles = true;

    // The line's first run.
    void Begin(int style)
    {
        line->SetStyle(0, style);
        last = style;
    }
    void Run(int offset, int style)
    {
        if (style == last)
            return;
        line->SetStyle(offset, style);
        last = style;
    }
};

// The bytes a cursor reads through. It is kept apart from the cursor, so that handing
// it to the host leaves the cursor's own values free to stay in registers.
struct MarkupWindow {
    static constexpr int kSize = 512;
    char bytes[kSize];
};

template <typename Sink>
class MarkupCursor {
public:
    MarkupCursor(VLanguageProxyV2& text, Sink& sink, MarkupWindow& window, int start = 0)
        : text_(text), sink_(sink), window_(window.bytes), length_(text.TextLength()), offset_(start), mark_(start)
    {
    }

    // Reads c and moves past it. ASCII is read byte by byte; a byte from 128 up starts
    // a character that the host decodes (with its length).
    int Read()
    {
        at_ = offset_;
        // The window holds only bytes of the text, so a byte found in it is inside.
        const unsigned index = static_cast<unsigned>(offset_) - static_cast<unsigned>(windowStart_);
        if (index < static_cast<unsigned>(windowLength_) && static_cast<unsigned char>(window_[index]) < 0x80) {
            c_ = static_cast<unsigned char>(window_[index]);
            readEnd_ = ++offset_;
            return c_;
        }
        if (offset_ < 0 || offset_ >= length_) {
            c_ = 0;
            ++offset_;
        } else if (const int byte = ByteAt(offset_); byte < 0x80) {
            c_ = byte;
            ++offset_;
        } else {
            int ch = 0;
            int length = 0;
            text_.CodePointAt(offset_, &ch, &length);
            c_ = ch;
            offset_ += length > 0 ? length : 1;
        }
        readEnd_ = offset_;
        return c_;
    }

    int C() const { return c_; }
    int COffset() const { return at_; } // where c stands
    // The byte under the cursor, which the machines only compare with ASCII characters.
    int Next() const { return ByteAt(offset_); }
    int Cursor() const { return offset_; }
    int Mark() const { return mark_; }
    VLanguageProxyV2& Text() const { return text_; }
    Sink& Output() const { return sink_; }

    void Advance(int count = 1)
    {
        int offset = offset_;
        for (int i = 0; i < count; ++i)
            text_.NextChar(&offset);
        offset_ = offset;
    }
    // Back by one character: onto c when the cursor is still just after it.
    void BackUp() { offset_ = CharacterBefore(offset_); }

    void MarkAtC() { mark_ = at_; }
    void MarkAtCursor() { mark_ = offset_; } // also "after c" when the cursor has not moved
    void MarkAt(int offset) { mark_ = offset; }
    // One character on from the cursor.
    void MarkAfterCursor() { mark_ = OneOn(offset_); }
    // One character back from the cursor.
    void MarkBeforeCursor() { mark_ = offset_ > 0 ? CharacterBefore(offset_) : offset_; }
    bool MarkIsBeforeCursor() const { return mark_ < offset_; }

    // The run from the mark has style s.
    void Emit(int style) { sink_.Run(mark_, style); }
    void EmitAt(int offset, int style) { sink_.Run(offset, style); }

    // Whether the text at the cursor (or at an offset) begins with s, ignoring case.
    bool AtCursor(const char* s) const { return At(offset_, s); }
    bool At(int offset, const char* s) const
    {
        // Inside the window the bytes are compared here; elsewhere the host compares.
        int n = 0;
        while (s[n] != '\0')
            ++n;
        if (offset >= 0 && offset + n <= length_ && offset >= windowStart_ &&
            offset + n <= windowStart_ + windowLength_) {
            const char* text = window_ + (offset - windowStart_);
            for (int i = 0; i < n; ++i) {
                if (LowerAscii(static_cast<unsigned char>(text[i])) != LowerAscii(static_cast<unsigned char>(s[i])))
                    return false;
            }
            return true;
        }
        return text_.CompareText(offset, s, false) == 0;
    }
    // The byte at an offset (0 outside the text), read through a window of the text
    // that CopyText fills, rather than one call of the host per byte.
    int ByteAt(int offset) const
    {
        const unsigned index = static_cast<unsigned>(offset) - static_cast<unsigned>(windowStart_);
        if (index < static_cast<unsigned>(windowLength_))
            return static_cast<unsigned char>(window_[index]);
        if (offset < 0 || offset >= length_)
            return 0;
        Fill(offset);
        if (windowLength_ == 0)
            return static_cast<unsigned char>(text_.CharAt(offset));
        return static_cast<unsigned char>(window_[offset - windowStart_]);
    }
    // The offset one character on from `offset`.
    int OneOn(int offset) const
    {
        text_.NextChar(&offset);
        return offset;
    }

    // Reads the ASCII byte b under the cursor (which Next() has just answered) and moves
    // past it, as Read() would.
    void ReadAsciiNext(int b)
    {
        at_ = offset_;
        c_ = b;
        readEnd_ = ++offset_;
    }

    // Reads on while the byte under the cursor is one that `inert(byte)` lets pass, which
    // must refuse 0 and every byte from 128 up, stopping before `limit` at the latest. Answers the
    // number of bytes read; afterwards c is the last of them, as if each had been read.
    template <typename Inert>
    int ReadWhile(Inert inert, int limit)
    {
        if (limit > length_)
            limit = length_;
        const int from = offset_;
        if (offset_ < 0)
            return 0;
        int last = c_;
        while (offset_ < limit) {
            if (offset_ < windowStart_ || offset_ >= windowStart_ + windowLength_) {
                Fill(offset_);
                if (windowLength_ == 0)
                    break;
            }
            const int windowEnd = windowStart_ + windowLength_;
            const char* p = window_ + (offset_ - windowStart_);
            const char* const stop = window_ + ((limit < windowEnd ? limit : windowEnd) - windowStart_);
            const char* const begin = p;
            while (p < stop && inert(static_cast<unsigned char>(*p)))
                ++p;
            if (p > begin)
                last = static_cast<unsigned char>(p[-1]);
            offset_ = windowStart_ + static_cast<int>(p - window_);
            if (p < stop)
                break;
        }
        if (offset_ > from) {
            at_ = offset_ - 1;
            readEnd_ = offset_;
            c_ = last;
        }
        return offset_ - from;
    }

    bool done = false;

private:
    // The window from a little before `offset` on, so that a look back stays inside it.
    void Fill(int offset) const
    {
        windowStart_ = offset >= kLookBack ? offset - kLookBack : 0;
        const int copied = text_.CopyText(windowStart_, length_ - windowStart_, window_, kWindowSize);
        windowLength_ = copied > 0 && copied <= kWindowSize && copied <= length_ - windowStart_ && windowStart_ + copied > offset
                            ? copied
                            : 0;
    }

    int CharacterBefore(int offset) const
    {
        if (offset == readEnd_)
            return at_;
        text_.PrevChar(&offset);
        return offset;
    }

    VLanguageProxyV2& text_;
    Sink& sink_;
    char* window_;
    int length_;
    int offset_;
    int mark_;
    int at_ = 0;      // where the character read last begins
    int readEnd_ = 0; // and where it ends
    int c_ = 0;
    static constexpr int kWindowSize = MarkupWindow::kSize;
    static constexpr int kLookBack = 16;
    mutable int windowStart_ = 0;
    mutable int windowLength_ = 0; // 0: no window (the host copied nothing)
};


