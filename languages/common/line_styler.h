// The working values of a line styler and the steps its state machine shares with
// the other languages' stylers.
//
// A styler reads its line once, front to back: Next() answers the character at i (0 at
// and beyond the end of the line, so the end reads like a NUL) and moves i past it, so
// the character just read sits at i - 1. A run begins at `start`; each step reports the
// style of the run it finishes with Style(start, style). The language's own state
// machine decides which step a character goes to; the steps below answer whether the
// line stays in the state that called them.
#pragma once

#include "branch_hints.h"
#include "language_proxy.h"

#include <cstddef>
#include <type_traits>

// The steps run for every character and are always inlined into the styler's loop, so
// that its working values stay in registers instead of in memory that every call to the
// proxy could change.
#if defined(__GNUC__)
#define STYLER_STEP inline __attribute__((always_inline))
#else
#define STYLER_STEP inline
#endif

// The style given to a keyword by the sets it belongs to: byBit[k] for bit k of the
// KeywordSets mask. The lowest set bit among the first `count` wins; a word in none of
// them gets the default style 0.
class KeywordStyles {
public:
    template <std::size_t N>
    constexpr KeywordStyles(const int (&styles)[N]) : byBit_(styles), count_(static_cast<int>(N))
    {
        static_assert(N >= 1 && N < 32, "a style for each of 1 to 31 keyword sets");
    }

    int StyleOf(int sets) const
    {
        // Sets beyond the styled ones do not count.
        const unsigned styled = static_cast<unsigned>(sets) & ((1u << count_) - 1u);
        if (styled == 0)
            return 0;
#if defined(__GNUC__)
        return byBit_[__builtin_ctz(styled)];
#else
        int bit = 0;
        while ((styled & (1u << bit)) == 0)
            ++bit;
        return byBit_[bit];
#endif
    }

private:
    const int* byBit_;
    int count_;
};

