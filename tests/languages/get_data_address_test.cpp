// GetDataAddress answers exactly the five data names, in every module.
#include "expected_languages.h"
#include "module_set.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

class DataLookup : public ::testing::TestWithParam<ExpectedLanguage> {};

TEST_P(DataLookup, FiveNamesGiveTheExportedData)
{
    const LanguagePlugin& plugin = Module(GetParam().module);
    ASSERT_NE(plugin.getDataAddress, nullptr);
    ASSERT_NE(plugin.library, nullptr);
    for (const char* name : {"kLanguageName", "kLanguageExtensions", "kLanguageKeywordFile",
                             "kLanguageKeywords", "kLanguageStyles"}) {
        const void* address = plugin.getDataAddress(name);
        EXPECT_NE(address, nullptr) << name;
        // The same object the module exports under that name.
        EXPECT_EQ(address, plugin.library->Symbol(name)) << name;
    }
    EXPECT_EQ(plugin.getDataAddress("kLanguageKeywords"), static_cast<const void*>(plugin.defaultKeywords));
    EXPECT_NE(plugin.getDataAddress("kLanguageKeywords"), plugin.getDataAddress("kLanguageKeywordFile"));
}

TEST_P(DataLookup, AnyOtherNameGivesNull)
{
    const LanguagePlugin& plugin = Module(GetParam().module);
    ASSERT_NE(plugin.getDataAddress, nullptr);
    for (const char* name : {"kLanguageKeyword", "kLanguageKeywordsX", "kLanguageName ", "klanguagename",
                             "KLANGUAGESTYLES", "kLanguage", "", "GetDataAddress", "StyleLine",
                             "kLanguageStyle", "kLanguageNam"}) {
        EXPECT_EQ(plugin.getDataAddress(name), nullptr) << '"' << name << '"';
    }
    EXPECT_EQ(plugin.getDataAddress(nullptr), nullptr);
}

INSTANTIATE_TEST_SUITE_P(EveryModule, DataLookup, ::testing::ValuesIn(ExpectedLanguages()),
                         [](const auto& info) { return std::string(info.param.module); });

} // namespace
} // namespace varnel::test
