#pragma once
// The calculator: 27 painter-drawn push buttons that work as a four-function desk calculator with
// a memory register. It keeps no display of its own: a descendant reads and writes the number
// being worked on (the calc edit's drop-down shows it in the editor's text).

#include "toolkit/foundation/kvControls.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "toolkit/editors/kvEdit.h"

// The buttons, in their fixed order: the index is a button's identity everywhere.
enum TkvCalcButtonKind : Byte {
  cbBack, cbCancelEntry, cbClear,
  cbMemoryClear, cbMemoryRecall, cbMemoryStore, cbMemoryAdd,
  cbNum0, cbNum1, cbNum2, cbNum3, cbNum4, cbNum5, cbNum6, cbNum7, cbNum8, cbNum9,
  cbSign, cbDecimal, cbDiv, cbMul, cbSub, cbAdd, cbSqrt, cbPercent, cbRev, cbEqual,
  cbNone
};
constexpr Integer kvCalcButtonCount = cbNone;

// Result shown (the next digit starts a new number), operand entered, or the error text shown.
enum TkvCalcEntryState { csResultShown, csOperandEntered, csError };

enum TkvCalcBorderStyle { cbsNoBorder, cbsSingleBorder };

using TkvCalcButtonPressEvent = TEvent<void(TObject* Sender, TkvCalcButtonKind& Button)>;
using TkvCalcCloseRequestEvent = TEvent<void(TObject* Sender, TkvEditCloseUpReason Reason)>;

struct TkvCalcButton {
  TkvCalcButtonKind Kind = cbNone;
  String Caption;  // at most 4 characters
  TColor CaptionColor = clBlack;
  TRect Bounds;
  bool Down = false;
  bool Grayed = false;  // only the memory-recall buttons, while the memory holds 0
};

class TkvCustomCalculator : public TkvControl {
  TAVREN_CLASS(TkvCustomCalculator, TkvControl)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomCalculator(TComponent* AOwner);

  // The engine: the one entry point of mouse, keyboard and programmatic presses.
  void PerformButton(TkvCalcButtonKind Button);
  Extended GetDisplayValue();
  void SetDisplayValue(Extended Value);
  void CopyToClipboard();
  void PasteFromClipboard();

  bool GetAutoFontSize() const { return FAutoFontSize; }
  void SetAutoFontSize(bool Value);
  bool GetBeepOnError() const { return FBeepOnError; }
  void SetBeepOnError(bool Value) { FBeepOnError = Value; }
  TkvCalcBorderStyle GetCalcBorderStyle() const { return FCalcBorderStyle; }
  void SetCalcBorderStyle(TkvCalcBorderStyle Value);
  bool GetShowFocusRect() const { return FShowFocusRect; }
  void SetShowFocusRect(bool Value) { FShowFocusRect = Value; }
  Byte GetPrecision() const { return FPrecision; }
  void SetPrecision(Byte Value) { FPrecision = Value; }

  Extended GetMemory() const { return FMemory; }
  TkvCalcEntryState GetEntryState() const { return FState; }
  const TkvCalcButton& GetButton(TkvCalcButtonKind Kind) const { return FButtons[Kind]; }
  // The button under P, cbNone between buttons.
  TkvCalcButtonKind ButtonAt(const TPoint& P) const;

  TNotifyEvent OnDisplayChange;
  TkvCalcButtonPressEvent OnCalcButtonPress;
  TNotifyEvent OnResult;
  TkvCalcCloseRequestEvent OnCloseRequest;

  // New virtual operations, in the order descendants know them.
  virtual TkvCustomLookAndFeelPainterClass GetCalcPainter();
  virtual String ReadDisplay() { return ""; }
  virtual void WriteDisplay(const String& /*Text*/) {}
  virtual void RequestClose(TObject* Sender, TkvEditCloseUpReason Reason);

  void SetEnabled(bool Value) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  bool WantsFocusOnClick() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseLeave() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void Resize() override;
  void FireFocusChanged() override;
  void WMFocus(TMessage& Message);
  void CMFontChanged(TMessage& Message);

  // Lets the button a key holds down go without acting.
  void ReleaseKeyButton();

  bool FIsPopup = false;

 private:
  void Layout();
  void FitToSize();
  void ResetState();
  void UpdateMemoryButtons();
  void RepaintButton(TkvCalcButtonKind Kind);
  TkvButtonState ButtonState(const TkvCalcButton& Button);
  void PressKeyButton(TkvCalcButtonKind Kind);
  void BeginNumber();
  void ShowError();
  void ShowValue(Extended Value);  // a value that is not finite is an error
  void ApplyPending(Extended X);
  void Beep();
  TkvCalcButtonKind ButtonForKey(Word Key, TShiftState Shift) const;
  TkvCalcButtonKind ButtonForChar(Char Key) const;
  bool HotTracks();

