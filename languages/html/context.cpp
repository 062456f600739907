#include "context.h"

#include "html_machine.h"

namespace {

// No runs; the last region start wins.
struct RegionSink {
    static constexpr bool kStyles = false;
    int regionStart = 0;
    void Run(int, int) {}
    void RegionStart(int offset) { regionStart = offset; }
};

} // namespace

ContextAt FindContext(VLanguageProxyV2& document, int target)
{
    using namespace html;
    const int length = document.TextLength();
    if (target > length)
        target = length;
    RegionSink sink;
    MarkupWindow window;
    Machine<RegionSink, Reach::Document> machine(document, sink, window);
    while (!machine.Cursor().done && machine.Cursor().Cursor() < target) {
        if (machine.Skip(target) > 0 && machine.Cursor().Cursor() >= target)
            break;
        machine.Step();
    }
    ContextAt at;
    at.regionStart = sink.regionStart;
    if (machine.state >= kScript && machine.state <= kScriptDoubleQuoted)
        at.context = HtmlContext::JavaScript;
    else if (machine.state >= kPhp && machine.state <= kPhpDoubleQuoted)
        at.context = HtmlContext::Php;
    return at;
}
