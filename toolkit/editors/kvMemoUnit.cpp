// Start and end of the memo unit, and its filter-row helper.

#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "toolkit/editors/kvMemo.h"

TAVREN_CLASS_IMPL(TkvFilterMemoHelper)

TClass TkvCustomMemoProperties::GetEditorClass() { return TkvMemo::ClassInfo(); }

TkvFilterOperators TkvFilterMemoHelper::FilterOperatorSet(TkvValueTypeClass, bool) {
  TkvFilterOperators operators;
  for (Integer code = 7; code <= 10; ++code) operators.set(code);
  return operators;
}

namespace {

Integer GStartCount = 0;

}  // namespace

void kvMemoStart() {
  if (GStartCount++ > 0) return;
  RegisterClasses({TkvMemo::ClassInfo(), TkvMemoProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvMemoProperties::ClassInfo(), ResourceStringText(skvEditMemoDescription));
  TheFilterEditsController()->AddHelper(TkvMemoProperties::ClassInfo(), FilterEditHelperOf<TkvFilterMemoHelper>());
}

void kvMemoEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  UnRegisterClass(TkvMemoProperties::ClassInfo());
  UnRegisterClass(TkvMemo::ClassInfo());
  // The Properties registry goes with the edit framework's end.
  TheFilterEditsController()->RemoveHelper(TkvMemoProperties::ClassInfo(), FilterEditHelperOf<TkvFilterMemoHelper>());
}
