#pragma once
// The calculator: 27 painter-drawn push buttons that work as a four-function desk calculator with
// a memory register. It keeps no display of its own: a descendant reads and writes the number
// being worked on (the calc edit's drop-down shows it in the editor's text).

#include "toolkit/foundation/kvControls.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
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

  bool FIsPopup = false;

 private:
  void Layout();
  void FitToSize();
  void ResetState();
  void UpdateMemoryButtons();
  void RepaintButton(TkvCalcButtonKind Kind);
  TkvButtonState ButtonState(const TkvCalcButton& Button);
  void PressKeyButton(TkvCalcButtonKind Kind);
  void ReleaseKeyButton();
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
