// The edit popup's painting: shadow, frame in its style, client edge, the system panel with its
// size grip and close button.

#include <algorithm>

#include "gdi/Blits.h"
#include "gdi/Edges.h"
#include "gdi/SysMetrics.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "user/Rects.h"
#include "toolkit/foundation/kvDWMApi.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"
#include "vcl/Graphics.h"

namespace {

constexpr Integer kListBoxBorderPart = 3;
constexpr Integer kWindowCloseButtonPart = 18;
constexpr Integer kScrollBarSizeBoxPart = 10;

void Shrink(TRect& R, Integer By) {
  R.Left += By;
  R.Top += By;
  R.Right -= By;
  R.Bottom -= By;
}

// Copies a picture drawn for the bottom-right corner into Dest, mirrored toward the grip corner.
void CopyMirrored(TkvCanvas* Canvas, const TRect& Dest, TBitmap* Picture, bool MirrorX, bool MirrorY) {
  const Integer w = Dest.Width(), h = Dest.Height();
  StretchBlt(Canvas->DCHandle(), MirrorX ? Dest.Right - 1 : Dest.Left, MirrorY ? Dest.Bottom - 1 : Dest.Top,
             MirrorX ? -w : w, MirrorY ? -h : h, Picture->GetCanvas()->GetHandle(), 0, 0, w, h, SRCCOPY);
}

}  // namespace

void TkvCustomEditPopupWindowViewInfo::Draw(TkvCanvas* Canvas) {
  // The parts clipped out while painting are the canvas's again afterwards.
  Canvas->PushClip();
  PaintParts(Canvas);
  Canvas->PopClip();
}

void TkvCustomEditPopupWindowViewInfo::PaintParts(TkvCanvas* Canvas) {
  TRect r(0, 0, Bounds.Width(), Bounds.Height());
  if (Shadow) {
    r.Right -= kvEditPopupShadowSize;
    r.Bottom -= kvEditPopupShadowSize;
    PaintShadowStrips(Canvas, r);
  }
  DrawFrame(Canvas, r);
  const Integer edge = ClientEdgeWidth();
  if (HasPanelSeparator()) {
    const TColor color = SkinPainter ? SkinPainter->ContainerFrameColor(false) : clBtnText;
    const Integer y = PanelAtTop() ? ClientRect.Top - edge - 1 : ClientRect.Bottom + edge;
    Canvas->FillWithColor(TRect(ClientRect.Left - edge, y, ClientRect.Right + edge, y + 1), color);
  }
  if (ClientEdge) {
    TRect area = r;
    const Integer band = SysPanelHeight + (HasPanelSeparator() ? 1 : 0);
    (PanelAtTop() ? area.Top : area.Bottom) += PanelAtTop() ? band : -band;
    Canvas->PaintBevel(area, true, true);
    if (PopupBorderStyle != epbsFlat || NativeStyle || SkinPainter) {
      Shrink(area, 1);
      Canvas->PaintBevel(area, true, false);
    }
  }
  if (SysPanelStyle) {
    if (Sizeable) {
      PaintSizeGrip(Canvas);
      Canvas->ClipOutRect(GripRect);
    }
    if (!IsRectEmpty(&CloseButtonRect)) {
      PaintCloseButton(Canvas);
      Canvas->ClipOutRect(CloseButtonRect);
    }
  }
  FillContent(Canvas, ClientRect);
  if (SysPanelStyle) {
    TRect band = r;
    if (PanelAtTop())
      band.Bottom = band.Top + SysPanelHeight;
    else
      band.Top = band.Bottom - SysPanelHeight;
    FillContent(Canvas, band);
  }
}

void TkvCustomEditPopupWindowViewInfo::FillContent(TkvCanvas* Canvas, const TRect& R) {
  if (SkinPainter)
    SkinPainter->PaintWindowContent(Canvas, R);
  else
    Canvas->FillWithColor(R, clBtnFace);
}

void TkvCustomEditPopupWindowViewInfo::DrawFrame(TkvCanvas* Canvas, TRect& R) {
  if (NativeStyle) {
    HTHEME theme = DwmCompositionEnabled() ? ObtainTheme(totListBox) : nullptr;
    if (theme)
      UxDrawThemeBackground(theme, Canvas->DCHandle(), kListBoxBorderPart, 3, &R, nullptr);
    else
      Canvas->PaintFrame(R, clBtnText, 1);
  } else if (SkinPainter) {
    Canvas->PaintFrame(R, SkinPainter->ContainerFrameColor(false), 1);
  } else {
    switch (PopupBorderStyle) {
      case epbsDefault: return;  // no frame: nothing to step over
      case epbsSingle: Canvas->PaintFrame(R, clBtnText, 1); break;
      case epbsFrame3D:
      case epbsFlat:
        Canvas->PaintBevel(R, false, true);
        Shrink(R, 1);
        Canvas->PaintBevel(R, false, false);
        if (PopupBorderStyle == epbsFrame3D) {
          Shrink(R, 1);
          Canvas->PaintFrame(R, ClientEdge ? clInactiveBorder : clBtnFace, 1);
          Shrink(R, 1);
          if (ClientEdge)
            Canvas->PaintFrame(R, clBtnFace, 1);
          else
            Canvas->PaintBevel(R, true, true);
        }
        break;
    }
  }
  Shrink(R, 1);
}

