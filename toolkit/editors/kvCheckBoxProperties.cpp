// The check box's settings: its three values and their texts, and the unit's start and end.

#include "rtl/ClassRegistry.h"
#include "rtl/TypInfo.h"
#include "toolkit/editors/kvCheckBox.h"
#include "toolkit/editors/kvEditFilterHelpers.h"

TAVREN_CLASS_IMPL(TkvCustomCheckBoxProperties)
TAVREN_CLASS_IMPL(TkvCheckBoxStyle)

TkvCustomCheckBoxProperties::TkvCustomCheckBoxProperties(TPersistent* AOwner)
    : TkvCustomEditProperties(AOwner),
      FDisplayChecked(ResourceStringText(skvCheckBoxTrue)),
      FDisplayUnchecked(ResourceStringText(skvCheckBoxFalse)),
      FValueChecked(true),
      FValueGrayed(Null()),
      FValueUnchecked(false) {}

TkvCustomCheckBoxProperties::~TkvCustomCheckBoxProperties() = default;

TkvCustomEditStyleClass TkvCustomCheckBoxProperties::GetStyleClass() { return TkvCheckBoxStyle::ClassInfo(); }

TClass TkvCustomCheckBoxProperties::GetEditorClass() { return TkvCheckBox::ClassInfo(); }

TkvCheckBoxState TkvCustomCheckBoxProperties::StateOf(const Variant& EditValue) {
  if (EditValuesEqual(EditValue, FValueChecked)) return cbsChecked;
  if (EditValuesEqual(EditValue, FValueUnchecked)) return cbsUnchecked;
  return cbsGrayed;
}

Variant TkvCustomCheckBoxProperties::ValueOf(TkvCheckBoxState State) {
  switch (State) {
    case cbsUnchecked:
      return FValueUnchecked;
    case cbsChecked:
      return FValueChecked;
    case cbsGrayed:
      break;
  }
  return FValueGrayed;
}

String TkvCustomCheckBoxProperties::EditValueToDisplayText(const Variant& EditValue, bool) {
  switch (StateOf(EditValue)) {
    case cbsUnchecked:
      return FDisplayUnchecked;
    case cbsChecked:
      return FDisplayChecked;
    case cbsGrayed:
      break;
  }
  return FDisplayGrayed;
}

bool TkvCustomCheckBoxProperties::DisplayValuesEqual(const Variant& A, const Variant& B) {
  return StateOf(A) == StateOf(B);
}

bool TkvCustomCheckBoxProperties::AcceptsEditValue(const Variant& EditValue) {
  return TkvCustomEditProperties::AcceptsEditValue(EditValue) && EqualsAnyValue(EditValue);
}

bool TkvCustomCheckBoxProperties::EqualsAnyValue(const Variant& Value) const {
  auto same = [&](const Variant& Other) {
    return VarIsNull(Value) ? VarIsNull(Other) : VarSameTypeAndValue(Value, Other);
  };
  return same(FValueChecked) || same(FValueUnchecked) || same(FValueGrayed);
}

bool TkvCustomCheckBoxProperties::IsLoading() {
  TComponent* owner = OwningComponentOf(this);
  return owner && owner->GetComponentState().Contains(csLoading);
}

void TkvCustomCheckBoxProperties::SetValue(Variant& Field, const Variant& Value) {
  Field = Value;
  NotifyChanged();
}

void TkvCustomCheckBoxProperties::SetValueChecked(const Variant& Value) {
  if (IsLoading() || (!VarIsNull(Value) && !EqualsAnyValue(Value))) SetValue(FValueChecked, Value);
}

void TkvCustomCheckBoxProperties::SetValueUnchecked(const Variant& Value) {
  if (IsLoading() || (!VarIsNull(Value) && !EqualsAnyValue(Value))) SetValue(FValueUnchecked, Value);
}

void TkvCustomCheckBoxProperties::SetValueGrayed(const Variant& Value) {
  if (IsLoading() || !EqualsAnyValue(Value)) SetValue(FValueGrayed, Value);
}

bool TkvCustomCheckBoxProperties::IsValueCheckedStored() const {
  return !VarSameTypeAndValue(FValueChecked, Variant(true));
}

bool TkvCustomCheckBoxProperties::IsValueUncheckedStored() const {
  return !VarSameTypeAndValue(FValueUnchecked, Variant(false));
}

bool TkvCustomCheckBoxProperties::IsDisplayCheckedStored() {
  return FDisplayChecked != ResourceStringText(skvCheckBoxTrue);
}