// ASCII character classes; bytes from 128 up are in none of them.
constexpr bool IsAsciiLetter(int c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr bool IsAsciiDigit(int c)
{
    return c >= '0' && c <= '9';
}

// The usual word: an ASCII letter or "_", then letters, digits and "_".
constexpr bool IsIdentifierStart(int c)
{
    return IsAsciiLetter(c) || c == '_';
}

constexpr bool IsIdentifierCharacter(int c)
{
    return IsIdentifierStart(c) || IsAsciiDigit(c);
}

constexpr bool IsLineEnd(int c)
{
    return c == '\n' || c == 0;
}

// A set of bytes made at compile time from a class of characters, so that a loop that
// reads on while the character keeps the styler in its state asks one question a byte.
// Has() takes what LineStyler::Next() answers: a byte from 0 to 255.
class ByteSet {
public:
    template <typename Member>
    static constexpr ByteSet Of(Member member)
    {
        ByteSet set;
        for (int c = 0; c < 256; ++c)
            set.has_[c] = member(c);
        return set;
    }

    bool Has(int c) const { return has_[c]; }

private:
    bool has_[256] = {};
};

// The two byte sets of a styler's plain text: the characters that go on with a word
// after its first, and those that leave plain text as it is. They lie side by side, so
// that the styler's loops reach both from one address kept in a register.
struct PlainTextSets {
    ByteSet wordCharacters;
    ByteSet plainText;
};

// The sets of a language whose words are the usual identifiers and whose plain text is
// broken by "#" comments and by strings in either quote: no character of its plain text
// starts a comment, a word or a string, and none ends the line.
inline constexpr PlainTextSets kHashCommentSets = {
    ByteSet::Of(IsIdentifierCharacter),
    ByteSet::Of([](int c) {
        return c != '#' && !IsIdentifierStart(c) && c != '"' && c != '\'' && !IsLineEnd(c);
    }),
};

// How a language's words meet its keyword text: as written, or with ASCII letters folded
// to the case its keyword text is written in (bytes from 128 up are never folded).
enum class CaseFold { None, Upper, Lower };

inline int FoldCase(int c, CaseFold fold)
{
    if (fold == CaseFold::Upper && c >= 'a' && c <= 'z')
        return c - 'a' + 'A';
    if (fold == CaseFold::Lower && c >= 'A' && c <= 'Z')
        return c - 'A' + 'a';
    return c;
}

struct LineStyler {
    VLanguageProxy& line;
    int len;            // the line's length, its line feed included
    int i = 0;          // the index of the next character to read
    int start = 0;      // where the current run began
    int kw = 0;         // the keyword matcher's state within a word
    bool escaped = false;
    int count = 0;      // characters of a character constant
    bool done = false;
    int data = 0;       // the high byte of the line state, for languages that keep data there
    int opened = -1;    // where a construct opened on this line began; -1 when none did
    int lastStyle = -1; // the style of the last SetStyle call; -1 before the first

    explicit LineStyler(VLanguageProxy& styledLine) : line(styledLine), len(styledLine.TextLength()) {}

    // Starts the line with its first run; false when the line is empty, which leaves
    // nothing more to do.
    bool Begin(int style)
    {
        Style(0, style);
        return len > 0;
    }

    int Next()
    {
        const int c = VARNEL_USUALLY(i < len) ? static_cast<unsigned char>(line.CharAt(i)) : 0;
        ++i;
        return c;
    }

    // The character at i + ahead, without moving; 0 outside the line.
    int Peek(int ahead = 0) const;

    // Reports a run. A run in the default style right after another call in the default
    // style is left out: the host keeps the last run's style for such a call anyway, and
    // the default style is one every host knows, so it never maps it to another.
    void Style(int offset, int style)
    {
        if (style == 0 && lastStyle == 0)
            return;
        lastStyle = style;
        line.SetStyle(offset, style);
    }

    // Plain text (state 0 in every language), after it has looked at a character and
    // chosen the next state: when the line is done, or a token began at that character,
    // the plain run ends and the next one starts there. Answers the next state.
    template <typename State>
    State AfterPlain(State next)
    {
        if (VARNEL_USUALLY(done || (next != State{} && start < i))) {
            Style(start, 0);
            start = i - 1;
        }
        return next;
    }

    // A word that c opens in plain text: the plain run ends before it, the word is read
    // to its end with its keyword style, and the character after it is answered
    // (already read; the next run starts there).
    STYLER_STEP int PlainWord(int c, const ByteSet& words, const KeywordStyles& styles)
    {
        AfterPlain(OpenWord(c, 1));
        return ReadWord(Next(), words, styles);
    }

    // A comment that plain text opens and that runs to the line's end: the plain run
    // ends before it. True when it goes on into the next line.
    STYLER_STEP bool PlainLineComment(int style)
    {
        AfterPlain(1);
        return InLineComment(style);
    }

    // The line ends in plain text: its last plain run is reported. Answers the plain
    // state.
    template <typename State>
    STYLER_STEP State PlainLineEnd()
    {
        done = true;
        return AfterPlain(State{});
    }

    // A word that starts with c; answers the word's state. The keyword matcher is fed
    // the characters folded as `fold` says.
    template <typename State>
    State OpenWord(int c, State word, CaseFold fold = CaseFold::None)
    {
        kw = line.KeywordStep(FoldCase(c, fold), 1);
        return word;
    }

    // A word character goes on with the word; any other character ends it with its
    // keyword style and is read again by the plain state. False when the word ended.
    bool InWord(int c, bool wordCharacter, const KeywordStyles& styles, CaseFold fold = CaseFold::None);

    // The rest of a word whose characters are `words`, read in one go from c: the
    // matcher is fed each character while it has not answered 0, and the character
    // after the word ends it with its keyword style. That character is answered, already
    // read (it sits at i - 1), and the next run starts at it.
    int ReadWord(int c, const ByteSet& words, const KeywordStyles& styles);

    // The keyword sets of the word just read: none when the matcher's state is dead,
    // which no keyword reaches, so the host is asked only about live states.
    int WordSets() const { return kw != 0 ? line.KeywordSets(kw) : 0; }

    // Reads on from c while the character is in `keeps`; answers the first that is not.
    int SkipOver(const ByteSet& keeps, int c)
    {
        while (keeps.Has(c))
            c = Next();
        return c;
    }

    // After a token plain text opened, read to its end or the line's: when it runs on
    // into the next line the line ends in its state; otherwise plain text follows
    // unless the token finished the line. True when plain text follows, with c the
    // character it starts with.
    template <typename State>
    STYLER_STEP bool AfterToken(bool runsOn, State& state, int& c)
    {
        if (runsOn)
            return false;
        state = State{};
        if (done)
            return false;
        c = Next();
        return true;
    }

    // A string or character constant opens: it starts unescaped and with no characters,
    // whatever an abandoned constant before it left. Answers its state.
    template <typename State>
    State OpenQuoted(State quoted)
    {
        escaped = false;
        count = 0;
        return quoted;
    }

    // A string closed by `quote` where a backslash escapes the next character. It is
    // closed by an unescaped quote; at the line's end it goes on to the next line when the
    // line ends in a single backslash, and otherwise falls back to the default style from
    // its opening quote. False when the string ended (closed or fallen back).
    bool InQuotedString(int c, int quote, int style);

    // A comment from "/*" to "*/", read from the character after the opening "/";
    // scanning resumes after the closing "/". False when it closed on this line.
    bool InBlockComment(int c, int style);

    // A comment running to the line's end: styles it and finishes the line. True when it
    // goes on into the next line, which happens only when the line has no line feed.
    bool InLineComment(int style);

    // A character constant: one of 1, 2 or 4 characters (an escape sequence counting
    // one) is styled; any other count falls back to the default style and its closing
    // quote is read again to open a new one. A tab or the line's end abandons it. False
    // when the constant ended.
    bool InCharConstant(int c, int style);

    // Whether the line's last byte is a line feed.
    bool EndsWithLineFeed() const { return len > 0 && line.CharAt(len - 1) == '\n'; }

    // Every other character of a string or constant: a backslash escapes the next one.
    void NoteEscape(int c) { escaped = !escaped && c == '\\'; }

private:
    // The line ends in a backslash that is not itself escaped by the one before it.
    bool ContinuedByBackslash() const;
};

STYLER_STEP int LineStyler::Peek(int ahead) const
{
    const long long offset = static_cast<long long>(i) + ahead;
    if (offset < 0 || offset >= len)
        return 0;
    return static_cast<unsigned char>(line.CharAt(static_cast<int>(offset)));
}

STYLER_STEP bool LineStyler::InWord(int c, bool wordCharacter, const KeywordStyles& styles, CaseFold fold)
{
    if (wordCharacter) {
        if (kw != 0)
            kw = line.KeywordStep(FoldCase(c, fold), kw);
        return true;
    }
    Style(start, styles.StyleOf(WordSets()));
    --i;
    start = i;
    return false;
}

STYLER_STEP int LineStyler::ReadWord(int c, const ByteSet& words, const KeywordStyles& styles)
{
    while (kw != 0 && words.Has(c)) {
        kw = line.KeywordStep(c, kw);
        c = Next();
    }
    // No keyword goes on this way: the rest of the word only needs reading.
    c = SkipOver(words, c);
    Style(start, styles.StyleOf(WordSets()));
    start = i - 1;
    return c;
}

// The steps for strings, comments and constants read on through the characters that
// keep their state, and return when it ends or the line does.

STYLER_STEP bool LineStyler::InQuotedString(int c, int quote, int style)
{
    for (;; c = Next()) {
        // Characters that neither close, escape nor end the line only clear the escape.
        if (!escaped) {
            while (c != quote && c != '\\' && !IsLineEnd(c))
                c = Next();
        }
        if (c == quote && !escaped) {
            Style(start, style);
            start = i;
            return false;
        }
        if (IsLineEnd(c)) {
            const bool continued = ContinuedByBackslash();
            Style(start, continued ? style : 0);
            start = len;
            done = true;
            return continued;
        }
        NoteEscape(c);
    }
}

STYLER_STEP bool LineStyler::InBlockComment(int c, int style)
{
    for (;; c = Next()) {
        while (c != '*' && !IsLineEnd(c))
            c = Next();
        if (c == '*' && Peek() == '/') {
            Style(start, style);
            start = i + 1;
            i = i + 1;
            return false;
        }
        if (IsLineEnd(c)) {
            Style(start, style);
            done = true;
            return true;
        }
    }
}

STYLER_STEP bool LineStyler::InLineComment(int style)
{
    Style(start, style);
    done = true;
    return !EndsWithLineFeed();
}

STYLER_STEP bool LineStyler::InCharConstant(int c, int style)
{
    for (;; c = Next()) {
        if (c == '\t' || IsLineEnd(c)) {
            Style(start, 0);
            start = i;
            return false;
        }
        if (c == '\'' && !escaped) {
            if (count == 1 || count == 2 || count == 4) {
                Style(start, style);
            } else {
                Style(start, 0);
                --i; // the quote opens the next constant
            }
            start = i;
            return false;
        }
        if (!escaped)
            ++count;
        NoteEscape(c);
    }
}

STYLER_STEP bool LineStyler::ContinuedByBackslash() const
{
    // i is just past the line's end character.
    return Peek(-2) == '\\' && Peek(-3) != '\\';
}

// Whether a machine keeps data of its own in the high byte of the line state: it says
// so with `static constexpr bool kHighByteData = true`.
template <typename Machine, typename = void>
struct KeepsHighByteData : std::false_type {};
template <typename Machine>
struct KeepsHighByteData<Machine, std::void_t<decltype(Machine::kHighByteData)>>
    : std::bool_constant<Machine::kHighByteData> {};

// Styles one line with a language's state machine, as every styler does: the line's
// first run in the style of the state it begins in, then character after character
// through the machine until a step finishes the line, and the state it ends in handed
// back. A line that begins in a state the language does not have keeps the default
// style and hands that state back unchanged. Machine provides:
//   enum State                                 the line states of the language
//   static bool IsState(int value)             whether value is one of them
//   static int OpeningStyle(State state)       the style a line in that state begins with
//   static State Step(LineStyler&, State, int c)  the state after reading c
// A machine with kHighByteData keeps its state in the low byte of the line state and
// its own data in the high byte: IsState is asked about the low byte, the steps find
// the high byte in LineStyler::data, and both are packed again at the end.
template <typename Machine>
void StyleLineWith(VLanguageProxy& line, short* lineState)
{
    using State = typename Machine::State;
    constexpr bool kSplit = KeepsHighByteData<Machine>::value;
    if (lineState == nullptr)
        return;
    const int bits = static_cast<unsigned short>(*lineState);
    const int stateValue = kSplit ? (bits & 0xff) : *lineState;
    if (!Machine::IsState(stateValue)) {
        line.SetStyle(0, 0);
        return;
    }
    auto state = static_cast<State>(stateValue);
    LineStyler styler(line);
    if (kSplit)
        styler.data = bits >> 8;
    if (!styler.Begin(Machine::OpeningStyle(state)))
        return;
    while (!styler.done)
        state = Machine::Step(styler, state, styler.Next());
    if (kSplit)
        *lineState = static_cast<short>(static_cast<unsigned short>(((styler.data & 0xff) << 8) | (state & 0xff)));
    else
        *lineState = static_cast<short>(state);
}
