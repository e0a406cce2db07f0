// A full repaint of a bar window of 40 buttons with glyphs and captions, and of a docked toolbar
// of 40 such buttons (frame, grip, mark and the style's background included), in each painting
// style, against the same background, glyphs and captions drawn straight onto one surface: what
// the bar window, its item controls and the painter add to the pixels themselves. Goals:
// Standard, Enhanced and Flat within 2.5 times the bound, Office-11 within 3.5.
// Opening a popup menu of 50 items with glyphs (no animation, shadows where the style casts
// them), from the call to the menu window's first present, against a plain popup window of the
// same size created, shown and painted with one fill, 50 glyphs and 50 captions. Goal: 3 times.

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
#include "toolkit/bars/qzBarPopupMenu.h"
#include "toolkit/bars/qzBarShadow.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "toolkit/editors/EditorsUnits.h"
#include "toolkit/foundation/FoundationUnits.h"
#include "user/MessageNumbers.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "user/UserUnits.h"
#include "vcl/Forms.h"
#include "vcl/VclUnits.h"

namespace {

using Timing = std::chrono::steady_clock;
constexpr int kRounds = 30;
constexpr int kButtons = 40;
constexpr int kMenuItems = 50;

// Notes the moment a watched window first reaches the screen.
class PresentWatch : public HeadlessBackend {
 public:
  // Tall enough for a menu of 50 items to open whole.
  PresentWatch() : HeadlessBackend({1280, 1600}) {}
  // Watches the next top-level window for which AIsWatched answers true; once it is presented,
  // ADone runs (outside the timing).
  void Arm(bool (*AIsWatched)(HWND), void (*ADone)(HWND)) {
    FIsWatched = AIsWatched;
    FDone = ADone;
    FPresented = false;
  }
  bool Presented() const { return FPresented; }
  Timing::time_point PresentedAt() const { return FAt; }
  RECT PresentedRect() const { return FRect; }
  void Present(HWND window, const PixelSurface& surface, const RECT& dirty) override {
    HeadlessBackend::Present(window, surface, dirty);
    if (!FIsWatched || FPresented || !FIsWatched(window)) return;
    FAt = Timing::now();
    FPresented = true;
    GetWindowRect(window, &FRect);
    FDone(window);
  }

