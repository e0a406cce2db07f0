// The group box's painting: background (plain, themed, skinned, panel), caption and frame.

#include "gdi/Text.h"
#include "user/Rects.h"
#include "gdi/UxTheme.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvGroupBox.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/qzOffice11.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"

TAVREN_CLASS_IMPL(TkvGroupBoxViewInfo)

namespace {

// The Office-11 table's panel pair: the gradient of a panel in that look runs between them.
constexpr Integer kOffice11PanelFrom = 0;
constexpr Integer kOffice11PanelTo = 1;

}  // namespace

TkvCustomGroupBox* TkvGroupBoxViewInfo::Box() { return static_cast<TkvCustomGroupBox*>(Edit); }

void TkvGroupBoxViewInfo::CopyFrom(TkvContainerViewInfo* Other) {
  TkvCustomTextEditViewInfo::CopyFrom(Other);
  if (auto* other = dynamic_cast<TkvGroupBoxViewInfo*>(Other)) {
    CaptionRect = other->CaptionRect;
    CaptionTextRect = other->CaptionTextRect;
  }
}

void TkvGroupBoxViewInfo::MoveBy(Integer DX, Integer DY) {
  TkvCustomTextEditViewInfo::MoveBy(DX, DY);
  OffsetRect(&CaptionRect, DX, DY);
  OffsetRect(&CaptionTextRect, DX, DY);
}

TRect TkvGroupBoxViewInfo::WithoutShadow(const TRect& R) {
  return Shadow ? TRect(R.Left, R.Top, R.Right - 3, R.Bottom - 3) : R;
}

void TkvGroupBoxViewInfo::ApplyCaptionColor(TkvCanvas* Canvas) {
  TkvCustomGroupBox* box = Box();
  Canvas->AssignFont(box->GetCaptionTextFont());
  if (box->DrawsNatively())
    if (HTHEME theme = ObtainTheme(totButton)) {
      COLORREF color = 0;
      if (UxGetThemeColor(theme, BP_GROUPBOX, Enabled ? GBS_NORMAL : GBS_DISABLED, TMT_TEXTCOLOR, &color) == S_OK)
        Canvas->CurrentFont()->SetColor(static_cast<TColor>(color));
    }
  if (TkvCustomLookAndFeelPainterClass painter = box->SkinPainter()) {
    const TColor color = painter->GroupBoxCaptionColor(box->CaptionPosition());
    if (color != clDefault) Canvas->CurrentFont()->SetColor(color);
  }
}

void TkvGroupBoxViewInfo::PaintCaption(TkvCanvas* Canvas) {
  TkvCustomGroupBox* box = Box();
  const String& text = box->GetCaptionText();
  const bool panel = box->GetPanelStyle()->GetActive();
  Canvas->PushClip();
  Canvas->ClipToRect(CaptionRect);
  ApplyCaptionColor(Canvas);
  if (TkvCustomLookAndFeelPainterClass painter = box->SkinPainter(); painter && !panel)
    painter->PaintGroupBoxCaption(Canvas, CaptionRect, box->CaptionPosition());
  TCanvas* canvas = Canvas->GetCanvas();
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
  if (box->IsCaptionRotated()) {
    const bool left = box->CaptionPosition() == kvcpLeft;
    const TPoint origin = left ? TPoint(CaptionTextRect.Left, CaptionTextRect.Bottom - 1)
                               : TPoint(CaptionTextRect.Right, CaptionTextRect.Top + 1);
    SetBkMode(canvas->GetHandle(), TRANSPARENT);
    ExtTextOut(canvas->GetHandle(), origin.X, origin.Y, ETO_CLIPPED, &CaptionTextRect, text.c_str(),
               static_cast<UINT>(text.size()), nullptr);
  } else {
    UINT flags = DT_SINGLELINE;
    if (panel) {
      const TkvCaptionAlignment alignment = box->GetAlignment();
      flags = box->GetPanelStyle()->GetWordWrap() ? DT_WORDBREAK : DT_SINGLELINE;
      if (CaptionHorzPlace(alignment) == 1) flags |= DT_CENTER;
      if (CaptionHorzPlace(alignment) == 2) flags |= DT_RIGHT;
      if (CaptionVertPlace(alignment) == 1) flags |= DT_VCENTER;
      if (CaptionVertPlace(alignment) == 2) flags |= DT_BOTTOM;
    }
    RECT r = CaptionTextRect;
    DrawText(canvas->GetHandle(), text.c_str(), static_cast<int>(text.size()), &r, flags);
  }
  Canvas->PopClip();
}

void TkvGroupBoxViewInfo::PaintContent(TkvCanvas* Canvas) {
  if (!Canvas->AreaVisible(Bounds)) return;
  TkvCustomGroupBox* box = Box();
  if (Inplace || !box) {
    if (!Edit)
      TkvCustomTextEditViewInfo::PaintContent(Canvas);
    else if (!DrawBackgroundByEvent(Canvas))
      Canvas->FillWithColor(Bounds, BackgroundColor);
    PaintButtons(Canvas);
    return;
  }
  const bool panel = box->GetPanelStyle()->GetActive();
  PaintBackground(Canvas, panel);
  if (!box->GetCaptionText().empty()) PaintCaption(Canvas);
  if (!panel) Canvas->ClipOutRect(CaptionRect);
  TRect frame = BorderRect;
  if (panel)
    frame = WithoutShadow(Bounds);
  else
    GrowRectOnEdges(frame, BorderWidthOf(BorderStyle), Edges);
  PaintFrame(Canvas, panel, frame);
  if (PaintsDataCopy) PaintButtons(Canvas);
}

