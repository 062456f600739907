// Runs the tool extensions' logic on arbitrary input and checks what must hold whatever
// it is: Dunetool's Perform (loaded from Extensions/ as the host loads it) on any
// document, with included files in a temporary folder; the path routines; and the
// anchor inserter's tag location, attribute reading and editing.
//
// Input: a mode byte, then per mode
//   0 Dunetool: refusal byte, refusal position, length byte and bytes of the file f.txt,
//     then the document
//   1 paths:    the path
//   2 anchor:   selection start and length, then the document
#include "fuzz_support.h"

#include "anchor_tag.h"
#include "file_system.h"
#include "host_error.h"
#include "path_routines.h"
#include "text_proxy.h"
#include "tool_loader.h"

#include <cstdlib>
#include <string>

#include <sys/stat.h>

namespace {

using varnel::TextProxy;
using varnel::fuzz::ByteReader;

// A document whose host refuses every edit from the n-th on with code 77.
class RefusingProxy : public TextProxy {
public:
    RefusingProxy(const std::string& text, std::string path, int refuseFrom)
        : TextProxy(text, std::move(path)), refuseFrom_(refuseFrom)
    {
    }
    int InsertText(int position, const char* text, int length) override
    {
        return Refuse() ? 77 : TextProxy::InsertText(position, text, length);
    }
    int DeleteText(int position, int length) override
    {
        return Refuse() ? 77 : TextProxy::DeleteText(position, length);
    }

private:
    bool Refuse() { return refuseFrom_ > 0 && ++edits_ >= refuseFrom_; }
    int refuseFrom_;
    int edits_ = 0;
};

struct Site {
    std::string folder;
    varnel::ToolSet tools;
    varnel::PerformFn perform = nullptr;
};

const Site& TheSite()
{
    static const Site site = [] {
        Site s;
        char pattern[] = "/tmp/varnel-fuzz-site.XXXXXX";
        const char* made = mkdtemp(pattern);
        FUZZ_REQUIRE(made != nullptr, "cannot make the site folder");
        s.folder = made;
        mkdir((s.folder + "/inc").c_str(), 0755);
        varnel::WriteFile(s.folder + "/a.html", "line\r\nnext $file$ $date$\r$time$ $name$");
        varnel::WriteFile(s.folder + "/inc/b.html", "");
        varnel::WriteFile(s.folder + "/inc/c.html", std::string("x\0y", 3));
        s.tools = varnel::LoadToolExtensions(varnel::ExtensionsFolder(varnel::ExecutableFolder()));
        const varnel::ToolExtension* tool = varnel::FindTool(s.tools, "Dunetool");
        FUZZ_REQUIRE(tool != nullptr, "Dunetool is not in Extensions/ beside the fuzzer");
        s.perform = tool->perform;
        return s;
    }();
    return site;
}

void RunUpdater(ByteReader& input)
{
    const Site& site = TheSite();
    const int refuseFrom = input.Byte() % 4; // 0: never
    const std::string file = input.Bytes(input.Byte());
    varnel::WriteFile(site.folder + "/f.txt", file);
    const std::string text = input.Rest();

    RefusingProxy document(text, site.folder + "/page.html", refuseFrom);
    const int result = site.perform(document);
    FUZZ_REQUIRE(result == 0 || result == 77, "Perform answers 0 or the host's code");
    if (text.find("<!--") == std::string::npos)
        FUZZ_REQUIRE(document.Text() == text, "a document without comments stays as it is");

    // A never-saved document is never changed.
    TextProxy untitled(text);
    FUZZ_REQUIRE(site.perform(untitled) == 0, "Perform on a never-saved document answers 0");
    FUZZ_REQUIRE(untitled.Text() == text, "a never-saved document stays as it is");
}

void CheckPaths(ByteReader& input)
{
    const std::string path = input.Rest();
    const std::string normal = varnel::tool::NormalizePath(path);
    FUZZ_REQUIRE(normal.find("//") == std::string::npos, "no runs of slashes survive");
    const std::string url = varnel::tool::ToURLPath(path);
    FUZZ_REQUIRE(url.find('\\') == std::string::npos, "a URL path has no backslash");
    const std::string windows = varnel::tool::ToWindowsPath(path);
    FUZZ_REQUIRE(windows.find('/') == std::string::npos, "a Windows path has no slash");
}

void EditAnchor(ByteReader& input)
{
    const varnel::fuzz::PositionSeed startSeed = input.Position();
    const varnel::fuzz::PositionSeed lengthSeed = input.Position();
    const std::string text = input.Rest();
    TextProxy document(text);
    const int size = document.TextLength();
    const int start = startSeed.For(size);
    if (start >= 0 && start <= size) {
        const int length = lengthSeed.For(size - start);
        if (length >= 0 && length <= size - start)
            document.Select(start, length);
    }
    const std::optional<varnel::tool::anchor::TagRange> tag = varnel::tool::anchor::LocateAnchorTag(document);
    bool editing = false;
    if (tag) {
        FUZZ_REQUIRE(tag->start > 0 && tag->length > 0 && tag->start + tag->length < size, "the tag lies inside");
        FUZZ_REQUIRE(document.CharAt(tag->start - 1) == '<' && document.CharAt(tag->start + tag->length) == '>',
                     "the tag's brackets surround it");
        bool quoted = false;
        for (int i = tag->start; i < tag->start + tag->length; ++i) {
            const char c = document.CharAt(i);
            quoted = c == '"' ? !quoted : quoted;
            FUZZ_REQUIRE(c != '>' || quoted, "the tag ends at its first > outside double quotes");
        }
        FUZZ_REQUIRE(!quoted, "the closing > of the tag is outside double quotes");
        const auto attributes = varnel::tool::anchor::ReadAnchorAttributes(document, *tag);
        for (const auto* value : {&attributes.href, &attributes.name, &attributes.title})
            FUZZ_REQUIRE(!*value || static_cast<int>((*value)->size()) < tag->length, "values come from the tag");
        document.Select(tag->start - 1, tag->length + 2);
        editing = true;
    }
    int selectionStart = 0;
    int selectionLength = 0;
    document.GetSelection(&selectionStart, &selectionLength);
    const std::string opening = varnel::tool::anchor::BuildOpeningTag("h", "", "t");
    try {
        varnel::tool::anchor::ApplyAnchor(document, opening, editing);
    } catch (const varnel::tool::HostError&) {
        FUZZ_REQUIRE(false, "the host accepts every edit at a valid selection");
    }
    const std::string result = document.Text();
    const std::size_t expected = editing ? text.size() - selectionLength + opening.size()
                                         : text.size() + opening.size() + 4;
    FUZZ_REQUIRE(result.size() == expected, "the edit adds the tags and removes at most the old tag");
    if (!editing)
        FUZZ_REQUIRE(result.compare(selectionStart + opening.size(), selectionLength, text, selectionStart,
                                    selectionLength) == 0,
                     "the selected text is inside the new element");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ByteReader input(data, size);
    switch (input.Byte() % 3) {
    case 0:
        RunUpdater(input);
        break;
    case 1:
        CheckPaths(input);
        break;
    default:
        EditAnchor(input);
        break;
    }
    return 0;
}
