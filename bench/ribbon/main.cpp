// Making the three ribbon schemes (their atlases decoded and every part cut) against decoding the
// same PNG resources as often alone: what cutting adds to the start-up. Goal: at most 1.5 x.
// Then painting a 1000-pixel ribbon strip of skin parts (tab row, groups area, six groups with
// their buttons) against a BitBlt of the same area: the cost of the parts' cached drawing.

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
#include "toolkit/ribbon/qzRibbonSkins.h"
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

// A ribbon's look without its control: tab row and tabs, the groups area, six groups with a
// caption band, three large and six small buttons each.
void PaintStrip(TqzCustomRibbonSkin* Skin, HDC DC) {
  Skin->DrawRibbonBackground(DC, TRect{0, 0, 1000, 140});
  Skin->DrawTabRowEdge(DC, TRect{0, 44, 1000, 47});
  for (Integer t = 0; t < 4; ++t) Skin->DrawTab(DC, Bounds(50 + t * 60, 24, 58, 23), t == 0 ? 2 : 0);
  Skin->DrawTabGroupsPopup(DC, TRect{2, 47, 998, 139});
  for (Integer g = 0; g < 6; ++g) {
    const Integer left = 6 + g * 164;
    Skin->DrawGroupBackground(DC, TRect{left, 50, left + 160, 118}, g == 2 ? 2 : 0);
    Skin->DrawGroupCaptionBand(DC, TRect{left, 118, left + 160, 135}, g == 2 ? 2 : 0);
    for (Integer b = 0; b < 3; ++b) Skin->DrawLargeButton(DC, Bounds(left + 3 + b * 44, 52, 42, 64), b == 0 ? 2 : 5);
    for (Integer b = 0; b < 2; ++b) Skin->DrawSmallButton(DC, Bounds(left + 136, 52 + b * 22, 22, 22), 2);
  }
}

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

  auto skin = NewRibbonSkin<TqzBlueRibbonSkin>();
  TkvBitmap target(1000, 140), copy(1000, 140);
  HDC targetDC = target.GetCanvas()->GetHandle(), copyDC = copy.GetCanvas()->GetHandle();
  PaintStrip(skin.get(), copyDC);  // warms every part's cache at its size
  double painting = 1e9, blitting = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    painting = std::min(painting, Milliseconds([&] { PaintStrip(skin.get(), targetDC); }));
    blitting = std::min(blitting, Milliseconds([&] { BitBlt(targetDC, 0, 0, 1000, 140, copyDC, 0, 0, SRCCOPY); }));
  }
  std::printf("ribbon strip 1000 x 140: %.3f ms painted from skin parts, %.3f ms blitted: %.2f x\n", painting,
              blitting, painting / blitting);
  skin.reset();
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
