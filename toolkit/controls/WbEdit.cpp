#include "toolkit/controls/WbEdit.h"

#include "controls/Edit.h"
#include "rtl/ClassRegistry.h"
#include "user/Painting.h"
#include "user/WindowEffects.h"
#include "user/WindowStyles.h"
#include "vcl/Graphics.h"
#include "vcl/Themes.h"

TAVREN_CLASS_IMPL(TWbCustomEdit)
TAVREN_MESSAGE_TABLE(TWbCustomEdit,
    MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint),
    MESSAGE_HANDLER(WM_SIZE, WMSize),
    MESSAGE_HANDLER(CM_ENTER, CMEnter),
    MESSAGE_HANDLER(CM_EXIT, CMExit),
    MESSAGE_HANDLER(CM_COLORCHANGED, CMColorChanged),
    MESSAGE_HANDLER(CM_PARENTCOLORCHANGED, CMParentColorChanged),
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged),
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter),
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave))

TWbCustomEdit::TWbCustomEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner), FWindowCanvas(std::make_unique<TCanvas>()) {
  FControlStyle.Include(csCaptureMouse);
  FControlStyle.Exclude(csSetCaption);
}

TWbCustomEdit::~TWbCustomEdit() {
  if (FFrameController) FFrameController->RemoveControl(this);
}

bool TWbCustomEdit::UsesThemedFraming() {
  return FFramingPreference == fpXPThemes && ThemeServices()->ThemesEnabled();
}

// ---- State colours --------------------------------------------------------------------------------

void TWbCustomEdit::ApplyStateColor() {
  if (GetComponentState().Contains(csLoading)) return;
  FApplyingColor = true;
  try {
    if (!GetEnabled())
      SetColor(FDisabledColor);
    else if (FHasFocus)
      SetColor(GetReadOnly() && FReadOnlyColorOnFocus ? FReadOnlyColor : FFocusColor);
    else
      SetColor(GetReadOnly() ? FReadOnlyColor : FNormalColor);
  } catch (...) {
    FApplyingColor = false;
    throw;
  }
  FApplyingColor = false;
}

void TWbCustomEdit::InteractionStateChanged(bool IsMouse, bool Active) {
  (IsMouse ? FMouseOver : FHasFocus) = Active;
  if (FFrameHotTrack) RepaintFrame();
  ApplyStateColor();
}

void TWbCustomEdit::AdoptUserColor() {
  if (FFocusColor == FNormalColor) FFocusColor = GetColor();
  FNormalColor = GetColor();
}

void TWbCustomEdit::CMColorChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (!FApplyingColor) AdoptUserColor();
  if (DrawsOwnFrame()) RepaintFrame();
}

void TWbCustomEdit::CMParentColorChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (GetParentColor()) AdoptUserColor();
  if (DrawsOwnFrame()) RepaintFrame();
}

void TWbCustomEdit::CMEnter(TMessage& Message) {
  InteractionStateChanged(false, true);
  InheritedMessage(Message);
}

void TWbCustomEdit::CMExit(TMessage& Message) {
  InheritedMessage(Message);
  InteractionStateChanged(false, false);
}

void TWbCustomEdit::CMMouseEnter(TMessage& Message) {
  InheritedMessage(Message);
  if (Message.LParam == 0) InteractionStateChanged(true, true);
}

void TWbCustomEdit::CMMouseLeave(TMessage& Message) {
  InheritedMessage(Message);
  if (Message.LParam == 0) InteractionStateChanged(true, false);
}

void TWbCustomEdit::CMEnabledChanged(TMessage& Message) {
  InheritedMessage(Message);
  ApplyStateColor();
  if (HandleAllocated()) SendMessage(GetHandle(), WM_NCPAINT, 1, 0);
}

void TWbCustomEdit::SetReadOnly(bool Value) {
  if (Value == GetReadOnly()) return;
  TCustomMaskEdit::SetReadOnly(Value);
  ReadOnlyChanged();
  ApplyStateColor();
  if (HandleAllocated()) SendMessage(GetHandle(), WM_NCPAINT, 1, 0);
}

void TWbCustomEdit::SetDisabledColor(TColor Value) {
  if (Value == FDisabledColor) return;
  FDisabledColor = Value;
  if (!GetEnabled()) ApplyStateColor();
}

void TWbCustomEdit::SetFocusColor(TColor Value) {
  if (Value == FFocusColor) return;
  FFocusColor = Value;
  if (FHasFocus) ApplyStateColor();
}

