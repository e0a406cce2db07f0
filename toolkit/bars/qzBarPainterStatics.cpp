// The default look of progress bars, in-place sub-items, static items, separators and screen tips:
// their metrics, brushes and colours.

#include "gdi/Edges.h"
#include "rtl/Math.h"
#include "gdi/GdiTypes.h"
#include "gdi/SysColors.h"
#include "gdi/TextLayout.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarItemControlStatics.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "user/Rects.h"

TColor TqzBarPainter::ProgressBarColor() { return static_cast<TColor>(GetSysColor(COLOR_HIGHLIGHT)); }

Integer TqzBarPainter::ProgressMinHeight() { return 12; }

Integer TqzBarPainter::ContainerExtraWidth() { return 0; }

HBRUSH TqzBarPainter::InPlaceSubItemBrush() { return GetSysColorBrush(COLOR_BTNSHADOW); }

Integer TqzBarPainter::InPlaceSubItemArrowGap() { return 5; }

Integer TqzBarPainter::InPlaceSubItemTextStart(TqzBarItemControlDrawParams* AParams) {
  return AParams->ItemControl->GetParent()->TextSize();
}

bool TqzBarPainter::IsInPlaceSubItemSelected(TqzBarItemControlDrawParams* AParams) { return AParams->SelectedLook; }

bool TqzBarPainter::InPlaceSubItemShowsArrow(TqzBarItemControlDrawParams*) { return true; }

void TqzBarPainter::DrawInPlaceSubItemArrow(TqzBarItemControlDrawParams* AParams, Integer ADirection, const TRect& R) {
  auto* params = static_cast<TqzBarButtonLikeControlDrawParams*>(AParams);
  bool expanded = static_cast<TqzBarInPlaceSubItemControlDrawParams*>(AParams)->Expanded;
  TRect arrow = R;
  arrow.Left = R.Right - params->ButtonSize.cx + (expanded ? 0 : params->ButtonSize.cy);
  DrawArrow(AParams->TargetCanvas->DCHandle(), arrow, ItemArrowColor(AParams), ClassRef()->IsFlat(),
            ClassRef()->InPlaceSubItemShowsArrow(AParams), true, ADirection, params->ButtonSize.cy);
}

void TqzBarPainter::DrawInPlaceSubItemFace(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarItemControl* control = AParams->ItemControl;
  TCustomqzBarControl* bar = control->GetParent();
  HDC DC = AParams->TargetCanvas->DCHandle();
  // The bottom row keeps the menu's background: entries under the band stay apart from it.
  RECT bottom = {R.Left, R.Bottom - 1, R.Right, R.Bottom};
  FillRect(DC, &bottom, bar->BackgroundBrush());
  TRect face(R.Left, R.Top, R.Right, R.Bottom - 1);
  bool selected = IsInPlaceSubItemSelected(AParams);
  ClassRef()->FillItemBackground(control, DC, true,
                                 selected ? ClassRef()->SelectedBrush(bar) : ClassRef()->InPlaceSubItemBrush(), face);
  if (selected) ClassRef()->DrawSelectedFrame(DC, face);
}

void TqzBarPainter::DrawInPlaceSubItem(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  DrawInPlaceSubItemFace(AParams, R);
  TRect r = R;
  r.Left += ClassRef()->InPlaceSubItemArrowGap();
  // The caption is measured in the canvas font: the DC holds it once the canvas realises it.
  AParams->TargetCanvas->GetCanvas()->RequiredState(TCanvasState{csHandleValid, csFontValid});
  DrawCaptionText(AParams->ItemControl, AParams->TargetCanvas->DCHandle(), DT_SINGLELINE,
                  IsInPlaceSubItemSelected(AParams), false, false, true, true, 0, r, AParams->CaptionText);
  if (AParams->EnabledLook)
    DrawInPlaceSubItemArrow(AParams, static_cast<TqzBarInPlaceSubItemControlDrawParams*>(AParams)->Expanded ? 1 : 3, R);
}

void TqzBarPainter::GetStaticBorderWidths(TqzBarItemControl*, TqzBarStaticBorderStyle AStyle, TRect& AWidths) {
  Integer width = AStyle == sbsNone ? 0 : AStyle == sbsEtched || AStyle == sbsBump ? 2 : 1;
  AWidths = TRect(width, width, width, width);
}

void TqzBarPainter::GetSeparatorMargins(TqzBarItemControlDrawParams*, TRect& AMargins) { AMargins = TRect(6, 0, 0, 0); }

Integer TqzBarPainter::SeparatorLineHeight() { return 2; }

void TqzBarPainter::DrawSeparatorCaption(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  DrawStaticItem(AParams, R);
}

