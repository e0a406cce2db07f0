// Filter-row adapters of the editor kinds and their controller.

#include "toolkit/editors/kvEditFilterHelpers.h"

namespace {

TkvFilterEditsController* GController = nullptr;

}  // namespace

TAVREN_CLASS_IMPL(TkvCustomFilterEditHelper)

void TkvCustomFilterEditHelper::ClearPropertiesEvents(TkvCustomEditProperties* Properties) {
  if (!Properties) return;
  Properties->SetOnButtonClick(nullptr);
  Properties->SetOnChange(nullptr);
  Properties->SetOnEditValueChanged(nullptr);
  Properties->SetOnValidate(nullptr);
}

void TkvCustomFilterEditHelper::InitEditorForFilter(TkvCustomEdit* Editor, TkvCustomEditProperties* Source) {
  InitFilterProperties(Editor->GetEffectiveProperties(), Source, KeepsButtons());
}

void TkvCustomFilterEditHelper::ReadFilterValue(TkvCustomEdit* Editor, TkvCustomEditProperties* Properties,
                                                Variant& Value, String& Text) {
  Value = Editor->GetEditValueProp();
  Text = Properties->EditValueToDisplayText(Value, true);
}

TkvFilterOperators TkvCustomFilterEditHelper::FilterOperatorSet(TkvValueTypeClass ValueType, bool Extended) {
  TkvFilterOperators operators;
  for (Integer code = 1; code <= (Extended ? 14 : 10); ++code) operators.set(code);
  if (!ValueType || !ValueType->IsTextType()) {
    operators.reset(7);
    operators.reset(8);
  }
  return operators;
}

TkvFilterOperators ListFilterOperators(bool Extended) {
  TkvFilterOperators operators;
  for (Integer code : {1, 2, 9, 10}) operators.set(code);
  if (Extended) {
    operators.set(13);
    operators.set(14);
  }
  return operators;
}

void TkvCustomFilterEditHelper::InitFilterProperties(TkvCustomEditProperties* Properties,
                                                     TkvCustomEditProperties* Source, bool KeepButtons) {
  Properties->Assign(Source);
  Properties->GetAlignment()->SetHorz(taLeftJustify);
  Properties->GetAlignment()->SetVert(taTopJustify);
  Properties->SetBeepOnError(false);
  if (!KeepButtons) Properties->GetButtons()->Clear();
  Properties->SetReadOnly(false);
  Properties->SetValidateOnEnter(true);
  if (!KeepsProvider(Source)) Properties->AttachDefaultValuesProvider(nullptr);
  ClearPropertiesEvents(Properties);
}

bool TkvCustomFilterEditHelper::ValueFitsType(TkvValueTypeClass ValueType, const Variant& Value) {
  Variant copy = Value;
  return ValueType->IsValueAcceptable(copy);
}

TAVREN_CLASS_IMPL(TkvFilterEditsController)

void TkvFilterEditsController::AddHelper(TClass PropertiesClass, TkvFilterEditHelperClass Helper) {
  AddPair(KeyClassOf(PropertiesClass), Helper->ClassType());
  FHelpers[Helper->ClassType()] = Helper;
}

void TkvFilterEditsController::RemoveHelper(TClass PropertiesClass, TkvFilterEditHelperClass Helper) {
  RemovePair(KeyClassOf(PropertiesClass), Helper->ClassType());
  if (ClassCount() > 0) return;
  if (GController == this) GController = nullptr;
  delete this;
}

TkvFilterEditHelperClass TkvFilterEditsController::FindHelper(TClass PropertiesClass) {
  auto found = FHelpers.find(PairedClassOf(PropertiesClass));
  return found == FHelpers.end() ? nullptr : found->second;
}

TkvFilterEditsController* TheFilterEditsController() {
  if (!GController) GController = new TkvFilterEditsController();
  return GController;
}

bool FilterEditsControllerExists() { return GController != nullptr; }
