#include "toolkit/controls/WbCommonFrameController.h"

#include <algorithm>

#include "rtl/TypInfo.h"
#include "vcl/Controls.h"

// ---- Legacy properties ---------------------------------------------------------------------------

void TWbOldPropReader::SkipBooleanValue(TReader* Reader) { Reader->ReadBoolean(); }
void TWbOldPropReader::SkipIdentValue(TReader* Reader) { Reader->ReadIdent(); }
void TWbOldPropReader::SkipSetValue(TReader* Reader) { Reader->SkipValue(); }

void DefineLegacyFrameProperties(TFiler* Filer, const std::function<void(bool)>& FrameFlat,
                                 const std::function<void(TFrameStyle)>& FrameFocusStyle) {
  Filer->DefineProperty("FrameFlat", [FrameFlat](TReader* R) { FrameFlat(R->ReadBoolean()); }, nullptr, false);
  Filer->DefineProperty(
      "FrameFocusStyle",
      [FrameFocusStyle](TReader* R) {
        Integer style = GetEnumValue(&TTypeInfoOf<TFrameStyleEx>::Info, R->ReadIdent());
        if (style >= fsNone && style <= fsFlatBold) FrameFocusStyle(TFrameStyle(style));
      },
      nullptr, false);
  Filer->DefineProperty("FrameFlatStyle", &TWbOldPropReader::SkipIdentValue, nullptr, false);
}

// ---- Store ---------------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TWbRegIniFile,
    PROPERTY(Path),
    PROPERTY(PathType).Default(ptIniFile),
    PROPERTY(RegKey).Default(hkeyCurrentUser),
    PROPERTY(RegAccess).Default(TWbRegAccess{keyAllAccess}))

void TWbRegIniFile::SetPath(const String& Value) {
  if (Value == FPath) return;
  FPath = Value;
  FRefreshStorage = true;
}

void TWbRegIniFile::SetPathType(TWbPathType Value) {
  if (Value == FPathType) return;
  FPathType = Value;
  FRefreshStorage = true;
}

void TWbRegIniFile::SetRegKey(TWbRegKey Value) {
  if (Value == FRegKey) return;
  FRegKey = Value;
  FRefreshStorage = true;
}

void TWbRegIniFile::SetRegAccess(TWbRegAccess Value) {
  if (Value == FRegAccess) return;
  FRegAccess = Value;
  FRefreshStorage = true;
}

// ---- Frame controller -----------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TWbFrameController,
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TWbFrameController::IsColorStored>().Default(clWindow),
    PROPERTY(DisabledColor).Idents(ColorIdentMap).Default(clBtnFace),
    PROPERTY(ReadOnlyColor).Idents(ColorIdentMap).Default(clInfoBk),
    PROPERTY(ReadOnlyColorOnFocus).Default(false),
    PROPERTY(FlatButtonColor).Idents(ColorIdentMap).Default(clBtnFace),
    PROPERTY(FlatButtons).Default(true),
    PROPERTY(FocusColor).Idents(ColorIdentMap).Default(clWindow),
    PROPERTY(FrameColor).Idents(ColorIdentMap).Default(clBtnShadow),
    PROPERTY(FrameHotColor).Idents(ColorIdentMap).Default(clBtnShadow),
    PROPERTY(FrameHotStyle).Default(fsFlatBold),
    PROPERTY(FrameHotTrack).Default(false),
    PROPERTY(FrameSides).Default(AllSides),
    PROPERTY(FrameStyle).Default(fsFlat),
    PROPERTY(FrameVisible).Default(false),
    PROPERTY(FramingPreference).Default(fpXPThemes),
    PROPERTY(ParentColor).Default(false),
    PROPERTY(RegIniFile))

TWbFrameController::TWbFrameController(TComponent* AOwner) : TComponent(AOwner) {}

TWbFrameController::~TWbFrameController() = default;

void TWbFrameController::AddControl(TControl* Control) {
  if (!FControls) FControls = std::make_unique<std::vector<TControl*>>();
  if (std::find(FControls->begin(), FControls->end(), Control) != FControls->end()) return;
  FControls->push_back(Control);
  UpdateControlFrame(Control, fcpAll);
}

