#pragma once
// Spin buttons and the spin edit. TWbSpinButtons is a windowed pair of auto-repeating arrow
// buttons that fire up/right and down/left events and can hand the focus to a control.
// TWbSpinEdit is the framed edit with spin buttons inside its right edge and a numeric value with
// minimum, maximum, steps, decimals, integer-only and blank rules; the value lives in the text.

#include "toolkit/controls/WbButton.h"
#include "toolkit/controls/WbEdit.h"

enum TSpinDirection { sdUpDown, sdLeftRight };
TAVREN_ENUM_INFO(TSpinDirection, sdUpDown, sdLeftRight);
enum TSpinButtonType { sbUp, sbDown };
TAVREN_ENUM_INFO(TSpinButtonType, sbUp, sbDown);
using TSpinChangingEvent = TEvent<void(TObject* Sender, Extended NewValue, bool& AllowChange)>;
using TSpinButtonEvent = TEvent<void(TObject* Sender, TSpinButtonType Button)>;

class TWbSpinButtons : public TWinControl {
  TAVREN_CLASS(TWbSpinButtons, TWinControl)
  TAVREN_MESSAGES()
 public:
  explicit TWbSpinButtons(TComponent* AOwner);
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

  TWbControlButton* GetUpRightButton() const { return FUpRightButton; }
  TWbControlButton* GetDownLeftButton() const { return FDownLeftButton; }
  TSpinDirection GetDirection() const { return FDirection; }
  virtual void SetDirection(TSpinDirection Value);
  bool GetFlat() const { return FFlat; }
  virtual void SetFlat(bool Value);
  TOrientation GetOrientation() const { return FOrientation; }
  virtual void SetOrientation(TOrientation Value);
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  Word GetDelay() const { return FUpRightButton->GetDelay(); }
  void SetDelay(Word Value);
  Word GetInitialDelay() const { return FUpRightButton->GetInitialDelay(); }
  void SetInitialDelay(Word Value);
  TBitmap* GetGlyphUpRight() const { return FUpRightButton->GetGlyph(); }
  virtual void SetGlyphUpRight(TBitmap* Value);
  TBitmap* GetGlyphDownLeft() const { return FDownLeftButton->GetGlyph(); }
  virtual void SetGlyphDownLeft(TBitmap* Value);
  TNumGlyphs GetNumGlyphsUpRight() const { return FUpRightButton->GetNumGlyphs(); }
  virtual void SetNumGlyphsUpRight(TNumGlyphs Value) { FUpRightButton->SetNumGlyphs(Value); }
  TNumGlyphs GetNumGlyphsDownLeft() const { return FDownLeftButton->GetNumGlyphs(); }
  virtual void SetNumGlyphsDownLeft(TNumGlyphs Value) { FDownLeftButton->SetNumGlyphs(Value); }
  bool HasCustomUpRightGlyph() const { return FCustomUpRightGlyph; }
  bool HasCustomDownLeftGlyph() const { return FCustomDownLeftGlyph; }
  TNotifyEvent GetOnUpRightClick() const { return FOnUpRightClick; }
  void SetOnUpRightClick(TNotifyEvent Value) { FOnUpRightClick = Value; }
  TNotifyEvent GetOnDownLeftClick() const { return FOnDownLeftClick; }
  void SetOnDownLeftClick(TNotifyEvent Value) { FOnDownLeftClick = Value; }

 protected:
  virtual TWbControlButton* CreateButton();
  virtual void ButtonClick(TObject* Sender);
  virtual void ButtonMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  // Chooses arrow or glyph faces after a glyph change.
  virtual void GlyphChanged();
  virtual void ArrangeButtons(Integer Width, Integer Height);
  virtual void DoUpRightClick() { FOnUpRightClick(this); }
  virtual void DoDownLeftClick() { FOnDownLeftClick(this); }
  void KeyDown(Word& Key, TShiftState Shift) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void WMGetDlgCode(TMessage& Message);
  void WMSize(TMessage& Message);
  // Colour and enabled state go to both buttons.
  void CMColorChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  // Takes the focus for Control (or for the buttons themselves); false when it did not come.
  bool TakeFocus(TWinControl* Control);

  TWbControlButton* FUpRightButton = nullptr;    // owned as components
  TWbControlButton* FDownLeftButton = nullptr;
  TSpinDirection FDirection = sdUpDown;
  TOrientation FOrientation = orVertical;
  bool FFlat = false;
  TWinControl* FFocusControl = nullptr;
  bool FCustomUpRightGlyph = false;
  bool FCustomDownLeftGlyph = false;
  TNotifyEvent FOnUpRightClick;
  TNotifyEvent FOnDownLeftClick;
};

class TWbSpinEdit : public TWbCustomEdit {
  TAVREN_CLASS(TWbSpinEdit, TWbCustomEdit)
  TAVREN_MESSAGES()
 public:
  explicit TWbSpinEdit(TComponent* AOwner);

