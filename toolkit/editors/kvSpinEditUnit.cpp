// The spin edit's filter-row helper and the unit's registrations.

#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvSpinEdit.h"

TAVREN_CLASS_IMPL(TkvFilterSpinEditHelper)

TkvFilterOperators TkvFilterSpinEditHelper::FilterOperatorSet(TkvValueTypeClass, bool Extended) {
  TkvFilterOperators operators(Extended ? 0x7E7E : 0x067E);
  return operators;
}

void TkvFilterSpinEditHelper::InitFilterProperties(TkvCustomEditProperties* Properties,
                                                   TkvCustomEditProperties* Source, bool KeepButtons) {
  TkvFilterMaskEditHelper::InitFilterProperties(Properties, Source, KeepButtons);
  if (auto* properties = dynamic_cast<TkvCustomSpinEditProperties*>(Properties)) properties->SetCanEdit(true);
}

namespace {

Integer GStartCount = 0;

}  // namespace

void kvSpinEditStart() {
  if (GStartCount++ > 0) return;
  RegisterClasses({TkvSpinEdit::ClassInfo(), TkvSpinEditProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvSpinEditProperties::ClassInfo(),
                                     ResourceStringText(skvEditSpinEditDescription));
  TheFilterEditsController()->AddHelper(TkvSpinEditProperties::ClassInfo(),
                                        FilterEditHelperOf<TkvFilterSpinEditHelper>());
}

// The Properties registry goes with the edit framework's end.
void kvSpinEditEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  TheFilterEditsController()->RemoveHelper(TkvSpinEditProperties::ClassInfo(),
                                           FilterEditHelperOf<TkvFilterSpinEditHelper>());
  UnRegisterClass(TkvSpinEditProperties::ClassInfo());
  UnRegisterClass(TkvSpinEdit::ClassInfo());
}
