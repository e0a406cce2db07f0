#pragma once
// The toolbar window: the window of one TqzBar, a child in a row of a dock site or a floating tool
// window with a small caption and a close button. It adds the grip, the mark of hidden links, the
// switch between docked and floating while the user drags it, the write-back of its position into
// the bar, and the toolbar geometry (minimum, full and wrapped sizes, placement in rows).

#include "toolkit/bars/qzBarControl.h"

class TqzBarCustomEditControl;
class TqzDockControl;
class TqzBarControl;

// Makes the popup a toolbar opens from its mark, for the toolbar and its bar.
using TqzQuickControlFactory = TqzBarControl* (*)(TqzBarControl* AParent, TqzBar* ABar);
// Picks the constructor of a popup toolbar that shows links of its own.
struct TqzChildBar {};

// The layout info of a toolbar: the controls with their bounds and the separators between groups.
class TqzBarControlViewInfo : public TCustomqzBarControlViewInfo {
  TAVREN_CLASS(TqzBarControlViewInfo, TCustomqzBarControlViewInfo)
 public:
  using TCustomqzBarControlViewInfo::TCustomqzBarControlViewInfo;
  void Calculate() override;

  virtual void AddSeparatorFor(TqzBarItemLink* ALink);
  virtual bool SeparatorsBeforeLinks() { return false; }
  virtual bool HasSeparators() { return true; }
  virtual void CalcSeparatorRect(TqzBarItemLink* ALink, const TRect& ABounds);
  virtual bool StopsAfter(TqzBarItemControl*) { return false; }
};

// Non-client hit codes the toolbar records (the window answers HTCLIENT for most of them so that
// presses reach its mouse handling).
constexpr Integer qzHitCaption = 2;   // HTCAPTION
constexpr Integer qzHitLeft = 10;     // HTLEFT
constexpr Integer qzHitRight = 11;    // HTRIGHT
constexpr Integer qzHitTop = 12;      // HTTOP
constexpr Integer qzHitBottom = 15;   // HTBOTTOM
constexpr Integer qzHitSizeGrip = 17; // HTBOTTOMRIGHT
constexpr Integer qzHitClose = 20;    // HTCLOSE

class TqzBarControl : public TCustomqzBarControl {
  TAVREN_CLASS(TqzBarControl, TCustomqzBarControl)
 public:
  // The window of ABar; the owner is the bar's manager.
  TqzBarControl(TComponent* AOwner, TqzBar* ABar);
  // A popup toolbar opened by AOpener with links of its own: they belong to a hidden bar the
  // window adds to the manager and frees with itself. ASourceBar lends its caption buttons.
  TqzBarControl(TCustomqzBarControl* AOpener, TqzBar* ASourceBar, TqzChildBar);
  ~TqzBarControl() override;

  TqzBar* GetBar() const noexcept { return FBar; }
  // The bar whose caption buttons a popup toolbar uses; nullptr for a bar's own window.
  TqzBar* GetSourceBar() const noexcept { return FSourceBar; }
  TqzBarCaptionButtons* GetCaptionButtons();
  // The quick control the mark opened, while it is open.
  TqzBarControl* GetQuickPopup() const noexcept { return FQuickPopup; }
  // The mark's rectangle on the screen (empty without a mark).
  void MarkScreenRect(TRect& R);
  // The mark's keyboard-navigation node, made on first request from MarkAccessibilityHelperClass.
  TqzBarAccessibilityHelper* GetMarkAccessibilityHelper();
  void RepaintMark();
  // The 50 ms timer that returns a hot mark to normal once the cursor left it.
  bool IsMarkTimerRunning() const noexcept { return FMarkTimer != 0; }
  TqzDockControl* GetDockControl() const noexcept { return FDockControl; }
  TqzBarDockingStyle GetDockingStyle() const noexcept { return FDockingStyle; }
  bool IsDockedHorizontally() const { return FDockingStyle == dsTop || FDockingStyle == dsBottom; }
  bool IsDockedVertically() const { return FDockingStyle == dsLeft || FDockingStyle == dsRight; }
  bool IsFloating() const { return FDockingStyle == dsNone; }
  Integer GetLastHitCode() const noexcept { return FLastHitCode; }
  Byte GetCloseButtonState() const noexcept { return FCloseButtonState; }
  bool GetLinksHidden() const noexcept { return FLinksHidden; }
  void SetLinksHidden(bool Value) { FLinksHidden = Value; }
  Integer GetFullLength() const noexcept { return FFullLength; }
  void SetFullLength(Integer Value) { FFullLength = Value; }
  Integer GetMinLength() const noexcept { return FMinLength; }
  void SetMinLength(Integer Value) { FMinLength = Value; }
  const TRect& GetDesiredBounds() const noexcept { return FDesiredBounds; }
  void SetDesiredBounds(const TRect& R) { FDesiredBounds = R; }
  bool GetMoving() const noexcept { return FMoving; }
  const TPoint& GetDragOffset() const noexcept { return FDragOffset; }
  const TSize& GetDragSize() const noexcept { return FDragSize; }
  // Where the cursor holds the window while it is dragged (window coordinates).
  void SetDragOrigin(const TPoint& P) { FDragOffset = P; }

