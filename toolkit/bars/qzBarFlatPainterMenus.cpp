// The flat look of menu windows: a one-pixel border, the window-coloured frame round the items
// with the band's column, and separators that start after the tinted icon band.

#include "gdi/Drawing.h"
#include "gdi/SysColors.h"
#include "toolkit/bars/qzBarFlatPainter.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "user/Rects.h"

void TqzBarFlatPainter::GetMenuTextRect(TqzBarItemControlDrawParams* AParams, const TRect& AItemRect, TRect& R) {
  TRect item(AItemRect.Left, AItemRect.Top + 1, AItemRect.Right - 1, AItemRect.Bottom - 1);
  TqzBarPainter::GetMenuTextRect(AParams, item, R);
}

void TqzBarFlatPainter::DrawExpandButtonHot(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) {
  ClassRef()->DrawSelectedFrame(DC, R);
  TRect inner = R;
  InflateRect(&inner, -1, -1);
  if (TqzBarItemControl* bottom = AMenu->GetBottomItemControl())
    ClassRef()->FillItemBackground(bottom, DC, true, AMenu->SelectedBrush(), inner);
  else
    FillWith(DC, inner, AMenu->SelectedBrush());
}

Integer TqzBarFlatPainter::DetachCaptionHeight(TqzBarSubMenuControl* AMenu) { return AMenu->GetDetachCaptionHeight() + 1; }

void TqzBarFlatPainter::GetBandGapRect(TqzBarSubMenuControl*, TqzBarItemControl*, TRect& ABand, const TRect& R) {
  ABand = R;
  ABand.Bottom = R.Top;
  ABand.Top = ABand.Bottom - MenuSeparatorHeight();
}

void TqzBarFlatPainter::GetDetachCaptionInset(TqzBarSubMenuControl*, TRect& R) { InflateRect(&R, -2, -2); }

void TqzBarFlatPainter::DrawMenuBorder(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) {
  FrameWith(DC, R, AMenu->GetControlBarManager()->FlatBorderBrush());
  ClassRef()->DrawQuickFrame(AMenu, DC);
  if (!AMenu->HasDetachCaption()) return;
  HBRUSH window = SysColorBrushCode(COLOR_WINDOW);
  Integer height = AMenu->GetDetachCaptionHeight();
  FillWith(DC, TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Top + 2), window);
  FillWith(DC, TRect(R.Left + 1, R.Top + 2, R.Left + 2, R.Top + 2 + height), window);
  FillWith(DC, TRect(R.Right - 2, R.Top + 2, R.Right - 1, R.Top + 2 + height), window);
  TRect caption;
  AMenu->GetDetachCaptionRect(caption);
  DrawDetachCaption(AMenu, DC, caption);
}

void TqzBarFlatPainter::DrawDetachCaption(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) {
  bool hot = AMenu->GetDetachCaptionHot();
  TRect face = R;
  if (hot) {
    ClassRef()->DrawSelectedFrame(DC, face);
    InflateRect(&face, -1, -1);
    FillWith(DC, face, AMenu->SelectedBrush());
  } else {
    FillWith(DC, face, AMenu->GetControlBarManager()->FlatFaceBrush());
  }
  // Every other row of the grip is a line, from its first row on.
  Integer left = (R.Left + R.Right - 33) / 2;
  HBRUSH line = SysColorBrushCode(hot ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
  for (Integer y = R.Top + 1; y < R.Bottom - 1; y += 2) FillWith(DC, TRect(left, y, left + 33, y + 1), line);
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