void TWbCustomEdit::SetReadOnlyColor(TColor Value) {
  if (Value == FReadOnlyColor) return;
  FReadOnlyColor = Value;
  if (GetReadOnly()) ApplyStateColor();
}

// ---- Frame -----------------------------------------------------------------------------------------

void TWbCustomEdit::RepaintFrame() {
  if (!HandleAllocated()) return;
  TRect client = GetClientRect();
  InvalidateNonClientFrame(GetHandle(), client);
  SendMessage(GetHandle(), WM_NCPAINT, 1, 0);
}

void TWbCustomEdit::WMNCPaint(TMessage& Message) {
  InheritedMessage(Message);
  if (!DrawsOwnFrame()) return;
  HDC dc = GetWindowDC(GetHandle());
  if (!dc) return;
  FWindowCanvas->SetHandle(dc);
  try {
    const bool hot = FFrameHotTrack && (FHasFocus || FMouseOver);
    PaintNonClientFrame(FWindowCanvas.get(), GetWidth(), GetHeight(), hot ? FFrameHotStyle : FFrameStyle, GetColor(),
                        hot ? FFrameHotColor : FFrameColor, FFrameSides);
  } catch (...) {
    FWindowCanvas->SetHandle(nullptr);
    ReleaseDC(GetHandle(), dc);
    throw;
  }
  FWindowCanvas->SetHandle(nullptr);
  ReleaseDC(GetHandle(), dc);
  Message.Result = 0;
}

void TWbCustomEdit::WMSize(TMessage& Message) {
  InheritedMessage(Message);
  if (DrawsOwnFrame()) RepaintFrame();
}

#define WB_FRAME_SETTER(Name, Type)            \
  void TWbCustomEdit::Set##Name(Type Value) {  \
    if (Value == F##Name) return;              \
    F##Name = Value;                           \
    RepaintFrame();                            \
  }
WB_FRAME_SETTER(FrameColor, TColor)
WB_FRAME_SETTER(FrameHotColor, TColor)
WB_FRAME_SETTER(FrameHotStyle, TFrameStyle)
WB_FRAME_SETTER(FrameSides, TSides)
WB_FRAME_SETTER(FrameStyle, TFrameStyle)
#undef WB_FRAME_SETTER

void TWbCustomEdit::SetFrameVisible(bool Value) {
  if (Value == FFrameVisible) return;
  FFrameVisible = Value;
  if (Value) SetCtl3D(true);
  if (HandleAllocated()) RecreateWnd();
}

void TWbCustomEdit::SetFramingPreference(TFramingPreference Value) {
  if (Value == FFramingPreference) return;
  FFramingPreference = Value;
  if (Value == fpCustomFraming) RepaintFrame();
}

void TWbCustomEdit::SetFrameHotTrack(bool Value) {
  if (Value == FFrameHotTrack) return;
  FFrameHotTrack = Value;
  if (Value) {
    SetFrameVisible(true);
    if (!GetComponentState().Contains(csLoading)) FFrameSides = AllSides;
  }
  RepaintFrame();
  Invalidate();
}

void TWbCustomEdit::SetFlatButtons(bool Value) {
  if (Value == FFlatButtons) return;
  FFlatButtons = Value;
  Invalidate();
}

void TWbCustomEdit::SetAlignment(TLeftRight Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TWbCustomEdit::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
  Params.Style &= ~(ES_MULTILINE | ES_RIGHT | ES_CENTER);
  Params.Style |= FAlignment == taRightJustify ? ES_RIGHT : ES_LEFT;
}

// ---- Keys, validation, controller, loading ------------------------------------------------------------

void TWbCustomEdit::KeyPress(Char& Key) {
  if (!TabOnEnterKey(this, FTabOnEnter, Key)) inherited::KeyPress(Key);
}

void TWbCustomEdit::ValidateError() {
  String message;
  FOnValidateError(this, message);
  if (message.empty()) {
    inherited::ValidateError();
    return;
  }
  MessageBeep(0);
  throw EDBEditError(message);
}

void TWbCustomEdit::SetFrameController(TWbFrameController* Value) {
  if (Value == FFrameController) return;
  if (FFrameController) FFrameController->RemoveControl(this);
  FFrameController = Value;
  if (Value) {
    Value->AddControl(this);
    Value->FreeNotification(this);
  }
}

void TWbCustomEdit::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFrameController) FFrameController = nullptr;
}

void TWbCustomEdit::Loaded() {
  inherited::Loaded();
  ApplyStateColor();
  InteractionStateChanged(false, false);
}

