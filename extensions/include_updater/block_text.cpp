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

bool FillPlaceholder(std::string& text, const std::string& placeholder,
                     const std::function<std::string()>& replacement, std::size_t limit)
{
    if (placeholder.empty())
        return text.size() <= limit;
    std::size_t at = text.find(placeholder);
    if (at == std::string::npos)
        return text.size() <= limit;
    std::string filled;
    std::size_t from = 0;
    for (; at != std::string::npos; at = text.find(placeholder, from)) {
        filled.append(text, from, at - from);
        filled += replacement();
        from = at + placeholder.size();
        if (filled.size() > limit || text.size() - from > limit - filled.size())
            return false;
    }
    filled.append(text, from, std::string::npos);
    text = std::move(filled);
    return true;
}

bool FillPlaceholders(std::string& text, const std::string& includedFilePath, std::size_t limit)
{
    return FillPlaceholder(text, kFilePlaceholder, [&] { return includedFilePath; }, limit) &&
           FillPlaceholder(text, kDatePlaceholder, [] { return FormatDate(CurrentLocalTime()); }, limit) &&
           FillPlaceholder(text, kTimePlaceholder, [] { return FormatTime(CurrentLocalTime()); }, limit);
    // kNamePlaceholder: the user-name lookup never succeeds, so it stays in the text.
}

std::size_t IndentedSize(const std::string& text, std::size_t indentation)
{
    std::size_t lineFeeds = 0;
    for (const char c : text)
        lineFeeds += c == '\n' ? 1 : 0;
    if (indentation != 0 && lineFeeds > (SIZE_MAX - text.size()) / indentation)
        return SIZE_MAX;
    return text.size() + lineFeeds * indentation;
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