  TWbSpinButtons* GetButtons() const { return FButtons; }
  virtual TWbControlButton* GetButton(TSpinButtonType Kind);
  Integer GetButtonWidth() const { return FButtonWidth; }
  virtual void SetButtonWidth(Integer Value);
  Extended GetMin() const { return FMin; }
  virtual void SetMin(Extended Value);
  Extended GetMax() const { return FMax; }
  virtual void SetMax(Extended Value);
  Extended GetIncrement() const { return FIncrement; }
  void SetIncrement(Extended Value) { FIncrement = Value; }
  Extended GetPageSize() const { return FPageSize; }
  void SetPageSize(Extended Value) { FPageSize = Value; }
  Extended GetBlankValue() const { return FBlankValue; }
  void SetBlankValue(Extended Value) { FBlankValue = Value; }
  Byte GetDecimals() const { return FDecimals; }
  virtual void SetDecimals(Byte Value);
  bool GetIntegersOnly() const { return FIntegersOnly; }
  virtual void SetIntegersOnly(bool Value);
  bool GetAllowBlank() const { return FAllowBlank; }
  void SetAllowBlank(bool Value) { FAllowBlank = Value; }
  bool GetAllowKeyEdit() const { return FAllowKeyEdit; }
  void SetAllowKeyEdit(bool Value) { FAllowKeyEdit = Value; }
  bool GetCheckRange() const { return FCheckRange; }
  virtual void SetCheckRange(bool Value);
  TColor GetFlatButtonColor() const { return FFlatButtonColor; }
  void SetFlatButtonColor(TColor Value) { FFlatButtonColor = Value; }
  TSpinDirection GetDirection() const { return FButtons->GetDirection(); }
  virtual void SetDirection(TSpinDirection Value) { FButtons->SetDirection(Value); }
  TOrientation GetOrientation() const { return FButtons->GetOrientation(); }
  virtual void SetOrientation(TOrientation Value);
  TBitmap* GetButtonUpGlyph() const { return FButtons->GetGlyphUpRight(); }
  virtual void SetButtonUpGlyph(TBitmap* Value) { FButtons->SetGlyphUpRight(Value); }
  TNumGlyphs GetButtonUpNumGlyphs() const { return FButtons->GetNumGlyphsUpRight(); }
  virtual void SetButtonUpNumGlyphs(TNumGlyphs Value) { FButtons->SetNumGlyphsUpRight(Value); }
  TBitmap* GetButtonDownGlyph() const { return FButtons->GetGlyphDownLeft(); }
  virtual void SetButtonDownGlyph(TBitmap* Value) { FButtons->SetGlyphDownLeft(Value); }
  TNumGlyphs GetButtonDownNumGlyphs() const { return FButtons->GetNumGlyphsDownLeft(); }
  virtual void SetButtonDownNumGlyphs(TNumGlyphs Value) { FButtons->SetNumGlyphsDownLeft(Value); }
  // Glyphs are stored only when they are the user's own, not the arrows.
  bool IsUpGlyphStored() const { return FButtons->HasCustomUpRightGlyph(); }
  bool IsDownGlyphStored() const { return FButtons->HasCustomDownLeftGlyph(); }
  void SetFlatButtons(bool Value) override;

  // The value: the text read as a number (Min when it is none; reading it may write Min's text
  // into an empty edit).
  virtual Extended GetValue();
  virtual void SetValue(Extended Value);
  virtual Integer GetIntValue();
  virtual void SetIntValue(Integer Value) { SetValue(Value); }
  virtual Extended CheckValue(Extended Value);
  virtual void Increase(Extended Step);
  virtual void Decrease(Extended Step);

  TSpinChangingEvent GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TSpinChangingEvent Value) { FOnChanging = Value; }
  TSpinButtonEvent GetOnButtonClick() const { return FOnButtonClick; }
  void SetOnButtonClick(TSpinButtonEvent Value) { FOnButtonClick = Value; }

 protected:
  virtual void ArrangeButtons();
  virtual void UpdateEditMargins();
  virtual bool IsValidChar(Char Key);
  virtual void UpClick(TObject*) { Increase(FIncrement); }
  virtual void DownClick(TObject*) { Decrease(FIncrement); }
  virtual bool DoChanging(Extended NewValue);
  virtual void DoButtonClick(TSpinButtonType Button) { FOnButtonClick(this, Button); }
  void GetEditRect(TRect& Rect) override;
  void InteractionStateChanged(bool IsMouse, bool Active) override;
  void ReadOnlyChanged() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
  void CreateWnd() override;
  void Loaded() override;
  void DefineProperties(TFiler* Filer) override;

 private:
  void WMSize(TMessage& Message);
  void WMPasteOrCut(TMessage& Message);
  void CMEnter(TMessage& Message);
  void CMExit(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  bool IsIncrementStored() const { return FIncrement != 1; }
  bool IsMaxStored() const { return FMax != 100; }
  bool IsMinStored() const { return FMin != 0; }
  bool IsPageSizeStored() const { return FPageSize != 10; }

  TWbSpinButtons* FButtons = nullptr;  // owned as a component
  Integer FButtonWidth = 17;
  Extended FMin = 0, FMax = 100, FIncrement = 1, FPageSize = 10, FBlankValue = 0;
  Byte FDecimals = 0;
  bool FIntegersOnly = true;
  bool FAllowBlank = false;
  bool FAllowKeyEdit = false;
  bool FCheckRange = false;
  TColor FFlatButtonColor = clBtnFace;
  TSpinChangingEvent FOnChanging;
  TSpinButtonEvent FOnButtonClick;
};

void WbSpnEdtStart();
