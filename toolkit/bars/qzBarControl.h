#pragma once
// Bar windows: the one window class behind every toolbar, menu bar and menu. A bar window shows
// one list of item links it does not own, makes one item control per link, lays them out, routes
// the mouse and the keys to them, keeps the selected and hot control and the chain of active bar
// windows, and draws through the painter of the manager's style.

#include <memory>
#include <vector>

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarItemControl.h"
#include "toolkit/bars/qzBarNavigation.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/foundation/kvControls.h"
#include "vcl/Controls.h"

class TCustomqzBarControl;
class TqzBarCustomEditControl;
class TqzBarShadow;

// The item controls of the current layout in display order, and the separator rectangles.
class TCustomqzBarControlViewInfo : public TObject {
  TAVREN_CLASS(TCustomqzBarControlViewInfo, TObject)
 public:
  using TCreateArg = TCustomqzBarControl*;
  struct TSeparator {
    TqzBarItemControl* Control;
    TRect Bounds;
    Byte Kind;  // 0 a horizontal line, 1 a vertical one
  };

  explicit TCustomqzBarControlViewInfo(TCustomqzBarControl* ABarControl) : FBarControl(ABarControl) {}
  virtual void Clear();
  virtual void Calculate() { Clear(); }

  Integer IndexOfItemControl(TqzBarItemControl* AControl) const;
  bool HoldsControlInfo(TqzBarItemControl* AControl) const { return IndexOfItemControl(AControl) >= 0; }
  void AppendControlInfo(TqzBarItemControlViewInfo* AInfo) { FItemViewInfos.push_back(AInfo); }
  void RemoveControlInfo(TqzBarItemControlViewInfo* AInfo);
  void AppendSeparatorEntry(const TRect& R, Byte AKind, TqzBarItemControl* AControl) {
    FSeparators.push_back({AControl, R, AKind});
  }
  void ClearSeparators() { FSeparators.clear(); }
  Integer GetItemViewInfoCount() const { return static_cast<Integer>(FItemViewInfos.size()); }
  TqzBarItemControlViewInfo* GetItemViewInfoAt(Integer AIndex) const { return FItemViewInfos[AIndex]; }
  Integer SeparatorEntryCount() const { return static_cast<Integer>(FSeparators.size()); }
  const TSeparator& GetSeparatorInfo(Integer AIndex) const { return FSeparators[AIndex]; }
  void SetSeparatorInfo(Integer AIndex, const TRect& R, Byte AKind);
  // -1 when the control has no separator.
  Integer FindSeparatorOfControl(TqzBarItemControl* AControl) const;
  TCustomqzBarControl* GetBarControl() const noexcept { return FBarControl; }

 private:
  TCustomqzBarControl* FBarControl;
  std::vector<TqzBarItemControlViewInfo*> FItemViewInfos;
  std::vector<TSeparator> FSeparators;
};

// Busy flags of a bar window.
constexpr Byte qzBusyCreatingControls = 1;
constexpr Byte qzBusyDestroyingControls = 2;
constexpr Byte qzBusyClosing = 8;
constexpr Byte qzBusyDrawingControl = 16;
constexpr Byte qzBusyRefreshing = 32;
constexpr Byte qzBusySettingFont = 64;

// Cursor kinds of a bar window (SetCursorKind).
constexpr Byte qzCursorDefault = 0;
constexpr Byte qzCursorMove = 1;

// Kind flags (KindFlags).
constexpr Word qzKindRoot = 0x13;
constexpr Word qzKindDetachable = 0x0001;
constexpr Word qzKindCancelClearsSelection = 0x0002;
// A window of this kind counts as inactive while it is open: its items show their hints under the
// resting mouse (the application menu, the ribbon's bars).
constexpr Word qzKindCountsInactive = 0x0004;
constexpr Word qzKindStretchesClient = 0x0010;
constexpr Word qzKindPressNeedsFocus = 0x0020;
constexpr Word qzKindNavigationBar = 0x0040;
constexpr Word qzKindContextOnRelease = 0x0100;
// A press on the main part of a split button whose drop-down is open clears the selection first.
constexpr Word qzKindSplitPressClears = 0x0200;