 private:
  bool (*FIsWatched)(HWND) = nullptr;
  void (*FDone)(HWND) = nullptr;
  bool FPresented = false;
  Timing::time_point FAt;
  RECT FRect{};
};

double MillisecondsSince(Timing::time_point AStart, Timing::time_point AEnd = Timing::now()) {
  return std::chrono::duration<double, std::milli>(AEnd - AStart).count();
}

// The least of kRounds measurements (milliseconds).
template <class F>
double BestOf(F Measure) {
  double best = 1e9;
  for (int round = 0; round < kRounds; ++round) best = std::min(best, Measure());
  return best;
}

template <class F>
double Best(F Work) {
  return BestOf([&] {
    const Timing::time_point start = Timing::now();
    Work();
    return MillisecondsSince(start);
  });
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

// The bound's popup: one fill, then a glyph and a caption per row.
TBitmap* gPlainGlyph = nullptr;

LRESULT PlainMenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProc(window, message, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  const Integer rowHeight = client.Bottom / kMenuItems;
  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.GetBrush()->SetColor(clBtnFace);
  canvas.FillRect(client);
  canvas.GetBrush()->SetStyle(bsClear);
  for (int i = 0; i < kMenuItems; ++i) {
    const Integer top = i * rowHeight;
    canvas.StretchDraw(TRect(3, top + 3, 19, top + 19), gPlainGlyph);
    TRect text(27, top, client.Right, top + rowHeight);
    String caption = "Command " + std::to_string(i + 1);
    DrawText(canvas.GetHandle(), caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
  }
  canvas.SetHandle(nullptr);
  EndPaint(window, &ps);
  return 0;
}

bool IsMenuWindow(HWND AWindow) { return dynamic_cast<TqzBarSubMenuControl*>(FindControl(AWindow)) != nullptr; }
bool gMenuShadowShown = false;
void CloseMenu(HWND AWindow) {
  gMenuShadowShown = dynamic_cast<TqzBarSubMenuControl*>(FindControl(AWindow))->GetShadow()->GetVisible();
  PostMessage(AWindow, WM_KEYDOWN, VK_ESCAPE, 0);
}
HWND gPlainMenu = nullptr;
bool IsPlainMenu(HWND AWindow) { return AWindow == gPlainMenu; }
void KeepOpen(HWND) {}

void Settle() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
}

void BenchMenu(PresentWatch& AScreen) {
  TForm form(nullptr, 0);
  form.SetBounds(0, 0, 400, 300);
  auto* manager = new TqzBarManager(&form);
  manager->SetMenuAnimations(maNone);
  TBitmap glyph;
  glyph.SetSize(16, 16);
  glyph.GetCanvas()->GetBrush()->SetColor(clRed);
  glyph.GetCanvas()->FillRect(TRect(2, 2, 14, 14));
  glyph.SetTransparent(true);
  auto* popup = new TqzBarPopupMenu(&form);
  for (int i = 0; i < kMenuItems; ++i) {
    auto* button = new TqzBarButton(&form);
    button->SetCaption("Command " + std::to_string(i + 1));
    button->SetGlyph(&glyph);
    popup->GetItemLinks()->AddLinkForItem(button);
  }
  form.Show();
  UpdateWindow(form.GetHandle());
  Settle();

  gPlainGlyph = &glyph;
  WNDCLASS plain{};
  plain.lpfnWndProc = PlainMenuProc;
  plain.lpszClassName = "BenchPlainMenu";
  RegisterClass(&plain);
  std::printf("popup menu of %d items to its first present, against a plain popup of its size\n", kMenuItems);
  for (const Style& style : kStyles) {
    manager->SetStyle(style.style);
    // The menu's size in this style, from one opening, for the bound's window.
    AScreen.Arm(IsMenuWindow, CloseMenu);
    popup->PopupAt(100, 40);
    Settle();
    const RECT menuRect = AScreen.PresentedRect();
    const double bound = BestOf([&] {
      AScreen.Arm(IsPlainMenu, KeepOpen);
      const Timing::time_point start = Timing::now();
      gPlainMenu = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "BenchPlainMenu", "", WS_POPUP, menuRect.Left,
                                  menuRect.Top, menuRect.Right - menuRect.Left, menuRect.Bottom - menuRect.Top,
                                  form.GetHandle(), nullptr, nullptr, nullptr);
      ShowWindow(gPlainMenu, SW_SHOWNOACTIVATE);
      UpdateWindow(gPlainMenu);
      MSG msg;
      while (!AScreen.Presented())
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
      const double taken = MillisecondsSince(start, AScreen.PresentedAt());
      DestroyWindow(gPlainMenu);
      Settle();
      return taken;
    });
    const double opening = BestOf([&] {
      AScreen.Arm(IsMenuWindow, CloseMenu);
      const Timing::time_point start = Timing::now();
      popup->PopupAt(100, 40);
      const double taken = MillisecondsSince(start, AScreen.PresentedAt());
      Settle();
      return taken;
    });
    std::printf("  %-9s %d x %d%s: %.3f ms against %.3f ms, ratio %.2f (goal 3.0)%s\n", style.name,
                static_cast<int>(menuRect.Right - menuRect.Left), static_cast<int>(menuRect.Bottom - menuRect.Top),
                gMenuShadowShown ? ", shadow" : "", opening, bound, opening / bound,
                opening / bound <= 3.0 ? "" : "  OVER");
  }
  AScreen.Arm(nullptr, nullptr);
}

}  // namespace

int main() {
  RtlStart();
  GdiStart();
  UserStart();
  PresentWatch screen;
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
  BenchMenu(screen);
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
