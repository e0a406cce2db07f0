#include "EditTestEditor.h"

#include "rtl/SysUtils.h"
#include "rtl/TypInfo.h"

TAVREN_CLASS_IMPL(TValidatingProperties)
TAVREN_CLASS_IMPL(TTestEdit)

void TTestEdit::Listen() {
  TkvCustomEditProperties* p = GetProperties();
  p->SetOnChange(MakeEvent<&TTestEdit::Change>(this));
  p->SetOnEditValueChanged(MakeEvent<&TTestEdit::ValueChanged>(this));
  p->SetOnButtonClick(MakeEvent<&TTestEdit::Button>(this));
  p->SetOnValidate(MakeEvent<&TTestEdit::Validate>(this));
  SetOnEditing(MakeEvent<&TTestEdit::Editing>(this));
  SetOnKeyDown(MakeEvent<&TTestEdit::Down>(this));
  SetOnKeyPress(MakeEvent<&TTestEdit::Press>(this));
  SetOnKeyDownUnhandled(MakeEvent<&TTestEdit::Unhandled>(this));
  SetOnPostValue(MakeEvent<&TTestEdit::Post>(this));
}

void TTestEdit::Editing(TObject*, bool& CanEdit) {
  log.push_back("editing");
  if (!VarIsEmpty(valueInsideEditing)) SetEditValue(valueInsideEditing);
  if (refuseEditing) CanEdit = false;
}

// Digits only.
void TTestEdit::Validate(TObject*, Variant& DisplayValue, String&, bool& Error) {
  String value = VarToStr(DisplayValue);
  for (char c : value)
    if (c < '0' || c > '9') Error = true;
  log.push_back(Error ? "invalid" : "valid");
}