void TkvPopupEditPopupWindowViewInfo::DrawFrame(TkvCanvas* Canvas, TRect& R) {
  if (PopupBorderStyle != epbsFrame3D || NativeStyle || SkinPainter) {
    TkvCustomEditPopupWindowViewInfo::DrawFrame(Canvas, R);
    return;
  }
  Canvas->PaintBevel(R, false, true);
  Shrink(R, 1);
  Canvas->PaintBevel(R, false, false);
  Shrink(R, 1);
  Canvas->PaintFrame(R, clInactiveBorder, 1);
  Shrink(R, 1);
  Canvas->PaintFrame(R, clBtnFace, 1);
  Shrink(R, 1);
}

void TkvCustomEditPopupWindowViewInfo::PaintSizeGrip(TkvCanvas* Canvas) {
  const TRect& r = GripRect;
  Canvas->FillWithColor(r, clBtnFace);
  const bool mirrorX = GripAtLeft(), mirrorY = PanelAtTop();
  TBitmap picture;
  if (SkinPainter) {
    picture.SetSize(r.Width(), r.Height());
    TkvCanvas canvas(picture.GetCanvas());
    const TRect whole(0, 0, r.Width(), r.Height());
    SkinPainter->PaintWindowContent(&canvas, whole);
    SkinPainter->PaintSizeGrip(&canvas, whole, clNone);
    CopyMirrored(Canvas, r, &picture, mirrorX, mirrorY);
    return;
  }
  const HTHEME theme = NativeThemeOpen(NativeStyle, totScrollBar) ? ObtainTheme(totScrollBar) : nullptr;
  TSize size{GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
  if (theme) {
    SIZE box{0, 0};
    UxThemePartSize(theme, nullptr, kScrollBarSizeBoxPart, 1, TS_TRUE, &box);
    size = TSize{box.cx + 2, box.cy + 2};
  }
  // The glyph sits in the grip corner, 2 pixels off the inner sides.
  TRect glyph = ::Bounds(mirrorX ? r.Left : r.Right - size.cx, mirrorY ? r.Top : r.Bottom - size.cy, size.cx, size.cy);
  (mirrorX ? glyph.Right : glyph.Left) += mirrorX ? -2 : 2;
  (mirrorY ? glyph.Bottom : glyph.Top) += mirrorY ? -2 : 2;
  if (glyph.Width() <= 0 || glyph.Height() <= 0) return;
  picture.SetSize(glyph.Width(), glyph.Height());
  TkvCanvas canvas(picture.GetCanvas());
  RECT whole{0, 0, glyph.Width(), glyph.Height()};
  canvas.FillWithColor(whole, clBtnFace);
  if (theme)
    UxDrawThemeBackground(theme, canvas.DCHandle(), kScrollBarSizeBoxPart, 1, &whole, nullptr);
  else
    DrawFrameControl(canvas.DCHandle(), &whole, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  Canvas->PushClip();
  Canvas->ClipToRect(r);
  CopyMirrored(Canvas, glyph, &picture, mirrorX, mirrorY);
  Canvas->PopClip();
}

void TkvCustomEditPopupWindowViewInfo::PaintCloseButton(TkvCanvas* Canvas) {
  const TRect& r = CloseButtonRect;
  const auto state = static_cast<TkvButtonState>(CloseButtonState);
  if (SkinPainter) {
    SkinPainter->PaintWindowContent(Canvas, r);
    SkinPainter->PaintEditButton(Canvas, r, 0, state);
  } else if (CloseButtonThemeState != 0) {
    const HTHEME theme = ObtainTheme(totWindow);
    if (UxIsThemeBackgroundPartiallyTransparent(theme, kWindowCloseButtonPart, CloseButtonThemeState))
      Canvas->FillWithColor(r, clBtnFace);
    UxDrawThemeBackground(theme, Canvas->DCHandle(), kWindowCloseButtonPart, CloseButtonThemeState, &r, nullptr);
  } else {
    PainterOfKind(LookAndFeelKind)->PaintFilterCloseButton(Canvas, r, state);
  }
}
