#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "toolkit/foundation/kvControls.h"

void EndUnits();  // main.cpp

namespace {

// A program may call exit() anywhere: with the units still started and windows, device contexts
// and bitmaps alive, or with the units ended from an atexit handler. Either way it ends quietly.
TEST(ExitPaths, ExitAnywhereEndsQuietly) {
  struct Case {
    const char* what;
    bool endFromAtexit;
  };
  const Case kCases[] = {{"units left started", false}, {"units ended from atexit", true}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      auto* hint = new TkvBaseHintWindow(nullptr);
      hint->ActivateHint(TRect(10, 10, 90, 30), "exit");
      HDC dc = CreateCompatibleDC(nullptr);
      SelectObject(dc, CreateCompatibleBitmap(dc, 8, 8));
      if (c.endFromAtexit) std::atexit(EndUnits);
      std::exit(7);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 7);
  }
}

}  // namespace
