#include "scanner.h"

#include "char_iterator.h"
#include "characters.h"
#include "line_styler.h"
#include "scanner_words.h"
#include "text_scanning.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Between tokens, characters from 128 up count as blanks too.
bool IsPascalBlank(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c >= 128;
}

// Steps over blanks, "(* *)" comments and "{ }" comments. As in the styler, the "*" of
// "(*" does not also begin its "*)".
void SkipBlanksAndComments(CharIterator& it)
{
    for (;;) {
        while (IsPascalBlank(it.ch))
            it.Advance();
        if (it.ch == '(' && CharacterAhead(it, 1) == '*') {
            it.Advance(2);
            while (it.ch != 0 && !(it.ch == '*' && CharacterAhead(it, 1) == ')'))
                it.Advance();
            if (it.ch != 0)
                it.Advance(2);
        } else if (it.ch == '{') {
            SkipPastCharacter(it, '}');
        } else {
            return;
        }
    }
}

// Moves just past the next `terminator`, stepping over blanks and comments on the way
// (inside a string too), or to the end of the text.
void SkipTo(CharIterator& it, int terminator)
{
    while (it.ch != 0) {
        if (it.ch == terminator) {
            it.Advance();
            return;
        }
        it.Advance();
        SkipBlanksAndComments(it);
    }
}

// Inside brackets a string runs to the next single quote.
bool SkipPascalString(CharIterator& it, int c)
{
    if (c != '\'')
        return false;
    SkipTo(it, '\'');
    return true;
}

// Called just past "(" or "[": moves just past the matching closer.
void SkipGroup(CharIterator& it, int opener)
{
    SkipBlock(it, opener, SkipBlanksAndComments, SkipPascalString);
}

// Whether the text at the iterator begins with the letters of `word`, in any case; the
// character after them is not looked at.
bool At(const CharIterator& it, std::string_view word)
{
    return AtText(it, word, false);
}

void SkipWord(CharIterator& it)
{
    while (IsPascalLetter(it.ch))
        it.Advance();
}

void SkipIdentifier(CharIterator& it)
{
    while (IsPascalIdentifierCharacter(it.ch))
        it.Advance();
}

// Reads an identifier (with `dots`, a dotted one) into the label; the first character
// beyond its room ends the label, and it and all after it are read over and dropped.
void ReadName(CharIterator& it, std::string& label, bool dots)
{
    bool fits = true;
    while (IsPascalIdentifierCharacter(it.ch) || (dots && it.ch == '.')) {
        fits = fits && AppendCharacter(label, it, kPascalLabelBytes);
        it.Advance();
    }
}

// A routine whose heading has been read and whose directives and declarations follow.
struct Heading {
    int depth;          // levels of nesting; the label is indented by as many blanks
    int offset;         // where the name starts
    std::string label;
    std::size_t nameAt; // where the name starts in the label
    bool reported = false;
};

// How one pass over a heading's directives and declarations ended.
enum class Pass {
    Next,          // a declaration was passed; more may follow
    Nested,        // a nested routine begins here
    Ended,         // the routine ended just before its closing ";" (or at the end of the text)
    EndedPastSemicolon, // the routine ended with a directive and its ";"
};

class PascalScanner {
public:
    explicit PascalScanner(VLanguageProxyV2& proxy) : it_(proxy, 0) {}

    void Run();

private:
    void Word(bool interfacePart);
    // On FUNCTION or PROCEDURE: the routine and those nested in it. The open routines
    // are kept on a stack, so that no depth of nesting can exhaust the call stack.
    void Routine(int depth);
    // Reads a heading; answers true when it was pushed for its declarations to follow.
    bool OpenHeading(int depth);
    Pass DeclarationPass(Heading& heading);
    Pass Nest(Heading& heading);
    Pass Directive(Heading& heading, std::string_view word);
    // Passes the rest of a declaration: its word, up to its ";", and the blanks after.
    void PassDeclaration();
    void Report(const Heading& heading, bool prototype);
    void ReportPrototype(const Heading& heading);
    // Called just past BEGIN: moves just past the END that closes the routine's body.
    void Body();
    void TypeSection();
    // Called just past RECORD or OBJECT: moves just past the first END.
    void PassToEnd();
    void UsesClause();

    CharIterator it_;
    std::vector<Heading> open_;
};

