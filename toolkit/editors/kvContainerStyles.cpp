// Container styles, the four-style set and the style controller.

#include <algorithm>

#include "rtl/ColorIdents.h"
#include "rtl/Filer.h"
#include "rtl/Math.h"
#include "rtl/Reader.h"
#include "rtl/TypInfo.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvContainer.h"

namespace {

TkvStyleController* GDefaultStyleController = nullptr;

const char* const kStyleValueNames[] = {"BorderColor", "BorderStyle", "Color",     "Edges",      "Font",
                                        "HotTrack",    "Shadow",      "TextColor", "TextStyle", "TransparentBorder"};

// Fallback BorderStyle of a state style: row = state, column = the parent's BorderStyle.
const TkvContainerBorderStyle kStateBorderStyles[4][7] = {
    {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11},
    {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsUltraFlat, cbsOffice11},
    {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11},
    {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsUltraFlat, cbsOffice11},
};

const TkvContainerStyleValues kBaseOnlyValues{svEdges, svFont, svHotTrack, svShadow, svTransparentBorder};

}  // namespace

TkvStyleController* UnitDefaultStyleController() { return GDefaultStyleController; }
void SetUnitDefaultStyleController(TkvStyleController* Controller) { GDefaultStyleController = Controller; }

// ---- TkvContainerStyle ---------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvContainerStyleArgs)

TAVREN_CLASS_IMPL_PUBLISHED(TkvContainerStyle,
    PROPERTY(AssignedValues).Stored(false),
    PROPERTY(BorderColor).Idents(ColorIdentMap).Stored<&TkvContainerStyle::IsBorderColorStored>(),
    PROPERTY(BorderStyle).Stored<&TkvContainerStyle::IsBorderStyleStored>(),
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TkvContainerStyle::IsColorStored>(),
    PROPERTY(Edges).Stored<&TkvContainerStyle::IsEdgesStored>(),
    PROPERTY(Font).Stored<&TkvContainerStyle::IsFontStored>(),
    PROPERTY(HotTrack).Stored<&TkvContainerStyle::IsHotTrackStored>(),
    PROPERTY(LookAndFeel),
    PROPERTY(Shadow).Stored<&TkvContainerStyle::IsShadowStored>(),
    PROPERTY(StyleController).Stored<&TkvContainerStyle::IsStyleControllerStored>(),
    PROPERTY(TextColor).Idents(ColorIdentMap).Stored<&TkvContainerStyle::IsTextColorStored>(),
    PROPERTY(TextStyle).Stored<&TkvContainerStyle::IsTextStyleStored>(),
    PROPERTY(TransparentBorder).Stored<&TkvContainerStyle::IsTransparentBorderStored>())

TkvContainerStyle::TkvContainerStyle(TkvContainerStyleArgs* Args)
    : TkvInterfacedPersistent(Args->Owner),
      FOwner(Args->Owner),
      FState(Args->State),
      FParentStyle(Args->State != kvcsNormal ? Args->ParentStyle : nullptr),
      FDirectAccess(Args->DirectAccess) {
  if (FDirectAccess) FAssignedValues = TkvContainerStyleValues{svColor, svFont, svTextColor, svTextStyle};
  if (IsRootStyle() && !FDirectAccess) {
    FFont = new TFont();
    FFont->SetOnChange(MakeEvent<&TkvContainerStyle::OwnFontModified>(this));
  }
  FVisibleFont = std::make_unique<TFont>();
  if (IsRootStyle()) {
    FLookAndFeel = std::make_unique<TkvLookAndFeel>(this);
    FLookAndFeel->SetOnChanged(MakeEvent<&TkvContainerStyle::LookAndFeelChanged>(this));
    SetStyleController(DefaultStyleController());
  }
}

TkvContainerStyle::~TkvContainerStyle() {
  FDestroying = true;
  if (IsRootStyle()) {
    if (TkvStyleController* controller = EffectiveStyleController()) controller->DetachStyle(this);
  }
  FLookAndFeel.reset();
  FVisibleFont.reset();
  if (IsRootStyle() && !FDirectAccess) delete FFont;
}

