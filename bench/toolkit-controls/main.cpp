// The Wb painters' costs: a 400 x 300 gradient in each direction against one solid fill of the
// same area (the lower bound), and moving a track bar's thumb (which redraws the thumb only)
// against repainting the whole track bar.

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "backend/BackendStart.h"
#include "controls/ControlsUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "toolkit/controls/WbGrafx.h"
#include "toolkit/controls/WbTrkBar.h"
#include "toolkit/controls/WbUnits.h"
#include "user/User.h"
#include "user/UserUnits.h"
#include "vcl/Forms.h"
#include "vcl/VclUnits.h"

namespace {

using Timing = std::chrono::steady_clock;

template <class F>
double MicrosecondsPerRun(int Runs, F&& Body) {
  auto start = Timing::now();
  for (int i = 0; i < Runs; ++i) Body(i);
  return std::chrono::duration<double, std::micro>(Timing::now() - start).count() / Runs;
}

void Gradients() {
  TBitmap target;
  target.SetSize(400, 300);
  TCanvas* canvas = target.GetCanvas();
  const double fill = MicrosecondsPerRun(200, [&](int) {
    canvas->GetBrush()->SetColor(clBtnFace);
    canvas->FillRect({0, 0, 400, 300});
  });
  std::printf("solid fill 400 x 300: %.1f us\n", fill);
  const char* names[] = {"diagonal up",     "diagonal down",   "horizontal end", "horizontal centre",
                         "horizontal box",  "vertical end",    "vertical centre", "vertical box",
                         "square box",      "big square box"};
  for (int d = 0; d < 10; ++d) {
    const double us = MicrosecondsPerRun(50, [&](int) {
      PaintGradientArea(canvas, {0, 0, 400, 300}, TGradientDirection(d), clWhite, TColor(0x804020), 1);
    });
    std::printf("gradient %-18s %8.1f us  (%.1f x the fill)\n", names[d], us, us / fill);
  }
}

void TrackBar() {
  auto* form = new TForm(nullptr, 0);
  form->SetBounds(0, 0, 400, 100);
  auto* bar = new TWbTrackBar(form);
  bar->SetParent(form);
  bar->SetBounds(10, 10, 360, 40);
  bar->SetMax(1000);
  form->Show();
  UpdateAllWindows();
  const double move = MicrosecondsPerRun(500, [&](int i) { bar->SetPosition(i % 1000); });
  const double repaint = MicrosecondsPerRun(100, [&](int) {
    bar->Invalidate();
    bar->Update();
  });
  std::printf("track bar thumb move: %.1f us, full repaint: %.1f us (%.1f x)\n", move, repaint, repaint / move);
  delete form;
}

}  // namespace

int main() {
  setenv("TAVREN_BACKEND", "headless", 1);
  RtlStart();
  GdiStart();
  UserStart();
  BackendStart();
  ControlsStart();
  VclStart();
  WbControlsStart();
  Gradients();
  TrackBar();
  WbControlsEnd();
  VclEnd();
  ControlsEnd();
  BackendEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
  return 0;
}
