// Texts with a selection written into them: one "@" marks a caret, two mark the start
// and the end of a selection. The marks are not part of the text.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {

struct MarkedText {
    std::string text;
    int start = 0;
    int end = 0;
};

inline MarkedText Unmark(const std::string& marked)
{
    MarkedText result;
    const std::size_t first = marked.find('@');
    const std::size_t second = first == std::string::npos ? first : marked.find('@', first + 1);
    EXPECT_NE(first, std::string::npos) << "no selection in: " << marked;
    result.text = marked;
    if (first == std::string::npos)
        return result;
    result.text.erase(first, 1);
    result.start = static_cast<int>(first);
    result.end = result.start;
    if (second != std::string::npos) {
        result.text.erase(second - 1, 1);
        result.end = static_cast<int>(second - 1);
    }
    EXPECT_EQ(result.text.find('@'), std::string::npos) << "more than two marks in: " << marked;
    return result;
}

// The text with "@" put at the two positions (once when they are equal).
inline std::string Mark(const std::string& text, int start, int end)
{
    std::string marked = text;
    marked.insert(static_cast<std::size_t>(end), "@");
    if (start != end)
        marked.insert(static_cast<std::size_t>(start), "@");
    return marked;
}

} // namespace varnel::test