void TkvContainerStyle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvContainerStyle*>(Source);
  if (!source) {
    TkvInterfacedPersistent::Assign(Source);
    return;
  }
  LockChanges();
  if (IsRootStyle()) {
    SetStyleController(source->GetStyleController());
    GetLookAndFeel()->Assign(source->GetLookAndFeel());
  }
  FBorderColor = source->FBorderColor;
  FBorderStyle = source->FBorderStyle;
  FEdges = source->FEdges;
  FHotTrack = source->FHotTrack;
  FShadow = source->FShadow;
  FTransparentBorder = source->FTransparentBorder;
  FColor = source->FColor;
  if (FDirectAccess) {
    FFont = source->GetFont();
    FTextColor = source->ResolveTextColor();
  } else {
    if (FFont && source->GetFont()) {
      ++FFontAssignedLock;
      FFont->Assign(source->GetFont());
      if (source->FDirectAccess) FFont->SetColor(source->ResolveTextColor());
      --FFontAssignedLock;
    }
    FTextColor = source->ResolveTextColor();
    FTextStyle = source->ResolveTextStyle();
  }
  FAssignedValues = source->FAssignedValues;
  NotifyChange();
  UnlockChanges();
}

void TkvContainerStyle::UnlockChanges() {
  if (FUpdateCount > 0) {
    --FUpdateCount;
    CheckChanges();
  }
}

void TkvContainerStyle::CheckChanges() {
  if (!FModified || FUpdateCount != 0) return;
  FModified = false;
  if (!FDestroying && !FDirectAccess) FOnChanged(this);
}

void TkvContainerStyle::NotifyChange() {
  FModified = true;
  CheckChanges();
}

void TkvContainerStyle::SetDirectData(TColor Color, TFont* Font, TColor TextColor) {
  FColor = Color;
  FFont = Font;
  FTextColor = TextColor;
}

TkvContainerStyleValues TkvContainerStyle::GetAssignedValues() const {
  if (!FDirectAccess) return FAssignedValues;
  TkvContainerStyleValues all;
  for (Integer v = 0; v < const_cast<TkvContainerStyle*>(this)->StyleValueCount(); ++v) all.Include(v);
  return all;
}

void TkvContainerStyle::SetAssignedValues(TkvContainerStyleValues Value) {
  if (FAssignedValues == Value) return;
  FAssignedValues = Value;
  if (IsRootStyle()) SyncFont();
  NotifyChange();
}

TkvContainerStyle* TkvContainerStyle::FindAssignedStyle(TkvContainerStyleValue Value) {
  if (FAssignedValues.Contains(Value)) return this;
  TkvStyleController* controller = EffectiveStyleController();
  if (!controller) return nullptr;
  TkvContainerStyle* peer = controller->GetStateStyle(FState);
  // A controller's own styles end the chain: they never take a controller of their own kind
  // that would lead back here, and the default controller's styles have none.
  if (peer == this) return nullptr;
  return peer->FindAssignedStyle(Value);
}

bool TkvContainerStyle::IsValueAssigned(TkvContainerStyleValue Value) {
  if (Value < 0 || Value > svTextStyle) return false;
  return FindAssignedStyle(Value) != nullptr;
}

TColor TkvContainerStyle::GetBorderColor() {
  if (FDirectAccess) return clDefault;
  if (TkvContainerStyle* s = FindAssignedStyle(svBorderColor)) return s->FBorderColor;
  return FallbackBorderColor();
}

TkvContainerBorderStyle TkvContainerStyle::GetBorderStyle() {
  if (FDirectAccess) return FAssignedValues.Contains(svBorderStyle) ? FBorderStyle : FallbackBorderStyle();
  if (TkvContainerStyle* s = FindAssignedStyle(svBorderStyle)) return s->FBorderStyle;
  return FallbackBorderStyle();
}

TkvBorders TkvContainerStyle::GetEdges() {
  if (FDirectAccess) return {};
  if (FParentStyle) return FParentStyle->GetEdges();
  if (TkvContainerStyle* s = FindAssignedStyle(svEdges)) return s->FEdges;
  return FallbackEdges();
}

bool TkvContainerStyle::GetHotTrack() {
  if (FDirectAccess) return FAssignedValues.Contains(svHotTrack) ? FHotTrack : FallbackHotTrack();
  if (FParentStyle) return FParentStyle->GetHotTrack();
  if (TkvContainerStyle* s = FindAssignedStyle(svHotTrack)) return s->FHotTrack;
  return FallbackHotTrack();
}

