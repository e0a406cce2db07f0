// The default look of edits, combos and their buttons: edit margins and borders, the combo's drop
// button, small button faces and push-button texts.

#include "gdi/Drawing.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Edges.h"
#include "gdi/GdiTypes.h"
#include "gdi/SysColors.h"
#include "gdi/Text.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarExtItemsCombos.h"
#include "toolkit/bars/qzBarItemControl.h"
#include "toolkit/bars/qzBarItemControlEdits.h"
#include "toolkit/bars/qzBarItems.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzDropDownFrame.h"
#include "toolkit/foundation/qzOffice11.h"
#include "controls/Edit.h"
#include "user/Messages.h"
#include "user/Rects.h"
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

// ---- Dots buttons ------------------------------------------------------------------------------

Integer TqzBarPainter::DotsButtonWidth(Byte APaintKind, const TRect& R) {
  TRect margins;
  GetImagePartMargins(APaintKind, margins);
  return (R.Height() - 4) / 7 * 7 - margins.Left - margins.Right + 4;
}

void TqzBarPainter::DrawDot(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  HDC DC = AParams->TargetCanvas->DCHandle();
  if (!AParams->EnabledLook) {
    ClassRef()->FillDisabledShadow(AParams->ItemControl, DC, R);
    return;
  }
  RECT r = R;
  // On a white face a selected item's dots would vanish in the text colour's highlight.
  bool onWhite = HighContrastWhiteFace() && AParams->SelectedLook;
  FillRect(DC, &r, SysColorBrushCode(onWhite ? COLOR_BTNFACE : COLOR_BTNTEXT));
}

void TqzBarPainter::DrawDotsButton(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  Integer s = R.Width() / 7;
  if (s <= 0) return;
  Integer left = R.Left + (R.Width() - 5 * s) / 2;
  Integer bottom = R.Bottom - ComboDotsOffset(s);
  TRect dot(left, bottom - s, left + s, bottom);
  ClassRef()->ShiftPressedArrowRect(AParams->PressedLook, dot);
  for (Integer i = 0; i < 3; ++i) {
    DrawDot(AParams, dot);
    OffsetRect(&dot, 2 * s, 0);
  }
}

void TqzBarPainter::CalcDotsButtonRect(TqzBarItemControlDrawParams* AParams, const TRect& R, TRect& AButton) {
  TRect margins;
  GetImagePartMargins(AParams->PaintKind, margins);
  AButton = R;
  AButton.Left = R.Right - DotsButtonWidth(AParams->PaintKind, R) - margins.Left - margins.Right;
  auto* colorParams = dynamic_cast<TqzBarColorComboControlDrawParams*>(AParams);
  TRect edit;
  static_cast<TqzBarCustomEditControl*>(AParams->ItemControl)->GetEditAreaRect(edit);
  if (!colorParams || !colorParams->ShowCustomColorButton || AButton.Width() * 2 >= edit.Width()) {
    AButton.Left = AButton.Right;
    return;
  }
  AButton = TRect(AButton.Left + margins.Left, AButton.Top + margins.Top, AButton.Right - margins.Right,
                  AButton.Bottom - margins.Bottom);
}

void TqzBarPainter::CalcColorComboPartRects(TqzBarItemControlDrawParams* AParams, const TRect& R,
                                            std::vector<TRect>& AParts) {
  TRect& button = AParts[qzColorButtonPart];
  CalcDotsButtonRect(AParams, R, button);
  if (IsRectEmpty(&button)) return;
  TRect margins, borders;
  GetImagePartMargins(AParams->PaintKind, margins);
  ClassRef()->GetEditBorders(AParams->PaintKind, borders);
  // Where the look draws no button face, the edit's own border separates the two.
  AParts[qzEditPart].Right = button.Left - margins.Left - (EditHasImageButton() ? 0 : borders.Right);
}

bool TqzBarPainter::EditHasImagePart(TqzBarItemControlDrawParams* AParams) {
  const std::vector<TRect>& parts = AParams->ItemControl->GetPartRects();
  return static_cast<Integer>(parts.size()) > qzColorButtonPart && !IsRectEmpty(&parts[qzColorButtonPart]);
}