void PascalScanner::Run()
{
    const std::optional<int> end = TextEnd(it_);
    if (!end)
        return;
    bool interfacePart = false;
    while (it_.offset < *end) {
        SkipBlanksAndComments(it_);
        const int c = it_.ch;
        if (c == 0)
            return;
        if (IsPascalLetter(c)) {
            if (FoldCase(c, CaseFold::Upper) == 'I') {
                if (At(it_, kPascalInterface))
                    interfacePart = true;
                else if (At(it_, kPascalImplementation))
                    interfacePart = false;
            }
            Word(interfacePart);
        } else if (c == '\'') {
            it_.Advance();
            SkipTo(it_, '\'');
        } else if (c == '(' || c == '[') {
            it_.Advance();
            SkipGroup(it_, c);
        } else if (IsAsciiDigit(c) || c == '_') {
            // A number, or a name's tail: nothing in it begins a routine.
            SkipIdentifier(it_);
        } else {
            it_.Advance();
        }
    }
}

void PascalScanner::Word(bool interfacePart)
{
    switch (FoldCase(it_.ch, CaseFold::Upper)) {
    case 'F':
        if (At(it_, kPascalFunction))
            return Routine(interfacePart ? -1 : 0);
        break;
    case 'P':
        if (At(it_, kPascalProcedure))
            return Routine(interfacePart ? -1 : 0);
        break;
    case 'T':
        if (At(it_, kPascalType))
            return TypeSection();
        break;
    case 'U':
        if (At(it_, kPascalUses))
            return UsesClause();
        break;
    default:
        break;
    }
    SkipWord(it_);
}

void PascalScanner::Routine(int depth)
{
    if (!OpenHeading(depth))
        return;
    while (!open_.empty()) {
        switch (DeclarationPass(open_.back())) {
        case Pass::Next:
            break;
        case Pass::Nested:
            if (!OpenHeading(open_.back().depth + 1))
                PassDeclaration();
            break;
        case Pass::Ended:
            open_.pop_back();
            if (!open_.empty())
                PassDeclaration();
            break;
        case Pass::EndedPastSemicolon:
            // The enclosing routine goes on with its next declaration.
            open_.pop_back();
            SkipBlanksAndComments(it_);
            break;
        }
    }
}

bool PascalScanner::OpenHeading(int depth)
{
    PassText(it_, FoldCase(it_.ch, CaseFold::Upper) == 'F' ? kPascalFunction : kPascalProcedure);
    SkipBlanksAndComments(it_);
    // A procedural type or parameter has no name.
    if (it_.ch == '(' || !IsPascalLetter(it_.ch))
        return false;
    Heading heading;
    heading.depth = depth;
    heading.offset = it_.offset;
    heading.label.assign(depth > 0 ? std::min<std::size_t>(static_cast<std::size_t>(depth), kPascalLabelBytes) : 0,
                         ' ');
    heading.nameAt = heading.label.size();
    ReadName(it_, heading.label, true);
    SkipBlanksAndComments(it_);
    if (it_.ch == '(') {
        it_.Advance();
        SkipGroup(it_, '(');
    }
    if (it_.ch != 0) {
        SkipTo(it_, ';');
        SkipBlanksAndComments(it_);
    }
    if (depth < 0) {
        if (it_.proxy->ShowPrototypes())
            Report(heading, true);
        return false;
    }
    open_.push_back(std::move(heading));
    return true;
}

Pass PascalScanner::DeclarationPass(Heading& heading)
{
    switch (FoldCase(it_.ch, CaseFold::Upper)) {
    case 0:
        // A routine whose body never began is not reported.
        return Pass::Ended;
    case 'C':
        // The one-letter directive C.
        it_.Advance();
        SkipBlanksAndComments(it_);
        if (it_.ch == ';') {
            ReportPrototype(heading);
            return Pass::Ended;
        }
        break;
    case 'I':
        if (At(it_, kPascalInline))
            return Directive(heading, kPascalInline);
        break;
    case 'E':
        if (At(it_, kPascalExternal))
            return Directive(heading, kPascalExternal);
        break;
    case 'F':
        if (At(it_, kPascalFunction))
            return Nest(heading);
        if (At(it_, kPascalForward))
            return Directive(heading, kPascalForward);
        break;
    case 'P':
        if (At(it_, kPascalProcedure))
            return Nest(heading);
        break;
    case 'B':
        if (At(it_, kPascalBegin)) {
            if (!heading.reported)
                Report(heading, false);
            PassText(it_, kPascalBegin);
            Body();
            return Pass::Ended;
        }
        break;
    default:
        break;
    }
    PassDeclaration();
    return Pass::Next;
}

Pass PascalScanner::Nest(Heading& heading)
{
    // The enclosing routine is listed before the routines nested in it.
    if (!heading.reported) {
        Report(heading, false);
        heading.reported = true;
    }
    return Pass::Nested;
}