bool TkvContainerStyle::GetShadow() {
  if (FDirectAccess) return false;
  if (FParentStyle) return FParentStyle->GetShadow();
  if (TkvContainerStyle* s = FindAssignedStyle(svShadow)) return s->FShadow;
  return FallbackShadow();
}

bool TkvContainerStyle::GetTransparentBorder() {
  if (FDirectAccess) return true;
  if (FParentStyle) return FParentStyle->GetTransparentBorder();
  if (TkvContainerStyle* s = FindAssignedStyle(svTransparentBorder)) return s->FTransparentBorder;
  return FallbackTransparentBorder();
}

TColor TkvContainerStyle::ResolveTextColor() {
  if (FDirectAccess) return FTextColor;
  if (TkvContainerStyle* s = FindAssignedStyle(svTextColor)) return s->FTextColor;
  return FallbackTextColor();
}

TFontStyles TkvContainerStyle::ResolveTextStyle() {
  if (FDirectAccess) return FFont ? FFont->GetStyle() : TFontStyles{};
  if (TkvContainerStyle* s = FindAssignedStyle(svTextStyle)) return s->FTextStyle;
  return FallbackTextStyle();
}

bool TkvContainerStyle::DefaultsToParentColor() {
  TkvContainer* container = OwningContainer();
  return !container || container->DefaultParentColor();
}

TColor TkvContainerStyle::ResolveColor() {
  if (FDirectAccess) return FColor;
  TkvContainer* container = OwningContainer();
  if (IsRootStyle() && container && container->GetParentColor() && container->GetParent())
    return container->GetParent()->GetColor();
  if (TkvContainerStyle* s = FindAssignedStyle(svColor)) return s->FColor;
  return FallbackColor();
}

TColor TkvContainerStyle::ControlColor() {
  if (FDirectAccess) return FColor;
  if (TkvContainerStyle* s = FindAssignedStyle(svColor)) return s->FColor;
  TkvContainer* container = OwningContainer();
  if (IsRootStyle() && container && !container->IsInplace() && container->GetParentColor() &&
      container->GetParent())
    return container->GetParent()->GetColor();
  return FallbackColor();
}

TColor TkvContainerStyle::FallbackBorderColor() {
  if (IsRootStyle()) return clWindowFrame;
  if (FState == kvcsDisabled) return clBtnShadow;
  return FParentStyle->GetBorderColor();
}

TkvContainerBorderStyle TkvContainerStyle::FallbackBorderStyle() {
  if (IsRootStyle()) {
    switch (GetLookAndFeel()->GetKind()) {
      case lfFlat: return cbsFlat;
      case lfStandard: return cbs3D;
      case lfOffice11: return cbsOffice11;
      default: return cbsUltraFlat;
    }
  }
  Byte row = (GetHotTrack() || FState == kvcsDisabled) ? FState : kvcsNormal;
  return kStateBorderStyles[row][FParentStyle->GetBorderStyle()];
}

TColor TkvContainerStyle::FallbackColor() {
  if (IsRootStyle()) return DefaultsToParentColor() ? clBtnFace : clWindow;
  if (FState == kvcsDisabled && !DefaultsToParentColor()) return clBtnFace;
  return FParentStyle->ResolveColor();
}

TColor TkvContainerStyle::FallbackTextColor() {
  if (IsRootStyle()) return GetFont() ? GetFont()->GetColor() : clWindowText;
  if (FState == kvcsDisabled) return clBtnShadow;
  return FParentStyle->ResolveTextColor();
}

TFontStyles TkvContainerStyle::FallbackTextStyle() {
  if (IsRootStyle()) return GetFont() ? GetFont()->GetStyle() : TFontStyles{};
  return FParentStyle->ResolveTextStyle();
}

void TkvContainerStyle::SetBorderColor(TColor Value) {
  if (FAssignedValues.Contains(svBorderColor) && FBorderColor == Value) return;
  FBorderColor = Value;
  MarkAssigned(svBorderColor);
  NotifyChange();
}

