#include "rtl/SysUtils.h"
#include "toolkit/skins/qzSkinsCore.h"
#include "toolkit/skins/qzSkinsStrs.h"

TAVREN_CLASS_IMPL(TqzSkinProperty)
TAVREN_CLASS_IMPL(TqzSkinIntegerProperty)
TAVREN_CLASS_IMPL(TqzSkinBooleanProperty)
TAVREN_CLASS_IMPL(TqzSkinColor)
TAVREN_CLASS_IMPL(TqzSkinRectProperty)
TAVREN_CLASS_IMPL(TqzSkinSizeProperty)
TAVREN_CLASS_IMPL(TqzSkinStringProperty)
TAVREN_CLASS_IMPL(TqzSkinBorder)
TAVREN_CLASS_IMPL(TqzSkinBorders)

namespace {

// Removes every occurrence of Part, letter case aside.
String RemoveText(String Text, const String& Part) {
  for (;;) {
    String upper = UpperCase(Text);
    size_t at = upper.find(UpperCase(Part));
    if (at == String::npos) return Text;
    Text.erase(at, Part.size());
  }
}

template <class T>
T* SameClass(TqzSkinProperty* Self, TPersistent* Other) {
  auto* other = dynamic_cast<T*>(Other);
  return other && other->ClassType() == Self->ClassType() ? other : nullptr;
}

}  // namespace

// ---- TqzSkinProperty ----------------------------------------------------------------------

TqzSkinProperty::TqzSkinProperty(TPersistent* AOwner, const String& AName)
    : TqzSkinCustomPersistentObject(AOwner, AName) {}

void TqzSkinProperty::ReadData(TStream*) {}
void TqzSkinProperty::WriteData(TStream*) {}

void TqzSkinProperty::ReadFromStream(TStream* AStream) {
  SetName(ReadSkinString(AStream));
  ReadData(AStream);
}

void TqzSkinProperty::WriteToStream(TStream* AStream) {
  WriteSkinString(AStream, ClassName());
  WriteSkinString(AStream, GetName());
  WriteData(AStream);
}

String TqzSkinProperty::GetDescription() { return RemoveText(RemoveText(ClassName(), "TqzSkin"), "Property"); }

bool TqzSkinProperty::Compare(TqzSkinProperty*) { return false; }

// ---- Integer, Boolean, Color, String ------------------------------------------------------

void TqzSkinIntegerProperty::Assign(TPersistent* Source) {
  if (auto* source = SameClass<TqzSkinIntegerProperty>(this, Source))
    SetValue(source->FValue);
  else
    inherited::Assign(Source);
}

void TqzSkinIntegerProperty::ReadData(TStream* AStream) { FValue = ReadSkinInteger(AStream); }
void TqzSkinIntegerProperty::WriteData(TStream* AStream) { WriteSkinInteger(AStream, FValue); }

bool TqzSkinIntegerProperty::Compare(TqzSkinProperty* AProperty) {
  auto* other = SameClass<TqzSkinIntegerProperty>(this, AProperty);
  return other && other->GetName() == GetName() && other->FValue == FValue;
}

void TqzSkinIntegerProperty::SetValue(Integer AValue) {
  if (AValue == FValue) return;
  FValue = AValue;
  DoChange();
}

void TqzSkinBooleanProperty::Assign(TPersistent* Source) {
  if (auto* source = SameClass<TqzSkinBooleanProperty>(this, Source))
    SetValue(source->FValue);
  else
    inherited::Assign(Source);
}

void TqzSkinBooleanProperty::ReadData(TStream* AStream) {
  Byte value = 0;
  AStream->ReadBuffer(&value, 1);
  FValue = value != 0;
}

void TqzSkinBooleanProperty::WriteData(TStream* AStream) {
  Byte value = FValue ? 1 : 0;
  AStream->WriteBuffer(&value, 1);
}

bool TqzSkinBooleanProperty::Compare(TqzSkinProperty* AProperty) {
  auto* other = SameClass<TqzSkinBooleanProperty>(this, AProperty);
  return other && other->GetName() == GetName() && other->FValue == FValue;
}

