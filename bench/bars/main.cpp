// A full repaint of a bar window of 40 buttons with glyphs and captions, and of a docked toolbar
// of 40 such buttons (frame, grip, mark and the style's background included), in each painting
// style, against the same background, glyphs and captions drawn straight onto one surface: what
// the bar window, its item controls and the painter add to the pixels themselves. Goals:
// Standard, Enhanced and Flat within 2.5 times the bound, Office-11 within 3.5.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "backend/HeadlessBackend.h"
#include "controls/ControlsUnits.h"
#include "gdi/GdiUnits.h"
#include "gdi/TextLayout.h"
#include "rtl/RtlUnits.h"
#include "toolkit/bars/BarsUnits.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "toolkit/editors/EditorsUnits.h"
#include "toolkit/foundation/FoundationUnits.h"
#include "user/Painting.h"
#include "user/UserUnits.h"
#include "vcl/Forms.h"
#include "vcl/VclUnits.h"

namespace {

using Timing = std::chrono::steady_clock;
constexpr int kRounds = 30;
constexpr int kButtons = 40;

template <class F>
double Best(F Work) {
  double best = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    const Timing::time_point start = Timing::now();
    Work();
    best = std::min(best, std::chrono::duration<double, std::milli>(Timing::now() - start).count());
  }
  return best;
}

// A bar window that stacks its buttons one under the other.
class TStackedBar : public TCustomqzBarControl {
  TAVREN_CLASS(TStackedBar, TCustomqzBarControl)
 public:
  using TCustomqzBarControl::TCustomqzBarControl;
  Integer SeparatorSize() override { return 6; }
  bool IsMainMenu() override { return false; }
  TClassOf<TCustomqzBarControlViewInfo> ViewInfoClass() override { return TCustomqzBarControlViewInfo::ClassInfo(); }
  void RepaintControl(TqzBarItemControl*) override { Invalidate(); }
  void FillBackground(HDC DC, const TRect& R, bool, TColor AColor, HBRUSH ABrush) override {
    FillAreaSolidOrTiled(DC, R, GetClientRect(), nullptr, AColor, ABrush);
  }
  Integer BarKind() override { return 0; }
  void CalcItemsRect() override {
    CalcClientItemsRect();
    CalcLayout(qzPaintMenu, 0);
  }
};
TAVREN_CLASS_IMPL(TStackedBar)

struct Style {
  TqzBarManagerStyle style;
  const char* name;
  double goal;
};
constexpr Style kStyles[] = {{bmsStandard, "Standard", 2.5}, {bmsEnhanced, "Enhanced", 2.5}, {bmsFlat, "Flat", 2.5},
                             {bmsOffice11, "Office-11", 3.5}};