void TkvContainerStyle::SetBorderStyle(TkvContainerBorderStyle Value) {
  if (FAssignedValues.Contains(svBorderStyle) && FBorderStyle == Value) return;
  FBorderStyle = Value;
  MarkAssigned(svBorderStyle);
  NotifyChange();
}

void TkvContainerStyle::SetColor(TColor Value) {
  if (FAssignedValues.Contains(svColor) && FColor == Value) return;
  FColor = Value;
  MarkAssigned(svColor);
  NotifyChange();
}

void TkvContainerStyle::SetTextColor(TColor Value) {
  if (FAssignedValues.Contains(svTextColor) && ResolveTextColor() == Value) return;
  FTextColor = Value;
  MarkAssigned(svTextColor);
  NotifyChange();
}

void TkvContainerStyle::SetTextStyle(TFontStyles Value) {
  if (FAssignedValues.Contains(svTextStyle) && ResolveTextStyle() == Value) return;
  FTextStyle = Value;
  MarkAssigned(svTextStyle);
  NotifyChange();
}

void TkvContainerStyle::SetEdges(TkvBorders Value) {
  if (FParentStyle) return FParentStyle->SetEdges(Value);
  if (FAssignedValues.Contains(svEdges) && FEdges == Value) return;
  FEdges = Value;
  MarkAssigned(svEdges);
  NotifyChange();
}

void TkvContainerStyle::SetHotTrack(bool Value) {
  if (FParentStyle) return FParentStyle->SetHotTrack(Value);
  if (FAssignedValues.Contains(svHotTrack) && FHotTrack == Value) return;
  FHotTrack = Value;
  MarkAssigned(svHotTrack);
  NotifyChange();
}

void TkvContainerStyle::SetShadow(bool Value) {
  if (FParentStyle) return FParentStyle->SetShadow(Value);
  if (FAssignedValues.Contains(svShadow) && FShadow == Value) return;
  FShadow = Value;
  MarkAssigned(svShadow);
  NotifyChange();
}

void TkvContainerStyle::SetTransparentBorder(bool Value) {
  if (FParentStyle) return FParentStyle->SetTransparentBorder(Value);
  if (FAssignedValues.Contains(svTransparentBorder) && FTransparentBorder == Value) return;
  FTransparentBorder = Value;
  MarkAssigned(svTransparentBorder);
  NotifyChange();
}

TFont* TkvContainerStyle::GetFont() {
  if (FDirectAccess) return FFont;
  return FParentStyle ? FParentStyle->GetFont() : FFont;
}

void TkvContainerStyle::SetFont(TFont* Value) {
  if (FDirectAccess) {
    FFont = Value;
    return;
  }
  if (FParentStyle) return FParentStyle->SetFont(Value);
  ++FFontAssignedLock;
  FFont->Assign(Value);
  --FFontAssignedLock;
  MarkAssigned(svFont);
  NotifyChange();
}

TkvLookAndFeel* TkvContainerStyle::GetLookAndFeel() {
  return FParentStyle ? FParentStyle->GetLookAndFeel() : FLookAndFeel.get();
}

void TkvContainerStyle::SetLookAndFeel(TkvLookAndFeel* Value) {
  if (FParentStyle) return FParentStyle->SetLookAndFeel(Value);
  FLookAndFeel->Assign(Value);
}

TkvStyleController* TkvContainerStyle::GetStyleController() {
  if (FParentStyle) return FParentStyle->GetStyleController();
  return FStyleController == DefaultStyleController() ? nullptr : FStyleController;
}

TkvStyleController* TkvContainerStyle::EffectiveStyleController() {
  return FParentStyle ? FParentStyle->EffectiveStyleController() : FStyleController;
}

void TkvContainerStyle::SetStyleController(TkvStyleController* Value) {
  if (FParentStyle) return FParentStyle->SetStyleController(Value);
  TkvStyleController* fallback = DefaultStyleController();
  if (fallback && FOwner == fallback) return;
  if (!Value) Value = fallback;
  // Walking the explicit controllers from Value: meeting this style as a normal style would close
  // a cycle. A visited list also ends a cycle that is already there.
  std::vector<TkvStyleController*> visited;
  for (TkvStyleController* c = Value; c && std::find(visited.begin(), visited.end(), c) == visited.end();
       c = c->GetNormalStyle()->GetStyleController()) {
    if (c->GetNormalStyle() == this) return;
    visited.push_back(c);
  }
  if (Value == FStyleController) return;
  if (FStyleController) FStyleController->DetachStyle(this);
  FStyleController = Value;
  if (FStyleController) FStyleController->AttachStyle(this);
  ControllerChanged(FStyleController);
}

