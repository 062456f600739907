// HTML lines: the markup machine run over one line, its runs reported with SetStyle,
// the flags carried in the high bits of the line state.
#include "styler.h"

#include "html_machine.h"
#include "packed_line_state.h"

#include <cstddef>

namespace html {

int StyleOfSets(int sets, const BitStyle* table, int count, int otherwise)
{
    for (int i = 0; i < count; ++i) {
        if ((sets & table[i].bit) != 0)
            return table[i].style;
    }
    return otherwise;
}

namespace {

constexpr BitStyle kTagNames[] = {{0x01, 1}, {0x20, 12}, {0x40, 13}, {0x80, 14}};
constexpr BitStyle kAttributeNames[] = {{0x02, 2}, {0x20, 12}, {0x40, 13}, {0x80, 14}};
constexpr BitStyle kScriptWords[] = {{0x04, 3}, {0x20, 12}, {0x40, 13}, {0x80, 14}};
constexpr BitStyle kPhpWords[] = {{0x08, 4}, {0x10, 10}, {0x20, 12}, {0x40, 13}, {0x80, 14}};

template <std::size_t N>
int StyleFrom(int sets, const BitStyle (&table)[N], int otherwise)
{
    return StyleOfSets(sets, table, static_cast<int>(N), otherwise);
}

// Runs go to the line; script regions mean nothing to styling.
struct LineSink : StylingSink {
    void RegionStart(int) {}
};

} // namespace

int TagNameStyle(int sets)
{
    return StyleFrom(sets, kTagNames, kTagStyle);
}

int AttributeNameStyle(int sets)
{
    return StyleFrom(sets, kAttributeNames, kTagStyle);
}

int ScriptWordStyle(int sets)
{
    return StyleFrom(sets, kScriptWords, 0);
}

int PhpWordStyle(int sets)
{
    return StyleFrom(sets, kPhpWords, 0);
}

} // namespace html

[[gnu::flatten]] void StyleHtmlLine(VLanguageProxy& line, short* lineState)
{
    using namespace html;
    line.SetStyle(0, 0);
    VLanguageProxyV2* text = AsProxyV2(line);
    const int length = lineState != nullptr && text != nullptr ? line.TextLength() : 0;
    if (length <= 0)
        return;
    const PackedLineState in = PackedLineState::Unpack(*lineState, kStateNumberBits);
    LineSink sink;
    sink.line = &line;
    sink.last = 0; // the run (0, 0) that every line begins with
    MarkupWindow window;
    Machine<LineSink, Reach::Line> machine(*text, sink, window);
    machine.state = in.number;
    machine.percent = in.Flag(kPercentFlag);
    machine.script = in.Flag(kScriptFlag);
    while (!machine.Cursor().done) {
        machine.Skip(length);
        machine.Step();
    }
    PackedLineState out{machine.state, 0};
    out.SetFlag(kPercentFlag, machine.percent);
    out.SetFlag(kScriptFlag, machine.script);
    *lineState = out.Pack(kStateNumberBits);
}
