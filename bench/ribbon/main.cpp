// Making the three ribbon schemes (their atlases decoded and every part cut) against decoding the
// same PNG resources as often alone: what cutting adds to the start-up. Goal: at most 1.5 x.
// Then repainting a 1000-pixel ribbon with four tabs (background, tab row, groups area) against a
// BitBlt of the same area: the cost of the parts' cached drawing. Goal: at most 4 x.
// Last, fitting a tab of 8 groups of 10 large buttons at 100 widths from its full width down to
// scrolled, against one fit that needs no reduction: what a width step costs. Goal: at most 10 x.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "backend/HeadlessBackend.h"
#include "controls/ControlsUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "toolkit/bars/BarsUnits.h"
#include "toolkit/editors/EditorsUnits.h"
#include "toolkit/foundation/FoundationUnits.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/qzGDIPlusAPI.h"
#include "toolkit/ribbon/RibbonUnits.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonGroupsDock.h"
#include "vcl/Forms.h"
#include "user/UserUnits.h"
#include "vcl/VclUnits.h"

namespace {

using Timing = std::chrono::steady_clock;
constexpr int kRounds = 20;

template <class F>
double Milliseconds(F Work) {
  const Timing::time_point start = Timing::now();
  Work();
  return std::chrono::duration<double, std::milli>(Timing::now() - start).count();
}

void Decode(const char* Name) { GdiPlus().GdipDisposeImage(LoadRibbonAtlas(Name)); }

}  // namespace

int main() {
  RtlStart();
  GdiStart();
  UserStart();
  HeadlessBackend screen;
  SetDisplayBackend(&screen);
  ControlsStart();
  VclStart();
  FoundationStart();
  EditorsStart();
  BarsStart();
  // The two alternate, so that a busy machine slows both alike; the best round of each counts.
  double decoding = 1e9, schemes = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    // Each scheme decodes the common atlas and its own two.
    decoding = std::min(decoding, Milliseconds([] {
                          for (const char* scheme : {"BLUE", "BLACK", "SILVER"}) {
                            Decode("RIBBONCOMMON");
                            Decode((std::string("RIBBON") + scheme).c_str());
                            Decode((std::string("FORM") + scheme).c_str());
                          }
                        }));
    schemes = std::min(schemes, Milliseconds([] {
                         NewRibbonSkin<TqzBlueRibbonSkin>();
                         NewRibbonSkin<TqzBlackRibbonSkin>();
                         NewRibbonSkin<TqzSilverRibbonSkin>();
                       }));
  }
  std::printf("ribbon schemes: %.2f ms to make the three, %.2f ms to decode their atlases: %.2f x (goal 1.5 x)\n",
              schemes, decoding, schemes / decoding);

  RibbonStart();
  {
    auto* form = new TForm(nullptr, 0);
    form->SetBounds(0, 0, 1008, 400);
    auto* manager = new TqzBarManager(form);
    auto* ribbon = new TqzRibbon(form);
    ribbon->SetParent(form);
    ribbon->SetBarManager(manager);
    for (const char* caption : {"Home", "Insert", "View", "Help"}) ribbon->GetTabs()->Add()->SetCaption(caption);
    form->Show();
    const Integer width = ribbon->GetWidth(), height = ribbon->GetHeight();
    TkvBitmap target(width, height), copy(width, height);
    HDC targetDC = target.GetCanvas()->GetHandle(), copyDC = copy.GetCanvas()->GetHandle();
    ribbon->GetViewInfo()->Paint(copy.GetCanvas());  // warms every part's cache at its size
    double painting = 1e9, blitting = 1e9;
    for (int round = 0; round < kRounds; ++round) {
      painting = std::min(painting, Milliseconds([&] { ribbon->GetViewInfo()->Paint(target.GetCanvas()); }));
      blitting = std::min(blitting, Milliseconds([&] { BitBlt(targetDC, 0, 0, width, height, copyDC, 0, 0, SRCCOPY); }));
    }
    std::printf("ribbon %d x %d: %.3f ms repainted, %.3f ms blitted: %.2f x (goal 4 x)\n", width, height, painting,
                blitting, painting / blitting);
    delete form;
  }
  {
    auto* form = new TForm(nullptr, 0);
    form->SetBounds(0, 0, 1008, 400);
    auto* manager = new TqzBarManager(form);
    auto* ribbon = new TqzRibbon(form);
    ribbon->SetParent(form);
    ribbon->SetBarManager(manager);
    TqzRibbonTab* tab = ribbon->GetTabs()->Add();
    for (int group = 0; group < 8; ++group) {
      TqzBar* bar = manager->GetBars()->AddBar();
      bar->SetCaption("Group " + std::to_string(group));
      for (int button = 0; button < 10; ++button) {
        auto* item = new TqzBarLargeButton(form);
        item->SetCaption("Command " + std::to_string(button));
        bar->GetItemLinks()->AddLinkForItem(item);
      }
      bar->SetVisible(true);
      tab->GetGroups()->AddGroup()->SetToolBar(bar);
    }
    form->Show();
    TqzRibbonGroupsDockControlViewInfo* fit = tab->GetDockControl()->GetViewInfo();
    fit->Calculate(TRect(0, 0, 100000, 100));
    const Integer full = fit->TotalWidth();
    double plain = 1e9, steps = 1e9;
    for (int round = 0; round < kRounds / 4; ++round) {
      plain = std::min(plain, Milliseconds([&] { fit->Calculate(TRect(0, 0, full, 100)); }));
      steps = std::min(steps, Milliseconds([&] {
                         for (Integer i = 0; i < 100; ++i) fit->Calculate(TRect(0, 0, full - i * (full - 50) / 99, 100));
                       }) / 100);
    }
    std::printf("ribbon fit of 8 x 10 buttons: %.3f ms a width step, %.3f ms a fit at full width: %.2f x (goal 10 x)\n",
                steps, plain, steps / plain);
    delete form;
  }
  RibbonEnd();
  BarsEnd();
  EditorsEnd();
  FoundationEnd();
  VclEnd();
  ControlsEnd();
  SetDisplayBackend(nullptr);
  UserEnd();
  GdiEnd();
  RtlEnd();
  return 0;
}
