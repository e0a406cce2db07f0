// The program's figures, each against its goal:
// - the clip editor's crop page over a preview of 640 x 480 at 30 frames per second, and the main
//   window's preview pane playing the same: CPU time against wall time, the share of one core
//   (goal under a quarter, beside bench_player's figure for the preview alone);
// - five clips through the progress window against the engine alone (goal at most 5 % slower);
// - the program's start to its first painted main window (goal under 300 ms), against a bare
//   platform window's start to its first paint.
//
//   bench_app [seconds]   (the preview's length, 10 by default)

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "../PreviewClip.h"
#include "AppBench.h"
#include "app/AppUnits.h"
#include "rtl/Exceptions.h"
#include "vcl/Forms.h"
#include "backend/BackendStart.h"
#include "controls/ControlsUnits.h"
#include "engine/EngineUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "toolkit/controls/WbUnits.h"
#include "toolkit/editors/EditorsUnits.h"
#include "toolkit/foundation/FoundationUnits.h"
#include "toolkit/inspector/InspectorUnits.h"
#include "user/UserUnits.h"
#include "vcl/VclUnits.h"

int main(int argc, char** argv) {
  const std::string role = argc > 1 ? argv[1] : "";
  if (role.rfind("--first-paint=", 0) == 0) return FirstPaintChild(role.c_str() + strlen("--first-paint="));
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

  int result = StartUpFigure(argv[0], folder);
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
  // The program's windows are dialogs of its main window: closing them only hides them.
  TForm* mainWindow = nullptr;
  Application()->CreateForm(mainWindow);
  try {
    result |= CropPageFigure(clip, seconds);
    result |= PreviewPaneFigure(clip, seconds);
    result |= ConversionRunFigure(folder);
  } catch (const Exception& e) {
    fprintf(stderr, "%s\n", e.Message().c_str());
    result = 1;
  }
  delete mainWindow;
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
