#pragma once
// The Wb check-box family. TWbCustomGlyphButton shows a small state glyph beside its caption,
// composed off screen over a cached background; the glyph comes from a custom image strip, the
// visual style, its own hot-tracking drawing or the classic check-box drawing. TWbCustomCheckBox
// adds the three-state logic; TWbCheckBox publishes it.

#include <memory>

#include "toolkit/controls/WbButton.h"
#include "toolkit/controls/WbCommonFrameController.h"
#include "vcl/ActnList.h"

class TWbCustomGlyphButton : public TWbCustomButton, public IWbFramingClient {
  TAVREN_CLASS(TWbCustomGlyphButton, TWbCustomButton)
  TAVREN_MESSAGES()
 public:
  explicit TWbCustomGlyphButton(TComponent* AOwner);
  ~TWbCustomGlyphButton() override;

  void PullFrameControllerValues() override;

  TLeftRight GetAlignment() const { return FAlignment; }
  virtual void SetAlignment(TLeftRight Value);
  virtual bool GetChecked() { return false; }
  virtual void SetChecked(bool) {}
  TBitmap* GetCustomGlyphs() const { return FCustomGlyphs.get(); }
  virtual void SetCustomGlyphs(TBitmap* Value);
  bool GetUseCustomGlyphs() const { return FUseCustomGlyphs; }
  virtual void SetUseCustomGlyphs(bool Value);
  TColor GetDisabledColor() const { return FDisabledColor; }
  virtual void SetDisabledColor(TColor Value);
  TColor GetFillColor() const { return FFillColor; }
  virtual void SetFillColor(TColor Value);
  TColor GetFocusColor() const { return FFocusColor; }
  virtual void SetFocusColor(TColor Value);
  TColor GetFrameColor() const { return FFrameColor; }
  virtual void SetFrameColor(TColor Value);
  TWbFrameController* GetFrameController() const { return FFrameController; }
  virtual void SetFrameController(TWbFrameController* Value);
  TWbFrameControllerNotifications GetFrameControllerNotifications() const { return FFrameControllerNotifications; }
  void SetFrameControllerNotifications(TWbFrameControllerNotifications Value) { FFrameControllerNotifications = Value; }
  TWbButtonHotTrackStyle GetHotTrackStyle() const { return FHotTrackStyle; }
  void SetHotTrackStyle(TWbButtonHotTrackStyle Value) { FHotTrackStyle = Value; }
  bool GetReadOnly() const { return FReadOnly; }
  virtual void SetReadOnly(bool Value);
  TColor GetReadOnlyColor() const { return FReadOnlyColor; }
  virtual void SetReadOnlyColor(TColor Value);
  bool GetReadOnlyColorOnFocus() const { return FReadOnlyColorOnFocus; }
  void SetReadOnlyColorOnFocus(bool Value) { FReadOnlyColorOnFocus = Value; }
  bool GetTabOnEnter() const { return FTabOnEnter; }
  void SetTabOnEnter(bool Value) { FTabOnEnter = Value; }
  TColor GetTransparentColor() const { return FTransparentColor; }
  virtual void SetTransparentColor(TColor Value);
  TColor GetWinMaskColor() const { return FWinMaskColor; }
  virtual void SetWinMaskColor(TColor Value);
  void SetTransparent(bool Value) override;

  // Where the glyph goes in the client area, and its size.
  TRect GlyphRect();
  // Set by the action link so that a Checked it sets runs no click.
  void SetClicksDisabled(bool Value) { FClicksDisabled = Value; }
  bool GetClicksDisabled() const { return FClicksDisabled; }

 protected:
  // Paints the glyph of the current state into Bitmap (glyph-sized).
  virtual void GetGlyph(TBitmap* Bitmap) = 0;
  virtual void AdjustTransparentGlyph(TBitmap*) {}
  virtual void DrawGlyph(TCanvas* Canvas);
  // Image Index of a strip of Width-wide images into Bitmap.
  virtual void ExtractGlyph(Integer Index, TBitmap* Bitmap, Integer Height, Integer Width, TBitmap* Strip);
  void Paint() override;
  void ShowPressedState() override { Repaint(); }
  void ShowFocusState() override { Repaint(); }
  TRect HotTrackBounds() override { return GlyphRect(); }
  TClassOf<TActionLink> GetActionLinkClass() override;
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
  void KeyPress(Char& Key) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DefineProperties(TFiler* Filer) override;

  Integer FNumGlyphs = 2;  // images in a custom strip

 private:
  void CustomGlyphsChanged(TObject* Sender);
  void UpdateBackground();
  void WMEraseBkgnd(TMessage& Message);
  void WMSize(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  Integer GlyphWidth() const;
  Integer GlyphHeight() const;

  TLeftRight FAlignment = taRightJustify;
  std::unique_ptr<TBitmap> FCustomGlyphs;
  bool FUseCustomGlyphs = false;
  TColor FDisabledColor = clBtnFace;
  TColor FFillColor = clWindow;
  TColor FFocusColor = clWindow;
  TColor FFrameColor = clBtnShadow;
  TWbFrameController* FFrameController = nullptr;
  TWbFrameControllerNotifications FFrameControllerNotifications = AllFrameControllerNotifications;
  TWbButtonHotTrackStyle FHotTrackStyle = htsInterior;
  bool FReadOnly = false;
  TColor FReadOnlyColor = clInfoBk;
  bool FReadOnlyColorOnFocus = false;
  bool FTabOnEnter = false;
  TColor FTransparentColor = clOlive;
  TColor FWinMaskColor = clLime;
  std::unique_ptr<TBitmap> FBackground;
  bool FBackgroundStale = true;
  bool FClicksDisabled = false;
};

class TWbCustomCheckBox : public TWbCustomGlyphButton {
  TAVREN_CLASS(TWbCustomCheckBox, TWbCustomGlyphButton)
  TAVREN_MESSAGES()
 public:
  explicit TWbCustomCheckBox(TComponent* AOwner);

  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  TCheckBoxState GetState() const { return FState; }
  virtual void SetState(TCheckBoxState Value);
  bool GetChecked() override { return FState == cbChecked; }
  void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }
  bool IsCheckedStored() const;

 protected:
  void ChangeState() override;
  void GetGlyph(TBitmap* Bitmap) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;

 private:
  void CMExit(TMessage& Message);
  void CMDialogChar(TMessage& Message);

  bool FAllowGrayed = false;
  TCheckBoxState FState = cbUnchecked;
  bool FSpacePressed = false;
};

class TWbCheckBox : public TWbCustomCheckBox {
  TAVREN_CLASS(TWbCheckBox, TWbCustomCheckBox)
 public:
  using TWbCustomCheckBox::TWbCustomCheckBox;
};

// Ties a glyph button's Checked to its action's Checked.
class TWbCheckedActionLink : public TWinControlActionLink {
  TAVREN_CLASS(TWbCheckedActionLink, TWinControlActionLink)
 public:
  explicit TWbCheckedActionLink(TObject* AClient);
  bool IsCheckedLinked() override;
  void SetChecked(bool Value) override;

 private:
  TWbCustomGlyphButton* FButton;
};

// Named colours: the two pseudo entries, the sixteen standard colours and the twenty-five system
// colours of the classic scheme.
struct TWbColorRec {
  const char* Name;
  TColor Value;
};
extern const TWbColorRec WbPseudoColors[2];
extern const TWbColorRec WbStandardColors[16];
extern const TWbColorRec WbSystemColors[25];

void WbRadChkStart();
