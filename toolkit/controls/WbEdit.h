#pragma once
// The Wb framed edit: the framework's masked edit with a frame it paints into its own non-client
// area in one of the Wb frame styles, colours that follow its state (normal, focused, read-only,
// disabled), an optional hot-tracked frame, Tab-on-Enter, a hook for validation messages and a
// link to a shared frame controller.

#include <memory>

#include "toolkit/controls/WbCommonFrameController.h"
#include "vcl/Mask.h"

using TWbValidateErrorEvent = TEvent<void(TObject* Sender, String& ErrorMsg)>;

class TWbCustomEdit : public TCustomMaskEdit {
  TAVREN_CLASS(TWbCustomEdit, TCustomMaskEdit)
  TAVREN_MESSAGES()
 public:
  explicit TWbCustomEdit(TComponent* AOwner);
  ~TWbCustomEdit() override;

  TLeftRight GetAlignment() const { return FAlignment; }
  virtual void SetAlignment(TLeftRight Value);
  TColor GetDisabledColor() const { return FDisabledColor; }
  virtual void SetDisabledColor(TColor Value);
  TColor GetFocusColor() const { return FFocusColor; }
  virtual void SetFocusColor(TColor Value);
  TColor GetReadOnlyColor() const { return FReadOnlyColor; }
  virtual void SetReadOnlyColor(TColor Value);
  bool GetReadOnlyColorOnFocus() const { return FReadOnlyColorOnFocus; }
  void SetReadOnlyColorOnFocus(bool Value) { FReadOnlyColorOnFocus = Value; }
  TColor GetFrameColor() const { return FFrameColor; }
  virtual void SetFrameColor(TColor Value);
  TColor GetFrameHotColor() const { return FFrameHotColor; }
  virtual void SetFrameHotColor(TColor Value);
  TFrameStyle GetFrameStyle() const { return FFrameStyle; }
  virtual void SetFrameStyle(TFrameStyle Value);
  TFrameStyle GetFrameHotStyle() const { return FFrameHotStyle; }
  virtual void SetFrameHotStyle(TFrameStyle Value);
  TSides GetFrameSides() const { return FFrameSides; }
  virtual void SetFrameSides(TSides Value);
  bool GetFrameVisible() const { return FFrameVisible; }
  virtual void SetFrameVisible(bool Value);
  bool GetFrameHotTrack() const { return FFrameHotTrack; }
  virtual void SetFrameHotTrack(bool Value);
  TFramingPreference GetFramingPreference() const { return FFramingPreference; }
  virtual void SetFramingPreference(TFramingPreference Value);
  TWbFrameController* GetFrameController() const { return FFrameController; }
  virtual void SetFrameController(TWbFrameController* Value);
  TWbFrameControllerNotifications GetFrameControllerNotifications() const { return FFrameControllerNotifications; }
  void SetFrameControllerNotifications(TWbFrameControllerNotifications Value) { FFrameControllerNotifications = Value; }
  bool GetFlatButtons() const { return FFlatButtons; }
  virtual void SetFlatButtons(bool Value);
  bool GetTabOnEnter() const { return FTabOnEnter; }
  void SetTabOnEnter(bool Value) { FTabOnEnter = Value; }
  // Read-only with the Wb colour and frame rules on top of the edit's own switch.
  void SetReadOnly(bool Value);
  TWbValidateErrorEvent GetOnValidateError() const { return FOnValidateError; }
  void SetOnValidateError(TWbValidateErrorEvent Value) { FOnValidateError = Value; }

  // The colour the user set, shown while enabled, unfocused and editable.
  TColor GetNormalColor() const { return FNormalColor; }
  bool HasFocus() const { return FHasFocus; }
  bool MouseOver() const { return FMouseOver; }
  // The frame is the theme's (not the control's own).
  virtual bool UsesThemedFraming();
  // Stored conditions of Color and FocusColor in form data.
  bool IsColorStored() const;
  bool IsFocusColorStored() const;

 protected:
  virtual void ApplyStateColor();
  virtual void InteractionStateChanged(bool IsMouse, bool Active);
  virtual void RepaintFrame();
  virtual void GetEditRect(TRect& Rect) { Rect = GetClientRect(); }
  virtual String GetDisplayText() { return GetText(); }
  virtual void ReadOnlyChanged() {}
  void ValidateError() override;
  void CreateParams(TCreateParams& Params) override;
  void KeyPress(Char& Key) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DefineProperties(TFiler* Filer) override;
  bool IsTakenFromController(TWbFrameControllerProperty Property) const {
    return FFrameController && FFrameControllerNotifications.Contains(Property);
  }
  template <TWbFrameControllerProperty P>
  bool NotFromController() const {
    return !IsTakenFromController(P);
  }

 private:
  void WMNCPaint(TMessage& Message);
  void WMSize(TMessage& Message);
  void CMEnter(TMessage& Message);
  void CMExit(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void AdoptUserColor();
  bool DrawsOwnFrame() { return FFrameVisible && !UsesThemedFraming(); }

  TColor FNormalColor = clWindow;
  TColor FDisabledColor = clBtnFace;
  TColor FFocusColor = clWindow;
  TColor FReadOnlyColor = clInfoBk;
  bool FReadOnlyColorOnFocus = false;
  TColor FFrameColor = clBtnShadow;
  TColor FFrameHotColor = clBtnShadow;
  TFrameStyle FFrameStyle = fsFlat;
  TFrameStyle FFrameHotStyle = fsFlatBold;
  TSides FFrameSides = AllSides;
  bool FFrameVisible = false;
  bool FFrameHotTrack = false;
  TFramingPreference FFramingPreference = fpXPThemes;
  TWbFrameController* FFrameController = nullptr;
  TWbFrameControllerNotifications FFrameControllerNotifications = AllFrameControllerNotifications;
  bool FFlatButtons = false;
  bool FTabOnEnter = false;
  TLeftRight FAlignment = taLeftJustify;
  bool FHasFocus = false;
  bool FMouseOver = false;
  bool FApplyingColor = false;
  std::unique_ptr<TCanvas> FWindowCanvas;
  TWbValidateErrorEvent FOnValidateError;
};

class TWbMaskEdit : public TWbCustomEdit {
  TAVREN_CLASS(TWbMaskEdit, TWbCustomEdit)
 public:
  using TWbCustomEdit::TWbCustomEdit;

 protected:
  String GetDisplayText() override { return GetEditText(); }
};

void WbEditStart();
