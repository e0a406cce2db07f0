#pragma once
// The base of the toolkit's own controls and the process-wide services they share:
//  - TkvControl: a custom control with a canvas wrapper, its own look-and-feel, owned painter-drawn
//    scroll bars and size grip, an internal drag-and-drop machine, middle-button auto-scrolling,
//    popup menus of either kind and font listeners; TkvControlChildComponent for sub-components;
//  - the small top-level windows: message window, animated hint, popup form, click-through drag
//    image, hatched size frame;
//  - TkvTimer (all timers share one hidden window), mouse-leave tracking, the settings and design
//    controllers, the toolkit cursors, and window, keyboard, monitor and popup-menu routines.
//
// Sources: kvControlsBase.cpp (TkvControl), kvControlsWindows.cpp (popups, hints, drag images,
// size frame), kvControlsServices.cpp (timers, tracking, controllers, routines, unit start/end),
// kvControlsScrolling.cpp (scroll bars, wheel, auto-scroll), kvControlsDragDrop.cpp.

#include <memory>
#include <vector>

#include "rtl/Interfaces.h"
#include "toolkit/foundation/kvClasses.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "toolkit/foundation/kvScrollBar.h"
#include "vcl/Controls.h"
#include "vcl/Forms.h"
#include "vcl/ImgList.h"

class TPopupMenu;
class TkvControl;

// Sent by the settings controller (and posted by a control to itself after WM_NCCALCSIZE) when the
// system's scroll-bar metrics may have changed.
constexpr UINT KVM_SCROLLBARMETRICS = WM_APP + 101;

// Toolkit cursors in the screen's cursor table.
constexpr TCursor crkvDragCopy = 2100;
constexpr TCursor crkvFullScroll = 2101;
constexpr TCursor crkvHorScroll = 2102;
constexpr TCursor crkvVerScroll = 2103;
constexpr TCursor crkvUpScroll = 2104;
constexpr TCursor crkvRightScroll = 2105;
constexpr TCursor crkvDownScroll = 2106;
constexpr TCursor crkvLeftScroll = 2107;
constexpr TCursor crkvRemove = 2108;
constexpr TCursor crkvVertSize = 2109;
constexpr TCursor crkvHorzSize = 2110;
constexpr TCursor crkvMultiDragCursor = 2111;
constexpr TCursor crkvNoDrop = 2112;
constexpr TCursor crkvDrag = 2113;
constexpr TCursor crkvHandPoint = -2099;
constexpr TCursor crkvColorPicker = 2114;

enum TkvDirection { dirNone, dirLeft, dirRight, dirUp, dirDown };

// ---- Interfaces ----------------------------------------------------------------------------

class IkvFontListener : public virtual IInterface {
  TAVREN_INTERFACE(IkvFontListener)
 public:
  virtual void FontChanged(TkvControl* Control, TFont* Font) = 0;
};

// A popup menu that is not the framework's.
class IkvPopupMenu : public virtual IInterface {
  TAVREN_INTERFACE(IkvPopupMenu)
 public:
  virtual bool IsShortCut(TMessage& Message) = 0;
  virtual void Popup(Integer X, Integer Y) = 0;
};

class IkvMouseCaptureObject : public virtual IInterface {
  TAVREN_INTERFACE(IkvMouseCaptureObject)
 public:
  virtual void DoCancelMode() = 0;
};

class IkvMouseTrackingCaller : public virtual IInterface {
  TAVREN_INTERFACE(IkvMouseTrackingCaller)
 public:
  virtual void MouseLeave() = 0;
};

// Optional beside IkvMouseTrackingCaller: whether a client point still belongs to the caller.
class IkvMouseTrackingHitTest : public virtual IInterface {
  TAVREN_INTERFACE(IkvMouseTrackingHitTest)
 public:
  virtual bool PtInCaller(const TPoint& P) = 0;
};

// ---- Message window and timers -------------------------------------------------------------

// An invisible window whose messages go to HandleMessage.
class TkvMessageWindow : public TObject {
  TAVREN_CLASS(TkvMessageWindow, TObject)
 public:
  TkvMessageWindow();
  ~TkvMessageWindow() override;
  HWND GetHandle() const { return FHandle; }

