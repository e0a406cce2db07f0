// The progress bar's settings, its values and the unit's start and end.

#include <cmath>

#include "rtl/ClassRegistry.h"
#include "rtl/SysUtils.h"
#include "rtl/TypInfo.h"
#include "toolkit/editors/kvProgressBar.h"

// ---- Assigned values --------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvProgressBarPropertiesValues,
                            PROPERTY_AS(Max, GetMaxValue, SetMaxValue).Stored<&TkvProgressBarPropertiesValues::IsMaxStored>(),
                            PROPERTY_AS(Min, GetMinValue, SetMinValue).Stored<&TkvProgressBarPropertiesValues::IsMinStored>())

bool TkvProgressBarPropertiesValues::IsMaxStored() {
  TkvCustomEditProperties* owner = GetOwnerProperties();
  return GetMaxValue() && owner && owner->GetMaxValue() == 0 && OwnerPublishes("Max");
}

bool TkvProgressBarPropertiesValues::IsMinStored() {
  TkvCustomEditProperties* owner = GetOwnerProperties();
  return GetMinValue() && owner && owner->GetMinValue() == 0 && OwnerPublishes("Min");
}

// ---- Properties -------------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvCustomProgressBarProperties)

TkvCustomProgressBarProperties::TkvCustomProgressBarProperties(TPersistent* AOwner)
    : TkvCustomEditProperties(AOwner) {}

TkvCustomProgressBarProperties::~TkvCustomProgressBarProperties() = default;

TkvCustomEditPropertiesValuesClass TkvCustomProgressBarProperties::GetAssignedValuesClass() {
  return TkvProgressBarPropertiesValues::ClassInfo();
}

double TkvCustomProgressBarProperties::GetMaxValue() {
  return GetAssignedValues()->GetMaxValue() ? TkvCustomEditProperties::GetMaxValue() : 100;
}

double TkvCustomProgressBarProperties::GetMinValue() {
  return GetAssignedValues()->GetMinValue() ? TkvCustomEditProperties::GetMinValue() : 0;
}

double TkvCustomProgressBarProperties::DisplayNumber(const Variant& EditValue) {
  if (VarIsNumeric(EditValue)) return EditValue.AsDouble();
  if (VarIsStr(EditValue)) {
    Extended number = 0;
    if (TryStrToFloat(Trim(VarToStr(EditValue)), number)) return number;
  }
  return 0;
}

void TkvCustomProgressBarProperties::MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool) {
  DisplayValue = Variant(DisplayNumber(EditValue));
}

String TkvCustomProgressBarProperties::EditValueToDisplayText(const Variant& EditValue, bool) {
  String text = FloatToStr(DisplayNumber(EditValue));
  if (FShowTextStyle == kvtsPercent) text += " %";
  return text;
}

double TkvCustomProgressBarProperties::ClampViewPosition(double Position) {
  double min = GetMinValue(), max = GetMaxValue();
  if (max <= min) return Position;
  return std::min(std::max(Position, min), max);
}

void TkvCustomProgressBarProperties::SetBarStyle(TkvProgressBarBarStyle Value) {
  if (FBarStyle == Value) return;
  FBarStyle = Value;
  // The glass bar has its own green; the colour is set without a notice of its own.
  if (IsAnimationStyle(Value)) FBeginColor = static_cast<TColor>(0x00D328);
  NotifyChanged();
}

TBitmap* TkvCustomProgressBarProperties::GetForegroundImage() {
  if (!FForegroundImage) {
    FForegroundImage = std::make_unique<TBitmap>();
    FForegroundImage->SetOnChange(MakeEvent<&TkvCustomProgressBarProperties::ForegroundImageChanged>(this));
  }
  return FForegroundImage.get();
}

void TkvCustomProgressBarProperties::SetForegroundImage(TBitmap* Value) {
  if (!Value)
    FForegroundImage.reset();
  else
    GetForegroundImage()->Assign(Value);
  FForegroundImageChanged = true;
  NotifyChanged();
}

void TkvCustomProgressBarProperties::ForegroundImageChanged(TObject*) {
  FForegroundImageChanged = true;
  NotifyChanged();
}

void TkvCustomProgressBarProperties::SetMarquee(bool Value) {
  if (FMarquee == Value) return;
  FMarquee = Value;
  if (Value) FShowTextStyle = kvtsText;
  NotifyChanged();
}

void TkvCustomProgressBarProperties::SetShowTextStyle(TkvProgressBarTextStyle Value) {
  if (FMarquee && Value != kvtsText) return;
  Store(FShowTextStyle, Value);
}

void TkvCustomProgressBarProperties::SetText(const String& Value) {
  if (FText == Value) return;
  FText = Value;
  if (!Value.empty()) FShowTextStyle = kvtsText;
  NotifyChanged();
}

