// Drives the host's language proxy directly: arbitrary bytes as the text and a stream
// of operations with arbitrary arguments, each checked against what a plug-in relies on.
//
// The proxy edits the text in place, or reads it as a view that it copies on the first
// edit; a view's bytes must never change. One operation presents a new view, as a
// styling pass does from line to line.
//
// Input: style count byte, purpose byte (its purpose, and whether the text is a view),
// text length (16 bits, at most 4096), the text, then operations, each an operation
// byte followed by its arguments.
#include "fuzz_support.h"

#include "host_proxy.h"
#include "keyword_matcher.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using varnel::HostProxy;
using varnel::StyleRun;
using varnel::fuzz::ByteReader;
using varnel::fuzz::DecodedChar;
using varnel::fuzz::ReferenceDecode;

constexpr int kMaxText = 4096;
constexpr int kMaxPattern = 8;
constexpr int kMaxOperations = 512;
constexpr int kCopyCapacity = 64;
constexpr int kCanary = 16;

DecodedChar CharacterAt(const std::string& text, int offset)
{
    if (offset < 0 || offset >= static_cast<int>(text.size()))
        return {0, 0};
    return ReferenceDecode(text.data() + offset, text.size() - static_cast<std::size_t>(offset));
}

// For every character start and for the end of the text, the start of the character
// before it (-1 for offset 0); -2 marks offsets that lie inside a character.
std::vector<int> PreviousStarts(const std::string& text)
{
    std::vector<int> previous(text.size() + 1, -2);
    int last = -1;
    int offset = 0;
    const int size = static_cast<int>(text.size());
    while (offset < size) {
        previous[static_cast<std::size_t>(offset)] = last;
        last = offset;
        offset += CharacterAt(text, offset).length;
    }
    previous[text.size()] = last;
    return previous;
}

// The text a pattern stands for when it has no operators, a backslash before a
// punctuation character taking that character literally; false when the pattern needs
// the regular-expression engine.
bool PlainText(const char* pattern, std::string* text)
{
    text->clear();
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (*p == '\\') {
            const unsigned char next = static_cast<unsigned char>(p[1]);
            const bool alnum = (next >= '0' && next <= '9') || (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z');
            if (next == '\0' || alnum)
                return false;
            ++p;
        } else if (std::strchr("^$.*+?()[]{}|", *p) != nullptr) {
            return false;
        }
        text->push_back(*p);
    }
    return true;
}

bool SameByte(char a, char b, bool caseSensitive)
{
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return caseSensitive ? a == b : fold(a) == fold(b);
}

class ProxyDriver {
public:
    ProxyDriver(ByteReader& input, std::string text, int styleCount, varnel::ProxyPurpose purpose, bool view)
        : input_(input),
          text_(std::move(text)),
          model_(text_),
          viewed_(text_),
          viewing_(view),
          styleCount_(styleCount),
          purpose_(purpose),
          proxy_(view ? HostProxy(std::string_view(viewed_), matcher_, styleCount, purpose)
                      : HostProxy(text_, matcher_, styleCount, purpose))
    {
    }

    void Run()
    {
        for (int i = 0; i < kMaxOperations && !input_.Empty(); ++i) {
            switch (input_.Byte() % 13) {
            case 0: CharAt(); break;
            case 1: WalkForward(); break;
            case 2: WalkBack(); break;
            case 3: CodePointAt(); break;
            case 4: CompareText(); break;
            case 5: CopyText(); break;
            case 6: FindPattern(); break;
            case 7: InsertText(); break;
            case 8: DeleteText(); break;
            case 9: SetStyles(); break;
            case 10: DecodeUtf8(); break;
            case 11: Present(); break;
            default: Lists(); break;
            }
            FUZZ_REQUIRE(proxy_.Text() == model_, "the proxy's text differs from what the edits should have left");
            if (viewing_)
                FUZZ_REQUIRE(viewed_ == viewedBytes_, "an edit changed the bytes of a view");
            else
                FUZZ_REQUIRE(text_ == model_, "the edited string differs from what the edits should have left");
            FUZZ_REQUIRE(proxy_.TextLength() == Length(), "TextLength is not the text's length");
        }
    }

private:
    int Length() const { return static_cast<int>(model_.size()); }
    int Position() { return input_.Position().For(Length()); }

