// The editors' styles: button look, button transparency, gradients and the popup border on top
// of the container's values, and the controller that shares them.

#include "rtl/ColorIdents.h"
#include "rtl/TypInfo.h"
#include "toolkit/editors/kvEdit.h"

namespace {

TkvEditStyleController* GDefaultEditStyleController = nullptr;

const char* const kEditValueNames[] = {"ButtonStyle", "ButtonTransparency", "PopupBorderStyle",
                                       "GradientButtons", "Gradient", "GradientDirection"};

// The values state styles read and write through the normal style.
const TkvContainerStyleValues kEditBaseOnlyValues{svEdges, svFont, svHotTrack, svShadow, svTransparentBorder,
                                                  svButtonTransparency, svPopupBorderStyle, svGradientButtons,
                                                  svGradient, svGradientDirection};

}  // namespace

TkvEditStyleController* DefaultEditStyleController() { return GDefaultEditStyleController; }

// ---- TkvCustomEditStyle --------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvCustomEditStyle)

TAVREN_CLASS_IMPL_PUBLISHED(
    TkvEditStyle, PROPERTY(AssignedValues).Stored(false),
    PROPERTY(BorderColor).Idents(ColorIdentMap).Stored<&TkvContainerStyle::IsBorderColorStored>(),
    PROPERTY(BorderStyle).Stored<&TkvEditStyle::IsEditBorderStyleStored>(),
    PROPERTY(ButtonStyle).Stored<&TkvEditStyle::IsButtonStyleStored>(),
    PROPERTY(ButtonTransparency).Stored<&TkvEditStyle::IsButtonTransparencyStored>(),
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TkvContainerStyle::IsColorStored>(),
    PROPERTY(Edges).Stored<&TkvContainerStyle::IsEdgesStored>(),
    PROPERTY(Font).Stored<&TkvContainerStyle::IsFontStored>(),
    PROPERTY(Gradient).Stored<&TkvEditStyle::IsGradientStored>(),
    PROPERTY(GradientDirection).Stored<&TkvEditStyle::IsGradientDirectionStored>(),
    PROPERTY(HotTrack).Stored<&TkvContainerStyle::IsHotTrackStored>(), PROPERTY(LookAndFeel),
    PROPERTY(PopupBorderStyle).Stored<&TkvEditStyle::IsPopupBorderStyleStored>(),
    PROPERTY(Shadow).Stored<&TkvContainerStyle::IsShadowStored>(),
    PROPERTY(StyleController).Stored<&TkvEditStyle::IsEditStyleControllerStored>(),
    PROPERTY(TextColor).Idents(ColorIdentMap).Stored<&TkvContainerStyle::IsTextColorStored>(),
    PROPERTY(TextStyle).Stored<&TkvContainerStyle::IsTextStyleStored>(),
    PROPERTY(TransparentBorder).Stored<&TkvContainerStyle::IsTransparentBorderStored>())

TkvCustomEditStyle::TkvCustomEditStyle(TkvContainerStyleArgs* Args) : TkvContainerStyle(Args) {}

void TkvCustomEditStyle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomEditStyle*>(Source);
  if (!source) return TkvContainerStyle::Assign(Source);
  LockChanges();
  FButtonStyle = source->FButtonStyle;
  FButtonTransparency = source->FButtonTransparency;
  FGradient = source->FGradient;
  FGradientButtons = source->FGradientButtons;
  FGradientDirection = source->FGradientDirection;
  FPopupBorderStyle = source->FPopupBorderStyle;
  FShowPopupCloseButton = source->FShowPopupCloseButton;
  TkvContainerStyle::Assign(Source);
  NotifyChange();
  UnlockChanges();
}

TkvEditButtonStyle TkvCustomEditStyle::DefaultButtonStyle() {
  return IsRootStyle() ? btsDefault : ParentEditStyle()->GetButtonStyle();
}

TkvEditButtonTransparency TkvCustomEditStyle::DefaultButtonTransparency() {
  return IsRootStyle() ? ebtNone : ParentEditStyle()->GetButtonTransparency();
}

bool TkvCustomEditStyle::DefaultGradient() { return IsRootStyle() ? false : ParentEditStyle()->GetGradient(); }

bool TkvCustomEditStyle::DefaultGradientButtons() {
  return IsRootStyle() ? false : ParentEditStyle()->GetGradientButtons();
}

TkvEditGradientDirection TkvCustomEditStyle::DefaultGradientDirection() {
  return IsRootStyle() ? dirDown : ParentEditStyle()->GetGradientDirection();
}

TkvEditPopupBorderStyle TkvCustomEditStyle::DefaultPopupBorderStyle() {
  return IsRootStyle() ? epbsDefault : ParentEditStyle()->GetPopupBorderStyle();
}

TkvCustomEditStyle* TkvCustomEditStyle::FindEditValueStyle(TkvContainerStyleValue Value) {
  if (GetDirectAccess()) return FAssignedValues.Contains(Value) ? this : nullptr;
  return dynamic_cast<TkvCustomEditStyle*>(FindAssignedStyle(Value));
}

