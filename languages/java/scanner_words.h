// The words and labels of the Java function scanner.
#pragma once

constexpr const char kJavaClass[] = "class";
constexpr int kJavaClassLength = 5;
constexpr const char kJavaInterface[] = "interface";
constexpr int kJavaInterfaceLength = 9;

// Labels of the function list: a declaration's label is its kind's prefix and its full
// dotted name; a method's is the full name of its class, this separator and its name.
constexpr const char kJavaClassLabel[] = "class ";
constexpr const char kJavaInterfaceLabel[] = "interface ";
constexpr const char kJavaNameSeparator[] = ".";