void TkvCustomProgressBarProperties::SetMin(double Value) {
  LockChanges();
  try {
    SetMinValue(Value);
    double min = GetMinValue();
    if (GetMaxValue() < min) SetMaxValue(min);
    if (FOverloadValue < min) SetOverloadValue(min);
    if (FPeakValue < min) SetPeakValue(min);
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

void TkvCustomProgressBarProperties::SetMax(double Value) {
  LockChanges();
  try {
    SetMaxValue(Value);
    double max = GetMaxValue();
    if (max < GetMinValue()) SetMinValue(max);
    if (FOverloadValue > max) SetOverloadValue(max);
    if (FPeakValue > max) SetPeakValue(max);
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

void TkvCustomProgressBarProperties::SetOverloadValue(double Value) {
  Store(FOverloadValue, std::min(std::max(Value, GetMinValue()), GetMaxValue()));
}

void TkvCustomProgressBarProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomProgressBarProperties*>(Source);
  if (!source) return TkvCustomEditProperties::Assign(Source);
  LockChanges();
  try {
    TkvCustomEditProperties::Assign(Source);
    SetAnimationPath(source->FAnimationPath);
    SetAnimationRestartDelay(source->FAnimationRestartDelay);
    SetAnimationSpeed(source->FAnimationSpeed);
    SetBarBevelOuter(source->FBarBevelOuter);
    SetBarStyle(source->FBarStyle);
    SetBeginColor(source->FBeginColor);
    SetEndColor(source->FEndColor);
    SetBorderWidth(source->FBorderWidth);
    SetForegroundImage(source->FForegroundImage.get());
    SetMarquee(source->FMarquee);
    SetMin(source->GetMin());
    SetMax(source->GetMax());
    SetOrientation(source->FOrientation);
    SetOverloadValue(source->FOverloadValue);
    SetOverloadBeginColor(source->FOverloadBeginColor);
    SetOverloadEndColor(source->FOverloadEndColor);
    SetPeakValue(source->FPeakValue);
    SetPeakColor(source->FPeakColor);
    SetPeakSize(source->FPeakSize);
    SetShowOverload(source->FShowOverload);
    SetShowPeak(source->FShowPeak);
    SetShowText(source->FShowText);
    SetShowTextStyle(source->FShowTextStyle);
    SetSolidTextColor(source->FSolidTextColor);
    SetText(source->FText);
    SetTextOrientation(source->FTextOrientation);
    SetTransparentImage(source->FTransparentImage);
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

TAVREN_CLASS_IMPL_PUBLISHED(
    TkvProgressBarProperties, PROPERTY(AnimationPath).Default(kvapCycle), PROPERTY(AnimationRestartDelay).Default(0u),
    PROPERTY(AnimationSpeed).Default(Byte{10}),
    PROPERTY_AS(AssignedValues, GetProgressAssignedValues, SetProgressAssignedValues),
    PROPERTY(BarBevelOuter).Default(kvbvNone), PROPERTY(BarStyle).Default(kvbsSolid),
    PROPERTY(BeginColor).Default(static_cast<TColor>(0x800000)), PROPERTY(BorderWidth).Default(Word{0}),
    PROPERTY(EndColor).Default(static_cast<TColor>(0xFFFFFF)), PROPERTY(ForegroundImage),
    PROPERTY(Marquee).Default(false), PROPERTY(Max).Stored<&TkvCustomProgressBarProperties::IsMaxStored>(),
    PROPERTY(Min).Stored<&TkvCustomProgressBarProperties::IsMinStored>(),
    PROPERTY(Orientation).Default(kvorHorizontal),
    PROPERTY(OverloadBeginColor).Default(static_cast<TColor>(0x8080FF)),
    PROPERTY(OverloadEndColor).Default(static_cast<TColor>(0xFF00FF)),
    PROPERTY(OverloadValue).Stored<&TkvCustomProgressBarProperties::IsOverloadValueStored>(),
    PROPERTY(PeakColor).Default(static_cast<TColor>(0x0000FF)), PROPERTY(PeakSize).Default(2),
    PROPERTY(PeakValue).Stored<&TkvCustomProgressBarProperties::IsPeakValueStored>(),
    PROPERTY(ShowOverload).Default(false), PROPERTY(ShowPeak).Default(false), PROPERTY(ShowText).Default(true),
    PROPERTY(ShowTextStyle).Stored<&TkvCustomProgressBarProperties::IsShowTextStyleStored>(),
    PROPERTY(SolidTextColor).Default(false), PROPERTY(Text), PROPERTY(TextOrientation).Default(kvorHorizontal),
    PROPERTY(Transparent).Stored(false), PROPERTY(TransparentImage).Default(true))

// ---- Filter rows --------------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvFilterProgressBarHelper)

void TkvFilterProgressBarHelper::InitFilterProperties(TkvCustomEditProperties* Properties,
                                                      TkvCustomEditProperties* Source, bool KeepButtons) {
  TkvFilterSpinEditHelper::InitFilterProperties(Properties, Source, KeepButtons);
  auto* spin = dynamic_cast<TkvCustomSpinEditProperties*>(Properties);
  auto* bar = dynamic_cast<TkvCustomProgressBarProperties*>(Source);
  if (!spin) return;
  // Hidden rather than deleted: the spin Properties make their buttons again on every change.
  spin->GetSpinButtons()->SetVisible(false);
  if (!bar) return;
  spin->SetMinValue(bar->GetMin());
  spin->SetMaxValue(bar->GetMax());
}

// ---- Unit start and end -------------------------------------------------------------------------

namespace {

Integer GStartCount = 0;

}  // namespace

void kvProgressBarStart() {
  if (GStartCount++ > 0) return;
  RegisterClasses({TkvProgressBar::ClassInfo(), TkvProgressBarProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvProgressBarProperties::ClassInfo(),
                                     ResourceStringText(skvEditProgressBarDescription));
  TheFilterEditsController()->AddHelper(TkvProgressBarProperties::ClassInfo(),
                                        FilterEditHelperOf<TkvFilterProgressBarHelper>());
}

void kvProgressBarEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  UnRegisterClass(TkvProgressBarProperties::ClassInfo());
  UnRegisterClass(TkvProgressBar::ClassInfo());
  TheFilterEditsController()->RemoveHelper(TkvProgressBarProperties::ClassInfo(),
                                           FilterEditHelperOf<TkvFilterProgressBarHelper>());
  // The Properties registry goes with the edit framework's end.
}
