#include "path_routines.h"

#include <deque>

namespace varnel::tool {

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool StartsWith(const std::string& text, std::size_t at, const char* prefix)
{
    return text.compare(at, std::char_traits<char>::length(prefix), prefix) == 0;
}

// The path begins with a drive: a letter and a colon at `at`.
bool HasDriveAt(const std::string& path, std::size_t at)
{
    return path.size() >= at + 2 && IsAsciiLetter(path[at]) && path[at + 1] == ':';
}

} // namespace

std::string NormalizePath(const std::string& path)
{
    const std::size_t length = path.size();
    std::deque<std::size_t> starts{0}; // start offsets of the surviving segments
    int parentSteps = 0;               // "../" with no segment left to consume: negative
    std::size_t i = 0;

    auto markSegmentStart = [&](std::size_t at) {
        if (starts.empty())
            starts.push_back(at);
        else
            starts.back() = at;
    };

    while (i < length) {
        while (i < length && path[i] == '/') {
            ++i;
            markSegmentStart(i);
        }
        if (StartsWith(path, i, "../")) {
            if (!starts.empty())
                starts.pop_back();
            if (starts.empty())
                --parentSteps;
            i += 2; // the next pass skips the "/" and restarts the segment before ".."
        } else if (StartsWith(path, i, "./")) {
            ++i;
            markSegmentStart(i);
        } else {
            const std::size_t slash = path.find('/', i);
            if (slash == std::string::npos)
                break;
            i = slash + 1;
            starts.push_back(i);
        }
    }

    std::string result = !starts.empty() && starts.back() == length ? "/" : "";
    bool placed = false;
    while (!starts.empty()) {
        const std::size_t start = starts.back();
        starts.pop_back();
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = length;
        if (end == start)
            continue;
        const std::string segment = path.substr(start, end - start);
        result = placed ? segment + "/" + result : segment + result;
        placed = true;
    }
    if (parentSteps < 0) {
        // Every "../" ends in its own "/": a result that is only the final "/" adds none.
        if (result == "/")
            result.clear();
        std::string prefix;
        for (int step = parentSteps; step < 0; ++step)
            prefix += "../";
        result = prefix + result;
    } else if (!path.empty() && path[0] == '/' && (result.empty() || result[0] != '/')) {
        result = "/" + result;
    }
    return result;
}

std::string ToURLPath(const std::string& path)
{
    std::string converted = HasDriveAt(path, 0) ? "/" + path : path;
    for (char& c : converted) {
        if (c == '\\')
            c = '/';
    }
    return NormalizePath(converted);
}

std::string ToWindowsPath(const std::string& path)
{
    std::string converted = NormalizePath(path);
    if (converted.size() >= 3 && converted[0] == '/' && HasDriveAt(converted, 1)) {
        converted.erase(0, 1);
        if (converted.size() >= 3 && converted[2] != '/')
            converted.insert(2, "/");
    }
    for (char& c : converted) {
        if (c == '/')
            c = '\\';
    }
    return converted;
}

} // namespace varnel::tool
