#pragma once
// A private X server for tests and benchmarks: Xvfb on a display number of its own, with or without
// a small window manager (openbox), started and stopped by the caller. Nothing here waits a fixed
// time: every wait is for a condition the X server reports, with a generous deadline.

#include <sys/types.h>

#include <string>

class XServer {
 public:
  XServer() = default;
  ~XServer() { Stop(); }
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  // Starts Xvfb (screen width x height x 24) and, when asked, the window manager; false with
  // Error() saying why (no Xvfb installed, the server did not come up...).
  bool Start(bool windowManager, int width = 1024, int height = 768);
  // Stops the window manager and the server (connections to it must be closed first).
  void Stop();

  const std::string& Display() const { return FDisplay; }  // ":N"
  const std::string& Error() const { return FError; }
  bool HasWindowManager() const { return FWindowManager > 0; }

 private:
  bool StartServer(int display, int width, int height);
  bool StartWindowManager();

  pid_t FServer = -1;
  pid_t FWindowManager = -1;
  std::string FDisplay;
  std::string FError;
};

// Starts a program with arguments and the environment of this process (DISPLAY as given, when not
// empty), its output thrown away; -1 when it cannot start.
pid_t SpawnProgram(const char* const* argv, const std::string& display);
// Waits up to timeoutMs for the process to end; its wait status, or -1 on time-out.
int WaitForExit(pid_t process, int timeoutMs);