    void CharAt()
    {
        const int offset = Position();
        const char expected = offset >= 0 && offset < Length() ? model_[static_cast<std::size_t>(offset)] : 0;
        FUZZ_REQUIRE(proxy_.CharAt(offset) == expected, "CharAt is not the byte at the offset (0 outside)");
    }

    void CodePointAt()
    {
        const int offset = Position();
        int ch = -1;
        int length = -1;
        proxy_.CodePointAt(offset, &ch, &length);
        const DecodedChar expected = CharacterAt(model_, offset);
        FUZZ_REQUIRE(ch == expected.codePoint && length == expected.length,
                     "CodePointAt does not decode the character at the offset");
    }

    void WalkForward()
    {
        int offset = Position();
        const int steps = input_.Byte() % 64 + 1;
        const int size = Length();
        for (int i = 0; i < steps; ++i) {
            const int before = offset;
            const int ch = proxy_.NextChar(&offset);
            if (before >= 0 && before < size) {
                // One whole character on: from a character start to the next one.
                const int step = offset - before;
                FUZZ_REQUIRE(step >= 1 && step <= 4 && offset <= size, "NextChar moved by other than 1 to 4 bytes");
                FUZZ_REQUIRE(step == CharacterAt(model_, before).length, "NextChar did not step over one character");
                FUZZ_REQUIRE(ch == CharacterAt(model_, offset).codePoint, "NextChar answered another character");
            } else {
                FUZZ_REQUIRE(ch == 0, "NextChar outside the text answered a character");
                FUZZ_REQUIRE(offset == (before == INT_MAX ? INT_MAX : before + 1),
                             "NextChar outside the text did not move one byte on");
            }
        }
    }

    void WalkBack()
    {
        int offset = Position();
        const int steps = input_.Byte() % 64 + 1;
        const int size = Length();
        const std::vector<int> previous = PreviousStarts(model_);
        for (int i = 0; i < steps; ++i) {
            const int before = offset;
            const int ch = proxy_.PrevChar(&offset);
            if (before <= 0) {
                FUZZ_REQUIRE(ch == 0, "PrevChar at or before the start answered a character");
                FUZZ_REQUIRE(offset == (before == INT_MIN ? INT_MIN : before - 1),
                             "PrevChar at or before the start did not move one byte back");
                continue;
            }
            const int step = before - offset;
            FUZZ_REQUIRE(step >= 1 && step <= 4 && offset >= 0, "PrevChar moved by other than 1 to 4 bytes");
            if (before > size) {
                FUZZ_REQUIRE(offset < size || ch == 0, "PrevChar beyond the end answered a character");
                continue;
            }
            FUZZ_REQUIRE(ch == CharacterAt(model_, offset).codePoint, "PrevChar answered another character");
            const int expected = previous[static_cast<std::size_t>(before)];
            if (expected != -2)
                FUZZ_REQUIRE(offset == expected, "PrevChar from a character start missed the previous start");
        }
    }

    void CompareText()
    {
        const int offset = Position();
        const std::string bytes = input_.Bytes(input_.Byte() % 9);
        const std::uint8_t mode = input_.Byte();
        const bool caseSensitive = (mode & 1) != 0;
        const char* s = (mode & 6) == 6 ? nullptr : bytes.c_str();
        const int result = proxy_.CompareText(offset, s, caseSensitive);
        if (s == nullptr || offset < 0 || offset >= Length()) {
            FUZZ_REQUIRE(result != 0, "CompareText matched with no text or no string");
            return;
        }
        const std::size_t n = std::strlen(s);
        const std::size_t at = static_cast<std::size_t>(offset);
        if (at + n > model_.size())
            return; // the text ends inside s: the answer is the host's choice
        bool equal = true;
        for (std::size_t i = 0; i < n && equal; ++i)
            equal = SameByte(model_[at + i], s[i], caseSensitive);
        FUZZ_REQUIRE((result == 0) == equal, "CompareText disagrees with the text at the offset");
    }

