// The group box's layout: its state, border extent, client margins and the caption's place.

#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvGroupBox.h"
#include "toolkit/foundation/qzThemeManager.h"

TAVREN_CLASS_IMPL(TkvGroupBoxViewData)

namespace {

// A rectangle never turned inside out: a box smaller than its margins lays out empty ones.
TRect NonNegative(TRect R) {
  R.Right = std::max(R.Right, R.Left);
  R.Bottom = std::max(R.Bottom, R.Top);
  return R;
}

}  // namespace

TkvCustomGroupBox* TkvGroupBoxViewData::Box() { return static_cast<TkvCustomGroupBox*>(Edit); }

void TkvGroupBoxViewData::InitFromProperties() {
  TkvCustomEditViewData::InitFromProperties();
  TkvLookAndFeel* look = GetEditStyle()->GetLookAndFeel();
  NativeStyle = (look->GetNativeStyle() || look->GetKind() == lfOffice11) && ObtainTheme(totEdit) &&
                !look->GetSkinPainter();
}

Byte TkvGroupBoxViewData::GetContainerState(const TRect&, const TPoint&, Integer, TShiftState, bool) {
  return Enabled ? kvesNormal : kvesDisabled;
}

void TkvGroupBoxViewData::ComputeViewInfo(TkvCanvas* Canvas, const TRect& ABounds, const TPoint& P, Integer Button,
                                          TShiftState Shift, TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) {
  ViewInfo->Designing = Designing;
  TkvCustomEditViewData::ComputeViewInfo(Canvas, ABounds, P, Button, Shift, ViewInfo, IsMouseEvent);
  TkvCustomGroupBox* box = Box();
  if (Inplace || !box) return;
  box->RebuildCaptionFont();
  box->CheckCaptionText();
  box->LayoutCaption(Canvas, static_cast<TkvGroupBoxViewInfo*>(ViewInfo), this);
}

TColor TkvGroupBoxViewData::GetBorderColor() {
  TkvEditBorderStyle style = GetEditStyle()->GetBorderStyle();
  if (style != ebsUltraFlat && style != ebsOffice11) return GetEditStyle()->GetBorderColor();
  return Enabled ? EditHighlightColor(style == ebsOffice11) : clBtnShadow;
}

void TkvGroupBoxViewData::GetBorderExtent(TRect& R) {
  TkvCustomEditViewData::GetBorderExtent(R);
  TkvCustomGroupBox* box = Box();
  if (Inplace || !box || box->GetAlignment() == alCenterCenter || box->GetPanelStyle()->GetActive()) return;
  const Integer half = box->CaptionLineHeight() / 2;
  switch (box->CaptionPosition()) {
    case kvcpTop: R.Top = half + 1; break;
    case kvcpBottom: R.Bottom = half + 1; break;
    case kvcpLeft: R.Left = half; break;
    case kvcpRight: R.Right = half; break;
    default: break;
  }
}

void TkvGroupBoxViewData::GetClientExtent(TkvCanvas*, TkvCustomEditViewInfo*, TRect& R) {
  TkvCustomGroupBox* box = Box();
  TkvCustomLookAndFeelPainterClass painter = GetEditStyle()->GetLookAndFeel()->GetSkinPainter();
  if (Inplace || !box || !painter) {
    TkvCustomEditViewData::GetBorderExtent(R);
  } else {
    const bool panel = box->GetPanelStyle()->GetActive();
    R = panel ? painter->PanelContentMargins() : painter->GroupBoxFrameWidths(false, box->CaptionPosition());
    const Integer frame = painter->FrameWidth();
    R = TRect(R.Left + frame, R.Top + frame, R.Right + frame, R.Bottom + frame);
    if (box->DrawsShadow() && HasShadow()) {
      R.Right += 3;
      R.Bottom += 3;
    }
    if (box->HasNonClientCaption()) {
      const TRect band = box->NonClientCaptionMargins();
      R.Bottom += band.Top;
      R.Right += band.Left;
    }
  }
  if (Inplace || !box || box->GetPanelStyle()->GetActive() || box->GetAlignment() == alCenterCenter) return;
  const Integer height = box->CaptionLineHeight();
  switch (box->CaptionPosition()) {
    case kvcpTop: R.Top = height + R.Top + 3; break;
    case kvcpBottom: R.Bottom = height + R.Top + 3; break;
    case kvcpLeft: R.Left = height + R.Top + 3; break;
    case kvcpRight: R.Right = height + R.Top + 3; break;
    default: break;
  }
}