void TqzBarPainter::DrawSeparatorItem(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarItemControl* control = AParams->ItemControl;
  TCustomqzBarControl* bar = control->GetParent();
  auto* menu = dynamic_cast<TqzBarSubMenuControl*>(bar);
  if (AParams->ContentParts & qzContentText) {
    DrawSeparatorCaption(AParams, R);
    Integer line = SeparatorLineHeight();
    TqzBarItemLink* link = control->GetLink();
    // The first item of a menu needs no line above it.
    if (link && link->GetVisibleIndex() > 0) DrawMenuSeparatorLine(AParams->TargetCanvas, TRect(R.Left, R.Top, R.Right, R.Top + line));
    DrawMenuSeparatorLine(AParams->TargetCanvas, TRect(R.Left, R.Bottom - line, R.Right, R.Bottom));
    return;
  }
  if (menu) {
    DrawMenuSeparatorItem(menu, control, R, AParams->TargetCanvas);
    return;
  }
  DrawBarSeparator(bar, AParams->TargetCanvas->DCHandle(), AParams->PaintKind != qzPaintHorizontal,
                   bar->BackgroundBrush(), R);
}

TColor TqzBarPainter::ScreenTipDescriptionColor() { return clDefault; }

TColor TqzBarPainter::ScreenTipTextColor() { return clDefault; }

Integer TqzBarPainter::ScreenTipFooterLineHeight() { return 3; }

void TqzBarPainter::DrawScreenTipBackground(TkvCanvas*, const TRect&) {}

void TqzBarPainter::DrawScreenTipFooterLine(TkvCanvas*, const TRect&) {}

TqzBarCustomHintViewInfo* TqzBarPainter::CreateHintViewInfo(TqzBarManager* AManager, const String& AHint,
                                                            TqzBarScreenTip* AScreenTip, const String& AShortCut) {
  return ::CreateHintViewInfo(AManager, AHint, AShortCut, this, AScreenTip);
}

void TqzBarPainter::PlaceHint(TCustomqzBarControl*, const TRect&, const TPoint& ACursor, Integer, TPoint& APos) {
  APos = TPoint(ACursor.X, ACursor.Y + 20);
}

// ---- Static items --------------------------------------------------------------------------------

void TqzBarPainter::FillStaticBackground(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarItemControl* control = AParams->ItemControl;
  ClassRef()->FillItemBackground(control, AParams->TargetCanvas->DCHandle(), ClassRef()->IsStaticSelected(AParams),
                                 control->GetBackgroundBrush(), R);
}

void TqzBarPainter::DrawStaticBorder(TqzBarItemControlDrawParams* AParams, TRect& R) {
  auto* params = dynamic_cast<TqzBarStaticLikeControlDrawParams*>(AParams);
  if (!params || !params->DrawsBorder || params->BorderStyle == sbsNone) return;
  HDC dc = AParams->TargetCanvas->DCHandle();
  RECT r = R;
  if (params->BorderStyle == sbsBump) {
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    InflateRect(&r, -1, -1);
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&r, -1, -1);
    R = r;
    return;
  }
  const UINT edges[] = {0, BDR_SUNKENOUTER, BDR_RAISEDINNER, EDGE_ETCHED, 0};
  DrawEdge(dc, &r, edges[params->BorderStyle], BF_RECT);
  const TRect& w = params->BorderWidths;
  R = TRect(R.Left + w.Left, R.Top + w.Top, R.Right - w.Right, R.Bottom - w.Bottom);
}

void TqzBarPainter::DrawStaticItem(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarItemControl* control = AParams->ItemControl;
  auto* params = dynamic_cast<TqzBarStaticLikeControlDrawParams*>(AParams);
  TAlignment alignment = params ? params->Alignment : taLeftJustify;
  bool bordered = params && params->DrawsBorder;
  HDC dc = AParams->TargetCanvas->DCHandle();
  Byte kind = AParams->PaintKind;
  bool icon = AParams->ContentParts & qzContentIcon;
  bool text = AParams->ContentParts & qzContentText;
  FillStaticBackground(AParams, R);
  if (icon) {
    TRect area = R;
    if (kind == qzPaintMenu && !(alignment == taLeftJustify && bordered)) {
      ClassRef()->GetMenuIconRect(R, control->GetParent()->GetIconAreaSizeValue(), area);
    } else if (text && kind == qzPaintHorizontal) {
      area.Right = area.Left + AParams->GlyphExtent.cx;
    } else if (text && kind == qzPaintRotated) {
      area.Bottom = area.Top + AParams->GlyphExtent.cy;
    }
    TRect glyph;
    DrawItemGlyph(AParams, dc, area, TRect(), false, glyph);
  }
  if (!text) return;
  TRect r = R;
  bool rotated = kind == qzPaintRotated;
  if (alignment == taRightJustify) {
    (rotated ? r.Bottom : r.Right) -= 2;
  } else {
    Integer indent = 0;
    if (!icon)
      indent = alignment == taCenter ? 0 : control->GetParent()->GetTextSizeValue() / 4;
    else if (kind != qzPaintMenu)
      indent = (rotated ? AParams->GlyphExtent.cy : AParams->GlyphExtent.cx) + 2;
    else if (alignment == taLeftJustify)
      indent = control->GetParent()->GetIconAreaSizeValue();
    (rotated ? r.Top : r.Left) += indent;
  }
  Integer code = alignment == taLeftJustify ? 0 : alignment == taCenter ? 1 : 2;
  // The caption was measured in the canvas font; the DC may still hold another control's.
  AParams->TargetCanvas->GetCanvas()->RequiredState(TCanvasState{csHandleValid, csFontValid});
  DrawCaptionText(control, dc, DT_SINGLELINE, false, true, rotated, false, AParams->EnabledLook, code, r,
                  AParams->CaptionText);
}