 protected:
  // The base passes every message to DefWindowProc.
  virtual void HandleMessage(TMessage& Message);

 private:
  void MainWndProc(TMessage& Message);
  HWND FHandle = nullptr;
};

// The shared message window: created on first use; nullptr once the unit is finalizing.
TkvMessageWindow* MessageWindowInstance();

// A timer component; any number share one hidden window. Runs only while enabled, with an OnTimer
// handler and a non-zero interval; every change of these restarts the count.
class TkvTimer : public TComponent {
  TAVREN_CLASS(TkvTimer, TComponent)
 public:
  explicit TkvTimer(TComponent* AOwner);
  ~TkvTimer() override;

  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  Cardinal GetInterval() const { return FInterval; }
  // 0 is ignored.
  void SetInterval(Cardinal Value);
  TNotifyEvent GetOnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);
  bool GetTimerOn() const { return FTimerOn; }

  virtual void FireTimer();

 private:
  void Restart();
  void Start();
  void Stop();
  void SetTimerOn(bool Value);

  bool FEnabled = true;
  Cardinal FInterval = 1000;
  TNotifyEvent FOnTimer;
  bool FTimerOn = false;
  // Set by the destructor when the timer is freed inside its own OnTimer.
  bool* FDestroyedFlag = nullptr;
};

// ---- Mouse-leave tracking ------------------------------------------------------------------

// Polls the cursor every 10 ms; Caller's MouseLeave runs once the cursor leaves R (client
// coordinates of Control when given, else screen coordinates) or, when Caller implements
// IkvMouseTrackingHitTest, once the hit test refuses the point. A second watch for the same
// caller is ignored.
void StartMouseLeaveWatch(TWinControl* Control, const TRect& R, IkvMouseTrackingCaller* Caller);
void StopMouseLeaveWatch(IkvMouseTrackingCaller* Caller);
bool IsMouseLeaveWatched(IkvMouseTrackingCaller* Caller);

// A watch caller that tells its control the mouse has gone with CM_MOUSELEAVE.
class TkvMouseLeaveMessenger : public TkvIUnknownObject, public IkvMouseTrackingCaller {
 public:
  explicit TkvMouseLeaveMessenger(TControl* AControl) : FControl(AControl) {}
  void MouseLeave() override;
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return TkvIUnknownObject::QueryInterface(IID, Obj);
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

 private:
  TControl* FControl;
};

// ---- Controllers ---------------------------------------------------------------------------

// Tells registered controls (KVM_SCROLLBARMETRICS) when the non-client metrics change. Its window
// exists only while a control is registered.
class TkvSettingsController : public TObject {
  TAVREN_CLASS(TkvSettingsController, TObject)
 public:
  TkvSettingsController() = default;
  ~TkvSettingsController() override;
  void AddControl(TWinControl* Control);
  void RemoveControl(TWinControl* Control);
  HWND GetWindowHandle() const { return FWindow; }

 protected:
  virtual void MainWndProc(TMessage& Message);

 private:
  std::vector<TWinControl*> FControls;
  HWND FWindow = nullptr;
};

// Created on first use, freed at unit end; nullptr after that.
TkvSettingsController* SettingsControllerInstance();

// Batches the "form modified" signal for a form designer. No form designer runs in this program,
// so the signal reaches nobody; the lock and re-entry rules still hold for callers.
class TkvDesignController : public TObject {
  TAVREN_CLASS(TkvDesignController, TObject)
 public:
  void SignalDesignerModified(TCustomForm* Form);
  void LockModified() { ++FLockCount; }
  void UnlockModified() {
    if (FLockCount > 0) --FLockCount;
  }
  bool IsLocked() const { return FLockCount > 0; }

 private:
  Byte FState = 0;
  Integer FLockCount = 0;
};

TkvDesignController* DesignController();
void NotifyRootDesigner(TControl* Control);

// ---- Window, keyboard and mouse routines ---------------------------------------------------

