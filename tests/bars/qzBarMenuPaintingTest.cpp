#include <gtest/gtest.h>

#include <cstdlib>

#include "BarsTestSupport.h"
#include "gdi/SysColors.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"

namespace {

// A menu window of Open, Recent > (One, Two), a group start and Exit, shown in the manager's style.
class MenuPainting : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 300);
    form->Show();
    items = new TqzBarSubItem(form);
    Button("Open");
    recent = new TqzBarSubItem(form);
    recent->SetCaption("Recent");
    items->GetItemLinks()->AddLinkForItem(recent);
    Button("One", recent);
    Button("Exit")->SetBeginGroup(true);
  }
  void TearDown() override {
    if (menu) menu->Dismiss();
    BarManagerOnForm::TearDown();
  }
  TqzBarItemLink* Button(const char* ACaption, TqzBarSubItem* AParent = nullptr) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(ACaption);
    return (AParent ? AParent : items)->GetItemLinks()->AddLinkForItem(item);
  }
  void Open(TqzBarManagerStyle AStyle, Integer ASelected = -1) {
    manager->SetStyle(AStyle);
    menu = new TqzBarSubMenuControl(manager);
    menu->SetItemLinks(items->GetItemLinks());
    menu->Popup(TPoint(100, 100));
    if (ASelected >= 0) menu->SetSelectedControl(items->GetItemLinks()->GetLink(ASelected)->GetControl());
    UpdateAllWindows();
  }
  // A pixel of the menu window, in window coordinates.
  uint32_t At(Integer X, Integer Y) {
    PixelImage image = screen.WindowImage(menu->GetHandle());
    return image.pixels[static_cast<size_t>(Y) * image.width + X] & 0xFFFFFF;
  }
  // A pixel in the menu's client coordinates.
  uint32_t ClientAt(Integer X, Integer Y) {
    TPoint origin = menu->ClientToScreen(TPoint(0, 0));
    RECT window;
    GetWindowRect(menu->GetHandle(), &window);
    return At(X + origin.X - window.Left, Y + origin.Y - window.Top);
  }
  // How many pixels of the colour lie in R (client coordinates); ATolerance per channel takes the
  // smoothed edges of text.
  Integer Count(const TRect& R, TColor AColor, Integer ATolerance = 0) {
    uint32_t want = ColorToRGB(AColor) & 0xFFFFFF;
    Integer n = 0;
    for (Integer y = R.Top; y < R.Bottom; ++y)
      for (Integer x = R.Left; x < R.Right; ++x) {
        // Pixels are read as 0xRRGGBB, colours are 0xBBGGRR.
        uint32_t p = ClientAt(x, y);
        bool near = true;
        for (int shift : {0, 8, 16})
          near = near && std::abs(static_cast<int>((p >> (16 - shift)) & 0xFF) - static_cast<int>((want >> shift) & 0xFF)) <=
                             ATolerance;
        n += near;
      }
    return n;
  }
  TqzBarSubItem* items = nullptr;
  TqzBarSubItem* recent = nullptr;
  TqzBarSubMenuControl* menu = nullptr;
};

TEST_F(MenuPainting, ASelectedItemsCaptionTakesItsStylesSelectedTextColour) {
  struct Case {
    TqzBarManagerStyle style;
    TColor text;
  } cases[] = {{bmsStandard, clHighlightText}, {bmsEnhanced, clHighlightText}, {bmsFlat, clBtnText}};
  for (const Case& c : cases) {
    Open(c.style, 0);
    TqzBarItemControl* control = items->GetItemLinks()->GetLink(0)->GetControl();
    TRect row = control->GetItemRect();
    TRect caption(row.Left + control->GlyphPartWidth(), row.Top, row.Right, row.Bottom);
    EXPECT_GT(Count(caption, c.text, 0x40), 12) << c.style;
    menu->Dismiss();
    menu = nullptr;
  }
}

TEST_F(MenuPainting, ASubItemShowsOneArrow) {
  for (TqzBarManagerStyle style : {bmsStandard, bmsFlat, bmsOffice11}) {
    Open(style);
    TqzBarItemControl* control = items->GetItemLinks()->GetLink(1)->GetControl();
    TRect row = control->GetItemRect();
    TRect tail(row.Right - control->ExtraWidth(), row.Top, row.Right, row.Bottom);
    TRect ink = InkBounds(screen, menu, tail);
    ASSERT_FALSE(IsRectEmpty(&ink)) << style;
    // One arrow is as wide as the menu arrow is high; two in a row were twice that.
    EXPECT_LE(ink.Width(), menu->GetMenuArrowHeight() + 1) << style;
    menu->Dismiss();
    menu = nullptr;
  }
}

