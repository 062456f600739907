// The host's language proxy: presents one text (a line or a whole document) to a
// plug-in call and collects what the plug-in reports.
#pragma once

#include "keyword_matcher.h"
#include "language_proxy.h"

#include <climits>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace varnel {

struct StyleRun {
    int start;
    int style;
    bool operator==(const StyleRun& other) const { return start == other.start && style == other.style; }
};

// Style runs where they are kept (valid until their keeper changes them).
struct RunView {
    const StyleRun* data = nullptr;
    std::size_t count = 0;

    const StyleRun* begin() const { return data; }
    const StyleRun* end() const { return data + count; }
    std::size_t size() const { return count; }
    bool empty() const { return count == 0; }
    const StyleRun& operator[](std::size_t i) const { return data[i]; }
    const StyleRun& front() const { return data[0]; }
    const StyleRun& back() const { return data[count - 1]; }
    // A copy of the runs, for callers that keep them.
    operator std::vector<StyleRun>() const { return std::vector<StyleRun>(begin(), end()); }
};

bool operator==(RunView a, RunView b);
inline bool operator==(RunView a, const std::vector<StyleRun>& b)
{
    return a == RunView{b.data(), b.size()};
}

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
//
// A proxy presents either a string it edits in place, or a read-only view that it copies
// on the first edit, so reading never copies the text. One proxy may serve a whole pass
// over a document's lines: Present() hands it the next line with no runs and no errors.
class HostProxy final : public VLanguageProxyV2 {
public:
    static constexpr int kMaxRuns = 99;

    // The proxy edits `text` in place; matcher and text must outlive it.
    HostProxy(std::string& text, const KeywordMatcher& matcher, int styleCount,
              ProxyPurpose purpose, ListPreferences preferences = {});
    // The proxy reads `text` where it lies and edits a copy of its own; matcher and
    // text must outlive it.
    HostProxy(std::string_view text, const KeywordMatcher& matcher, int styleCount,
              ProxyPurpose purpose, ListPreferences preferences = {});

    HostProxy(const HostProxy&) = delete;
    HostProxy& operator=(const HostProxy&) = delete;

    // Presents `text` (read where it lies, copied on the first edit) for the next call,
    // with no runs and no refused calls; lists of functions and includes stay. The runs
    // are written to `runStore`, room for kMaxRuns of them that the caller keeps, or
    // when it is null to the proxy's own.
    // Inline: a styling pass presents every line.
    void Present(std::string_view text, StyleRun* runStore = nullptr)
    {
        runs_ = runStore != nullptr ? runStore : ownRuns_;
        runEnd_ = runs_;
        runLimit_ = runs_ + kMaxRuns;
        edited_ = nullptr;
        TextChanged(text.data(), text.size());
        lastStart_ = kNoRun;
        lastStyle_ = kNoRun;
        if (!errors_.empty())
            errors_.clear();
    }
    // The text as the plug-in left it.
    std::string_view Text() const { return std::string_view(data_, size_); }

    int KeywordStep(int ch, int state) override { return matcher_.Step(ch, state); }
    int KeywordSets(int state) override { return matcher_.Sets(state); }
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

    // The runs of the presented text so far, at most kMaxRuns, where Present said.
    RunView Runs() const { return RunView{runs_, static_cast<std::size_t>(runEnd_ - runs_)}; }
    const std::vector<FunctionEntry>& Functions() const { return functions_; }
    const std::vector<IncludeEntry>& Includes() const { return includes_; }
    // The lists, handed over: the proxy's are empty after this.
    std::vector<FunctionEntry> TakeFunctions() { return std::move(functions_); }
    std::vector<IncludeEntry> TakeIncludes();
    // Calls the host refused (list entries on a proxy not made for a function scan,
    // or bad arguments), as messages; the calls themselves had no effect.
    const std::vector<std::string>& Errors() const { return errors_; }

private:
    // Records a refused call; never throws.
    void Refuse(const char* message) noexcept;
    // The text's length as an offset (texts beyond INT_MAX bytes show their first part).
    int Length() const { return length_; }
    // The string edits go to; a presented view is copied into one the first time.
    std::string& Editable();
    // Notes where the text is and how long it is, after it was presented or edited.
    void TextChanged(const char* data, std::size_t size)
    {
        data_ = data;
        size_ = size;
        length_ = static_cast<int>(size < static_cast<std::size_t>(INT_MAX) ? size : static_cast<std::size_t>(INT_MAX));
    }
    // The code point starting at offset; 0 outside the text.
    int CharacterAt(int offset) const;
    // NextChar for every case but ASCII between ASCII, kept apart so that the common
    // case stays short.
#if defined(__GNUC__)
    __attribute__((noinline))
#endif
    int StepOverCharacter(int* offset);

    std::string* edited_;  // the string that holds the text, once it is editable
    std::string copy_;     // a presented view's text after its first edit
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    int length_ = 0;
    const KeywordMatcher& matcher_;
    int styleCount_;
    ProxyPurpose purpose_;
    ListPreferences preferences_;
    StyleRun ownRuns_[kMaxRuns];
    StyleRun* runs_ = ownRuns_;
    StyleRun* runEnd_ = ownRuns_; // past the last run
    StyleRun* runLimit_ = ownRuns_ + kMaxRuns;
    // The start and style of the last run; kNoRun, which no int equals, while there is
    // none.
    static constexpr long long kNoRun = static_cast<long long>(INT_MIN) - 1;
    long long lastStart_ = kNoRun;
    long long lastStyle_ = kNoRun;
    std::vector<FunctionEntry> functions_;
    std::vector<IncludeEntry> includes_;
    std::unordered_set<std::string> includeKeys_; // label and name of every include listed
    std::vector<std::string> errors_;
};

} // namespace varnel
