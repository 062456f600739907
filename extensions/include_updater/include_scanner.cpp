#include "include_scanner.h"

#include "block_text.h"
#include "host_error.h"
#include "included_file.h"
#include "updater_texts.h"

#include <climits>
#include <string>

namespace varnel::tool::updater {

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The document as the scan reads it: one byte at a time, 0 at and past the end (a NUL
// in the text ends it too).
class Reader {
public:
    explicit Reader(VTextProxy& document) : document_(document) {}

    char At(int position) const { return position < 0 ? '\0' : document_.CharAt(position); }

    // True when the text at `position` is `word`, letters compared without case.
    bool WordAt(int position, const char* word) const
    {
        for (; *word != '\0'; ++word, ++position) {
            if (Lower(At(position)) != *word)
                return false;
        }
        return true;
    }

    bool TextAt(int position, const char* text) const
    {
        for (; *text != '\0'; ++text, ++position) {
            if (At(position) != *text)
                return false;
        }
        return true;
    }

    int SkipSpace(int position) const
    {
        while (IsSpace(At(position)))
            ++position;
        return position;
    }

    // The next `c` at or after `position`, or the end of the text.
    int Find(int position, char c) const
    {
        for (char here; (here = At(position)) != '\0' && here != c;)
            ++position;
        return position;
    }

    // The same, but a double quote opens a string that runs to the next one and
    // nothing inside it counts.
    int FindOutsideQuotes(int position, char c) const
    {
        for (char here; (here = At(position)) != '\0' && here != c; ++position) {
            if (here == '"') {
                position = Find(position + 1, '"');
                if (At(position) == '\0')
                    break;
            }
        }
        return position;
    }

    // The first "--" at or after `position`, stepping over quoted strings.
    int FindDoubleDash(int position) const
    {
        for (;;) {
            position = FindOutsideQuotes(position, '-');
            if (At(position) == '\0' || At(position + 1) == '-')
                return position;
            ++position;
        }
    }

    bool AtEnd(int position) const { return At(position) == '\0'; }

    VTextProxy& Document() const { return document_; }

private:
    VTextProxy& document_;
};

// The indentation of the line that holds a start marker's ">". Remembers the last
// line it measured, so that many markers on one long line cost no more than one.
class Indentation {
public:
    explicit Indentation(const Reader& reader) : reader_(reader) {}

    const std::string& Of(int markerEnd)
    {
        if (markerEnd < scannedTo_) {
            // Markers come in document order; anything else starts afresh.
            lineStart_ = 0;
            scannedTo_ = 0;
            measured_ = false;
        }
        // No line feed lies in [lineStart_, scannedTo_): only the rest is searched.
        int start = lineStart_;
        for (int i = markerEnd - 1; i >= scannedTo_; --i) {
            if (reader_.At(i) == '\n') {
                start = i + 1;
                break;
            }
        }
        scannedTo_ = markerEnd;
        if (start != lineStart_ || !measured_) {
            lineStart_ = start;
            measured_ = true;
            text_.clear();
            for (int i = start; i < markerEnd && IsSpace(reader_.At(i)); ++i)
                text_ += reader_.At(i);
        }
        return text_;
    }

private:
    const Reader& reader_;
    int lineStart_ = 0;
    int scannedTo_ = 0;
    bool measured_ = false;
    std::string text_;
};

struct StartMarker {
    std::string fileName;
    int closingBracket = 0; // the ">" that ends the marker
};

// Reads a start marker at the "<" at `tag`. Answers false when there is none, and
// leaves in *position where the reading stopped.
bool ReadStartMarker(const Reader& text, int tag, StartMarker* marker, int* position)
{
    int at = tag + 1;
    *position = at;
    if (!text.TextAt(at, kCommentOpen))
        return false;
    at = text.SkipSpace(at + 3);
    if (text.At(at) != '#' || !text.WordAt(at + 1, kIncludeWord)) {
        *position = at;
        return false;
    }
    at = text.SkipSpace(at + 1 + static_cast<int>(sizeof kIncludeWord - 1));
    if (text.At(at) != '"') {
        *position = at;
        return false;
    }
    ++at;
    std::string name;
    for (char c; (c = text.At(at)) != '"'; ++at) {
        if (c == '\0' || static_cast<int>(name.size()) == kMaxFileNameLength) {
            *position = at;
            return false;
        }
        name += c;
    }
    const int dashes = text.FindDoubleDash(at + 1);
    if (text.AtEnd(dashes)) {
        *position = dashes;
        return false;
    }
    const int bracket = text.FindOutsideQuotes(dashes + 2, '>');
    *position = bracket;
    if (text.AtEnd(bracket))
        return false;
    marker->fileName = std::move(name);
    marker->closingBracket = bracket;
    return true;
}

// The "<" of the first end marker at or after `position`, or the end of the text.
int FindEndMarker(const Reader& text, int position)
{
    for (;; ++position) {
        position = text.Find(position, '<');
        if (text.AtEnd(position))
            return position;
        if (!text.TextAt(position + 1, kCommentOpen))
            continue;
        int at = text.SkipSpace(position + 4);
        if (!text.WordAt(at, kEndWord))
            continue;
        at = text.SkipSpace(at + static_cast<int>(sizeof kEndWord - 1));
        if (text.WordAt(at, kIncludeWord))
            return position;
    }
}

// Replaces the block between `blockStart` and the end marker at `blockEnd` with the
// file's text. Answers where the end marker is afterwards (blockEnd when the block
// stays as it was).
int RefreshBlock(const Reader& text, Indentation& indentation, const StartMarker& marker,
                 int blockStart, int blockEnd)
{
    VTextProxy& document = text.Document();
    char pathBuffer[kDocumentPathBufferSize] = {};
    if (!document.GetFilePath(pathBuffer, sizeof pathBuffer))
        return blockEnd;
    pathBuffer[sizeof pathBuffer - 1] = '\0';
    const std::string path = IncludedFilePath(pathBuffer, marker.fileName);
    const std::optional<std::string> bytes = ReadIncludedFile(path);
    if (!bytes)
        return blockEnd;
    std::string block = BlockTextFromFile(*bytes);
    // The text is checked against what the document's offsets can hold before each
    // step that makes it longer: a wide indentation times many lines must not be built
    // only to be refused.
    const std::size_t room = static_cast<std::size_t>(INT_MAX - blockStart);
    if (!FillPlaceholders(block, PlaceholderPath(path), room))
        return blockEnd;
    const std::string& indent = indentation.Of(marker.closingBracket);
    if (IndentedSize(block, indent.size()) > room)
        return blockEnd;
    block = IndentLines(block, indent);
    const int length = static_cast<int>(block.size());
    Check(document.DeleteText(blockStart, blockEnd - blockStart));
    Check(document.InsertText(blockStart, block.data(), length));
    return blockStart + length;
}

enum class ScanState {
    FindTag,      // find the next "<"
    ReadMarker,   // is the tag at hand a start marker?
    FindEnd,      // a start marker was read: look for its end marker
    SkipTag,      // go on after the tag at hand: to its ">", then to the next "<"
    Done,
};

} // namespace

void RefreshIncludeBlocks(VTextProxy& document)
{
    const Reader text(document);
    Indentation indentation(text);
    StartMarker marker;
    int position = 0;
    int tag = 0;
    ScanState state = ScanState::FindTag;
    while (state != ScanState::Done) {
        switch (state) {
        case ScanState::FindTag:
            tag = text.Find(position, '<');
            state = text.AtEnd(tag) ? ScanState::Done : ScanState::ReadMarker;
            break;
        case ScanState::ReadMarker:
            state = ReadStartMarker(text, tag, &marker, &position) ? ScanState::FindEnd : ScanState::SkipTag;
            break;
        case ScanState::FindEnd: {
            const int blockStart = marker.closingBracket + 1;
            const int blockEnd = FindEndMarker(text, blockStart);
            if (text.AtEnd(blockEnd)) {
                state = ScanState::Done;
                break;
            }
            position = RefreshBlock(text, indentation, marker, blockStart, blockEnd);
            state = ScanState::SkipTag;
            break;
        }
        case ScanState::SkipTag:
            position = text.FindOutsideQuotes(position, '>');
            state = ScanState::FindTag;
            break;
        case ScanState::Done:
            break;
        }
    }
}

} // namespace varnel::tool::updater