bool TkvCustomCheckBoxProperties::IsDisplayUncheckedStored() {
  return FDisplayUnchecked != ResourceStringText(skvCheckBoxFalse);
}

void TkvCustomCheckBoxProperties::SetCaption(const String& Value) {
  FCaptionAssigned = true;
  Store(FCaption, Value);
}

TBitmap* TkvCustomCheckBoxProperties::GetGlyph() {
  if (!FGlyph) {
    FGlyph = std::make_unique<TBitmap>();
    FGlyph->SetOnChange(MakeEvent<&TkvCustomCheckBoxProperties::GlyphChanged>(this));
  }
  return FGlyph.get();
}

void TkvCustomCheckBoxProperties::SetGlyph(TBitmap* Value) {
  if (!Value)
    FGlyph.reset();
  else
    GetGlyph()->Assign(Value);
  NotifyChanged();
}

void TkvCustomCheckBoxProperties::SetGlyphCount(Integer Value) {
  if (FGlyphCount == Value) return;
  FGlyphCount = Value;
  if (FGlyph) NotifyChanged();
}

void TkvCustomCheckBoxProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomCheckBoxProperties*>(Source);
  if (!source) return TkvCustomEditProperties::Assign(Source);
  LockChanges();
  try {
    TkvCustomEditProperties::Assign(Source);
    SetAllowGrayed(source->FAllowGrayed);
    SetDisplayChecked(source->FDisplayChecked);
    SetDisplayUnchecked(source->FDisplayUnchecked);
    SetDisplayGrayed(source->FDisplayGrayed);
    SetFullFocusRect(source->FFullFocusRect);
    SetGlyph(source->FGlyph.get());
    SetGlyphCount(source->FGlyphCount);
    SetMultiLine(source->FMultiLine);
    SetNullStyle(source->FNullStyle);
    SetUseAlignmentWhenInplace(source->FUseAlignmentWhenInplace);
    // The values go as one group, and only a group the setters would accept.
    const Variant& c = source->FValueChecked;
    const Variant& u = source->FValueUnchecked;
    const Variant& g = source->FValueGrayed;
    auto differ = [](const Variant& A, const Variant& B) {
      return VarIsNull(A) ? !VarIsNull(B) : !VarSameTypeAndValue(A, B);
    };
    if (!VarIsNull(c) && !VarIsNull(u) && differ(c, u) && differ(c, g) && differ(u, g)) {
      FValueChecked = c;
      FValueUnchecked = u;
      FValueGrayed = g;
      NotifyChanged();
    }
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

TAVREN_CLASS_IMPL_PUBLISHED(
    TkvCheckBoxProperties,
    PROPERTY_AS(Alignment, GetHorzAlignment, SetHorzAlignment)
        .Stored<&TkvCustomCheckBoxProperties::IsHorzAlignmentStored>(),
    PROPERTY(AllowGrayed).Default(false), PROPERTY(AssignedValues), PROPERTY(Caption).Stored(false),
    PROPERTY(ClearKey).Default(0),
    PROPERTY(DisplayChecked).Stored<&TkvCustomCheckBoxProperties::IsDisplayCheckedStored>(),
    PROPERTY(DisplayUnchecked).Stored<&TkvCustomCheckBoxProperties::IsDisplayUncheckedStored>(),
    PROPERTY(DisplayGrayed).Stored<&TkvCustomCheckBoxProperties::IsDisplayGrayedStored>(),
    PROPERTY(FullFocusRect).Default(false), PROPERTY(Glyph), PROPERTY(GlyphCount).Default(6),
    PROPERTY(ImmediatePost).Default(false), PROPERTY(MultiLine).Default(false),
    PROPERTY(NullStyle).Default(nssGrayedChecked),
    PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(),
    PROPERTY(UseAlignmentWhenInplace).Default(false),
    PROPERTY(ValueChecked).Stored<&TkvCustomCheckBoxProperties::IsValueCheckedStored>(),
    PROPERTY(ValueGrayed).Stored<&TkvCustomCheckBoxProperties::IsValueGrayedStored>(),
    PROPERTY(ValueUnchecked).Stored<&TkvCustomCheckBoxProperties::IsValueUncheckedStored>(),
    PROPERTY(OnChange), PROPERTY(OnEditValueChanged), PROPERTY(OnValidate))

// ---- Unit start and end -------------------------------------------------------------------------

namespace {

Integer GStartCount = 0;
std::unique_ptr<TBitmap> GCheckMarkMask;

// White where the unchecked and checked classic boxes agree, black where they differ: the mark.
std::unique_ptr<TBitmap> BuildCheckMarkMask() {
  const TSize size = SharedCheckBoxSize();
  auto draw = [&](UINT Flags) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(size.cx, size.cy);
    RECT r{0, 0, size.cx, size.cy};
    DrawFrameControl(bitmap->GetCanvas()->GetHandle(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | Flags);
    return bitmap;
  };
  std::unique_ptr<TBitmap> unchecked = draw(0), checked = draw(DFCS_CHECKED);
  auto mask = std::make_unique<TBitmap>();
  mask->SetSize(size.cx, size.cy);
  for (Integer y = 0; y < size.cy; ++y)
    for (Integer x = 0; x < size.cx; ++x) {
      const bool same = unchecked->GetCanvas()->GetPixel(x, y) == checked->GetCanvas()->GetPixel(x, y);
      mask->GetCanvas()->SetPixel(x, y, same ? clWhite : clBlack);
    }
  return mask;
}

}  // namespace

TBitmap* CheckMarkMask() { return GCheckMarkMask.get(); }

// ---- Filter rows -----------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvFilterCheckBoxHelper)

void TkvFilterCheckBoxHelper::InitFilterProperties(TkvCustomEditProperties* Properties,
                                                   TkvCustomEditProperties* Source, bool KeepButtons) {
  TkvFilterComboBoxHelper::InitFilterProperties(Properties, Source, KeepButtons);
  auto* combo = dynamic_cast<TkvCustomComboBoxProperties*>(Properties);
  auto* box = dynamic_cast<TkvCustomCheckBoxProperties*>(Source);
  if (!combo || !box) return;
  TStrings* items = combo->GetItems();
  items->Clear();
  items->Add(box->EditValueToDisplayText(box->GetValueChecked(), true));
  items->Add(box->EditValueToDisplayText(box->GetValueUnchecked(), true));
  combo->SetDropDownListStyle(lsFixedList);
  combo->AttachDefaultValuesProvider(nullptr);
  ClearPropertiesEvents(combo);
}

void TkvFilterCheckBoxHelper::ReadFilterValue(TkvCustomEdit* Editor, TkvCustomEditProperties* Properties,
                                              Variant& Value, String& Text) {
  auto* combo = dynamic_cast<TkvCustomComboBox*>(Editor);
  auto* box = dynamic_cast<TkvCustomCheckBoxProperties*>(Properties);
  const Integer index = combo ? combo->GetItemIndex() : -1;
  if (!box || index < 0 || index > 1) {
    Value = Null();
    Text.clear();
    return;
  }
  Value = index == 0 ? box->GetValueChecked() : box->GetValueUnchecked();
  Text = box->EditValueToDisplayText(Value, true);
}

void TkvFilterCheckBoxHelper::WriteFilterValue(TkvCustomEdit* Editor, TkvCustomEditProperties* Properties,
                                               const Variant& Value) {
  auto* combo = dynamic_cast<TkvCustomComboBox*>(Editor);
  auto* box = dynamic_cast<TkvCustomCheckBoxProperties*>(Properties);
  if (!combo || !box) return;
  switch (box->StateOf(Value)) {
    case cbsChecked: combo->SetItemIndex(0); break;
    case cbsUnchecked: combo->SetItemIndex(1); break;
    case cbsGrayed: combo->SetItemIndex(-1); break;
  }
}

TkvFilterOperators TkvFilterCheckBoxHelper::FilterOperatorSet(TkvValueTypeClass, bool) {
  return TkvFilterOperators(0x606);
}

void kvCheckBoxStart() {
  if (GStartCount++ > 0) return;
  RegisterClasses({TkvCheckBox::ClassInfo(), TkvCheckBoxProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvCheckBoxProperties::ClassInfo(), ResourceStringText(skvCheckBoxDescription));
  TheFilterEditsController()->AddHelper(TkvCheckBoxProperties::ClassInfo(), FilterEditHelperOf<TkvFilterCheckBoxHelper>());
  GCheckMarkMask = BuildCheckMarkMask();
}

void kvCheckBoxEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  GCheckMarkMask.reset();
  TheFilterEditsController()->RemoveHelper(TkvCheckBoxProperties::ClassInfo(),
                                           FilterEditHelperOf<TkvFilterCheckBoxHelper>());
  UnRegisterClass(TkvCheckBoxProperties::ClassInfo());
  UnRegisterClass(TkvCheckBox::ClassInfo());
}