  // Docking. The window is made anew for the style (a child of the site, or a popup owned by the
  // manager's owner window); while the bar is moved, the window it leaves is kept and comes back
  // when the bar returns to that kind of place.
  void ChangeDockSite(TqzDockControl* ADockControl, TqzBarDockingStyle AStyle);
  void BeginWindowChange() { ++FWindowChangeCount; }
  void EndWindowChange() { --FWindowChangeCount; }
  bool IsChangingWindow() const noexcept { return FWindowChangeCount > 0; }
  // The site goes with its children: the window forgets it and floats in name until it is placed.
  void ForgetDockControl();
  // The layout info anew for the current client area (after the site moved or sized the window).
  void CalcViewInfoNow();
  // Moving keeps the docked and the floating window until it ends; the in-place windows of the
  // controls are gone meanwhile. Ending it destroys the kept window not in use.
  void SetMoving(bool AMoving);
  // The window kept while moving for the docked or the floating place (null for none).
  HWND GetKeptHandle(bool ADocked) const noexcept { return ADocked ? FDockedHandle : FFloatingHandle; }
  // Where the cursor sits in the window when it takes the style during a move.
  void CursorOffsetForStyle(TqzBarDockingStyle AStyle, TPoint& P);
  void ApplyDesiredBounds();
  void StorePosition();
  void RefreshLayout();
  void RefreshFrame();
  void UpdateCaption();

  // Toolbar geometry, client pixels.
  Integer FullWidth(TqzBarDockingStyle AStyle);
  Integer FullHeight(TqzBarDockingStyle AStyle);
  void WrapToLength(TqzBarDockingStyle AStyle, Integer ALength, TSize& ASize);
  void CalcSizeForHeight(TqzBarDockingStyle AStyle, Integer AHeight, TSize& ASize);
  // The outer size for the style, borders included.
  void CalcSizeForDockingStyle(TqzBarDockingStyle AStyle, TSize& ASize);
  // The painter's border sizes for a style (left, top, right, bottom).
  TRect BorderSizes(TqzBarDockingStyle AStyle);
  Integer MarkSizeMetric() const noexcept { return FMarkSize; }
  // The mark size metric while the mark shows, else 0.
  Integer MarkSize();
  // The close button of the caption, in window coordinates (empty without one).
  TRect CloseButtonRect();
  // The caption band, in window coordinates (empty when docked).
  TRect CaptionRect();

