#include "streamed_styling.h"

namespace varnel {

namespace {

void NoteRefusals(const HostProxy& proxy, long long line, std::vector<std::string>* refusals)
{
    for (const std::string& message : proxy.Errors()) {
        if (refusals->size() >= Document::kMaxRefusals)
            return;
        refusals->push_back("line " + std::to_string(line + 1) + ": " + message);
    }
}

} // namespace

bool StyleStream(LineReader& reader, const Styler& styler, StreamedLineSink& sink,
                 std::vector<std::string>* refusals)
{
    ReadLine line;
    if (styler.styleLine == nullptr) {
        while (reader.Next(&line))
            sink.StyledLine(line, 0, RunView{&kDefaultRun, 1});
        return !reader.Failed();
    }
    // One proxy for the whole pass; it reads each line where it lies in the reader's
    // buffer and edits a copy of its own.
    const KeywordMatcher& matcher = styler.Matcher();
    HostProxy proxy(std::string_view(), matcher, styler.styleCount, ProxyPurpose::Styling);
    short state = 0;
    while (reader.Next(&line)) {
        proxy.Present(line.BufferLine());
        styler.styleLine(proxy, &state);
        if (!proxy.Errors().empty())
            NoteRefusals(proxy, line.number, refusals);
        sink.StyledLine(line, state, proxy.Runs());
    }
    return !reader.Failed();
}

} // namespace varnel
