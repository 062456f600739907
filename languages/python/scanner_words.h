// The words and labels of the Python function scanner.
#pragma once

#include <string_view>

constexpr std::string_view kPythonFrom = "from";
constexpr std::string_view kPythonImport = "import";
constexpr std::string_view kPythonAs = "as";
constexpr std::string_view kPythonDef = "def";
constexpr std::string_view kPythonClass = "class";

constexpr const char kPythonClassLabel[] = "class: ";
// Appended to a module's name to make the include list's file name.
constexpr const char kPythonModuleSuffix[] = ".py";
