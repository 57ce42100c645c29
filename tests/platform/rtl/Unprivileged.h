// Runs a test body as a user whom permission bits stop. Root reads and
// writes every folder whatever its mode, so under root the body runs in a
// child process that has become "nobody"; its failures are reported there
// and its exit status tells the parent test.
#pragma once
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

namespace qel::test {

// False when the body could not be run (no way to drop root): skip then.
inline bool RunUnprivileged(const std::function<void()>& Body) {
  if (geteuid() != 0) {
    Body();
    return true;
  }
  std::fflush(stdout);
  pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(77);
    Body();
    std::fflush(stdout);
    _exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
    ADD_FAILURE() << "the unprivileged run did not end normally";
    return true;
  }
  if (WEXITSTATUS(status) == 77) return false;
  EXPECT_EQ(WEXITSTATUS(status), 0) << "failures of the unprivileged run are printed above";
  return true;
}

}  // namespace qel::test