bool CanCreateHandle(TWinControl* Control);
bool HasChildStyle(HWND Window);
bool IsSelfOrChildWindow(HWND Parent, HWND Window);
bool IsAncestorWindow(HWND Ancestor, HWND Window);
void MapPointBetween(HWND From, HWND To, TPoint& Point);
void MapRectBetween(HWND From, HWND To, TRect& R);
TRect NearestMonitorWorkArea(const TPoint& Point);
TRect MonitorWorkArea(HMONITOR Monitor);
TPoint CursorPosOrInvalid();
WPARAM CurrentMKFlags();
WPARAM ShiftToMKFlags(TShiftState Shift);
bool IsCtrlDown();
UINT DoubleClickInterval();
Word KeyCodeAsIs(Word Key);
bool IsInDragDetectArea(const TPoint& DownPoint, Integer X, Integer Y);
bool IsNumericEntryChar(Char Ch, Integer Mode);
bool IsPrintableKeyChar(Char Ch);
// Leaves out each "&" and takes the character after it literally; a trailing "&" becomes "_"
// with MarkTrailing and is dropped without.
void StripAccelChar(const String& Text, bool MarkTrailing, String& Result);
bool ComponentIsLoading(TComponent* Component);

// Popup menus: nil, a framework popup menu, or a component implementing IkvPopupMenu.
Integer PopupMenuHeight(TComponent* Menu);
bool PopupMenuShortCutHandled(TComponent* Menu, TMessage& KeyMessage);
bool ShowPopupMenuAt(TControl* Control, TComponent* Menu, Integer X, Integer Y);
// Points Reference at Value when it is such a menu, else at nil, moving Holder's free notification.
void SetPopupMenuReference(TComponent* Holder, TComponent*& Reference, TComponent* Value);
// The client point a WM_CONTEXTMENU asks a menu for, (-1, -1) from the keyboard; false for a mouse
// point outside the client area, which is the platform's to handle.
bool ContextMenuClientPoint(TControl* Control, const TMessage& Message, TPoint& P);

// Platform flags and the two registered window messages, set at unit start.
extern bool IsWin9xFamily;
extern bool IsWin2KOrLater;
extern bool IsWinXPOrLater;
extern bool IsWinNT4OrLater;
extern bool IsWinVistaOrLater;
extern UINT KVM_SKINFORMMESSAGE;
extern UINT NonClientChangedMessage;

// Runs a drag-detect loop on Window: 1 when the pointer leaves the square of 2 x DragThreshold
// around the cursor, 0 on a button release, 2 on Esc, a lost capture or a failed GetMessage.
Integer DragDetectLoop(HWND Window);

// ---- Hint, popup, drag image and size frame windows ----------------------------------------

class TkvBaseHintWindow : public THintWindow {
  TAVREN_CLASS(TkvBaseHintWindow, THintWindow)
  TAVREN_MESSAGES()
 public:
  explicit TkvBaseHintWindow(TComponent* AOwner);
  void ActivateHint(TRect R, const String& AHint) override;
  // Kept inside the work area of the monitor nearest to (ALeft, ATop).
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

  Byte GetAnimationStyle() const { return FAnimationStyle; }
  void SetAnimationStyle(Byte Value) { FAnimationStyle = Value; }
  Integer GetAnimationDelay() const { return FAnimationDelay; }
  void SetAnimationDelay(Integer Value) { FAnimationDelay = Value; }
  Byte GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(Byte Value) { FBorderStyle = Value; }
  bool GetNeedEraseBackground() const { return FNeedEraseBackground; }
  void SetNeedEraseBackground(bool Value) { FNeedEraseBackground = Value; }
  bool GetStandardHint() const { return FStandardHint; }
  void SetStandardHint(bool Value) { FStandardHint = Value; }
  // The AnimateWindow flags of a style after the system settings are applied; 0: no animation.
  DWORD AnimationFlags() const;

 protected:
  void CreateParams(TCreateParams& Params) override;
  virtual void ClearRegion();
  virtual void BeforeShow() {}
  virtual void ShowNoActivate();
  void Animate();
  void WMEraseBkgnd(TMessage& Message);

 private:
  Byte FAnimationStyle = 8;
  Integer FAnimationDelay = 100;
  Byte FBorderStyle = 1;
  bool FNeedEraseBackground = true;
  bool FStandardHint = false;
};

