// From the launch of the program to its first painted main window (every library's units started,
// all skins and colour schemes registered, the services and windows made), against the launch of
// a bare platform window to its first paint. Each start is a fresh process (this benchmark with a
// role argument), so the loading of the executable counts in both; the child tells the parent
// through a pipe once the paint is done, and the parent times from the launch to that word. The
// best of several alternate runs counts on a shared machine; the goal is under 300 ms.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "AppBench.h"
#include "app/Converter.h"
#include "app/ConverterSetup.h"
#include "app/Main.h"
#include "app/ProgramUnits.h"
#include "backend/BackendStart.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "user/UserUnits.h"
#include "vcl/Forms.h"

extern char** environ;

namespace {

constexpr int kRounds = 7;
// The child writes one byte here when its window has painted.
constexpr int kReportFd = 3;
constexpr char kBare[] = "bare";
constexpr char kProgram[] = "program";

void Report() {
  const char done = 1;
  if (write(kReportFd, &done, 1) != 1) _exit(2);
  close(kReportFd);
}

LRESULT BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(window, &ps);
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

int BareWindow() {
  RtlStart();
  GdiStart();
  UserStart();
  BackendStart();
  WNDCLASS c{};
  c.lpfnWndProc = BareProc;
  c.lpszClassName = "BareWindow";
  RegisterClass(&c);
  HWND window = CreateWindowEx(0, "BareWindow", "Bare", WS_OVERLAPPEDWINDOW, 0, 0, 747, 490, nullptr, nullptr,
                               nullptr, nullptr);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  UpdateAllWindows();
  Report();
  DestroyWindow(window);
  BackendEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
  return 0;
}

int ProgramWindow() {
  ProgramUnitsStart();
  SetProductGlobals();
  if (!StartConverter()) return 1;
  FormMain->Show();
  UpdateAllWindows();
  Report();
  FormMain->Close();
  EndConverter();
  ProgramUnitsEnd();
  return 0;
}

// Launches Self in the role and answers the seconds until it reported its paint (-1: it did not).
double TimeStart(const char* Self, const char* Role) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // The read end goes first: it may be the very number the write end is moved to.
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], kReportFd);
  const std::string argument = std::string("--first-paint=") + Role;
  char* argv[] = {const_cast<char*>(Self), const_cast<char*>(argument.c_str()), nullptr};
  const auto launched = std::chrono::steady_clock::now();
  pid_t child = 0;
  const int spawned = posix_spawn(&child, Self, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  char done = 0;
  const bool painted = spawned == 0 && read(pipeFds[0], &done, 1) == 1;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - launched).count();
  close(pipeFds[0]);
  int status = 0;
  if (spawned == 0) waitpid(child, &status, 0);
  if (!painted) fprintf(stderr, "the %s start ended with %d before it painted\n", Role, spawned ? spawned : status);
  return painted ? seconds : -1;
}

}  // namespace

int FirstPaintChild(const char* Role) {
  if (strcmp(Role, kBare) == 0) return BareWindow();
  if (strcmp(Role, kProgram) == 0) return ProgramWindow();
  return 1;
}

int StartUpFigure(const char* Self, const std::string& Folder) {
  // The program keeps its settings and log in a configuration folder of its own here.
  setenv("XDG_CONFIG_HOME", Folder.c_str(), 1);
  double bare = 1e9, program = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    const double b = TimeStart(Self, kBare), p = TimeStart(Self, kProgram);
    if (b < 0 || p < 0) return 1;
    bare = std::min(bare, b);
    program = std::min(program, p);
  }
  printf("start to first painted main window: %.0f ms (goal under 300 ms), %.1f times a bare window's %.0f ms\n",
         program * 1000, program / bare, bare * 1000);
  return 0;
}