bool TkvGroupBoxViewData::HasShadow() {
  TkvCustomGroupBox* box = Box();
  return (!box || box->DrawsShadow()) && TkvCustomEditViewData::HasShadow();
}

// ---- Caption placement ------------------------------------------------------------------------

void TkvCustomGroupBox::LayoutCaption(TkvCanvas* Canvas, TkvGroupBoxViewInfo* ViewInfo, TkvGroupBoxViewData*) {
  TkvScreenCanvas* screen = ScreenCanvasInstance();
  TkvCanvas* canvas = Canvas ? Canvas : screen;
  ViewInfo->ApplyCaptionColor(canvas);
  if (FPanelStyle->GetActive())
    LayoutPanelCaption(canvas, ViewInfo);
  else if (SkinPainter())
    LayoutSkinnedCaption(canvas, ViewInfo);
  else
    LayoutPlainCaption(canvas, ViewInfo, ViewInfo->Shadow);
}

void TkvCustomGroupBox::LayoutPlainCaption(TkvCanvas* Canvas, TkvGroupBoxViewInfo* ViewInfo, bool Shadow) {
  ViewInfo->CaptionRect = ViewInfo->CaptionTextRect = TRect();
  if (FCaptionText.empty()) return;
  const TSize extent = Canvas->MeasureText(FCaptionText);
  const Integer w = extent.cx, t = extent.cy, s = Shadow ? 3 : 0;
  const Integer width = GetWidth(), height = GetHeight();
  TRect r(8, 0, 8 + w, t);
  if (IsCaptionRotated()) {
    switch (FAlignment) {
      case alLeftTop: r = TRect(0, 8, t, 8 + w + 1); break;
      case alLeftCenter: {
        const Integer d = height - s - (height - s - w) / 2;
        r = TRect(0, d - w - 1, t, d);
        break;
      }
      case alLeftBottom: {
        const Integer d = height - s - 8;
        r = TRect(0, d - w - 1, t, d);
        break;
      }
      case alRightTop: r = TRect(width - t, 8, width, 8 + w); break;
      case alRightCenter: {
        const Integer y = (height - w) / 2;
        r = TRect(width - t, y, width, y + w);
        break;
      }
      default: r = TRect(width - t, height - 8 - w, width, height - 8); break;
    }
  } else {
    switch (CaptionHorzPlace(FAlignment)) {
      case 1: r = TRect((width - s - w) / 2, r.Top, (width - s - w) / 2 + w, r.Bottom); break;
      case 2: r = TRect(width - 8 - s - w, r.Top, width - 8 - s, r.Bottom); break;
      default: break;
    }
    if (CaptionPositionOf(FAlignment) == kvcpBottom)
      r = TRect(r.Left, height - t, r.Right, height);
    else if (FAlignment == alCenterCenter)
      r = TRect(r.Left, (height - s - t) / 2, r.Right, (height - s - t) / 2 + t);
  }
  ViewInfo->CaptionRect = ViewInfo->CaptionTextRect = r;
}

