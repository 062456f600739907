// Tables of styling cases for one module: whole documents styled line by line through
// the document model, and single lines styled from a given incoming state.
#pragma once

#include "host_proxy.h"
#include "language.h"
#include "module_set.h"
#include "style_table.h"
#include "styled_markup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel::test {

struct StyledDocumentCase {
    const char* name;
    const char* styled; // the document, with "{n}" where a run of style n must start
    std::vector<short> endStates;
};

// One line styled alone from `state`, as the host styles a line it colours again.
struct StyledLineCase {
    short state;
    const char* styled;
    short endState;
};

inline void ExpectStyledDocuments(const char* module, const std::vector<StyledDocumentCase>& cases)
{
    const Language language = PrepareLanguage(Module(module), "");
    ASSERT_NE(language.plugin->styleLine, nullptr) << module;
    for (const StyledDocumentCase& c : cases) {
        Document document(Unmarked(c.styled));
        document.StyleAll(language.MakeStyler());
        EXPECT_EQ(MarkDocument(document), c.styled) << c.name;
        EXPECT_EQ(EndStates(document), c.endStates) << c.name;
    }
}

inline void ExpectStyledLines(const char* module, const std::vector<StyledLineCase>& cases)
{
    const LanguagePlugin& plugin = Module(module);
    ASSERT_NE(plugin.styleLine, nullptr) << module;
    const KeywordMatcher keywords(plugin.defaultKeywords);
    const int styleCount = StyleTable::FromPairs(plugin.styles).Count();
    for (const StyledLineCase& c : cases) {
        std::string line = Unmarked(c.styled);
        HostProxy proxy(line, keywords, styleCount, ProxyPurpose::Styling);
        short state = c.state;
        plugin.styleLine(proxy, &state);
        EXPECT_EQ(MarkRuns(line, proxy.Runs()), c.styled) << "from state " << c.state;
        EXPECT_EQ(state, c.endState) << c.styled;
    }
}

} // namespace varnel::test
