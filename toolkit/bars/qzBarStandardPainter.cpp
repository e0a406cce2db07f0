// The Standard and Enhanced looks: raised and sunken edges from the system colours.

#include "toolkit/bars/qzBarStandardPainter.h"

#include "gdi/Drawing.h"
#include "gdi/Edges.h"
#include "gdi/GdiTypes.h"
#include "gdi/Regions.h"
#include "gdi/SysColors.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TqzBarStandardPainter)
TAVREN_CLASS_IMPL(TqzBarEnhancedPainter)

namespace {

TqzBarButtonLikeControlDrawParams* ButtonLike(TqzBarItemControlDrawParams* AParams) {
  return dynamic_cast<TqzBarButtonLikeControlDrawParams*>(AParams);
}

void DrawRectEdge(HDC DC, const TRect& R, UINT AEdge, UINT AFlags = BF_RECT) {
  RECT r = R;
  DrawEdge(DC, &r, AEdge, AFlags);
}

// One polyline in a 1-pixel solid pen; the previous pen comes back.
void PenLine(HDC DC, TColor AColor, std::initializer_list<POINT> APoints) {
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(AColor));
  HGDIOBJ previous = SelectObject(DC, pen);
  Polyline(DC, APoints.begin(), static_cast<int>(APoints.size()));
  SelectBackAndDelete(DC, previous);
}

bool FaceIsBlack() { return ColorToRGB(clBtnFace) == 0; }

}  // namespace

void TqzBarStandardPainter::DrawImageFrame(TqzBarItemControlDrawParams* AParams, HDC DC, const TRect& R,
                                           bool AAbsent, bool AHasRoom, HBRUSH ABrush) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  bool down = button && button->DownLook;
  bool pressed = button && button->PushedLook;
  bool split = button && button->ButtonLook && AParams->HasDropDownPart;
  bool selected = AParams->SelectedLook && !(AParams->PaintKind == qzPaintMenu && AAbsent);
  if (down || selected) {
    bool sunken = down || pressed || (AParams->DropDownOpen && !split);
    DrawRectEdge(DC, R, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
  } else if (AHasRoom) {
    TqzBarItemControl* control = AParams->ItemControl;
    bool useBrush = AParams->SelectedLook || pressed || control->HasOwnBrush();
    ClassRef()->FrameItemBackground(control, DC, useBrush, ABrush, R);
  }
}

void TqzBarStandardPainter::PaintCheckMark(TqzBarItemControl* AControl, HDC DC, Integer s, Integer y, Integer x) {
  auto tick = [&](TColor AColor, Integer k) {
    PenLine(DC, AColor, {{x + s, y + 2 * s + k}, {x + 3 * s, y + 4 * s + k}, {x + 8 * s, y - s + k}});
  };
  if (AControl->IsEnabled()) {
    TColor body = FaceIsBlack() ? clWhite : clBlack;
    TColor shade = FaceIsBlack() ? clBlack : clWhite;
    tick(static_cast<TColor>(0xC0C0C0), 0);
    for (Integer k = 1; k <= 2 * s; ++k) tick(body, k);
    tick(shade, 2 * s + 1);
    PenLine(DC, shade, {{x + s - 1, y + 2 * s + 1}, {x + s - 1, y + 6 * s - 1}});
    PenLine(DC, shade, {{x + 8 * s, y - s + 2}, {x + 8 * s, y + 3 * s}});
  } else {
    for (Integer k = 1; k <= 2 * s; ++k) tick(clBtnShadow, k);
    for (Integer c = 0; c < s; ++c) {
      PenLine(DC, clBtnHighlight, {{x + 3 * s + 1, y + 7 * s - c - 1}, {x + 9 * s, y + s - c}});
      PenLine(DC, clBtnHighlight, {{x + 4 * s, y + 7 * s - c}, {x + 9 * s, y + 2 * s - c}});
    }
  }
}

void TqzBarStandardPainter::DrawMarkChevrons(TCustomqzBarControl* ABarControl, HDC DC, Integer a, const TRect&) {
  if (!ABarControl->IsVertical()) {
    PenLine(DC, clBtnHighlight, {{a - 1, 1}, {a + 2, 4}});
    PenLine(DC, clBtnHighlight, {{a + 3, 4}, {a - 1, 8}});
    PenLine(DC, clBtnShadow, {{a, 1}, {a + 2, 3}, {a + 2, 4}, {a - 1, 7}});
  } else {
    Integer w = ABarControl->GetClientWidth();
    PenLine(DC, clBtnShadow, {{w - 8, a}, {w - 4, a + 4}});
    PenLine(DC, clBtnShadow, {{w - 4, a + 1}, {w - 2, a - 1}});
    PenLine(DC, clBtnHighlight, {{w - 7, a}, {w - 5, a + 2}, {w - 4, a + 2}, {w - 1, a - 1}});
  }
}

