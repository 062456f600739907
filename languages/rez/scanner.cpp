#include "scanner.h"

#include "char_iterator.h"
#include "line_styler.h"
#include "scanner_words.h"
#include "text_scanning.h"

#include <string>

namespace {

bool IsRezBlank(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Blanks, "/* */" comments and "//" comments (a backslash before the line feed
// continues them); with `preprocessorLines`, lines beginning with a single "#" too.
void SkipBlanks(CharIterator& it, bool preprocessorLines)
{
    for (;;) {
        while (IsRezBlank(it.ch))
            it.Advance();
        if (it.ch == '/') {
            if (!SkipSlashComment(it, LineCommentEnd::UnescapedLineFeed))
                return;
        } else if (preprocessorLines && it.ch == '#' && CharacterAhead(it, 1) != '#') {
            SkipLiteral(it, '\n');
        } else {
            return;
        }
    }
}

void SkipBlanksAndComments(CharIterator& it)
{
    SkipBlanks(it, false);
}

void SkipBlanksCommentsAndPreprocessorLines(CharIterator& it)
{
    SkipBlanks(it, true);
}

// Inside a group, quotes open literals and "#" the rest of its line.
bool SkipRezLiteral(CharIterator& it, int c)
{
    if (c == '#') {
        SkipLiteral(it, '\n');
        return true;
    }
    return SkipQuotedLiteral(it, c);
}

// Called just past "(", "[" or "{": moves just past the matching closer.
void SkipGroup(CharIterator& it, int opener)
{
    SkipBlock(it, opener, SkipBlanksCommentsAndPreprocessorLines, SkipRezLiteral);
}

// Appends the word at the iterator (ASCII letters, digits and "_") to the label, as far
// as it has room, and moves past it: the first character beyond the room ends the label.
void ReadWord(CharIterator& it, std::string& label)
{
    bool fits = true;
    while (IsAsciiWordCharacter(it.ch)) {
        fits = fits && AppendCharacter(label, it, kRezLabelBytes);
        it.Advance();
    }
}

// Stoppers of the collections; a character beyond ASCII is none of them.
bool IsStopper(int c, std::string_view stoppers)
{
    return c < 128 && stoppers.find(static_cast<char>(c)) != std::string_view::npos;
}

// Appends the characters up to the first of `stoppers` (or the end of the text) to the
// label, as far as it has room: the first character beyond the room ends the label, and
// those after it are read over. The iterator stops on the stopper.
void Collect(CharIterator& it, std::string& label, std::string_view stoppers)
{
    bool fits = true;
    while (it.ch != 0 && !IsStopper(it.ch, stoppers)) {
        fits = fits && AppendCharacter(label, it, kRezLabelBytes);
        it.Advance();
    }
}

bool EqualsIgnoringCase(std::string_view text, std::string_view word)
{
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (FoldCase(static_cast<unsigned char>(text[i]), CaseFold::Lower) != word[i])
            return false;
    }
    return true;
}

class RezScanner {
public:
    explicit RezScanner(VLanguageProxyV2& proxy) : it_(proxy, 0) {}

    void Run();

private:
    // Called just past "#".
    void Directive();
    // On the first letter of a word.
    void Definition();
    // The type after "type" or "resource": a quoted type code (the quotes not kept) or a
    // word. Answers whether the type was quoted; the iterator stops on the closing quote
    // or the character after the word.
    bool ReadType(std::string& label);

    CharIterator it_;
};

void RezScanner::Run()
{
    const std::optional<int> end = TextEnd(it_);
    if (!end)
        return;
    while (it_.offset < *end) {
        SkipBlanksAndComments(it_);
        const int c = it_.ch;
        switch (c) {
        case 0:
            return;
        case '"':
        case '\'':
            SkipQuoted(it_);
            break;
        case '(':
        case '[':
        case '{':
            it_.Advance();
            SkipGroup(it_, c);
            break;
        case '#':
            it_.Advance();
            Directive();
            break;
        default:
            if (IsIdentifierStart(c))
                Definition();
            else
                it_.Advance();
            break;
        }
    }
}

void RezScanner::Directive()
{
    while (IsRezBlank(it_.ch))
        it_.Advance();
    if (AtText(it_, kRezInclude, true)) {
        PassText(it_, kRezInclude);
        while (IsRezBlank(it_.ch))
            it_.Advance();
        const int opener = it_.ch;
        if (opener == '"' || opener == '<') {
            it_.Advance();
            std::string name;
            Collect(it_, name, opener == '"' ? std::string_view("\"\n") : std::string_view(">\n"));
            if (it_.proxy->ShowIncludes())
                it_.proxy->AddInclude(name.c_str(), name.c_str(), false);
        }
    }
    // The rest of the line, with its continuations.
    SkipLiteral(it_, '\n');
}

bool RezScanner::ReadType(std::string& label)
{
    if (it_.ch == '\'') {
        it_.Advance();
        Collect(it_, label, "'");
        return true;
    }
    ReadWord(it_, label);
    return false;
}

void RezScanner::Definition()
{
    const int offset = it_.offset;
    std::string label;
    ReadWord(it_, label);
    SkipBlanksCommentsAndPreprocessorLines(it_);

    if (EqualsIgnoringCase(label, kRezType)) {
        label += ' ';
        const std::size_t nameAt = label.size();
        // Only a quoted type passes its closing quote: a quote after a word is left to
        // open what it opens.
        if (ReadType(label) && it_.ch == '\'')
            it_.Advance();
        it_.proxy->AddFunction(label.c_str(), label.c_str() + nameAt, offset, false);
        return;
    }
    if (!EqualsIgnoringCase(label, kRezResource))
        return;

    label += ' ';
    const std::size_t typeAt = label.size();
    ReadType(label);
    const std::string name = LeadingCharacters(std::string_view(label).substr(typeAt), kRezTypeNameBytes);
    // Past the closing quote, or the character after an unquoted type.
    if (it_.ch != 0)
        it_.Advance();
    SkipBlanksCommentsAndPreprocessorLines(it_);
    if (it_.ch == '(') {
        // The resource's ID as written, up to the first "," or ")".
        it_.Advance();
        SkipBlanksAndComments(it_);
        if (label.size() < kRezLabelBytes)
            label += ' ';
        Collect(it_, label, ",)");
        if (it_.ch != 0)
            it_.Advance();
        SkipBlanksAndComments(it_);
    }
    it_.proxy->AddFunction(label.c_str(), name.c_str(), offset, false);
    if (it_.ch == '{') {
        // The resource's data.
        it_.Advance();
        SkipGroup(it_, '{');
    }
}

} // namespace

void ScanRezFunctions(VLanguageProxy& document)
{
    VLanguageProxyV2* proxy = AsProxyV2(document);
    if (proxy == nullptr)
        return;
    RezScanner scanner(*proxy);
    scanner.Run();
}
