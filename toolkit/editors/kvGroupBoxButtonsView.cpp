// The button group's view: the grid of buttons, their states, the size the grid needs and the
// buttons a group draws itself (in place, or a data-aware copy).

#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvGroupBox.h"
#include "toolkit/foundation/qzThemeManager.h"

TAVREN_CLASS_IMPL(TkvGroupBoxButtonViewInfo)
TAVREN_CLASS_IMPL(TkvButtonGroupViewInfo)
TAVREN_CLASS_IMPL(TkvButtonGroupViewData)

// ---- Button view info ------------------------------------------------------------------------

void TkvGroupBoxButtonViewInfo::Assign(TPersistent* Source) {
  TkvEditButtonViewInfo::Assign(Source);
  if (auto* source = dynamic_cast<TkvGroupBoxButtonViewInfo*>(Source)) {
    GlyphRect = source->GlyphRect;
    Column = source->Column;
    Row = source->Row;
  }
}

void TkvGroupBoxButtonViewInfo::PlaceGlyph(const TSize& Glyph, Integer Side, bool) {
  const Integer top = Bounds.Top + (Bounds.Height() - Glyph.cy) / 2;
  const Integer left = Side == 1 ? Bounds.Left : Bounds.Right - Glyph.cx;
  GlyphRect = TRect(left, top, left + Glyph.cx, top + Glyph.cy);
}

// ---- View info -------------------------------------------------------------------------------

void TkvButtonGroupViewInfo::CopyFrom(TkvContainerViewInfo* Other) {
  TkvGroupBoxViewInfo::CopyFrom(Other);
  if (auto* other = dynamic_cast<TkvButtonGroupViewInfo*>(Other)) {
    CaptionFlags = other->CaptionFlags;
    GlyphSize = other->GlyphSize;
    GlyphSide = other->GlyphSide;
    ReallyPressed = other->ReallyPressed;
  }
}

void TkvButtonGroupViewInfo::PaintButtons(TkvCanvas* Canvas) {
  for (Integer i = 0; i < ButtonCount(); ++i) {
    TkvGroupBoxButtonViewInfo* button = Button(i);
    button->PlaceGlyph(GlyphSize, GlyphSide, PaintsDataCopy);
    if (!PaintsDataCopy && !ButtonTransparent(button)) Canvas->FillWithColor(button->Bounds, BackgroundColor);
    PaintButtonGlyph(Canvas, button);
    PaintButtonCaption(Canvas, button);
  }
}

// ---- View data -------------------------------------------------------------------------------

namespace {

TkvEditButtonStyle ButtonStyleOfKind(TkvLookAndFeelKind Kind) {
  switch (Kind) {
    case lfFlat: return btsFlat;
    case lfUltraFlat: return btsUltraFlat;
    case lfOffice11: return btsOffice11;
    default: return bts3D;
  }
}

TkvEditButtonStyle ButtonStyleOfBorder(TkvEditBorderStyle EditBorder, TkvContainerBorderStyle Border) {
  if (EditBorder == ebsUltraFlat) return btsUltraFlat;
  if (EditBorder == ebsOffice11) return btsOffice11;
  switch (Border) {
    case cbsSingle:
    case cbsThick:
    case cbsFlat: return btsFlat;
    case cbsUltraFlat: return btsUltraFlat;
    case cbsOffice11: return btsOffice11;
    default: return bts3D;
  }
}

}  // namespace

void TkvButtonGroupViewData::ComputeViewInfo(TkvCanvas* Canvas, const TRect& ABounds, const TPoint& P, Integer Button,
                                             TShiftState Shift, TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) {
  TkvGroupBoxViewData::ComputeViewInfo(Canvas, ABounds, P, Button, Shift, ViewInfo, IsMouseEvent);
  auto* info = static_cast<TkvButtonGroupViewInfo*>(ViewInfo);
  const bool wraps = (PaintOptionsByte & kvepoAutoHeight) && GroupProperties()->GetWordWrap();
  info->CaptionFlags = ktfAlignLeft | ktfAlignVCenter | ktfShowPrefix | (wraps ? ktfNoClip | ktfWordBreak : ktfSingleLine);
  const Integer count = GroupProperties()->ItemCount();
  info->SetButtonCount(count);
  if (count == 0) return;
  const Integer rows = GroupProperties()->RowTotal();
  const TkvEditButtonStyle style = Inplace ? ButtonStyleOfKind(GetEditStyle()->GetLookAndFeel()->GetKind())
                                           : ButtonStyleOfBorder(GetEditStyle()->GetBorderStyle(), info->BorderStyle);
  TkvButtonGroupItems* items = GroupProperties()->GetItems();
  for (Integer i = 0; i < count; ++i) {
    TkvGroupBoxButtonViewInfo* button = info->Button(i);
    button->ButtonStyle = style;
    button->Caption = items->CaptionAt(i);
    button->Column = i / rows;
    button->Row = i % rows;
  }
  LayOutButtons(info);
  ComputeButtonStates(P, Button, Shift, info, IsMouseEvent);
}

