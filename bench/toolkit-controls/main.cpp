// The Wb painters' costs: a 400 x 300 gradient in each direction against one solid fill of the
// same area (the lower bound), moving a track bar's thumb (which redraws the thumb only) against
// repainting the whole track bar, and the clip editor's page control: a full repaint against a
// hot-tracking one, and hit tests with the region cache at one region and at all of them.

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "backend/BackendStart.h"
#include "controls/ControlsUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "toolkit/controls/WbGrafx.h"
#include "toolkit/controls/WbTabs.h"
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

void PageControl() {
  auto* form = new TForm(nullptr, 0);
  form->SetBounds(0, 0, 420, 330);
  auto* pages = new TWbPageControl(form);
  pages->SetParent(form);
  pages->SetBounds(8, 8, 404, 314);
  pages->SetTabStyle(tsRoundCorners);
  pages->SetColor(TColor(15922678));
  for (const char* caption : {"Effect", "Trim", "Crop", "Output", "Log"}) {
    auto* sheet = new TWbTabSheet(form);
    sheet->SetCaption(caption);
    sheet->SetParentPageControl(pages);
  }
  pages->SetActivePagePosition(1);
  form->Show();
  UpdateAllWindows();
  const double full = MicrosecondsPerRun(100, [&](int) {
    pages->Invalidate();
    pages->Update();
  });
  const TRect area = pages->TabAreaRect();
  const double strip = MicrosecondsPerRun(100, [&](int) {
    RECT r{area.Left, area.Top, area.Right + 1, area.Bottom + 1};
    InvalidateRect(pages->GetHandle(), &r, FALSE);
    pages->Update();
  });
  std::printf("page control full repaint: %.1f us, tab strip only: %.1f us (%.1f x)\n", full, strip, full / strip);
  auto sweep = [&](int) {
    for (Integer x = 0; x < area.Right; x += 3) pages->TabAtPoint(x, area.Bottom / 2);
  };
  const double one = MicrosecondsPerRun(100, sweep);
  pages->SetRegionCacheCapacity(-1);
  const double all = MicrosecondsPerRun(100, sweep);
  std::printf("hit tests across the strip: cache of 1 region %.1f us, of all regions %.1f us\n", one, all);
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
  PageControl();
  WbControlsEnd();
  VclEnd();
  ControlsEnd();
  BackendEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
  return 0;
}
