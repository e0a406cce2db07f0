#pragma once
// The inspector controls' scrolling: a scroll-bar model that keeps range, page and position and
// tells its control how far to shift the content; a variant driving the window's own bars; a
// variant the control draws itself (the popup lists); the scroll control with middle-button roll
// mode that the inspector derives from; and TJyControl, a framed control with a drawn vertical
// bar and auto-repeat, the base of the popups.

#include <memory>

#include "toolkit/inspector/JyFlyoutControl.h"
#include "vcl/Controls.h"
#include "vcl/Timers.h"

class TJyCustomScrollControl;

// Scroll kinds of the last action.
constexpr Integer skLine = 1;
constexpr Integer skPage = 2;
constexpr Integer skThumb = 3;
constexpr Integer skEnd = 4;

class TJyCustomScrollBar : public TPersistent {
  TAVREN_CLASS(TJyCustomScrollBar, TPersistent)
 public:
  TJyCustomScrollBar(TJyCustomScrollControl* Owner, TCanvas* Canvas);
  // Scroll bars carry no settings another could take over.
  void Assign(TPersistent*) override {}

  virtual void SetVisible(bool V) { FVisible = V; }
  virtual void Update() {}
  virtual void PageDown();
  virtual void PageUp();
  void LineDown();
  void LineUp();
  void MoveBy(Integer D) { SetPosition(FPosition + D); }

  Integer GetKind() const { return FKind; }
  void SetKind(Integer K);
  Integer GetMax() const { return FMax; }
  void SetMax(Integer V);
  Integer GetMin() const { return FMin; }
  Integer GetPageSize() const { return FPageSize; }
  void SetPageSize(Integer V);
  Integer GetPosition() const { return FPosition; }
  void SetPosition(Integer V);
  Integer GetLargeChange() const { return FLargeChange; }
  void SetLargeChange(Integer V) { FLargeChange = V; }
  Integer GetSmallChange() const { return FSmallChange; }
  void SetSmallChange(Integer V) { FSmallChange = V; }
  bool GetAutoHide() const { return FAutoHide; }
  void SetAutoHide(bool V) { FAutoHide = V; }
  bool GetManualScroll() const { return FManualScroll; }
  void SetManualScroll(bool V) { FManualScroll = V; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool V) { FEnabled = V; }
  bool GetVisible() const { return FVisible; }
  Integer GetScrollKind() const { return FScrollKind; }
  void SetScrollKind(Integer V) { FScrollKind = V; }
  // While above 0, position changes do not scroll the owner.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate() { --FUpdateCount; }

 protected:
  bool FAutoHide = true;
  bool FManualScroll = false;
  Integer FBar = -1;
  TCanvas* FCanvas;
  bool FEnabled = true;
  Integer FKind = 0;
  Integer FLargeChange = 1;
  Integer FMax = 100;
  Integer FMin = 0;
  Integer FOldPosition = 0;
  TJyCustomScrollControl* FOwner;
  Integer FPageSize = 0;
  Integer FPosition = 0;
  Integer FSmallChange = 1;
  Integer FScrollKind = 0;
  Integer FUpdateCount = 0;
  bool FVisible = false;

 private:
  void SendScroll(WPARAM Code);
};

// The window's own scroll bar of the owner.
class TJyScrollBar : public TJyCustomScrollBar {
  TAVREN_CLASS(TJyScrollBar, TJyCustomScrollBar)
 public:
  using TJyCustomScrollBar::TJyCustomScrollBar;
  void SetVisible(bool V) override;
  void Update() override;
};

// Hot and pressed bits of a drawn bar part.
constexpr Integer kPartHot = 1;
constexpr Integer kPartPressed = 2;

// A vertical bar drawn on the owner's canvas.
class TJyVertScrollBar : public TJyCustomScrollBar {
  TAVREN_CLASS(TJyVertScrollBar, TJyCustomScrollBar)
 public:
  TJyVertScrollBar(TJyCustomScrollControl* Owner, TCanvas* Canvas);
  void Update() override;
  void PageDown() override { SetPosition(FPosition + FLargeChange); }
  void PageUp() override { SetPosition(FPosition - FLargeChange); }
  virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
  virtual void Paint();
  virtual void DrawTrack(const TRect& Rect, bool Dark);
  virtual void DrawArrow(const TRect& Rect, Integer Which);
  virtual void DrawThumb();
  virtual Integer ButtonSize();
  virtual TRect GetBarRect();
  virtual TRect GetLocalRect();
  virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);

  TRect UpArrowRect();
  TRect DownArrowRect();
  // Empty while Max is 0.
  TRect ThumbRect();
  TRect PageUpRect();
  TRect PageDownRect();
  Integer TrackLength() { return FHeight - 2 * ButtonSize(); }

  Integer FUpState = 0;
  Integer FDownState = 0;
  Integer FThumbState = 0;

 private:
  void SetState(Integer& State, Integer Bit, bool On, const TRect& Part);
  Integer FLeft = 0;
  Integer FTop = 0;
  Integer FWidth = 0;
  Integer FHeight = 0;
  std::unique_ptr<TBitmap> FTrackPattern;
};

