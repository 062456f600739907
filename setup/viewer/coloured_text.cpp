#include "coloured_text.h"

#include "document.h"
#include "file_system.h"
#include "language.h"
#include "plugin_loader.h"

#include <windows.h>

namespace varnel::viewer {

namespace {

std::wstring Widen(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    // Text that is not UTF-8 is shown in the system's code page.
    UINT codePage = CP_UTF8;
    int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length == 0) {
        codePage = CP_ACP;
        length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0, bytes.data(), size, wide.data(),
                        length);
    return wide;
}

unsigned long StyleColour(const StyleTable& styles, int style)
{
    const int number = styles.Clamp(style);
    if (number == 0 || !styles.At(number).attributes)
        return 0;
    const StyleAttributes& a = *styles.At(number).attributes;
    return RGB(a.red, a.green, a.blue);
}

} // namespace

ColouredText ColourFile(const std::string& bytes, const std::string& fileName, const std::string& modulesFolder,
                        const std::string& settingsFolder)
{
    ColouredText result;
    const PluginSet plugins = LoadLanguagePlugins(LanguagesFolder(modulesFolder));
    const LanguagePlugin* plugin = FindLanguageForFile(plugins, fileName);
    Document document(bytes);
    Language language;
    if (plugin) {
        language = PrepareLanguage(*plugin, settingsFolder);
        document.StyleAll(language.MakeStyler());
        result.languageName = plugin->name;
    }

    for (int line = 0; line < document.LineCount(); ++line) {
        std::string_view content = document.LineContent(line);
        if (!content.empty() && content.back() == '\r')
            content.remove_suffix(1);
        if (line > 0)
            result.text += L'\r';
        const int lineStart = static_cast<int>(result.text.size());
        const std::vector<StyleRun>& runs = plugin ? document.Runs(line) : std::vector<StyleRun>{};
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const int from = std::max(0, std::min(runs[i].start, static_cast<int>(content.size())));
            const int to = i + 1 < runs.size()
                               ? std::max(from, std::min(runs[i + 1].start, static_cast<int>(content.size())))
                               : static_cast<int>(content.size());
            // Byte offsets become UTF-16 offsets by widening the bytes before them.
            const int start = lineStart + static_cast<int>(Widen(content.substr(0, from)).size());
            const int length = static_cast<int>(Widen(content.substr(from, to - from)).size());
            const unsigned long colour = StyleColour(language.styles, runs[i].style);
            if (length > 0 && colour != 0)
                result.spans.push_back({start, length, colour});
        }
        result.text += Widen(content);
    }
    return result;
}

} // namespace varnel::viewer