void TqzBarPainter::DrawStaticFrame(TqzBarItemControlDrawParams* AParams, const TRect& R, const TRect& AIndents) {
  TqzBarItemControl* control = AParams->ItemControl;
  HDC dc = AParams->TargetCanvas->DCHandle();
  HBRUSH brush = control->GetParent()->BackgroundBrush();
  bool rotated = AParams->PaintKind == qzPaintRotated;
  TRect content = R;
  TRect before = R, after = R;
  if (rotated) {
    content.Top += AIndents.Top;
    content.Bottom -= AIndents.Bottom;
    before.Bottom = content.Top;
    after.Top = content.Bottom;
  } else {
    content.Left += AIndents.Left;
    content.Right -= AIndents.Right;
    before.Right = content.Left;
    after.Left = content.Right;
  }
  for (const TRect& part : {before, after})
    if (!IsRectEmpty(&part)) control->GetParent()->FillBackground(dc, part, true, clNone, brush);
  DrawStaticBorder(AParams, content);
  if (auto* statics = dynamic_cast<TqzBarCustomStaticControl*>(control)) statics->DrawStaticPart(content);
}

bool TqzBarPainter::IsStaticSelected(TqzBarItemControlDrawParams* AParams) { return AParams->ItemControl->HasOwnBrush(); }

// ---- Progress bars -------------------------------------------------------------------------------

void TqzBarPainter::DrawProgressBar(TqzBarItemControlDrawParams* AParams, const TRect& ABounds, TColor AColor) {
  auto* params = dynamic_cast<TqzBarProgressControlDrawParams*>(AParams);
  TRect R = ABounds;
  DrawProgressBackground(AParams, R);
  if (!params || params->Max <= params->Min) return;
  bool vertical = AParams->PaintKind == qzPaintRotated;
  Integer start = vertical ? R.Top : R.Left;
  Integer length = vertical ? R.Height() : R.Width();
  Integer filled = start + MulDiv(length, params->Position - params->Min, params->Max - params->Min);
  auto part = [&](Integer AFrom, Integer ATo) {
    return vertical ? TRect(R.Left, AFrom, R.Right, ATo) : TRect(AFrom, R.Top, ATo, R.Bottom);
  };
  HBRUSH brush = CreateSolidBrush(ColorToRGB(AColor));
  if (params->Smooth) {
    FillProgressRect(AParams, part(start, filled), brush);
  } else {
    Integer chunk = std::max(1, MulDiv(vertical ? R.Width() : R.Height(), 2, 3));
    for (Integer at = start; at < filled; at += chunk + 2) FillProgressChunk(AParams, part(at, std::min(at + chunk, filled)), brush);
  }
  DeleteObject(brush);
}

void TqzBarPainter::DrawProgressBackground(TqzBarItemControlDrawParams* AParams, TRect& R) {
  TqzBarItemControl* control = AParams->ItemControl;
  ClassRef()->FillItemBackground(control, AParams->TargetCanvas->DCHandle(), false, control->GetParent()->BackgroundBrush(), R);
}

void TqzBarPainter::FillProgressRect(TqzBarItemControlDrawParams* AParams, const TRect& R, HBRUSH ABrush) {
  RECT r = R;
  FillRect(AParams->TargetCanvas->DCHandle(), &r, ABrush);
}

void TqzBarPainter::FillProgressChunk(TqzBarItemControlDrawParams* AParams, const TRect& R, HBRUSH ABrush) {
  FillProgressRect(AParams, R, ABrush);
}

Integer TqzBarPainter::ProgressExtraWidth(TqzBarItemControlDrawParams*) { return 0; }
