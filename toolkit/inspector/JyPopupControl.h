#pragma once
// The popup a button edit opens right below itself: a top-level framed window that takes the
// mouse, is armed by the release of the click that opened it, and closes on a pick, a click
// outside, Escape in the edit or a switch to another application. TJyPopupList is the list of
// strings a combo box drops down.

#include "rtl/StringList.h"
#include "toolkit/inspector/JyScrollControl.h"
#include "toolkit/inspector/JyStdCtrls.h"
#include "vcl/ImgList.h"

using TJyPopupSelectEvent = TEvent<void(TObject* Sender, const String& Text)>;

class TJyPopupControl : public TJyControl {
  TAVREN_CLASS(TJyPopupControl, TJyControl)
  TAVREN_MESSAGES()
 public:
  // AOwner is the edit that opens the popup.
  explicit TJyPopupControl(TComponent* AOwner);

  virtual void SelectAt(Integer /*X*/, Integer /*Y*/) {}
  // Opens at the screen point (X, Y), the edit's bottom-left corner.
  virtual void Popup(Integer X, Integer Y);
  virtual void ClosePopup();
  void DoSelect(const String& Text) { FOnSelect(this, Text); }

  bool GetClosed() const { return FClosed; }
  void SetClosed(bool Value) { FClosed = Value; }
  bool GetArmed() const { return FArmed; }
  TNotifyEvent GetOnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent Value) { FOnCloseUp = Value; }
  TJyPopupSelectEvent GetOnSelect() const { return FOnSelect; }
  void SetOnSelect(TJyPopupSelectEvent Value) { FOnSelect = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void WMEraseBkgnd(TMessage& Message);
  void WMActivateApp(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);

 private:
  TWinControl* FOwnerControl;
  bool FClosed = true;
  bool FArmed = false;
  TNotifyEvent FOnCloseUp;
  TJyPopupSelectEvent FOnSelect;
};

class TJyPopupList : public TJyPopupControl {
  TAVREN_CLASS(TJyPopupList, TJyPopupControl)
 public:
  explicit TJyPopupList(TComponent* AOwner);

  virtual Integer ItemCount() { return FStrings ? FStrings->GetCount() : 0; }
  virtual Integer ScrollRange() { return ItemCount() - VisibleRows(); }
  virtual void DrawItem(Integer Index, const TRect& Rect);
  void SelectAt(Integer X, Integer Y) override;
  void Popup(Integer X, Integer Y) override;

  Integer VisibleRows();
  void SetItemIndex(Integer I);
  Integer GetItemIndex() const { return FItemIndex; }
  void SetHoverIndex(Integer I);
  Integer GetHoverIndex() const { return FHoverIndex; }
  String GetValuePart(Integer I);
  // Row I's rectangle at the current scroll position.
  TRect RowRect(Integer I);

  TItemsDisplayMode GetDisplayMode() const { return FDisplayMode; }
  void SetDisplayMode(TItemsDisplayMode Value) { FDisplayMode = Value; }
  TColor GetBackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(TColor Value) { FBackgroundColor = Value; }
  TColor GetHighlightTextColor() const { return FHighlightTextColor; }
  void SetHighlightTextColor(TColor Value) { FHighlightTextColor = Value; }
  TColor GetSelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor Value) { FSelectionColor = Value; }
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value) { FImages = Value; }
  bool GetShowImages() const { return FShowImages; }
  void SetShowImages(bool Value) { FShowImages = Value; }
  Integer GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(Integer Value) { FItemHeight = Value < 1 ? 1 : Value; }
  TStrings* GetStrings() const { return FStrings; }
  void SetStrings(TStrings* Value) { FStrings = Value; }

 protected:
  Integer GetVertScrollDelta(Integer Old, Integer New) override { return (Old - New) * FItemHeight; }
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void Paint() override;

 private:
  TItemsDisplayMode FDisplayMode = dmDefault;
  TColor FBackgroundColor = clWindow;
  TColor FHighlightTextColor = clHighlightText;
  Integer FHoverIndex = -1;
  TCustomImageList* FImages = nullptr;
  Integer FItemIndex = -1;
  Integer FItemHeight = 16;
  TStrings* FStrings = nullptr;
  Integer FPrevHoverIndex = -1;
  TColor FSelectionColor = clHighlight;
  bool FShowImages = false;
};
