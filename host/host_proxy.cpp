#include "host_proxy.h"

#include "branch_hints.h"
#include "pattern_search.h"
#include "utf8.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>

namespace varnel {

bool operator==(RunView a, RunView b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

// Nothing here may throw into a plug-in: operations that allocate catch every
// exception and note the refused call in Errors() instead.

namespace {

char FoldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsAsciiAlnum(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The text a pattern stands for when it has no regular-expression operators, with
// escaped punctuation ("\\*") taken literally; nullopt when it needs the pattern engine.
// An escaped letter or digit is a class or back-reference, so it needs the engine too.
std::optional<std::string> LiteralOf(const char* pattern)
{
    static constexpr char kOperators[] = "^$.*+?()[]{}|";
    std::string literal;
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (*p == '\\') {
            if (p[1] == '\0' || IsAsciiAlnum(p[1]))
                return std::nullopt;
            ++p;
        } else if (std::strchr(kOperators, *p) != nullptr) {
            return std::nullopt;
        }
        literal.push_back(*p);
    }
    return literal;
}

} // namespace

HostProxy::HostProxy(std::string& text, const KeywordMatcher& matcher, int styleCount,
                     ProxyPurpose purpose, ListPreferences preferences)
    : HostProxy(std::string_view(text), matcher, styleCount, purpose, preferences)
{
    edited_ = &text;
}

HostProxy::HostProxy(std::string_view text, const KeywordMatcher& matcher, int styleCount,
                     ProxyPurpose purpose, ListPreferences preferences)
    : edited_(nullptr),
      matcher_(matcher),
      styleCount_(std::max(styleCount, 0)),
      purpose_(purpose),
      preferences_(preferences)
{
    TextChanged(text.data(), text.size());
}

void HostProxy::Refuse(const char* message) noexcept
{
    try {
        errors_.emplace_back(message);
    } catch (...) {
        // Out of memory: the call is still refused, only its message is lost.
    }
}

std::string& HostProxy::Editable()
{
    if (edited_ == nullptr) {
        copy_.assign(data_, size_);
        edited_ = &copy_;
    }
    return *edited_;
}

int HostProxy::CharacterAt(int offset) const
{
    if (static_cast<unsigned>(offset) >= static_cast<unsigned>(length_))
        return 0;
    const unsigned char byte = static_cast<unsigned char>(data_[offset]);
    if (byte < 0x80) // ASCII needs no decoding
        return byte;
    return varnel::DecodeUtf8(data_ + offset, static_cast<std::size_t>(length_ - offset)).codePoint;
}

char HostProxy::CharAt(int offset)
{
    // The hottest call of all: one per byte of every line styled. Plug-ins stay inside
    // the text, so the answer for an offset outside it is kept off the direct path.
    if (VARNEL_RARELY(static_cast<unsigned>(offset) >= static_cast<unsigned>(length_)))
        return 0;
    return data_[offset];
}

int HostProxy::TextLength()
{
    return length_;
}

int HostProxy::InsertText(int offset, const char* text, int length)
{
    const int size = Length();
    if (text == nullptr || length < 0 || offset < 0 || offset > size) {
        Refuse("InsertText: no text, a negative length or an offset outside the text");
        return 0;
    }
    if (length > INT_MAX - size) {
        Refuse("InsertText: the text would grow beyond the largest offset");
        return 0;
    }
    try {
        std::string& edited = Editable();
        edited.insert(static_cast<std::size_t>(offset), text, static_cast<std::size_t>(length));
        TextChanged(edited.data(), edited.size());
    } catch (...) {
        Refuse("InsertText: out of memory");
        return 0;
    }
    return length;
}

void HostProxy::DeleteText(int offset, int length)
{
    const int size = Length();
    if (length < 0 || offset < 0 || offset > size) {
        Refuse("DeleteText: a negative length or an offset outside the text");
        return;
    }
    // Clamped to the end of the text.
    const int count = std::min(length, size - offset);
    if (count == 0)
        return;
    try {
        std::string& edited = Editable();
        edited.erase(static_cast<std::size_t>(offset), static_cast<std::size_t>(count));
        TextChanged(edited.data(), edited.size());
    } catch (...) {
        Refuse("DeleteText: out of memory");
    }
}

void HostProxy::SetStyle(int offset, int style)
{
    // The steps in this order; step 1 compares the style as passed with the last run's
    // style as kept, after step 4 mapped an unknown number to 0. The last run's start
    // and style are kept beside the list, as values no call passes while it is empty.
    if (style == lastStyle_)
        return;
    StyleRun* run = runEnd_;
    if (VARNEL_RARELY(run == runLimit_))
        return;
    if (offset == lastStart_)
        --run;
    if (VARNEL_RARELY(static_cast<unsigned>(style) > static_cast<unsigned>(styleCount_)))
        style = 0;
    *run = StyleRun{offset, style};
    runEnd_ = run + 1;
    lastStart_ = offset;
    lastStyle_ = style;
}

void HostProxy::AddFunction(const char* label, const char* name, int offset, bool prototype)
{
    if (purpose_ != ProxyPurpose::FunctionScan) {
        Refuse("AddFunction: this proxy was not made for a function scan");
        return;
    }
    try {
        FunctionEntry entry;
        entry.label = label != nullptr ? label : "";
        entry.name = name != nullptr ? name : "";
        entry.offset = offset;
        entry.prototype = prototype;
        functions_.push_back(std::move(entry));
    } catch (...) {
        Refuse("AddFunction: out of memory");
    }
}

void HostProxy::AddInclude(const char* label, const char* name, bool flag)
{
    try {
        IncludeEntry entry;
        entry.label = label != nullptr ? label : "";
        entry.name = name != nullptr ? name : "";
        entry.flag = flag;
        if (includes_.size() == includes_.capacity())
            includes_.reserve(std::max<std::size_t>(8, includes_.size() * 2)); // so push_back cannot fail
        // Label and name joined by a NUL, which neither holds.
        std::string key = entry.label;
        key.push_back('\0');
        key += entry.name;
        if (includeKeys_.insert(std::move(key)).second)
            includes_.push_back(std::move(entry));
    } catch (...) {
        Refuse("AddInclude: out of memory");
    }
}

std::vector<IncludeEntry> HostProxy::TakeIncludes()
{
    includeKeys_.clear();
    return std::move(includes_);
}

void HostProxy::AddSeparator()
{
    if (purpose_ != ProxyPurpose::FunctionScan) {
        Refuse("AddSeparator: this proxy was not made for a function scan");
        return;
    }
    try {
        FunctionEntry entry;
        entry.separator = true;
        functions_.push_back(std::move(entry));
    } catch (...) {
        Refuse("AddSeparator: out of memory");
    }
}

bool HostProxy::ShowIncludes()
{
    return preferences_.showIncludes;
}

bool HostProxy::ShowPrototypes()
{
    return preferences_.showPrototypes;
}

bool HostProxy::ShowTypes()
{
    return preferences_.showTypes;
}

void HostProxy::DecodeUtf8(const char* bytes, int* codePoint, int* length)
{
    Utf8Char c{0, 0};
    if (bytes != nullptr) {
        // The bytes form a NUL-terminated string: read no further than its NUL. A NUL
        // itself decodes as character 0 of length 1.
        std::size_t available = 1;
        while (available < 4 && bytes[available - 1] != '\0')
            ++available;
        c = varnel::DecodeUtf8(bytes, available);
    }
    if (codePoint != nullptr)
        *codePoint = c.codePoint;
    if (length != nullptr)
        *length = c.length;
}

void HostProxy::CodePointAt(int offset, int* ch, int* length)
{
    Utf8Char c{0, 0};
    if (static_cast<unsigned>(offset) < static_cast<unsigned>(length_)) {
        const unsigned char byte = static_cast<unsigned char>(data_[offset]);
        c = byte < 0x80 ? Utf8Char{byte, 1}
                        : varnel::DecodeUtf8(data_ + offset, static_cast<std::size_t>(length_ - offset));
    }
    if (ch != nullptr)
        *ch = c.codePoint;
    if (length != nullptr)
        *length = c.length;
}

// Letters are the ASCII letters and every code point from U+0080 up that is no white
// space, so identifiers may hold characters of any script. A byte that starts no valid
// UTF-8 sequence reaches here as its own value (0x80..0xFF) and counts as a letter too.
bool HostProxy::IsLetter(int ch)
{
    if (ch < 0x80)
        return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
    return ch <= 0x10FFFF && !IsSpace(ch);
}

bool HostProxy::IsLetterOrDigit(int ch)
{
    return (ch >= '0' && ch <= '9') || IsLetter(ch);
}

bool HostProxy::IsSpace(int ch)
{
    switch (ch) {
    case '\t': case '\n': case '\v': case '\f': case '\r': case ' ':
    case 0x85: case 0xA0: case 0x1680:
    case 0x2028: case 0x2029: case 0x202F: case 0x205F: case 0x3000:
        return true;
    default:
        return ch >= 0x2000 && ch <= 0x200A;
    }
}

bool HostProxy::FindPattern(const char* pattern, int* offset, int* length)
{
    if (pattern == nullptr || offset == nullptr || length == nullptr)
        return false;
    const int size = Length();
    const int start = *offset;
    // Searching from the end itself is allowed: an empty match can be found there.
    if (start < 0 || start > size)
        return false;
    try {
        if (const std::optional<std::string> literal = LiteralOf(pattern)) {
            const std::size_t found = Text().substr(0, static_cast<std::size_t>(size)).find(*literal, static_cast<std::size_t>(start));
            if (found == std::string::npos)
                return false;
            *offset = static_cast<int>(found);
            *length = static_cast<int>(literal->size());
            return true;
        }
        const std::optional<Pattern> expression = Pattern::Compile(pattern);
        if (!expression) {
            Refuse("FindPattern: the pattern is no valid regular expression");
            return false;
        }
        std::size_t matchStart = 0;
        std::size_t matchLength = 0;
        if (!expression->Search(std::string_view(data_, static_cast<std::size_t>(size)),
                                static_cast<std::size_t>(start), &matchStart, &matchLength))
            return false;
        *offset = static_cast<int>(matchStart);
        *length = static_cast<int>(matchLength);
        return true;
    } catch (...) {
        Refuse("FindPattern: the search failed");
    }
    return false;
}

int HostProxy::NextChar(int* offset)
{
    if (offset == nullptr)
        return 0;
    // Most text is ASCII: a character of one byte, followed by another or by the end,
    // is answered here without decoding anything.
    const int at = *offset;
    const unsigned length = static_cast<unsigned>(length_);
    if (static_cast<unsigned>(at) < length && static_cast<unsigned char>(data_[at]) < 0x80) {
        const unsigned next = static_cast<unsigned>(at) + 1;
        if (next == length) {
            *offset = static_cast<int>(next);
            return 0;
        }
        const unsigned char after = static_cast<unsigned char>(data_[next]);
        if (after < 0x80) {
            *offset = static_cast<int>(next);
            return after;
        }
    }
    return StepOverCharacter(offset);
}

int HostProxy::StepOverCharacter(int* offset)
{
    const int at = *offset;
    if (static_cast<unsigned>(at) < static_cast<unsigned>(length_)) {
        const unsigned char byte = static_cast<unsigned char>(data_[at]);
        const int step = byte < 0x80 ? 1
                                     : varnel::DecodeUtf8(data_ + at, static_cast<std::size_t>(length_ - at)).length;
        *offset = at + step;
        return CharacterAt(at + step);
    }
    if (at < INT_MAX)
        *offset = at + 1;
    return 0;
}

int HostProxy::PrevChar(int* offset)
{
    if (offset == nullptr)
        return 0;
    const int at = *offset;
    if (at <= 0) {
        if (at > INT_MIN)
            *offset = at - 1;
        return 0;
    }
    if (at > length_) {
        // Beyond the end there are no characters: step back one byte at a time.
        *offset = at - 1;
        return 0;
    }
    // No sequence of several bytes ends in an ASCII byte.
    const unsigned char before = static_cast<unsigned char>(data_[at - 1]);
    if (before < 0x80) {
        *offset = at - 1;
        return before;
    }
    *offset = PreviousCharStart(data_, at);
    return CharacterAt(*offset);
}

int HostProxy::CompareText(int offset, const char* s, bool caseSensitive)
{
    // Non-zero answers follow strcmp's sign where the two can be compared: a text that
    // ends part-way through s compares as shorter, so below s.
    const int size = Length();
    if (s == nullptr || offset < 0 || offset >= size)
        return -1;
    std::size_t pos = static_cast<std::size_t>(offset);
    for (const char* p = s; *p != '\0'; ++p, ++pos) {
        if (pos >= static_cast<std::size_t>(size))
            return -1;
        char a = data_[pos];
        char b = *p;
        if (!caseSensitive) {
            a = FoldAscii(a);
            b = FoldAscii(b);
        }
        if (a != b)
            return static_cast<unsigned char>(a) < static_cast<unsigned char>(b) ? -1 : 1;
    }
    return 0;
}

int HostProxy::CopyText(int offset, int length, char* buffer, int size)
{
    const int textSize = Length();
    if (buffer == nullptr || length < 0 || size < 0 || offset < 0 || offset >= textSize)
        return 0;
    const int count = std::min({length, size, textSize - offset});
    std::memcpy(buffer, data_ + offset, static_cast<std::size_t>(count));
    return count;
}

} // namespace varnel
