// Running a plug-in's ScanForFunctions over a whole document through the host's proxy.
#pragma once

#include "host_proxy.h"
#include "module_set.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace varnel::test {

struct Entry {
    std::string label;
    std::string name;
    int offset;
    bool prototype;
    bool operator==(const Entry& o) const
    {
        return label == o.label && name == o.name && offset == o.offset && prototype == o.prototype;
    }
};

inline void PrintTo(const Entry& e, std::ostream* out)
{
    *out << "{\"" << e.label << "\", \"" << e.name << "\", " << e.offset << (e.prototype ? ", prototype}" : "}");
}

struct Include {
    std::string label;
    std::string name;
    bool operator==(const Include& o) const { return label == o.label && name == o.name; }
};

inline void PrintTo(const Include& i, std::ostream* out)
{
    *out << "{\"" << i.label << "\", \"" << i.name << "\"}";
}

struct ScanResult {
    std::vector<Entry> entries;
    std::vector<Include> includes;
};

inline ScanResult Scan(const std::string& module, const std::string& document)
{
    ScanResult result;
    const LanguagePlugin& plugin = Module(module);
    EXPECT_NE(plugin.scanForFunctions, nullptr) << module;
    if (plugin.scanForFunctions == nullptr)
        return result;
    std::string text = document;
    const KeywordMatcher matcher(plugin.defaultKeywords);
    HostProxy proxy(text, matcher, 0, ProxyPurpose::FunctionScan);
    plugin.scanForFunctions(proxy);
    EXPECT_EQ(text, document) << "the scan changed the document";
    EXPECT_TRUE(proxy.Errors().empty()) << proxy.Errors().front();
    for (const FunctionEntry& f : proxy.Functions()) {
        EXPECT_FALSE(f.separator);
        result.entries.push_back({f.label, f.name, f.offset, f.prototype});
    }
    for (const IncludeEntry& i : proxy.Includes()) {
        EXPECT_FALSE(i.flag);
        result.includes.push_back({i.label, i.name});
    }
    return result;
}

// The offset of the first occurrence of `anchor` in the text, `skip` characters on (the
// expected entries name their offsets by a piece of text that starts there).
inline int OffsetOf(const std::string& text, const std::string& anchor, int skip = 0)
{
    const std::size_t at = text.find(anchor);
    EXPECT_NE(at, std::string::npos) << "no \"" << anchor << "\" in the text";
    return at == std::string::npos ? -1 : static_cast<int>(at) + skip;
}

} // namespace varnel::test
