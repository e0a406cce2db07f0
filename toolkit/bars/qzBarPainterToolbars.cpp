// The default look of toolbar windows: their frame widths and the caption of a floating toolbar.

#include "gdi/Drawing.h"
#include "gdi/GdiTypes.h"
#include "gdi/SysColors.h"
#include "gdi/Text.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "user/Rects.h"

void TqzBarPainter::GetBarBorderSizes(TqzBar* ABar, Integer ADockingStyle, TRect& R, bool AWithSizeGrip) {
  TqzBarPainterClass cls = ClassRef();
  TqzBarControl* window = ABar ? ABar->GetBarControl() : nullptr;
  if (ADockingStyle == dsNone) {
    R = TRect(cls->FloatBorderX(), cls->FloatBorderY(), cls->FloatBorderX(), cls->FloatBorderY());
    if (!window || window->HasFloatingCaption()) {
      R.Left += cls->FloatingFrameInset();
      R.Right += cls->FloatingFrameInset();
      R.Top += cls->FloatingCaptionHeight() + cls->FloatingCaptionTopExtra();
      R.Bottom += cls->FloatingCaptionBottomExtra();
    }
    return;
  }
  if (ABar && ABar->GetBorderStyle() == bbsSingle) {
    GetDockedMargins(ABar, ADockingStyle, R);
    Integer grip = window && window->CanMoveBar() ? GripperAreaSize(window) : cls->DockedBorderMetric();
    if (ADockingStyle == dsTop || ADockingStyle == dsBottom)
      R.Left += grip;
    else
      R.Top += grip;
    return;
  }
  R = TRect();
  if (ABar && ABar->IsStatusBarLike()) {
    R.Top += cls->CaptionStripHeight();
    TRect margins;
    GetSizeGripMargins(margins);
    R = TRect(R.Left + margins.Left, R.Top + margins.Top, R.Right + margins.Right, R.Bottom + margins.Bottom);
  }
  if (AWithSizeGrip) {
    TSize grip;
    GetSizeGripSize(ABar ? ABar->GetBarManager() : nullptr, grip);
    R.Right += grip.cx;
  }
}

void TqzBarPainter::DrawFloatingCaption(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush,
                                        const TRect& ACaptionRect, const TRect&) {
  TqzBarPainterClass cls = ClassRef();
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  TRect band = ACaptionRect;
  RECT below{band.Left, band.Bottom, band.Right, band.Bottom + 1};
  FillRect(DC, &below, ABrush);
  bool background = cls->HasCaptionBackground();
  if (background) FillCaptionBackground(ABarControl, DC, ABrush, band);
  if (toolbar && toolbar->HasCloseButton()) {
    band.Right -= cls->SmallCaptionHeight();
    DrawCloseButton(ABarControl, DC, toolbar->CloseButtonRect());
  }
  Integer x = band.Left;
  // The band as a whole takes the caption colour, also where a mark cuts the text short.
  const TRect whole = band;
  // A mark counts where the window gives it a place.
  TRect markRect;
  ABarControl->MarkRect(markRect);
  bool mark = ABarControl->ShowsMark() && !IsRectEmpty(&markRect);
  if (mark)
    cls->OffsetFloatingCaption(ABarControl, x, band);
  else
    x += 2;
  if (!IsRectEmpty(&band)) {
    TqzBarManager* manager = ABarControl->GetControlBarManager();
    TFont* font = toolbar ? toolbar->GetBarFont() : ABarControl->GetFont();
    if (manager && manager->GetUseSystemFont()) font = manager->GetCaptionFont();
    HGDIOBJ previousFont = SelectObject(DC, font->GetHandle());
    COLORREF previousText = SetTextColor(DC, ColorToRGB(CaptionTextColor(ABarControl)));
    COLORREF previousBack = SetBkColor(DC, ColorToRGB(ABarControl->GetCaptionSysColor()));
    int previousMode = SetBkMode(DC, background ? TRANSPARENT : OPAQUE);
    String text = toolbar ? toolbar->GetCaptionText() : String();
    if (!background) {
      RECT fill = whole;
      ExtTextOut(DC, fill.Left, fill.Top, ETO_OPAQUE, &fill, "", 0, nullptr);
    }
    // A floating toolbar is as narrow as its buttons allow, so its caption is often longer than
    // the band: it ends in an ellipsis then, as window captions do, rather than in a cut letter.
    RECT textRect{x, band.Top, band.Right, band.Bottom};
    if (textRect.Left < textRect.Right)
      DrawText(DC, text.c_str(), static_cast<int>(text.size()), &textRect,
               DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    SetBkMode(DC, previousMode);
    SetBkColor(DC, previousBack);
    SetTextColor(DC, previousText);
    SelectObject(DC, previousFont);
  }
  if (mark) DrawFloatingMark(ABarControl, DC, markRect);
}

// ---- The mark ------------------------------------------------------------------------------------

void TqzBarPainter::DrawMark(TCustomqzBarControl* ABarControl, TkvCanvas* ACanvas, HBRUSH ABrush, const TRect& R) {
  HDC DC = ACanvas->DCHandle();
  DrawMarkBackground(ABarControl, DC, ABrush, R);
  DrawMarkGlyphs(ABarControl, DC, R);
}

void TqzBarPainter::GetBarMarkRect(TCustomqzBarControl* ABarControl, TRect& R) { GetMarkRect(ABarControl, R); }

void TqzBarPainter::GetMarkRect(TCustomqzBarControl* ABarControl, TRect& R) {
  R = TRect();
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  if (!toolbar || !toolbar->ShowsMark()) return;
  Integer size = toolbar->MarkSizeMetric();
  Integer width = toolbar->GetClientWidth(), height = toolbar->GetClientHeight();
  if (toolbar->IsDockedHorizontally()) {
    // The mark closes the bar at its far end: a column as high as the bar.
    R = TRect(width - size, 0, width, height);
    return;
  }
  if (toolbar->IsDockedVertically()) {
    R = TRect(0, height - size, width, height);
    return;
  }
  TRect band = toolbar->CaptionRect();
  if (IsRectEmpty(&band)) return;
  R = TRect(band.Right - band.Height(), band.Top, band.Right, band.Bottom);
  if (toolbar->HasCloseButton()) OffsetRect(&R, -(toolbar->CloseButtonRect().Width() + 1), 0);
  if (R.Left < band.Left) R.Left = band.Left;
}

void TqzBarPainter::InvalidateMark(TCustomqzBarControl* ABarControl) {
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  if (!toolbar || !toolbar->HandleAllocated()) return;
  if (!toolbar->IsFloating()) {
    TRect mark;
    GetMarkRect(ABarControl, mark);
    RECT r = mark;
    InvalidateRect(toolbar->GetHandle(), &r, FALSE);
    return;
  }
  HDC DC = toolbar->GetWindowDC(nullptr);
  toolbar->DrawFrameOn(DC);
  toolbar->ReleaseWindowDC(DC);
}