void TkvGroupBoxViewInfo::PaintBackground(TkvCanvas* Canvas, bool PanelStyle) {
  TkvCustomGroupBox* box = Box();
  const TRect client(0, 0, box->GetWidth(), box->GetHeight());
  if (NativeStyle) {
    Canvas->PushClip();
    if (PanelStyle) {
      PaintPanelBackground(Canvas, WithoutShadow(Bounds));
    } else if (box->GetTransparent()) {
      CopyParentImage(box, Canvas, Bounds, false);
    } else if (box->NeedsParentBackground() && UxIsThemeBackgroundPartiallyTransparent(ObtainTheme(totButton), BP_GROUPBOX,
                                                                                        GBS_NORMAL)) {
      DrawParentBackground(box, Canvas, Bounds);
    } else {
      Canvas->FillWithColor(Bounds, BackgroundColor);
    }
    Canvas->PopClip();
    return;
  }
  if (TkvCustomLookAndFeelPainterClass painter = box->SkinPainter()) {
    Canvas->PushClip();
    if (PanelStyle) {
      TRect r = WithoutShadow(Bounds);
      painter->PaintPanelBackground(Canvas, box, r, BackgroundColor, BackgroundColor);
      if (BorderStyle != cbsNone) painter->PaintPanelFrame(Canvas, r);
    } else {
      CopyParentImage(box, Canvas, client, false);
      painter->PaintGroupBoxContent(Canvas, BorderRect, box->CaptionPosition());
    }
    Canvas->PopClip();
    return;
  }
  if (Shadow) {
    TRect frame = BorderRect;
    GrowRectOnEdges(frame, BorderWidthOf(BorderStyle), Edges);
    PaintShadowStrips(Canvas, frame);
  }
  if (IsTransparent()) return;
  if (box->GetTransparent())
    CopyParentImage(box, Canvas, client, false);
  else
    Canvas->FillWithColor(Bounds, BackgroundColor);
}

void TkvGroupBoxViewInfo::PaintPanelBackground(TkvCanvas* Canvas, const TRect& Bounds) {
  TkvCustomGroupBox* box = Box();
  TkvCustomLookAndFeelPainterClass painter = box->GetLookAndFeel()->ActivePainter();
  Canvas->PushClip();
  TRect r = Bounds;
  if (BorderStyle != cbsNone) {
    const Integer frame = painter->FrameWidth();
    r = TRect(r.Left + frame, r.Top + frame, r.Right - frame, r.Bottom - frame);
  }
  if (box->GetTransparent()) {
    painter->PaintPanelBackground(Canvas, box, r, clDefault, clDefault);
  } else if (box->GetLookAndFeel()->GetKind() == lfOffice11) {
    const TColor from = Office11Color(kOffice11PanelFrom), to = Office11Color(kOffice11PanelTo);
    switch (box->GetPanelStyle()->GetOfficeBackgroundKind()) {
      case pobkGradient: painter->PaintPanelBackground(Canvas, box, r, from, to); break;
      case pobkOffice11Color: painter->PaintPanelBackground(Canvas, box, r, ColorMix(from, to, 50), clDefault); break;
      default: painter->PaintPanelBackground(Canvas, box, r, BackgroundColor, clDefault); break;
    }
  } else if (box->NeedsParentBackground()) {
    DrawParentBackground(box, Canvas, r);
  } else {
    painter->PaintPanelBackground(Canvas, box, r, BackgroundColor, clDefault);
  }
  Canvas->PopClip();
}

void TkvGroupBoxViewInfo::PaintFrame(TkvCanvas* Canvas, bool PanelStyle, const TRect& FrameRect) {
  TkvCustomGroupBox* box = Box();
  if (NativeStyle) {
    if (BorderStyle == cbsNone) return;
    if (PanelStyle) {
      box->GetLookAndFeel()->ActivePainter()->PaintFrame(Canvas, WithoutShadow(Bounds));
      return;
    }
    TRect r(0, 0, box->GetWidth(), box->GetHeight());
    const Integer half = box->CaptionLineHeight() / 2;
    switch (box->CaptionPosition()) {
      case kvcpTop: r.Top = half; break;
      case kvcpBottom: r.Bottom -= half; break;
      case kvcpLeft: r.Left = half; break;
      case kvcpRight: r.Right -= half; break;
      default: break;
    }
    if (HTHEME theme = ObtainTheme(totButton))
      UxDrawThemeBackground(theme, Canvas->DCHandle(), BP_GROUPBOX, Enabled ? GBS_NORMAL : GBS_DISABLED, &r, nullptr);
    return;
  }
  if (box->SkinPainter()) return;
  switch (BorderStyle) {
    case cbsSingle: Canvas->PaintFrame(FrameRect, BorderColor, 1, Edges); break;
    case cbsThick: Canvas->PaintFrame(FrameRect, BorderColor, 2, Edges); break;
    case cbsFlat:
      Canvas->PaintFrame(FrameRect, clBtnShadow);
      Canvas->PaintFrame(RectInflated(FrameRect, -1, -1), clBtnHighlight);
      break;
    case cbs3D:
      if (box->GetCtl3D()) {
        const TRect r(FrameRect.Left, FrameRect.Top, FrameRect.Right - 1, FrameRect.Bottom - 1);
        Canvas->PaintFrame(r, clBtnShadow);
        Canvas->PaintFrame(TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1), clBtnHighlight);
      } else {
        Canvas->PaintFrame(FrameRect, clWindowFrame);
        Canvas->PaintFrame(RectInflated(FrameRect, -1, -1), BackgroundColor, 1, Edges);
      }
      break;
    default: break;
  }
}
