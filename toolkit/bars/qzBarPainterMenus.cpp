// The default look of menus: the menu frame and background, menu items with their icon column,
// caption and shortcut, separators, scroll buttons, metrics of checks and arrows, and the menu
// brush.

#include "gdi/Drawing.h"
#include "gdi/Edges.h"
#include "gdi/GdiTypes.h"
#include "gdi/Regions.h"
#include "gdi/SysColors.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "user/Rects.h"

void TqzBarPainter::FillArrowShape(TkvCanvas* ACanvas, const TRect& R, TColor AColor) {
  FillAreaSolidOrTiled(ACanvas->DCHandle(), R, R, nullptr, AColor, nullptr);
}

void TqzBarPainter::DrawScrollArrow(TqzBarSubMenuControl* AMenu, TkvCanvas* ACanvas, bool ADown, TColor AColor,
                                    const TRect& R) {
  HDC DC = ACanvas->DCHandle();
  TPoint corners[3];
  ComputeArrowTriangle(R, corners, ADown ? adDown : adUp, true, ClassRef()->ScrollArrowSize(AMenu->GetTextSizeValue()));
  // A polygon region leaves out its right and bottom edges: the points are widened by one pixel there.
  Integer cx = (corners[0].X + corners[1].X + corners[2].X) / 3;
  Integer cy = (corners[0].Y + corners[1].Y + corners[2].Y) / 3;
  POINT points[3];
  TRect bounds(corners[0].X, corners[0].Y, corners[0].X, corners[0].Y);
  for (int i = 0; i < 3; ++i) {
    points[i] = {corners[i].X + (corners[i].X > cx ? 1 : 0), corners[i].Y + (corners[i].Y > cy ? 1 : 0)};
    bounds.Left = std::min<Integer>(bounds.Left, points[i].X);
    bounds.Top = std::min<Integer>(bounds.Top, points[i].Y);
    bounds.Right = std::max<Integer>(bounds.Right, points[i].X);
    bounds.Bottom = std::max<Integer>(bounds.Bottom, points[i].Y);
  }
  HRGN triangle = CreatePolygonRgn(points, 3, WINDING);
  HRGN saved = nullptr;
  bool existed = false;
  BackupClipRegion(DC, saved, existed);
  ExtSelectClipRgn(DC, triangle, RGN_AND);
  FillArrowShape(ACanvas, bounds, AColor);
  RestoreClipRegionBackup(DC, saved, existed);
  // The face painted next leaves the arrow alone.
  ExtSelectClipRgn(DC, triangle, RGN_DIFF);
  DeleteObject(triangle);
}

void TqzBarPainter::DrawScrollButton(TqzBarSubMenuControl* AMenu, TkvCanvas* ACanvas, bool ADown) {
  TRect r;
  GetScrollButtonRect(AMenu, ADown, r);
  DrawScrollArrow(AMenu, ACanvas, ADown, static_cast<TColor>(GetSysColor(COLOR_BTNTEXT)), r);
  DrawScrollButtonExtra(AMenu, ACanvas, ADown);
  DrawScrollButtonFace(AMenu, ACanvas, ADown);
}

void TqzBarPainter::DrawScrollButtonFace(TqzBarSubMenuControl* AMenu, TkvCanvas* ACanvas, bool ADown) {
  TRect r;
  GetScrollButtonRect(AMenu, ADown, r);
  AMenu->FillBackground(ACanvas->DCHandle(), r, false, clNone, AMenu->BackgroundBrush());
}

void TqzBarPainter::GetScrollButtonRect(TqzBarSubMenuControl* AMenu, bool ADown, TRect& R) {
  R = AMenu->GetItemsRect();
  Integer height = ScrollButtonHeight(AMenu);
  if (ADown)
    R.Top = R.Bottom - height;
  else
    R.Bottom = R.Top + height;
}

Integer TqzBarPainter::ScrollButtonHeight(TqzBarSubMenuControl* AMenu) { return AMenu->GetTextSizeValue(); }

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

Integer TqzBarPainter::SeparatorTextIndent(TqzBarItemControlDrawParams* AParams) {
  auto* menu = dynamic_cast<TqzBarSubMenuControl*>(AParams->ItemControl->GetParent());
  return menu ? ClassRef()->MenuTextStart(menu) : 0;
}

void TqzBarPainter::GetMenuContentMargins(TqzBarSubMenuControl*, TRect& R) {
  Integer inner = ClassRef()->MenuInnerBorderSize();
  R = TRect(inner, inner, inner, inner);
}

Integer TqzBarPainter::MenuTextStart(TqzBarSubMenuControl* AMenu) { return AMenu->GetIconAreaSizeValue(); }

Integer TqzBarPainter::MenuTextIndent(TqzBarSubMenuControl* AMenu) {
  Integer indent = AMenu->GetIconAreaSizeValue();
  ClassRef()->AdjustMenuItemWidth(indent);
  return indent;
}

Integer TqzBarPainter::MenuExtraLeft() { return 0; }

Integer TqzBarPainter::MenuExtraRight() { return 0; }

Integer TqzBarPainter::MenuCheckInset(Integer AHeight) { return (AHeight - 6) / 2; }

Integer TqzBarPainter::ReferenceTextSize() { return 19; }

void TqzBarPainter::GetMenuIconRect(const TRect& AItemRect, Integer AIconAreaSize, TRect& R) {
  R = AItemRect;
  R.Right = R.Left + AIconAreaSize;
}

