#include "block_text.h"

#include "local_clock.h"
#include "updater_texts.h"

namespace varnel::tool::updater {

std::string BlockTextFromFile(const std::string& fileBytes)
{
    std::string text = "\n";
    text.reserve(fileBytes.size() + 2);
    const std::size_t end = fileBytes.find('\0');
    const std::size_t length = end == std::string::npos ? fileBytes.size() : end;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = fileBytes[i];
        if (c != '\r') {
            text += c;
            continue;
        }
        text += '\n';
        if (i + 1 < length && fileBytes[i + 1] == '\n')
            ++i;
    }
    if (text.back() != '\n')
        text += '\n';
    return text;
}

void FillPlaceholder(std::string& text, const std::string& placeholder,
                     const std::function<std::string()>& replacement)
{
    if (placeholder.empty())
        return;
    std::size_t at = text.find(placeholder);
    if (at == std::string::npos)
        return;
    std::string filled;
    std::size_t from = 0;
    for (; at != std::string::npos; at = text.find(placeholder, from)) {
        filled.append(text, from, at - from);
        filled += replacement();
        from = at + placeholder.size();
    }
    filled.append(text, from, std::string::npos);
    text = std::move(filled);
}

void FillPlaceholders(std::string& text, const std::string& includedFilePath)
{
    FillPlaceholder(text, kFilePlaceholder, [&] { return includedFilePath; });
    FillPlaceholder(text, kDatePlaceholder, [] { return FormatDate(CurrentLocalTime()); });
    FillPlaceholder(text, kTimePlaceholder, [] { return FormatTime(CurrentLocalTime()); });
    // kNamePlaceholder: the user-name lookup never succeeds, so it stays in the text.
}

std::string IndentLines(const std::string& text, const std::string& indentation)
{
    std::string indented;
    indented.reserve(text.size() + indentation.size() * 4);
    for (const char c : text) {
        indented += c;
        if (c == '\n')
            indented += indentation;
    }
    return indented;
}

} // namespace varnel::tool::updater