void TWbCustomEdit::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  DefineLegacyFrameProperties(
      Filer,
      [this](bool flat) {
        SetFrameHotTrack(flat);
        if (flat) {
          SetFrameStyle(fsStatus);
          SetFrameHotStyle(fsLowered);
        }
      },
      [this](TFrameStyle style) { SetFrameHotStyle(style); });
}

bool TWbCustomEdit::IsColorStored() const {
  // A disabled edit shows its disabled colour: the user's colour is not what Color holds then.
  return GetEnabled() && !IsTakenFromController(fcpColor) && !GetParentColor();
}

bool TWbCustomEdit::IsFocusColorStored() const {
  return !IsTakenFromController(fcpFocusColor) && ColorToRGB(FFocusColor) != ColorToRGB(GetColor());
}

#define WB_FROM_CONTROLLER(P) Stored<&TWbMaskEdit::NotFromController<P>>()
TAVREN_CLASS_IMPL_PUBLISHED(TWbMaskEdit,
    PROPERTY(Alignment).Default(taLeftJustify),
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TWbMaskEdit::IsColorStored>().Default(clWindow),
    PROPERTY(DisabledColor).Idents(ColorIdentMap).WB_FROM_CONTROLLER(fcpDisabledColor).Default(clBtnFace),
    PROPERTY(FocusColor).Idents(ColorIdentMap).Stored<&TWbMaskEdit::IsFocusColorStored>().Default(clWindow),
    PROPERTY(FrameColor).Idents(ColorIdentMap).WB_FROM_CONTROLLER(fcpFrameColor).Default(clBtnShadow),
    PROPERTY(FrameController),
    PROPERTY(FrameControllerNotifications).Default(AllFrameControllerNotifications),
    PROPERTY(FrameHotColor).Idents(ColorIdentMap).WB_FROM_CONTROLLER(fcpFrameHotColor).Default(clBtnShadow),
    PROPERTY(FrameHotStyle).WB_FROM_CONTROLLER(fcpFrameHotStyle).Default(fsFlatBold),
    PROPERTY(FrameHotTrack).WB_FROM_CONTROLLER(fcpFrameHotTrack).Default(false),
    PROPERTY(FrameSides).WB_FROM_CONTROLLER(fcpFrameSides).Default(AllSides),
    PROPERTY(FrameStyle).WB_FROM_CONTROLLER(fcpFrameStyle).Default(fsFlat),
    PROPERTY(FrameVisible).WB_FROM_CONTROLLER(fcpFrameVisible).Default(false),
    PROPERTY(FramingPreference).WB_FROM_CONTROLLER(fcpFramingPreference).Default(fpXPThemes),
    PROPERTY(ReadOnly).Default(false),
    PROPERTY(ReadOnlyColor).Idents(ColorIdentMap).WB_FROM_CONTROLLER(fcpReadOnlyColor).Default(clInfoBk),
    PROPERTY(ReadOnlyColorOnFocus).WB_FROM_CONTROLLER(fcpReadOnlyColorOnFocus).Default(false),
    PROPERTY(TabOnEnter).Default(false),
    PROPERTY(OnMouseEnter),
    PROPERTY(OnMouseLeave),
    PROPERTY(OnValidateError),
    PROPERTY(Align).Default(alNone),
    PROPERTY(Anchors),
    PROPERTY(AutoSelect).Default(true),
    PROPERTY(AutoSize).Default(true),
    PROPERTY(Ctl3D),
    PROPERTY(EditMask),
    PROPERTY(Enabled).Default(true),
    PROPERTY(Font),
    PROPERTY(MaxLength).Default(0),
    PROPERTY(ParentColor).Default(false),
    PROPERTY(ParentFont).Default(true),
    PROPERTY(Hint),
    PROPERTY(ShowHint),
    PROPERTY(TabOrder),
    PROPERTY(TabStop).Default(true),
    PROPERTY(Text),
    PROPERTY(Visible).Default(true),
    PROPERTY(OnChange),
    PROPERTY(OnClick),
    PROPERTY(OnDblClick),
    PROPERTY(OnEnter),
    PROPERTY(OnExit),
    PROPERTY(OnKeyDown),
    PROPERTY(OnKeyPress),
    PROPERTY(OnKeyUp),
    PROPERTY(OnMouseDown),
    PROPERTY(OnMouseMove),
    PROPERTY(OnMouseUp))
#undef WB_FROM_CONTROLLER

void WbEditStart() { RegisterClasses({TWbMaskEdit::ClassInfo()}); }
