// The mask settings of the masked editors' Properties: the kind and the mask, their checks, and
// the display and validation of values through a mode.

#include "rtl/Resources.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvMaskEdit.h"

namespace {

// Unlocks the Properties' changes however the scope is left.
class TChangeLockScope {
 public:
  explicit TChangeLockScope(TkvCustomEditProperties* Properties) : FProperties(Properties) {
    FProperties->LockChanges();
  }
  ~TChangeLockScope() { FProperties->UnlockChanges(); }

 private:
  TkvCustomEditProperties* FProperties;
};

}  // namespace

TAVREN_CLASS_IMPL(TkvCustomMaskEditProperties)

TkvCustomMaskEditProperties::TkvCustomMaskEditProperties(TPersistent* AOwner) : TkvCustomTextEditProperties(AOwner) {
  SetValidateOnEnter(true);
}

TkvCustomMaskEditProperties::~TkvCustomMaskEditProperties() { FCachedMode.reset(); }

void TkvCustomMaskEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomMaskEditProperties*>(Source);
  if (!source) return TkvCustomTextEditProperties::Assign(Source);
  TChangeLockScope lock(this);
  TkvCustomTextEditProperties::Assign(Source);
  SetMaskKind(source->FMaskKind);
  SetEditMask(source->GetEditMask());
  SetCaseInsensitive(source->FCaseInsensitive);
  SetIgnoreMaskBlank(source->FIgnoreMaskBlank);
  SetAlwaysShowBlanksAndLiterals(source->FAlwaysShowBlanksAndLiterals);
}

void TkvCustomMaskEditProperties::NotifyChanged() {
  FCachedMode.reset();
  TkvCustomTextEditProperties::NotifyChanged();
}

TkvMaskEditModeClass TkvCustomMaskEditProperties::GetModeClass(TkvEditMaskKind Kind) {
  switch (Kind) {
    case emkRegExpr: return TkvMaskEditRegExprMode::ClassInfo();
    case emkRegExprEx: return TkvMaskEditRegExprExMode::ClassInfo();
    default: return TkvMaskEditStandardMode::ClassInfo();
  }
}

TkvEditMask TkvCustomMaskEditProperties::GetEditMask() {
  if (FMaskKind != emkStandard || !IsBlankEditMask(FEditMask)) return FEditMask;
  String provided;
  if (IkvEditDefaultValuesProvider* provider = GetDefaultValuesProvider()) provider->ProvidedEditMask(provided);
  return provided;
}

void TkvCustomMaskEditProperties::SetEditMask(const TkvEditMask& Value) {
  if (Value == GetEditMask()) {
    FEditMask = Value;
    return;
  }
  // A mask the kind cannot take raises here, before anything changes.
  TkvMaskEditModeArgs args(nullptr, this);
  std::unique_ptr<TkvMaskEditCustomMode>(GetModeClass(FMaskKind).Create(&args))->SetMask(Value);
  FEditMask = Value;
  NotifyChanged();
}

void TkvCustomMaskEditProperties::SetMaskKind(TkvEditMaskKind Value) {
  if (FMaskKind == Value) return;
  FMaskKind = Value;
  NotifyChanged();
}

void TkvCustomMaskEditProperties::SetCaseInsensitive(bool Value) {
  FCaseInsensitive = GetCharCase() != ecNormal || Value;
  NotifyChanged();
}

void TkvCustomMaskEditProperties::SetAlwaysShowBlanksAndLiterals(bool Value) {
  if (FAlwaysShowBlanksAndLiterals == Value) return;
  FAlwaysShowBlanksAndLiterals = Value;
  NotifyChanged();
}

void TkvCustomMaskEditProperties::SetCharCase(TEditCharCase Value) {
  if (Value != ecNormal) FCaseInsensitive = true;
  TkvCustomTextEditProperties::SetCharCase(Value);
}

void TkvCustomMaskEditProperties::MaxLengthUpdated() {
  if (!HasMask()) {
    NotifyChanged();
    return;
  }
  // A masked editor never has a MaxLength.
  if (FMaxLengthGuard) return;
  FMaxLengthGuard = true;
  try {
    TChangeLockScope lock(this);
    SetMaxLength(0);
  } catch (...) {
    FMaxLengthGuard = false;
    throw;
  }
  FMaxLengthGuard = false;
}