void TqzBarPainter::DrawImageEditButton(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  auto* colorParams = dynamic_cast<TqzBarColorComboControlDrawParams*>(AParams);
  bool pressed = AParams->PressedLook || (colorParams && colorParams->ButtonPressed);
  ClassRef()->DrawSmallButtonFace(AParams->ItemControl, AParams->TargetCanvas->DCHandle(), pressed,
                                  AParams->SelectedLook, AParams->EnabledLook, R);
  DrawDotsButton(AParams, R);
}

// ---- Edit colours, margins and spacings ---------------------------------------------------------

TColor TqzBarPainter::EditBackgroundColor(TqzBarItemControl*) { return static_cast<TColor>(GetSysColor(COLOR_WINDOW)); }

TColor TqzBarPainter::EditTextColor() { return static_cast<TColor>(GetSysColor(COLOR_WINDOWTEXT)); }

TColor TqzBarPainter::EditDisabledTextColor() { return static_cast<TColor>(GetSysColor(COLOR_GRAYTEXT)); }

TColor TqzBarPainter::EditAreaTextColor(TqzBarItemControl* AControl) {
  if (!AControl->IsEnabled()) return EditDisabledTextColor();
  TqzBarItem* item = AControl->GetItem();
  // The edit style is the item's second style slot (StyleEdit of edit items).
  TkvStyle* style = item ? item->GetIndexedStyle(1) : nullptr;
  if (style && style->GetAssignedValues().Contains(kvStyles::svTextColor) && style->GetTextColor() != clDefault)
    return style->GetTextColor();
  return EditTextColor();
}

bool TqzBarPainter::EditHasBorder() { return true; }

Integer TqzBarPainter::EditBorderKind() { return 0; }

bool TqzBarPainter::IsEditDrawnSelected(TqzBarItemControlDrawParams* AParams) { return AParams->SelectedLook; }

// The default look gives its edit buttons no face and no frame of their own.
void TqzBarPainter::DrawEditButtonArea(TqzBarItemControlDrawParams*, Integer, HBRUSH, const TRect&) {}

void TqzBarPainter::EditHook253(TqzBarItemControlDrawParams*, Integer, TRect&, TRect&) {}

bool TqzBarPainter::IsEditFramedSelected(TqzBarItemControlDrawParams* AParams) {
  return AParams->PaintKind == qzPaintMenu && (AParams->SelectedLook || AParams->ItemControl->GetNonRecent());
}

Integer TqzBarPainter::EditInnerStyle() { return 132; }

bool TqzBarPainter::EditShowsButton(TqzBarItemControlDrawParams*) { return false; }

void TqzBarPainter::GetEditPartMargins(TqzBarItemControlDrawParams* AParams, Integer APart, TRect& AMargins) {
  TqzBarPainterClass cls = ClassRef();
  if (APart == 1) {
    AMargins = TRect(cls->EditCaptionSpacing(AParams), 0, cls->EditCaptionRightGap(), 0);
  } else if (AParams->PaintKind == qzPaintMenu) {
    cls->GetEditMenuMargins(AParams, AMargins);
  } else {
    TRect text;
    cls->GetTextMargins(text);
    TSize image = AParams->ItemControl->GlyphSize(AParams->GlyphSizeKind, 0);
    AMargins = TRect((AParams->GlyphExtent.cx - image.cx) / 2, 0, text.Right, 0);
  }
}

Integer TqzBarPainter::EditCaptionSpacing(TqzBarItemControlDrawParams* AParams) {
  TqzBarPainterClass cls = ClassRef();
  if (!(AParams->ContentParts & qzContentIcon)) return cls->EditGlyphSpacing(AParams);
  if (AParams->PaintKind == qzPaintMenu) return cls->EditMenuSpacing(AParams);
  return 0;
}

Integer TqzBarPainter::EditMenuSpacing(TqzBarItemControlDrawParams*) { return 2; }

Integer TqzBarPainter::EditGlyphSpacing(TqzBarItemControlDrawParams*) { return 2; }

Integer TqzBarPainter::EditCaptionRightGap() { return 4; }

