// What each language module must export, as the product defines it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace varnel::test {

struct ExpectedStyle {
    const char* name;
    const char* colour;
};

struct ExpectedLanguage {
    const char* module;
    const char* name;
    const char* extensions;
    const char* keywordFile;
    std::vector<ExpectedStyle> styles;
    std::vector<std::string> services; // exported functions beside GetDataAddress
    std::vector<int> wordsPerSet;      // words of the default keyword text, set by set
};

inline void PrintTo(const ExpectedLanguage& language, std::ostream* out)
{
    *out << language.module;
}

inline const std::vector<ExpectedLanguage>& ExpectedLanguages()
{
    static const std::vector<std::string> kLineComments = {"CommentLine", "UncommentLine"};
    static const std::vector<std::string> kBalanceAndLineComments = {"Balance", "CommentLine", "UncommentLine"};
    static const std::vector<std::string> kStyledBalanceAndLineComments = {"StyleLine", "Balance", "CommentLine", "UncommentLine"};
    static const std::vector<ExpectedLanguage> languages = {
        {"Amberlex", "HTML", "*.htm*;*.php*", "keywords.html",
         {{"HTML Keyword", "#3d4c9e"}, {"HTML Attribute", "#1e843b"}, {"JavaScript Keyword", "#3d4c9e"},
          {"PHP3 Keyword", "#3d4c9e"}, {"Comments", "#9b2e35"}, {"Strings", "#666666"},
          {"Special Character", "#ad6739"}, {"Tag", "#666666"}, {"Tag String", "#666666"},
          {"PHP3 Function", "#3d4c9e"}, {"PHP Variable", "#005454"}, {"user1", "#756719"},
          {"user2", "#756719"}, {"user3", "#756719"}},
         {"StyleLine", "ScanForFunctions", "Balance", "CommentSelection", "UncommentSelection"},
         {91, 119, 62, 50, 944, 0, 0, 0}},
        {"Larchlex", "XML", "*.xml", "keywords.xml",
         {{"XML Keyword", "#3d4c9e"}, {"XML Attribute", "#1e843b"}, {"Comments", "#9b2e35"},
          {"Strings", "#666666"}, {"Special Character", "#ad6739"}, {"Tag", "#666666"},
          {"Tag String", "#666666"}, {"user tag 1", "#756719"}, {"user data 1", "#6D663F"},
          {"user tag 2", "#756719"}, {"user data 2", "#6D663F"}, {"user tag 3", "#756719"},
          {"user data 3", "#6D663F"}, {"user tag 4", "#756719"}, {"user data 4", "#6D663F"},
          {"user tag 5", "#756719"}, {"user data 5", "#6D663F"}, {"user tag 6", "#756719"},
          {"user data 6", "#6D663F"}},
         {"StyleLine", "Balance", "CommentSelection", "UncommentSelection"}, {0, 0, 0, 0, 0}},
        {"Birchlex", "Java", "*.java", "keywords.java",
         {{"keywords", "#3d4c9e"}, {"char constants", "#ad6739"}, {"comments", "#9b2e35"},
          {"strings", "#666666"}, {"user1", "#756719"}, {"user2", "#756719"}, {"user3", "#756719"},
          {"user4", "#756719"}},
         {"StyleLine", "ScanForFunctions", "Balance", "CommentLine", "UncommentLine"}, {51, 0, 0, 0, 0}},
        {"Ivylex", "ActionScript", "*.as", "keywords.as",
         {{"keywords", "#3d4c9e"}, {"comments", "#9b2e35"}, {"strings", "#666666"},
          {"identifiers", "#3d4c9e"}, {"objects", "#31917a"}, {"properties", "#3d4c9e"},
          {"functions", "#1e843b"}, {"deprecated", "#ad6739"}, {"user1", "#756719"},
          {"user2", "#756719"}},
         kStyledBalanceAndLineComments, {33, 360, 31, 22, 0, 26, 0, 0, 0, 0}},
        {"Hazellex", "Shell", "*.sh;*.mak*;*.mk;makefile*", "keywords.sh",
         {{"keywords", "#3d4c9e"}, {"comments", "#9b2e35"}, {"strings", "#666666"},
          {"user1", "#756719"}, {"user2", "#756719"}, {"user3", "#756719"}, {"user4", "#756719"}},
         kStyledBalanceAndLineComments, {15, 0, 0, 0, 0}},
        {"Juniperlex", "Python", "*.py", "keywords.py",
         {{"keywords", "#3d4c9e"}, {"comments", "#9b2e35"}, {"strings", "#666666"},
          {"user1", "#756719"}, {"user2", "#756719"}, {"user3", "#756719"}, {"user4", "#756719"}},
         {"StyleLine", "ScanForFunctions", "CommentLine", "UncommentLine"}, {29, 59, 0, 0, 0, 0}},
        {"Cedarlex", "Pascal", "*.p;*.pas", "keywords.pas",
         {{"Keywords", "#3d4c9e"}, {"Comments", "#9b2e35"}, {"Strings", "#666666"},
          {"User1", "#756719"}, {"User2", "#756719"}, {"User3", "#756719"}, {"User4", "#756719"}},
         {"StyleLine", "ScanForFunctions", "Balance", "CommentLine", "UncommentLine"}, {56}},
        {"Kelplex", "Oberon-2", "*.ob2;*.mod", "keywords.ob2",
         {{"Keywords", "#3d4c9e"}, {"Comments", "#9b2e35"}, {"Strings", "#666666"},
          {"Sets", "#ad6739"}, {"User1", "#756719"}, {"User2", "#756719"}, {"User3", "#756719"},
          {"User4", "#756719"}},
         {"StyleLine", "ScanForFunctions", "Balance", "CommentLine", "UncommentLine"}, {63}},
        {"Elmlex", "Rez", "*.r;*.rez", "keywords.rez",
         {{"Keywords", "#3d4c9e"}, {"Char Constants", "#ad6739"}, {"Comments", "#9b2e35"},
          {"Strings", "#666666"}, {"Rez Functions", "#756719"}, {"User1", "#756719"},
          {"User2", "#756719"}, {"User3", "#756719"}, {"User4", "#756719"}},
         {"StyleLine", "ScanForFunctions", "Balance", "CommentLine", "UncommentLine"}, {50, 25, 0, 0, 0, 0}},
        {"Firlex", "TeX", "*.tex", "keywords.tex",
         {{"Keywords", "#3d4c9e"}, {"Special Characters", "#ad6739"}, {"Comments", "#9b2e35"},
          {"Math", "#666666"}, {"User1", "#756719"}, {"User2", "#756719"}, {"User3", "#756719"},
          {"User4", "#756719"}},
         {"StyleLine", "ScanForFunctions", "Balance", "CommentLine", "UncommentLine"}, {0, 3, 2, 7, 0}},
    };
    return languages;
}

} // namespace varnel::test