class TCustomqzBarControl : public TCustomControl, public virtual IkvMouseTrackingCaller {
  TAVREN_CLASS(TCustomqzBarControl, TCustomControl)
 public:
  using TCreateArg = TComponent*;
  // The owner is the bar manager.
  explicit TCustomqzBarControl(TComponent* AOwner);
  ~TCustomqzBarControl() override;
  void BeforeDestruction() override;
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  // IkvMouseTrackingCaller
  void MouseLeave() override;

  // Wiring.
  TqzBarManager* GetControlBarManager() const;
  TqzBarItemLinks* GetItemLinks() const noexcept { return FItemLinks; }
  TCustomqzBarControl* GetOpenerBar() const noexcept { return FOpenerBar; }
  void SetOpenerBar(TCustomqzBarControl* Value);
  TCustomqzBarControl* GetOpenedBar() const noexcept { return FOpenedBar; }
  void SetOpenedBar(TCustomqzBarControl* Value);
  void ChangeActive(bool AActive);
  bool GetActive() const noexcept { return FActive; }
  bool GetKeptDown() const noexcept { return FKeptDown; }
  void SetKeptDown(bool Value) { FKeptDown = Value; }
  Byte GetViewState() const noexcept { return FViewState; }
  void SetViewState(Byte AState);
  void Refresh(bool ARecreate);
  // Menus expand container items in place around making their controls: each container link's
  // item inserts its generated links after it (and its own link leaves while a replacing item is
  // expanded); collapsing takes them out again, last first, and puts replaced links back.
  void ExpandContainerLinks();
  void CollapseContainerLinks();
  // The screen bounds of the element that opened the window (empty for none) and its window.
  const TRect& GetOwnerBounds() const noexcept { return FOwnerBounds; }
  void SetOwnerBounds(const TRect& R, TWinControl* AOwnerWindow) {
    FOwnerBounds = R;
    FOwnerWindow = AOwnerWindow;
  }
  // The one-pixel strip where the window meets the element that opened it (empty when it does not
  // touch it), for painters that leave that edge open; in window coordinates, or in screen
  // coordinates one pixel outwards.
  void GetOwnerJoinRect(bool AToScreen, TRect& R);
  // The window's geometry: its rectangle on the screen (frame included; worked out from the
  // bounds while there is no handle), the same at the origin, and where the client area lies in
  // window coordinates.
  TRect GetScreenRect();
  TRect GetWindowRectAtOrigin();
  TRect GetClientRectInWindow();
  TPoint ClientOriginInWindow();
  TPoint ClientPointToWindow(const TPoint& P);
  TqzBarPainter* GetOwnPainter() const noexcept { return FOwnPainter; }
  void SetOwnPainter(TqzBarPainter* Value) { FOwnPainter = Value; }