void TqzBarPainter::GetEditMenuMargins(TqzBarItemControlDrawParams*, TRect& AMargins) { AMargins = TRect(4, 0, 0, 0); }

HBRUSH TqzBarPainter::EditCaptionBrush(TqzBarItemControl* AControl) { return AControl->GetParent()->BackgroundBrush(); }

bool TqzBarPainter::DrawsEditGlyphSelected(TqzBarItemControl*) { return false; }

void TqzBarPainter::SetEditRect(TqzBarItemControl* AControl, HWND AWnd) {
  RECT client{};
  GetClientRect(AWnd, &client);
  TRect r(0, 0, client.Right - client.Left, client.Bottom - client.Top);
  ClassRef()->GetEditContentRect(AControl, r);
  RECT format = r;
  SendMessage(AWnd, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&format));
}

void TqzBarPainter::SelectEditText(TqzBarItemControl*, HWND AWnd, bool ANotify) {
  if (ANotify) SendMessage(AWnd, WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(AWnd));
  SendMessage(AWnd, EM_SETSEL, 0, -1);
}

bool TqzBarPainter::EditHasImageButton() { return false; }

void TqzBarPainter::GetImagePartMargins(Byte, TRect& AMargins) { AMargins = TRect(1, 2, 1, 2); }

void TqzBarPainter::AdjustDropDownContent(HWND AWnd, TRect& R, bool ASizable, TqzBarItemControl* AControl,
                                          TqzGripCorner& ACorner) {
  TRect window = R;
  InflateRect(&R, -1, -1);
  TCustomqzBarControl* bar = AControl ? AControl->GetParent() : nullptr;
  if (!ASizable || !bar || !bar->HandleAllocated()) return;
  // The window rectangle is in the coordinates of the drop-down's parent (the screen for a popup).
  HWND parent = (GetWindowLongPtr(AWnd, GWL_STYLE) & WS_CHILD) ? GetParent(AWnd) : nullptr;
  MapWindowPoints(parent, bar->GetHandle(), reinterpret_cast<POINT*>(&window), 2);
  ACorner = GripCornerOf(AControl->GetItemRect(), window);
  if (ACorner == gcBottomLeft || ACorner == gcBottomRight)
    R.Bottom -= ClassRef()->DropDownGripHeight();
  else
    R.Top += ClassRef()->DropDownGripHeight();
}

void TqzBarPainter::DrawDropDownNonClient(HWND AWnd, bool ASizable, TqzGripCorner ACorner, TRect& AGripRect,
                                          TRect& ACloseButtonRect, bool AHot, bool ADown) {
  DrawDropDownWindowFrame(AWnd, ASizable, false, ACorner, AGripRect, ACloseButtonRect, AHot, ADown,
                          ClassRef()->DropDownGripHeight());
}

Integer TqzBarPainter::DropDownGripHeight() { return GripBandHeight(); }

bool TqzBarPainter::HasFlatDateButtons() { return false; }

void TqzBarPainter::DrawDateNavigatorButton(TqzBarItem*, HDC DC, bool APushed, const String& AText, const TRect& R) {
  RECT r = R;
  if (APushed) {
    DrawFrameControl(DC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  } else {
    // A raised button drawn line by line: dark outside bottom-right, light inside top-left.
    auto line = [DC](TColor AColor, std::initializer_list<POINT> APoints) {
      HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(AColor));
      HGDIOBJ previous = SelectObject(DC, pen);
      Polyline(DC, APoints.begin(), static_cast<int>(APoints.size()));
      SelectBackAndDelete(DC, previous);
    };
    Integer left = R.Left, top = R.Top, right = R.Right, bottom = R.Bottom;
    line(clBtnText, {{left, bottom - 1}, {right - 1, bottom - 1}, {right - 1, top - 1}});
    line(clBtnFace, {{right - 2, top}, {left, top}, {left, bottom - 1}});
    line(clBtnShadow, {{left + 1, bottom - 2}, {right - 2, bottom - 2}, {right - 2, top}});
    line(clBtnHighlight, {{left + 1, bottom - 2}, {left + 1, top + 1}, {right - 2, top + 1}});
    SetPixel(DC, right - 2, top + 1, ColorToRGB(clBtnFace));
  }
  InflateRect(&r, -2, -2);
  ClassRef()->DrawPushButtonText(DC, TRect(r), true, AText, APushed ? 1 : 0);
}