void TqzBarPainter::GetMenuTextRect(TqzBarItemControlDrawParams* AParams, const TRect& AItemRect, TRect& R) {
  R = AItemRect;
  R.Left += ClassRef()->MenuCaptionIndent(AParams);
}

Integer TqzBarPainter::MenuCaptionIndent(TqzBarItemControlDrawParams* AParams) {
  auto* menu = dynamic_cast<TqzBarSubMenuControl*>(AParams->ItemControl->GetParent());
  return (menu ? ClassRef()->MenuTextStart(menu) : AParams->ItemControl->GlyphPartWidth()) + 3;
}

void TqzBarPainter::DrawScrollButtonExtra(TqzBarSubMenuControl*, TkvCanvas*, bool) {}

void TqzBarPainter::FillMenuBackground(TqzBarSubMenuControl* AMenu, HDC DC, TColor AColor, HBRUSH ABrush,
                                       const TRect& R) {
  FillAreaSolidOrTiled(DC, R, AMenu->GetClientRect(), AMenu->BackgroundBitmap(), AColor, ABrush);
}

void TqzBarPainter::DrawMenuBorder(TqzBarSubMenuControl*, HDC DC, const TRect& R) {
  HBRUSH face = SysColorBrushCode(COLOR_BTNFACE);
  FillWith(DC, TRect(R.Left, R.Top, R.Left + 1, R.Bottom - 1), face);
  FillWith(DC, TRect(R.Left + 1, R.Top, R.Right - 1, R.Top + 1), face);
  RECT r = R;
  DrawEdge(DC, &r, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
}

void TqzBarPainter::DrawMenuInnerFrame(TqzBarSubMenuControl*, HDC DC, HBRUSH ABrush, const TRect& R) {
  RECT r = R;
  DrawEdge(DC, &r, BDR_RAISEDINNER, BF_RECT);
  TRect inner = R;
  InflateRect(&inner, -1, -1);
  FrameWith(DC, inner, ABrush);
}

void TqzBarPainter::DrawMenuSeparatorItem(TqzBarSubMenuControl* AMenu, TqzBarItemControl* AControl, const TRect& R,
                                          TkvCanvas* ACanvas) {
  ClassRef()->FillItemBackground(AControl, ACanvas->DCHandle(), false, AMenu->BackgroundBrush(), R);
  TRect line = R;
  Integer indent = ClassRef()->MenuGroupIndent();
  InflateRect(&line, -indent, -4);
  DrawMenuSeparatorLine(ACanvas, line);
}

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

void TqzBarPainter::DrawAppMenuFrame(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) { DrawMenuBorder(AMenu, DC, R); }

void TqzBarPainter::DrawAppMenuExtra(TqzBarItemControlDrawParams*, const TRect&) {}

void TqzBarPainter::DrawAppMenuPane(TqzBarSubMenuControl* AMenu, TkvCanvas* ACanvas, const TRect& R, HBRUSH ABrush) {
  ACanvas->ClipOutRect(R);
  FillMenuBackground(AMenu, ACanvas->DCHandle(), clNone, ABrush, AMenu->GetClientRect());
}

void TqzBarPainter::GetAppMenuMargins(TRect& AMargins) { AMargins = TRect(); }

void TqzBarPainter::FillAppMenuPane(TqzBarSubMenuControl* AMenu, HDC DC, TColor AColor, HBRUSH ABrush, const TRect& R) {
  FillAreaSolidOrTiled(DC, R, AMenu->GetClientRect(), AMenu->BackgroundBitmap(), AColor, ABrush);
}

void TqzBarPainter::DrawAppMenuSeparator(TqzBarSubMenuControl* AMenu, HDC DC, bool AHorizontal, HBRUSH ABrush,
                                         const TRect& R) {
  DrawBarSeparator(AMenu, DC, AHorizontal, ABrush, R);
}

// ---- Menu items ----------------------------------------------------------------------------------

void TqzBarPainter::DrawMenuButtonItem(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarItemControl* control = AParams->ItemControl;
  TqzBarPainterClass cls = ClassRef();
  HDC DC = AParams->TargetCanvas->DCHandle();
  DrawMenuItemBand(AParams, R);
  bool absent = !(AParams->ContentParts & qzContentIcon) || !control->HasImage(AParams->GlyphSizeKind);
  TRect icon, glyph;
  cls->GetMenuIconRect(R, control->GetParent()->GetIconAreaSizeValue(), icon);
  DrawItemGlyph(AParams, DC, icon, TRect(), absent, glyph);
  if (!(AParams->ContentParts & qzContentText)) return;
  TRect text;
  cls->GetMenuTextRect(AParams, R, text);
  Integer extra = cls->MenuExtraLeft();
  text.Top -= extra;
  text.Bottom += extra;
  bool flat = cls->IsFlatOnColouredFace();
  // The canvas puts its font on the DC first: the caption was measured in it.
  AParams->TargetCanvas->GetCanvas()->RequiredState(TCanvasState{csHandleValid, csFontValid});
  DrawCaptionText(control, DC, DT_SINGLELINE, flat, false, false, AParams->SelectedLook, AParams->EnabledLook, 0, text,
                  AParams->CaptionText);
  TqzBarItemLinks* links = control->GetLink() ? control->GetLink()->GetLinks() : nullptr;
  if (AParams->ShortCutText.empty() || !links || !links->GetEffectiveShowShortCuts()) return;
  text.Right -= control->GetParent()->GetTextSizeValue() + 5;
  DrawCaptionText(control, DC, DT_SINGLELINE, flat, false, false, AParams->SelectedLook, AParams->EnabledLook, 2, text,
                  AParams->ShortCutText);
}
