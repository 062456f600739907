// One forward pass over the page with a cursor. Bodies in parentheses and braces are
// passed whole, so only functions at the top level of a script or PHP block are listed.
#include "scanner.h"

#include "char_iterator.h"

#include <cstdio>

namespace {

constexpr int kMaxName = 255;
constexpr int kMaxTarget = 254;

// ASCII classes; characters from 128 up are in none of them here.
bool IsWhiteSpace(int c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsLetterOrDigit(int c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}
int Upper(int c)
{
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

class HtmlScanner {
public:
    explicit HtmlScanner(VLanguageProxyV2& text) : text_(text), it_(text, 0) { it_.caseSensitive = false; }

    void Run();

private:
    bool At(const char* word) const { return it_.StartsWith(word); }
    void Advance(int count = 1) { it_.Advance(count); }
    int CharacterAfter() const
    {
        CharIterator ahead = it_;
        return ahead.Advance();
    }

    // Advances until on c or the end; then past c.
    void SkipTo(int c)
    {
        while (it_.ch != 0 && it_.ch != c)
            Advance();
        if (it_.ch == c)
            Advance();
    }

    // The same, passing double-quoted text whole.
    void SkipToOutsideQuotes(int c)
    {
        while (it_.ch != 0 && it_.ch != c) {
            if (it_.ch == '"') {
                Advance();
                SkipTo('"');
            } else {
                Advance();
            }
        }
        if (it_.ch == c)
            Advance();
    }

    void SkipWhiteSpace()
    {
        while (IsWhiteSpace(it_.ch))
            Advance();
    }

    // From after an opener to just past its closer, passing double-quoted strings and
    // nested pairs of the same kind; the depth is counted, not recursed into.
    void SkipBalanced(int opener)
    {
        const int closer = opener == '(' ? ')' : '}';
        int depth = 1;
        while (it_.ch != 0) {
            const int c = it_.ch;
            if (c == '"') {
                Advance();
                PassQuoted('"');
                if (it_.ch != 0)
                    Advance();
                continue;
            }
            Advance();
            if (c == opener) {
                ++depth;
            } else if (c == closer && --depth == 0) {
                return;
            }
        }
    }

    // From after an opening quote to the matching unescaped quote (the cursor ends on
    // it) or the end of the text.
    void PassQuoted(int quote)
    {
        while (it_.ch != 0 && it_.ch != quote) {
            if (it_.ch == '\\')
                Advance();
            if (it_.ch != 0)
                Advance();
        }
    }

    // Copies length bytes from offset, at most max, NUL-terminated; a text cut at max
    // bytes ends before the character the cut would split.
    void Copy(int offset, int length, char* buffer, int max)
    {
        if (length < 0)
            length = 0;
        if (length > max)
            length = WholeCharacters(offset, max);
        const int copied = text_.CopyText(offset, length, buffer, max);
        buffer[copied > 0 ? (copied < max ? copied : max) : 0] = '\0';
    }

    // How many bytes from offset, at most max, hold whole characters.
    int WholeCharacters(int offset, int max)
    {
        int bytes = 0;
        for (;;) {
            int ch = 0;
            int length = 0;
            text_.CodePointAt(offset + bytes, &ch, &length);
            if (length <= 0 || length > max - bytes)
                return bytes;
            bytes += length;
        }
    }

    void AnchorScan();
    void HeadingScan(int level);
    void ScriptScan(bool php);
    void TakeFunctionName(bool php);

    VLanguageProxyV2& text_;
    CharIterator it_;
};

void HtmlScanner::Run()
{
    const int length = text_.TextLength();
    if (At("<!--:javascript")) {
        ScriptScan(false);
    } else if (At("<!--:php")) {
        Advance(11);
        ScriptScan(true);
    }
    while (it_.offset < length) {
        SkipTo('<');
        SkipWhiteSpace();
        const int u = Upper(it_.ch);
        if (u == 0)
            return;
        if (u == '?') {
            ScriptScan(true);
        } else if (u == 'A') {
            Advance();
            if (IsWhiteSpace(it_.ch))
                AnchorScan();
            else
                SkipToOutsideQuotes('>');
        } else if (u == 'L') {
            if (At("LINK")) {
                Advance(4);
                AnchorScan();
            } else {
                SkipToOutsideQuotes('>');
            }
        } else if (u == 'H') {
            Advance();
            if (it_.ch >= '1' && it_.ch <= '6')
                HeadingScan(it_.ch - '0');
            else
                SkipToOutsideQuotes('>');
        } else if (u == 'S') {
            if (At("SCRIPT"))
                ScriptScan(false);
        } else {
            Advance();
            SkipToOutsideQuotes('>');
        }
    }
}

// Inside an "a" or "link" tag after its name: the first href or name attribute counts.
void HtmlScanner::AnchorScan()
{
    for (;;) {
        SkipWhiteSpace();
        if (it_.ch == 0)
            break;
        if (At("HREF")) {
            Advance(4);
            SkipWhiteSpace();
            if (it_.ch == '=') {
                Advance();
                SkipWhiteSpace();
                if (it_.ch == '"') {
                    Advance();
                    const int from = it_.offset;
                    while (it_.ch != 0 && it_.ch != '"' && it_.ch != '#')
                        Advance();
                    if (it_.ch != 0) {
                        char target[kMaxTarget + 1];
                        Copy(from, it_.offset - from, target, kMaxTarget);
                        text_.AddInclude(target, target, false);
                    }
                }
            }
            break;
        }
        if (At("NAME")) {
            Advance(4);
            SkipWhiteSpace();
            if (it_.ch == '=') {
                Advance();
                SkipWhiteSpace();
                if (it_.ch == '"') {
                    const int quote = it_.offset;
                    CharIterator end = it_;
                    end.Advance(2);
                    while (end.ch != 0 && end.ch != '"')
                        end.Advance();
                    if (end.ch == '"') {
                        char name[kMaxName + 1];
                        Copy(quote + 1, end.offset - (quote + 1), name, kMaxName);
                        char label[kMaxName + 8];
                        std::snprintf(label, sizeof label, "A: %s", name);
                        text_.AddFunction(label, name, quote, false);
                    }
                }
            }
            break;
        }
        // Some other attribute: its name, then its value, whatever its form.
        const int before = it_.offset;
        while (IsLetterOrDigit(it_.ch))
            Advance();
        SkipWhiteSpace();
        if (it_.ch == '=') {
            Advance();
            SkipWhiteSpace();
            if (it_.ch == '"' || it_.ch == '\'') {
                const int quote = it_.ch;
                Advance();
                SkipTo(quote);
            } else {
                while (it_.ch != 0 && it_.ch != '>' && !IsWhiteSpace(it_.ch))
                    Advance();
            }
        }
        SkipWhiteSpace();
        if (it_.ch == '>') {
            Advance();
            return;
        }
        // A character that starts no attribute is stepped over.
        if (it_.offset == before)
            Advance();
    }
    SkipTo('>');
}

// On the level digit of a heading's start tag.
void HtmlScanner::HeadingScan(int level)
{
    Advance();
    SkipTo('>');
    while (it_.ch == '<') {
        Advance();
        SkipTo('>');
    }
    if (it_.ch == 0)
        return;
    const int from = it_.offset;
    Advance();
    SkipTo('<');
    const int to = it_.ch == 0 && text_.CharAt(it_.offset - 1) != '<' ? it_.offset : it_.offset - 1;
    char heading[kMaxName + 1];
    Copy(from, to - from, heading, kMaxName);
    // The first piece between line feeds, tabs and carriage returns.
    char* piece = heading;
    while (*piece == '\n' || *piece == '\t' || *piece == '\r')
        ++piece;
    char* end = piece;
    while (*end != '\0' && *end != '\n' && *end != '\t' && *end != '\r')
        ++end;
    *end = '\0';
    if (*piece == '\0')
        return;
    char label[kMaxName + 8];
    std::snprintf(label, sizeof label, "H%d: %s", level, piece);
    text_.AddFunction(label, piece, from, false);
}

// On the character after "function" and blanks: the name, which may be empty.
void HtmlScanner::TakeFunctionName(bool php)
{
    const int from = it_.offset;
    int count = 0;
    while (count < kMaxName && (IsLetterOrDigit(it_.ch) || it_.ch == '_' || (!php && it_.ch == '.'))) {
        Advance();
        ++count;
    }
    char name[kMaxName + 1];
    Copy(from, it_.offset - from, name, kMaxName);
    char label[kMaxName + 8];
    std::snprintf(label, sizeof label, "%s%s", php ? "PHP: " : "JS: ", name);
    text_.AddFunction(label, name, from, false);
}

// JavaScript (from its script tag, or the start of the page) or PHP (from the "?" of
// "<?", or after a ":php" marker); each pass over a character ends with one advance.
void HtmlScanner::ScriptScan(bool php)
{
    if (!php)
        SkipToOutsideQuotes('>');
    for (;;) {
        const int c = it_.ch;
        if (c == 0)
            return;
        if (c == '/' && CharacterAfter() == '/') {
            while (it_.ch != 0 && it_.ch != '\n')
                Advance();
            if (it_.ch == 0)
                return;
        } else if (php && c == '/' && CharacterAfter() == '*') {
            Advance();
            while (it_.ch != 0 && !(it_.ch == '*' && CharacterAfter() == '/') &&
                   !(it_.ch == '?' && CharacterAfter() == '>'))
                Advance();
            if (it_.ch == 0)
                return;
            Advance();
        } else if (c == '/') {
            // nothing
        } else if (c == '"' || c == '\'') {
            Advance();
            PassQuoted(c);
            if (it_.ch == 0)
                return;
        } else if (c == '(' || c == '{') {
            Advance();
            SkipBalanced(c);
            if (it_.ch == 0)
                return;
        } else if (!php && c == '<') {
            if (At("</script")) {
                Advance(9);
                return;
            }
        } else if (php && c == '?') {
            Advance();
            if (it_.ch == '>') {
                Advance();
                return;
            }
            // A character 0 is the end of the text: the pass's advance must not step over it.
            if (it_.ch == 0)
                return;
        } else if (At("function")) {
            Advance(8);
            SkipWhiteSpace();
            TakeFunctionName(php);
            if (it_.ch == 0)
                return;
        }
        Advance();
    }
}

} // namespace

void ScanHtmlFunctions(VLanguageProxy& document)
{
    VLanguageProxyV2* text = AsProxyV2(document);
    if (text == nullptr)
        return;
    HtmlScanner(*text).Run();
}
