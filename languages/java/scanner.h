// The Java function scanner: classes, interfaces and methods for the function list.
#pragma once

#include "language_proxy.h"

#include <cstddef>
#include <string>
#include <vector>

// The full dotted names of the classes enclosing the scanner's position, innermost on
// top. Names grow with each level of nesting, so a full name stops growing at
// kMaxBytes: deeper classes then carry the name of the deepest one that still fit.
class ClassNameStack {
public:
    static constexpr std::size_t kMaxBytes = 1024;

    void Clear();
    bool Empty() const { return below_.empty(); }
    const std::string& Top() const { return top_; }
    void Push(const char* name);
    void Pop();

private:
    std::string top_;
    std::vector<std::size_t> below_; // per entry, the length of the full name under it
};

// The stack the scans of this process share; every scan empties it first.
ClassNameStack& JavaClassNames();

void ScanJavaFunctions(VLanguageProxy& document);
