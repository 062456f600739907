// XML lines: the markup states of the HTML machine, with user tag sets whose tags colour
// the text after them; which user-data style that text takes is carried from line to
// line with the state.
#include "styler.h"

#include "markup_cursor.h"
#include "packed_line_state.h"

#include <cstddef>

namespace {

enum State : int {
    kText = 0,
    kAfterOpen = 1,
    kTagName = 2,
    kAfterCloseOpen = 3,
    kInTag = 4,
    kDoubleQuotedValue = 5,
    kSingleQuotedValue = 6,
    kAttributeName = 7,
    kEntity = 8,
    kDeclaration = 9,
    kComment = 10,
};

// Line state: the state number in bits 0 to 11, the closing-tag flag in bit 12 and the
// user-data index in bits 13 to 15.
constexpr int kStateNumberBits = 12;
constexpr int kClosingTagFlag = 0; // the first of the bits above the state number
constexpr int kIndexShift = 1;     // the index follows it

constexpr int kCommentStyle = 3;
constexpr int kSpecialCharacterStyle = 5;
constexpr int kTagStyle = 6;
constexpr int kTagStringStyle = 7;
constexpr int kKeepIndex = -1;

struct TagClass {
    int bit;
    int style;
    int index; // the user-data index the tag sets, or kKeepIndex
};

// Tag names: set 1 is a keyword; sets 3 to 8 are the user tag sets (set 2 is not tested
// here, so a tag only in it is a plain tag).
constexpr TagClass kTagNames[] = {
    {0x01, 1, kKeepIndex}, {0x04, 8, 1}, {0x08, 10, 2}, {0x10, 12, 3}, {0x20, 14, 4}, {0x40, 16, 5}, {0x80, 18, 6},
};
constexpr TagClass kPlainTag = {0, kTagStyle, 0};
// Attribute names, from set 2 on.
constexpr TagClass kAttributeNames[] = {
    {0x02, 2, kKeepIndex}, {0x04, 8, kKeepIndex},  {0x08, 10, kKeepIndex}, {0x10, 12, kKeepIndex},
    {0x20, 14, kKeepIndex}, {0x40, 16, kKeepIndex}, {0x80, 18, kKeepIndex},
};

template <std::size_t N>
TagClass Classify(int sets, const TagClass (&table)[N])
{
    for (const TagClass& entry : table) {
        if ((sets & entry.bit) != 0)
            return entry;
    }
    return kPlainTag;
}

// Characters are classed by their low 8 bits; bytes from 128 to 255 are in no class.
int Low(int c)
{
    return c & 0xff;
}
bool IsLetter(int c)
{
    const int low = Low(c);
    return (low >= 'a' && low <= 'z') || (low >= 'A' && low <= 'Z');
}
bool IsNameCharacter(int c)
{
    const int low = Low(c);
    return IsLetter(c) || (low >= '0' && low <= '9') || low == '-';
}
bool IsWhiteSpace(int c)
{
    const int low = Low(c);
    return low == ' ' || (low >= '\t' && low <= '\r');
}
bool IsLineEnd(int c)
{
    return c == 0 || c == '\n';
}
int Lower(int c)
{
    return LowerAscii(Low(c));
}

int UserDataStyle(int index)
{
    return index >= 1 && index <= 6 ? 7 + 2 * index : 0;
}

class XmlMachine {
public:
    XmlMachine(VLanguageProxyV2& text, StylingSink& sink) : m_(text, sink, window_) {}

    int state = kText;
    bool closingTag = false;
    int index = 0;

    bool Done() const { return m_.done; }

    void Step()
    {
        const int c = m_.Read();
        switch (state) {
        case kText: Text(c); break;
        case kAfterOpen: AfterOpen(c); break;
        case kTagName: Name(c, true); break;
        case kAfterCloseOpen: AfterCloseOpen(c); break;
        case kInTag: InTag(c); break;
        case kDoubleQuotedValue: QuotedValue(c, '"'); break;
        case kSingleQuotedValue: QuotedValue(c, '\''); break;
        case kAttributeName: Name(c, false); break;
        case kEntity: Entity(c); break;
        case kDeclaration: Declaration(c); break;
        case kComment: Comment(c); break;
        default: m_.done = true; break;
        }
    }

private:
    void Text(int c)
    {
        closingTag = false;
        if (c == '<')
            state = kAfterOpen;
        else if (c == '&')
            state = kEntity;
        else if (IsLineEnd(c))
            m_.done = true;
        if ((m_.done || state != kText) && m_.MarkIsBeforeCursor()) {
            m_.Emit(UserDataStyle(index));
            m_.MarkAtC();
        }
    }

    void StartName(int c)
    {
        m_.Emit(kTagStyle);
        m_.MarkAtC();
        matcher_ = m_.Text().KeywordStep(Lower(c), 1);
        state = kTagName;
    }

