// A folder of a test's own under the system's temporary folder, removed with
// everything in it when the test ends.
#pragma once

#include "file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#if defined(_WIN32)
#include <process.h>
#define VARNEL_TEST_PROCESS_ID _getpid()
#else
#include <unistd.h>
#define VARNEL_TEST_PROCESS_ID getpid()
#endif

namespace varnel::test {

class ScratchFolder {
public:
    // Named for the running test and process, so that tests run side by side never
    // share one.
    ScratchFolder()
    {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("varnel-") + test->test_suite_name() + "-" + test->name() + "-" +
                           std::to_string(VARNEL_TEST_PROCESS_ID);
        for (char& c : name) {
            if (c == '/')
                c = '_';
        }
        path_ = JoinPath(::testing::TempDir(), name);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return JoinPath(path_, name); }

private:
    std::string path_;
};

} // namespace varnel::test
