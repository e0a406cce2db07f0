#pragma once
// Radio buttons drawn through the look-and-feel painters: the glyph of the chosen look, hot and
// pressed states that follow the mouse, an optional transparent background and a toolkit popup menu.

#include <memory>

#include "toolkit/foundation/kvControls.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "vcl/StdCtrls.h"

// The radio button's own states, in the order the group and the painters map them.
enum TkvRadioButtonState { rbsDisabled, rbsHot, rbsNormal, rbsPressed };

class TkvRadioButton : public TRadioButton {
  TAVREN_CLASS(TkvRadioButton, TRadioButton)
  TAVREN_MESSAGES()
 public:
  explicit TkvRadioButton(TComponent* AOwner);
  ~TkvRadioButton() override;

  bool Focused() override;
  void Invalidate() override;

  TkvLookAndFeel* GetLookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TkvLookAndFeel* Value) { FLookAndFeel->Assign(Value); }
  TComponent* GetKvPopupMenu() const { return FPopupMenu; }
  // Only a platform popup menu or a toolkit one is kept; anything else clears the reference.
  void SetKvPopupMenu(TComponent* Value);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TkvRadioButtonState GetButtonState() const { return FState; }
  TRect GetButtonRect() const { return FButtonRect; }
  Integer GetColumn() const { return FColumn; }
  Integer GetRow() const { return FRow; }
  void SetPlace(Integer Column, Integer Row) { FColumn = Column, FRow = Row; }

  // Virtual operations, in the order descendants know them.
  virtual void CaptionMargins(TRect& R, bool Native);
  virtual bool ShowPopupMenu(TComponent* Menu, Integer X, Integer Y);
  virtual void PaintBackground();
  virtual void PaintCaption(TkvCanvas* Canvas, bool Native);
  // A button of a radio group shown in place in a grid cell.
  virtual bool IsInGroupInplace() { return false; }
  virtual bool NeedsParentBackground();
  virtual bool IsNative();
  virtual bool IsTransparent();
  virtual bool BackgroundBorrowed();
  virtual void LookAndFeelChanged(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues);
  virtual void Draw(bool FocusOnly);
  virtual void UpdateState(Integer Button, TShiftState Shift, const TPoint& P);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandle() override;
  void DoEnter() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void DoContextPopup(TPoint MousePos, bool& Handled) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  void WMContextMenu(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }
  void WMWindowPosChanged(TMessage& Message);
  void BMSetCheck(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);

  TkvCanvas* KvCanvas() const { return FKvCanvas.get(); }

 private:
  void UpdateStateFromCursor();
  void InvalidateButtonRect(Integer Grow);
  TColor CaptionColor();

  std::unique_ptr<TControlCanvas> FControlCanvas;
  std::unique_ptr<TkvCanvas> FKvCanvas;
  std::unique_ptr<TkvLookAndFeel> FLookAndFeel;
  std::unique_ptr<TkvMouseLeaveMessenger> FTrackingCaller;
  TComponent* FPopupMenu = nullptr;
  bool FTransparent = false;
  TRect FButtonRect{0, 0, 0, 0};
  TkvRadioButtonState FState = rbsNormal;
  Integer FColumn = 0;
  Integer FRow = 0;
};
