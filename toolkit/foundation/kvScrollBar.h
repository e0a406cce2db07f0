#pragma once
// A scroll bar window whose arrows, thumb and track are all drawn by the look-and-feel painter, so
// that it follows the flat, Office-11, themed or skinned look of the controls around it. The
// five part rectangles are computed by a separate view info.
//
// Sources: kvScrollBar.cpp (the control: range, mouse, timer, painting, looks),
// kvScrollBarViewInfo.cpp (part rectangles, hit test, position from the thumb).

#include <memory>

#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "vcl/Controls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

class TBitmap;
class TkvCanvas;
class TkvScrollBar;
class TkvTimer;
class TqzThemeChangedNotificator;

// The string table entry of "Scrollbar property out of range".
constexpr Integer skvScrollBarRange = 64801;

// ---- View info ------------------------------------------------------------------------------

class TkvScrollBarViewInfo : public TObject {
  TAVREN_CLASS(TkvScrollBarViewInfo, TObject)
 public:
  using TCreateArg = TkvScrollBar*;
  explicit TkvScrollBarViewInfo(TkvScrollBar* AScrollBar);

  virtual void CalculateRects();
  virtual void Calculate() { CalculateRects(); }

  // The thumb and page rectangles alone, from the current range (the arrows stay).
  void CalculateThumb();
  // The part under a client point.
  TkvScrollBarPart HitTest(const TPoint& P) const;
  // The position the thumb's place stands for.
  Integer PositionFromThumb() const;
  // Length of the track between the arrows, along the bar.
  Integer TrackLength() const;
  // Thumb length along the bar.
  Integer ThumbLength() const;
  bool HasThumb() const { return !RectIsVoid(Thumb); }
  // Puts the thumb at offset Start from the top-left arrow's end (kept on the track), with the
  // page rectangles following.
  void PlaceThumb(Integer Start);

  TkvScrollBar* GetScrollBar() const { return FScrollBar; }

  TRect TopLeftArrow;
  TRect BottomRightArrow;
  TRect Thumb;
  TRect PageUp;
  TRect PageDown;
  Integer MinThumbSize = 0;

 private:
  bool IsVertical() const;
  TkvScrollBar* FScrollBar;
};
using TkvScrollBarViewInfoClass = TClassOf<TkvScrollBarViewInfo>;

// ---- The control ----------------------------------------------------------------------------

class TkvScrollBar : public TCustomControl {
  TAVREN_CLASS(TkvScrollBar, TCustomControl)
  TAVREN_MESSAGES()
 public:
  explicit TkvScrollBar(TComponent* AOwner);
  ~TkvScrollBar() override;

  // Raises EInvalidOperation when AMax < AMin or AMax < APageSize, before anything is stored.
  // APosition is clamped to AMin..AMax; a changed position enables the control and fires OnChange.
  // While the control is being read the values are only stored, and checked once it is loaded.
  void SetRangeAndPosition(Integer AMin, Integer AMax, Integer APosition, Integer APageSize, bool ARedraw);

