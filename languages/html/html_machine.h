// The state machine that reads HTML with its embedded JavaScript and PHP, character by
// character. StyleLine runs it over one line and reports the runs; the context finder
// runs it over the document up to an offset and notes where script regions begin. Both
// run these transitions; they differ only in the sink and in whether the machine goes
// on across line ends.
#pragma once

#include "markup_cursor.h"

namespace html {

enum State : int {
    kText = 0,
    kAfterOpen = 1,           // after "<"
    kTagName = 2,
    kAfterCloseOpen = 3,      // after "</"
    kInTag = 4,
    kDoubleQuotedValue = 5,
    kSingleQuotedValue = 6,
    kAttributeName = 7,
    kEntity = 8,
    kDeclaration = 9,
    kComment = 10,
    kScript = 11,
    kScriptBlockComment = 12,
    kScriptLineComment = 13,
    kScriptWord = 14,
    kScriptSingleQuoted = 15,
    kScriptDoubleQuoted = 16,
    kPhp = 17,
    kPhpWord = 18,
    kPhpBlockComment = 19,
    kPhpLineComment = 20,
    kPhpDoubleQuoted = 21,
    kPhpSingleQuoted = 22,
    kPhpVariable = 23,
};
constexpr int kStateCount = 24;

// Line state: the state number in bits 0 to 13, the percent flag in bit 14 and the
// script flag in bit 15.
constexpr int kStateNumberBits = 14;
constexpr int kPercentFlag = 0; // bits above the state number
constexpr int kScriptFlag = 1;

// Styles.
constexpr int kHtmlKeywordStyle = 1;
constexpr int kCommentStyle = 5;
constexpr int kStringStyle = 6;
constexpr int kSpecialCharacterStyle = 7;
constexpr int kTagStyle = 8;
constexpr int kTagStringStyle = 9;
constexpr int kPhpVariableStyle = 11;

// The style of a word by its keyword sets: the bits tested in order, the first one set
// deciding.
struct BitStyle {
    int bit;
    int style;
};

int StyleOfSets(int sets, const BitStyle* table, int count, int otherwise);
int TagNameStyle(int sets);
int AttributeNameStyle(int sets);
int ScriptWordStyle(int sets);
int PhpWordStyle(int sets);

// Character classes: ASCII letters, digits and white space; every character from 128 up
// counts as all three.
inline bool IsLetter(int c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 128;
}
inline bool IsLetterOrDigit(int c)
{
    return IsLetter(c) || (c >= '0' && c <= '9');
}
inline bool IsWhiteSpace(int c)
{
    return c == ' ' || (c >= '\t' && c <= '\r') || c >= 128;
}
inline bool IsLineEnd(int c)
{
    return c == 0 || c == '\n';
}
// Small letters for the keyword matcher, below 128 only.
inline int Lower(int c)
{
    return c < 128 ? LowerAscii(c) : c;
}

// For each ASCII byte, the states (bit s for state s) in which reading it changes nothing
// but the cursor: besides clearing the escape flag in a string (and the script flag in
// JavaScript), and, in a word state, only while the keyword matcher has given up.
// Line ends and bytes from 128 up are never passed over.
constexpr bool IsAsciiLetter(int b)
{
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
}
constexpr bool IsAsciiLetterOrDigit(int b)
{
    return IsAsciiLetter(b) || (b >= '0' && b <= '9');
}
constexpr bool IsAsciiWhiteSpace(int b)
{
    return b == ' ' || (b >= '\t' && b <= '\r');
}
constexpr unsigned InertStates(int b)
{
    if (b == 0 || b == '\n' || b >= 128)
        return 0;
    const bool letter = IsAsciiLetter(b);
    const bool wordCharacter = IsAsciiLetterOrDigit(b) || b == '_';
    bool inert[kStateCount] = {};
    inert[kText] = b != '<' && b != '&';
    inert[kAfterOpen] = IsAsciiWhiteSpace(b);
    inert[kTagName] = IsAsciiLetterOrDigit(b) || b == '-';
    inert[kAfterCloseOpen] = IsAsciiWhiteSpace(b);
    inert[kInTag] = b != '>' && b != '"' && b != '\'' && b != '!' && !letter;
    inert[kDoubleQuotedValue] = b != '"';
    inert[kSingleQuotedValue] = b != '\'';
    inert[kAttributeName] = IsAsciiLetterOrDigit(b) || b == '-';
    inert[kEntity] = b != ';' && !IsAsciiWhiteSpace(b);
    inert[kDeclaration] = b != '-' && b != '>';
    inert[kComment] = b != ':' && b != '-';
    inert[kScript] = b != '<' && b != '/' && b != '\'' && b != '"' && !letter;
    inert[kScriptBlockComment] = b != '*';
    inert[kScriptLineComment] = b != '-';
    inert[kScriptWord] = wordCharacter;
    inert[kScriptSingleQuoted] = b != '\'' && b != '\\';
    inert[kScriptDoubleQuoted] = b != '"' && b != '\\';
    inert[kPhp] = b != '"' && b != '\'' && b != '#' && b != '/' && b != '$' && b != '?' && b != '%' && !letter;
    inert[kPhpWord] = wordCharacter;
    inert[kPhpBlockComment] = b != '*' && b != '?' && b != '%';
    inert[kPhpLineComment] = b != '?' && b != '%';
    inert[kPhpDoubleQuoted] = b != '"' && b != '\\';
    inert[kPhpSingleQuoted] = b != '\'' && b != '\\';
    inert[kPhpVariable] = wordCharacter;
    unsigned states = 0;
    for (int state = 0; state < kStateCount; ++state) {
        if (inert[state])
            states |= 1u << state;
    }
    return states;
}

struct InertTable {
    unsigned states[256];
    constexpr InertTable() : states()
    {
        for (int b = 0; b < 256; ++b)
            states[b] = InertStates(b);
    }
};
inline constexpr InertTable kInert{};

// Whether the machine runs across line ends, following the document (the context
// finder), or styles one line.
enum class Reach { Line, Document };

// Sink: Run(offset, style); RegionStart(offset) where a script region begins or ends;
// static constexpr bool kStyles (false: no runs are wanted, so words are not looked up).
template <typename Sink, Reach kReach>
class Machine {
public:
    Machine(VLanguageProxyV2& text, Sink& sink, MarkupWindow& window, int start = 0)
        : m_(text, sink, window, start), lineStart_(start)
    {
    }