  bool FAutoFontSize = true;
  bool FBeepOnError = true;
  TkvCalcBorderStyle FCalcBorderStyle = cbsNoBorder;
  bool FShowFocusRect = true;
  Byte FPrecision = 15;

  // Metrics, in pixels.
  Integer FFontSize = 8;
  Integer FButtonWidth = 28;
  Integer FButtonHeight = 22;
  Integer FWideButtonWidth = 47;
  Integer FGapX = 3;
  Integer FGapY = 3;
  Integer FCalcWidth = 198;
  Integer FCalcHeight = 131;

  TkvCalcButton FButtons[kvCalcButtonCount];
  Extended FMemory = 0;
  Extended FOperand = 0;
  TkvCalcButtonKind FPending = cbEqual;  // cbEqual: nothing pending
  TkvCalcEntryState FState = csResultShown;
  TkvCalcButtonKind FHotButton = cbNone;
  TkvCalcButtonKind FMouseButton = cbNone;
  TkvCalcButtonKind FKeyButton = cbNone;
  bool FTracking = false;
  bool FFitting = false;
};

// ---- Calc edit ------------------------------------------------------------------------------

class TkvCustomCalcEdit;

// The calculator in the calc edit's drop-down: its display is the editor's text, so every key
// shows there at once, and its keys close the popup as the editor's own keys would.
class TkvPopupCalculator : public TkvCustomCalculator {
  TAVREN_CLASS(TkvPopupCalculator, TkvCustomCalculator)
 public:
  explicit TkvPopupCalculator(TComponent* AOwner);
  TkvCustomLookAndFeelPainterClass GetCalcPainter() override;
  String ReadDisplay() override;
  // Only while the editor may be edited: the text is the user's change.
  void WriteDisplay(const String& Text) override;
  void ResetKeyButton() { ReleaseKeyButton(); }
  // Takes Font's size: lays the buttons out anew, which also starts the calculation afresh.
  void FitToFont(TFont* Font);

  TkvCustomCalcEdit* GetEdit() const { return FEdit; }
  void SetEdit(TkvCustomCalcEdit* Value) { FEdit = Value; }

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;

 private:
  TkvCustomCalcEdit* FEdit = nullptr;
};

// Adds the Precision flag to the text editor's.
class TkvCalcEditPropertiesValues : public TkvTextEditPropertiesValues {
  TAVREN_CLASS(TkvCalcEditPropertiesValues, TkvTextEditPropertiesValues)
 public:
  using TkvTextEditPropertiesValues::TkvTextEditPropertiesValues;
  void Assign(TPersistent* Source) override;
  void ClearAssigned() override;

  bool GetPrecision() const { return FPrecision; }
  void SetPrecision(bool Value);

 private:
  bool FPrecision = false;
};

class TkvCustomCalcEditProperties : public TkvCustomPopupEditProperties {
  TAVREN_CLASS(TkvCustomCalcEditProperties, TkvCustomPopupEditProperties)
 public:
  explicit TkvCustomCalcEditProperties(TPersistent* AOwner);
  void Assign(TPersistent* Source) override;
  TkvCustomEditPropertiesValuesClass GetAssignedValuesClass() override;
  TClass GetEditorClass() override;
  // Numbers (BCD too), Null, an empty text and texts that read as a number.
  bool AcceptsEditValue(const Variant& Value) override;
  // Precision significant digits, in exponent form with ScientificFormat (the mantissa without
  // trailing zeros), else grouped with UseThousandSeparator; unfocused in DisplayFormat when set.
  void MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Editing) override;
  void CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error, TkvCustomEdit* Editor) override;
  // 1 for display when only the data field's display format can apply.
  Integer GetValueFormatKind(bool Editing) override;
  bool UsesThousandSeparators(bool) override { return FUseThousandSeparator && !FScientificFormat; }
  bool AcceptsTextValue(Variant&, bool) override { return true; }
  // The calculator writes the text: ImmediatePost posts once the popup has gone.
  bool PostsAfterClose() override { return true; }
  bool PopupFitsWorkArea() override { return false; }
  // The calculator takes the keys; the editor keeps its place in the form.
  bool PopupTakesFocus() override { return false; }

  TkvCalcEditPropertiesValues* GetCalcAssignedValues();
  // At most 15; unassigned, the data field's precision (15 without one).
  Byte GetPrecision();
  void SetPrecision(Byte Value);
  bool IsPrecisionStored() { return GetCalcAssignedValues()->GetPrecision(); }
  bool GetQuickClose() const { return FQuickClose; }
  void SetQuickClose(bool Value) { Store(FQuickClose, Value); }
  bool GetScientificFormat() const { return FScientificFormat; }
  void SetScientificFormat(bool Value) { Store(FScientificFormat, Value); }
  bool GetUseThousandSeparator() const { return FUseThousandSeparator; }
  void SetUseThousandSeparator(bool Value) { Store(FUseThousandSeparator, Value); }

 private:
  Byte FPrecision = 15;
  bool FQuickClose = false;
  bool FScientificFormat = false;
  bool FUseThousandSeparator = false;
};

