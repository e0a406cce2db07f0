// The progress bar editor: the position as its edit value, kept within the range.

#include "toolkit/editors/kvProgressBar.h"

TAVREN_CLASS_IMPL(TkvCustomProgressBar)

TkvCustomProgressBar::TkvCustomProgressBar(TComponent* AOwner, bool AInplace,
                                           TkvCustomEditPropertiesClass APropertiesClass)
    : TkvCustomEdit(AOwner, AInplace, APropertiesClass) {
  SetControlStyle(GetControlStyle() - TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks});
  SetParentColor(true);
  SetBounds(GetLeft(), GetTop(), 121, 21);
}

bool TkvCustomProgressBar::CanFocus() { return IsInplace() && TkvCustomEdit::CanFocus(); }

bool TkvCustomProgressBar::WantsFocusOnClick() { return IsInplace() && TkvCustomEdit::WantsFocusOnClick(); }

TkvContainerStyleValues TkvCustomProgressBar::GetHiddenStyleValues() {
  TkvContainerStyleValues values = TkvCustomEdit::GetHiddenStyleValues();
  values.Include(5);
  return values;
}

void TkvCustomProgressBar::SetPosition(double Value) {
  if (Value == BarViewInfo()->Position) return;
  TkvCustomProgressBarProperties* properties = BarProperties();
  properties->SetPositionChanged(true);
  const double min = properties->GetMinValue(), max = properties->GetMaxValue();
  if (!GetComponentState().Contains(csLoading) && max > min) Value = std::min(std::max(Value, min), max);
  SetEditValue(Variant(Value));
}

void TkvCustomProgressBar::UpdateDisplayFromEditValue() {
  Variant value;
  GetEditValue(value);
  {
    std::unique_ptr<TkvCustomEditViewData> data(MakeViewData());
    data->LoadDisplayValue(GetKvCanvas(), value, BarViewInfo());
  }
  if (DrawsTransparently()) Invalidate();
  RefreshView();
}

void TkvCustomProgressBar::ClampEditValue() {
  TkvCustomProgressBarProperties* properties = BarProperties();
  const double min = properties->GetMinValue(), max = properties->GetMaxValue();
  if (max <= min) return;
  Variant value;
  GetEditValue(value);
  const double number = TkvCustomProgressBarProperties::DisplayNumber(value);
  if (number >= min && number <= max) return;
  SetKeyboardAction(true);
  try {
    SetEditValue(Variant(number < min ? min : max));
  } catch (...) {
    SetKeyboardAction(false);
    throw;
  }
  SetKeyboardAction(false);
}

void TkvCustomProgressBar::ClampOnPropertiesChange() {
  if (!IsInplace() && !IsDataStorageBound() && !InnerEditMissing()) ClampEditValue();
}

void TkvCustomProgressBar::ApplyPropertiesChange(TObject* Properties) {
  ClampOnPropertiesChange();
  BarViewInfo()->Position = BarProperties()->ClampViewPosition(BarViewInfo()->Position);
  TkvCustomEdit::ApplyPropertiesChange(Properties);
  if (DrawsTransparently()) Invalidate();
}

TAVREN_CLASS_IMPL_PUBLISHED(TkvProgressBar, PROPERTY(AutoSize).Default(true),
                            PROPERTY(Position).Stored<&TkvCustomProgressBar::IsPositionStored>(),
                            PROPERTY_AS(Properties, GetBarProperties, SetBarProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot),
                            PROPERTY(Transparent).Default(false))
