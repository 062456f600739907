// The words and labels of the Java function scanner.
#pragma once

#include <string_view>

constexpr std::string_view kJavaClass = "class";
constexpr std::string_view kJavaInterface = "interface";

// Labels of the function list: a declaration's label is its kind's prefix and its full
// dotted name; a method's is the full name of its class, this separator and its name.
constexpr const char kJavaClassLabel[] = "class ";
constexpr const char kJavaInterfaceLabel[] = "interface ";
constexpr const char kJavaNameSeparator[] = ".";
