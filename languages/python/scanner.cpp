#include "scanner.h"

#include "char_iterator.h"
#include "scanner_words.h"
#include "text_scanning.h"

#include <string>

namespace {

void SkipBlanksAndComments(CharIterator& it)
{
    for (;;) {
        while (it.ch != 0 && it.proxy->IsSpace(it.ch))
            it.Advance();
        if (it.ch != '#')
            return;
        it.Advance();
        SkipLiteral(it, '\n');
    }
}

bool At(CharIterator& it, std::string_view keyword)
{
    return AtText(it, keyword, true);
}

void AddModule(CharIterator& it, const Word& module)
{
    // A statement cut short ("import" with no name after it) names no module.
    if (module.Empty())
        return;
    const std::string file = std::string(module.text) + kPythonModuleSuffix;
    it.proxy->AddInclude(module.text, file.c_str(), false);
}

// After "from": the module is reported when "import" follows its name.
void FromStatement(CharIterator& it)
{
    SkipBlanksAndComments(it);
    const Word module = ReadWord(it);
    SkipBlanksAndComments(it);
    if (At(it, kPythonImport)) {
        AddModule(it, module);
        PassText(it, kPythonImport);
        return;
    }
    // A dotted or relative module name names no file of its own. Its "import" is passed
    // too, or the names imported from it would be taken for modules.
    if (it.ch != '.')
        return;
    while (it.ch == '.') {
        it.Advance();
        SkipBlanksAndComments(it);
        PassWord(it);
        SkipBlanksAndComments(it);
    }
    if (At(it, kPythonImport))
        PassText(it, kPythonImport);
}

// After "import": each module of the list, with or without an alias.
void ImportStatement(CharIterator& it)
{
    SkipBlanksAndComments(it);
    for (;;) {
        AddModule(it, ReadWord(it));
        SkipBlanksAndComments(it);
        if (At(it, kPythonAs)) {
            PassText(it, kPythonAs);
            SkipBlanksAndComments(it);
            PassWord(it);
            SkipBlanksAndComments(it);
        }
        if (it.ch != ',')
            return;
        it.Advance();
        SkipBlanksAndComments(it);
    }
}

// After "def" or "class": the name is reported when its parameters (if any) are
// followed by ":".
void Definition(CharIterator& it, const char* labelPrefix)
{
    SkipBlanksAndComments(it);
    const Word name = ReadWord(it);
    SkipBlanksAndComments(it);
    if (it.ch == '(') {
        it.Advance();
        SkipBlock(it, '(', SkipBlanksAndComments);
        SkipBlanksAndComments(it);
    }
    if (it.ch != ':' || name.Empty())
        return;
    const std::string label = std::string(labelPrefix) + name.text;
    it.proxy->AddFunction(label.c_str(), name.text, name.offset, false);
}

// On a word. The keywords are recognised by their first letters alone, so that a
// longer word beginning with one is taken as that keyword and the rest.
void StatementWord(CharIterator& it)
{
    if (At(it, kPythonFrom)) {
        PassText(it, kPythonFrom);
        FromStatement(it);
    } else if (At(it, kPythonImport)) {
        PassText(it, kPythonImport);
        ImportStatement(it);
    } else if (At(it, kPythonDef)) {
        PassText(it, kPythonDef);
        Definition(it, "");
    } else if (At(it, kPythonClass)) {
        PassText(it, kPythonClass);
        Definition(it, kPythonClassLabel);
    } else {
        PassWord(it);
    }
}

} // namespace

void ScanPythonFunctions(VLanguageProxy& document)
{
    VLanguageProxyV2* proxy = AsProxyV2(document);
    if (proxy == nullptr)
        return;
    CharIterator it(*proxy, 0);
    const std::optional<int> textEnd = TextEnd(it);
    if (!textEnd)
        return;
    const int end = *textEnd;
    while (it.offset < end) {
        SkipBlanksAndComments(it);
        const int c = it.ch;
        switch (c) {
        case 0:
            return;
        case '"':
        case '\'':
            SkipQuoted(it);
            break;
        case '(':
        case '[':
        case '{':
            it.Advance();
            SkipBlock(it, c, SkipBlanksAndComments);
            break;
        default:
            if (AtWordStart(it))
                StatementWord(it);
            else
                it.Advance();
            break;
        }
    }
}