    int state = kText;
    bool percent = false; // the PHP block closes with "%>" rather than "?>"
    bool script = false;  // an opening script tag is being read

    MarkupCursor<Sink>& Cursor() { return m_; }

    // Reads on, before `limit` at the latest, over what Step would read without any
    // effect but the cursor's: the rest of a word (feeding the keyword matcher as Step
    // does) and the bytes that mean nothing in the present state. Answers the number of
    // bytes read.
    int Skip(int limit)
    {
        if (state < 0 || state >= kStateCount)
            return 0;
        const unsigned bit = 1u << state;
        const int next = m_.Next();
        if ((kInert.states[next & 0xff] & bit) == 0 || m_.Cursor() >= limit)
            return 0;
        const int from = m_.Cursor();
        if constexpr (Sink::kStyles) {
            if (matcher_ != 0)
                FeedWord(limit);
        }
        const int skipped = m_.ReadWhile([bit](int b) { return (kInert.states[b] & bit) != 0; }, limit);
        constexpr unsigned kStringStates =
            1u << kScriptSingleQuoted | 1u << kScriptDoubleQuoted | 1u << kPhpDoubleQuoted | 1u << kPhpSingleQuoted;
        if (skipped > 0) {
            if ((bit & kStringStates) != 0)
                escaped_ = false;
            else if (state == kScript)
                script = false;
        }
        return m_.Cursor() - from;
    }

    // One step: reads a character and acts on it. A state without a role finishes.
    void Step()
    {
        const int c = m_.Read();
        const int begun = state;
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
        case kScript: Script(c); break;
        case kScriptBlockComment: BlockComment(c, kScript); break;
        case kScriptLineComment: ScriptLineComment(c); break;
        case kScriptWord: ScriptWord(c); break;
        case kScriptSingleQuoted: ScriptString(c, '\''); break;
        case kScriptDoubleQuoted: ScriptString(c, '"'); break;
        case kPhp: Php(c); break;
        case kPhpWord: PhpWord(c); break;
        case kPhpBlockComment: PhpBlockComment(c); break;
        case kPhpLineComment: PhpLineComment(c); break;
        case kPhpDoubleQuoted: PhpString(c, '"'); break;
        case kPhpSingleQuoted: PhpString(c, '\''); break;
        case kPhpVariable: PhpVariable(c); break;
        default: m_.done = true; return;
        }
        if (begun == kText || begun == kScript || begun == kPhp)
            Flush(begun);
        if constexpr (kReach == Reach::Document) {
            // Straight on into the next line, unless the text has ended.
            if (m_.done && c == '\n') {
                m_.done = false;
                lineStart_ = m_.COffset() + 1;
            }
        }
    }

private:
    // The run of default text before a token ends where the token begins.
    void Flush(int begun)
    {
        if ((m_.done || state != begun) && m_.MarkIsBeforeCursor()) {
            m_.Emit(0);
            m_.MarkBeforeCursor();
        }
    }