// A borderless stay-on-top form that opens against an owner rectangle and closes when it loses
// activation. Direction 1 opens above or below the owner, 0 beside it.
class TkvPopupWindow : public TForm {
  TAVREN_CLASS(TkvPopupWindow, TForm)
  TAVREN_MESSAGES()
 public:
  explicit TkvPopupWindow(TComponent* AOwner);
  ~TkvPopupWindow() override;

  virtual void OpenPopup();
  virtual void ClosePopup();
  virtual void ComputePosition(TPoint& Point);
  virtual void AdjustToChildren();
  virtual Integer BorderOffset(Integer Side);
  virtual TRect ContentBounds();
  virtual Integer BorderWidthOfStyle();
  virtual TRect OwnerScreenBounds();
  void SwitchBorderStyle(Byte Style);

  bool GetAdjustable() const { return FAdjustable; }
  void SetAdjustable(bool Value) { FAdjustable = Value; }
  Byte GetAlignHorz() const { return FAlignHorz; }
  void SetAlignHorz(Byte Value) { FAlignHorz = Value; }
  Byte GetAlignVert() const { return FAlignVert; }
  void SetAlignVert(Byte Value) { FAlignVert = Value; }
  Integer GetBorderSpace() const { return FBorderSpace; }
  void SetBorderSpace(Integer Value) { FBorderSpace = Value; }
  Byte GetPopupBorderStyle() const { return FBorderStyle; }
  void SetPopupBorderStyle(Byte Value) { FBorderStyle = Value; }
  Byte GetDirection() const { return FDirection; }
  void SetDirection(Byte Value) { FDirection = Value; }
  TColor GetFrameColor() const { return FFrameColor; }
  void SetFrameColor(TColor Value) { FFrameColor = Value; }
  TRect GetOwnerBounds() const { return FOwnerBounds; }
  void SetOwnerBounds(const TRect& Value) { FOwnerBounds = Value; }
  TControl* GetOwnerParent() const { return FOwnerParent; }
  void SetOwnerParent(TControl* Value) { FOwnerParent = Value; }
  TkvCanvas* GetKvCanvas() const { return FKvCanvas.get(); }

 protected:
  void Deactivate() override;
  void Paint() override;
  virtual void TakeOwnerFont();
  virtual void PaintBorder();
  virtual void AfterVisibilityChange() {}
  void WMActivate(TMessage& Message);
  void WMActivateApp(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);

 private:
  bool FAdjustable = true;
  Byte FAlignHorz = 0;
  Byte FAlignVert = 2;
  Integer FBorderSpace = 0;
  Byte FBorderStyle = 0;
  std::unique_ptr<TkvCanvas> FKvCanvas;
  Byte FDirection = 1;
  TColor FFrameColor = clWindowText;
  TRect FOwnerBounds;
  TControl* FOwnerParent = nullptr;
  HWND FPrevActiveWindow = nullptr;
};

// A semi-transparent popup that the mouse passes through.
class TkvCustomDragImage : public TkvPopupWindow {
  TAVREN_CLASS(TkvCustomDragImage, TkvPopupWindow)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomDragImage(TComponent* AOwner);
  void ShowWithoutActivation();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }
  void WMNCHitTest(TMessage& Message) { Message.Result = HTTRANSPARENT; }
};

// A hatched frame along the outline of a rectangle (or the whole rectangle with Fill on).
class TkvSizeFrame : public TkvCustomDragImage {
  TAVREN_CLASS(TkvSizeFrame, TkvCustomDragImage)
 public:
  explicit TkvSizeFrame(Integer AFrameWidth);
  ~TkvSizeFrame() override;
  void PlaceOnRect(const TRect& R);
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  bool GetFill() const { return FFill; }
  void SetFill(bool Value) { FFill = Value; }
  Integer GetFrameWidth() const { return FFrameWidth; }

 protected:
  void Paint() override;

 private:
  void ApplyRegion();
  Integer FFrameWidth;
  std::unique_ptr<TkvRegion> FRegion;
  std::unique_ptr<TBitmap> FPattern;
  bool FFill = false;
};

// ---- Owned scroll bars and size grip -------------------------------------------------------

struct TkvScrollBarData {
  Integer Min = 0;
  Integer Max = 100;
  Integer Position = 0;
  Integer PageSize = 0;
  SmallInt SmallChange = 1;
  SmallInt LargeChange = 1;
  bool Enabled = true;
  bool Visible = false;
  bool AllowShow = false;
  bool AllowHide = false;
};