Pass PascalScanner::Directive(Heading& heading, std::string_view word)
{
    ReportPrototype(heading);
    PassText(it_, word);
    SkipTo(it_, ';');
    return Pass::EndedPastSemicolon;
}

void PascalScanner::PassDeclaration()
{
    SkipWord(it_);
    SkipTo(it_, ';');
    SkipBlanksAndComments(it_);
}

void PascalScanner::Report(const Heading& heading, bool prototype)
{
    it_.proxy->AddFunction(heading.label.c_str(), heading.label.c_str() + heading.nameAt, heading.offset, prototype);
}

void PascalScanner::ReportPrototype(const Heading& heading)
{
    if (!heading.reported && it_.proxy->ShowPrototypes())
        Report(heading, true);
}

void PascalScanner::Body()
{
    // BEGIN and CASE open what END closes; REPEAT, RECORD and the rest are not counted.
    long open = 1;
    while (it_.ch != 0) {
        const int c = it_.ch;
        if (c == '\'') {
            it_.Advance();
            SkipTo(it_, '\'');
            continue;
        }
        if (IsPascalLetter(c)) {
            switch (FoldCase(c, CaseFold::Upper)) {
            case 'E':
                if (At(it_, kPascalEnd) && --open == 0) {
                    PassText(it_, kPascalEnd);
                    return;
                }
                break;
            case 'B':
                if (At(it_, kPascalBegin))
                    ++open;
                break;
            case 'C':
                if (At(it_, kPascalCase))
                    ++open;
                break;
            default:
                break;
            }
            SkipWord(it_);
        } else if (IsAsciiDigit(c) || c == '_') {
            SkipIdentifier(it_);
        } else {
            it_.Advance();
        }
        SkipBlanksAndComments(it_);
    }
}

void PascalScanner::TypeSection()
{
    PassText(it_, kPascalType);
    SkipBlanksAndComments(it_);
    while (IsPascalLetter(it_.ch)) {
        const int offset = it_.offset;
        std::string label(kPascalTypeLabel);
        ReadName(it_, label, false);
        SkipBlanksAndComments(it_);
        if (it_.ch != '=')
            return;
        it_.Advance();
        SkipBlanksAndComments(it_);
        if (it_.proxy->ShowTypes())
            it_.proxy->AddFunction(label.c_str(), label.c_str() + kPascalTypeLabel.size(), offset, false);

        const int first = FoldCase(it_.ch, CaseFold::Upper);
        if ((first == 'F' && At(it_, kPascalFunction)) || (first == 'P' && At(it_, kPascalProcedure))) {
            PassText(it_, first == 'F' ? kPascalFunction : kPascalProcedure);
            SkipBlanksAndComments(it_);
            if (it_.ch == '(') {
                it_.Advance();
                SkipGroup(it_, '(');
            }
        } else if ((first == 'R' && At(it_, kPascalRecord)) || (first == 'O' && At(it_, kPascalObject))) {
            PassText(it_, first == 'R' ? kPascalRecord : kPascalObject);
            PassToEnd();
        }
        SkipTo(it_, ';');
        SkipBlanksAndComments(it_);

        for (std::string_view next : {kPascalConst, kPascalVar, kPascalBegin, kPascalType, kPascalImplementation,
                                      kPascalFunction, kPascalProcedure}) {
            if (At(it_, next))
                return;
        }
    }
}

void PascalScanner::PassToEnd()
{
    // Records nested in the type are not counted: the first END ends it.
    for (;;) {
        SkipBlanksAndComments(it_);
        if (it_.ch == 0)
            return;
        if (At(it_, kPascalEnd)) {
            PassText(it_, kPascalEnd);
            return;
        }
        if (IsPascalLetter(it_.ch))
            SkipIdentifier(it_);
        else
            it_.Advance();
    }
}

void PascalScanner::UsesClause()
{
    PassText(it_, kPascalUses);
    SkipBlanksAndComments(it_);
    while (IsPascalLetter(it_.ch)) {
        std::string unit;
        ReadName(it_, unit, false);
        if (it_.proxy->ShowIncludes())
            it_.proxy->AddInclude(unit.c_str(), unit.c_str(), false);
        SkipBlanksAndComments(it_);
        if (it_.ch != ',')
            return;
        it_.Advance();
        SkipBlanksAndComments(it_);
    }
}

} // namespace

void ScanPascalFunctions(VLanguageProxy& document)
{
    VLanguageProxyV2* proxy = AsProxyV2(document);
    if (proxy == nullptr)
        return;
    PascalScanner scanner(*proxy);
    scanner.Run();
}