TColor TqzBarPainter::DateHeaderColor() { return clBtnFace; }

// ---- Spin buttons -------------------------------------------------------------------------------

void TqzBarPainter::GetSpinArrowSize(Integer AHeight, TSize& ASize) {
  Integer h = (AHeight / 2 - 2) / 2;
  ASize = TSize(2 * h - 1, h);
}

void TqzBarPainter::GetSpinButtonMargins(Byte, TRect& AMargins) { AMargins = TRect(1, 0, 1, 0); }

Integer TqzBarPainter::SpinButtonState(TqzBarItemControlDrawParams* AParams, Integer APart) {
  if (!AParams->EnabledLook) return 4;
  auto* spin = dynamic_cast<TqzBarSpinEditDrawParams*>(AParams);
  if (spin && spin->PressedPart == APart) return 3;
  return AParams->HotPartIndex == APart ? 2 : 1;
}

Integer TqzBarPainter::SpinButtonWidth(Byte APaintKind, const TRect& R) {
  TqzBarPainterClass cls = ClassRef();
  TSize arrow;
  cls->GetSpinArrowSize(R.Height(), arrow);
  TRect margins;
  cls->GetSpinButtonMargins(APaintKind, margins);
  return arrow.cx + 2 * arrow.cy - margins.Left - margins.Right + 4;
}

void TqzBarPainter::CalcSpinButtonRects(TqzBarItemControlDrawParams* AParams, const TRect& R, TRect& AButton,
                                        Integer APart) {
  TqzBarPainterClass cls = ClassRef();
  TRect margins;
  cls->GetSpinButtonMargins(AParams->PaintKind, margins);
  Integer width = cls->SpinButtonWidth(AParams->PaintKind, R);
  AButton = R;
  AButton.Left = R.Right - width - margins.Left - margins.Right;
  TRect edit;
  static_cast<TqzBarCustomEditControl*>(AParams->ItemControl)->GetEditAreaRect(edit);
  if (AButton.Width() * 2 >= edit.Width()) {
    AButton = TRect();
    return;
  }
  AButton = TRect(AButton.Left + margins.Left, AButton.Top + margins.Top, AButton.Right - margins.Right,
                  AButton.Bottom - margins.Bottom);
  Integer middle = (AButton.Top + AButton.Bottom) / 2;
  if (APart == 1)
    AButton.Bottom = middle;
  else
    AButton.Top = middle;
}

void TqzBarPainter::CalcSpinPartRects(TqzBarItemControlDrawParams* AParams, const TRect& R,
                                      std::vector<TRect>& AParts) {
  CalcSpinButtonRects(AParams, R, AParts[qzSpinUpPart], 1);
  CalcSpinButtonRects(AParams, R, AParts[qzSpinDownPart], 2);
  if (IsRectEmpty(&AParts[qzSpinUpPart])) return;
  TRect borders, margins;
  ClassRef()->GetEditBorders(AParams->PaintKind, borders);
  ClassRef()->GetSpinButtonMargins(AParams->PaintKind, margins);
  AParts[qzEditPart].Right = AParts[qzSpinUpPart].Left - borders.Right - margins.Left;
}

void TqzBarPainter::GetSpinArrowOrigin(TqzBarItemControlDrawParams* AParams, const TRect& R, TPoint& AOrigin,
                                       Integer ADirection) {
  Integer h = static_cast<TqzBarSpinEditDrawParams*>(AParams)->ArrowSize.cy;
  AOrigin = TPoint(R.Left + h, (R.Top + R.Bottom - h) / 2 + (ADirection == qzSpinUpPart ? h - 1 : 0));
}

