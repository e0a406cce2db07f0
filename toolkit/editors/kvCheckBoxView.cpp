// The check box's layout: the box's state and place, the caption's area and flags, the focus
// rectangle and the natural size.

#include <algorithm>

#include "rtl/Variants.h"
#include "user/Rects.h"
#include "vcl/Menus.h"
#include "toolkit/editors/kvCheckBox.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/foundation/qzThemeManager.h"

TAVREN_CLASS_IMPL(TkvCustomCheckBoxViewInfo)
TAVREN_CLASS_IMPL(TkvCustomCheckBoxViewData)

TClassOf<TkvCustomEditViewData> TkvCustomCheckBoxProperties::GetViewDataClass() {
  return TkvCustomCheckBoxViewData::ClassInfo();
}

TClassOf<TkvCustomEditViewInfo> TkvCustomCheckBoxProperties::GetViewInfoClass() {
  return TkvCustomCheckBoxViewInfo::ClassInfo();
}

// ---- View data ------------------------------------------------------------------------------

void TkvCustomCheckBoxViewData::GetBorderExtent(TRect& R) {
  if (Inplace) return TkvCustomEditViewData::GetBorderExtent(R);
  R = GetEditStyle()->GetTransparentBorder() && !GetEditStyle()->GetLookAndFeel()->GetSkinPainter() ? TRect(2, 2, 2, 2)
                                                                                                    : TRect();
}

void TkvCustomCheckBoxViewData::EditValueToDisplayText(const Variant& Value, String& Text) {
  Text = Properties->EditValueToDisplayText(Value, true);
}

void TkvCustomCheckBoxViewData::LoadDisplayValue(TkvCanvas*, const Variant& Value, TkvCustomEditViewInfo* ViewInfo) {
  static_cast<TkvCustomCheckBoxViewInfo*>(ViewInfo)->State = CheckProperties()->StateOf(Value);
}

TSize TkvCustomCheckBoxViewData::CheckSize() {
  TkvCustomCheckBoxProperties* p = CheckProperties();
  if (p->HasGlyph() && p->GetGlyphCount() > 0)
    return TSize{p->GetGlyph()->GetWidth() / p->GetGlyphCount(), p->GetGlyph()->GetHeight()};
  if (TkvCustomLookAndFeelPainterClass painter = GetEditStyle()->GetLookAndFeel()->GetSkinPainter())
    return painter->CheckBoxExtent();
  return SharedCheckBoxSize();
}

Integer TkvCustomCheckBoxViewData::TextFlags() {
  Integer flags = HorzAlignment == taCenter ? ktfAlignHCenter : ktfAlignLeft;
  flags |= ktfShowPrefix;
  if (CheckProperties()->GetMultiLine())
    flags |= ktfWordBreak | ktfNoClip;
  else
    flags |= ktfSingleLine;
  flags |= Inplace || !CheckProperties()->GetMultiLine() ? ktfAlignVCenter : ktfAlignTop;
  return flags;
}

