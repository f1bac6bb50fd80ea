// The daemon hosting's tune lock: one file lock per display, which the
// core takes and gives back, and the kernel gives back when a hack dies.
#include "ports/linux/hosting/hosting.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <memory>

namespace quimbel::linux_port {
namespace {

std::filesystem::path LockPath() {
  return std::filesystem::temp_directory_path() /
         ("quimbel-hosting-test-" + std::to_string(::getpid()) + ".lock");
}

TEST(DaemonHosting, OneHolderPerDisplayUntilItGivesTheLockBackOrEnds) {
  std::filesystem::path lock = LockPath();
  auto first = std::make_unique<DaemonHosting>(std::nullopt, lock);
  DaemonHosting second(platform::HostWindow{77, true, {}}, lock);
  EXPECT_EQ(second.HostedIn()->window, 77);
  EXPECT_FALSE(first->HostedIn().has_value());

  EXPECT_TRUE(first->TakeTuneLock());
  EXPECT_TRUE(first->TakeTuneLock()) << "taking it again keeps it";
  EXPECT_FALSE(second.TakeTuneLock());
  first->GiveTuneLock();
  EXPECT_TRUE(second.TakeTuneLock());
  EXPECT_FALSE(first->TakeTuneLock());
  second.GiveTuneLock();
  second.GiveTuneLock();  // giving back what is not held does nothing
  EXPECT_TRUE(first->TakeTuneLock());
  first.reset();  // the process ends holding it
  EXPECT_TRUE(second.TakeTuneLock());
  std::filesystem::remove(lock);
}

// A hack the daemon kills outright never gives the lock back itself.
TEST(DaemonHosting, TheLockOfAKilledHackComesFree) {
  std::filesystem::path lock = LockPath();
  // Made before the fork: the child only takes the lock, which allocates nothing.
  DaemonHosting hack(std::nullopt, lock);
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    char taken = hack.TakeTuneLock() ? 'y' : 'n';
    (void)!::write(ready[1], &taken, 1);
    ::pause();
    ::_exit(0);
  }
  char taken = 0;
  ASSERT_EQ(::read(ready[0], &taken, 1), 1);
  EXPECT_EQ(taken, 'y');
  DaemonHosting next(std::nullopt, lock);
  EXPECT_FALSE(next.TakeTuneLock());
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  EXPECT_TRUE(next.TakeTuneLock());
  ::close(ready[0]);
  ::close(ready[1]);
  std::filesystem::remove(lock);
}

TEST(DaemonHosting, WithoutALockFileNoHackEverPlays) {
  DaemonHosting hosting(std::nullopt, "/nonexistent-dir/quimbel.lock");
  EXPECT_FALSE(hosting.TakeTuneLock());
  EXPECT_FALSE(hosting.TakeTuneLock());
}

TEST(DaemonHosting, LockFilesAreNamedPerDisplay) {
  std::string a = DaemonHosting::LockFileFor(":0").filename().string();
  std::string b = DaemonHosting::LockFileFor(":1").filename().string();
  std::string c = DaemonHosting::LockFileFor("host/x:0.0").filename().string();
  EXPECT_NE(a, b);
  EXPECT_EQ(c.find('/'), std::string::npos);
  // The daemon's hacks see ":0.0" where a preview started by hand sees ":0".
  EXPECT_EQ(DaemonHosting::LockFileFor(":0.0").filename().string(), a);
  EXPECT_EQ(DaemonHosting::LockFileFor("host/x:0").filename().string(), c);
}

}  // namespace
}  // namespace quimbel::linux_port
