// The words and labels of the Python function scanner.
#pragma once

constexpr const char kPythonFrom[] = "from";
constexpr int kPythonFromLength = 4;
constexpr const char kPythonImport[] = "import";
constexpr int kPythonImportLength = 6;
constexpr const char kPythonAs[] = "as";
constexpr int kPythonAsLength = 2;
constexpr const char kPythonDef[] = "def";
constexpr int kPythonDefLength = 3;
constexpr const char kPythonClass[] = "class";
constexpr int kPythonClassLength = 5;

constexpr const char kPythonClassLabel[] = "class: ";
// Appended to a module's name to make the include list's file name.
constexpr const char kPythonModuleSuffix[] = ".py";
