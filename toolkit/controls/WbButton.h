#pragma once
// Two button bases of the Wb set. TWbCustomButton is a focusable self-drawn button: it tracks a
// press (pressed look while the pointer stays over it, action only on release over it),
// hot-tracks, can be transparent, and draws its caption raised, recessed or shadowed.
// TWbControlButton is a windowless small button showing a glyph, an arrow or a drop-down mark,
// classic, flat or themed, that can repeat its click while held down.

#include <memory>

#include "toolkit/controls/WbCommon.h"
#include "vcl/Controls.h"
#include "vcl/Graphics.h"

class TTimer;

class TWbCustomButton : public TCustomControl {
  TAVREN_CLASS(TWbCustomButton, TCustomControl)
  TAVREN_MESSAGES()
 public:
  explicit TWbCustomButton(TComponent* AOwner);

  TAlignmentVertical GetAlignmentVertical() const { return FAlignmentVertical; }
  virtual void SetAlignmentVertical(TAlignmentVertical Value);
  bool GetHotTrack() const { return FHotTrack; }
  virtual void SetHotTrack(bool Value);
  TColor GetHighlightColor() const { return FHighlightColor; }
  virtual void SetHighlightColor(TColor Value);
  TColor GetHotTrackColor() const { return FHotTrackColor; }
  void SetHotTrackColor(TColor Value);
  TWbHotTrackColorType GetHotTrackColorType() const { return FHotTrackColorType; }
  void SetHotTrackColorType(TWbHotTrackColorType Value);
  bool GetLightTextStyle() const { return FLightTextStyle; }
  virtual void SetLightTextStyle(bool Value);
  TTextStyle GetTextStyle() const { return FTextStyle; }
  virtual void SetTextStyle(TTextStyle Value);
  TColor GetTextHighlightColor() const { return FTextHighlightColor; }
  virtual void SetTextHighlightColor(TColor Value);
  TColor GetTextShadowColor() const { return FTextShadowColor; }
  virtual void SetTextShadowColor(TColor Value);
  Integer GetTextShadowDepth() const { return FTextShadowDepth; }
  virtual void SetTextShadowDepth(Integer Value);
  bool GetThemeAware() const { return FThemeAware; }
  virtual void SetThemeAware(bool Value);
  bool GetTransparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);

  // The look and the press state, for descendants and tests.
  bool IsPressed() const { return FPressed; }
  bool IsTracking() const { return FTracking; }
  bool IsMouseOver() const { return FMouseOver; }

  // Draws the caption in the text style into Rect (DrawText flags Flags).
  virtual void DrawStyledText(TCanvas* Canvas, const TRect& Rect, UINT Flags);

 protected:
  // Called whenever the pressed look changes; nothing here.
  virtual void ShowPressedState() {}
  virtual void ShowFocusState() { Repaint(); }
  virtual TRect HotTrackBounds() { return GetClientRect(); }
  // The button's action on a completed click.
  virtual void ChangeState() = 0;

  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void SetPressed(bool Value) { FPressed = Value; }
  bool FMouseUsed = false;  // set by every press and release, never cleared

 private:
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void InvalidateHotTrack();

  TAlignmentVertical FAlignmentVertical = avCenter;
  bool FHotTrack = false;
  TColor FHighlightColor = clHighlight;
  TColor FHotTrackColor = 1350640;
  TWbHotTrackColorType FHotTrackColorType = htctActual;
  bool FLightTextStyle = false;
  TTextStyle FTextStyle = tsNormal;
  TColor FTextHighlightColor = clBtnHighlight;
  TColor FTextShadowColor = clBtnShadow;
  Integer FTextShadowDepth = 2;
  bool FThemeAware = true;
  bool FTransparent = false;
  bool FPressed = false;
  bool FTracking = false;
  bool FMouseOver = false;
};

enum TWbControlButtonStyle { cbsNone, cbsLeft, cbsUp, cbsRight, cbsDown, cbsDropDown };
TAVREN_ENUM_INFO(TWbControlButtonStyle, cbsNone, cbsLeft, cbsUp, cbsRight, cbsDown, cbsDropDown);
using TNumGlyphs = Integer;  // 1 to 4

class TWbControlButton : public TGraphicControl {
  TAVREN_CLASS(TWbControlButton, TGraphicControl)
  TAVREN_MESSAGES()
 public:
  explicit TWbControlButton(TComponent* AOwner);
  ~TWbControlButton() override;

  bool GetFlat() const { return FFlat; }
  virtual void SetFlat(bool Value);
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  virtual void SetGlyph(TBitmap* Value);
  TNumGlyphs GetNumGlyphs() const { return FNumGlyphs; }
  virtual void SetNumGlyphs(TNumGlyphs Value);
  Word GetDelay() const { return FDelay; }
  void SetDelay(Word Value) { FDelay = Value; }
  Word GetInitialDelay() const { return FInitialDelay; }
  void SetInitialDelay(Word Value) { FInitialDelay = Value; }
  bool GetRepeatClicks() const { return FRepeatClicks; }
  void SetRepeatClicks(bool Value) { FRepeatClicks = Value; }
  TWbControlButtonStyle GetStyle() const { return FStyle; }
  virtual void SetStyle(TWbControlButtonStyle Value);
  bool GetDown() const { return FDown; }
  bool IsMouseOver() const { return FMouseOver; }
  TTimer* GetRepeatTimer() const { return FRepeatTimer; }

 protected:
  void Paint() override;
  virtual void DrawPlainButton(TRect& Rect);
  virtual void DrawArrowButton(TRect& Rect);
  virtual void DrawDropDownButton(TRect& Rect);
  virtual void DrawButtonGlyph(const TRect& Rect);
  virtual void GetGlyphSize(TPoint& Size);

  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

 private:
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void GlyphChanged(TObject* Sender);
  void RepeatTimerTick(TObject* Sender);
  // Down, the mouse over an enabled button, or design time.
  bool Active();

  bool FFlat = false;
  std::unique_ptr<TBitmap> FGlyph;
  TNumGlyphs FNumGlyphs = 1;
  Word FDelay = 100;
  Word FInitialDelay = 400;
  bool FRepeatClicks = false;
  TWbControlButtonStyle FStyle = cbsNone;
  bool FDown = false;
  bool FTracking = false;
  bool FMouseOver = false;
  TTimer* FRepeatTimer = nullptr;  // owned as a component
};