class TJyCustomScrollControl : public TCustomControl {
  TAVREN_CLASS(TJyCustomScrollControl, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
  virtual Integer GetHorzScrollDelta(Integer /*Old*/, Integer /*New*/) { return 0; }
  virtual Integer GetVertScrollDelta(Integer /*Old*/, Integer /*New*/) { return 0; }
  virtual void AfterScroll(Integer /*ScrollKind*/) {}
  virtual void BeforeScroll(Integer /*ScrollKind*/) {}
  // Shifts the content with the window manager, which invalidates only the uncovered band.
  virtual void ScrollContent(TJyCustomScrollBar* Bar, Integer DX, Integer DY);

 protected:
  TRect FHorzScrollArea;
  TRect FVertScrollArea;
};

using TJyScrollEvent = TEvent<void(TObject* Sender, Integer Position)>;

enum TRollOption { roAllowRollMode };
using TRollOptions = TSet<TRollOption, 1>;
enum TRollStateItem { rsActive, rsUp, rsDown };
using TRollState = TSet<TRollStateItem, 3>;

// Screen cursors of roll mode.
constexpr TCursor crRoll = 4003;
constexpr TCursor crRollUp = 4004;
constexpr TCursor crRollDown = 4005;

class TJyScrollControl : public TJyCustomScrollControl {
  TAVREN_CLASS(TJyScrollControl, TJyCustomScrollControl)
  TAVREN_MESSAGES()
 public:
  explicit TJyScrollControl(TComponent* AOwner);
  ~TJyScrollControl() override;

  TJyScrollBar* GetHorzScrollBar() const { return FHorzScrollBar.get(); }
  TJyScrollBar* GetVertScrollBar() const { return FVertScrollBar.get(); }
  TRollOptions GetRollOptions() const { return FRollOptions; }
  void SetRollOptions(TRollOptions Value) { FRollOptions = Value; }
  TRollState GetRollState() const { return FRollState; }
  TRollShadow* GetRollShadow() const { return FRollShadow; }
  TTimer* GetRollTimer() const { return FRollTimer; }
  TJyScrollEvent GetOnHorizontalScroll() const { return FOnHorizontalScroll; }
  void SetOnHorizontalScroll(TJyScrollEvent Value) { FOnHorizontalScroll = Value; }
  TJyScrollEvent GetOnVerticalScroll() const { return FOnVerticalScroll; }
  void SetOnVerticalScroll(TJyScrollEvent Value) { FOnVerticalScroll = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void WMEraseBkgnd(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMHScroll(TMessage& Message);
  void WMVScroll(TMessage& Message);

 private:
  void Scroll(TJyScrollBar* Bar, Integer Code);
  void RollTimerTick(TObject* Sender);

  std::unique_ptr<TJyScrollBar> FHorzScrollBar;
  TPoint FRollOrigin;
  TRollShadow* FRollShadow;
  TTimer* FRollTimer;
  TRollOptions FRollOptions{roAllowRollMode};
  std::unique_ptr<TJyScrollBar> FVertScrollBar;
  TRollState FRollState;
  TJyScrollEvent FOnHorizontalScroll;
  TJyScrollEvent FOnVerticalScroll;
};

// Repeat actions of TJyControl.
constexpr Integer raNone = 0;
constexpr Integer raLineUp = 1;
constexpr Integer raLineDown = 2;
constexpr Integer raPageUp = 3;
constexpr Integer raPageDown = 4;

// A control inside a 2-pixel frame with a drawn vertical bar that repeats while pressed.
class TJyControl : public TJyCustomScrollControl {
  TAVREN_CLASS(TJyControl, TJyCustomScrollControl)
 public:
  explicit TJyControl(TComponent* AOwner);
  ~TJyControl() override;

  TJyVertScrollBar* GetVertScrollBar() const { return FVertScrollBar.get(); }
  Integer ContentHeight();
  Integer ContentWidth();
  TRect ContentRect();
  TRect ScrollBarRect();
  Integer GetRepeatAction() const { return FRepeatAction; }

 protected:
  virtual void DrawFrame();
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseLeave() override;
  void ClearHotParts();

 private:
  void DelayTimerTick(TObject* Sender);
  void RepeatTimerTick(TObject* Sender);

  TTimer* FDelayTimer;
  std::unique_ptr<TJyVertScrollBar> FHorzScrollBar;
  TTimer* FRepeatTimer;
  std::unique_ptr<TJyVertScrollBar> FVertScrollBar;
  Integer FRepeatAction = raNone;
};

// Registers the roll cursors as screen cursors 4003 to 4005 (once is enough; later calls renew them).
void RegisterRollCursors();