void TqzBarPainter::FillSpinArrow(TqzBarItemControlDrawParams* AParams, const TPoint& AOrigin, Integer ADirection,
                                  TColor AColor) {
  HDC DC = AParams->TargetCanvas->DCHandle();
  Integer w = static_cast<TqzBarSpinEditDrawParams*>(AParams)->ArrowSize.cx;
  Integer apex = ADirection == qzSpinUpPart ? -(w / 2) : w / 2;
  POINT points[3] = {{AOrigin.X, AOrigin.Y}, {AOrigin.X + w - 1, AOrigin.Y}, {AOrigin.X + w / 2, AOrigin.Y + apex}};
  FillPolygonWithColors(DC, points, 2, AColor, AColor);
}

void TqzBarPainter::DrawSpinArrow(TqzBarItemControlDrawParams* AParams, const TPoint& AOrigin, Integer ADirection) {
  if (AParams->EnabledLook) {
    FillSpinArrow(AParams, AOrigin, ADirection, clBtnText);
  } else {
    FillSpinArrow(AParams, TPoint(AOrigin.X + 1, AOrigin.Y + 1), ADirection, clBtnHighlight);
    FillSpinArrow(AParams, AOrigin, ADirection, clBtnShadow);
  }
}

void TqzBarPainter::DrawSpinButton(TqzBarItemControlDrawParams* AParams, const TRect& R, Integer APart) {
  auto* spin = static_cast<TqzBarSpinEditDrawParams*>(AParams);
  ClassRef()->DrawSmallButtonFace(AParams->ItemControl, AParams->TargetCanvas->DCHandle(), spin->PressedPart == APart,
                                  AParams->SelectedLook, AParams->EnabledLook, R);
  TPoint origin;
  GetSpinArrowOrigin(AParams, R, origin, APart);
  DrawSpinArrow(AParams, origin, APart);
}

void TqzBarPainter::DrawSpinEditArea(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarItemControl* control = AParams->ItemControl;
  ClassRef()->FillItemBackground(control, AParams->TargetCanvas->DCHandle(), false,
                                 control->GetParent()->BackgroundBrush(), R);
}

// ---- Edit items ---------------------------------------------------------------------------------

void TqzBarPainter::CalcEditPartRects(TqzBarItemControlDrawParams* AParams, const TRect& R,
                                      std::vector<TRect>& AParts) {
  auto* control = static_cast<TqzBarCustomEditControl*>(AParams->ItemControl);
  auto* params = static_cast<TqzBarEditLikeControlDrawParams*>(AParams);
  TRect borders;
  ClassRef()->GetEditBorders(AParams->PaintKind, borders);
  Integer x = R.Left;
  if (params->FramesWholeItemLook && AParams->PaintKind != qzPaintMenu) x += borders.Left;
  AParts[qzEditGlyphPart] = TRect(x, R.Top, x + control->GlyphPartWidth(), R.Bottom);
  x = AParts[qzEditGlyphPart].Right;
  AParts[qzEditCaptionPart] = TRect(x, R.Top, x + control->TextPartWidth(), R.Bottom);
  TRect edit;
  control->GetEditAreaRect(edit);
  AParts[qzEditPart] = TRect(edit.Left + borders.Left, edit.Top + borders.Top, edit.Right - borders.Right,
                             edit.Bottom - borders.Bottom);
}

