// The program as a process on the X server: closing its main form by the close button or asking
// it to end by a signal runs its close handlers and ends it with 0.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <fstream>
#include <string>

#include "DesktopFixture.h"
#include "TestProgram.h"
#include "user/User.h"

namespace {

// Where the close button of a sizable form of the program's size is, from its top-left corner.
POINT CloseButtonOffset() {
  TForm form(nullptr, 0);
  form.SetBounds(0, 0, kTestProgramWidth, kTestProgramHeight);
  HWND window = form.GetHandle();
  for (int y = 2; y < 40; ++y)
    for (int x = kTestProgramWidth - 2; x > kTestProgramWidth - 60; --x)
      if (SendMessage(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) return {x - 4, y + 4};
  return {-1, -1};
}

std::string ReadFile(const std::string& name) {
  std::ifstream in(name);
  std::string text;
  std::getline(in, text);
  return text;
}

}  // namespace

TEST_F(NoWindowManagerTest, ProgramEndsWithZeroAfterItsCloseHandlers) {
  const POINT closeButton = CloseButtonOffset();
  ASSERT_GE(closeButton.X, 0) << "no close button on the form";
  char self[PATH_MAX] = {};
  ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
  struct Case {
    const char* how;
    int signal;  // 0: the close button
  };
  const Case kCases[] = {{"close button", 0}, {"SIGTERM", SIGTERM}, {"SIGINT", SIGINT}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.how);
    std::string marker = testing::TempDir() + "tavren-program-" + std::to_string(getpid()) + "-" + c.how;
    unlink(marker.c_str());
    const char* argv[] = {self, kTestProgramSwitch, marker.c_str(), nullptr};
    pid_t program = SpawnProgram(argv, Display());
    ASSERT_GT(program, 0);
    XWindow window = 0;
    bool shown = X().WaitFor([&] { return (window = X().FindWindow(kTestProgramCaption)) != 0; }, 20000);
    EXPECT_TRUE(shown) << "the program's form did not come up";
    if (shown && c.signal) {
      kill(program, c.signal);
    } else if (shown) {
      RECT r = X().Geometry(window);
      X().Click({r.Left + closeButton.X, r.Top + closeButton.Y});
    } else {
      kill(program, SIGKILL);
    }
    int status = WaitForExit(program, 20000);
    if (status == -1) {
      kill(program, SIGKILL);
      WaitForExit(program, 5000);
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
    EXPECT_EQ(ReadFile(marker), "closed") << "the close handler did not run";
    unlink(marker.c_str());
  }
}