    void Finish() { m_.done = true; }

    void StartWord(int c)
    {
        if constexpr (Sink::kStyles)
            matcher_ = m_.Text().KeywordStep(Lower(c), 1);
    }

    // Feeds the next character of a word (lowered or not, as the word kind says).
    void GoOnWithWord(int fed)
    {
        if constexpr (Sink::kStyles) {
            if (matcher_ != 0)
                matcher_ = m_.Text().KeywordStep(fed, matcher_);
        }
    }

    int Sets()
    {
        if constexpr (Sink::kStyles)
            return m_.Text().KeywordSets(matcher_);
        return 0;
    }

    void RegionStart(int offset) { m_.Output().RegionStart(offset); }

    // The rest of a word while the matcher follows it, read here character by character
    // as the word state would, up to a character that is not ASCII.
    void FeedWord(int limit)
    {
        constexpr unsigned kWordStates = 1u << kTagName | 1u << kAttributeName | 1u << kScriptWord | 1u << kPhpWord;
        const unsigned bit = 1u << state;
        if ((bit & kWordStates) == 0)
            return;
        // In a word state the bytes that change nothing are those that go on the word.
        const bool lowered = state != kScriptWord;
        while (matcher_ != 0 && m_.Cursor() < limit) {
            const int b = m_.Next();
            if ((kInert.states[b & 0xff] & bit) == 0)
                return;
            m_.ReadAsciiNext(b);
            matcher_ = m_.Text().KeywordStep(lowered ? LowerAscii(b) : b, matcher_);
        }
    }

    bool ClosingPair(int c) const { return (percent ? c == '%' : c == '?') && m_.Next() == '>'; }

    void Text(int c)
    {
        if (c == '<')
            state = kAfterOpen;
        else if (c == '&')
            state = kEntity;
        else if (IsLineEnd(c))
            Finish();
    }

    void StartName(int c)
    {
        m_.Emit(kTagStyle);
        m_.MarkAtC();
        StartWord(c);
        state = kTagName;
    }

    void AfterOpen(int c)
    {
        if (c == '/') {
            state = kAfterCloseOpen;
        } else if (c == '!') {
            state = kDeclaration;
            afterDeclaration_ = kText;
        } else if (c == '?' || c == '%') {
            m_.Emit(kTagStyle);
            m_.MarkAtCursor();
            RegionStart(m_.Cursor());
            if (m_.AtCursor("php")) {
                m_.Emit(kHtmlKeywordStyle);
                m_.Advance(3);
                m_.MarkAtCursor();
            }
            percent = c == '%';
            state = kPhp;
        } else if (IsLetter(c)) {
            StartName(c);
        } else if (IsLineEnd(c)) {
            m_.Emit(kTagStyle);
            Finish();
        } else if (!IsWhiteSpace(c)) {
            m_.BackUp();
            state = kInTag;
        }
    }

    // A tag name (or an attribute name) goes on with letters, digits and "-".
    void Name(int c, bool tagName)
    {
        if (IsLetterOrDigit(c) || c == '-') {
            GoOnWithWord(Lower(c));
            return;
        }
        if (tagName) {
            m_.Emit(TagNameStyle(Sets()));
            if (m_.At(m_.Mark(), "script") && m_.ByteAt(m_.Mark() - 1) != '/')
                script = true;
        } else {
            m_.Emit(AttributeNameStyle(Sets()));
        }
        state = kInTag;
        m_.BackUp();
        m_.MarkAtCursor();
    }

    void AfterCloseOpen(int c)
    {
        if (IsLetter(c)) {
            StartName(c);
        } else if (IsLineEnd(c)) {
            m_.Emit(kTagStyle);
            Finish();
        } else if (!IsWhiteSpace(c)) {
            m_.BackUp();
            state = kInTag;
        }
    }