void TqzBarStandardPainter::DrawMarkBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush,
                                               const TRect& R) {
  ABarControl->FillBackground(DC, R, false, clNone, ABrush);
}

void TqzBarStandardPainter::FillDisabledShadow(TqzBarItemControl* AControl, HDC DC, const TRect& R) {
  RECT r = R;
  OffsetRect(&r, 1, 1);
  FillRect(DC, &r, SysColorBrushCode(COLOR_BTNHIGHLIGHT));
  TqzBarPainter::FillDisabledShadow(AControl, DC, R);
}

void TqzBarStandardPainter::DrawMenuItemBand(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  FillMenuItemBand(AParams, R, AParams->SelectedLook, AParams->ItemControl->GetBackgroundBrush());
}

void TqzBarStandardPainter::DrawSmallButtonFace(TqzBarItemControl* AControl, HDC DC, bool APressed, bool ASelected,
                                                bool, const TRect& R) {
  HBRUSH brush = AControl->GetParent()->BackgroundBrush();
  RECT r = R;
  if (ASelected)
    DrawEdge(DC, &r, APressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  else
    FrameRect(DC, &r, brush);
  InflateRect(&r, -1, -1);
  FillRect(DC, &r, brush);
}

HBRUSH TqzBarStandardPainter::ItemBackgroundBrush(TqzBarItemControl* AControl, Byte APaintKind, bool ADown,
                                                  bool ASelected, bool AAbsent) {
  TCustomqzBarControl* bar = AControl->GetParent();
  if (ADown && AControl->IsEnabled()) return ASelected ? bar->DownSelectedBrush() : bar->DownBrush();
  if (ASelected && APaintKind == qzPaintMenu && AAbsent) return bar->SelectedBrush();
  return AControl->GetBackgroundBrush();
}

Integer TqzBarStandardPainter::GripperAreaSize(TCustomqzBarControl* ABarControl) {
  return 2 * GripperWidth(ABarControl) + ClassRef()->GripperOffset() + 1;
}

void TqzBarStandardPainter::GetEditOuterMargins(Integer& ATop, Integer& ABottom) {
  ATop = 0;
  ABottom = 2;
}

void TqzBarStandardPainter::DrawFloatingBorder(TCustomqzBarControl*, HDC DC, HBRUSH, const TRect&, const TRect& R) {
  RECT r = R;
  DrawEdge(DC, &r, EDGE_RAISED, BF_RECT);
  for (Integer inset : {2, 1}) {
    InflateRect(&r, -inset, -inset);
    FrameRect(DC, &r, GetSysColorBrush(COLOR_BTNFACE));
  }
}

void TqzBarStandardPainter::DrawArrowPartBackground(TqzBarItemControlDrawParams* AParams, const TRect& R,
                                                    HBRUSH ABrush) {
  TqzBarPainter::DrawArrowPartBackground(AParams, R, ABrush);
  HDC DC = AParams->TargetCanvas->DCHandle();
  if (AParams->SelectedLook)
    DrawRectEdge(DC, R, AParams->DropDownOpen ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
  else if (AParams->PaintKind == qzPaintMenu)
    DrawRectEdge(DC, TRect(R.Left - 1, R.Top, R.Left + 1, R.Bottom), EDGE_ETCHED, BF_LEFT | BF_RIGHT);
}

void TqzBarStandardPainter::DrawDropDownListBorder(HDC DC, TColor, const TRect& R) {
  DrawRectEdge(DC, R, EDGE_RAISED);
}

void TqzBarEnhancedPainter::DrawMarkBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush,
                                               const TRect& R) {
  RECT r = R;
  switch (ABarControl->GetMarkState()) {
    case 1:
      DrawEdge(DC, &r, BDR_RAISEDINNER, BF_RECT);
      break;
    case 2:
      DrawEdge(DC, &r, BDR_SUNKENOUTER, BF_RECT);
      break;
    default:
      FrameRect(DC, &r, ABrush);
      break;
  }
  InflateRect(&r, -1, -1);
  ABarControl->FillBackground(DC, TRect(r), false, clNone, ABrush);
}

Integer TqzBarEnhancedPainter::GripperAreaSize(TCustomqzBarControl* ABarControl) {
  return GripperWidth(ABarControl) + ClassRef()->GripperOffset() + 2;
}

// ---- Toolbar frames ----------------------------------------------------------------------------

namespace {

// A raised grip strip filled with the face; the strip leaves the clip so that nothing covers it.
void DrawGripStrip(HDC DC, const TRect& R, bool AHorizontal, bool AMarkCorner) {
  RECT r = R;
  DrawEdge(DC, &r, BDR_RAISEDINNER, BF_RECT);
  if (AMarkCorner) {
    if (AHorizontal)
      SetPixel(DC, R.Left, R.Bottom - 1, ColorToRGB(clBtnHighlight));
    else
      SetPixel(DC, R.Right - 1, R.Top, ColorToRGB(clBtnHighlight));
  }
  InflateRect(&r, -1, -1);
  FillRect(DC, &r, GetSysColorBrush(COLOR_BTNFACE));
  ExcludeClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
}

}  // namespace

void TqzBarStandardPainter::DrawCloseButton(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) {
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  HBRUSH frame = CreateSolidBrush(ColorToRGB(ABarControl->GetCaptionSysColor()));
  RECT r = R;
  FrameRect(DC, &r, frame);
  DeleteObject(frame);
  InflateRect(&r, -1, -1);
  bool pushed = toolbar && toolbar->GetCloseButtonState() == 2;
  DrawFrameControl(DC, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | (pushed ? DFCS_PUSHED : 0));
}

void TqzBarStandardPainter::DrawDockedBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH, const TRect& R) {
  DrawRectEdge(DC, R, BDR_RAISEDINNER);
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  if (!toolbar || !toolbar->CanMoveBar()) return;
  TRect r = R;
  InflateRect(&r, -2, -2);
  bool horizontal = toolbar->IsDockedHorizontally();
  Integer offset = ClassRef()->GripperOffset(), width = GripperWidth(ABarControl);
  for (Integer strip = 0; strip < 2; ++strip) {
    Integer start = offset + strip * width;
    TRect grip = horizontal ? TRect(r.Left + start, r.Top, r.Left + start + width, r.Bottom)
                            : TRect(r.Left, r.Top + start, r.Right, r.Top + start + width);
    DrawGripStrip(DC, grip, horizontal, true);
  }
}

