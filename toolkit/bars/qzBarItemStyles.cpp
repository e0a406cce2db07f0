// An item's style slots: a copy of each style's values tells a layout change from a change of
// the appearance only.

#include "toolkit/bars/qzBar.h"

TAVREN_CLASS_IMPL(TqzBarItemStylesData)

TqzBarItemStylesData::TqzBarItemStylesData(TPersistent* AOwner, Integer ACount,
                                           std::function<void(Integer)> AOnChanged)
    : TkvInterfacedPersistent(AOwner), FSlots(ACount), FOnChanged(std::move(AOnChanged)) {}

TqzBarItemStylesData::~TqzBarItemStylesData() {
  // The styles forget this listener; nothing is reported any more.
  FDestroying = true;
  for (Integer i = 0; i < Count(); ++i) SetStyle(i, nullptr);
}

void TqzBarItemStylesData::SetOnChanged(std::function<void(Integer)> AOnChanged) { FOnChanged = std::move(AOnChanged); }

bool TqzBarItemStylesData::HoldsElsewhere(TkvStyle* AStyle, Integer AExceptIndex) const {
  for (Integer i = 0; i < Count(); ++i)
    if (i != AExceptIndex && FSlots[i].Style == AStyle) return true;
  return false;
}

void TqzBarItemStylesData::SetStyle(Integer Index, TkvStyle* AStyle) {
  TkvStyle* old = FSlots[Index].Style;
  if (old == AStyle) return;
  FSlots[Index].Style = AStyle;
  if (old && !HoldsElsewhere(old, Index)) old->DetachObserver(this);
  if (AStyle && !HoldsElsewhere(AStyle, Index)) AStyle->AttachObserver(this);
  UpdateSlot(Index);
}

void TqzBarItemStylesData::UpdateSlot(Integer Index) {
  if (FDestroying) return;
  TSlot& slot = FSlots[Index];
  TkvStyle* style = slot.Style;
  TkvStyleValues assigned = style ? style->GetAssignedValues() : TkvStyleValues();
  auto valueChanged = [&](TkvStyleValue AValue, auto ASame) {
    bool was = slot.Assigned.Contains(AValue);
    bool is = assigned.Contains(AValue);
    if (!was && !is) return false;
    return !(was && is) || !ASame();
  };
  bool colorChanged = valueChanged(kvStyles::svColor, [&] { return ColorToRGB(slot.Color) == ColorToRGB(style->GetColor()); });
  bool fontChanged = valueChanged(kvStyles::svFont, [&] {
    TFont* font = style->GetFont();
    return slot.FontHeight == font->GetHeight() && slot.FontPitch == font->GetPitch() &&
           slot.FontStyle == font->GetStyle() && slot.FontCharset == font->GetCharset() &&
           slot.FontName == font->GetName().substr(0, 31);
  });
  bool textColorChanged = valueChanged(kvStyles::svTextColor,
                                       [&] { return ColorToRGB(slot.TextColor) == ColorToRGB(style->GetTextColor()); });
  slot.Assigned = assigned;
  if (style) {
    if (assigned.Contains(kvStyles::svColor)) slot.Color = style->GetColor();
    if (assigned.Contains(kvStyles::svTextColor)) slot.TextColor = style->GetTextColor();
    if (assigned.Contains(kvStyles::svFont)) {
      TFont* font = style->GetFont();
      slot.FontHeight = font->GetHeight();
      slot.FontPitch = font->GetPitch();
      slot.FontStyle = font->GetStyle();
      slot.FontCharset = font->GetCharset();
      slot.FontName = font->GetName().substr(0, 31);
    }
  }
  if (fontChanged)
    Report(ckLayout);
  else if (colorChanged || textColorChanged)
    Report(ckAppearance);
}

void TqzBarItemStylesData::Report(Integer AKind) {
  if (FLockCount > 0) {
    // Layout wins over appearance.
    if (FPendingKind != ckLayout) FPendingKind = AKind;
    return;
  }
  if (FOnChanged) FOnChanged(AKind);
}

void TqzBarItemStylesData::BeginChange() {
  if (FLockCount++ == 0) FPendingKind = ckNone;
}

void TqzBarItemStylesData::EndChange() {
  if (--FLockCount > 0) return;
  if (FPendingKind != ckNone && FOnChanged) FOnChanged(FPendingKind);
}

void TqzBarItemStylesData::NotifyStyleChanged(TkvCustomStyle* AStyle) {
  BeginChange();
  try {
    for (Integer i = 0; i < Count(); ++i)
      if (FSlots[i].Style == AStyle) UpdateSlot(i);
  } catch (...) {
    EndChange();
    throw;
  }
  EndChange();
}

void TqzBarItemStylesData::NotifyStyleRemoved(TkvCustomStyle* AStyle) {
  BeginChange();
  try {
    for (Integer i = 0; i < Count(); ++i)
      if (FSlots[i].Style == AStyle) SetStyle(i, nullptr);
  } catch (...) {
    EndChange();
    throw;
  }
  EndChange();
}