TEST_F(MenuPainting, ALongShortCutStaysClearOfItsCaptionAndTheArrowColumn) {
  // Open, with the longest shortcut, is the widest row: the menu is as wide as it is measured.
  auto* open = dynamic_cast<TqzBarButton*>(items->GetItemLinks()->GetLink(0)->GetItem());
  open->SetShortCut(TextToShortCut("Ctrl+Shift+F12"));
  for (TqzBarManagerStyle style : {bmsStandard, bmsEnhanced, bmsFlat, bmsOffice11}) {
    Open(style);
    TqzBarItemControl* control = items->GetItemLinks()->GetLink(0)->GetControl();
    TRect row = control->GetItemRect();
    TRect text;
    menu->Painter()->ClassRef()->GetMenuTextRect(control->GetDrawParams(), row, text);
    Integer captionEnd = text.Left + TextExtentInFont(menu->GetFont(), "Open").cx;
    Integer arrowColumn = row.Right - MenuShortCutEndGap(menu->GetTextSizeValue());
    // The shortcut's ink: after the caption with a gap, and wholly before the arrow column.
    TRect ink = InkBounds(screen, menu, TRect(captionEnd, row.Top, row.Right, row.Bottom));
    ASSERT_FALSE(IsRectEmpty(&ink)) << style;
    EXPECT_GE(ink.Left, captionEnd + menu->GetTextSizeValue() / 2) << style;
    EXPECT_LE(ink.Right, arrowColumn) << style;
    EXPECT_GT(ink.Width(), TextExtentInFont(menu->GetFont(), "Ctrl+Shift+F12").cx - 4) << style;
    menu->Dismiss();
    menu = nullptr;
  }
}

TEST_F(MenuPainting, FrameAndSeparatorByStyle) {
  struct Case {
    TqzBarManagerStyle style;
    Integer indent;  // where the separator's line starts after the items' left edge
  } cases[] = {{bmsStandard, 2}, {bmsEnhanced, 12}};
  for (const Case& c : cases) {
    Open(c.style);
    RECT window;
    GetWindowRect(menu->GetHandle(), &window);
    Integer w = window.Right - window.Left, h = window.Bottom - window.Top;
    uint32_t face = ColorToRGB(clBtnFace), dark = ColorToRGB(cl3DDkShadow);
    auto rgb = [](uint32_t c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); };
    // Face on the left and top, the raised outer edge's dark line on the right and bottom.
    EXPECT_EQ(At(0, h / 2), rgb(face)) << c.style;
    EXPECT_EQ(At(w / 2, 0), rgb(face)) << c.style;
    EXPECT_EQ(At(w - 1, h / 2), rgb(dark)) << c.style;
    EXPECT_EQ(At(w / 2, h - 1), rgb(dark)) << c.style;
    // The separator above Exit: its etched line on its fifth row, the indent kept at both sides.
    TRect band = menu->GetLayoutInfo()->GetSeparatorInfo(0).Bounds;
    TRect line(band.Left, band.Top + 4, band.Right, band.Top + 5);
    Integer shadow = Count(line, clBtnShadow);
    // The etched edge's dark line stops a pixel short of the right end.
    EXPECT_EQ(shadow, band.Width() - 2 * c.indent - 1) << c.style;
    EXPECT_EQ(Count(TRect(band.Left, band.Top + 4, band.Left + c.indent, band.Top + 5), clBtnShadow), 0) << c.style;
    menu->Dismiss();
    menu = nullptr;
  }
}

TEST_F(MenuPainting, TheFlatLooksFrameTheMenuInOneLineAndOffice11PaintsTheIconBand) {
  for (TqzBarManagerStyle style : {bmsFlat, bmsOffice11}) {
    Open(style);
    RECT window;
    GetWindowRect(menu->GetHandle(), &window);
    Integer w = window.Right - window.Left, h = window.Bottom - window.Top;
    uint32_t frame = At(0, h / 2);
    EXPECT_EQ(At(w / 2, 0), frame) << style;
    EXPECT_EQ(At(w - 1, h / 2), frame) << style;
    EXPECT_EQ(At(w / 2, h - 1), frame) << style;
    EXPECT_NE(At(1, h / 2), frame) << style;
    // Beside the Exit row: the band left of the captions, the menu's window colour after them.
    TRect row = items->GetItemLinks()->GetLink(2)->GetItemRect();
    uint32_t band = ClientAt(row.Left + 1, row.Top + 1), text = ClientAt(row.Right - 2, row.Top + 1);
    EXPECT_EQ(text, 0xFFFFFFu) << style;
    if (style == bmsOffice11) {
      EXPECT_NE(band, text);
    }
    menu->Dismiss();
    menu = nullptr;
  }
}

