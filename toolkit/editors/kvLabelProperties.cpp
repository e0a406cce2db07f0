// The label's settings, its style and the unit's start and end.

#include "rtl/ClassRegistry.h"
#include "rtl/TypInfo.h"
#include "toolkit/editors/kvLabel.h"

TAVREN_CLASS_IMPL(TkvCustomLabelProperties)
TAVREN_CLASS_IMPL(TkvLabelEditStyle)

TkvCustomLabelProperties::TkvCustomLabelProperties(TPersistent* AOwner) : TkvCustomEditProperties(AOwner) {}

TkvCustomLabelProperties::~TkvCustomLabelProperties() = default;

TClass TkvCustomLabelProperties::GetEditorClass() { return TkvLabel::ClassInfo(); }

TkvCustomEditStyleClass TkvCustomLabelProperties::GetStyleClass() { return TkvLabelEditStyle::ClassInfo(); }

void TkvCustomLabelProperties::MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool) {
  DisplayValue = Variant(VarToStr(EditValue));
}

String TkvCustomLabelProperties::EditValueToDisplayText(const Variant& EditValue, bool) { return VarToStr(EditValue); }

TPoint TkvCustomLabelProperties::GetEffectOffsets() {
  if (FLabelEffect == kvleNormal) return TPoint{0, 0};
  switch (FOrientation) {
    case kvoLeft:
    case kvoRight:
      return TPoint{FDepth, 0};
    case kvoTop:
    case kvoBottom:
      return TPoint{0, FDepth};
    default:
      return TPoint{FDepth, FDepth};
  }
}

TBitmap* TkvCustomLabelProperties::GetGlyph() {
  if (!FGlyph) {
    FGlyph = std::make_unique<TBitmap>();
    FGlyph->SetOnChange(MakeEvent<&TkvCustomLabelProperties::GlyphChanged>(this));
  }
  return FGlyph.get();
}

void TkvCustomLabelProperties::SetGlyph(TBitmap* Value) {
  if (!Value)
    FGlyph.reset();
  else
    GetGlyph()->Assign(Value);
  NotifyChanged();
}

void TkvCustomLabelProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomLabelProperties*>(Source);
  if (!source) return TkvCustomEditProperties::Assign(Source);
  LockChanges();
  try {
    TkvCustomEditProperties::Assign(Source);
    SetAngle(source->FAngle);
    SetDepth(source->FDepth);
    SetGlyph(source->FGlyph.get());
    SetLabelEffect(source->FLabelEffect);
    SetLabelStyle(source->FLabelStyle);
    SetOrientation(source->FOrientation);
    SetPenWidth(source->FPenWidth);
    SetShadowedColor(source->FShadowedColor);
    SetShowAccelChar(source->FShowAccelChar);
    SetShowEndEllipsis(source->FShowEndEllipsis);
    SetWordWrap(source->FWordWrap);
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

TAVREN_CLASS_IMPL_PUBLISHED(TkvLabelProperties, PROPERTY(Alignment).Stored<&TkvCustomEditProperties::IsAlignmentStored>(),
                            PROPERTY(Angle).Default(0), PROPERTY(Depth).Default(Word{0}), PROPERTY(Glyph),
                            PROPERTY(LabelEffect).Default(kvleNormal), PROPERTY(LabelStyle).Default(kvlsNormal),
                            PROPERTY(Orientation).Default(kvoRightBottom), PROPERTY(PenWidth).Default(1),
                            PROPERTY(ShadowedColor).Default(clGrayText), PROPERTY(ShowAccelChar).Default(true),
                            PROPERTY(ShowEndEllipsis).Stored(false), PROPERTY(Transparent).Stored(false),
                            PROPERTY(WordWrap).Default(false))

// A label's own style draws no border unless one is asked for; the states keep the container's.
TkvContainerBorderStyle TkvLabelEditStyle::FallbackBorderStyle() {
  return IsRootStyle() ? cbsNone : TkvEditStyle::FallbackBorderStyle();
}

// ---- Unit start and end -------------------------------------------------------------------------

namespace {

Integer GStartCount = 0;

}  // namespace

void kvLabelStart() {
  if (GStartCount++ > 0) return;
  RegisterClasses({TkvLabel::ClassInfo(), TkvLabelProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvLabelProperties::ClassInfo(), ResourceStringText(skvEditLabelDescription));
  TheFilterEditsController()->AddHelper(TkvLabelProperties::ClassInfo(), FilterEditHelperOf<TkvFilterTextEditHelper>());
}

void kvLabelEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  UnRegisterClass(TkvLabelProperties::ClassInfo());
  UnRegisterClass(TkvLabel::ClassInfo());
  TheFilterEditsController()->RemoveHelper(TkvLabelProperties::ClassInfo(),
                                           FilterEditHelperOf<TkvFilterTextEditHelper>());
}