void TkvButtonGroupViewData::LayOutButtons(TkvButtonGroupViewInfo* ViewInfo) {
  TRect margins;
  GetClientExtent(nullptr, ViewInfo, margins);
  TkvButtonMetrics metrics;
  GetButtonMetrics(false, nullptr, metrics);
  const Integer columns = std::max(GroupProperties()->EffectiveColumns(), 1);
  const Integer rows = GroupProperties()->RowTotal();
  const TRect& bounds = ViewInfo->Bounds;
  // A box narrower or lower than its margins lays out empty buttons.
  const Integer columnWidth =
      std::max((bounds.Width() + metrics[5] - margins.Left - margins.Right - (columns - 1) * metrics[6]) / columns, 0);
  const Integer height = std::max(bounds.Height() - margins.Top - margins.Bottom, 0);
  const Integer rowHeight = height / rows;
  const Integer halfRemainder = (height % rows) / 2;
  for (Integer i = 0; i < ViewInfo->ButtonCount(); ++i) {
    TkvGroupBoxButtonViewInfo* button = ViewInfo->Button(i);
    const Integer left = bounds.Left + margins.Left + (columnWidth + metrics[6]) * button->Column + metrics[4];
    const Integer top = bounds.Top + margins.Top + halfRemainder + rowHeight * button->Row;
    button->Bounds = TRect(left, top, left + columnWidth, top + rowHeight);
    button->VisibleBounds = button->Bounds;
  }
}

void TkvButtonGroupViewData::ComputeButtonStates(const TPoint& P, Integer Button, TShiftState Shift,
                                                 TkvButtonGroupViewInfo* ViewInfo, bool IsMouseEvent) {
  const Integer previousPressed = IsMouseEvent ? ViewInfo->PressedButton : -1;
  ViewInfo->PressedButton = ViewInfo->HotButton = -1;
  ViewInfo->ReallyPressed = false;
  const bool native = NativeThemeOpen(GetEditStyle()->GetLookAndFeel()->GetNativeStyle(), totButton);
  const TkvEditButtonTransparency transparency = GetEditStyle()->GetButtonTransparency();
  const bool transparent = transparency == ebtAlways || (transparency == ebtInactive && !Focused);
  const Integer captured = CaptureButtonIndex();
  const bool exactlyLeft = Shift == TShiftState{ssLeft} || Shift == TShiftState{ssLeft, ssDouble};
  for (Integer i = 0; i < ViewInfo->ButtonCount(); ++i) {
    TkvGroupBoxButtonViewInfo* button = ViewInfo->Button(i);
    const Integer previous = button->State;
    button->Index = i;
    button->NativeStyle = native;
    button->Transparent = transparent;
    button->BackgroundColor = ViewInfo->BackgroundColor;
    Integer state;
    if (!Enabled) {
      state = ebsDisabled;
    } else if (Designing || !RectHoldsPoint(button->Bounds, P)) {
      state = ebsNormal;
    } else {
      const bool held = Button == 0 && Shift.Contains(ssLeft) && previous == ebsNormal && captured == i;
      const bool justPressed = Button == 1 && exactlyLeft;
      const bool stillPressed = previous == ebsPressed && Shift.Contains(ssLeft);
      if (held || justPressed || stillPressed) ViewInfo->ReallyPressed = true;
      if (Shift.Empty() && !held) {
        state = ebsSelected;
        ViewInfo->HotButton = i;
      } else if (held || (exactlyLeft && (Button == 1 || previousPressed == i)) || stillPressed) {
        state = ebsPressed;
        ViewInfo->PressedButton = i;
      } else {
        state = ebsNormal;
      }
    }
    button->State = state;
    ButtonComputed(button, ViewInfo);
  }
}

void TkvButtonGroupViewData::GetEditContentSize(TkvCanvas* Canvas, const Variant&, const TkvEditSizeRequest& Request,
                                                TSize& Size) {
  TkvCustomButtonGroupProperties* properties = GroupProperties();
  TFont* font = GetEditStyle()->GetEffectiveFont();
  Canvas->AssignFont(font);
  TSize correction;
  GetContentOffsetSize(correction);
  const Integer textHeight = Canvas->TextHeightOf("Zg") + correction.cy;
  const Integer count = properties->ItemCount();
  const Integer columns = std::max(properties->EffectiveColumns(), 1);
  const Integer rows = count > 0 ? properties->RowTotal() : 0;
  TkvButtonMetrics metrics;
  GetButtonMetrics(Request.Width >= 0, Canvas, metrics);
  TkvButtonGroupItems* items = properties->GetItems();
  if (Request.Width < 0) {
    if (count == 0) {
      Size = TSize{0, textHeight};
      return;
    }
    Integer widest = 0;
    for (Integer i = 0; i < count; ++i) widest = std::max(widest, Canvas->TextWidthOf(items->CaptionAt(i)));
    Size.cx = (widest + metrics[2] + metrics[7]) * columns + (columns - 1) * metrics[6] + metrics[3];
    Size.cy = std::max(metrics[8], textHeight) * rows;
    return;
  }
  Size.cx = Request.Width;
  if (count == 0) {
    Size.cy = textHeight;
    return;
  }
  const TRect offsets = ContentParams.Offsets;
  const Integer textWidth = std::max(
      (Request.Width - (Inplace ? offsets.Left + offsets.Right : 0) + metrics[1] - (columns - 1) * metrics[6]) / columns -
          metrics[7] - metrics[0],
      1);
  Integer rowHeight = textHeight;
  if (properties->GetWordWrap()) {
    rowHeight = 0;
    const Integer flags = ktfAlignLeft | ktfAlignTop | ktfShowPrefix | ktfNoClip | ktfWordBreak;
    for (Integer i = 0; i < count; ++i) {
      const String caption = items->CaptionAt(i);
      if (caption.empty()) continue;
      TRect r(0, 0, textWidth, 0);
      Canvas->MeasureTextInRect(caption, r, flags);
      rowHeight = std::max(rowHeight, r.Height() + correction.cy);
    }
    rowHeight = std::max(rowHeight, textHeight);
  }
  Size.cy = rowHeight * rows;
  if (!Inplace) {
    TRect margins;
    GetClientExtent(Canvas, nullptr, margins);
    Size.cy += margins.Top + margins.Bottom;
  }
  PaintOptionsByte |= kvepoAutoHeight;
}