  TScrollBarKind GetKind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  TScrollBarInc GetLargeChange() const { return FLargeChange; }
  void SetLargeChange(TScrollBarInc Value) { FLargeChange = Value; }
  TScrollBarInc GetSmallChange() const { return FSmallChange; }
  void SetSmallChange(TScrollBarInc Value) { FSmallChange = Value; }
  Integer GetMin() const { return FMin; }
  void SetMin(Integer Value) { SetRangeAndPosition(Value, FMax, FPosition, FPageSize, true); }
  Integer GetMax() const { return FMax; }
  void SetMax(Integer Value) { SetRangeAndPosition(FMin, Value, FPosition, FPageSize, true); }
  Integer GetPageSize() const { return FPageSize; }
  void SetPageSize(Integer Value) { SetRangeAndPosition(FMin, FMax, FPosition, Value, true); }
  Integer GetPosition() const { return FPosition; }
  void SetPosition(Integer Value) { SetRangeAndPosition(FMin, FMax, Value, FPageSize, true); }
  bool GetUnlimitedTracking() const { return FUnlimitedTracking; }
  void SetUnlimitedTracking(bool Value) { FUnlimitedTracking = Value; }
  TkvLookAndFeel* GetLookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TkvLookAndFeel* Value) { FLookAndFeel->Assign(Value); }
  // True when either the window or the remembered value says so: a skin switches the window's
  // off while the remembered value stays what the user set.
  bool GetCtl3D() const { return TWinControl::GetCtl3D() || FCtl3D; }
  void SetCtl3D(bool Value);
  bool IsCtl3DStored() const { return !GetParentCtl3D(); }

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  TScrollEvent GetOnScroll() const { return FOnScroll; }
  void SetOnScroll(TScrollEvent Value) { FOnScroll = Value; }

  TkvScrollBarViewInfo* GetViewInfo() const { return FViewInfo.get(); }
  // The pressed part (sbpNone when none) and the part under the mouse.
  TkvScrollBarPart GetState() const { return FState; }
  TkvScrollBarPart GetHotPart() const { return FHotPart; }
  TkvCustomLookAndFeelPainterClass Painter();

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

  virtual void Change();
  virtual TkvScrollBarViewInfoClass ViewInfoClass() { return TkvScrollBarViewInfo::ClassInfo(); }
  virtual void DoPaint(TkvCanvas* Canvas);
  virtual void DrawPart(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, TkvScrollBarPart Part);
  virtual bool IsHotTrack();
  virtual void Scroll(TScrollCode ScrollCode, Integer& ScrollPos);
  virtual Integer MinThumbSize();

 protected:
  void Loaded() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseEnter() override;
  void MouseLeave() override;

  void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }
  void WMCancelMode(TMessage& Message);
  void CNHScroll(TMessage& Message);
  void CNVScroll(TMessage& Message);
  void CNCtlColorScrollBar(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);

 private:
  void InternalScroll(TScrollCode ScrollCode);
  void CancelScroll();
  void TimerTick(TObject* Sender);
  // The repeat timer runs while the mouse is over the pressed arrow or page part.
  void UpdateRepeatTimer(const TPoint& P);
  void DragThumb(const TPoint& P);
  TkvButtonState PartState(TkvScrollBarPart Part);
  bool IsArrowOrPage(TkvScrollBarPart Part) const { return Part != sbpNone && Part != sbpThumbnail; }
  void LookAndFeelChanged(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues);
  void ThemeChanged();
  void RecalculateAndInvalidate();

  TScrollBarKind FKind = sbHorizontal;
  TScrollBarInc FLargeChange = 1;
  TScrollBarInc FSmallChange = 1;
  Integer FMin = 0;
  Integer FMax = 100;
  Integer FPageSize = 0;
  Integer FPosition = 0;
  bool FUnlimitedTracking = false;
  bool FCtl3D = true;
  // Set while the look-and-feel itself switches the window's Ctl3D, which the user did not ask.
  bool FSwitchingCtl3D = false;
  std::unique_ptr<TBitmap> FBitmap;
  std::unique_ptr<TkvCanvas> FCanvas;
  std::unique_ptr<TkvLookAndFeel> FLookAndFeel;
  std::unique_ptr<TkvScrollBarViewInfo> FViewInfo;
  std::unique_ptr<TqzThemeChangedNotificator> FThemeChangedNotificator;
  std::unique_ptr<TkvTimer> FTimer;
  TkvScrollBarPart FState = sbpNone;
  TkvScrollBarPart FHotPart = sbpNone;
  Integer FSavePosition = 0;
  TPoint FSaveThumbPos;
  TPoint FSavePoint;
  // The mouse last dragged the thumb outside the tracking area, so it snapped back.
  bool FThumbOutside = false;
  TNotifyEvent FOnChange;
  TScrollEvent FOnScroll;
};

// The system's width of a vertical scroll bar and height of a horizontal one.
TSize SystemScrollBarSize();

// Unit start: the class streams by name. End: it no longer does.
void kvScrollBarStart();
void kvScrollBarEnd();