void TqzSkinBooleanProperty::SetValue(bool AValue) {
  if (AValue == FValue) return;
  FValue = AValue;
  DoChange();
}

void TqzSkinColor::Assign(TPersistent* Source) {
  if (auto* source = SameClass<TqzSkinColor>(this, Source))
    SetValue(source->FValue);
  else
    inherited::Assign(Source);
}

void TqzSkinColor::ReadData(TStream* AStream) { FValue = ReadSkinInteger(AStream); }
void TqzSkinColor::WriteData(TStream* AStream) { WriteSkinInteger(AStream, FValue); }

bool TqzSkinColor::Compare(TqzSkinProperty* AProperty) {
  auto* other = SameClass<TqzSkinColor>(this, AProperty);
  return other && other->GetName() == GetName() && other->FValue == FValue;
}

void TqzSkinColor::SetValue(TColor AValue) {
  if (AValue == FValue) return;
  FValue = AValue;
  DoChange();
}

void TqzSkinStringProperty::Assign(TPersistent* Source) {
  if (auto* source = SameClass<TqzSkinStringProperty>(this, Source))
    SetValue(source->FValue);
  else
    inherited::Assign(Source);
}

void TqzSkinStringProperty::ReadData(TStream* AStream) { FValue = ReadSkinString(AStream); }
void TqzSkinStringProperty::WriteData(TStream* AStream) { WriteSkinString(AStream, FValue); }

bool TqzSkinStringProperty::Compare(TqzSkinProperty* AProperty) {
  auto* other = SameClass<TqzSkinStringProperty>(this, AProperty);
  return other && other->GetName() == GetName() && AnsiCompareStr(other->FValue, FValue) == 0;
}

void TqzSkinStringProperty::SetValue(const String& AValue) {
  if (AValue == FValue) return;
  FValue = AValue;
  DoChange();
}

// ---- Rect and Size ------------------------------------------------------------------------

TqzSkinRectProperty::TqzSkinRectProperty(TPersistent* AOwner, const String& AName)
    : TqzSkinProperty(AOwner, AName), FValue(std::make_unique<TkvRect>(this)) {
  FValue->SetOnChange(MakeEvent<&TqzSkinRectProperty::RectChanged>(this));
}

void TqzSkinRectProperty::RectChanged(TObject*) { DoChange(); }

void TqzSkinRectProperty::Assign(TPersistent* Source) {
  if (auto* source = SameClass<TqzSkinRectProperty>(this, Source))
    FValue->Assign(source->FValue.get());
  else
    inherited::Assign(Source);
}

void TqzSkinRectProperty::ReadData(TStream* AStream) {
  TRect r;
  r.Left = ReadSkinInteger(AStream);
  r.Top = ReadSkinInteger(AStream);
  r.Right = ReadSkinInteger(AStream);
  r.Bottom = ReadSkinInteger(AStream);
  // Reading is not a change.
  TNotifyEvent handler = FValue->GetOnChange();
  FValue->SetOnChange(TNotifyEvent());
  FValue->AssignRect(r);
  FValue->SetOnChange(handler);
}

void TqzSkinRectProperty::WriteData(TStream* AStream) {
  for (Integer side = 0; side < 4; ++side) WriteSkinInteger(AStream, FValue->GetSide(side));
}

bool TqzSkinRectProperty::Compare(TqzSkinProperty* AProperty) {
  auto* other = SameClass<TqzSkinRectProperty>(this, AProperty);
  return other && other->GetName() == GetName() && other->FValue->EqualsRectObject(FValue.get());
}

void TqzSkinSizeProperty::Assign(TPersistent* Source) {
  if (auto* source = SameClass<TqzSkinSizeProperty>(this, Source))
    SetValue(source->FValue);
  else
    inherited::Assign(Source);
}

void TqzSkinSizeProperty::ReadData(TStream* AStream) {
  FValue.cx = ReadSkinInteger(AStream);
  FValue.cy = ReadSkinInteger(AStream);
}