  // Queries.
  TqzBarItemControl* GetSelectedControl() const;
  TqzBarItemControl* GetCaptureControl() const noexcept { return FCaptureControl; }
  // The control of the link selected while customizing, when this window shows it; else nil.
  TqzBarItemControl* CustomizingSelectedControl();
  // The control holds the mouse until the button is released: the window captures it for the control.
  void CaptureMouseFor(TqzBarItemControl* AControl);
  TqzBarItemControl* ControlAtPoint(const TPoint& P);
  TqzBarItemControl* ControlAtCursor();
  // The drop target of a dragged item at the client point: the link (nil over no link), whether
  // the links run top to bottom, whether the point is in the link's first half, and whether it is
  // on the separator before the link.
  virtual void LinkAtPoint(const TPoint& P, TqzBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                           bool& AAtSeparator);
  // A window may refuse a dragged item at the client point.
  virtual void DragOverPoint(Integer, Integer, bool&) {}
  // The links run top to bottom.
  virtual bool IsVerticalLayout() { return IsVertical(); }
  bool IsDestroying() const { return GetComponentState().Contains(csDestroying); }
  TkvCanvas* ActiveCanvas();
  TCustomqzBarControlViewInfo* GetLayoutInfo() const noexcept { return FViewInfo.get(); }
  Integer GetTextSizeValue() const noexcept { return FTextSize; }
  double GetRatio() const noexcept { return FRatio; }
  Integer GetMenuArrowHeight() const noexcept { return FMenuArrowHeight; }
  Integer GetIconAreaSizeValue() const noexcept { return FIconAreaSize; }
  Cardinal GetEditTextSize() const noexcept { return FEditTextSize; }
  Cardinal GetComboArrowWidth() const noexcept { return FComboArrowWidth; }
  const TRect& GetItemsRect() const noexcept { return FItemsRect; }
  // Descendants whose items sit inside margins narrow the rectangle after the base rule.
  void SetItemsRect(const TRect& R) { FItemsRect = R; }
  const TRect& GetVisibleItemsRect() const noexcept { return FVisibleItemsRect; }
  bool GetClosedByEsc() const noexcept { return FClosedByEsc; }
  // The next left press, double click and release are swallowed (the press that closed a popup
  // over the element that opened it).
  void SetSkipNextClick(bool Value) { FSkipNextClick = Value; }
  bool GetSkipNextClick() const noexcept { return FSkipNextClick; }
  // The last cursor position seen over the window, screen coordinates; (-1, -1) for unknown.
  const TPoint& GetLastMousePos() const noexcept { return FLastMousePos; }
  void RecordMousePos(const TPoint& P) { FLastMousePos = P; }
  // A popup shown again starts as not closed by Esc.
  void ClearClosedByEsc() { FClosedByEsc = false; }
  Byte GetBusyFlags() const noexcept { return FBusyFlags; }
  TBitmap* GetBackgroundCache() const noexcept { return FBackgroundCache.get(); }
  // The window's cursor: the arrow, or the four-way arrow over a part that moves the window.
  void SetCursorKind(Byte AKind) { SetCursor(AKind == qzCursorMove ? crSizeAll : crDefault); }
  void RepaintAll();
  // Repaints the part of the frame in the rectangle (window coordinates).
  void RepaintNonClientRect(const TRect& R);
  // The caption colour of the window's look, as the manager's form is active or not.
  TColor GetCaptionSysColor();
  // The bar window under the cursor forgets where the mouse was and gets a mouse move, so that
  // it tracks its controls anew.
  void PostMouseMoveToBarUnderCursor();
  // Clears the selection without any selection-change processing (a control going or disabled).
  void ForgetSelection() { FCurrentLink = nullptr; }
  // A control of the window goes: the layout, the selection, the tracked link and the capture
  // forget it, so that nothing reaches it before the next rebuild.
  void ForgetControl(TqzBarItemControl* AControl);
  // Whether the window takes a click's closing of the menu chain on itself (menus do).
  virtual bool ClaimsFinalClicks() { return false; }
  bool ForwardKeyToSelected(Word AKey);
  // The selection that moves with Home, End, Tab and the arrow keys.
  void SelectNeighbour(bool ANext);
  // The window's keyboard-navigation node, made on first request from GetAccessibilityHelperClass.
  TqzBarAccessibilityHelper* GetAccessibilityHelper();
  virtual TClassOf<TqzBarAccessibilityHelper> GetAccessibilityHelperClass();
  // The window can take the keyboard: it has a visible window and is not going.
  virtual bool IsUsable();
  // The bar window above this one in the chain of open menus.
  virtual TCustomqzBarControl* ChainParent() { return FOpenerBar; }
  // The window is this bar window's own or one of its children.
  virtual bool OwnsWindow(HWND AWnd);
  // The window is that of the control that opened this bar window: a press there is the
  // control's to handle (the ribbon closes its application menu itself).
  virtual bool OwnsForeignWindow(HWND) { return false; }
  // Whether the window scrolls with the wheel while a menu is open (else the wheel is swallowed).
  virtual bool HandlesMouseWheel() { return false; }

