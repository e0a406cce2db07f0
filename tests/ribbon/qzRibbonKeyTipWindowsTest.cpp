#include <gtest/gtest.h>

#include "RibbonFixture.h"
#include "toolkit/ribbon/qzRibbonKeyTipWindows.h"
#include "user/WindowPos.h"
#include "user/WindowStyles.h"

namespace {

using RibbonKeyTipWindows = RibbonOnForm;

TqzRibbonKeyTipWindow* AsWindow(TObject* AWindow) { return static_cast<TqzRibbonKeyTipWindow*>(AWindow); }

TEST_F(RibbonKeyTipWindows, AWindowTakesItsTextsSizeAndItsPlaceFromTheAnchor) {
  TInterfacePtr<IqzBarKeyTipWindowsManager> manager(new TqzRibbonKeyTipWindows(ribbon));
  TObject* narrow = nullptr;
  manager->AddKeyTipWindow("I", TPoint(0, 0), 1, 1, true, narrow);
  EXPECT_EQ(AsWindow(narrow)->GetWidth(), 16) << "one narrow character still makes a 16-pixel window";
  const struct {
    Byte Horz, Vert;
    Integer DX, DY;  // in halves of the window's size: -2 ends at the anchor, 0 starts there
  } kCases[] = {{0, 0, -2, -2}, {1, 1, 0, 0}, {2, 1, -1, 0}, {2, 2, -1, -1}, {1, 0, 0, -2}};
  for (const auto& c : kCases) {
    TObject* window = nullptr;
    manager->AddKeyTipWindow("WWW", TPoint(100, 50), c.Horz, c.Vert, true, window);
    const Integer w = AsWindow(window)->GetWidth(), h = AsWindow(window)->GetHeight();
    EXPECT_GT(w, 16);
    EXPECT_EQ(AsWindow(window)->GetLeft(), 100 + (c.DX == -1 ? -(w / 2) : c.DX / 2 * w)) << int(c.Horz);
    EXPECT_EQ(AsWindow(window)->GetTop(), 50 + (c.DY == -1 ? -(h / 2) : c.DY / 2 * h)) << int(c.Vert);
  }
}

TEST_F(RibbonKeyTipWindows, ShownWindowsLetClicksThroughAndADisabledOneStaysTranslucent) {
  auto* windows = new TqzRibbonKeyTipWindows(ribbon);
  TInterfacePtr<IqzBarKeyTipWindowsManager> manager(windows);
  TPoint centre = ribbon->ClientToScreen(TPoint(100, 10));
  TObject* enabled = nullptr;
  TObject* disabled = nullptr;
  manager->AddKeyTipWindow("F", centre, 2, 2, true, enabled);
  manager->AddKeyTipWindow("Y", TPoint(centre.X + 60, centre.Y), 2, 2, false, disabled);
  manager->ShowKeyTipWindows();
  Pump();
  auto layered = [](TObject* AWindow) {
    return (GetWindowLong(AsWindow(AWindow)->GetHandle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
  };
  for (TObject* window : {enabled, disabled}) {
    const HWND handle = AsWindow(window)->GetHandle();
    EXPECT_TRUE(IsWindowVisible(handle));
    EXPECT_TRUE(GetWindowLong(handle, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT r;
    GetWindowRect(handle, &r);
    const HWND below = WindowFromPoint(POINT{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    EXPECT_NE(below, handle) << "the mouse reaches the window below";
  }
  EXPECT_FALSE(layered(enabled));
  EXPECT_TRUE(layered(disabled));
  AsWindow(disabled)->SetText("YZ");
  EXPECT_TRUE(layered(disabled)) << "a new text keeps it translucent";
  AsWindow(disabled)->SetEnabled(true);
  EXPECT_FALSE(layered(disabled)) << "enabling makes it opaque";

  TqzRibbonKeyTipWindow stranger(nullptr);
  EXPECT_THROW(manager->RemoveKeyTipWindow(&stranger), Exception);
  manager->RemoveKeyTipWindow(enabled);
  EXPECT_EQ(windows->WindowCount(), 1);
}

}  // namespace
