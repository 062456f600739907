// The host's text proxy for tool extensions: text, edits and their refusals, the
// selection following the edits, and the file path.
#include "text_proxy.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace varnel {
namespace {

enum class Op { Insert, Delete, Select };

struct Step {
    Op op;
    int position;
    int length;            // for Insert: the length of `text` used
    const char* text;
    int code;              // what the proxy answers
    const char* after;     // the text afterwards
    int selectionStart;
    int selectionLength;
};

struct EditCase {
    const char* name;
    const char* initial;
    int selectionStart;
    int selectionLength;
    std::vector<Step> steps;
};

class TextProxyEdits : public ::testing::TestWithParam<EditCase> {};

TEST_P(TextProxyEdits, AnswerAndLeaveTheTextAndSelection)
{
    const EditCase& c = GetParam();
    TextProxy proxy(c.initial);
    ASSERT_EQ(proxy.Select(c.selectionStart, c.selectionLength), 0);
    int index = 0;
    for (const Step& step : c.steps) {
        int code = -1;
        switch (step.op) {
        case Op::Insert: code = proxy.InsertText(step.position, step.text, step.length); break;
        case Op::Delete: code = proxy.DeleteText(step.position, step.length); break;
        case Op::Select: code = proxy.Select(step.position, step.length); break;
        }
        EXPECT_EQ(code, step.code) << "step " << index;
        EXPECT_EQ(proxy.Text(), step.after) << "step " << index;
        int start = -1;
        int length = -1;
        proxy.GetSelection(&start, &length);
        EXPECT_EQ(start, step.selectionStart) << "step " << index;
        EXPECT_EQ(length, step.selectionLength) << "step " << index;
        ++index;
    }
}

INSTANTIATE_TEST_SUITE_P(Steps, TextProxyEdits, ::testing::Values(
    EditCase{"InsertBeforeSelectionMovesIt", "abcdef", 2, 2,
             {{Op::Insert, 0, 2, "XY", 0, "XYabcdef", 4, 2},
              {Op::Insert, 4, 1, "-", 0, "XYab-cdef", 5, 2}}},   // at the start: moves too
    EditCase{"InsertInsideOrAtTheEndGrowsIt", "abcdef", 2, 2,
             {{Op::Insert, 3, 1, "+", 0, "abc+def", 2, 3},
              {Op::Insert, 5, 2, "==", 0, "abc+d==ef", 2, 5},
              {Op::Insert, 9, 1, "!", 0, "abc+d==ef!", 2, 5}}},
    EditCase{"DeleteAroundTheSelection", "0123456789", 3, 4,
             {{Op::Delete, 0, 1, nullptr, 0, "123456789", 2, 4},
              {Op::Delete, 4, 2, nullptr, 0, "1234789", 2, 2},
              {Op::Delete, 1, 5, nullptr, 0, "19", 1, 0}}},
    EditCase{"RefusedEditsChangeNothing", "abc", 1, 1,
             {{Op::Insert, -1, 1, "x", kTextProxyOutsideText, "abc", 1, 1},
              {Op::Insert, 4, 1, "x", kTextProxyOutsideText, "abc", 1, 1},
              {Op::Insert, 1, -2, "x", kTextProxyOutsideText, "abc", 1, 1},
              {Op::Insert, 1, 3, nullptr, kTextProxyNoText, "abc", 1, 1},
              {Op::Insert, 1, INT_MAX, "x", kTextProxyTooLong, "abc", 1, 1},
              {Op::Delete, 2, 2, nullptr, kTextProxyOutsideText, "abc", 1, 1},
              {Op::Delete, -1, 1, nullptr, kTextProxyOutsideText, "abc", 1, 1},
              {Op::Delete, 1, -1, nullptr, kTextProxyOutsideText, "abc", 1, 1},
              {Op::Delete, 0, INT_MAX, nullptr, kTextProxyOutsideText, "abc", 1, 1},
              {Op::Select, 2, 2, nullptr, kTextProxyOutsideText, "abc", 1, 1},
              {Op::Select, INT_MAX, 0, nullptr, kTextProxyOutsideText, "abc", 1, 1}}},
    EditCase{"EmptyEditsAreAccepted", "", 0, 0,
             {{Op::Insert, 0, 0, nullptr, 0, "", 0, 0},
              {Op::Delete, 0, 0, nullptr, 0, "", 0, 0},
              {Op::Insert, 0, 3, "abc", 0, "abc", 3, 0},
              {Op::Select, 3, 0, nullptr, 0, "abc", 3, 0}}}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return std::string(info.param.name); });

TEST(TextProxy, CharAtIsZeroOutsideTheText)
{
    TextProxy proxy("ab");
    EXPECT_EQ(proxy.CharAt(-1), '\0');
    EXPECT_EQ(proxy.CharAt(0), 'a');
    EXPECT_EQ(proxy.CharAt(1), 'b');
    EXPECT_EQ(proxy.CharAt(2), '\0');
    EXPECT_EQ(proxy.CharAt(INT_MAX), '\0');
    EXPECT_EQ(proxy.TextLength(), 2);
}

TEST(TextProxy, EditsAnywhereMatchAPlainString)
{
    // Edits jump back and forth, so the gap moves both ways and grows many times.
    std::mt19937 random(12345);
    std::string model = "The quick brown fox\njumps over the lazy dog.\n";
    TextProxy proxy(model);
    for (int i = 0; i < 2000; ++i) {
        const int size = static_cast<int>(model.size());
        const int position = static_cast<int>(random() % static_cast<unsigned>(size + 1));
        if (random() % 3 != 0 || size == 0) {
            const std::string text(random() % 40, static_cast<char>('a' + i % 26));
            ASSERT_EQ(proxy.InsertText(position, text.data(), static_cast<int>(text.size())), 0);
            model.insert(static_cast<std::size_t>(position), text);
        } else {
            const int length = static_cast<int>(random() % static_cast<unsigned>(size - position + 1));
            ASSERT_EQ(proxy.DeleteText(position, length), 0);
            model.erase(static_cast<std::size_t>(position), static_cast<std::size_t>(length));
        }
        ASSERT_EQ(proxy.TextLength(), static_cast<int>(model.size()));
        const int probe = static_cast<int>(random() % (model.size() + 1));
        ASSERT_EQ(proxy.CharAt(probe), probe < static_cast<int>(model.size()) ? model[probe] : '\0');
    }
    EXPECT_EQ(proxy.Text(), model);
}

TEST(TextProxy, FilePathOnlyWhenItFits)
{
    TextProxy saved("x", std::string("/site/page.html"));
    char buffer[32] = "unchanged";
    EXPECT_TRUE(saved.GetFilePath(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "/site/page.html");
    char small[15] = "unchanged";
    EXPECT_FALSE(saved.GetFilePath(small, sizeof small)); // 15 characters and the NUL
    EXPECT_STREQ(small, "unchanged");
    EXPECT_FALSE(saved.GetFilePath(nullptr, 100));
    EXPECT_FALSE(saved.GetFilePath(buffer, 0));

    TextProxy untitled("x");
    EXPECT_FALSE(untitled.GetFilePath(buffer, sizeof buffer));
    EXPECT_EQ(untitled.GetWindow(), nullptr);
}

} // namespace
} // namespace varnel
