// The refreshed sample site's pages hold the clock and the site's own folder; these
// are masked before they are compared with tests/data/site-refreshed/.
#pragma once

#include <regex>
#include <string>

namespace varnel::test {

// `siteUrl` is the site's folder as "$file$" shows it, with its final "/".
inline std::string MaskStamp(const std::string& text, const std::string& siteUrl)
{
    std::string masked = text;
    for (std::size_t at = masked.find(siteUrl); at != std::string::npos; at = masked.find(siteUrl, at))
        masked.replace(at, siteUrl.size(), "SITE/");
    masked = std::regex_replace(masked, std::regex("[A-Z][a-z]+day [A-Z][a-z]+ [0-3][0-9] [0-9]{4}"), "DATE");
    return std::regex_replace(masked, std::regex("[0-2][0-9]:[0-5][0-9]:[0-6][0-9]"), "TIME");
}

} // namespace varnel::test
