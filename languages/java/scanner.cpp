#include "scanner.h"

#include "char_iterator.h"
#include "scanner_words.h"
#include "text_scanning.h"

#include <cstring>

void ClassNameStack::Clear()
{
    top_.clear();
    below_.clear();
}

void ClassNameStack::Push(const char* name)
{
    below_.push_back(top_.size());
    const std::size_t length = std::strlen(name);
    const std::size_t grown = below_.size() == 1 ? length : top_.size() + 1 + length;
    if (grown > kMaxBytes)
        return;
    if (below_.size() > 1)
        top_ += kJavaNameSeparator;
    top_ += name;
}

void ClassNameStack::Pop()
{
    if (below_.empty())
        return;
    top_.resize(below_.back());
    below_.pop_back();
}

ClassNameStack& JavaClassNames()
{
    static ClassNameStack names;
    return names;
}

namespace {

bool IsJavaSpace(int ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

void SkipBlanksAndComments(CharIterator& it)
{
    for (;;) {
        while (IsJavaSpace(it.ch))
            it.Advance();
        if (it.ch != '/' || !SkipSlashComment(it, LineCommentEnd::UnescapedLineFeed))
            return;
    }
}

// What the scanner is inside of, innermost last. The Java grammar nests classes in
// methods in classes to any depth, so the nesting is kept here rather than on the
// call stack.
enum class Frame {
    ClassHeader, // between a declaration's name and its body
    ClassBody,   // from a class's "{" to its "}"
    MethodBody,  // from a method's (or a nested block's) "{" to its "}"
};

class JavaScanner {
public:
    JavaScanner(VLanguageProxyV2& proxy, ClassNameStack& names) : it_(proxy, 0), names_(names) {}

    void Run();

private:
    // Each step handles one item of its frame; TopLevelStep answers false at the end.
    bool TopLevelStep();
    void ClassHeaderStep();
    void ClassBodyStep();
    void MethodBodyStep();

    // On the name after "class" or "interface": reports the declaration and enters it.
    void BeginDeclaration(const char* label);
    // Leaves the innermost declaration, from its header or its body.
    void EndDeclaration();
    // After a word and blanks in a class body, on "(".
    void MemberCall(const Word& word);
    // On a word at the top level or in a method body: "class" or "interface" standing
    // as a word of its own begins a declaration; any other word is passed.
    void DeclarationOrWord();
    bool AtKeyword(std::string_view keyword) const;
    void EnterDeclarationAfter(std::string_view keyword, const char* label);
    // The name behind the full name of the innermost enclosing class, if any.
    std::string Qualified(const char* name) const;

    CharIterator it_;
    ClassNameStack& names_;
    std::vector<Frame> frames_;
};

void JavaScanner::Run()
{
    const std::optional<int> textEnd = TextEnd(it_);
    if (!textEnd)
        return;
    const int end = *textEnd;
    for (;;) {
        if (frames_.empty()) {
            if (it_.offset >= end || !TopLevelStep())
                return;
            continue;
        }
        switch (frames_.back()) {
        case Frame::ClassHeader:
            ClassHeaderStep();
            break;
        case Frame::ClassBody:
            ClassBodyStep();
            break;
        case Frame::MethodBody:
            MethodBodyStep();
            break;
        }
    }
}

bool JavaScanner::TopLevelStep()
{
    SkipBlanksAndComments(it_);
    const int c = it_.ch;
    switch (c) {
    case 0:
        return false;
    case '"':
    case '\'':
        SkipQuoted(it_);
        return true;
    case '(':
    case '[':
    case '{':
        it_.Advance();
        SkipBlock(it_, c, SkipBlanksAndComments);
        return true;
    case '}':
        names_.Pop();
        it_.Advance();
        return true;
    default:
        break;
    }
    if (AtWordStart(it_))
        DeclarationOrWord();
    else
        it_.Advance();
    return true;
}

void JavaScanner::ClassHeaderStep()
{
    SkipBlanksAndComments(it_);
    if (it_.ch == ',') {
        it_.Advance();
    } else if (AtWordStart(it_)) {
        PassWord(it_); // modifiers, "extends", "implements", type names
    } else if (it_.ch == '{') {
        it_.Advance();
        frames_.back() = Frame::ClassBody;
    } else {
        // ";", "}", the end, or anything else (a "." or "<" in a type name): no body.
        EndDeclaration();
    }
}

void JavaScanner::ClassBodyStep()
{
    SkipBlanksAndComments(it_);
    const int c = it_.ch;
    switch (c) {
    case 0:
        EndDeclaration();
        return;
    case '"':
    case '\'':
        SkipQuoted(it_);
        return;
    case '{':
        it_.Advance();
        SkipBlock(it_, c, SkipBlanksAndComments);
        return;
    case '}':
        it_.Advance();
        EndDeclaration();
        return;
    default:
        break;
    }
    if (!AtWordStart(it_)) {
        it_.Advance();
        return;
    }
    const Word word = ReadWord(it_);
    SkipBlanksAndComments(it_);
    if (it_.ch == '(')
        MemberCall(word);
    else if (word.Is(kJavaClass.data()))
        BeginDeclaration(kJavaClassLabel);
    // Any other word (a modifier, a type, a field, "interface") is dropped.
}

void JavaScanner::MemberCall(const Word& word)
{
    it_.Advance();
    SkipBlock(it_, '(', SkipBlanksAndComments);
    SkipBlanksAndComments(it_);
    while (it_.ch != ';' && it_.ch != '{' && it_.ch != 0)
        it_.Advance();
    if (it_.ch == 0)
        return;
    const bool prototype = it_.ch == ';';
    const std::string label = Qualified(word.text);
    it_.proxy->AddFunction(label.c_str(), word.text, word.offset, prototype);
    if (!prototype) {
        it_.Advance();
        frames_.push_back(Frame::MethodBody);
    }
}

void JavaScanner::MethodBodyStep()
{
    SkipBlanksAndComments(it_);
    const int c = it_.ch;
    switch (c) {
    case 0:
        frames_.pop_back();
        return;
    case '"':
    case '\'':
        SkipQuoted(it_);
        return;
    case '{':
        it_.Advance();
        frames_.push_back(Frame::MethodBody);
        return;
    case '}':
        it_.Advance();
        frames_.pop_back();
        return;
    default:
        break;
    }
    if (AtWordStart(it_))
        DeclarationOrWord();
    else
        it_.Advance();
}

void JavaScanner::DeclarationOrWord()
{
    if (AtKeyword(kJavaClass))
        EnterDeclarationAfter(kJavaClass, kJavaClassLabel);
    else if (AtKeyword(kJavaInterface))
        EnterDeclarationAfter(kJavaInterface, kJavaInterfaceLabel);
    else
        PassWord(it_);
}

void JavaScanner::EnterDeclarationAfter(std::string_view keyword, const char* label)
{
    PassText(it_, keyword);
    SkipBlanksAndComments(it_);
    BeginDeclaration(label);
}

void JavaScanner::BeginDeclaration(const char* label)
{
    const Word name = ReadWord(it_);
    // "class" with no name after it is no declaration (in "Object.class", say).
    if (name.Empty())
        return;
    const std::string full = label + Qualified(name.text);
    it_.proxy->AddFunction(full.c_str(), name.text, name.offset, false);
    names_.Push(name.text);
    frames_.push_back(Frame::ClassHeader);
}

void JavaScanner::EndDeclaration()
{
    frames_.pop_back();
    names_.Pop();
}

bool JavaScanner::AtKeyword(std::string_view keyword) const
{
    return AtText(it_, keyword, true) &&
           !IsAsciiWordCharacter(CharacterAhead(it_, static_cast<int>(keyword.size())));
}

std::string JavaScanner::Qualified(const char* name) const
{
    if (names_.Empty())
        return name;
    return names_.Top() + kJavaNameSeparator + name;
}

} // namespace

void ScanJavaFunctions(VLanguageProxy& document)
{
    VLanguageProxyV2* proxy = AsProxyV2(document);
    ClassNameStack& names = JavaClassNames();
    names.Clear();
    if (proxy == nullptr)
        return;
    JavaScanner scanner(*proxy, names);
    scanner.Run();
}
