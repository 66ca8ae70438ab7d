// The instance folder.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

#include "platform/sys/instance.h"
#include "tests/support/scoped.h"
#include "tests/support/test_instance.h"

namespace plat {
namespace {

using testsupport::ScopedEnv;
using testsupport::TestInstance;

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
}

TEST(InstanceTest, FolderIsPrivateAndNamedAfterTheInstance) {
  TestInstance instance;
  std::string dir = InstanceDir();
  EXPECT_EQ(dir, instance.runtimeDir() + "/tovsim/" + instance.name());
  EXPECT_TRUE(S_ISDIR(ModeOf(dir)));
  EXPECT_EQ(ModeOf(dir) & 0777, 0700u);
  EXPECT_EQ(ModeOf(instance.runtimeDir() + "/tovsim") & 0777, 0700u);
  EXPECT_EQ(InstanceDir(), dir) << "stable once made";
}

TEST(InstanceTest, DefaultNameAndFallbackWithoutRuntimeFolder) {
  ScopedEnv noInstance("TOVSIM_INSTANCE", std::nullopt);
  EXPECT_EQ(InstanceName(), "default");
  ScopedEnv noRuntime("XDG_RUNTIME_DIR", std::nullopt);
  // In memory, where the system has a tmpfs for it.
  struct stat shm {};
  const bool hasShm = stat("/dev/shm", &shm) == 0 && S_ISDIR(shm.st_mode);
  EXPECT_EQ(InstanceDir(), std::string(hasShm ? "/dev/shm" : "/tmp") + "/tovsim-" +
                               std::to_string(geteuid()) + "/default");
}

TEST(InstanceTest, UnsafeNamesAreRefused) {
  TestInstance instance;
  for (const char* bad : {"..", ".", "a/b", "a b", "../escape"}) {
    ScopedEnv name("TOVSIM_INSTANCE", std::string(bad));
    errno = 0;
    EXPECT_EQ(InstanceDir(), "") << bad;
    EXPECT_EQ(errno, EINVAL) << bad;
  }
}

TEST(InstanceTest, LooseModeIsTightenedAndForeignOrNonFolderIsRefused) {
  TestInstance instance;
  std::string dir = InstanceDir();
  ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
  EXPECT_EQ(InstanceDir(), dir);
  EXPECT_EQ(ModeOf(dir) & 0777, 0700u);

  if (geteuid() == 0) {  // only root can hand the folder to someone else
    ASSERT_EQ(chown(dir.c_str(), 54321, 54321), 0);
    errno = 0;
    EXPECT_EQ(InstanceDir(), "");
    EXPECT_EQ(errno, EACCES);
    ASSERT_EQ(chown(dir.c_str(), 0, 0), 0);
  }

  ASSERT_EQ(rmdir(dir.c_str()), 0);
  std::ofstream(dir) << "not a folder";
  errno = 0;
  EXPECT_EQ(InstanceDir(), "");
  EXPECT_EQ(errno, ENOTDIR);
}

}  // namespace
}  // namespace plat
