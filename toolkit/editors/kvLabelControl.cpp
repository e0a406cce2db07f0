// The label editor: the Caption and the edit value are one text; an accelerator focuses the
// label's FocusControl.

#include "vcl/ControlsMessages.h"
#include "vcl/Menus.h"
#include "vcl/StdCtrls.h"
#include "toolkit/editors/kvLabel.h"

TAVREN_CLASS_IMPL(TkvCustomLabel)
TAVREN_MESSAGE_TABLE(TkvCustomLabel, MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged),
                     MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar))

TkvCustomLabel::TkvCustomLabel(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass)
    : TkvCustomEdit(AOwner, AInplace, APropertiesClass) {
  SetControlStyle(GetControlStyle() - TControlStyle{csCaptureMouse});
  SetParentColor(true);
  SetBounds(GetLeft(), GetTop(), 121, 21);
}

bool TkvCustomLabel::CanFocus() { return IsInplace() && TkvCustomEdit::CanFocus(); }

bool TkvCustomLabel::WantsFocusOnClick() { return IsInplace() && TkvCustomEdit::WantsFocusOnClick(); }

bool TkvCustomLabel::AutoWidthAllowed() { return !LabelProperties()->GetWordWrap(); }

bool TkvCustomLabel::GrowsLeftOnAutoSize() {
  return LabelProperties()->GetAlignment()->GetHorz() == taRightJustify;
}

void TkvCustomLabel::GetSizeRequest(TkvEditSizeRequest& Request) {
  TkvCustomEdit::GetSizeRequest(Request);
  if (AutoWidthAllowed()) Request.Width = -1;
}

void TkvCustomLabel::UpdateDisplayFromEditValue() {
  Variant value;
  GetEditValue(value);
  const String text = GetEffectiveProperties()->EditValueToDisplayText(value, true);
  if (!FSettingFromText) {
    FSettingFromText = true;
    try {
      SetCaption(text);
    } catch (...) {
      FSettingFromText = false;
      throw;
    }
    FSettingFromText = false;
  }
  LabelViewInfo()->Text = text;
  RefreshView();
  Invalidate();
}

void TkvCustomLabel::CMTextChanged(TMessage& Message) {
  TkvCustomEdit::DefaultHandler(Message);
  if (FSettingFromText) return;
  FSettingFromText = true;
  try {
    SetEditValue(Variant(GetCaption()));
  } catch (...) {
    FSettingFromText = false;
    throw;
  }
  FSettingFromText = false;
}

void TkvCustomLabel::CMDialogChar(TMessage& Message) {
  if (FFocusControl && GetEnabled() && LabelProperties()->GetShowAccelChar() &&
      IsAccel(static_cast<Word>(Message.WParam), GetCaption())) {
    if (FFocusControl->CanFocus()) FFocusControl->SetFocus();
    Message.Result = 1;
  }
}

void TkvCustomLabel::SetFocusControl(TWinControl* Value) {
  if (Value == this || Value == FFocusControl) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TkvCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TkvCustomEdit::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

TAVREN_CLASS_IMPL_PUBLISHED(TkvLabel, PROPERTY(AutoSize).Default(true), PROPERTY(Caption), PROPERTY(FocusControl),
                            PROPERTY_AS(Properties, GetLabelProperties, SetLabelProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot),
                            PROPERTY(Transparent).Default(false))