void TqzBarPainter::DrawEditValue(TqzBarItem* AItem, TqzBarItemLink* ALink, const TRect& R, TkvCanvas* ACanvas) {
  HDC dc = ACanvas->DCHandle();
  RECT r = R;
  FillRect(dc, &r, ACanvas->CurrentBrush()->GetHandle());
  TRect text = R;
  ClassRef()->GetEditContentRect(ALink ? ALink->GetControl() : nullptr, text);
  // While the link's editor holds the text, what it holds is the current text.
  String value;
  auto* control = ALink ? dynamic_cast<TqzBarWinControl*>(ALink->GetControl()) : nullptr;
  if (control && control->GetInPlaceActive())
    control->GetInnerText(value);
  else if (auto* windowItem = dynamic_cast<TqzBarWindowItem*>(AItem))
    value = windowItem->GetText();
  ACanvas->GetCanvas()->RequiredState(TCanvasState{csHandleValid, csFontValid});
  SetTextColor(dc, ColorToRGB(ACanvas->CurrentFont()->GetColor()));
  Integer mode = SetBkMode(dc, TRANSPARENT);
  RECT t = text;
  DrawText(dc, value.c_str(), -1, &t, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  SetBkMode(dc, mode == TRANSPARENT ? OPAQUE : mode);
}

TColor TqzBarPainter::EditDisabledColor(TqzBarItemControl* AControl) {
  LOGBRUSH brush{};
  GetObject(AControl->GetParent()->BackgroundBrush(), sizeof(brush), &brush);
  return static_cast<TColor>(brush.lbColor);
}

TColor TqzBarPainter::EditAreaColor(TqzBarItemControlDrawParams* AParams) {
  TqzBarItemControl* control = AParams->ItemControl;
  if (!AParams->EnabledLook) return EditDisabledColor(control);
  TqzBarItem* item = control->GetItem();
  TkvStyle* style = item ? item->GetIndexedStyle(1) : nullptr;
  if (style && style->GetAssignedValues().Contains(kvStyles::svColor) && style->GetColor() != clDefault)
    return style->GetColor();
  return EditBackgroundColor(control);
}

void TqzBarPainter::GetEditColors(TqzBarItemControl* AControl, TColor& ATextColor, TColor& ABackColor) {
  ATextColor = EditAreaTextColor(AControl);
  ABackColor = EditAreaColor(AControl->GetDrawParams());
}

void TqzBarPainter::DrawEditItem(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  DrawEditFrame(AParams);
  if (AParams->PaintKind == qzPaintMenu && AParams->SelectedLook) DrawEditSelection(AParams, R);
  const std::vector<TRect>& parts = AParams->ItemControl->GetPartRects();
  if (parts.size() <= qzEditCaptionPart) return;
  if (AParams->ContentParts & qzContentIcon) DrawEditGlyph(AParams, parts[qzEditGlyphPart]);
  if (AParams->ContentParts & qzContentText) DrawEditCaption(AParams, parts[qzEditCaptionPart]);
}

void TqzBarPainter::DrawEditFrame(TqzBarItemControlDrawParams* AParams) {
  TqzBarPainterClass cls = ClassRef();
  TqzBarItemControl* control = AParams->ItemControl;
  TCustomqzBarControl* bar = control->GetParent();
  const std::vector<TRect>& parts = control->GetPartRects();
  if (parts.size() <= qzEditCaptionPart) return;
  HDC dc = AParams->TargetCanvas->DCHandle();
  bool menu = AParams->PaintKind == qzPaintMenu;
  HBRUSH brush = menu && AParams->SelectedLook ? bar->SelectedBrush() : bar->BackgroundBrush();
  bool icon = AParams->ContentParts & qzContentIcon;
  if ((AParams->ContentParts & qzContentText) || (menu && !icon && cls->MenuHasSideBand())) {
    TRect caption = parts[qzEditCaptionPart];
    TRect margins;
    cls->GetEditPartMargins(AParams, 1, margins);
    caption.Right -= margins.Right;
    cls->FillItemBackground(control, dc, cls->IsEditFramedSelected(AParams), brush, caption);
    TRect gap(caption.Right, caption.Top, parts[qzEditCaptionPart].Right, caption.Bottom);
    cls->FillItemBackground(control, dc, cls->IsEditLabelSelected(AParams), cls->EditCaptionBrush(control), gap);
  }
  if (icon && !menu) cls->FillItemBackground(control, dc, cls->IsEditFramedSelected(AParams), brush, parts[qzEditGlyphPart]);
}

void TqzBarPainter::DrawEditBorder(TqzBarItemControlDrawParams* AParams, TRect& R) {
  TqzBarPainterClass cls = ClassRef();
  auto* params = static_cast<TqzBarEditLikeControlDrawParams*>(AParams);
  TqzBarItemControl* control = AParams->ItemControl;
  HBRUSH background = control->GetParent()->BackgroundBrush();
  HDC dc = AParams->TargetCanvas->DCHandle();
  if (AParams->SelectedLook) {
    RECT r = R;
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  } else {
    cls->FrameItemBackground(control, dc, false, background, R);
  }
  InflateRect(&R, -1, -1);
  bool whole = params->FramesWholeItemLook;
  HBRUSH inner = AParams->EnabledLook || whole ? background : SysColorBrushCode(COLOR_BTNHIGHLIGHT);
  cls->FrameItemBackground(control, dc, (AParams->SelectedLook || !AParams->EnabledLook) && !whole, inner, R);
  InflateRect(&R, -1, -1);
}

void TqzBarPainter::DrawEditCaption(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarPainterClass cls = ClassRef();
  TRect r = R;
  TRect margins;
  cls->GetEditPartMargins(AParams, 1, margins);
  r.Right -= margins.Right;
  AParams->TargetCanvas->GetCanvas()->RequiredState(TCanvasState{csHandleValid, csFontValid});
  DrawCaptionText(AParams->ItemControl, AParams->TargetCanvas->DCHandle(), DT_SINGLELINE, false, true, false,
                  AParams->SelectedLook && AParams->PaintKind == qzPaintMenu, AParams->EnabledLook, 2, r,
                  AParams->CaptionText);
  AParams->TargetCanvas->ClipOutRect(R);
}

void TqzBarPainter::DrawEditSelection(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  ClassRef()->DrawSelectedFrame(AParams->TargetCanvas->DCHandle(), R);
}

void TqzBarPainter::DrawEditGlyph(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarPainterClass cls = ClassRef();
  TRect r = R;
  if (AParams->PaintKind != qzPaintMenu) {
    TRect margins;
    cls->GetEditPartMargins(AParams, 0, margins);
    r.Left += margins.Left;
    r.Right -= margins.Right;
  }
  // The glyph of an edit is never drawn split, special or down.
  bool selected = AParams->SelectedLook;
  AParams->SelectedLook = cls->DrawsEditGlyphSelected(AParams->ItemControl);
  TRect placed;
  try {
    DrawItemGlyph(AParams, AParams->TargetCanvas->DCHandle(), r, r, false, placed);
  } catch (...) {
    AParams->SelectedLook = selected;
    throw;
  }
  AParams->SelectedLook = selected;
  AParams->TargetCanvas->ClipOutRect(R);
}

bool TqzBarPainter::IsEditLabelSelected(TqzBarItemControlDrawParams* AParams) {
  return AParams->PaintKind == qzPaintMenu && AParams->ItemControl->GetNonRecent();
}

void TqzBarPainter::DrawEditInnerWindow(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R) {
  TColor text, back;
  GetEditColors(AControl, text, back);
  ACanvas->CurrentFont()->SetColor(text);
  ACanvas->SetBrushColor(back);
  auto* edit = dynamic_cast<TqzBarEdit*>(AControl->GetItem());
  if (!edit) return;
  ACanvas->PushClip();
  try {
    ACanvas->ClipToRect(R);
    edit->DrawEditArea(AControl, ACanvas, R);
  } catch (...) {
    ACanvas->PopClip();
    throw;
  }
  ACanvas->PopClip();
}

// ---- Combos -------------------------------------------------------------------------------------

void TqzBarPainter::CalcComboPartRects2(TqzBarItemControlDrawParams* AParams, const TRect& R,
                                        std::vector<TRect>& AParts) {
  TRect metrics;
  ClassRef()->ComboButtonMetrics(AParams->PaintKind, metrics);
  TRect button(R.Left + metrics.Left, R.Top + metrics.Top, R.Right - metrics.Right, R.Bottom - metrics.Bottom);
  button.Left = button.Right - static_cast<Integer>(AParams->ItemControl->GetParent()->GetComboArrowWidth());
  AParts[3] = button;
  AParts[qzEditPart].Right = button.Left - ClassRef()->ComboButtonBorder();
}

void TqzBarPainter::DrawEditDropDownItem(TqzBarCustomCombo* AItem, TCanvas* ACanvas, const TRect& R, Integer AIndex) {
  String text = AIndex == -1 ? AItem->GetText()
                             : (AIndex >= 0 && AIndex < AItem->GetItems()->GetCount() ? AItem->GetItems()->GetStrings(AIndex)
                                                                                        : String());
  ACanvas->FillRect(R);
  ACanvas->TextOut(R.Left + 2, R.Top, text);
}