  // Operations in slot order.
  virtual void FitOnScreen(TPoint& P, Integer AHeight);
  virtual void CancelMode();
  virtual bool HoldsKeyboard() { return false; }
  // After a move or a resize the shadow takes the new outline; it shows while HasShadow holds.
  virtual void WindowPosChanged(const WINDOWPOS* APos);
  virtual bool ExtraScreenArea(TRect&) { return false; }
  virtual void CalcItemsRect() { CalcClientItemsRect(); }
  virtual void CalcMetrics();
  virtual void CalcClientItemsRect();
  virtual void PlaceLinksFrom(Integer AFirstIndex, Integer& ABottom);
  virtual void PlaceControls() {}
  virtual void CalcLayout(Byte AKind, Integer AIndex);
  // Narrows the rectangle the layout places links in (menus keep bands for their scroll buttons).
  virtual void AdjustVisibleItemsRect(TRect&) {}
  virtual void CalcViewInfo();
  virtual void CreateControls();
  virtual void DestroyControls();
  // Before the handle goes: every control gives back the window of the program it shows.
  void ReleaseHostedWindows();
  virtual void RequestRebuild() {}
  virtual bool CanActivate();
  virtual bool StretchesControl(TqzBarItemControl*) { return false; }
  virtual bool IsNotFlatFloating() { return true; }
  virtual bool CanDrawControl(TqzBarItemControl* AControl);
  virtual bool IsDesigning();
  virtual bool AcceptsPartialLink(const TRect&) { return false; }
  virtual bool IsInActiveChain();
  virtual bool ContextPopupOnPress(bool AOnPress);
  virtual bool IsInactive() { return !FActive; }
  virtual bool IsUpdateLocked();
  virtual bool JoinsOpenedMenus();
  virtual void BeforeLayout() {}
  virtual void AfterLayout() {}
  virtual void SelectControlFocused(TqzBarItemControl* AControl);
  virtual void ClearSelection();
  // While customizing, a press selects through the design controller: the control's link, or on
  // no control the window's own design object.
  virtual void DesignSelect(TqzBarItemControl* AControl, TMouseButton AButton, TShiftState AShift);
  virtual IqzBarSelectableItem* DesignObject() { return nullptr; }
  // A right click: while customizing, the context menu of the customizing-selected link shown by
  // this window.
  virtual void ShowContextPopup(TqzBarItemControl* AControl);
  // The cursor lies on the window's mark.
  bool MarkUnderCursor();
  virtual void BarMouseEnter(TShiftState AShift, const TPoint& P, TqzBarItemControl* AControl);
  // A left press while customizing, at the client point: the customizing-selected control under
  // it is armed for a drag that begins once the mouse leaves the system's drag rectangle.
  // ASameControl tells that the press kept the selected control.
  virtual void StartDrag(const TPoint& P, bool ASameControl);
  bool IsDragPending() const noexcept { return FDragPending; }
  virtual void BarMouseDown(TMouseButton AButton, TShiftState AShift, bool AInsideClient,
                            TqzBarItemControl* AControl, const TPoint& P);
  virtual void BarMouseLeave();
  virtual void BarMouseMove(TShiftState AShift, const TPoint& P, TqzBarItemControl* AControl);
  virtual void BarMouseUp(TMouseButton AButton, TShiftState AShift, bool AInsideClient,
                          TqzBarItemControl* AControl, const TPoint& P);
  virtual void CreateLinkControls();
  virtual void NotifyDestroying();
  virtual void DestroyLinkControls();
  virtual void HideBar();
  virtual void DrawItemControl(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R);
  // While customizing, the frame round a control whose link is selected.
  void DrawDesignFrame(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R);
  virtual void RecreateControls(bool ARecreate);
  virtual void SetActive(bool AActive);
  virtual void DrawControls();
  virtual TqzBarItemLink* LinkForAccel(Word AKey, TShiftState AShift, TqzBarItemLink* AAfterLink);
  virtual TqzBarItemLink* AccelTarget(Word AKey, TShiftState AShift, bool& AAmbiguous, TqzBarItemLink* AAfterLink);
  virtual void PressItemControl(TqzBarItemControl* AControl);
  virtual Integer SeparatorSize() = 0;
  virtual Word KindFlags();
  virtual Integer ItemHeightFor(TqzBarItemControl* AControl);
  virtual TFont* GetEditFont();
  virtual void ControlRect(TqzBarItemControl* AControl, TRect& R);
  // What a control answers for when a point is looked up (a dragged link's drop target), its
  // separator left out: ControlRect here.
  virtual void ControlBounds(TqzBarItemControl* AControl, TRect& R);
  // Where a point counts as over the control when a dragged item is dropped; the caller deletes
  // the region.
  virtual HRGN ControlRegion(TqzBarItemControl* AControl);
  virtual bool IsCustomizing();
  virtual bool IsMainMenu() = 0;
  virtual bool IsStatusBar() { return false; }
  virtual Integer ControlViewLevel(TqzBarItemControl*) { return ivlDefault; }
  virtual Integer GroupSpacingBefore(TqzBarItemLink* ALink);
  // 0 normal, 1 hot, 2 pressed: the mark at the end of a toolbar or menu.
  virtual Byte GetMarkState() { return FMarkState; }
  virtual Integer BaseTextSize();
  virtual TqzBarPainter* Painter();
  virtual TWinControl* OwnerControl();
  virtual Byte GetItemPaintKind() { return RotatesText() ? qzPaintRotated : qzPaintHorizontal; }
  virtual HBRUSH BackgroundBrush();
  virtual HBRUSH DownBrush();
  virtual HBRUSH DownSelectedBrush();
  virtual HBRUSH SelectedBrush();
  virtual TClassOf<TCustomqzBarControlViewInfo> ViewInfoClass() = 0;
  virtual void WindowControlPressed(TqzBarItemControl*) {}
  virtual void SetItemLinks(TqzBarItemLinks* ALinks);
  // The window's whole-window DC for an update region (1 for all of it), and its release.
  virtual HDC GetWindowDC(HRGN ARegion);
  virtual void ReleaseWindowDC(HDC DC);
  virtual Integer IconAreaSize();
  virtual Integer TextSize();
  virtual void GetBarBounds(TRect& R);
  virtual void CloseOnEscape();
  // A modal window coming up closes the window while it heads the active chain.
  virtual bool ClosesOnModalActivation() { return false; }
  virtual bool IsAncestorOf(TCustomqzBarControl* AWindow);
  virtual bool TouchesOwnerBounds();
  virtual bool OwnsBar() { return false; }
  virtual bool HasLinkControl(TqzBarItemControl* AControl);
  virtual bool IsWindowActive();
  // After the keyboard selected a control (the ribbon scrolls it into view).
  virtual void SelectedControlChanged(TqzBarItemControl*) {}
  virtual bool ShowsMark() { return false; }
  virtual void MarkRect(TRect& R) { R = TRect(); }
  // A window without a mark has no state to change; windows with one store it and repaint it.
  virtual void ChangeMarkState(Byte) {}
  // The popup a toolbar's mark opens and the menus it opens in turn.
  virtual bool IsQuickCustomizingBar() { return false; }
  // This window is its manager's focused bar window (the one that took the keyboard).
  bool IsFocusedBar();
  void ClearSelectionIfFocused();
  virtual bool IsMouseBlocked(bool ACheckMoved);
  virtual void DrawControlWithBrush(TkvCanvas* ACanvas, TqzBarItemControl* AControl);
  virtual void SelectAndPress(TqzBarItemControl* AControl, bool ASelectOnly);
  virtual void SetSelectedControl(TqzBarItemControl* AControl);
  virtual void SetHotControl(TqzBarItemControl* AControl);
  virtual void ChangeSelection(TqzBarItemControl* AControl);
  virtual void RepaintControl(TqzBarItemControl* AControl) = 0;
  virtual void ViewStateChanged(Byte) {}
  virtual bool DrawsOwnFrame() { return true; }
  virtual void FillBackground(HDC DC, const TRect& R, bool AOffset, TColor AColor, HBRUSH ABrush) = 0;
  // Fills the window rectangle at the origin inside ARegion, the DC's clip put back afterwards.
  virtual void FillBackgroundClipped(HDC DC, HRGN ARegion, bool AOffset, HBRUSH ABrush);
  virtual bool IsDetachedPopup() { return false; }
  // A detached popup opened from a window that is not one heads its own chain: walks up the
  // openers end at it.
  bool StopsOpenerWalk();
  // A visible top-level window of a look that allows it casts a drop shadow.
  virtual bool HasShadow();
  virtual bool ShadowAllowed();
  TqzBarShadow* GetShadow() const noexcept { return FShadow.get(); }
  // The shadow takes the window's outline, joined with that of the element that opened it when a
  // flat look draws the two joined.
  void UpdateShadowGeometry();
  virtual bool HasBackgroundBitmap() { return false; }
  virtual bool HasCustomBackground() { return false; }
  virtual void ClientOffset(TPoint& P) { P = TPoint(0, 0); }
  virtual void DrawFrameOn(HDC) {}
  // What a kind of window draws between its items and the background fill, each part kept from
  // the fill (a docked toolbar's mark).
  virtual void DrawBarParts(TkvCanvas*) {}
  virtual void ClearBackgroundCache();
  virtual void UpdateDoubleBuffered();
  virtual void CloseOnce();
  virtual bool IsVertical() { return false; }
  virtual bool RotatesText() { return false; }
  virtual Integer BarKind() = 0;
  virtual void Rebuild() { Refresh(true); }
  // The window paints with alpha (a toolbar drawn on glass): its in-place editors paint through
  // an off-screen buffer made opaque, and repaint so once the window answered their colours.
  virtual bool RefreshesEdits() { return false; }

