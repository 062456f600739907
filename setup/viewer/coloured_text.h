// A file coloured by the language plug-in that claims it, ready for a text window.
#pragma once

#include <string>
#include <vector>

namespace varnel::viewer {

struct ColourSpan {
    int start;  // in UTF-16 units of `text`
    int length;
    unsigned long colour; // 0x00bbggrr
};

struct ColouredText {
    std::wstring text;              // lines separated by "\r"
    std::vector<ColourSpan> spans;  // in text order; text outside them is default-coloured
    std::string languageName;       // empty when no plug-in claims the file
};

// Colours `bytes` (the file's content) with the plug-in from `modulesFolder`\Languages
// whose patterns match `fileName`, using keyword files from `settingsFolder`.
ColouredText ColourFile(const std::string& bytes, const std::string& fileName, const std::string& modulesFolder,
                        const std::string& settingsFolder);

} // namespace varnel::viewer