// Items fill their background a piece at a time; the pieces must join into the one picture a
// single fill gives, the band's gradient included, wherever a piece starts and ends.
TEST_F(MenuPainting, TheOffice11BackgroundFilledInPiecesMatchesOneFill) {
  Open(bmsOffice11);
  TRect client = menu->GetClientRect();
  TBitmap whole, pieces;
  whole.SetSize(client.Width(), client.Height());
  pieces.SetSize(client.Width(), client.Height());
  menu->DrawBackground(whole.GetCanvas()->GetHandle(), client);
  // Odd sizes, so that pieces start inside the band, across its end and after it.
  for (Integer y = 0; y < client.Height(); y += 7)
    for (Integer x = 0; x < client.Width(); x += 5)
      menu->DrawBackground(pieces.GetCanvas()->GetHandle(), TRect(x, y, x + 5, y + 7));
  Integer differing = 0;
  for (Integer y = 0; y < client.Height(); ++y)
    for (Integer x = 0; x < client.Width(); ++x)
      differing += whole.GetCanvas()->GetPixel(x, y) != pieces.GetCanvas()->GetPixel(x, y);
  EXPECT_EQ(differing, 0);
  // The band is a gradient across, the same in every row.
  EXPECT_NE(whole.GetCanvas()->GetPixel(0, 0), whole.GetCanvas()->GetPixel(10, 0));
  EXPECT_EQ(whole.GetCanvas()->GetPixel(10, 0), whole.GetCanvas()->GetPixel(10, client.Height() - 1));
}

// The side band stands left of the items and moves them, icon column and all: the icon band
// under every row must end where it ends without a side band, counted from the row's start.
TEST_F(MenuPainting, TheIconBandKeepsItsWidthBesideASideBand) {
  for (TqzBarManagerStyle style : {bmsFlat, bmsOffice11}) {
    Integer bandWidth[2] = {-1, -1}, rowLeft[2] = {0, 0};
    for (Integer side : {0, 1}) {
      items->SetBarSize(side ? 24 : 0);
      Open(style);
      TRect row = items->GetItemLinks()->GetLink(2)->GetItemRect();
      rowLeft[side] = row.Left;
      for (Integer x = row.Left; x < row.Right && bandWidth[side] < 0; ++x)
        if (ClientAt(x, row.Top + 1) == 0xFFFFFFu) bandWidth[side] = x - row.Left;
      menu->Dismiss();
      menu = nullptr;
    }
    EXPECT_EQ(rowLeft[1], rowLeft[0] + 24) << style;
    EXPECT_GT(bandWidth[0], 0) << style;
    EXPECT_EQ(bandWidth[1], bandWidth[0]) << style;
  }
}

TEST_F(MenuPainting, ACaptionedSeparatorDrawsNoLineAboveTheFirstItem) {
  auto heading = [&](const char* ACaption, Integer AIndex) {
    auto* label = new TqzBarStatic(form);
    label->SetCaption(ACaption);
    items->GetItemLinks()->AddLinkForItem(label)->SetIndex(AIndex);
  };
  heading("Files", 0);
  heading("More", 2);
  Open(bmsStandard);
  TBitmap bitmap;
  bitmap.SetSize(100, 20);
  TkvCanvas canvas(bitmap.GetCanvas());
  TColor shadow = static_cast<TColor>(ColorToRGB(clBtnShadow));
  for (Integer index : {0, 2}) {
    bitmap.GetCanvas()->GetBrush()->SetColor(clWhite);
    bitmap.GetCanvas()->FillRect(TRect(0, 0, 100, 20));
    TqzBarItemControl* control = items->GetItemLinks()->GetLink(index)->GetControl();
    control->FillDrawParams(true);
    TqzBarItemControlDrawParams* params = control->GetDrawParams();
    params->TargetCanvas = &canvas;
    params->ContentParts = qzContentText;
    menu->Painter()->DrawSeparatorItem(params, TRect(0, 0, 100, 20));
    EXPECT_EQ(bitmap.GetCanvas()->GetPixel(50, 0) == shadow, index != 0) << index;
    EXPECT_EQ(bitmap.GetCanvas()->GetPixel(50, 18), shadow) << index;
  }
}

}  // namespace
