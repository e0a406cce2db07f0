// The clip editor's crop page while the preview plays 10 s of 640 x 480 at 30 frames per second
// (H.264 and AAC, made by the ffmpeg program): the preview draws into its hidden panel, and every
// 300 ms the editor takes a still and hands it to the selection window. Prints the process's CPU
// time against the wall time, the share of one core; the goal is under a quarter, beside
// bench_player's figure for the preview alone.
//
//   bench_app [seconds]   (10 by default)

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../PreviewClip.h"

#include "app/AppUnits.h"
#include "app/VideoEdit.h"
#include "backend/BackendStart.h"
#include "controls/ControlsUnits.h"
#include "engine/EngineUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "toolkit/controls/WbUnits.h"
#include "toolkit/editors/EditorsUnits.h"
#include "toolkit/foundation/FoundationUnits.h"
#include "toolkit/inspector/InspectorUnits.h"
#include "user/User.h"
#include "user/UserUnits.h"
#include "vcl/VclUnits.h"

namespace {

// Runs the user-interface thread as the program does, sleeping until a frame or a timer wakes it,
// until the preview reaches End or the time is up.
void Run(TMediaPlayer& Player, Int64 End, std::chrono::steady_clock::time_point GiveUp) {
  Int64 position = 0;
  while (position < End && std::chrono::steady_clock::now() < GiveUp) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    UpdateAllWindows();
    position = Player.Position();
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("TAVREN_BACKEND", "headless", 1);
  char folder[] = "/tmp/bench-app-XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  const std::string clip = std::string(folder) + "/clip.mp4";
  if (!MakeClip(clip, seconds)) {
    fprintf(stderr, "cannot make the clip with the ffmpeg program\n");
    return 1;
  }

  RtlStart();
  GdiStart();
  UserStart();
  BackendStart();
  ControlsStart();
  VclStart();
  EngineStart();
  FoundationStart();
  EditorsStart();
  WbControlsStart();
  InspectorStart();
  AppStart();
  int result = 0;
  {
    TMediaPlayer player;
    TTaskInfo task;
    task.EndTime = Int64(seconds) * 10000000;
    task.Crop = TRect{0, 0, 640, 480};
    TPlayContext context;
    context.Path = clip;
    context.HasVideo = true;
    context.Width = 640;
    context.Height = 480;
    context.Duration = task.EndTime;
    context.Task = &task;
    TFormVideoEdit* editor = nullptr;
    Application()->CreateForm(editor);
    editor->Show();
    const double cpuBefore = CpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    try {
      editor->Open(&player, &context);
      editor->ShowCropPage();
      // The editor loops its preview inside the range; stop just before the end comes round.
      Run(player, task.EndTime - 2000000, wallBefore + std::chrono::seconds(seconds * 3 + 10));
    } catch (const Exception& e) {
      fprintf(stderr, "%s\n", e.Message().c_str());
      result = 1;
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    const double cpu = CpuSeconds() - cpuBefore;
    editor->Close();
    printf("crop page over a preview of %d s, 640x480 at 30 fps, stills every 300 ms: wall %.2f s, CPU %.2f s, "
           "%.1f %% of one core (goal: under 25 %%)\n",
           seconds, wall, cpu, 100.0 * cpu / wall);
    delete editor;
  }
  AppEnd();
  InspectorEnd();
  WbControlsEnd();
  EditorsEnd();
  FoundationEnd();
  EngineEnd();
  VclEnd();
  ControlsEnd();
  BackendEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
  system(("rm -rf '" + std::string(folder) + "'").c_str());
  return result;
}
