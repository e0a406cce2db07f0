#include <gtest/gtest.h>

#include "PixelCanvas.h"

namespace {

TEST(Edges, RingsTakeTheClassicColoursAndAdjustShrinks) {
  struct Case {
    UINT edge, flags;
    int outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
  };
  const Case cases[] = {
      {EDGE_RAISED, BF_RECT, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
      {EDGE_SUNKEN, BF_RECT, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
      {EDGE_ETCHED, BF_RECT, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
      {EDGE_RAISED, BF_RECT | BF_SOFT, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_BTNSHADOW},
      {EDGE_SUNKEN, BF_RECT | BF_FLAT, COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNFACE},
      {EDGE_SUNKEN, BF_RECT | BF_MONO, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME, COLOR_WINDOW, COLOR_WINDOW},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.edge << " " << c.flags);
    PixelCanvas canvas(8, 8, RGB(1, 2, 3));
    RECT r{0, 0, 8, 8};
    EXPECT_TRUE(DrawEdge(canvas.dc(), &r, c.edge, c.flags | BF_ADJUST | BF_MIDDLE));
    EXPECT_EQ(r, (RECT{2, 2, 6, 6}));
    EXPECT_EQ(canvas.At(0, 3), GetSysColor(c.outerTopLeft));
    EXPECT_EQ(canvas.At(7, 3), GetSysColor(c.outerBottomRight));
    EXPECT_EQ(canvas.At(7, 0), GetSysColor(c.outerBottomRight));  // the corner goes to the bottom-right side
    EXPECT_EQ(canvas.At(1, 3), GetSysColor(c.innerTopLeft));
    EXPECT_EQ(canvas.At(6, 3), GetSysColor(c.innerBottomRight));
    EXPECT_EQ(canvas.At(3, 3), GetSysColor((c.flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
  }
}

TEST(Edges, OnlyTheAskedSidesAreDrawn) {
  PixelCanvas canvas(6, 6);
  RECT r{0, 0, 6, 6};
  DrawEdge(canvas.dc(), &r, BDR_SUNKENOUTER, BF_LEFT | BF_ADJUST);
  EXPECT_EQ(r, (RECT{1, 0, 6, 6}));
  EXPECT_EQ(canvas.At(0, 2), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.At(2, 0), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(5, 2), RGB(255, 255, 255));
  RECT empty{5, 5, 1, 1};
  EXPECT_TRUE(DrawEdge(canvas.dc(), &empty, EDGE_RAISED, BF_RECT | BF_MIDDLE));
}

TEST(FrameControls, ClassicLooksPaintTheirParts) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  {
    PixelCanvas canvas(16, 16);
    RECT r{0, 0, 16, 16};
    DrawFrameControl(canvas.dc(), &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    EXPECT_EQ(r, (RECT{2, 2, 14, 14}));
    EXPECT_EQ(canvas.At(8, 8), face);
    EXPECT_EQ(canvas.At(15, 8), GetSysColor(COLOR_3DDKSHADOW));
  }
  {
    PixelCanvas canvas(13, 13);
    RECT r{0, 0, 13, 13};
    DrawFrameControl(canvas.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(canvas.At(0, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_GT(canvas.CountOf(GetSysColor(COLOR_WINDOWTEXT)), 10);  // the check mark
    PixelCanvas unchecked(13, 13);
    DrawFrameControl(unchecked.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE);
    EXPECT_EQ(unchecked.At(6, 6), face);  // an inactive box is grey inside
  }
  {
    PixelCanvas canvas(12, 12);
    RECT r{0, 0, 12, 12};
    DrawFrameControl(canvas.dc(), &r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255));  // round: corners untouched
    EXPECT_EQ(canvas.At(5, 5), GetSysColor(COLOR_WINDOWTEXT));
  }
  {
    PixelCanvas canvas(16, 16);
    RECT r{0, 0, 16, 16};
    DrawFrameControl(canvas.dc(), &r, DFC_SCROLL, DFCS_SCROLLDOWN);
    EXPECT_GT(canvas.CountOf(GetSysColor(COLOR_BTNTEXT)), 3);
    PixelCanvas inactive(16, 16);
    DrawFrameControl(inactive.dc(), &r, DFC_SCROLL, DFCS_SCROLLUP | DFCS_INACTIVE);
    EXPECT_GT(inactive.CountOf(GetSysColor(COLOR_GRAYTEXT)), 3);
    EXPECT_EQ(inactive.CountOf(GetSysColor(COLOR_BTNTEXT)), 0);
  }
  for (UINT caption : {DFCS_CAPTIONCLOSE, DFCS_CAPTIONMIN, DFCS_CAPTIONMAX, DFCS_CAPTIONRESTORE, DFCS_CAPTIONHELP}) {
    PixelCanvas canvas(16, 14);
    RECT r{0, 0, 16, 14};
    DrawFrameControl(canvas.dc(), &r, DFC_CAPTION, caption | DFCS_PUSHED);
    EXPECT_GT(canvas.CountOf(GetSysColor(COLOR_BTNTEXT)), 3) << caption;
  }
  {
    PixelCanvas canvas(16, 16);
    RECT r{0, 0, 16, 16};
    DrawFrameControl(canvas.dc(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    EXPECT_GT(canvas.CountOf(GetSysColor(COLOR_BTNSHADOW)), 10);
    EXPECT_EQ(canvas.At(0, 0), face);
  }
  {
    PixelCanvas canvas(16, 16);
    RECT r{0, 0, 16, 16};
    DrawFrameControl(canvas.dc(), &r, DFC_MENU, DFCS_MENUCHECK);
    EXPECT_GT(canvas.CountOf(RGB(0, 0, 0)), 10);
    EXPECT_EQ(canvas.CountOf(RGB(0, 0, 0)) + canvas.CountOf(RGB(255, 255, 255)), 256);
  }
}

}  // namespace