class TkvCalcEditProperties : public TkvCustomCalcEditProperties {
  TAVREN_CLASS(TkvCalcEditProperties, TkvCustomCalcEditProperties)
 public:
  using TkvCustomCalcEditProperties::TkvCustomCalcEditProperties;
  void SetAlignmentProp(TkvEditAlignment* Value) { SetAlignment(Value); }
};

// A numeric editor whose drop-down is a calculator working on the editor's text.
class TkvCustomCalcEdit : public TkvCustomPopupEdit {
  TAVREN_CLASS(TkvCustomCalcEdit, TkvCustomPopupEdit)
 public:
  explicit TkvCustomCalcEdit(TComponent* AOwner)
      : TkvCustomCalcEdit(AOwner, false, TkvCustomCalcEditProperties::ClassInfo()) {}
  ~TkvCustomCalcEdit() override;
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomCalcEditProperties::ClassInfo(); }
  TkvCustomCalcEditProperties* CalcProperties() {
    return static_cast<TkvCustomCalcEditProperties*>(GetEffectiveProperties());
  }
  TkvPopupCalculator* GetCalculator() const { return FCalculator; }

  // 0 for Null or an empty text; a text that is no number raises EConvertError.
  Extended GetValue();
  void SetValue(Extended Value);

  void EditingValueToEditValue(Variant& Value) override;
  // A number text (thousand separators dropped unless scientific) becomes a double, else Null.
  void ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool EditFocused) override;
  bool IsCharAllowed(Char Character) override;
  void ApplyPropertiesChange(TObject* Properties) override;
  void PropertiesFormatsChanged() override { UpdateDisplayFromEditValue(); }
  // The calculator's paste: a currency sign dropped, a text that is no number writes 0.
  void ClipboardPaste() override;
  void PreparePopup() override;
  // Never for a read-only editor or one without data.
  bool CanOpenPopup() override;
  void ConfigurePopupWindow() override;
  void AfterPopupShow(TObject* Sender) override;
  void BeforePopupClosing(TObject* Sender) override;
  void AfterPopupClose(TObject* Sender) override;

 protected:
  TkvCustomCalcEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass);
  // "," and "." type the decimal separator; a refused character beeps with BeepOnError.
  void KeyPress(Char& Key) override;

 private:
  void ClosePopupFor(TObject* Sender, TkvEditCloseUpReason Reason);

  TkvPopupCalculator* FCalculator = nullptr;
};

class TkvCalcEdit : public TkvCustomCalcEdit {
  TAVREN_CLASS(TkvCalcEdit, TkvCustomCalcEdit)
 public:
  explicit TkvCalcEdit(TComponent* AOwner) : TkvCustomCalcEdit(AOwner, false, TkvCalcEditProperties::ClassInfo()) {}
  TkvCalcEdit(TComponent* AOwner, bool AInplace)
      : TkvCustomCalcEdit(AOwner, AInplace, TkvCalcEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCalcEditProperties::ClassInfo(); }
  TkvCalcEditProperties* GetCalcEditProperties() const { return static_cast<TkvCalcEditProperties*>(GetProperties()); }
  void SetCalcEditProperties(TkvCalcEditProperties* Value) { SetProperties(Value); }
};

class TkvFilterCalcEditHelper : public TkvFilterDropDownEditHelper {
  TAVREN_CLASS(TkvFilterCalcEditHelper, TkvFilterDropDownEditHelper)
 public:
  TClass FilterEditorClass() override { return TkvCalcEdit::ClassInfo(); }
  // No pattern operators.
  TkvFilterOperators FilterOperatorSet(TkvValueTypeClass ValueType, bool Extended) override;
  // The calculator closes on "=".
  void InitFilterProperties(TkvCustomEditProperties* Properties, TkvCustomEditProperties* Source,
                            bool KeepButtons) override;
};

void kvCalcStart();
void kvCalcEnd();
