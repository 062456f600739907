// Random sequences of editor commands on a document of one language, through the real
// plug-ins, checking after each step:
// - the text equals a plain string that took the same edits (commands that plug-ins
//   work out, such as Comment, are taken from the document and kept for undo);
// - every line's end state and the runs of a line equal a styling from scratch;
// - undoing everything gives the original bytes back, and redoing everything the last ones.
//
// Input: module byte, text length byte and the text, then commands: an operation byte
// and its arguments each.
#include "fuzz_support.h"

#include "document.h"
#include "document_commands.h"
#include "editor_document.h"
#include "file_system.h"
#include "key_commands.h"
#include "language.h"
#include "plugin_loader.h"
#include "search_commands.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace varnel;
using namespace varnel::editor;
using varnel::fuzz::ByteReader;

struct Languages {
    PluginSet set;
    std::vector<std::unique_ptr<Language>> prepared;
};

const Languages& Loaded()
{
    static const Languages* loaded = [] {
        auto* languages = new Languages;
        languages->set = LoadLanguagePlugins(LanguagesFolder(ExecutableFolder()));
        for (const LanguagePlugin& plugin : languages->set.plugins)
            languages->prepared.push_back(std::make_unique<Language>(PrepareLanguage(plugin, "")));
        return languages;
    }();
    return *loaded;
}

// A snapshot of the document after a step: its text as plug-ins see it and as a file.
struct Snapshot {
    std::string text;
    std::string file;
};

Snapshot Take(EditorDocument& document)
{
    return {std::string(document.Contiguous()), document.Text().FileText()};
}

void CheckStyling(EditorDocument& document, const Language& language, ByteReader& input)
{
    const int lines = document.Text().LineCount();
    document.Styling().StyleThrough(lines - 1);
    // The same lines joined by line feeds: line ends do not change styling.
    Document scratch{std::string(document.Contiguous())};
    scratch.StyleAll(language.MakeStyler());
    FUZZ_REQUIRE(scratch.LineCount() == lines, "line count differs from styling from scratch");
    for (int line = 0; line < lines; ++line)
        FUZZ_REQUIRE(document.Text().EndState(line) == scratch.EndState(line), "end state differs from styling from scratch");
    const int line = static_cast<int>(input.U16() % static_cast<unsigned>(lines));
    FUZZ_REQUIRE(document.Styling().Runs(line) == std::vector<StyleRun>(scratch.Runs(line)),
                 "runs differ from styling from scratch");
}

std::string SmallText(ByteReader& input)
{
    static const char* const kPieces[] = {"\n", "\r\n", "\r", "/*", "*/", "<!--", "-->", "--", "\"", "'",
                                          "{", "}", "(", ")", "<a>", "</a>", "#", "\xC3\xA9", "\t", " "};
    const std::uint8_t choice = input.Byte();
    if (choice < 128)
        return kPieces[choice % (sizeof kPieces / sizeof *kPieces)];
    return input.Bytes(choice % 8 + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Languages& languages = Loaded();
    if (languages.prepared.empty())
        return 0;
    ByteReader input(data, size);
    const Language& language = *languages.prepared[input.Byte() % languages.prepared.size()];
    EditorDocument document(input.Bytes(input.Byte()), LineEnd::CrLf);
    document.Styling().SetShown(0, 3);
    document.Styling().SetStyler(language.MakeStyler());

    std::vector<Snapshot> history{Take(document)};
    std::size_t position = 0; // history[position] is the text now
    auto now = std::chrono::steady_clock::time_point{};
    for (int step = 0; step < 40 && !input.Empty(); ++step) {
        now += std::chrono::seconds(10); // every edit a step of its own
        const std::uint64_t revision = document.Revision();
        const int length = document.Text().Length();
        const int at = static_cast<int>(input.U16() % static_cast<unsigned>(length + 1));
        const int to = std::min(length, at + input.Byte() % 16);
        std::string expected = history[position].text;
        bool modelled = true;
        switch (input.Byte() % 13) {
        case 0: { // typing over a selection
            const std::string typed = SmallText(input);
            document.Select(at, to);
            document.Type(typed, now);
            if (!typed.empty())
                expected.replace(static_cast<std::size_t>(at), static_cast<std::size_t>(to - at), LineFeedsOnly(typed));
            break;
        }
        case 1: // backspace
            document.Select(at, to);
            document.Backspace(now);
            if (to > at)
                expected.erase(static_cast<std::size_t>(at), static_cast<std::size_t>(to - at));
            else
                modelled = false; // a whole character: the document knows its length
            break;
        case 2:
            if (position > 0) {
                FUZZ_REQUIRE(document.Undo(), "undo refused with steps to undo");
                --position;
                FUZZ_REQUIRE(document.Text().FileText() == history[position].file, "undo did not restore the text");
            }
            continue;
        case 3:
            if (position + 1 < history.size()) {
                FUZZ_REQUIRE(document.Redo(), "redo refused with steps to redo");
                ++position;
                FUZZ_REQUIRE(document.Text().FileText() == history[position].file, "redo did not restore the text");
            }
            continue;
        case 4:
        case 5:
            document.Select(at, to);
            ToggleComment(document, language, input.Byte() % 2 == 0);
            modelled = false;
            break;
        case 6:
            document.Select(at, to);
            Balance(document, language);
            break;
        case 7:
            document.Select(at, to);
            Tab(document);
            modelled = false;
            break;
        case 8:
            document.Select(at, to);
            ShiftTab(document, 4);
            modelled = false;
            break;
        case 9:
            document.Styling().RunIdle(input.Byte());
            break;
        case 10: { // find, then replace all: the plan worked out on the model's text
            FindOptions options;
            const std::uint8_t flags = input.Byte();
            options.regex = (flags & 1) != 0;
            options.matchCase = (flags & 2) != 0;
            options.wholeWord = (flags & 4) != 0;
            options.backwards = (flags & 8) != 0;
            const std::string needle = SmallText(input);
            const std::string with = (flags & 16) != 0 ? SmallText(input) : std::string();
            const std::optional<Finder> finder = Finder::Make(needle, options, nullptr);
            if (!finder)
                continue;
            document.Select(at, to);
            FindAndSelect(document, *finder);
            const std::string text = expected;
            expected = ApplyReplacements(text, PlanReplaceAll(text, *finder, LineFeedsOnly(with)));
            ReplaceAll(document, *finder, with);
            break;
        }
        default:
            CheckStyling(document, language, input);
            continue;
        }
        const Snapshot after = Take(document);
        if (modelled)
            FUZZ_REQUIRE(after.text == expected, "the text differs from the plain model");
        if (document.Revision() != revision) {
            // A step was made: the steps that were undone are gone.
            history.resize(position + 1);
            history.push_back(after);
            ++position;
        } else {
            FUZZ_REQUIRE(after.file == history[position].file, "the text changed without a step");
        }
        const Selection& selection = document.GetSelection();
        FUZZ_REQUIRE(selection.anchor >= 0 && selection.caret >= 0 && selection.anchor <= document.Text().Length() &&
                         selection.caret <= document.Text().Length(),
                     "the selection left the text");
    }
    CheckStyling(document, language, input);
    while (document.Undo()) {
    }
    FUZZ_REQUIRE(document.Text().FileText() == history.front().file, "undoing everything did not give the original");
    while (document.Redo()) {
    }
    FUZZ_REQUIRE(document.Text().FileText() == history.back().file, "redoing everything did not give the last text");
    CheckStyling(document, language, input);
    return 0;
}
