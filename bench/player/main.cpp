// Plays 10 s of 640 x 480 at 30 frames per second (H.264 and AAC, made by the ffmpeg program)
// into a window through the preview library, and prints the process's CPU time against the
// wall time: the share of one core the preview takes. The goal is under a quarter.
//
//   bench_player [seconds]   (10 by default)
//
// Sound goes to SDL's silent "dummy" output unless SDL_AUDIODRIVER says otherwise; the display
// is the null backend, so the figure is the engine's work and the window manager's composition.

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../PreviewClip.h"

#include "engine/EngineUnits.h"
#include "engine/MediaPlayer.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "user/User.h"
#include "user/UserUnits.h"


int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  char folder[] = "/tmp/bench-player-XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  const std::string clip = std::string(folder) + "/clip.mp4";
  if (!MakeClip(clip, seconds)) {
    fprintf(stderr, "cannot make the clip with the ffmpeg program\n");
    return 1;
  }

  RtlStart();
  GdiStart();
  UserStart();
  EngineStart();
  WNDCLASS c;
  c.lpfnWndProc = DefWindowProc;
  c.lpszClassName = "BenchPreview";
  RegisterClass(&c);
  HWND window = CreateWindowEx(0, "BenchPreview", "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr,
                               nullptr, nullptr);

  const double cpuBefore = CpuSeconds();
  const auto wallBefore = std::chrono::steady_clock::now();
  int result = MediaPlayer_Play(clip.c_str(), window);
  if (result != 0) fprintf(stderr, "MediaPlayer_Play answered %d\n", result);
  Int64 position = 0;
  const Int64 end = Int64(seconds) * 10000000;
  const auto giveUp = wallBefore + std::chrono::seconds(seconds * 3 + 10);
  // The user-interface thread as a program runs it: it sleeps until a frame or a timer wakes it.
  while (result == 0 && position < end && std::chrono::steady_clock::now() < giveUp) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    UpdateAllWindows();
    MediaPlayer_GetCurrentPosition(&position);
  }
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
  const double cpu = CpuSeconds() - cpuBefore;
  MediaPlayer_Stop();

  printf("preview of %d s, 640x480 at 30 fps: wall %.2f s, CPU %.2f s, %.1f %% of one core (goal: under 25 %%)\n",
         seconds, wall, cpu, 100.0 * cpu / wall);
  DestroyWindow(window);
  EngineEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
  system(("rm -rf '" + std::string(folder) + "'").c_str());
  return result;
}
