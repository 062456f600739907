// `varnel tool NAME FILE [--selection START LENGTH] [--stdout]`: runs a tool extension
// on a file, as the editor runs it on the active document.
#pragma once

#include <istream>
#include <ostream>
#include <string>

namespace varnel {

struct ToolCommand {
    std::string modules;  // the folder that holds Extensions/
    std::string name;     // the extension: "Dunetool"
    std::string file;     // "-": a never-saved document read from standard input
    bool hasSelection = false;
    int selectionStart = 0;
    int selectionLength = 0;
    bool toStdout = false; // print the result instead of writing the file
};

// Runs the extension on the file and writes the result back in place (or to `out` with
// toStdout, and always for "-"). A non-zero code from Perform is reported on `err` and
// leaves the file unchanged. Answers 0 done, 1 failed. The document of "-" is read
// from `in`.
int RunToolCommand(const ToolCommand& options, std::istream& in, std::ostream& out, std::ostream& err);

// The path an extension is told for `file`: absolute, with its links as given.
std::string ToolFilePath(const std::string& file);

// The tool extensions found in the folder, one per line after a heading.
void WriteToolList(std::ostream& out, const std::string& extensionsFolder);

} // namespace varnel