    void CopyText()
    {
        const int offset = Position();
        const int length = Position();
        const int size = input_.Byte() % (kCopyCapacity + 2) - 1; // -1 .. capacity
        std::vector<char> buffer(kCopyCapacity + kCanary, '\xA5');
        const int count = proxy_.CopyText(offset, length, buffer.data(), size);
        const int most = std::max(0, std::min(length, size));
        FUZZ_REQUIRE(count >= 0 && count <= most, "CopyText copied more than min(length, size)");
        for (std::size_t i = static_cast<std::size_t>(count); i < buffer.size(); ++i)
            FUZZ_REQUIRE(buffer[i] == '\xA5', "CopyText wrote beyond the bytes it reports");
        if (offset < 0 || offset >= Length()) {
            FUZZ_REQUIRE(count == 0, "CopyText copied from outside the text");
            return;
        }
        FUZZ_REQUIRE(count == std::min(most, Length() - offset), "CopyText copied fewer bytes than it could");
        FUZZ_REQUIRE(model_.compare(static_cast<std::size_t>(offset), static_cast<std::size_t>(count), buffer.data(),
                                    static_cast<std::size_t>(count)) == 0,
                     "CopyText copied other bytes than the text's");
    }

    void FindPattern()
    {
        const int start = Position();
        const std::string bytes = input_.Bytes(input_.Byte() % (kMaxPattern + 1));
        const char* pattern = bytes.c_str();
        std::string plain;
        const bool isPlain = PlainText(pattern, &plain);
        if (Length() > kMaxText)
            return;
        int offset = start;
        int length = -1;
        const bool found = proxy_.FindPattern(pattern, &offset, &length);
        if (found) {
            FUZZ_REQUIRE(length >= 0 && offset >= 0 && offset <= Length() - length,
                         "FindPattern found a match outside the text");
            FUZZ_REQUIRE(start < 0 || offset >= start, "FindPattern found a match before the start");
        }
        // Plain text is found at its first occurrence from the start.
        if (!isPlain || start < 0 || start > Length())
            return;
        const std::size_t expected = model_.find(plain, static_cast<std::size_t>(start));
        FUZZ_REQUIRE(found == (expected != std::string::npos), "FindPattern missed or invented plain text");
        if (found)
            FUZZ_REQUIRE(static_cast<std::size_t>(offset) == expected && static_cast<std::size_t>(length) == plain.size(),
                         "FindPattern found plain text elsewhere than its first occurrence");
    }

    void InsertText()
    {
        const int offset = Position();
        const std::string bytes = input_.Bytes(input_.Byte() % 17);
        const std::uint8_t mode = input_.Byte();
        const char* text = mode % 8 == 1 ? nullptr : bytes.data();
        const int length = mode % 8 == 2 ? -1 - (mode >> 3) : static_cast<int>(bytes.size());
        if (Length() > 2 * kMaxText)
            return;
        const int inserted = proxy_.InsertText(offset, text, length);
        // Refused calls (no text, negative length, offset outside the text) change nothing.
        if (text == nullptr || length < 0 || offset < 0 || offset > Length()) {
            FUZZ_REQUIRE(inserted == 0, "InsertText claims to have inserted on a refused call");
            return;
        }
        FUZZ_REQUIRE(inserted == length, "InsertText did not insert the whole text");
        model_.insert(static_cast<std::size_t>(offset), text, static_cast<std::size_t>(length));
    }

    void DeleteText()
    {
        const int offset = Position();
        const int length = Position();
        proxy_.DeleteText(offset, length);
        // Clamped to the end of the text; refused calls change nothing.
        if (length < 0 || offset < 0 || offset > Length())
            return;
        model_.erase(static_cast<std::size_t>(offset), static_cast<std::size_t>(std::min(length, Length() - offset)));
    }

    // A burst of SetStyle calls, mostly at non-decreasing offsets as plug-ins make them,
    // checked against the run-list rules after each call.
    void SetStyles()
    {
        int offset = Position();
        const int calls = input_.Byte() % 128 + 1;
        for (int i = 0; i < calls; ++i) {
            const std::uint8_t b = input_.Byte();
            const int move = b & 3; // 0: the same offset again, 3: one back
            offset = move == 3 ? (offset > INT_MIN ? offset - 1 : offset) : (offset <= INT_MAX - move ? offset + move : offset);
            const int choice = b >> 2;
            const int style = choice == 63 ? INT_MIN : choice == 62 ? INT_MAX : choice % (styleCount_ + 3) - 1;
            proxy_.SetStyle(offset, style);
            ApplyRunRules(offset, style);
            FUZZ_REQUIRE(proxy_.Runs() == runs_, "SetStyle did not follow the run-list rules");
            FUZZ_REQUIRE(runs_.size() <= static_cast<std::size_t>(HostProxy::kMaxRuns), "more than 99 runs");
        }
    }