    // What follows "<" or "</": a name, the line's end, or something else that the tag
    // rules read.
    void NameOrOther(int c)
    {
        if (IsLetter(c)) {
            StartName(c);
        } else if (IsLineEnd(c)) {
            m_.Emit(kTagStyle);
            m_.done = true;
        } else if (!IsWhiteSpace(c)) {
            m_.BackUp();
            state = kInTag;
        }
    }

    void AfterOpen(int c)
    {
        if (c == '/')
            state = kAfterCloseOpen;
        else if (c == '?')
            return; // "<?xml" is read as the tag name "xml"
        else if (c == '!')
            state = kDeclaration;
        else
            NameOrOther(c);
    }

    void AfterCloseOpen(int c)
    {
        closingTag = true;
        NameOrOther(c);
    }

    void Name(int c, bool tagName)
    {
        if (IsNameCharacter(c)) {
            if (matcher_ != 0)
                matcher_ = m_.Text().KeywordStep(Lower(c), matcher_);
            return;
        }
        const int sets = m_.Text().KeywordSets(matcher_);
        const TagClass found = tagName ? Classify(sets, kTagNames) : Classify(sets, kAttributeNames);
        m_.Emit(found.style);
        if (tagName) {
            if (found.index != kKeepIndex)
                index = found.index;
            if (closingTag) {
                index = 0;
                closingTag = false;
            }
        }
        state = kInTag;
        m_.BackUp();
        m_.MarkAtCursor();
    }

    void InTag(int c)
    {
        if (IsLineEnd(c)) {
            m_.Emit(kTagStyle);
            m_.done = true;
        } else if (c == '>') {
            m_.Emit(kTagStyle);
            state = kText;
            m_.MarkAtCursor();
        } else if (c == '"' || c == '\'') {
            m_.Emit(kTagStyle);
            m_.MarkAtC();
            state = c == '"' ? kDoubleQuotedValue : kSingleQuotedValue;
        } else if (IsLetter(c)) {
            m_.Emit(kTagStyle);
            m_.MarkAtC();
            matcher_ = m_.Text().KeywordStep(Lower(c), 1);
            state = kAttributeName;
        }
    }

    void QuotedValue(int c, int quote)
    {
        if (c == quote) {
            m_.Emit(kTagStringStyle);
            state = kInTag;
            m_.MarkAtCursor();
        } else if (IsLineEnd(c)) {
            m_.Emit(kTagStringStyle);
            m_.done = true;
        }
    }

    void Entity(int c)
    {
        if (IsLineEnd(c)) {
            m_.Emit(0);
            state = kText;
            m_.done = true;
        } else if (c == ';') {
            m_.Emit(kSpecialCharacterStyle);
            state = kText;
            m_.MarkAtCursor();
        } else if (IsWhiteSpace(c)) {
            state = kText;
        }
    }

    void Declaration(int c)
    {
        const int at = m_.COffset();
        if (c == '-' && m_.Next() == '-' && at == m_.Mark() + 2 && m_.ByteAt(at - 2) == '<' && m_.ByteAt(at - 1) == '!') {
            m_.Emit(kTagStyle);
            m_.MarkAtC();
            state = kComment;
        } else if (c == '>') {
            m_.Emit(kTagStyle);
            state = kText;
            m_.MarkAtCursor();
        } else if (IsLineEnd(c)) {
            m_.Emit(kTagStyle);
            m_.done = true;
        }
    }

    void Comment(int c)
    {
        if (c == '-' && m_.Next() == '-') {
            m_.Emit(kCommentStyle);
            m_.Advance();
            state = kDeclaration;
            m_.MarkAtCursor();
        } else if (IsLineEnd(c)) {
            m_.Emit(kCommentStyle);
            m_.done = true;
        }
    }

    MarkupWindow window_;
    MarkupCursor<StylingSink> m_;
    int matcher_ = 0;
};

} // namespace

void StyleXmlLine(VLanguageProxy& line, short* lineState)
{
    if (lineState == nullptr)
        return;
    PackedLineState in = PackedLineState::Unpack(*lineState, kStateNumberBits);
    VLanguageProxyV2* text = AsProxyV2(line);
    if (in.number > kComment || text == nullptr) {
        // A state without a role: the line keeps the default style and the state.
        line.SetStyle(0, 0);
        return;
    }
    if (line.TextLength() <= 0)
        return;
    StylingSink sink{&line};
    XmlMachine machine(*text, sink);
    machine.state = in.number;
    machine.closingTag = in.Flag(kClosingTagFlag);
    machine.index = in.high >> kIndexShift;
    sink.Begin(UserDataStyle(machine.index));
    while (!machine.Done())
        machine.Step();
    PackedLineState out{machine.state, machine.index << kIndexShift};
    out.SetFlag(kClosingTagFlag, machine.closingTag);
    *lineState = out.Pack(kStateNumberBits);
}
