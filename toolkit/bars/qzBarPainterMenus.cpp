// The default look of menus: the menu frame and background, menu items with their icon column,
// caption and shortcut, separators, scroll buttons, metrics of checks and arrows, and the menu
// brush.

#include "gdi/Bitmaps.h"
#include "gdi/DeviceContexts.h"
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
  DrawClippedArrow(ACanvas, R, ADown, ClassRef()->ScrollArrowSize(AMenu->GetTextSizeValue()), AColor);
}

void TqzBarPainter::DrawClippedArrow(TkvCanvas* ACanvas, const TRect& R, bool ADown, Integer AArrowSize,
                                     TColor AColor) {
  HDC DC = ACanvas->DCHandle();
  TPoint corners[3];
  ComputeArrowTriangle(R, corners, ADown ? adDown : adUp, true, AArrowSize);
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
  try {
    FillArrowShape(ACanvas, bounds, AColor);
  } catch (...) {
    RestoreClipRegionBackup(DC, saved, existed);
    DeleteObject(triangle);
    throw;
  }
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
  DrawScrollButtonEdge(AMenu, ACanvas, ADown);
  DrawScrollButtonFace(AMenu, ACanvas, ADown);
}

void TqzBarPainter::DrawScrollButtonFace(TqzBarSubMenuControl* AMenu, TkvCanvas* ACanvas, bool ADown) {
  TRect r;
  GetScrollButtonRect(AMenu, ADown, r);
  AMenu->FillBackground(ACanvas->DCHandle(), r, false, clNone, AMenu->BackgroundBrush());
}