    // The rules for one SetStyle call, in their order: the style as passed is compared
    // with the last run's before an unknown style becomes 0.
    void ApplyRunRules(int offset, int style)
    {
        if (!runs_.empty() && style == runs_.back().style)
            return;
        if (runs_.size() >= static_cast<std::size_t>(HostProxy::kMaxRuns))
            return;
        if (!runs_.empty() && offset == runs_.back().start)
            runs_.pop_back();
        if (style < 0 || style > styleCount_)
            style = 0;
        runs_.push_back({offset, style});
    }

    // The next text, a view: no runs and no refused calls yet.
    void Present()
    {
        viewed_ = input_.Bytes(input_.U16() % (kMaxText + 1));
        viewedBytes_ = viewed_;
        model_ = viewed_;
        viewing_ = true;
        proxy_.Present(viewed_);
        runs_.clear();
        FUZZ_REQUIRE(proxy_.Runs().empty() && proxy_.Errors().empty(), "a presented text starts with runs or refusals");
    }

    // DecodeUtf8 on a NUL-terminated string reads no further than its NUL.
    void DecodeUtf8()
    {
        const std::string bytes = input_.Bytes(input_.Byte() % 5);
        std::vector<char> string(bytes.begin(), bytes.end());
        string.push_back('\0'); // exactly as long as the string: ASan sees any overread
        int codePoint = -1;
        int length = -1;
        proxy_.DecodeUtf8(string.data(), &codePoint, &length);
        const std::size_t available = std::min<std::size_t>(std::strlen(string.data()) + 1, 4);
        const DecodedChar expected = ReferenceDecode(string.data(), available);
        FUZZ_REQUIRE(codePoint == expected.codePoint && length == expected.length,
                     "DecodeUtf8 does not decode the string's first character");
    }

    // Function and include lists: only a function scan takes functions, and an include
    // already listed is not listed again.
    void Lists()
    {
        const std::string label = input_.Bytes(input_.Byte() % 5);
        const std::string name = input_.Bytes(input_.Byte() % 5);
        const std::uint8_t mode = input_.Byte();
        const char* labelArg = (mode & 8) != 0 ? nullptr : label.c_str();
        const char* nameArg = (mode & 16) != 0 ? nullptr : name.c_str();
        const std::size_t functions = proxy_.Functions().size();
        const std::size_t includes = proxy_.Includes().size();
        switch (mode % 3) {
        case 0:
            proxy_.AddFunction(labelArg, nameArg, Position(), (mode & 32) != 0);
            FUZZ_REQUIRE(proxy_.Functions().size() == functions + (purpose_ == varnel::ProxyPurpose::FunctionScan ? 1 : 0),
                         "AddFunction was taken by a proxy not made for a function scan, or refused by one made for it");
            break;
        case 1:
            proxy_.AddSeparator();
            FUZZ_REQUIRE(proxy_.Functions().size() == functions + (purpose_ == varnel::ProxyPurpose::FunctionScan ? 1 : 0),
                         "AddSeparator was taken by a proxy not made for a function scan, or refused by one made for it");
            break;
        default: {
            const std::string l = labelArg != nullptr ? labelArg : "";
            const std::string n = nameArg != nullptr ? nameArg : "";
            const bool listed = std::any_of(proxy_.Includes().begin(), proxy_.Includes().end(),
                                            [&](const varnel::IncludeEntry& e) { return e.label == l && e.name == n; });
            proxy_.AddInclude(labelArg, nameArg, (mode & 32) != 0);
            FUZZ_REQUIRE(proxy_.Includes().size() == includes + (listed ? 0 : 1), "AddInclude listed a duplicate or dropped a new entry");
            break;
        }
        }
    }

    ByteReader& input_;
    std::string text_;        // edited by the proxy in place, unless it reads a view
    std::string model_;       // what the text should be
    std::string viewed_;      // the text of a view, which must stay as it is
    std::string viewedBytes_ = viewed_;
    bool viewing_;
    int styleCount_;
    varnel::ProxyPurpose purpose_;
    varnel::KeywordMatcher matcher_;
    HostProxy proxy_;
    std::vector<StyleRun> runs_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ByteReader input(data, size);
    const int styleCount = input.Byte() % 21;
    const std::uint8_t purposeByte = input.Byte();
    const auto purpose = static_cast<varnel::ProxyPurpose>(purposeByte % 3);
    const bool view = purposeByte / 3 % 2 == 1;
    const std::string text = input.Bytes(input.U16() % (kMaxText + 1));
    ProxyDriver driver(input, text, styleCount, purpose, view);
    driver.Run();
    return 0;
}