void TkvCustomGroupBox::LayoutPanelCaption(TkvCanvas* Canvas, TkvGroupBoxViewInfo* ViewInfo) {
  const Integer b = BorderWidthOf(ViewInfo->BorderStyle);
  const Integer horz = CaptionHorzPlace(FAlignment), vert = CaptionVertPlace(FAlignment);
  const Integer horzIndent = horz == 1 ? 2 : FPanelStyle->GetCaptionIndent();
  const Integer vertIndent = vert == 1 ? 2 : FPanelStyle->GetCaptionIndent();
  TRect area = ViewInfo->Bounds;
  if (ViewInfo->Shadow && !ViewInfo->NativeStyle && !SkinPainter()) {
    area.Right -= 3;
    area.Bottom -= 3;
  }
  area = NonNegative(TRect(area.Left + b + (horz == 0 ? horzIndent : 0), area.Top + b + (vert == 0 ? vertIndent : 0),
                           area.Right - b - (horz == 2 ? horzIndent : 0), area.Bottom - b - (vert == 2 ? vertIndent : 0)));
  TRect r = area;
  Canvas->MeasureTextInRect(FCaptionText, r,
                            ktfAlignLeft | ktfShowPrefix | (FPanelStyle->GetWordWrap() ? ktfWordBreak : ktfSingleLine));
  const Integer w = r.Width(), h = r.Height();
  r = TRect(area.Left, area.Top, area.Left + w, area.Top + h);
  if (horz == 1) r = TRect(area.Left + (area.Width() - w) / 2, r.Top, area.Left + (area.Width() - w) / 2 + w, r.Bottom);
  if (horz == 2) r = TRect(area.Right - w, r.Top, area.Right, r.Bottom);
  if (vert == 1) r = TRect(r.Left, area.Top + (area.Height() - h) / 2, r.Right, area.Top + (area.Height() - h) / 2 + h);
  if (vert == 2) r = TRect(r.Left, area.Bottom - h, r.Right, area.Bottom);
  r = NonNegative(TRect(std::max(r.Left, area.Left), std::max(r.Top, area.Top), std::min(r.Right, area.Right),
                        std::min(r.Bottom, area.Bottom)));
  ViewInfo->CaptionRect = ViewInfo->CaptionTextRect = r;
}

void TkvCustomGroupBox::LayoutSkinnedCaption(TkvCanvas* Canvas, TkvGroupBoxViewInfo* ViewInfo) {
  const Integer position = CaptionPosition();
  const TRect widths = SkinPainter()->GroupBoxFrameWidths(true, position);
  Integer band = 0;
  if (position == kvcpTop || position == kvcpBottom) band = widths.Top + widths.Bottom;
  if (position == kvcpLeft || position == kvcpRight) band = widths.Left + widths.Right;
  const bool nonClient = HasNonClientCaption();
  const TRect all(0, 0, GetWidth(), GetHeight());
  ViewInfo->Bounds = all;
  TSize extent = Canvas->MeasureText(FCaptionText);
  extent.cy = std::max(extent.cy, Canvas->TextHeightOf("Qq"));
  TRect r = all;
  switch (position) {
    case kvcpTop:
      r.Bottom = r.Top + extent.cy;
      if (nonClient)
        r.Top -= band;
      else
        r.Bottom += band;
      break;
    case kvcpBottom: r.Top = r.Bottom - extent.cy - band; break;
    case kvcpLeft:
      r.Right = r.Left + extent.cy;
      if (nonClient)
        r.Left -= band;
      else
        r.Right += band;
      break;
    case kvcpRight: r.Left = r.Right - extent.cy - band; break;
    default: {
      const Integer left = (all.Width() - extent.cx) / 2, top = (all.Height() - extent.cy) / 2;
      r = TRect(left, top, left + extent.cx, top + extent.cy);
      break;
    }
  }
  if (nonClient && position == kvcpTop) ViewInfo->Bounds.Bottom -= band;
  if (nonClient && position == kvcpLeft) ViewInfo->Bounds.Right -= band;
  ViewInfo->CaptionRect = r;
  TRect text = NonNegative(Shrunk(r, widths));
  const Integer w = extent.cx;
  switch (FAlignment) {
    case alTopRight:
    case alBottomRight: text.Left = text.Right - w; break;
    case alTopCenter:
    case alBottomCenter:
      text.Left = (text.Left + text.Right - w) / 2;
      text.Right = text.Left + w;
      break;
    case alLeftTop:
    case alRightTop: text.Bottom = text.Top + w; break;
    case alLeftBottom:
    case alRightBottom: text.Top = text.Bottom - w; break;
    case alLeftCenter:
    case alRightCenter:
      text.Top = (text.Top + text.Bottom - w) / 2;
      text.Bottom = text.Top + w;
      break;
    default: break;
  }
  ViewInfo->CaptionTextRect = text;
}