TkvContainer* TkvContainerStyle::OwningContainer() { return dynamic_cast<TkvContainer*>(FOwner); }

TFont* TkvContainerStyle::GetEffectiveFont() {
  if (TFont* font = GetFont()) FVisibleFont->Assign(font);
  FVisibleFont->SetColor(ResolveTextColor());
  FVisibleFont->SetStyle(ResolveTextStyle());
  return FVisibleFont.get();
}

bool TkvContainerStyle::FindStyleValue(const String& Name, TkvContainerStyleValue& Value) {
  for (Integer v = 0; v < StyleValueCount(); ++v) {
    String name;
    if (StyleValueName(v, name) && TextsEqual(name, Name, false)) {
      Value = v;
      return true;
    }
  }
  return false;
}

bool TkvContainerStyle::PublishesStyleProperty(const String& Name) {
  if (TextsEqual(Name, "LookAndFeel", false) || TextsEqual(Name, "StyleController", false)) return false;
  TkvContainerStyleValue value;
  if (!FindStyleValue(Name, value)) return true;
  return !IsBaseOnly(value);
}

void TkvContainerStyle::ControllerChanged(TkvStyleController*) {
  SyncFont();
  NotifyChange();
}

void TkvContainerStyle::ControllerFreed(TkvStyleController* Controller) {
  if (Controller == EffectiveStyleController()) SetStyleController(nullptr);
}

void TkvContainerStyle::OwnFontModified(TObject*) {
  if (FFontAssignedLock == 0) MarkAssigned(svFont);
  NotifyChange();
}

TkvStyleController* TkvContainerStyle::DefaultStyleController() { return GDefaultStyleController; }

TkvContainerStyleValues TkvContainerStyle::BaseOnlyStyleValues() { return kBaseOnlyValues; }

bool TkvContainerStyle::StyleValueName(TkvContainerStyleValue Value, String& Name) {
  if (Value < 0 || Value > svTransparentBorder) {
    Name.clear();
    return false;
  }
  Name = kStyleValueNames[Value];
  return true;
}

void TkvContainerStyle::ResetFont() {
  auto fresh = std::make_unique<TFont>();
  ++FFontAssignedLock;
  FFont->Assign(fresh.get());
  --FFontAssignedLock;
}

void TkvContainerStyle::ResetValues() {
  LockChanges();
  FAssignedValues = {};
  TkvContainer* container = OwningContainer();
  if (IsRootStyle()) {
    FLookAndFeel->ClearAssignedValues();
    if (container) {
      container->SetParentColor(false);
      container->SetParentFont(true);
    } else if (!FDirectAccess) {
      ResetFont();
    }
  }
  if (container && container->DefaultParentColor()) {
    TkvStyleController* controller = EffectiveStyleController();
    bool assigned = controller && controller->GetNormalStyle()->IsValueAssigned(svColor);
    if (!assigned) container->SetParentColor(true);
  }
  NotifyChange();
  UnlockChanges();
}

void TkvContainerStyle::SyncFont() {
  if (FDirectAccess || !FFont || FAssignedValues.Contains(svFont)) return;
  ++FFontAssignedLock;
  TkvStyleController* controller = EffectiveStyleController();
  TkvContainerStyle* peer = controller ? controller->GetStateStyle(FState) : nullptr;
  TkvContainerStyle* found = (peer && peer != this) ? peer->FindAssignedStyle(svFont) : nullptr;
  if (found) {
    FFont->Assign(found->GetFont());
  } else {
    TkvContainer* container = OwningContainer();
    if (!container || !container->GetParentFont()) ResetFont();
  }
  --FFontAssignedLock;
}

bool TkvContainerStyle::IsValueStored(TkvContainerStyleValue Value) {
  if (!FAssignedValues.Contains(Value)) return false;
  TkvContainer* container = OwningContainer();
  if (!container) return true;
  String name;
  StyleValueName(Value, name);
  return container->IsStylePropertyStored(name, FState != kvcsNormal);
}