void TkvCustomCheckBoxViewData::ComputeViewInfo(TkvCanvas* Canvas, const TRect& ABounds, const TPoint& P,
                                                Integer Button, TShiftState Shift, TkvCustomEditViewInfo* ViewInfo,
                                                bool IsMouseEvent) {
  TkvCustomEditViewData::ComputeViewInfo(Canvas, ABounds, P, Button, Shift, ViewInfo, IsMouseEvent);
  auto* info = static_cast<TkvCustomCheckBoxViewInfo*>(ViewInfo);
  TkvCustomCheckBoxProperties* p = CheckProperties();
  if (CreationFlag) info->State = cbsChecked;
  // The box's button state.
  if (!Enabled) {
    info->CheckButtonState = kvcbsDisabled;
  } else if (SpaceHeld) {
    info->CheckButtonState = kvcbsPressed;
  } else if (!Designing && RectHoldsPoint(info->BorderRect, P)) {
    const TShiftState buttons = Shift * TShiftState{ssLeft, ssRight, ssMiddle};
    if (buttons.Empty())
      info->CheckButtonState = kvcbsHot;
    else if (buttons == TShiftState{ssLeft} && ((IsMouseEvent && Button == 1) || WasPressed))
      info->CheckButtonState = kvcbsPressed;
    else
      info->CheckButtonState = kvcbsNormal;
  } else {
    info->CheckButtonState = kvcbsNormal;
  }
  if (Inplace && info->BorderStyle == cbsSingle)
    info->BorderColor = info->CheckButtonState == kvcbsHot || (Designing && Enabled) ? clHighlight : clBtnShadow;

  // 1. Caption alignment.
  const String caption = Edit ? Edit->GetText() : String();
  info->Alignment = !Inplace || p->GetUseAlignmentWhenInplace() || !caption.empty() ? HorzAlignment : taCenter;
  info->Text = info->Alignment == taCenter ? String() : caption;
  // 2. The box's border, livelier when hot.
  TkvContainerBorderStyle border = static_cast<TkvContainerBorderStyle>(GetEditStyle()->GetBorderStyle());
  if (info->HotTrack == 2) {
    if (border == cbsNone)
      border = cbsFlat;
    else if (border == cbsSingle)
      border = cbsThick;
    else if (border == cbsFlat)
      border = cbs3D;
  }
  info->CheckBorderStyle = border;
  // 3. Inset between the box and its drawn frame.
  info->IsGlyphAssigned = p->HasGlyph() && p->GetGlyphCount() > 0;
  info->Glyph = info->IsGlyphAssigned ? p->GetGlyph() : nullptr;
  info->GlyphCount = p->GetGlyphCount();
  info->CheckInset = NativeStyle || info->IsGlyphAssigned || info->Painter ? 0 : 2 - BorderWidthOf(border);
  // 4. Text and check areas.
  TRect text = info->ClientRect, check = info->ClientRect;
  if (Inplace) {
    if (info->Alignment == taLeftJustify) {
      text.Right -= 2;
      check.Left += 2;
    } else if (info->Alignment == taRightJustify) {
      text.Left += 2;
      check.Right -= 2;
    }
    text.Top += ContentParams.Offsets.Top;
    text.Bottom -= ContentParams.Offsets.Bottom;
  } else {
    text = RectInflated(text, -2, -2);
    if (!NativeStyle) --text.Top;
    check = RectInflated(check, -2, -2);
  }
  // 5. The box centred vertically.
  const TSize size = CheckSize();
  TRect box = check;
  if (size.cy < check.Height()) {
    box.Top = check.Top + (check.Height() - size.cy) / 2;
    box.Bottom = box.Top + size.cy;
  }
  // 6. Placed by the alignment.
  if (size.cx >= check.Width()) {
    text = TRect();
  } else if (info->Alignment == taCenter) {
    box.Left = check.Left + (check.Width() - size.cx) / 2;
    box.Right = box.Left + size.cx;
  } else if (info->Alignment == taRightJustify) {
    box.Left = check.Right - size.cx;
    box.Right = check.Right;
    text.Right = box.Left - 3;
  } else {
    box.Left = check.Left;
    box.Right = check.Left + size.cx;
    text.Left = box.Right + 3;
  }
  if (box.Width() <= 0 || box.Height() <= 0) box = TRect();
  // 7. Classic text areas are a pixel larger.
  if (!NativeStyle && !info->Painter) {
    ++text.Right;
    ++text.Bottom;
  }
  info->CheckRect = box;
  info->TextRect = text;
  info->CaptionFlags = TextFlags();
  info->NullStyle = p->GetNullStyle();
  info->IsTextColorAssigned = GetEditStyle()->IsValueAssigned(svTextColor);

  // The focus rectangle.
  info->FocusRect = TRect();
  const bool centred = info->Alignment == taCenter;
  if (Focused && ((!Inplace && !centred) || (Inplace && centred && (PaintOptionsByte & 4)))) {
    TRect f;
    if (centred) {
      f = RectInflated(info->ClientRect, -1, -1);
    } else if (!info->Text.empty()) {
      f = text;
      if (!p->GetFullFocusRect()) {
        Canvas->AssignFont(info->Font);
        TRect measured = text;
        Canvas->MeasureTextInRect(info->Text, measured, info->CaptionFlags | ktfMeasureOnly);
        f = TRect(text.Left, text.Top + (text.Height() - measured.Height()) / 2, text.Left + measured.Width(),
                  text.Top + (text.Height() - measured.Height()) / 2 + measured.Height());
      }
      f = RectInflated(f, 1, 1);
    }
    if (!IsRectEmpty(&f)) {
      TRect limit = RectInflated(text, 1, 1);
      if (Inplace) limit = RectInflated(limit, 0, -2);
      f.Left = std::max(f.Left, limit.Left);
      f.Top = std::max(f.Top, centred ? info->ClientRect.Top : limit.Top);
      f.Right = std::min({f.Right, limit.Right, info->Bounds.Right - 1});
      f.Bottom = std::min(f.Bottom, centred ? info->ClientRect.Bottom : limit.Bottom);
      if (centred) f = RectInflated(info->ClientRect, -1, -1);
    }
    info->FocusRect = f;
  }
}

