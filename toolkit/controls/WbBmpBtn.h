#pragma once
// The Wb bitmap button: a focusable push button drawn from up to six bitmaps (up, up and focused,
// disabled, down, stuck down, hot). It can size itself to its up bitmap, stretch or tile it, or
// place it beside the caption; it can stick down in a group of buttons, and draws a plain,
// single-line or 3-D border.

#include <memory>

#include "toolkit/controls/WbCommon.h"
#include "vcl/Buttons.h"
#include "vcl/Controls.h"
#include "vcl/Graphics.h"

// Broadcast to the parent's controls by a grouped button: WParam the group, LParam the sender.
constexpr UINT CM_WBBUTTONPRESSED = 9248;

class TWbButtonBitmaps : public TPersistent {
  TAVREN_CLASS(TWbButtonBitmaps, TPersistent)
 public:
  TWbButtonBitmaps();
  ~TWbButtonBitmaps() override;
  void Assign(TPersistent* Source) override;

  TBitmap* GetUp() const { return FUp.get(); }
  virtual void SetUp(TBitmap* Value) { FUp->Assign(Value); }
  TBitmap* GetUpAndFocused() const { return FUpAndFocused.get(); }
  virtual void SetUpAndFocused(TBitmap* Value) { FUpAndFocused->Assign(Value); }
  TBitmap* GetDisabled() const { return FDisabled.get(); }
  virtual void SetDisabled(TBitmap* Value) { FDisabled->Assign(Value); }
  TBitmap* GetDown() const { return FDown.get(); }
  virtual void SetDown(TBitmap* Value) { FDown->Assign(Value); }
  TBitmap* GetStayDown() const { return FStayDown.get(); }
  virtual void SetStayDown(TBitmap* Value) { FStayDown->Assign(Value); }
  TBitmap* GetHot() const { return FHot.get(); }
  virtual void SetHot(TBitmap* Value) { FHot->Assign(Value); }
  TColor GetTransparentColor() const { return FTransparentColor; }
  virtual void SetTransparentColor(TColor Value);
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

 private:
  void ImageChanged(TObject*) { FOnChange(this); }
  std::unique_ptr<TBitmap> FUp, FUpAndFocused, FDisabled, FDown, FStayDown, FHot;
  TColor FTransparentColor = clOlive;
  TNotifyEvent FOnChange;
};

enum TBtnSize { bszNeither, bszButtonToBitmap, bszStretchToButton, bszTileToButton };
TAVREN_ENUM_INFO(TBtnSize, bszNeither, bszButtonToBitmap, bszStretchToButton, bszTileToButton);
enum TButtonBorder { bbNone, bbSingle, bbButton };
TAVREN_ENUM_INFO(TButtonBorder, bbNone, bbSingle, bbButton);
// The look of the button.
enum TWbButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TWbBmpButton : public TCustomControl {
  TAVREN_CLASS(TWbBmpButton, TCustomControl)
  TAVREN_MESSAGES()
 public:
  explicit TWbBmpButton(TComponent* AOwner);
  ~TWbBmpButton() override;
  void Click() override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

  TWbButtonBitmaps* GetBitmaps() const { return FBitmaps.get(); }
  void SetBitmaps(TWbButtonBitmaps* Value) { FBitmaps->Assign(Value); }
  bool GetAllowAllUp() const { return FAllowAllUp; }
  virtual void SetAllowAllUp(bool Value);
  TButtonBorder GetButtonBorder() const { return FButtonBorder; }
  virtual void SetButtonBorder(TButtonBorder Value);
  TBtnSize GetButtonSize() const { return FButtonSize; }
  virtual void SetButtonSize(TBtnSize Value);
  TButtonStyle GetButtonStyle() const { return FButtonStyle; }
  virtual void SetButtonStyle(TButtonStyle Value);
  bool GetDown() const { return FDown; }
  virtual void SetDown(bool Value);
  Integer GetCaptionDownOffset() const { return FCaptionDownOffset; }
  virtual void SetCaptionDownOffset(Integer Value);
  Integer GetGroupIndex() const { return FGroupIndex; }
  virtual void SetGroupIndex(Integer Value);
  TButtonLayout GetLayout() const { return FLayout; }
  virtual void SetLayout(TButtonLayout Value);
  Integer GetMargin() const { return FMargin; }
  virtual void SetMargin(Integer Value);
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  bool GetShowDownPattern() const { return FShowDownPattern; }
  virtual void SetShowDownPattern(bool Value);
  bool GetShowFocus() const { return FShowFocus; }
  virtual void SetShowFocus(bool Value);
  Integer GetSpacing() const { return FSpacing; }
  virtual void SetSpacing(Integer Value);

  TWbButtonState GetState() const { return FState; }
  // Caption and glyph places for a client of Width x Height (empty glyph when it takes no part).
  void CalcLayout(const TRect& Client, TBitmap* Image, TRect& CaptionRect, TRect& GlyphRect);

 protected:
  void Paint() override;
  void Loaded() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void DblClick() override;

 private:
  void BitmapsChanged(TObject* Sender);
  void ApplySizeRule();
  bool NewStyle() const;
  void UpdateExclusive();
  void Finish(bool Clicked);
  TBitmap* ChooseImage(std::unique_ptr<TBitmap>& Embossed);
  void CMButtonPressed(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMLookChanged(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);

  std::unique_ptr<TWbButtonBitmaps> FBitmaps;
  bool FAllowAllUp = false;
  TButtonBorder FButtonBorder = bbNone;
  TBtnSize FButtonSize = bszButtonToBitmap;
  TButtonStyle FButtonStyle = bsAutoDetect;
  bool FDown = false;
  Integer FCaptionDownOffset = 1;
  Integer FGroupIndex = 0;
  TButtonLayout FLayout = blGlyphLeft;
  Integer FMargin = -1;
  TModalResult FModalResult = mrNone;
  bool FShowDownPattern = true;
  bool FShowFocus = true;
  Integer FSpacing = 4;
  TWbButtonState FState = bsUp;
  bool FTracking = false;
  bool FTrackingKey = false;  // the press began with Space, not with the mouse
  bool FFocused = false;
  bool FMouseOver = false;
};

void WbBmpBtnStart();
