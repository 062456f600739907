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

// Scans the document as a host whose user set the function-list preferences so.
inline ScanResult Scan(const std::string& module, const std::string& document, ListPreferences preferences = {})
{
    ScanResult result;
    const LanguagePlugin& plugin = Module(module);
    EXPECT_NE(plugin.scanForFunctions, nullptr) << module;
    if (plugin.scanForFunctions == nullptr)
        return result;
    std::string text = document;
    const KeywordMatcher matcher(plugin.defaultKeywords);
    HostProxy proxy(text, matcher, 0, ProxyPurpose::FunctionScan, preferences);
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

// The offset of the first occurrence of `anchor` in the text, `skip` bytes on.
inline int OffsetOf(const std::string& text, const std::string& anchor, int skip = 0)
{
    const std::size_t at = text.find(anchor);
    EXPECT_NE(at, std::string::npos) << "no \"" << anchor << "\" in the text";
    return at == std::string::npos ? -1 : static_cast<int>(at) + skip;
}

// Which of the user's preferences an entry is listed under: any, or only when the user
// wants prototypes, or types, listed.
enum class ListedWith { Any, Prototypes, Types };

// An entry as a test expects it, its offset named by a piece of text.
struct ExpectedEntry {
    const char* label;
    const char* name;
    const char* at; // the entry's offset is where this text first starts
    bool prototype = false;
    ListedWith listed = ListedWith::Any;
};

inline bool Listed(ListedWith listed, const ListPreferences& preferences)
{
    switch (listed) {
    case ListedWith::Any: return true;
    case ListedWith::Prototypes: return preferences.showPrototypes;
    case ListedWith::Types: return preferences.showTypes;
    }
    return false;
}

// The entries a scan must report under the given preferences.
inline std::vector<Entry> Expect(const std::string& source, const std::vector<ExpectedEntry>& expected,
                                 const ListPreferences& preferences = {})
{
    std::vector<Entry> entries;
    for (const ExpectedEntry& e : expected) {
        if (Listed(e.listed, preferences))
            entries.push_back({e.label, e.name, OffsetOf(source, e.at), e.prototype});
    }
    return entries;
}

// The includes a scan must report under the given preferences.
inline std::vector<Include> ExpectIncludes(const std::vector<Include>& expected, const ListPreferences& preferences)
{
    return preferences.showIncludes ? expected : std::vector<Include>{};
}

// The eight settings of the three preferences.
inline std::vector<ListPreferences> EveryPreferenceSetting()
{
    std::vector<ListPreferences> settings;
    for (int bits = 0; bits < 8; ++bits)
        settings.push_back({(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0});
    return settings;
}

inline std::string Describe(const ListPreferences& preferences)
{
    return std::string(preferences.showIncludes ? "includes" : "no includes") +
           (preferences.showPrototypes ? ", prototypes" : ", no prototypes") +
           (preferences.showTypes ? ", types" : ", no types");
}

} // namespace varnel::test
