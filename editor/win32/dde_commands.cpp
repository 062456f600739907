#include "dde_commands.h"

#include <cwctype>

namespace varnel::editor::win32 {

namespace {

void SkipBlanks(std::wstring_view text, std::size_t* at)
{
    while (*at < text.size() && std::iswspace(text[*at]))
        ++*at;
}

} // namespace

bool ParseOpenCommands(std::wstring_view text, std::vector<std::wstring>* paths)
{
    std::size_t at = 0;
    for (;;) {
        SkipBlanks(text, &at);
        if (at == text.size())
            return true;
        if (text[at] != L'[')
            return false;
        ++at;
        SkipBlanks(text, &at);
        std::wstring name;
        while (at < text.size() && std::iswalpha(text[at]))
            name += static_cast<wchar_t>(std::towlower(text[at++]));
        SkipBlanks(text, &at);
        if (name != L"open" || at == text.size() || text[at] != L'(')
            return false;
        ++at;
        SkipBlanks(text, &at);
        std::wstring path;
        if (at < text.size() && text[at] == L'"') {
            const std::size_t close = text.find(L'"', at + 1);
            if (close == std::wstring_view::npos)
                return false;
            path = std::wstring(text.substr(at + 1, close - at - 1));
            at = close + 1;
            SkipBlanks(text, &at);
        } else {
            const std::size_t close = text.find(L')', at);
            if (close == std::wstring_view::npos)
                return false;
            path = std::wstring(text.substr(at, close - at));
            while (!path.empty() && std::iswspace(path.back()))
                path.pop_back();
            at = close;
        }
        if (at == text.size() || text[at] != L')')
            return false;
        ++at;
        SkipBlanks(text, &at);
        if (at == text.size() || text[at] != L']')
            return false;
        ++at;
        if (path.empty())
            return false;
        paths->push_back(path);
    }
}

} // namespace varnel::editor::win32