// A painter-drawn scroll bar owned by a TkvControl. Created hidden; its scroll events go to the
// owning control's ScrollContent, and the control shows, hides and fills it from Data.
class TkvControlScrollBar : public TkvScrollBar {
  TAVREN_CLASS(TkvControlScrollBar, TkvScrollBar)
  TAVREN_MESSAGES()
 public:
  explicit TkvControlScrollBar(TComponent* AOwner);

  TkvScrollBarData Data;
  void ApplyData();
  bool IsShown() const { return GetVisible(); }
  virtual void FocusOwnerOnClick();

 protected:
  void WndProc(TMessage& Message) override;
  void CMDesignHitTest(TMessage& Message) { Message.Result = 1; }
};

class TkvSizeGrip : public TCustomControl {
  TAVREN_CLASS(TkvSizeGrip, TCustomControl)
  TAVREN_MESSAGES()
 public:
  explicit TkvSizeGrip(TComponent* AOwner);
  ~TkvSizeGrip() override;
  TkvLookAndFeel* GetLookAndFeel() const { return FLookAndFeel.get(); }

 protected:
  void Paint() override;
  void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

 private:
  void LookAndFeelChanged(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues);
  std::unique_ptr<TkvLookAndFeel> FLookAndFeel;
};

// ---- Drag and drop -------------------------------------------------------------------------

// The internal drag-and-drop of a control: it gets the begin, every move and the end.
class TkvDragAndDropObject : public TObject {
  TAVREN_CLASS(TkvDragAndDropObject, TObject)
 public:
  using TCreateArg = TkvControl*;
  explicit TkvDragAndDropObject(TkvControl* AControl);

  TkvControl* GetControl() const { return FControl; }
  TkvCanvas* GetCanvas() const { return FCanvas; }
  bool GetDirty() const { return FDirty; }
  void SetDirty(bool Value);
  TPoint CurMousePos;
  TPoint PrevMousePos;

  virtual void DirtyChanged() {}
  virtual TCursor GetDragAndDropCursor(bool Accepted) { return Accepted ? crDrag : crNoDrop; }
  virtual bool ImmediateStart() { return false; }
  virtual void AfterDragAndDrop(bool /*Accepted*/) {}
  virtual void BeginDragAndDrop() { DirtyChanged(); }
  virtual void DragAndDrop(const TPoint& P, bool& Accepted);
  virtual void EndDragAndDrop(bool /*Accepted*/) { SetDirty(true); }

 private:
  TkvControl* FControl;
  TkvCanvas* FCanvas;
  bool FDirty = false;
};
using TkvDragAndDropObjectClass = TClassOf<TkvDragAndDropObject>;

// A framework drag object that frees itself when the drag ends and shows the copy cursor while
// the control's copy modifier is down.
class TkvDragControlObject : public TDragControlObject {
  TAVREN_CLASS(TkvDragControlObject, TDragControlObject)
 public:
  using TCreateArg = TControl*;
  // The framework frees it once the drag has ended and nothing of it is read any more.
  explicit TkvDragControlObject(TControl* AControl) : TDragControlObject(AControl) { SetAutoRelease(true); }
  TCursor GetDragCursor(bool Accepted, Integer X, Integer Y) override;
};
using TkvDragControlObjectClass = TClassOf<TkvDragControlObject>;

class TkvDragImageList : public TDragImageList {
  TAVREN_CLASS(TkvDragImageList, TDragImageList)
 public:
  using TDragImageList::TDragImageList;
};
using TkvDragImageListClass = TClassOf<TkvDragImageList>;

enum TkvDragAndDropState { ddsNone, ddsStarting, ddsInProcess };

enum TkvControlKey { kAll, kArrows, kChars, kTab };
using TkvControlKeys = TSet<TkvControlKey, 4>;

// ---- The base control ----------------------------------------------------------------------

class TkvControl : public TCustomControl {
  TAVREN_CLASS(TkvControl, TCustomControl)
  TAVREN_MESSAGES()
 public:
  explicit TkvControl(TComponent* AOwner);
  ~TkvControl() override;
  void BeforeDestruction() override;

