// Files changed in place by varnel, run as a program: what a plain save would refuse is
// refused, the owner stays, and long names can be saved.
#include "extensions/include_updater/site_folder.h"
#include "file_system.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#if !defined(_WIN32)
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace varnel {
namespace {

#if !defined(_WIN32)

constexpr uid_t kNobody = 65534;

// Runs `varnel ARGUMENTS` in the folder, as the user nobody when asked (for tests run
// as root); answers the exit status.
int Varnel(const test::SiteFolder& folder, const std::string& arguments, bool asNobody = false)
{
    const std::string as = asNobody ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const std::string command = "cd '" + folder.Root() + "' && " + as + "'" + JoinPath(ExecutableFolder(), "varnel") +
                                "' " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(InPlaceWrite, FileTheUserMayNotWriteIsRefused)
{
    const test::SiteFolder site;
    site.Write("locked.sh", "echo hi\n");
    ASSERT_EQ(chmod(site.Path("locked.sh").c_str(), 0444), 0);
    // The folder itself may be written: a rename would get past the file's own permission.
    ASSERT_EQ(chmod(site.Root().c_str(), 0777), 0);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown(site.Path("locked.sh").c_str(), kNobody, kNobody), 0);
    }
    EXPECT_EQ(Varnel(site, "comment locked.sh 1 1", root), 1);
    EXPECT_EQ(ReadFile(site.Path("locked.sh")), "echo hi\n");
    struct stat info;
    ASSERT_EQ(stat(site.Path("locked.sh").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0444u);
}

TEST(InPlaceWrite, OwnerAndGroupStay)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only the superuser can write another user's file here";
    const test::SiteFolder site;
    site.Write("theirs.sh", "echo hi\n");
    ASSERT_EQ(chown(site.Path("theirs.sh").c_str(), kNobody, kNobody), 0);
    EXPECT_EQ(Varnel(site, "comment theirs.sh 1 1"), 0);
    EXPECT_EQ(ReadFile(site.Path("theirs.sh")), "#echo hi\n");
    struct stat info;
    ASSERT_EQ(stat(site.Path("theirs.sh").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, kNobody);
    EXPECT_EQ(info.st_gid, static_cast<gid_t>(kNobody));
}

TEST(InPlaceWrite, NamesNearTheLongestAllowedAreSaved)
{
    const test::SiteFolder site;
    const long longest = pathconf(site.Root().c_str(), _PC_NAME_MAX);
    ASSERT_GT(longest, 10);
    const std::string name = std::string(static_cast<std::size_t>(longest) - 3, 'n') + ".sh";
    site.Write(name, "echo hi\n");
    EXPECT_EQ(Varnel(site, "comment " + name + " 1 1"), 0);
    EXPECT_EQ(ReadFile(site.Path(name)), "#echo hi\n");
}

#endif

} // namespace
} // namespace varnel
