// Start and end of the masked editor unit, and its filter-row helper.

#include "rtl/Resources.h"
#include "toolkit/editors/kvMaskEdit.h"

TAVREN_CLASS_IMPL(TkvFilterMaskEditHelper)

void TkvFilterMaskEditHelper::InitFilterProperties(TkvCustomEditProperties* Properties,
                                                   TkvCustomEditProperties* Source, bool KeepButtons) {
  TkvFilterTextEditHelper::InitFilterProperties(Properties, Source, KeepButtons);
  auto* mask = dynamic_cast<TkvCustomMaskEditProperties*>(Properties);
  if (!mask) return;
  // A filter row completes what a regular-expression mask forces.
  auto* source = dynamic_cast<TkvCustomMaskEditProperties*>(Source);
  if (source && source->GetMaskKind() == emkRegExpr) mask->SetMaskKind(emkRegExprEx);
  mask->SetAutoSelect(!mask->HasMask());
}

namespace {

Integer GStartCount = 0;

}  // namespace

void kvMaskEditStart() {
  if (GStartCount++ > 0) return;
  EditPropertiesRegistry()->AddClass(TkvMaskEditProperties::ClassInfo(), ResourceStringText(skvEditMaskEditDescription));
  TheFilterEditsController()->AddHelper(TkvMaskEditProperties::ClassInfo(),
                                        FilterEditHelperOf<TkvFilterMaskEditHelper>());
}

void kvMaskEditEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  // The Properties registry goes with the edit framework's end.
  TheFilterEditsController()->RemoveHelper(TkvMaskEditProperties::ClassInfo(),
                                           FilterEditHelperOf<TkvFilterMaskEditHelper>());
}
