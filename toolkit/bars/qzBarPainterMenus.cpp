// The default look of menus: metrics of the menu frame, checks and arrows, the separator line and
// the menu brush.

#include "gdi/Drawing.h"
#include "gdi/Edges.h"
#include "gdi/GdiTypes.h"
#include "gdi/SysColors.h"
#include "toolkit/bars/qzBarPainter.h"
#include "user/Rects.h"

void TqzBarPainter::FillArrowShape(TkvCanvas* ACanvas, const TRect& R, TColor AColor) {
  FillAreaSolidOrTiled(ACanvas->DCHandle(), R, R, nullptr, AColor, nullptr);
}

Integer TqzBarPainter::ScrollArrowSize(Integer AHeight) { return AHeight / 3 - 1; }

bool TqzBarPainter::MenuHasSideBand() { return false; }

bool TqzBarPainter::MenuOffsetsRecentGroup() { return false; }

Integer TqzBarPainter::MenuArrowOffset() { return 2; }

Integer TqzBarPainter::MenuArrowWidth(Integer ATextSize) { return ATextSize / 4 * 3 + 1; }

Integer TqzBarPainter::MenuSeparatorHeight() { return 10; }

Integer TqzBarPainter::MenuFrameWidth() { return ClassRef()->MenuBorderSize() + ClassRef()->MenuInnerBorderSize(); }

Integer TqzBarPainter::MenuBorderSize() { return 1; }

Integer TqzBarPainter::MenuInnerBorderSize() { return 1; }

void TqzBarPainter::GetMenuCheckSize(TkvCanvas* ACanvas, Integer ATextSize, Integer& AHeight, Integer& AWidth) {
  TqzBarPainterClass cls = ClassRef();
  AWidth = cls->MenuArrowWidth(ATextSize);
  AHeight = ACanvas->TextHeightOf("0") + 1;
  // An odd inset would leave the check off centre.
  Integer inset = cls->MenuCheckInset(AHeight);
  if (inset % 2 != 0) AHeight = 2 * inset + 4;
}

Integer TqzBarPainter::MenuExtraLeft() { return 0; }

Integer TqzBarPainter::MenuExtraRight() { return 0; }

Integer TqzBarPainter::MenuCheckInset(Integer AHeight) { return (AHeight - 6) / 2; }

Integer TqzBarPainter::ReferenceTextSize() { return 19; }

void TqzBarPainter::GetMenuIconRect(const TRect& AItemRect, Integer AIconAreaSize, TRect& R) {
  R = AItemRect;
  R.Right = R.Left + AIconAreaSize;
}

void TqzBarPainter::DrawScrollButtonExtra(TqzBarSubMenuControl*, TkvCanvas*, bool) {}

void TqzBarPainter::DrawMenuItemFrame(TqzBarSubMenuControl*, TqzBarItemControl*, Integer, const TRect&, HDC) {}

void TqzBarPainter::DrawMenuSeparatorLine(TkvCanvas* ACanvas, const TRect& R) {
  RECT r = R;
  DrawEdge(ACanvas->DCHandle(), &r, EDGE_ETCHED, BF_TOP);
}

bool TqzBarPainter::GetMenuBackgroundBrush(TqzBarSubMenuControl* AMenu, HBRUSH& ABrush) {
  TqzBarPainterClass cls = ClassRef();
  if (!cls->HotTracksWindowParts()) return false;
  ABrush = cls->MenuBrush(AMenu);
  return true;
}

Integer TqzBarPainter::MenuItemTextSize(TkvCanvas* ACanvas) { return ClassRef()->BarTextSize(ACanvas); }

HBRUSH TqzBarPainter::MenuBrush(TqzBarSubMenuControl*) { return SysColorBrushCode(COLOR_BTNFACE); }

void TqzBarPainter::DrawAppMenuExtra(TqzBarItemControlDrawParams*, const TRect&) {}

void TqzBarPainter::GetAppMenuMargins(TRect& AMargins) { AMargins = TRect(); }