  TkvCanvas* CanvasOrScreen();
  TkvCanvas* GetKvCanvas() const { return FKvCanvas.get(); }
  bool IsBeingDestroyed() const { return GetComponentState().Contains(csDestroying); }
  TkvControlKeys StoreKeys(TkvControlKeys Keys) { return FKeys = Keys; }
  TkvControlKeys GetKeys() const { return FKeys; }
  void InvalidateArea(const TRect* R, bool Erase);
  void RedrawAll();

  TComponent* GetKvPopupMenu() const { return FPopupMenu; }
  void SetKvPopupMenu(TComponent* Value);
  bool ShortCutByPopupMenus(TMessage& KeyMessage);

  Integer GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(Integer Value);
  bool GetFocusOnClick() const { return FFocusOnClick; }
  void SetFocusOnClick(bool Value) { FFocusOnClick = Value; }
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TkvLookAndFeel* GetLookAndFeelObject() const { return FLookAndFeel.get(); }
  TCursor GetDefaultCursor() const { return FDefaultCursor; }
  TkvDragAndDropState GetDragAndDropState() const { return FDragAndDropState; }
  void SetDragAndDropState(TkvDragAndDropState Value);
  TkvDragAndDropObject* GetDragAndDropObject() const { return FDragAndDropObject.get(); }
  void SetDragAndDropObjectClass(TkvDragAndDropObjectClass Value) { FDragAndDropObjectClass = Value; }
  TObject* GetMouseCaptureObject() const { return FMouseCaptureObject; }
  void SetMouseCaptureObject(TObject* Value);
  bool GetIsAutoScrolling() const { return FAutoScrolling; }
  bool GetMouseButtonPressed() const { return FMouseButtonPressed; }
  TPoint GetMouseDownPos() const { return FMouseDownPos; }
  bool GetRightButtonReleased() const { return FRightButtonReleased; }
  TkvControlScrollBar* GetHScrollBar() const { return FHScrollBar; }
  TkvControlScrollBar* GetVScrollBar() const { return FVScrollBar; }
  TkvSizeGrip* GetSizeGrip() const { return FSizeGrip; }

  void AddFontListener(IkvFontListener* Listener);
  void RemoveFontListener(IkvFontListener* Listener);

  // Scroll bars.
  bool HorzScrollBarShown();
  bool VertScrollBarShown();
  void StoreScrollBarParams(TScrollBarKind Kind, Integer AMin, Integer AMax, Integer ASmallChange,
                            Integer APageSize, Integer APosition, bool AllowShow, bool AllowHide);
  void BeginScrollBarsUpdate() { ++FScrollBarLockCount; }
  void EndScrollBarsUpdate();
  void ScrollLine(TkvDirection Direction);
  void RecreateScrollBars();
  void DestroyScrollBars();

  // Internal drag and drop.
  virtual void BeginDragAndDrop();
  void EndDragAndDrop(bool Accepted);
  virtual void FinishDragAndDrop(bool Accepted);
  virtual void DragAndDropMove(const TPoint& P, bool& Accepted);

  TNotifyEvent GetOnFocusChanged() const { return FOnFocusChanged; }
  void SetOnFocusChanged(TNotifyEvent Value) { FOnFocusChanged = Value; }
  TNotifyEvent GetOnKvMouseEnter() const { return FOnMouseEnter; }
  void SetOnKvMouseEnter(TNotifyEvent Value) { FOnMouseEnter = Value; }
  TNotifyEvent GetOnKvMouseLeave() const { return FOnMouseLeave; }
  void SetOnKvMouseLeave(TNotifyEvent Value) { FOnMouseLeave = Value; }