#define KV_EDIT_STYLE_GETTER(Type, Name, Bit)                                   \
  Type TkvCustomEditStyle::Get##Name() {                                         \
    if (TkvCustomEditStyle* s = FindEditValueStyle(Bit)) return s->F##Name;      \
    return Default##Name();                                                      \
  }
KV_EDIT_STYLE_GETTER(TkvEditButtonStyle, ButtonStyle, svButtonStyle)
KV_EDIT_STYLE_GETTER(TkvEditButtonTransparency, ButtonTransparency, svButtonTransparency)
KV_EDIT_STYLE_GETTER(bool, Gradient, svGradient)
KV_EDIT_STYLE_GETTER(bool, GradientButtons, svGradientButtons)
KV_EDIT_STYLE_GETTER(TkvEditGradientDirection, GradientDirection, svGradientDirection)
KV_EDIT_STYLE_GETTER(TkvEditPopupBorderStyle, PopupBorderStyle, svPopupBorderStyle)
#undef KV_EDIT_STYLE_GETTER

template <class T>
void TkvCustomEditStyle::StoreValue(T& Field, T Value, TkvContainerStyleValue Bit) {
  if (FAssignedValues.Contains(Bit) && Field == Value) return;
  Field = Value;
  MarkAssigned(Bit);
  NotifyChange();
}

void TkvCustomEditStyle::SetButtonStyle(TkvEditButtonStyle Value) { StoreValue(FButtonStyle, Value, svButtonStyle); }

void TkvCustomEditStyle::SetButtonTransparency(TkvEditButtonTransparency Value) {
  if (!IsRootStyle()) return ParentEditStyle()->SetButtonTransparency(Value);
  StoreValue(FButtonTransparency, Value, svButtonTransparency);
}

void TkvCustomEditStyle::SetGradient(bool Value) {
  if (!IsRootStyle()) return ParentEditStyle()->SetGradient(Value);
  StoreValue(FGradient, Value, svGradient);
}

void TkvCustomEditStyle::SetGradientButtons(bool Value) {
  if (!IsRootStyle()) return ParentEditStyle()->SetGradientButtons(Value);
  StoreValue(FGradientButtons, Value, svGradientButtons);
}

void TkvCustomEditStyle::SetGradientDirection(TkvEditGradientDirection Value) {
  if (!IsRootStyle()) return ParentEditStyle()->SetGradientDirection(Value);
  StoreValue(FGradientDirection, Value, svGradientDirection);
}

void TkvCustomEditStyle::SetPopupBorderStyle(TkvEditPopupBorderStyle Value) {
  if (!IsRootStyle()) return ParentEditStyle()->SetPopupBorderStyle(Value);
  StoreValue(FPopupBorderStyle, Value, svPopupBorderStyle);
}

bool TkvCustomEditStyle::GetShowPopupCloseButton() {
  return IsRootStyle() ? FShowPopupCloseButton : ParentEditStyle()->GetShowPopupCloseButton();
}

void TkvCustomEditStyle::SetShowPopupCloseButton(bool Value) {
  if (!IsRootStyle()) return ParentEditStyle()->SetShowPopupCloseButton(Value);
  if (FShowPopupCloseButton == Value) return;
  FShowPopupCloseButton = Value;
  NotifyChange();
}

TkvEditStyleController* TkvCustomEditStyle::GetStyleController() {
  return dynamic_cast<TkvEditStyleController*>(TkvContainerStyle::GetStyleController());
}

void TkvCustomEditStyle::SetStyleController(TkvEditStyleController* Value) {
  TkvContainerStyle::SetStyleController(Value);
}

TkvStyleController* TkvCustomEditStyle::DefaultStyleController() {
  if (GetDirectAccess()) return nullptr;
  TkvContainer* container = OwningContainer();
  if (container && container->IsInplace()) return nullptr;
  return GDefaultEditStyleController;
}

TkvContainerStyleValues TkvCustomEditStyle::BaseOnlyStyleValues() { return kEditBaseOnlyValues; }

bool TkvCustomEditStyle::StyleValueName(TkvContainerStyleValue Value, String& Name) {
  if (Value >= svButtonStyle && Value <= svGradientDirection) {
    Name = kEditValueNames[Value - svButtonStyle];
    return true;
  }
  return TkvContainerStyle::StyleValueName(Value, Name);
}

bool TkvCustomEditStyle::IsValueAssigned(TkvContainerStyleValue Value) {
  if (Value >= svButtonStyle && Value <= svGradientDirection) return FindEditValueStyle(Value) != nullptr;
  return TkvContainerStyle::IsValueAssigned(Value);
}

// ---- Controller ----------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvEditStyleController, PROPERTY(Style), PROPERTY(StyleDisabled),
                            PROPERTY(StyleFocused), PROPERTY(StyleHot), PROPERTY(OnStyleChanged))

void kvEditStylesStart() {
  GDefaultEditStyleController = new TkvEditStyleController(nullptr);
  SetUnitDefaultStyleController(GDefaultEditStyleController);
}

void kvEditStylesEnd() {
  TkvEditStyleController* controller = GDefaultEditStyleController;
  if (UnitDefaultStyleController() == controller) SetUnitDefaultStyleController(nullptr);
  GDefaultEditStyleController = nullptr;
  delete controller;
}
