// Start and end of the text editor unit, and its filter-row helper.

#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "toolkit/editors/kvTextEdit.h"

TAVREN_CLASS_IMPL(TkvFilterTextEditHelper)

void TkvFilterTextEditHelper::InitFilterProperties(TkvCustomEditProperties* Properties,
                                                   TkvCustomEditProperties* Source, bool KeepButtons) {
  TkvCustomFilterEditHelper::InitFilterProperties(Properties, Source, KeepButtons);
  Properties->SetAutoSelect(true);
  auto* text = dynamic_cast<TkvCustomTextEditProperties*>(Properties);
  if (!text) return;
  text->SetHideSelection(true);
  text->SetViewStyle(vsNormal);
}

namespace {

Integer GStartCount = 0;

}  // namespace

void kvTextEditStart() {
  if (GStartCount++ > 0) return;
  RegisterClasses({TkvTextEdit::ClassInfo(), TkvTextEditProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvTextEditProperties::ClassInfo(), ResourceStringText(skvEditTextEditDescription));
  TheFilterEditsController()->AddHelper(TkvTextEditProperties::ClassInfo(),
                                        FilterEditHelperOf<TkvFilterTextEditHelper>());
}

void kvTextEditEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  UnRegisterClass(TkvTextEditProperties::ClassInfo());
  UnRegisterClass(TkvTextEdit::ClassInfo());
  // The Properties registry goes with the edit framework's end.
  TheFilterEditsController()->RemoveHelper(TkvTextEditProperties::ClassInfo(),
                                           FilterEditHelperOf<TkvFilterTextEditHelper>());
}