void TWbFrameController::RemoveControl(TControl* Control) {
  if (!FControls) return;
  FControls->erase(std::remove(FControls->begin(), FControls->end(), Control), FControls->end());
  if (FControls->empty()) FControls.reset();
}

void TWbFrameController::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount == 0) UpdateFrames(fcpAll);
}

void TWbFrameController::UpdateFrames(TWbFrameControllerProperty Property) {
  if (FUpdateCount > 0 || !FControls) return;
  // A control may leave the list while it is being told: walk a copy.
  std::vector<TControl*> controls = *FControls;
  for (TControl* control : controls) UpdateControlFrame(control, Property);
}

namespace {

const char* const kPropertyNames[] = {
    "Color",        "FocusColor",    "DisabledColor",  "ReadOnlyColor", "ReadOnlyColorOnFocus", "ParentColor",
    "FlatButtonColor", "FlatButtons", "FrameColor",    "FrameHotColor", "FrameHotTrack",       "FrameHotStyle",
    "FrameSides",   "FrameStyle",    "FrameVisible",   "FramingPreference"};

TWbFrameControllerNotifications NotificationsOf(TControl* Control) {
  const TPropInfo* info = GetPropInfo(Control, "FrameControllerNotifications");
  if (!info) return AllFrameControllerNotifications;
  return TWbFrameControllerNotifications::FromBits(uint64_t(GetOrdProp(Control, info)) & 0xFFFF);
}

}  // namespace

void TWbFrameController::WriteProperty(TControl* Control, TWbFrameControllerProperty Property) {
  const TPropInfo* info = GetPropInfo(Control, kPropertyNames[Property]);
  if (!info || !info->Writable()) return;
  Int64 value = 0;
  switch (Property) {
    case fcpColor: value = FColor; break;
    case fcpFocusColor: value = FFocusColor; break;
    case fcpDisabledColor: value = FDisabledColor; break;
    case fcpReadOnlyColor: value = FReadOnlyColor; break;
    case fcpReadOnlyColorOnFocus: value = FReadOnlyColorOnFocus; break;
    case fcpParentColor: value = FParentColor; break;
    case fcpFlatButtonColor: value = FFlatButtonColor; break;
    case fcpFlatButtons: value = FFlatButtons; break;
    case fcpFrameColor: value = FFrameColor; break;
    case fcpFrameHotColor: value = FFrameHotColor; break;
    case fcpFrameHotTrack: value = FFrameHotTrack; break;
    case fcpFrameHotStyle: value = FFrameHotStyle; break;
    case fcpFrameSides: value = Int64(FFrameSides.ToBits()); break;
    case fcpFrameStyle: value = FFrameStyle; break;
    case fcpFrameVisible: value = FFrameVisible; break;
    case fcpFramingPreference: value = FFramingPreference; break;
    case fcpAll: return;
  }
  SetOrdProp(Control, info, value);
}

void TWbFrameController::UpdateControlFrame(TControl* Control, TWbFrameControllerProperty Property) {
  if (!Control) return;
  if (auto* client = dynamic_cast<IWbFramingClient*>(Control)) {
    client->PullFrameControllerValues();
    return;
  }
  TWbFrameControllerNotifications mask = NotificationsOf(Control);
  if (Property != fcpAll) {
    if (mask.Contains(Property)) WriteProperty(Control, Property);
    return;
  }
  static const TWbFrameControllerProperty kOrder[] = {
      fcpParentColor, fcpColor,      fcpDisabledColor, fcpReadOnlyColor, fcpReadOnlyColorOnFocus, fcpFocusColor,
      fcpFlatButtonColor, fcpFlatButtons, fcpFrameColor, fcpFrameHotColor, fcpFrameHotTrack, fcpFrameHotStyle,
      fcpFrameSides,  fcpFrameStyle, fcpFrameVisible,  fcpFramingPreference};
  for (TWbFrameControllerProperty p : kOrder) {
    if (!mask.Contains(p) || (p == fcpColor && FParentColor)) continue;
    WriteProperty(Control, p);
  }
}

