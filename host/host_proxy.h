// The host's language proxy: presents one text (a line or a whole document) to a
// plug-in call and collects what the plug-in reports.
#pragma once

#include "keyword_matcher.h"
#include "language_proxy.h"

#include <string>
#include <vector>

namespace varnel {

struct StyleRun {
    int start;
    int style;
    bool operator==(const StyleRun& other) const { return start == other.start && style == other.style; }
};

struct FunctionEntry {
    std::string label;
    std::string name;
    int offset = 0;
    bool prototype = false;
    bool separator = false; // an AddSeparator entry; the other fields are empty
};

struct IncludeEntry {
    std::string label;
    std::string name;
    bool flag = false;
};

struct ListPreferences {
    bool showIncludes = true;
    bool showPrototypes = true;
    bool showTypes = true;
};

// What the proxy is made for: only a function scan accepts list entries.
enum class ProxyPurpose { Styling, FunctionScan, Editing };

// Choices beyond what plug-ins rely on:
// - Null label or name strings in AddFunction/AddInclude count as "". AddInclude is
//   accepted on every proxy; AddFunction and AddSeparator only on a function scan.
// - InsertText with a null text, negative length or offset outside 0..TextLength(), and
//   DeleteText with a negative length or offset outside 0..TextLength(), change nothing
//   and are noted in Errors(); DeleteText clamps the length to the end of the text.
// - IsLetter is true for ASCII letters and for every code point from U+0080 to
//   U+10FFFF that IsSpace rejects; IsSpace knows the ASCII and Unicode white space.
// - CompareText answers -1 or 1 like strcmp; a text ending part-way through s is below.
// - FindPattern searches a pattern without operators (escaped punctuation allowed) as
//   plain text, and otherwise as an ECMAScript regular expression; a bad pattern finds
//   nothing and is noted in Errors(). Searching from TextLength() is allowed.
class HostProxy final : public VLanguageProxyV2 {
public:
    static constexpr int kMaxRuns = 99;

    // The proxy edits `text` in place; matcher and text must outlive it.
    HostProxy(std::string& text, const KeywordMatcher& matcher, int styleCount,
              ProxyPurpose purpose, ListPreferences preferences = {});

    int KeywordStep(int ch, int state) override;
    int KeywordSets(int state) override;
    char CharAt(int offset) override;
    int TextLength() override;
    int InsertText(int offset, const char* text, int length) override;
    void DeleteText(int offset, int length) override;
    void SetStyle(int offset, int style) override;
    void AddFunction(const char* label, const char* name, int offset, bool prototype) override;
    void AddInclude(const char* label, const char* name, bool flag) override;
    void AddSeparator() override;
    bool ShowIncludes() override;
    bool ShowPrototypes() override;
    bool ShowTypes() override;
    void DecodeUtf8(const char* bytes, int* codePoint, int* length) override;
    void CodePointAt(int offset, int* ch, int* length) override;
    bool IsLetter(int ch) override;
    bool IsLetterOrDigit(int ch) override;
    bool IsSpace(int ch) override;
    bool FindPattern(const char* pattern, int* offset, int* length) override;
    int NextChar(int* offset) override;
    int PrevChar(int* offset) override;
    int CompareText(int offset, const char* s, bool caseSensitive) override;
    int CopyText(int offset, int length, char* buffer, int size) override;

    const std::vector<StyleRun>& Runs() const { return runs_; }
    // Takes a vector whose memory the runs may use (its runs are dropped).
    void ReuseRunStorage(std::vector<StyleRun>&& storage);
    // The runs, handed over: the proxy has none after this.
    std::vector<StyleRun> TakeRuns() { return std::move(runs_); }
    const std::vector<FunctionEntry>& Functions() const { return functions_; }
    const std::vector<IncludeEntry>& Includes() const { return includes_; }
    // Calls the host refused (list entries on a proxy not made for a function scan,
    // or bad arguments), as messages; the calls themselves had no effect.
    const std::vector<std::string>& Errors() const { return errors_; }

private:
    // Records a refused call; never throws.
    void Refuse(const char* message) noexcept;
    // The text's length as an offset (texts beyond INT_MAX bytes show their first part).
    int Length() const;
    // Notes where the text is and how long it is, after it was made or edited.
    void TextChanged();
    // The code point starting at offset; 0 outside the text.
    int CharacterAt(int offset) const;

    std::string& text_;
    const char* data_ = nullptr;
    int length_ = 0;
    const KeywordMatcher& matcher_;
    int styleCount_;
    ProxyPurpose purpose_;
    ListPreferences preferences_;
    std::vector<StyleRun> runs_;
    std::vector<FunctionEntry> functions_;
    std::vector<IncludeEntry> includes_;
    std::vector<std::string> errors_;
};

} // namespace varnel