    void InTag(int c)
    {
        if (IsLineEnd(c)) {
            m_.Emit(kTagStyle);
            Finish();
        } else if (c == '>') {
            m_.Emit(kTagStyle);
            m_.MarkAtCursor();
            m_.EmitAt(m_.Cursor(), 0);
            if (script) {
                state = kScript;
                RegionStart(m_.Cursor());
            } else {
                state = kText;
            }
        } else if (c == '"' || c == '\'') {
            m_.Emit(kTagStyle);
            m_.MarkAtC();
            state = c == '"' ? kDoubleQuotedValue : kSingleQuotedValue;
        } else if (c == '!' && m_.COffset() == m_.OneOn(m_.Mark())) {
            m_.Emit(kTagStyle);
            state = kDeclaration;
            afterDeclaration_ = kText;
        } else if (IsLetter(c)) {
            m_.Emit(kTagStyle);
            m_.MarkAtC();
            StartWord(c);
            state = kAttributeName;
        }
    }

    void QuotedValue(int c, int quote)
    {
        if (c == quote) {
            m_.Emit(kTagStringStyle);
            m_.MarkAtCursor();
            state = kInTag;
        } else if (IsLineEnd(c)) {
            m_.Emit(kTagStringStyle);
            Finish();
        }
    }

    void Entity(int c)
    {
        if (IsLineEnd(c)) {
            m_.Emit(0);
            state = kText;
            Finish();
        } else if (c == ';') {
            m_.Emit(kSpecialCharacterStyle);
            m_.MarkAtCursor();
            state = kText;
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
            m_.MarkAtCursor();
            state = afterDeclaration_;
            // A comment marked ":javascript" or ":php" opens its script region here.
            if (state == kScript || state == kPhp)
                RegionStart(m_.Cursor());
        } else if (IsLineEnd(c)) {
            m_.Emit(kTagStyle);
            Finish();
        }
    }

    void Comment(int c)
    {
        if (m_.Mark() == lineStart_ + 2 && c == ':') {
            if (m_.AtCursor("javascript"))
                afterDeclaration_ = kScript;
            else if (m_.AtCursor("php"))
                afterDeclaration_ = kPhp;
        } else if (c == '-' && m_.Next() == '-') {
            m_.Emit(kCommentStyle);
            m_.Advance();
            m_.MarkAtCursor();
            state = kDeclaration;
        } else if (IsLineEnd(c)) {
            m_.Emit(kCommentStyle);
            Finish();
        }
    }

    void Script(int c)
    {
        script = false;
        if (c == '<' && m_.AtCursor("!--")) {
            m_.Emit(kTagStyle);
            m_.EmitAt(m_.OneOn(m_.Cursor()), kCommentStyle);
            m_.Advance(3);
            m_.MarkAtCursor();
        } else if (c == '<' && m_.Next() == '/' && m_.At(m_.Cursor() + 1, "script")) {
            RegionStart(m_.Cursor());
            m_.Advance();
            state = kAfterOpen;
        } else if (c == '/' && m_.Next() == '*') {
            state = kScriptBlockComment;
        } else if (c == '/' && m_.Next() == '/') {
            state = kScriptLineComment;
        } else if (!IsLetter(c)) {
            if (c == '\'')
                state = kScriptSingleQuoted;
            else if (c == '"')
                state = kScriptDoubleQuoted;
            else if (IsLineEnd(c))
                Finish();
        } else {
            StartWord(c);
            state = kScriptWord;
        }
    }

    // "*/" closes when it is not the "*" of the opening "/*", or at the line's start.
    bool ClosesBlockComment(int c) const
    {
        return c == '*' && m_.Next() == '/' && (m_.Mark() == lineStart_ || m_.COffset() > m_.Mark());
    }

    void BlockComment(int c, int back)
    {
        if (ClosesBlockComment(c)) {
            m_.Emit(kCommentStyle);
            m_.MarkAfterCursor();
            state = back;
        } else if (IsLineEnd(c)) {
            m_.Emit(kCommentStyle);
            Finish();
        }
    }

    void ScriptLineComment(int c)
    {
        if (c == '-' && m_.Next() == '-') {
            m_.Emit(kCommentStyle);
            m_.MarkAfterCursor();
            RegionStart(m_.OneOn(m_.Cursor()));
            state = kInTag;
        } else if (c == '\n') {
            m_.Emit(kCommentStyle);
            state = kScript;
            Finish();
        } else if (c == 0) {
            m_.Emit(kCommentStyle);
            Finish();
        }
    }