void TqzBarPainter::DrawScrollButtonEdge(TqzBarSubMenuControl* AMenu, TkvCanvas* ACanvas, bool ADown) {
  TqzBarItemControl* bottom = ADown ? AMenu->GetBottomItemControl() : nullptr;
  if (!bottom || !bottom->GetStartsBand()) return;
  TRect r;
  GetScrollButtonRect(AMenu, true, r);
  TRect line(r.Left - 1, r.Top, r.Right + 1, r.Top + 1);
  FillWith(ACanvas->DCHandle(), line, SysColorBrushCode(bottom->GetNonRecent() ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
  ACanvas->ClipOutRect(line);
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

void TqzBarPainter::DrawExpandChevrons(TqzBarSubMenuControl* AMenu, HDC DC, bool AHot, const TRect& R) {
  Integer n = AMenu->GetChevronSize();
  // On a white face the flat looks select in a dark colour: the chevrons turn light there.
  bool light = HighContrastWhiteFace() && ClassRef()->IsFlat() && AHot;
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(light ? COLOR_BTNFACE : COLOR_BTNTEXT));
  HGDIOBJ old = SelectObject(DC, pen);
  Integer x = (R.Left + R.Right - n - 1) / 2;
  Integer y0 = R.Top + (AMenu->GetMarkSize() - 2 * n) / 2;
  for (Integer i = 0; i < n; ++i) {
    Integer y = y0 + i + (i >= n / 2 ? n / 2 : 0);
    MoveToEx(DC, x, y, nullptr);
    LineTo(DC, x + n / 2, y + n / 2);
    LineTo(DC, x + n + 1, y - 1);
  }
  SelectObject(DC, old);
  DeleteObject(pen);
}

void TqzBarPainter::DrawExpandButton(TqzBarSubMenuControl* AMenu, const TRect& R, bool AHot) {
  if (IsRectEmpty(&R)) return;
  TkvCanvas* canvas = AMenu->ActiveCanvas();
  HDC target = canvas->DCHandle();
  HDC DC = CreateCompatibleDC(target);
  HBITMAP bitmap = CreateCompatibleBitmap(target, R.Width(), R.Height());
  HGDIOBJ old = SelectObject(DC, bitmap);
  SetWindowOrgEx(DC, R.Left, R.Top, nullptr);
  try {
    AMenu->FillBackground(DC, R, false, clNone, AMenu->BackgroundBrush());
    if (AHot) DrawExpandButtonHot(AMenu, DC, R);
    DrawExpandChevrons(AMenu, DC, AHot, R);
    SetWindowOrgEx(DC, 0, 0, nullptr);
    BitBlt(target, R.Left, R.Top, R.Width(), R.Height(), DC, 0, 0, SRCCOPY);
  } catch (...) {
    SelectObject(DC, old);
    DeleteObject(bitmap);
    DeleteDC(DC);
    throw;
  }
  SelectObject(DC, old);
  DeleteObject(bitmap);
  DeleteDC(DC);
  canvas->ClipOutRect(R);
}

void TqzBarPainter::DrawExpandButtonHot(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) {
  RECT r = R;
  DrawEdge(DC, &r, BDR_RAISEDINNER, BF_RECT);
  TRect inner = R;
  InflateRect(&inner, -1, -1);
  FillMenuBackground(AMenu, DC, clNone, AMenu->GetNonRecentBrush(), inner);
}

bool TqzBarPainter::ScrollButtonsHaveOwnBands() { return false; }

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

Integer TqzBarPainter::DetachCaptionHeight(TqzBarSubMenuControl* AMenu) { return AMenu->GetDetachCaptionHeight() + 3; }

Integer TqzBarPainter::MenuTextStart(TqzBarSubMenuControl* AMenu) { return AMenu->GetIconAreaSizeValue(); }

Integer TqzBarPainter::MenuTextIndent(TqzBarSubMenuControl* AMenu) {
  // Measured from the menu's left edge: the side band comes before the icon column.
  Integer indent = AMenu->GetBarSize() + AMenu->GetIconAreaSizeValue();
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

void TqzBarPainter::GetBandGapRect(TqzBarSubMenuControl* AMenu, TqzBarItemControl* AControl, TRect& ABand,
                                   const TRect& R) {
  ABand = R;
  // A band that starts a non-recent run stands a pixel lower: its gap follows it.
  ABand.Bottom = R.Top - (AControl->GetNonRecent() && AControl->GetStartsBand() ? 1 : 0);
  ABand.Top = ABand.Bottom - AMenu->SeparatorSize();
}

void TqzBarPainter::GetDetachCaptionInset(TqzBarSubMenuControl*, TRect& R) { InflateRect(&R, -3, -3); }

void TqzBarPainter::DrawScrollButtonExtra(TqzBarSubMenuControl*, TkvCanvas*, bool) {}

void TqzBarPainter::FillMenuBackground(TqzBarSubMenuControl* AMenu, HDC DC, TColor AColor, HBRUSH ABrush,
                                       const TRect& R) {
  FillAreaSolidOrTiled(DC, R, AMenu->GetClientRect(), AMenu->BackgroundBitmap(), AColor, ABrush);
}

void TqzBarPainter::DrawMenuBorder(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) {
  HBRUSH face = SysColorBrushCode(COLOR_BTNFACE);
  FillWith(DC, TRect(R.Left, R.Top, R.Left + 1, R.Bottom - 1), face);
  FillWith(DC, TRect(R.Left + 1, R.Top, R.Right - 1, R.Top + 1), face);
  RECT r = R;
  DrawEdge(DC, &r, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
  if (!AMenu->HasDetachCaption()) return;
  r = R;
  InflateRect(&r, -1, -1);
  DrawEdge(DC, &r, BDR_RAISEDINNER, BF_LEFT | BF_TOP | BF_RIGHT);
  TRect band(r.Left + 1, r.Top + 1, r.Right - 1, r.Top + 1 + AMenu->GetDetachCaptionHeight() - 1);
  FrameWith(DC, band, face);
  TRect caption;
  AMenu->GetDetachCaptionRect(caption);
  DrawDetachCaption(AMenu, DC, caption);
}

void TqzBarPainter::DrawMenuInnerFrame(TqzBarSubMenuControl* AMenu, HDC DC, HBRUSH ABrush, const TRect& R) {
  TRect frame = R;
  // Under a detach caption the frame's top edge lies in the caption's band: the rows it leaves
  // take the background.
  bool detach = AMenu->HasDetachCaption();
  if (detach) frame.Top -= 2;
  RECT r = frame;
  DrawEdge(DC, &r, BDR_RAISEDINNER, BF_RECT);
  InflateRect(&frame, -1, -1);
  FrameWith(DC, frame, ABrush);
  if (detach) FillWith(DC, TRect(frame.Left, R.Top, frame.Right, R.Top + 2), ABrush);
}

void TqzBarPainter::DrawDetachCaption(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) {
  FillWith(DC, R, SysColorBrushCode(AMenu->GetDetachCaptionHot() ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
}

void TqzBarPainter::DrawMenuSeparatorItem(TqzBarSubMenuControl* AMenu, TqzBarItemControl* AControl, const TRect& R,
                                          TkvCanvas* ACanvas) {
  // Only a separator inside a non-recent band takes the band's brush; the others stand on the menu.
  bool inBand = AControl->GetNonRecent() && !AControl->GetStartsBand();
  TRect fill = R;
  if (inBand) {
    fill.Right += 2;
    if (AMenu->GetBarSize() == 0) fill.Left -= 1;
  }
  HBRUSH brush = inBand ? AMenu->BackgroundBrush() : AMenu->MenuBackgroundBrush();
  ClassRef()->FillItemBackground(AControl, ACanvas->DCHandle(), inBand, brush, fill);
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
  text.Right -= MenuShortCutEndGap(control->GetParent()->GetTextSizeValue());
  DrawCaptionText(control, DC, DT_SINGLELINE, flat, false, false, AParams->SelectedLook, AParams->EnabledLook, 2, text,
                  AParams->ShortCutText);
}