 protected:
  // Set by the descendants' ChangeMarkState.
  Byte FMarkState = 0;

  void CreateWnd() override;
  void DestroyWindowHandle() override;
  // What goes with the window: its shadow hides, hosted windows are let go, item controls freed.
  void ReleaseWindowContents();
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Paint() override;

 private:
  void KeyDownInChain(TMessage& Message);
  // The manager's selected control is an in-place editor being edited: the mouse moves no
  // selection meanwhile.
  bool IsEditingInPlace();
  // The edit control of the window whose hosted window AWnd is; nil for none.
  TqzBarCustomEditControl* HostingEditControl(HWND AWnd);
  void LeftButtonUp(TMessage& Message);
  // A pending link drag turns into the manager's drag once the point leaves the drag rectangle
  // round the press; answers whether it did.
  bool BeginPendingDrag(const TPoint& P);
  // The non-client painting protocol: the frame drawn on a whole-window DC, released on every path.
  void PaintNonClient(TMessage& Message);
  // Bar windows never keep the focus: it goes back to the manager's form.
  void PassFocusOn();
  void TrackMouse(TShiftState AShift, Integer X, Integer Y);
  void TrackLink(TqzBarItemLink* ALink, const TPoint& P);
  void SetUpCanvasFont();

  TqzBarItemLinks* FItemLinks = nullptr;
  TqzBarHelperRef FAccessibilityHelper;
  struct TExpandedLink {
    TqzBarItemLink* Link;
    TCustomqzBarContainerItem* Item;
    Integer Position;
    bool Replaced;
  };
  std::vector<TExpandedLink> FExpandedLinks;
  std::unique_ptr<TkvCanvas> FPaintCanvas;
  std::unique_ptr<TkvScreenCanvas> FScreenCanvas;
  std::unique_ptr<TCustomqzBarControlViewInfo> FViewInfo;
  std::unique_ptr<TBitmap> FBackgroundCache;
  std::unique_ptr<TqzBarShadow> FShadow;
  TCustomqzBarControl* FOpenerBar = nullptr;
  TCustomqzBarControl* FOpenedBar = nullptr;
  TCustomqzBarControl* FPrevActiveBar = nullptr;
  TqzBarItemLink* FCurrentLink = nullptr;
  TqzBarItemLink* FTrackedLink = nullptr;
  TqzBarItemControl* FCaptureControl = nullptr;
  bool FClosedByEsc = false;
  bool FSkipNextClick = false;
  bool FActive = false;
  bool FKeptDown = false;
  bool FDragPending = false;
  TPoint FDragPressPoint;
  Integer FTextSize = 0;
  Cardinal FEditTextSize = 0;
  Integer FMenuArrowHeight = 0;
  Cardinal FComboArrowWidth = 0;
  Integer FIconAreaSize = 0;
  double FRatio = 1.0;
  TRect FItemsRect;
  TRect FVisibleItemsRect;
  TPoint FLastMousePos{-1, -1};
  TqzBarPainter* FOwnPainter = nullptr;
  TRect FOwnerBounds;
  TWinControl* FOwnerWindow = nullptr;
  Byte FBusyFlags = 0;
  Byte FViewState = 0;
};

// Set when a menu of the current menu chain expanded to all its links: the chain's later menus
// open expanded. A new chain starts with it set only when it starts while customizing.
bool MenusExpanded();
void SetMenusExpanded(bool Value);
// The window at the root of the chain of openers above the window (the window itself when it
// has none); nil for nil.
TCustomqzBarControl* RootBarControl(TCustomqzBarControl* AControl);
// The head of the active chain; nil when no bar window is active.
TCustomqzBarControl* ActiveBarControl();
// Closes the active bar window and the chain it heads; nothing when none is active.
void HideActiveBarControl();
// The window is still in the list of live bar windows.
bool IsBarControlLive(TCustomqzBarControl* AControl);
// The live bar windows of the manager, oldest first.
std::vector<TCustomqzBarControl*> BarControlsOfManager(TqzBarManager* AManager);
// Every live bar window of the manager drops its background cache, lays out and repaints anew.
void RefreshBarControlsOf(TqzBarManager* AManager);
