// A folder of files for one test, under the test's temporary folder.
#pragma once

#include "file_system.h"

#include <gtest/gtest.h>

#include <string>
#if defined(_WIN32)
#include <direct.h>
#else
#include <sys/stat.h>
#endif

namespace varnel::test {

class SiteFolder {
public:
    // A fresh folder named after the running test, with `extra` put after that name.
    explicit SiteFolder(const std::string& extra = "")
    {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("site_") + test->test_suite_name() + "_" + test->name() + extra;
        for (char& c : name) {
            if (c == '/')
                c = '_';
        }
        root_ = JoinPath(::testing::TempDir(), name);
        MakeFolder(root_);
    }

    const std::string& Root() const { return root_; }
    // The full path of a file in the folder ("/"-separated relative path).
    std::string Path(const std::string& relative) const { return root_ + "/" + relative; }

    // The same with this platform's separators throughout, as the editor gives a path.
    std::string NativePath(const std::string& relative) const
    {
        std::string path = Path(relative);
#if defined(_WIN32)
        for (char& c : path) {
            if (c == '/')
                c = '\\';
        }
#endif
        return path;
    }

    void Write(const std::string& relative, const std::string& bytes) const
    {
        for (std::size_t slash = relative.find('/'); slash != std::string::npos; slash = relative.find('/', slash + 1))
            MakeFolder(Path(relative.substr(0, slash)));
        ASSERT_TRUE(WriteFile(Path(relative), bytes)) << Path(relative);
    }

private:
    static void MakeFolder(const std::string& path)
    {
#if defined(_WIN32)
        _mkdir(path.c_str());
#else
        mkdir(path.c_str(), 0755);
#endif
    }

    std::string root_;
};

} // namespace varnel::test