void TkvContainerStyle::DefineProperties(TFiler* Filer) {
  TkvInterfacedPersistent::DefineProperties(Filer);
  // Written beside Font so that a stored font that equals the defaults still reads as assigned.
  Filer->DefineProperty(
      "IsFontAssigned",
      [this](TReader* Reader) {
        if (Reader->ReadBoolean()) MarkAssigned(svFont);
      },
      [](TWriter* Writer) { Writer->WriteBoolean(true); }, IsFontStored());
}

// ---- TkvContainerStyles --------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvContainerStylesArgs)
TAVREN_CLASS_IMPL(TkvContainerStyles)

TkvContainerStyles::TkvContainerStyles(TkvContainerStylesArgs* Args) {
  for (Byte state = 0; state < 4; ++state) {
    TkvContainerStyleArgs args(Args->Owner, state, state == 0 ? nullptr : FStyles[0].get(), false);
    FStyles[state].reset(Args->StyleClass.Create(&args));
  }
}

TkvContainerStyles::~TkvContainerStyles() {
  for (Integer state = 3; state >= 0; --state) FStyles[state].reset();
}

void TkvContainerStyles::BindOnChanged(TNotifyEvent Handler) {
  for (auto& style : FStyles) style->SetOnChanged(Handler);
}

// ---- TkvStyleController --------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvStyleController, PROPERTY(FakeStyleController).Stored(false))

TkvStyleController::TkvStyleController(TComponent* AOwner, TkvContainerStyleClass AStyleClass,
                                       TkvContainerStylesClass AStyleSetClass)
    : TComponent(AOwner), FStyleClass(AStyleClass), FStyleSetClass(AStyleSetClass) {
  TkvContainerStylesArgs args(this, FStyleClass);
  FStyles.reset(FStyleSetClass.Create(&args));
  FStyles->BindOnChanged(MakeEvent<&TkvStyleController::StylesChanged>(this));
}

TkvStyleController::~TkvStyleController() {
  FDestroying = true;
  // A freed listener detaches itself from the list being walked: walk by index from the end and
  // clamp to the count that is left.
  for (size_t i = FListeners.size(); i > 0; --i) {
    if (i > FListeners.size()) i = FListeners.size();
    if (i == 0) break;
    FListeners[i - 1]->ControllerFreed(this);
  }
  FStyles.reset();
}

void TkvStyleController::Loaded() {
  TComponent::Loaded();
  NotifyStyles();
}

void TkvStyleController::AttachStyle(TkvContainerStyle* Style) {
  if (!Style || std::find(FListeners.begin(), FListeners.end(), Style) != FListeners.end()) return;
  FListeners.push_back(Style);
  Style->GetLookAndFeel()->AttachToMaster(GetNormalStyle()->GetLookAndFeel());
}

void TkvStyleController::DetachStyle(TkvContainerStyle* Style) {
  auto it = std::find(FListeners.begin(), FListeners.end(), Style);
  if (it == FListeners.end()) return;
  FListeners.erase(it);
  if (TkvLookAndFeel* lookAndFeel = Style->GetLookAndFeel()) lookAndFeel->AttachToMaster(nullptr);
}

void TkvStyleController::NotifyStyles() {
  FOnStyleChanged(this);
  if (FDestroying) return;
  // A listener's change may attach or detach styles: walk a copy.
  std::vector<TkvContainerStyle*> listeners = FListeners;
  for (TkvContainerStyle* style : listeners) {
    if (std::find(FListeners.begin(), FListeners.end(), style) != FListeners.end()) style->ControllerChanged(this);
  }
}

void TkvStyleController::Scale(Integer M, Integer D) {
  TkvContainerStyle* normal = GetNormalStyle();
  if (normal->GetAssignedValues().Contains(svFont)) {
    if (FScaled) return;
    FScaled = true;
    normal->GetFont()->SetSize(MulDiv(normal->GetFont()->GetSize(), M, D));
  } else if (TkvStyleController* next = normal->EffectiveStyleController()) {
    if (next != this) next->Scale(M, D);
  }
}