void Report(const Style& AStyle, double ATime, double ABound) {
  std::printf("  %-9s %.3f ms, ratio %.2f (goal %.1f)%s\n", AStyle.name, ATime, ATime / ABound, AStyle.goal,
              ATime / ABound <= AStyle.goal ? "" : "  OVER");
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
  {
    TForm form(nullptr, 0);
    form.SetBounds(0, 0, 200, 1000);
    auto* manager = new TqzBarManager(&form);
    auto* menu = new TqzBarSubItem(&form);
    TBitmap glyph;
    glyph.SetSize(16, 16);
    glyph.GetCanvas()->GetBrush()->SetColor(clRed);
    glyph.GetCanvas()->FillRect(TRect(2, 2, 14, 14));
    for (int i = 0; i < kButtons; ++i) {
      auto* button = new TqzBarButton(&form);
      button->SetCaption("Command " + std::to_string(i + 1));
      button->SetGlyph(&glyph);
      button->SetPaintStyle(psCaptionGlyph);
      menu->GetItemLinks()->AddLinkForItem(button);
    }
    auto* bar = new TStackedBar(manager);
    bar->SetParent(&form);
    bar->SetBounds(0, 0, 180, 960);
    bar->SetVisible(true);
    form.Show();
    bar->SetItemLinks(menu->GetItemLinks());
    bar->Refresh(false);
    UpdateWindow(form.GetHandle());


    // The bound: one fill, then each glyph and caption at the same places on one surface.
    TBitmap surface;
    surface.SetSize(180, 960);
    TCanvas* canvas = surface.GetCanvas();
    canvas->SetFont(bar->GetFont());
    double bound = Best([&] {
      canvas->GetBrush()->SetColor(clBtnFace);
      canvas->FillRect(TRect(0, 0, 180, 960));
      canvas->GetBrush()->SetStyle(bsClear);
      for (int i = 0; i < kButtons; ++i) {
        TRect r = menu->GetItemLinks()->GetVisibleLink(i)->GetItemRect();
        glyph.SetTransparent(true);
        canvas->StretchDraw(TRect(r.Left + 3, r.Top + 3, r.Left + 19, r.Top + 19), &glyph);
        TRect text(r.Left + 27, r.Top, r.Right, r.Bottom);
        String caption = "Command " + std::to_string(i + 1);
        DrawText(canvas->GetHandle(), caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
      }
    });
    std::printf("bar window of %d buttons, full repaint against a bound of %.3f ms\n", kButtons, bound);
    for (const Style& style : kStyles) {
      manager->SetStyle(style.style);
      UpdateWindow(form.GetHandle());
      double window = Best([&] {
        bar->Invalidate();
        UpdateWindow(bar->GetHandle());
      });
      Report(style, window, bound);
    }
  }
  {
    // A docked toolbar of 40 buttons in rows, the whole window repainted (frame and client).
    TForm form(nullptr, 0);
    form.SetBounds(0, 0, 1000, 400);
    auto* manager = new TqzBarManager(&form);
    TBitmap glyph;
    glyph.SetSize(16, 16);
    glyph.GetCanvas()->GetBrush()->SetColor(clRed);
    glyph.GetCanvas()->FillRect(TRect(2, 2, 14, 14));
    TqzBar* toolbar = manager->GetBars()->AddBar();
    toolbar->SetCaption("Commands");
    for (int i = 0; i < kButtons; ++i) {
      auto* button = new TqzBarButton(&form);
      button->SetCaption("Cmd " + std::to_string(i + 1));
      button->SetGlyph(&glyph);
      button->SetPaintStyle(psCaptionGlyph);
      toolbar->GetItemLinks()->AddLinkForItem(button);
    }
    toolbar->SetMultiLine(true);
    toolbar->SetWholeRow(true);
    toolbar->SetDockingStyle(dsTop);
    toolbar->SetVisible(true);
    form.Show();
    UpdateWindow(form.GetHandle());
    TqzBarControl* window = toolbar->GetBarControl();
    const Integer width = window->GetWidth(), height = window->GetHeight();
    TBitmap surface;
    surface.SetSize(width, height);
    TCanvas* canvas = surface.GetCanvas();
    canvas->SetFont(window->GetFont());
    double bound = Best([&] {
      canvas->GetBrush()->SetStyle(bsSolid);
      canvas->GetBrush()->SetColor(clBtnFace);
      canvas->FillRect(TRect(0, 0, width, height));
      canvas->GetBrush()->SetStyle(bsClear);
      for (int i = 0; i < kButtons; ++i) {
        TRect r = toolbar->GetItemLinks()->GetVisibleLink(i)->GetItemRect();
        glyph.SetTransparent(true);
        canvas->StretchDraw(TRect(r.Left + 3, r.Top + 3, r.Left + 19, r.Top + 19), &glyph);
        TRect text(r.Left + 27, r.Top, r.Right, r.Bottom);
        String caption = "Cmd " + std::to_string(i + 1);
        DrawText(canvas->GetHandle(), caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
      }
    });
    std::printf("docked toolbar of %d buttons (%d x %d), full repaint against a bound of %.3f ms\n", kButtons,
                static_cast<int>(width), static_cast<int>(height), bound);
    for (const Style& style : kStyles) {
      manager->SetStyle(style.style);
      UpdateWindow(form.GetHandle());
      window = toolbar->GetBarControl();
      double repaint = Best([&] {
        RedrawWindow(window->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
      });
      Report(style, repaint, bound);
    }
  }
  BarsEnd();
  EditorsEnd();
  FoundationEnd();
  VclEnd();
  ControlsEnd();
  UserEnd();
  GdiEnd();
  SetDisplayBackend(nullptr);
  RtlEnd();
  return 0;
}