void TWbFrameController::SetColor(TColor Value) {
  if (Value == FColor) return;
  if (FColor == FFocusColor) FFocusColor = Value;
  FColor = Value;
  FParentColor = false;
  UpdateFrames(fcpColor);
}

void TWbFrameController::SetParentColor(bool Value) {
  if (Value == FParentColor) return;
  FParentColor = Value;
  UpdateFrames(fcpParentColor);
  if (!FParentColor) UpdateFrames(fcpColor);
}

// The plain setters: store a change and push it.
#define WB_PUSHING_SETTER(Name, Type, Property)                  \
  void TWbFrameController::Set##Name(Type Value) {               \
    if (Value == F##Name) return;                                \
    F##Name = Value;                                             \
    UpdateFrames(Property);                                      \
  }
WB_PUSHING_SETTER(FlatButtonColor, TColor, fcpFlatButtonColor)
WB_PUSHING_SETTER(FlatButtons, bool, fcpFlatButtons)
WB_PUSHING_SETTER(DisabledColor, TColor, fcpDisabledColor)
WB_PUSHING_SETTER(ReadOnlyColor, TColor, fcpReadOnlyColor)
WB_PUSHING_SETTER(ReadOnlyColorOnFocus, bool, fcpReadOnlyColorOnFocus)
WB_PUSHING_SETTER(FocusColor, TColor, fcpFocusColor)
WB_PUSHING_SETTER(FrameColor, TColor, fcpFrameColor)
WB_PUSHING_SETTER(FrameHotColor, TColor, fcpFrameHotColor)
WB_PUSHING_SETTER(FrameHotStyle, TFrameStyle, fcpFrameHotStyle)
WB_PUSHING_SETTER(FrameSides, TSides, fcpFrameSides)
WB_PUSHING_SETTER(FrameStyle, TFrameStyle, fcpFrameStyle)
WB_PUSHING_SETTER(FrameVisible, bool, fcpFrameVisible)
WB_PUSHING_SETTER(FramingPreference, TFramingPreference, fcpFramingPreference)
#undef WB_PUSHING_SETTER

void TWbFrameController::SetFrameHotTrack(bool Value) {
  if (Value == FFrameHotTrack) return;
  FFrameHotTrack = Value;
  if (Value) {
    SetFrameVisible(true);
    if (!GetComponentState().Contains(csLoading)) FFrameSides = AllSides;
  }
  UpdateFrames(fcpFrameHotTrack);
}

void TWbFrameController::SetRegIniFile(TWbRegIniFile* Value) {
  if (Value == FRegIniFile) return;
  if (FRegIniFile) FRegIniFile->RemoveFreeNotification(this);
  FRegIniFile = Value;
  if (Value) Value->FreeNotification(this);
}

void TWbFrameController::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FRegIniFile) FRegIniFile = nullptr;
}

void TWbFrameController::Loaded() {
  inherited::Loaded();
  UpdateFrames(fcpAll);
}

void TWbFrameController::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TWbFrameController*>(Source);
  if (!other) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  FColor = other->FColor;
  FFocusColor = other->FFocusColor;
  FDisabledColor = other->FDisabledColor;
  FReadOnlyColor = other->FReadOnlyColor;
  FReadOnlyColorOnFocus = other->FReadOnlyColorOnFocus;
  FParentColor = other->FParentColor;
  FFlatButtonColor = other->FFlatButtonColor;
  FFlatButtons = other->FFlatButtons;
  FFrameColor = other->FFrameColor;
  FFrameHotColor = other->FFrameHotColor;
  FFrameHotTrack = other->FFrameHotTrack;
  FFrameHotStyle = other->FFrameHotStyle;
  FFrameSides = other->FFrameSides;
  FFrameStyle = other->FFrameStyle;
  FFrameVisible = other->FFrameVisible;
  FFramingPreference = other->FFramingPreference;
  EndUpdate();
}

void TWbFrameController::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  DefineLegacyFrameProperties(
      Filer,
      [this](bool flat) {
        FFrameHotTrack = flat;
        if (flat) {
          FFrameStyle = fsStatus;
          FFrameHotStyle = fsLowered;
        }
      },
      [this](TFrameStyle style) { FFrameHotStyle = style; });
}
