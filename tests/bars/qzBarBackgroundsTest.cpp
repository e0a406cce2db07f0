#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "gdi/SysColors.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/foundation/qzOffice11.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "user/WindowTree.h"

namespace {

// Toolbars docked on the sides of a form and one floating, and a bitmap their backgrounds are
// drawn on for probing.
class BarBackgrounds : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(0, 0, 400, 300);
    form->Show();
    bitmap.SetSize(400, 300);
  }
  TqzBar* AddBar(TqzBarDockingStyle AStyle, bool AMainMenu = false) {
    TqzBar* bar = manager->GetBars()->AddBar();
    auto* item = new TqzBarButton(form);
    item->SetCaption("Item");
    bar->GetItemLinks()->AddLinkForItem(item);
    bar->SetIsMainMenu(AMainMenu);
    bar->SetDockingStyle(AStyle);
    bar->SetVisible(true);
    Pump();
    return bar;
  }
  HDC DC() { return bitmap.GetCanvas()->GetHandle(); }
  TColor Pixel(Integer X, Integer Y) { return bitmap.GetCanvas()->GetPixel(X, Y); }
  static TColor Rgb(TColor AColor) { return static_cast<TColor>(ColorToRGB(AColor)); }
  // The window's client background drawn at the bitmap's corner.
  void DrawToolbar(TqzBar* ABar) {
    TqzBarControl* window = ABar->GetBarControl();
    window->FillBackground(DC(), window->GetClientRect(), false, clNone, window->BackgroundBrush());
  }
  // Where the window's client origin lies in its dock site.
  static TPoint OriginInSite(TqzBarControl* AWindow) {
    POINT p{0, 0};
    MapWindowPoints(AWindow->GetHandle(), AWindow->GetDockControl()->GetHandle(), &p, 1);
    return TPoint(p.X, p.Y);
  }
  TBitmap bitmap;
};

}  // namespace

TEST_F(BarBackgrounds, ADockedToolbarContinuesTheTilingOfItsSite) {
  TqzBar* bar = AddBar(dsTop);
  TqzDockControl* site = bar->GetBarControl()->GetDockControl();
  ASSERT_NE(site, nullptr);
  // A 7 x 5 picture with one red pixel: its copies must line up across the site and the bar.
  TBitmap tile;
  tile.SetSize(7, 5);
  tile.GetCanvas()->GetBrush()->SetColor(clWhite);
  tile.GetCanvas()->FillRect(TRect(0, 0, 7, 5));
  tile.GetCanvas()->SetPixel(3, 2, clRed);
  site->SetBackgroundBitmap(&tile);
  Pump();
  DrawToolbar(bar);
  TPoint origin = OriginInSite(bar->GetBarControl());
  TqzBarControl* window = bar->GetBarControl();
  for (Integer y = 0; y < window->GetClientHeight(); ++y)
    for (Integer x = 0; x < window->GetClientWidth(); ++x) {
      bool red = (x + origin.X) % 7 == 3 && (y + origin.Y) % 5 == 2;
      ASSERT_EQ(Pixel(x, y), red ? Rgb(clRed) : Rgb(clWhite)) << x << "," << y;
    }
}

TEST_F(BarBackgrounds, TheBarsOwnColourOrPictureComesFirst) {
  TqzBar* docked = AddBar(dsTop);
  TqzBar* floating = AddBar(dsNone);
  for (TqzBar* bar : {docked, floating}) {
    // Without either, the plain look fills with the bar brush.
    DrawToolbar(bar);
    EXPECT_EQ(Pixel(3, 3), Rgb(clBtnFace));
    bar->SetColor(clYellow);
    DrawToolbar(bar);
    EXPECT_EQ(Pixel(3, 3), Rgb(clYellow));
    TBitmap picture;
    picture.SetSize(4, 4);
    picture.GetCanvas()->GetBrush()->SetColor(clLime);
    picture.GetCanvas()->FillRect(TRect(0, 0, 4, 4));
    bar->GetBackgroundBitmap()->Assign(&picture);
    DrawToolbar(bar);
    EXPECT_EQ(Pixel(3, 3), Rgb(clLime));
  }
}

TEST_F(BarBackgrounds, Office11DockSitesAndToolbarBodies) {
  manager->SetStyle(bmsOffice11);
  TqzBar* menu = AddBar(dsTop, true);
  TqzBar* toolbar = AddBar(dsTop);
  toolbar->SetBorderStyle(bbsSingle);
  AddBar(dsLeft);
  AddBar(dsRight);
  TqzBar* floating = AddBar(dsNone);
  Pump();
  TColor dock1 = Rgb(Office11Color(0)), dock2 = Rgb(Office11Color(1));
  TColor body1 = Rgb(Office11Color(2)), body2 = Rgb(Office11Color(3));
  ASSERT_NE(dock1, dock2);
  ASSERT_NE(body1, body2);
  // A side site shows one end of the dock gradient; the top site runs from one end to the other.
  struct Case {
    TqzBarDockingStyle style;
    TColor first, last;
  } cases[] = {{dsLeft, dock1, dock1}, {dsRight, dock2, dock2}, {dsTop, dock1, dock2}};
  for (const Case& c : cases) {
    TqzDockControl* site = manager->GetBars()->GetDockControl(c.style);
    TRect client = site->GetClientRect();
    ASSERT_FALSE(IsRectEmpty(&client)) << c.style;
    site->FillBackground(DC(), client, clBtnFace, nullptr, client);
    EXPECT_EQ(Pixel(0, 0), c.first) << c.style;
    TColor last = Pixel(client.Right - 1, client.Bottom - 1);
    if (c.style == dsTop)
      EXPECT_NE(last, c.first);
    else
      EXPECT_EQ(last, c.last) << c.style;
  }
  // The main menu has no body: it shows the site behind it, pixel for pixel.
  TqzBarControl* menuWindow = menu->GetBarControl();
  DrawToolbar(menu);
  TPoint origin = OriginInSite(menuWindow);
  TColor behind = Pixel(5, 3);
  TqzDockControl* top = menuWindow->GetDockControl();
  top->FillBackground(DC(), TRect(0, 0, 1, 1), clBtnFace, nullptr,
                      TRect(origin.X + 5, origin.Y + 3, origin.X + 6, origin.Y + 4));
  EXPECT_EQ(Pixel(0, 0), behind);
  // A bordered toolbar's body runs from the first toolbar colour at its top to the second below.
  TqzBarControl* window = toolbar->GetBarControl();
  RECT outer{};
  ::GetWindowRect(window->GetHandle(), &outer);
  window->FillBackground(DC(), TRect(0, 0, outer.Right - outer.Left, outer.Bottom - outer.Top), true, clNone,
                         window->BackgroundBrush());
  Integer height = outer.Bottom - outer.Top;
  EXPECT_EQ(Pixel(20, 1), body1);
  EXPECT_NE(Pixel(20, height - 2), body1);
  EXPECT_NE(Pixel(20, 0), Pixel(20, 1));  // the site shows above the body
  // A floating toolbar's client area runs from the first to the second colour, top to bottom.
  TqzBarControl* floatingWindow = floating->GetBarControl();
  DrawToolbar(floating);
  EXPECT_EQ(Pixel(4, 0), body1);
  EXPECT_EQ(Pixel(4, floatingWindow->GetClientHeight() - 1), Pixel(9, floatingWindow->GetClientHeight() - 1));
  EXPECT_NE(Pixel(4, floatingWindow->GetClientHeight() - 1), body1);
}