void TkvCustomCheckBoxViewData::GetEditContentSize(TkvCanvas* Canvas, const Variant&, const TkvEditSizeRequest&,
                                                   TSize& Size) {
  const TSize check = CheckSize();
  const Integer inset = NativeStyle || CheckProperties()->HasGlyph() ? 0 : 2 - BorderWidthOf(cbs3D);
  Canvas->AssignFont(GetEditStyle()->GetEffectiveFont());
  const String caption = Edit ? StripHotkey(Edit->GetText()) : String();
  const bool centred = HorzAlignment == taCenter && !Inplace;
  TRect r(0, 0, 0x3FFFFFFF, 0);
  Canvas->MeasureTextInRect(centred || Inplace || caption.empty() ? String("Gg") : caption, r,
                            TextFlags() | ktfMeasureOnly);
  Size.cy = std::max(Inplace ? check.cy + 2 * (1 - inset) : check.cy + 4, r.Height());
  if (Inplace)
    Size.cx = check.cx + (centred ? 4 : Canvas->TextWidthOf(caption) + 4);
  else
    Size.cx = check.cx + (caption.empty() ? 4 : 4 + 3 + r.Width() + 2);
}

// ---- View info ----------------------------------------------------------------------------------

void TkvCustomCheckBoxViewInfo::CopyFrom(TkvContainerViewInfo* Other) {
  if (auto* other = dynamic_cast<TkvCustomCheckBoxViewInfo*>(Other)) {
    CheckButtonState = other->CheckButtonState;
    State = other->State;
    CheckRect = other->CheckRect;
  }
  TkvCustomTextEditViewInfo::CopyFrom(Other);
}

void TkvCustomCheckBoxViewInfo::MoveBy(Integer DX, Integer DY) {
  TkvCustomTextEditViewInfo::MoveBy(DX, DY);
  OffsetRect(&CheckRect, DX, DY);
  OffsetRect(&FocusRect, DX, DY);
}

bool TkvCustomCheckBoxViewInfo::RepaintDifference(TWinControl* Control, const TRect& Inner,
                                                  TkvCustomEditViewInfo* Older) {
  bool changed = TkvCustomEditViewInfo::RepaintDifference(Control, Inner, Older);
  auto* older = dynamic_cast<TkvCustomCheckBoxViewInfo*>(Older);
  if (!older || !Control->HandleAllocated()) return changed;
  if (older->CheckButtonState != CheckButtonState || older->State != State) {
    InvalidateRect(Control->GetHandle(), &CheckRect, false);
    changed = true;
  }
  if (older->Text != Text || older->FocusRect != FocusRect || older->CheckRect != CheckRect) {
    InvalidateRect(Control->GetHandle(), &Bounds, false);
    changed = true;
  }
  return changed;
}