void TqzSkinSizeProperty::WriteData(TStream* AStream) {
  WriteSkinInteger(AStream, FValue.cx);
  WriteSkinInteger(AStream, FValue.cy);
}

bool TqzSkinSizeProperty::Compare(TqzSkinProperty* AProperty) {
  auto* other = SameClass<TqzSkinSizeProperty>(this, AProperty);
  return other && other->GetName() == GetName() && other->FValue == FValue;
}

void TqzSkinSizeProperty::SetValueByIndex(Integer Index, Integer AValue) {
  TSize size = FValue;
  (Index == 0 ? size.cx : size.cy) = AValue;
  SetValue(size);
}

void TqzSkinSizeProperty::SetValue(const TSize& AValue) {
  if (AValue == FValue) return;
  FValue = AValue;
  DoChange();
}

// ---- Borders ------------------------------------------------------------------------------

void TqzSkinBorder::Assign(TPersistent* Source) {
  // Anything but a border is ignored.
  if (auto* source = dynamic_cast<TqzSkinBorder*>(Source)) {
    SetColor(source->FColor);
    FSide = source->FSide;
    SetThin(source->FThin);
  }
}

void TqzSkinBorder::ReadData(TStream* AStream) {
  SetColor(ReadSkinInteger(AStream));
  FThin = ReadSkinInteger(AStream);
  // A strip wider than any picture is a damaged record, and its sums would overflow.
  if (FThin < 0 || FThin > kqzSkinMaxPictureSide) RaiseInvalidSkinStream();
}

void TqzSkinBorder::WriteData(TStream* AStream) {
  WriteSkinInteger(AStream, FColor);
  WriteSkinInteger(AStream, FThin);
}

bool TqzSkinBorder::Compare(TqzSkinProperty* AProperty) {
  auto* other = dynamic_cast<TqzSkinBorder*>(AProperty);
  return other && other->FColor == FColor && other->FThin == FThin && other->FSide == FSide;
}

void TqzSkinBorder::SetColor(TColor AValue) {
  if (AValue == FColor) return;
  FColor = AValue;
  DoChange();
}

void TqzSkinBorder::SetThin(Integer AValue) {
  if (AValue == FThin) return;
  FThin = AValue;
  DoChange();
}

namespace {

// Every element has borders: their names are looked up once.
const String& BorderName(Integer Side) {
  static const String names[4] = {SkinStr(sqzSkinNameLeft), SkinStr(sqzSkinNameTop), SkinStr(sqzSkinNameRight),
                                  SkinStr(sqzSkinNameBottom)};
  return names[Side];
}

}  // namespace

TqzSkinBorders::TqzSkinBorders(TPersistent* AOwner, const String& AName)
    : TqzSkinProperty(AOwner, AName),
      FBorders{TqzSkinBorder(this, BorderName(0)), TqzSkinBorder(this, BorderName(1)),
               TqzSkinBorder(this, BorderName(2)), TqzSkinBorder(this, BorderName(3))} {
  for (Integer side = 0; side < 4; ++side) {
    FBorders[side].SetSide(side);
    FBorders[side].SetOnChange(MakeEvent<&TqzSkinBorders::BorderChanged>(this));
  }
}

TqzSkinBorders::~TqzSkinBorders() = default;

void TqzSkinBorders::BorderChanged(TObject*) { DoChange(); }

void TqzSkinBorders::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TqzSkinBorders*>(Source)) {
    for (Integer side = 0; side < 4; ++side) FBorders[side].Assign(&source->FBorders[side]);
  } else {
    inherited::Assign(Source);
  }
}

bool TqzSkinBorders::Compare(TqzSkinProperty* AProperty) {
  auto* other = dynamic_cast<TqzSkinBorders*>(AProperty);
  if (!other) return false;
  for (Integer side = 0; side < 4; ++side)
    if (!FBorders[side].Compare(&other->FBorders[side])) return false;
  return true;
}
