#pragma once
// The program's benchmarks, each printing one figure against its goal; main.cpp starts the units
// and runs them in turn. Each answers 0, or 1 when it could not run.

#include <chrono>
#include <string>

#include "user/User.h"

// Runs the user-interface thread as the program does, sleeping until a frame or a timer wakes
// it, until IsDone answers true or the time is up.
template <class Done>
void RunLoopUntil(Done&& IsDone, std::chrono::steady_clock::time_point GiveUp) {
  while (!IsDone() && std::chrono::steady_clock::now() < GiveUp) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    UpdateAllWindows();
  }
}

// The clip editor's crop page over a playing preview of Clip (Seconds long): share of one core.
int CropPageFigure(const std::string& Clip, int Seconds);
// The main window's preview pane playing Clip: share of one core.
int PreviewPaneFigure(const std::string& Clip, int Seconds);
// The program's start to its first painted main window, against a bare platform window's, each in
// a fresh process: Self launched with "--first-paint=<role>", which main hands to FirstPaintChild.
// The program's configuration folder is made in Folder.
int StartUpFigure(const char* Self, const std::string& Folder);
int FirstPaintChild(const char* Role);
// Five clips through the progress window, against the same jobs run back to back by the engine;
// the clips and outputs go to Folder.
int ConversionRunFigure(const std::string& Folder);