    void EndWord(int style, int back)
    {
        m_.Emit(style);
        m_.BackUp();
        m_.MarkAtCursor();
        state = back;
    }

    void ScriptWord(int c)
    {
        if (IsLetterOrDigit(c) || c == '_') {
            GoOnWithWord(c); // not lowered after the first character
            return;
        }
        const int sets = Sets();
        EndWord(sets != 0 ? ScriptWordStyle(sets) : 0, kScript);
    }

    void ScriptString(int c, int quote)
    {
        if (!escaped_ && c == quote) {
            m_.Emit(kStringStyle);
            m_.MarkAtCursor();
            state = kScript;
        } else if (IsLineEnd(c)) {
            const int at = m_.COffset();
            if (m_.ByteAt(at - 1) == '\\' && m_.ByteAt(at - 2) != '\\') {
                m_.Emit(kStringStyle);
            } else {
                m_.Emit(0);
                state = kScript;
            }
            m_.MarkAt(at);
            Finish();
        } else {
            escaped_ = !escaped_ && c == '\\';
        }
    }

    // "?>" (or "%>") ends the PHP block and its tag run.
    void LeavePhp()
    {
        m_.Emit(kTagStyle);
        m_.Advance();
        m_.MarkAtCursor();
        RegionStart(m_.Cursor());
        state = kText;
    }

    void Php(int c)
    {
        if (ClosingPair(c)) {
            LeavePhp();
        } else if (!IsLetter(c)) {
            if (c == '"')
                state = kPhpDoubleQuoted;
            else if (c == '\'' && kReach == Reach::Line)
                state = kPhpSingleQuoted;
            else if (c == '#' || (c == '/' && m_.Next() == '/'))
                state = kPhpLineComment;
            else if (c == '/' && m_.Next() == '*')
                state = kPhpBlockComment;
            else if (c == '$' && kReach == Reach::Line)
                state = kPhpVariable;
            else if (IsLineEnd(c))
                Finish();
        } else {
            StartWord(c);
            state = kPhpWord;
        }
    }

    void PhpWord(int c)
    {
        if (IsLetterOrDigit(c) || c == '_') {
            GoOnWithWord(Lower(c));
            return;
        }
        const int sets = Sets();
        EndWord(sets != 0 ? PhpWordStyle(sets) : 0, kPhp);
    }

    // A comment is cut short by the end of the PHP block.
    void CommentClosedByPhpEnd()
    {
        m_.Emit(kCommentStyle);
        m_.MarkAtC();
        LeavePhp();
    }

    void PhpBlockComment(int c)
    {
        if (ClosesBlockComment(c)) {
            m_.Emit(kCommentStyle);
            m_.MarkAfterCursor();
            state = kPhp;
        } else if (IsLineEnd(c)) {
            m_.Emit(kCommentStyle);
            Finish();
        } else if (ClosingPair(c)) {
            CommentClosedByPhpEnd();
        }
    }

    void PhpLineComment(int c)
    {
        if (c == 0) {
            m_.Emit(kCommentStyle);
            Finish();
        } else if (c == '\n') {
            m_.Emit(kCommentStyle);
            state = kPhp;
            Finish();
        } else if (ClosingPair(c)) {
            CommentClosedByPhpEnd();
        }
    }

    void PhpString(int c, int quote)
    {
        if (!escaped_ && c == quote) {
            m_.Emit(kStringStyle);
            m_.MarkAtCursor();
            state = kPhp;
        } else if (IsLineEnd(c)) {
            m_.Emit(kStringStyle);
            m_.MarkAt(m_.COffset());
            Finish();
        } else {
            escaped_ = !escaped_ && c == '\\';
        }
    }

    void PhpVariable(int c)
    {
        if (IsLetterOrDigit(c) || c == '_')
            return;
        EndWord(m_.COffset() > m_.OneOn(m_.Mark()) ? kPhpVariableStyle : 0, kPhp);
    }

    MarkupCursor<Sink> m_;
    int lineStart_;              // where the line being read began
    int matcher_ = 0;            // the keyword matcher's state within a word
    bool escaped_ = false;       // the last character of a string was an escaping backslash
    int afterDeclaration_ = kText; // where the ">" of a declaration leads
};

} // namespace html
