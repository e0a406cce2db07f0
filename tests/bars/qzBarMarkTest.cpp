#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "gdi/SysColors.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "vcl/Forms.h"

namespace {

// A toolbar of three buttons that offers quick customizing, so that it shows its mark.
class Marks : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 300);
    form->Show();
    bar = manager->GetBars()->AddBar();
    bar->SetCaption("Tools");
    for (const char* caption : {"One", "Two", "Three"}) {
      auto* item = new TqzBarButton(form);
      item->SetCaption(caption);
      bar->GetItemLinks()->AddLinkForItem(item);
    }
    bar->SetAllowQuickCustomizing(true);
  }
  TqzBarControl* Show(TqzBarDockingStyle AStyle) {
    bar->SetDockingStyle(AStyle);
    bar->SetVisible(true);
    UpdateAllWindows();
    return bar->GetBarControl();
  }
  TqzBar* bar = nullptr;
};

TEST_F(Marks, TheMarkClosesADockedBarAndSitsLeftOfAFloatingBarsCloseButton) {
  manager->SetStyle(bmsEnhanced);
  TqzBarControl* window = Show(dsTop);
  ASSERT_TRUE(window && window->ShowsMark());
  Integer size = window->MarkSizeMetric();
  TRect mark;
  window->MarkRect(mark);
  EXPECT_EQ(mark, TRect(window->GetClientWidth() - size, 0, window->GetClientWidth(), window->GetClientHeight()));
  window = Show(dsLeft);
  window->MarkRect(mark);
  EXPECT_EQ(mark, TRect(0, window->GetClientHeight() - size, window->GetClientWidth(), window->GetClientHeight()));
  window = Show(dsNone);
  window->MarkRect(mark);
  TRect close = window->CloseButtonRect();
  EXPECT_EQ(mark.Right, close.Left - 1);
  EXPECT_EQ(mark.Height(), window->CaptionRect().Height());
  // The Standard mark of a floating bar is 13 pixels wide, and offers no quick customizing.
  manager->SetStyle(bmsStandard);
  window->SetLinksHidden(true);
  window->MarkRect(mark);
  EXPECT_EQ(mark.Width(), 13);
  EXPECT_EQ(mark.Right, close.Left - 1);
  // A caption beside the mark stops at it.
  Integer x = window->CaptionRect().Left;
  TRect band = window->CaptionRect();
  manager->GetDefaultPainter()->ClassRef()->OffsetFloatingCaption(window, x, band);
  EXPECT_EQ(x, window->CaptionRect().Left + 2);
  EXPECT_EQ(band.Right, mark.Left);
}

TEST_F(Marks, TheQuickCustomizingArrowAndTheChevronsOfHiddenLinks) {
  manager->SetStyle(bmsEnhanced);
  TqzBarControl* window = Show(dsTop);
  TBitmap bitmap;
  bitmap.SetSize(20, 30);
  auto paint = [&](bool AHidden) {
    bitmap.GetCanvas()->GetBrush()->SetColor(clWhite);
    bitmap.GetCanvas()->FillRect(TRect(0, 0, 20, 30));
    window->SetLinksHidden(AHidden);
    window->Painter()->DrawMarkGlyphs(window, bitmap.GetCanvas()->GetHandle(), TRect(0, 0, 11, 30));
  };
  TColor text = static_cast<TColor>(ColorToRGB(clBtnText));
  paint(false);
  // The down arrow: 5 pixels wide at Left + 3, Bottom - 7, pointing down.
  for (Integer x = 3; x <= 7; ++x) EXPECT_EQ(bitmap.GetCanvas()->GetPixel(x, 23), text) << x;
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(5, 25), text);
  EXPECT_NE(bitmap.GetCanvas()->GetPixel(3, 25), text);
  // No chevrons while every link shows.
  for (Integer y = 0; y < 12; ++y) EXPECT_NE(bitmap.GetCanvas()->GetPixel(2, y), text) << y;
  paint(true);
  // Two chevrons from Left + 2 and Left + 6, their strokes starting at row 4.
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(2, 4), text);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(6, 4), text);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(4, 6), text);
}

}  // namespace
