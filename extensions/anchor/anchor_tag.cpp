#include "anchor_tag.h"

#include "anchor_texts.h"
#include "host_error.h"

#include <climits>
#include <stdexcept>

namespace varnel::tool::anchor {

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Reads a tag's inside, never past its end.
class TagReader {
public:
    TagReader(VTextProxy& document, int end) : document_(document), end_(end) {}

    char At(int position) const { return position < end_ ? document_.CharAt(position) : '\0'; }
    bool AtEnd(int position) const { return position >= end_ || At(position) == '\0'; }

    int SkipSpace(int position) const
    {
        while (!AtEnd(position) && IsSpace(At(position)))
            ++position;
        return position;
    }

    // The name (letters compared without case) stands here, and no letter follows it.
    bool NameAt(int position, const char* name) const
    {
        for (; *name != '\0'; ++name, ++position) {
            if (Lower(At(position)) != *name)
                return false;
        }
        return !IsLetter(At(position));
    }

    // Reads `name = value` from the name's first letter; answers the position after it.
    int ReadAttribute(int position, std::string* value) const
    {
        while (IsLetter(At(position)))
            ++position;
        position = SkipSpace(position);
        value->clear();
        if (At(position) != '=')
            return position;
        position = SkipSpace(position + 1);
        if (At(position) == '"') {
            for (++position; !AtEnd(position) && At(position) != '"'; ++position)
                *value += At(position);
            return AtEnd(position) ? position : position + 1;
        }
        for (; !AtEnd(position) && !IsSpace(At(position)) && At(position) != '>'; ++position)
            *value += At(position);
        return position;
    }

private:
    VTextProxy& document_;
    int end_;
};

// The ">" that ends the tag whose inside starts at `start`, stepping over values in
// double quotes (`title="1>0"`); `size` when the text ends first.
int TagEnd(VTextProxy& document, int start, int size)
{
    bool quoted = false;
    for (int i = start; i < size; ++i) {
        const char c = document.CharAt(i);
        if (c == '"')
            quoted = !quoted;
        else if (c == '>' && !quoted)
            return i;
    }
    return size;
}

int Sum(long long a, long long b)
{
    const long long sum = a + b;
    if (sum > INT_MAX || sum < INT_MIN)
        throw std::overflow_error("position past the end of any document");
    return static_cast<int>(sum);
}

} // namespace

std::optional<TagRange> LocateAnchorTag(VTextProxy& document)
{
    const int size = document.TextLength();
    int start = 0;
    int length = 0;
    document.GetSelection(&start, &length);
    if (start < 0 || start > size || size < 0)
        return std::nullopt;
    if (length < 0 || length > size - start)
        length = size - start;

    if (length > 1 && document.CharAt(start) == '<' && document.CharAt(start + length - 1) == '>') {
        ++start;
    } else {
        while (start > 0 && document.CharAt(start - 1) != '<')
            --start;
    }
    // The tag ends at its first ">" outside a quoted attribute value: a range over more
    // (a caret in the element's content, a selection of the whole element) would take
    // the content and the closing tag along.
    length = TagEnd(document, start, size) - start;
    const bool anchor = length > 0 && start > 0 && document.CharAt(start - 1) == '<' &&
                        document.CharAt(start + length) == '>' && Lower(document.CharAt(start)) == 'a' &&
                        !IsLetter(document.CharAt(start + 1));
    if (!anchor)
        return std::nullopt;
    return TagRange{start, length};
}

AnchorAttributes ReadAnchorAttributes(VTextProxy& document, const TagRange& tag)
{
    AnchorAttributes attributes;
    const TagReader reader(document, tag.start + tag.length);
    int position = reader.SkipSpace(tag.start + 1);
    std::string value;
    while (!reader.AtEnd(position)) {
        std::optional<std::string>* field = nullptr;
        if (reader.NameAt(position, kHrefName))
            field = &attributes.href;
        else if (reader.NameAt(position, kNameName))
            field = &attributes.name;
        else if (reader.NameAt(position, kTitleName))
            field = &attributes.title;
        if (field != nullptr) {
            position = reader.ReadAttribute(position, &value);
            *field = value;
        }
        if (reader.AtEnd(position))
            break;
        position = reader.SkipSpace(position + 1);
    }
    return attributes;
}

std::string BuildOpeningTag(const std::string& href, const std::string& name, const std::string& title)
{
    std::string tag = kTagOpen;
    const std::pair<const char*, const std::string*> attributes[] = {
        {kHrefAttribute, &href}, {kNameAttribute, &name}, {kTitleAttribute, &title}};
    for (const auto& [prefix, value] : attributes) {
        if (!value->empty())
            tag += prefix + *value + kAttributeEnd;
    }
    return tag + kTagClose;
}

void ApplyAnchor(VTextProxy& document, const std::string& openingTag, bool editingExisting)
{
    int start = 0;
    int length = 0;
    document.GetSelection(&start, &length);
    const int tagLength = Sum(0, static_cast<long long>(openingTag.size()));
    if (!editingExisting) {
        Check(document.InsertText(start, openingTag.data(), tagLength));
        Check(document.InsertText(Sum(Sum(start, length), tagLength), kClosingTag,
                                  static_cast<int>(sizeof kClosingTag - 1)));
        Check(document.Select(Sum(start, tagLength), length));
        return;
    }
    if (length != 0)
        Check(document.DeleteText(start, length)); // the old tag, selected when the dialog opened
    Check(document.InsertText(start, openingTag.data(), tagLength));
    Check(document.Select(start, tagLength));
}

} // namespace varnel::tool::anchor