  // Queries and hooks descendants override.
  virtual bool PopupMenuAt(TComponent* Menu, Integer X, Integer Y);
  virtual void NotifyDesignerModified();
  virtual void AfterMouseButtonDown(TMouseButton Button, Integer X, Integer Y);
  virtual bool AllowsDesignDragAt(Integer /*X*/, Integer /*Y*/, TShiftState /*Shift*/) { return true; }
  virtual void MouseDownHook(TMouseButton /*Button*/, TShiftState /*Shift*/, Integer /*X*/, Integer /*Y*/) {}
  virtual void RaiseScrollBars();
  virtual void EndMouseOperation();
  virtual bool WantsFocusOnClick();
  virtual bool FocusOnMouseDownAt(Integer /*X*/, Integer /*Y*/) { return WantsFocusOnClick(); }
  virtual bool FocusOnScrollBarClick(TkvControlScrollBar* /*ScrollBar*/) { return WantsFocusOnClick(); }
  virtual Integer BorderWidth();
  virtual TRect BoundsArea();
  virtual TRect ClientArea();
  virtual TCursor CursorAtPoint(Integer /*X*/, Integer /*Y*/) { return FDefaultCursor; }
  virtual bool IsDesignTime() { return GetComponentState().Contains(csDesigning); }
  virtual bool HasFocus() { return Focused(); }
  virtual Integer WheelScrollKind() { return VertScrollBarShown() ? 2 : 0; }
  virtual bool ErasesBackground() { return false; }
  virtual void AdoptScrollBars();
  virtual bool IsOwnScrollControl(TControl* Control);
  virtual TkvLookAndFeel* GetLookAndFeel() { return FLookAndFeel.get(); }
  virtual TkvCustomLookAndFeelPainterClass LookAndFeelPainter();
  virtual void LookAndFeelUpdated(TkvLookAndFeel* /*Sender*/, TkvLookAndFeelValues /*ChangedValues*/) {}
  virtual bool ScrollsWithoutBars(TkvDirection /*Direction*/) { return false; }
  virtual TRect HorzScrollBarBounds();
  virtual TRect SizeGripBounds();
  virtual TRect VertScrollBarBounds();
  virtual void ComputeScrollBarParams() {}
  virtual bool AutoHidesScrollBar(TScrollBarKind /*Kind*/) { return false; }
  virtual bool UsesScrollBars() { return true; }
  virtual bool KeepsScrollBarsOnTop() { return true; }
  virtual void ScrollContent(TScrollBarKind /*Kind*/, TScrollCode /*ScrollCode*/, Integer& /*Position*/) {}
  virtual void PlaceScrollBars();
  virtual void RefreshScrollBarStates();
  virtual void RefreshScrollBars();
  virtual TkvDragAndDropObjectClass DragAndDropObjectClass();
  virtual void PaintDragImage(TkvCanvas* /*Canvas*/, const TRect& /*R*/) {}
  virtual TkvDragImageListClass DragImageListClass() { return TkvDragImageList::ClassInfo(); }
  virtual TSize DragImageExtent() { return {0, 0}; }
  virtual bool CopyModifierDown() { return IsCtrlDown(); }
  virtual bool UsesDragImages() { return false; }
  virtual void BuildDragImages(TkvDragImageList* ImageList);
  virtual bool CanFocusNow();
  virtual bool WithinDragThreshold(Integer X, Integer Y);

  virtual void AfterColorChange() {}
  virtual void AfterVisibilityChange() {}
  virtual void AddChildComponent(class TkvControlChildComponent* Child);
  virtual void RemoveChildComponent(class TkvControlChildComponent* Child);
  virtual bool KeepsCaptureWithoutFocus() { return false; }
  virtual void AfterResize() { RefreshScrollBars(); }
  virtual bool MayStartDrag(Integer /*X*/, Integer /*Y*/) { return FDragAndDropState != ddsInProcess; }
  virtual void RememberCursor() { FDefaultCursor = GetCursor(); }
  virtual void ResetMouseState();
  virtual void FireFocusChanged() { FOnFocusChanged(this); }
  virtual void NotifyFontListeners();
  virtual bool HandlesDesignMouse(Integer X, Integer Y, TShiftState Shift);
  virtual TkvDragControlObjectClass DragControlObjectClass() { return TkvDragControlObject::ClassInfo(); }
  virtual bool AcceptsFocus() { return true; }
  virtual void FireMouseEnter(TControl* /*AControl*/) { FOnMouseEnter(this); }
  virtual void FireMouseLeave(TControl* /*AControl*/) { FOnMouseLeave(this); }
  virtual void AfterTextChange() {}
  virtual bool CanStartDragAndDrop(const TPoint& /*P*/) { return false; }
  virtual bool AcceptsDragObject(TDragObject* /*DragObject*/) { return true; }