bool TkvCustomMaskEditProperties::AcceptsEditValue(const Variant& Value) {
  return HasMask() || TkvCustomTextEditProperties::AcceptsEditValue(Value);
}

TClassOf<TkvCustomTextEditLookupData> TkvCustomMaskEditProperties::LookupDataClass() {
  return HasMask() ? nullptr : TkvCustomTextEditProperties::LookupDataClass();
}

std::unique_ptr<TkvMaskEditCustomMode> TkvCustomMaskEditProperties::CreateFormattingMode() {
  const String mask = GetEditMask();
  if (IsBlankEditMask(mask)) return nullptr;
  TkvMaskEditModeArgs args(nullptr, this);
  std::unique_ptr<TkvMaskEditCustomMode> mode(GetModeClass(FMaskKind).Create(&args));
  mode->SetMask(mask);
  return mode;
}

TkvMaskEditCustomMode* TkvCustomMaskEditProperties::FormattingMode() {
  if (!FCachedMode || FCachedMode->ClassType() != GetModeClass(FMaskKind) || FCachedMode->GetMaskText() != GetEditMask()) {
    FCachedMode.reset();
    try {
      FCachedMode = CreateFormattingMode();
    } catch (const EkvMaskEditError&) {
      // A mask of the other syntax, kept until the editor clears it: values show as they are.
    }
  }
  return FCachedMode.get();
}

void TkvCustomMaskEditProperties::MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Editing) {
  if (!HasMask() || HasDefaultDisplayFormat(Editing)) {
    TkvCustomTextEditProperties::MakeDisplayValue(EditValue, DisplayValue, Editing);
    return;
  }
  const String text = VarToStr(EditValue);
  TkvMaskEditCustomMode* mode = FormattingMode();
  if (!mode) {
    DisplayValue = text;
  } else if (Editing || mode->ModeKind() != 0 || FAlwaysShowBlanksAndLiterals) {
    DisplayValue = mode->FormatText(text, false);
  } else {
    DisplayValue = mode->DisplayToValue(text, false);
  }
}

void TkvCustomMaskEditProperties::CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                                    TkvCustomEdit* Editor) {
  if (!Error) {
    Error = false;
    if (HasMask()) {
      auto* host = dynamic_cast<IkvMaskEditModeHost*>(Editor);
      TkvMaskEditCustomMode* mode = host && host->MaskMode() ? host->MaskMode() : FormattingMode();
      Error = mode && !mode->IsValidText(VarToStr(DisplayValue));
      if (Error) ErrorText = ResourceStringText(skvEditInvalidEditValue);
    }
  }
  TkvCustomTextEditProperties::CheckDisplayValue(DisplayValue, ErrorText, Error, Editor);
}

// ---- Published --------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(
    TkvMaskEditProperties,
    PROPERTY_AS(Alignment, GetAlignment, SetAlignmentProp).Stored<&TkvCustomEditProperties::IsAlignmentStored>(),
    PROPERTY(AlwaysShowBlanksAndLiterals).Default(false), PROPERTY(AssignedValues), PROPERTY(AutoSelect).Default(true),
    PROPERTY(BeepOnError).Default(false), PROPERTY(CaseInsensitive).Default(true), PROPERTY(CharCase).Default(ecNormal),
    PROPERTY(ClearKey).Default(0), PROPERTY(EchoMode).Default(eemNormal), PROPERTY(HideSelection).Default(true),
    PROPERTY(IgnoreMaskBlank).Default(false), PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
    PROPERTY(IncrementalSearch).Default(true), PROPERTY(LookupItems), PROPERTY(LookupItemsSorted).Default(false),
    PROPERTY(MaskKind).Default(emkStandard), PROPERTY(EditMask),
    PROPERTY(MaxLength).Stored<&TkvCustomTextEditProperties::IsMaxLengthStored>(),
    PROPERTY(OEMConvert).Default(false),
    PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(),
    PROPERTY(UseLeftAlignmentOnEditing).Stored<&TkvCustomEditProperties::IsUseLeftAlignmentOnEditingStored>(),
    PROPERTY(ValidateOnEnter).Default(true))
