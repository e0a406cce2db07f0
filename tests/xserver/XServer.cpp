#include "XServer.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <cstring>
#include <thread>
#include <vector>

extern char** environ;

namespace {

constexpr int kStartTimeoutMs = 20000;

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// The child ends with this process, even when this process is killed or crashes: a test that
// dies leaves no server behind.
pid_t Spawn(const char* const* argv, const std::string& display, bool quiet) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e)
    if (display.empty() || std::strncmp(*e, "DISPLAY=", 8) != 0) env.emplace_back(*e);
  if (!display.empty()) env.push_back("DISPLAY=" + display);
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  pid_t parent = getpid();
  pid_t pid = fork();
  if (pid != 0) return pid;
  // The child: only calls that are safe after fork.
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (getppid() != parent) _exit(127);
  if (quiet) {
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
  }
  execvpe(argv[0], const_cast<char* const*>(argv), envp.data());
  _exit(127);
}

void Terminate(pid_t& process) {
  if (process <= 0) return;
  kill(process, SIGTERM);
  if (WaitForExit(process, 5000) == -1) {
    kill(process, SIGKILL);
    waitpid(process, nullptr, 0);
  }
  process = -1;
}

}  // namespace

pid_t SpawnProgram(const char* const* argv, const std::string& display) { return Spawn(argv, display, false); }

int WaitForExit(pid_t process, int timeoutMs) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  int pidfd = static_cast<int>(syscall(SYS_pidfd_open, process, 0));
  int status = 0;
  for (;;) {
    pid_t done = waitpid(process, &status, WNOHANG);
    if (done == process) break;
    if (done < 0) {
      status = -1;
      break;
    }
    int left = RemainingMs(deadline);
    if (left == 0) {
      status = -1;
      break;
    }
    if (pidfd >= 0) {
      pollfd p{pidfd, POLLIN, 0};
      poll(&p, 1, left);
    } else {
      // No process descriptors on this kernel: look again shortly.
      std::this_thread::sleep_for(std::chrono::milliseconds(std::min(left, 5)));
    }
  }
  if (pidfd >= 0) close(pidfd);
  return status;
}

bool XServer::Start(bool windowManager, int width, int height) {
  Stop();
  FError.clear();
  // Display numbers far from the usual ones, so that no program that assumes :0 or :1 finds
  // this server; a number in use makes Xvfb end at once, and the next one is tried.
  int first = 200 + static_cast<int>(getpid() % 500);
  for (int display = first; display < first + 20 && !StartServer(display, width, height); ++display) {
  }
  if (FServer < 0) return false;
  if (windowManager && !StartWindowManager()) {
    Stop();
    return false;
  }
  return true;
}

bool XServer::StartServer(int display, int width, int height) {
  int fds[2];
  if (pipe(fds) != 0) {
    FError = "no pipe for the X server's display number";
    return false;
  }
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);
  std::string fd = std::to_string(fds[1]);
  std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  std::string name = ":" + std::to_string(display);
  const char* argv[] = {"Xvfb", name.c_str(), "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten",
                        "tcp", "-noreset", nullptr};
  FServer = Spawn(argv, "", true);
  close(fds[1]);
  if (FServer < 0) {
    close(fds[0]);
    FError = "no process for Xvfb";
    return false;
  }
  // The server writes its display number once it accepts connections.
  std::string number;
  auto deadline = Clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
  for (;;) {
    pollfd p{fds[0], POLLIN, 0};
    if (poll(&p, 1, RemainingMs(deadline)) <= 0) break;
    char c;
    if (read(fds[0], &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  close(fds[0]);
  if (number.empty()) {
    FError = "Xvfb did not come up (is it installed?)";
    Terminate(FServer);
    return false;
  }
  FDisplay = ":" + number;
  return true;
}

bool XServer::StartWindowManager() {
  ::Display* display = XOpenDisplay(FDisplay.c_str());
  if (!display) {
    FError = "cannot connect to " + FDisplay;
    return false;
  }
  Window root = DefaultRootWindow(display);
  const char* argv[] = {"openbox", "--sm-disable", nullptr};
  FWindowManager = Spawn(argv, FDisplay, true);
  bool ready = false;
  if (FWindowManager > 0) {
    auto deadline = Clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    // True once `seen` holds for an event, false after waitMs or at the deadline.
    auto waitFor = [&](int waitMs, const std::function<bool(const XEvent&)>& seen) {
      auto until = std::min(deadline, Clock::now() + std::chrono::milliseconds(waitMs));
      for (;;) {
        while (XPending(display)) {
          XEvent event;
          XNextEvent(display, &event);
          if (seen(event)) return true;
        }
        if (RemainingMs(until) == 0) return false;
        pollfd p{ConnectionNumber(display), POLLIN, 0};
        poll(&p, 1, RemainingMs(until));
      }
    };
    // It is ready once it frames a window that asks to be shown. A request that comes while it
    // still starts may be lost: the window asks again until it is framed.
    Window probe = XCreateSimpleWindow(display, root, 0, 0, 16, 16, 0, 0, 0);
    XSelectInput(display, probe, StructureNotifyMask);
    while (!ready && RemainingMs(deadline) > 0) {
      XMapWindow(display, probe);
      ready = waitFor(500, [&](const XEvent& e) { return e.type == ReparentNotify && e.xreparent.window == probe; });
      if (!ready) XUnmapWindow(display, probe);
    }
    XDestroyWindow(display, probe);
    XSync(display, False);
  }
  XCloseDisplay(display);
  if (!ready) {
    FError = FWindowManager > 0 ? "openbox did not come up" : "openbox could not be started (is it installed?)";
    Terminate(FWindowManager);
  }
  return ready;
}

void XServer::Stop() {
  Terminate(FWindowManager);
  Terminate(FServer);
  FDisplay.clear();
}