  TDragImageList* GetDragImages() override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void Paint() override;
  void DoContextPopup(TPoint MousePos, bool& Handled) override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
  void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) override;
  void DoEndDrag(TObject* Target, Integer X, Integer Y) override;
  void DoStartDrag(TDragObject*& DragObject) override;
  TPopupMenu* GetPopupMenuForContext() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Resize() override;
  void KeyDown(Word& Key, TShiftState Shift) override;

  // Middle-button automatic scrolling: a modal loop until Esc, a button, a lost capture or WM_QUIT.
  void AutoScroll();

  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void CNSysKeyDown(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMCursorChanged(TMessage& Message);
  void CMDesignHitTest(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void KVMScrollBarMetrics(TMessage& Message);

 private:
  void CreateScrollBars();
  void ScrollBarScroll(TObject* Sender, TScrollCode ScrollCode, Integer& ScrollPos);
  void LookAndFeelChanged(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues);
  void CalculateScrollBarsParams();
  void CheckAutoHide();
  void ApplyScrollBarsData();

  std::unique_ptr<TkvScreenCanvas> FScreenCanvas;
  Integer FBorderStyle = 0;
  bool FCalculatingScrollBarsParams = false;
  std::unique_ptr<TkvCanvas> FKvCanvas;
  bool FCreatingWindow = false;
  TCursor FDefaultCursor = crDefault;
  std::unique_ptr<TkvDragAndDropObject> FDragAndDropObject;
  TkvDragAndDropObjectClass FDragAndDropObjectClass;
  TCursor FDragAndDropPrevCursor = crDefault;
  TkvDragAndDropState FDragAndDropState = ddsNone;
  std::unique_ptr<TkvDragImageList> FDragImages;
  bool FFinishingDragAndDrop = false;
  bool FFocusOnClick = true;
  std::vector<TInterfacePtr<IkvFontListener>> FFontListeners;
  TkvControlScrollBar* FHScrollBar = nullptr;
  bool FInitialHScrollBarVisible = false;
  bool FInitialVScrollBarVisible = false;
  bool FInitialSettingOfScrollBarsParams = false;
  TkvControlKeys FKeys;
  std::unique_ptr<TkvLookAndFeel> FLookAndFeel;
  bool FMouseButtonPressed = false;
  TObject* FMouseCaptureObject = nullptr;
  TPoint FMouseDownPos{-1, -1};
  bool FRightButtonReleased = false;
  TComponent* FPopupMenu = nullptr;
  TScrollStyle FScrollBars = ssBoth;
  Integer FScrollBarLockCount = 0;
  bool FUpdateScrollBarsNeeded = false;
  TkvSizeGrip* FSizeGrip = nullptr;
  bool FUpdatingScrollBars = false;
  TkvControlScrollBar* FVScrollBar = nullptr;
  bool FAutoScrolling = false;
  TDragObject* FActiveDragObject = nullptr;
  TNotifyEvent FOnFocusChanged;
  TNotifyEvent FOnMouseEnter;
  TNotifyEvent FOnMouseLeave;
};

// A component that belongs to a TkvControl and streams as its child.
class TkvControlChildComponent : public TkvComponent {
  TAVREN_CLASS(TkvControlChildComponent, TkvComponent)
 public:
  explicit TkvControlChildComponent(TComponent* AOwner);
  TkvControlChildComponent(TkvControl* AControl, bool AssignOwner);
  ~TkvControlChildComponent() override;
  TkvControl* GetControl() const { return FControl; }
  virtual void SetControl(TkvControl* Value) { FControl = Value; }
  bool IsDestroying() const { return GetComponentState().Contains(csDestroying); }
  bool HasParent() override { return FControl != nullptr; }
  TComponent* GetParentComponent() override { return FControl; }

 protected:
  virtual void Initialize() {}
  void SetParentComponent(TComponent* Value) override;

 private:
  TkvControl* FControl = nullptr;
};

// Unit start: platform flags, the toolkit cursors, the registered messages. End: the shared
// instances are freed; a mouse-leave watch still running is stopped without a word.
void kvControlsStart();
void kvControlsEnd();
