// The flat look of menu windows: a one-pixel border, the window-coloured frame round the items
// with the band's column, and separators that start after the tinted icon band.

#include "gdi/Drawing.h"
#include "toolkit/bars/qzBarFlatPainter.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "user/Rects.h"

void TqzBarFlatPainter::GetMenuTextRect(TqzBarItemControlDrawParams* AParams, const TRect& AItemRect, TRect& R) {
  TRect item(AItemRect.Left, AItemRect.Top + 1, AItemRect.Right - 1, AItemRect.Bottom - 1);
  TqzBarPainter::GetMenuTextRect(AParams, item, R);
}

void TqzBarFlatPainter::DrawMenuBorder(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) {
  FrameWith(DC, R, AMenu->GetControlBarManager()->FlatBorderBrush());
  ClassRef()->DrawQuickFrame(AMenu, DC);
}

void TqzBarFlatPainter::DrawMenuInnerFrame(TqzBarSubMenuControl* AMenu, HDC DC, HBRUSH ABrush, const TRect& R) {
  FrameWith(DC, R, ClassRef()->MenuBrush(AMenu));
  FillWith(DC, TRect(R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1), ABrush);
}

void TqzBarFlatPainter::DrawMenuSeparatorItem(TqzBarSubMenuControl* AMenu, TqzBarItemControl* AControl, const TRect& R,
                                              TkvCanvas* ACanvas) {
  TqzBarPainterClass cls = ClassRef();
  HDC DC = ACanvas->DCHandle();
  // The band ends where the items' bands end: the icon column and its two-pixel strip.
  Integer band = R.Left + AMenu->GetIconAreaSizeValue() + 1;
  // A band brush that is the menu's own background fills from it (a painted band shows through).
  HBRUSH bandBrush = MenuItemBackgroundBrush(AControl);
  cls->FillItemBackground(AControl, DC, bandBrush != AMenu->BackgroundBrush(), bandBrush,
                          TRect(R.Left, R.Top, band, R.Bottom));
  cls->FillItemBackground(AControl, DC, false, AMenu->BackgroundBrush(), TRect(band, R.Top, R.Right, R.Bottom));
  Integer middle = (R.Top + R.Bottom) / 2;
  DrawMenuSeparatorLine(ACanvas, TRect(band + cls->MenuGroupIndent(), middle, R.Right + 1, middle + 1));
}