  // Operations in slot order.
  virtual bool MayHideFirstLink() { return false; }
  virtual bool CanMoveBar();
  virtual bool IsShown();
  virtual void ClickCaptionButton(Integer AIndex);
  virtual TClassOf<TqzBarAccessibilityHelper> MarkAccessibilityHelperClass();
  virtual String MarkHint();
  virtual bool IsMultiLineLayout();
  virtual TqzQuickControlFactory QuickControlClass();
  virtual TCustomForm* GetOwnerForm();
  virtual bool AllowsQuickCustomizing();
  // Copies of the links that got no room, each pointing at its source link.
  virtual void FillHiddenLinks(TqzBarItemLinks* ALinks);
  // The "Add or Remove Buttons" entry, whose menu FillQuickCustomizeList fills: a check entry per
  // link of the bar, then "Reset Toolbar" where allowed and "Customize...".
  virtual void AddQuickCustomizeEntry(TqzBarItemLinks* ALinks);
  virtual void FillQuickCustomizeList(TqzBarItemLinks* ALinks);
  virtual Integer CalcWidth(TqzBarDockingStyle AStyle);
  virtual Integer CalcRowExtent(TqzBarDockingStyle AStyle);
  virtual void GripRect(TRect& R);
  virtual void CalcSize(TqzBarDockingStyle AStyle, Integer ALimit, TSize& ASize);
  virtual void PopupSize(TSize& ASize) { ASize = TSize(0, 0); }
  virtual bool HasFloatingCaption() { return true; }
  virtual bool HasCloseButton();
  // The opener's mark in screen coordinates: where a popup toolbar is shown.
  virtual void GetParentOpenerRect(TRect& R);
  virtual void AfterResize(bool) {}
  virtual String GetCaptionText();
  virtual TFont* GetBarFont();
  // The window takes its bar font again, after that font changed, and measures itself anew.
  void ApplyBarFont();
  virtual void NotifyBarChanged() {}
  virtual bool BlocksOtherBars() { return true; }
  virtual bool IsOutsideHostPopup();
  virtual void ResetParentMark();
  // Shows the window as a popup beside AOwnerRect (screen coordinates), left-aligned below it.
  virtual void ShowAsPopup(const TRect& AOwnerRect);
  // Below a horizontal opener (at the owner's left edge, or ending at its right edge), beside a
  // vertical one, kept on the work area; shown without activation.
  void PlaceAsPopup(const TRect& AOwnerRect, bool ALeftAligned);