void TqzBarEnhancedPainter::DrawDockedBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH, const TRect& R) {
  DrawRectEdge(DC, R, BDR_RAISEDINNER);
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  if (!toolbar || !toolbar->CanMoveBar()) return;
  TRect r = R;
  InflateRect(&r, -2, -2);
  Integer offset = ClassRef()->GripperOffset(), width = GripperWidth(ABarControl);
  bool horizontal = toolbar->IsDockedHorizontally();
  TRect grip = horizontal ? TRect(r.Left + offset, r.Top + 1, r.Left + offset + width, r.Bottom - 1)
                          : TRect(r.Left + 1, r.Top + offset, r.Right - 1, r.Top + offset + width);
  DrawGripStrip(DC, grip, horizontal, false);
}

void TqzBarStandardPainter::GetMarkRect(TCustomqzBarControl* ABarControl, TRect& R) {
  TqzBarPainter::GetMarkRect(ABarControl, R);
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  if (toolbar && toolbar->IsFloating() && R.Width() > 13) R.Left = R.Right - 13;
}

void TqzBarStandardPainter::DrawMenuItemFrame(TqzBarSubMenuControl* AMenu, TqzBarItemControl* AControl, Integer AIndex,
                                              const TRect& AItemRect, HDC DC) {
  // Without a side band the band reaches one pixel further left, into the menu's margin.
  Integer g = AMenu->GetBarSize() == 0 ? 1 : 0;
  const TRect& r = AItemRect;
  bool nonRecent = AControl->GetNonRecent();
  if (AControl->GetStartsBand()) {
    Integer top = r.Top - 1;
    Integer separator = AMenu->GetLayoutInfo()->FindSeparatorOfControl(AControl);
    if (!nonRecent && separator >= 0) top = AMenu->GetLayoutInfo()->GetSeparatorInfo(separator).Bounds.Top;
    FillWith(DC, TRect(r.Left - g, top, r.Right + 1, top + 1),
             SysColorBrushCode(nonRecent ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
  }
  if (!nonRecent) return;
  HBRUSH band = AMenu->BackgroundBrush();
  if (AIndex == 0 && !AMenu->HasDetachCaption()) {
    FillWith(DC, TRect(r.Left - g, r.Top - 1, r.Right + 2, r.Top), band);
    SetPixel(DC, r.Right + 1, r.Top - 2, GetSysColor(COLOR_BTNHIGHLIGHT));
  }
  FillWith(DC, TRect(r.Left - g, r.Top, r.Left, r.Bottom), band);
  FillWith(DC, TRect(r.Right, r.Top, r.Right + 2, r.Bottom), band);
  TqzBarItemLinks* links = AMenu->GetItemLinks();
  if (links && links->GetVisibleLinkCount() > 0 &&
      AControl->GetLink() == links->GetVisibleLink(links->GetVisibleLinkCount() - 1)) {
    Integer bottom = AMenu->GetClientHeight();
    FillWith(DC, TRect(r.Left - g, r.Bottom, r.Right + 2, bottom), band);
    if (g == 1) SetPixel(DC, r.Left - 2, bottom - 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  }
}
