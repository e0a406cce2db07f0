// The default look of edits, combos and their buttons: edit margins and borders, the combo's drop
// button, small button faces and push-button texts.

#include "gdi/Drawing.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Edges.h"
#include "gdi/GdiTypes.h"
#include "gdi/SysColors.h"
#include "gdi/Text.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarItemControl.h"
#include "toolkit/bars/qzBarPainter.h"
#include "user/Rects.h"

Integer TqzBarPainter::ComboDotsOffset(Integer ADotSize) { return ADotSize; }

void TqzBarPainter::DrawComboArrow(TqzBarItemControlDrawParams* AParams, const TRect& R, TColor AColor,
                                   Integer ASize) {
  TqzBarPainterClass cls = ClassRef();
  bool flat = cls->IsFlat();
  if (!flat && !AParams->EnabledLook) AColor = clDefault;
  DrawItemArrowSized(AParams->TargetCanvas->DCHandle(), R, 1, AColor, AParams->EnabledLook, false, flat, ASize);
}

void TqzBarPainter::GetEditContentRect(TqzBarItemControl*, TRect& R) {
  TqzBarPainterClass cls = ClassRef();
  TRect text;
  cls->GetEditTextMargins(text);
  Integer top = 0, bottom = 0;
  cls->GetEditOuterMargins(top, bottom);
  R = TRect(R.Left + text.Left, R.Top + top, R.Right - text.Right, R.Bottom - bottom);
}

void TqzBarPainter::DrawPushButtonText(HDC DC, const TRect& R, bool AOpaque, const String& AText, Integer AShift) {
  COLORREF textColor = SetTextColor(DC, ColorToRGB(clBtnText));
  COLORREF backColor = SetBkColor(DC, ColorToRGB(clBtnFace));
  int mode = SetBkMode(DC, AOpaque ? OPAQUE : TRANSPARENT);
  SIZE extent{};
  GetTextExtentPoint32(DC, AText.c_str(), static_cast<int>(AText.size()), &extent);
  RECT clip = R;
  Integer x = R.Left + (R.Width() - extent.cx) / 2 + AShift;
  Integer y = R.Top + (R.Height() - extent.cy) / 2 + AShift;
  ExtTextOut(DC, x, y, ETO_CLIPPED | (AOpaque ? ETO_OPAQUE : 0), &clip, AText.c_str(),
             static_cast<UINT>(AText.size()), nullptr);
  SetBkMode(DC, mode);
  SetBkColor(DC, backColor);
  SetTextColor(DC, textColor);
}

void TqzBarPainter::DrawSmallButtonFace(TqzBarItemControl*, HDC, bool, bool, bool, const TRect&) {}

void TqzBarPainter::GetEditTextMargins(TRect& AMargins) { AMargins = TRect(2, 2, 2, 3); }

Integer TqzBarPainter::EditControlHeight(TCustomqzBarControl* ABarControl, Integer ATextHeight) {
  TqzBarPainterClass cls = ClassRef();
  TRect borders, margins;
  cls->GetEditBorders(ABarControl ? ABarControl->GetItemPaintKind() : qzPaintHorizontal, borders);
  cls->GetEditTextMargins(margins);
  return ATextHeight + borders.Top + borders.Bottom + margins.Top + margins.Bottom;
}

void TqzBarPainter::GetEditOuterMargins(Integer& ATop, Integer& ABottom) {
  ATop = 2;
  ABottom = 2;
}

void TqzBarPainter::ComboButtonMetrics(Byte APaintKind, TRect& R) { ClassRef()->GetEditBorders(APaintKind, R); }

void TqzBarPainter::ComboDrawDropButton(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarPainterClass cls = ClassRef();
  HBRUSH brush = ComboButtonBrush(AParams);
  TRect face = R;
  cls->DrawComboButtonFace(AParams, face, brush);
  Integer size = R.Width() / 4;
  if (size % 2 == 0) ++size;
  cls->DrawComboArrow(AParams, face, ComboArrowColor(AParams), size);
}

void TqzBarPainter::DrawComboButtonFace(TqzBarItemControlDrawParams*, TRect&, HBRUSH) {}

Integer TqzBarPainter::DropDownListBorderSize() { return 2; }

void TqzBarPainter::DrawDropDownListBorder(HDC DC, TColor AColor, const TRect& R) {
  RECT r = R;
  FrameRect(DC, &r, GetSysColorBrush(COLOR_BTNSHADOW));
  InflateRect(&r, -1, -1);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(AColor));
  FrameRect(DC, &r, brush);
  DeleteObject(brush);
}

void TqzBarPainter::GetEditBorders(Byte, TRect& R) { R = TRect(2, 2, 2, 2); }