  // Overrides of the bar window.
  void WindowPosChanged(const WINDOWPOS* APos) override;
  void CalcItemsRect() override;
  void CalcMetrics() override;
  void PlaceControls() override;
  // A link the bar cannot show takes the window of the program it hosts out of sight.
  void HideHostedWindowOf(TqzBarItemLink* ALink);
  bool IsDesigning() override;
  // Off every link but inside the client area, the row across the point decides: before its last
  // link the drop goes to the row's start (or before a last link that is not left-aligned),
  // after it to the row's end.
  void LinkAtPoint(const TPoint& P, TqzBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                   bool& AAtSeparator) override;
  bool IsUpdateLocked() override;
  // Outside customizing: the list of the manager's toolbars.
  void ShowContextPopup(TqzBarItemControl* AControl) override;
  void BarMouseDown(TMouseButton AButton, TShiftState AShift, bool AInsideClient, TqzBarItemControl* AControl,
                    const TPoint& P) override;
  void BarMouseMove(TShiftState AShift, const TPoint& P, TqzBarItemControl* AControl) override;
  // While customizing, a press on an edge strip of the selected edit item resizes its edit (the
  // window holds the mouse; the release takes the width, a lost capture drops it); any other
  // press on the selected control arms the link drag.
  void StartDrag(const TPoint& P, bool ASameControl) override;
  bool IsEditSizing() const noexcept { return FEditSizing; }
  void PressItemControl(TqzBarItemControl* AControl) override;
  // Going inactive closes the drop-down of the selected button.
  void SetActive(bool AActive) override;
  // The toolbar takes the keyboard: it remembers the focus window and the manager's focused bar
  // window before it, and becomes the focused one.
  void SelectControlFocused(TqzBarItemControl* AControl) override;
  // With the bar kept down and an entry's menu open, selecting another entry from the keyboard
  // opens that entry's menu (its first entry selected): the open menu moves along.
  void SetSelectedControl(TqzBarItemControl* AControl) override;
  // A press on no control while customizing selects the bar.
  IqzBarSelectableItem* DesignObject() override;
  // The previous focused bar window comes back, and the focus goes back to the remembered window.
  void ClearSelection() override;
  void RecreateControls(bool ARecreate) override;
  Integer SeparatorSize() override;
  TFont* GetEditFont() override;
  void ControlRect(TqzBarItemControl* AControl, TRect& R) override;
  // The control's band with the separator before it.
  HRGN ControlRegion(TqzBarItemControl* AControl) override;
  bool IsMainMenu() override;
  bool IsStatusBar() override { return FBar->IsStatusBarLike(); }
  HBRUSH BackgroundBrush() override;
  TClassOf<TCustomqzBarControlViewInfo> ViewInfoClass() override { return TqzBarControlViewInfo::ClassInfo(); }
  void GetBarBounds(TRect& R) override;
  bool ShowsMark() override;
  // Hot while the keyboard has the mark selected.
  Byte GetMarkState() override;
  void ChangeMarkState(Byte AState) override;
  bool OwnsBar() override { return FOwnsBar; }
  bool IsDetachedPopup() override { return FOwnsBar; }
  bool ClosesOnModalActivation() override { return FOwnsBar; }
  void HideBar() override;
  void BarMouseLeave() override;
  void RepaintControl(TqzBarItemControl* AControl) override;
  void FillBackground(HDC DC, const TRect& R, bool AOffset, TColor AColor, HBRUSH ABrush) override;
  bool HasBackgroundBitmap() override;
  bool HasCustomBackground() override;
  void ClientOffset(TPoint& P) override;
  void DrawFrameOn(HDC DC) override;
  void DrawBarParts(TkvCanvas* ACanvas) override;
  void MarkRect(TRect& R) override;
  bool IsVertical() override { return IsDockedVertically(); }
  TClassOf<TqzBarAccessibilityHelper> GetAccessibilityHelperClass() override;
  bool RotatesText() override;
  Integer BarKind() override { return 0; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  // A floating window takes the bar's alpha (AlphaBlendValue below 255 makes it layered).
  void UpdateWindowBlend();
  void DestroyWindowHandle() override;
  void WndProc(TMessage& Message) override;

 private:
  // Hooks or unhooks the in-place windows of the controls.
  void SetHostedWindowsHooked(bool AHooked);
  void DestroyKeptHandles();
  void ResetToolbarClick(TObject* Sender);
  void HitTest(TMessage& Message);
  void CalcNonClientSize(TMessage& Message);
  void PullOntoWorkArea(WINDOWPOS* APos);
  void SizeFloating(TMessage& Message);
  void ToggleDocking();
  // The caption's buttons: the close button (-2) or a caption button's index; -1 for none.
  Integer CaptionButtonAtCursor();
  void TrackCaptionButton(Integer AButton);
  void UpdateCaptionButtonStates(const TPoint& AWindowPoint, bool APressed);
  void SetCloseButtonState(Byte AState);
  // P in client coordinates (a floating mark lies in the caption, outside the client area).
  bool IsOverMark(const TPoint& P);
  // The size grip of a status-bar look, client coordinates (empty without one).
  TRect SizeGripRect();
  // The painter offers quick customizing and the mark shows.
  bool MarkEnabled();
  void StartMarkTimer();
  void KillMarkTimer();
  static void MarkTimerProc(HWND, UINT, UINT_PTR, DWORD);
  // The quick popup follows the mark when the window moves.
  void FollowMarkWithQuickPopup();
  bool ControlUsableAt(const TPoint& P);
  void SetUpFontForStyle();
  // The size of an item when the bar has none: a button for the manager's glyph size.
  Integer DefaultItemSize();
  // The design-selected edit item of this window, nullptr for none.
  TqzBarCustomEditControl* SelectedEditControl();
  void EndEditSizing(bool AApply);
  void FinishPlacedRow(Integer AFirst, Integer ALast, Integer AThickness, bool AVertical, Integer AColumnEdge);

  TqzBar* FBar;
  TqzBar* FSourceBar = nullptr;
  bool FOwnsBar = false;
  TqzBarControl* FQuickPopup = nullptr;
  TqzBarHelperRef FMarkAccessibilityHelper;
  // The bar's size-grip answer, kept while the bar is being moved.
  bool FSizeGripShown = false;
  HWND FRememberedFocus = nullptr;
  TkvObjectLink* FPrevFocusedBar = nullptr;
  UINT_PTR FMarkTimer = 0;
  TqzDockControl* FDockControl = nullptr;
  TqzBarDockingStyle FDockingStyle = dsNone;
  Integer FLastHitCode = 0;
  Byte FCloseButtonState = 0;
  Integer FWindowChangeCount = 0;
  Integer FFullLength = 0;
  Integer FMinLength = 0;
  Integer FMarkSize = 0;
  bool FMoving = false;
  HWND FDockedHandle = nullptr;
  HWND FFloatingHandle = nullptr;
  bool FEditSizing = false;
  bool FStoringPosition = false;
  bool FLinksHidden = false;
  TRect FDesiredBounds;
  TPoint FDragOffset;
  TSize FDragSize;
};
