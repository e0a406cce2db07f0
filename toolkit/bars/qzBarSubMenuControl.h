#pragma once
// The menu window: the popup of a sub-menu (opened by a sub-item or a drop-down button) and of a
// popup menu. It lays its controls out in one column, places itself next to the element that
// opened it (flipping to the other side when the work area's edge requires), draws its frame and
// background through the painter and closes with Esc, a click or its opener.

#include "toolkit/bars/qzBarControl.h"

class TqzBarMenuAnimation;
class TqzBarSubMenuControl;

// The controls of a menu with the separators above the group starts.
class TqzBarSubMenuControlViewInfo : public TCustomqzBarControlViewInfo {
  TAVREN_CLASS(TqzBarSubMenuControlViewInfo, TCustomqzBarControlViewInfo)
 public:
  using TCustomqzBarControlViewInfo::TCustomqzBarControlViewInfo;
  void Calculate() override;
};

class TqzBarSubMenuControl : public TCustomqzBarControl {
  TAVREN_CLASS(TqzBarSubMenuControl, TCustomqzBarControl)
 public:
  // The window's timers: scrolling, the expand timers of a selection change and of the mark's
  // rest (or the window's first activation).
  static constexpr UINT_PTR kScrollTimer = 1;
  static constexpr UINT_PTR kSelectionExpandTimer = 2;
  static constexpr UINT_PTR kMarkExpandTimer = 3;
  // One frame of the opening animation a tick.
  static constexpr UINT_PTR kAnimationTimer = 5;
  static constexpr UINT kAnimationFrameTime = 10;
  static constexpr UINT kExpandDelay = 4000;

  explicit TqzBarSubMenuControl(TComponent* AOwner);
  ~TqzBarSubMenuControl() override;
  bool IsVerticalLayout() override { return true; }

  // Where the menu was asked to stand, and the size of the element that opened it in the
  // direction the menu must not cover (a width beside a menu item, a height below a toolbar
  // entry; both 0 for a free popup).
  Integer GetRequestedLeft() const noexcept { return FRequestedLeft; }
  Integer GetRequestedTop() const noexcept { return FRequestedTop; }
  void SetOpenerExtents(Integer AWidth, Integer AHeight) {
    FOpenerWidth = AWidth;
    FOpenerHeight = AHeight;
  }
  Integer GetOpenerWidth() const noexcept { return FOpenerWidth; }
  Integer GetOpenerHeight() const noexcept { return FOpenerHeight; }
  // The preferred opening direction: 1 right / down (the defaults), 0 left / up.
  Byte GetHorzDirection() const noexcept { return FHorzDirection; }
  Byte GetVertDirection() const noexcept { return FVertDirection; }
  // Where the window's placing made it open: against the preferred direction when it flipped.
  bool OpensLeft() const noexcept { return (FHorzDirection == 0) != FFlippedHorz; }
  bool OpensUp() const noexcept { return (FVertDirection == 0) != FFlippedVert; }
  TqzBarItemControl* GetOpenerControl() const noexcept { return FOpenerControl; }
  void SetOpenerControl(TqzBarItemControl* Value) { FOpenerControl = Value; }
  TNotifyEvent GetOnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent Value) { FOnCloseUp = Value; }
  TNotifyEvent GetOnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent Value) { FOnPopup = Value; }
  HWND GetOwnerWindowHandle() const noexcept { return FOwnerWindowHandle; }
  void SetOwnerWindowHandle(HWND Value) { FOwnerWindowHandle = Value; }
  Integer GetScrollIndex() const noexcept { return FScrollIndex; }

  // Recent items. While the manager shows recent items first, a menu shows its often used links
  // and an expand mark under them; expanding makes the window anew with every link.
  bool ShowsMark() override;
  void MarkRect(TRect& R) override;
  // 0 normal, 1 hot, 2 pressed (expands).
  void ChangeMarkState(Byte AState) override;
  // The expand mark's height, and the size of its chevrons.
  Integer GetMarkSize() const noexcept { return FMarkSize; }
  // The width of the arrow part of the split buttons in the menu.
  Integer GetButtonArrowWidth() const noexcept { return FButtonArrowWidth; }
  Integer GetChevronSize() const;
  void Expand();
  HBRUSH GetNonRecentBrush() const noexcept { return FNonRecentBrush; }
  // The menu's own background brush (BackgroundBrush answers the brush of the item being drawn).
  HBRUSH MenuBackgroundBrush();
  // The width of the owner's side band (0 without).
  Integer GetBarSize();
  // The side band left of the items rectangle, in client coordinates.
  void GetSideBandRect(TRect& R);
  // Where the captions start, as the painter measures it.
  Integer GetTextStart();
  // Where the glyph column ends, measured from the menu's left edge.
  Integer GetGlyphColumnEnd();
  // What a key does to a menu that shows its expand mark: 0 nothing, 1 expands it (Ctrl+Down),
  // 2 expands it and walks on (Down or Tab on the last shown link).
  Integer ExpandingKey(Word AKey);

  // Scrolling: a menu taller than the work area shows buttons that scroll it one link per tick
  // while the mouse rests on them.
  bool CanScrollUp() const noexcept { return FScrollIndex > 0; }
  bool CanScrollDown();
  void SetScrollIndex(Integer AIndex);
  void ScrollIntoView(TqzBarItemControl* AControl);
  UINT ScrollInterval();
  bool IsScrolling() const noexcept { return FScrolling; }
  // The control of the last row laid out.
  TqzBarItemControl* GetBottomItemControl();
  // The first and last visible link indexes that are not under a scroll button.
  Integer FirstShownIndex();
  Integer LastShownIndex();
  // A group's separator stands above the link (not on the first row, nor under the up button).
  bool HasSeparatorAbove(TqzBarItemLink* ALink);
  // 1 above a control that starts a band of links outside the recent ones, where the look sets
  // such a band apart; else 0.
  Integer BandGap(TqzBarItemControl* AControl);

  // Tearing off: a sub-menu of a detachable sub-item shows a thin caption at its top; dragging it
  // away shows the sub-item's detaching bar floating under the mouse.
  bool HasDetachCaption();
  Integer GetDetachCaptionHeight();
  // Window coordinates.
  void GetDetachCaptionRect(TRect& R);
  Integer GetDetachAreaSize();
  bool GetDetachCaptionHot() const noexcept { return FDetachCaptionHot; }
  void SetDetachCaptionHot(bool Value);
  bool CanDetach();
  void TearOff();

  // Opening animation: the next showing rolls out (an opener sets it for a click or a key).
  bool GetAnimateOnShow() const noexcept { return FAnimateOnShow; }
  void SetAnimateOnShow(bool Value) { FAnimateOnShow = Value; }
  TqzBarMenuAnimations GetEffectiveAnimation() const noexcept { return FEffectiveAnimation; }
  bool IsAnimating() const noexcept { return FAnimation != nullptr; }
  // Puts a rolling-out window at once at its final bounds, painting itself from then on.
  void FinishAnimation();

  // Makes the window at the screen point (its top-left corner), places it on the work area and
  // shows it without activation.
  void Popup(const TPoint& P);
  // Places the window for a size ((0, 0): its content size); answers the flips.
  void Place(TSize ASize, bool& AFlippedHorz, bool& AFlippedVert);
  // The size the content asks for, frame and margins included.
  void PlacingSize(TSize& ASize);
  void StartPopup();
  // Hides and frees the window (once).
  void Dismiss();

  // Operations in slot order.
  virtual void DrawNonClient(HDC DC, const TRect& R);
  virtual bool RightButtonActsAsLeft();
  virtual void CalcContentSize(TSize& ASize);
  virtual bool MayShrinkWidth() { return false; }
  virtual bool SelectsFirstOnKeyboardOpen() { return true; }
  virtual void GetContentSize(TSize& ASize) { CalcContentSize(ASize); }
  virtual void ShowAnimated();
  virtual void PaintItems();
  // The band left of the items: the links' owner paints it.
  void PaintSideBand();
  virtual void DrawBackground(HDC DC, const TRect& R);
  TBitmap* BackgroundBitmap();
  // With AWithDetach, the room of a detach caption counts at the top.
  virtual void ContentMargins(bool AWithDetach, TRect& R);
  virtual void ItemsAreaOffset(TRect& R);
  // The screen bounds every menu opened from this one takes, when the window decides them.
  virtual bool ChildMenuBounds(TRect&) { return false; }
  // A menu the bars build for themselves, or one opened from it: its links are never customized.
  virtual bool IsInternalMenu();
  // The entries of the popup a right click on an entry opens outside customizing: none in a plain
  // menu, so no popup shows.
  virtual void FillCustomizingPopup(TqzBarItemLinks*, TqzBarItemLink*) {}

  // Overrides of the bar window.
  void CalcItemsRect() override;
  void CalcClientItemsRect() override;
  void CalcMetrics() override;
  // Only the rows between the scroll buttons are in the layout info (its Calculate picks them).
  void CalcViewInfo() override;
  void AdjustVisibleItemsRect(TRect& R) override;
  bool AcceptsPartialLink(const TRect& R) override;
  void SetActive(bool AActive) override;
  void BarMouseMove(TShiftState AShift, const TPoint& P, TqzBarItemControl* AControl) override;
  void BarMouseLeave() override;
  HBRUSH BackgroundBrush() override;
  bool CanActivate() override { return true; }
  bool IsInactive() override { return (KindFlags() & qzKindCountsInactive) != 0; }
  // While customizing, the menus of popup menus and of sub-items that allow it take dropped links.
  bool IsDesigning() override;
  bool IsCustomizing() override { return !IsInternalMenu() && inherited::IsCustomizing(); }
  // Nothing is a drop target over a scroll button or the expand mark.
  void LinkAtPoint(const TPoint& P, TqzBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                   bool& AAtSeparator) override;
  // A rolling-out window casts no shadow until it stands.
  bool HasShadow() override { return inherited::HasShadow() && !FAnimateOnShow; }
  bool JoinsOpenedMenus() override { return false; }
  bool OwnsForeignWindow(HWND AWnd) override;
  void HideBar() override;
  void DrawItemControl(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R) override;
  Integer SeparatorSize() override;
  Word KindFlags() override;
  // A large item is twice a row high, 2.5 times when it shows its description.
  Integer ItemHeightFor(TqzBarItemControl* AControl) override;
  TFont* GetEditFont() override;
  bool IsMainMenu() override { return false; }
  bool ClosesOnModalActivation() override { return true; }
  Integer GroupSpacingBefore(TqzBarItemLink* ALink) override;
  // A band set one pixel apart owns that pixel.
  void ControlBounds(TqzBarItemControl* AControl, TRect& R) override;
  Byte GetItemPaintKind() override { return qzPaintMenu; }
  TClassOf<TCustomqzBarControlViewInfo> ViewInfoClass() override { return TqzBarSubMenuControlViewInfo::ClassInfo(); }
  Integer TextSize() override;
  void RepaintControl(TqzBarItemControl* AControl) override;
  void FillBackground(HDC DC, const TRect& R, bool AOffset, TColor AColor, HBRUSH ABrush) override;
  bool ClaimsFinalClicks() override { return true; }
  // While customizing, a right click into a menu without links is one on the opener's entry;
  // otherwise a right click on an entry opens the popup FillCustomizingPopup fills for its link.
  void ShowContextPopup(TqzBarItemControl* AControl) override;
  void ChangeSelection(TqzBarItemControl* AControl) override;
  // A control hidden in the short menu that runs no command of its own (a sub-item) is pressed in
  // the expanded menu.
  void SelectAndPress(TqzBarItemControl* AControl, bool ASelectOnly) override;
  Integer BarKind() override { return 2; }
  TClassOf<TqzBarAccessibilityHelper> GetAccessibilityHelperClass() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  // A menu shows the links of its container items in their place, made with the controls and
  // taken out before them.
  void CreateLinkControls() override;
  void DestroyLinkControls() override;
  // The content changed while shown: the window takes its new size from where it was asked to
  // stand.
  void RecreateControls(bool ARecreate) override;
  void WndProc(TMessage& Message) override;
  void Paint() override;

 private:
  void KeyDown(TMessage& Message);
  // The popup menu whose links the window shows; nil for a sub-menu.
  TqzBarCustomPopupMenu* OwnerPopupMenu();
  // The parent bar's font, else a popup menu's (it follows the manager's until it has its own),
  // else the manager's.
  void TakeMenuFont();
  void AnimationTimer();
  // Recent items: the links' limit and the controls' non-recent and band flags.
  void UpdateRecentLinkLimit();
  void UpdateNonRecentFlags();
  void StartExpandTimer(UINT_PTR AId, UINT ADelay = kExpandDelay);
  void KillExpandTimer();
  void ExpandTimer(UINT_PTR AId);
  bool ExpandsByKey(TMessage& Message);
  bool IsCursorOnMark();
  // Scrolling.
  bool IsOnScrollButton(const TPoint& P, bool ADown);
  bool IsOnActiveScrollButton(const TPoint& P);
  void StopScrolling();
  void ScrollTimer();
  void DrawScrollButtons();
  // The cursor relative to the window's top-left corner.
  TPoint CursorInWindow();
  bool IsCursorOnDetachCaption();
  void LeftButtonDown(TMessage& Message);

  Integer FRequestedLeft = 0;
  Integer FRequestedTop = 0;
  Integer FOpenerWidth = 0;
  Integer FOpenerHeight = 0;
  Byte FHorzDirection = 1;
  Byte FVertDirection = 1;
  bool FFlippedHorz = false;
  bool FFlippedVert = false;
  Integer FScrollIndex = 0;
  bool FAnimateOnShow = false;
  TqzBarMenuAnimations FEffectiveAnimation = maNone;
  std::unique_ptr<TqzBarMenuAnimation> FAnimation;
  Integer FMarkSize = 0;
  Integer FButtonArrowWidth = 0;
  HBRUSH FNonRecentBrush = nullptr;
  UINT_PTR FFullMenuTimer = 0;
  bool FScrolling = false;
  bool FDetachCaptionHot = false;
  bool FRecreating = false;
  bool FDrawingNonRecent = false;
  TqzBarItemControl* FOpenerControl = nullptr;
  TNotifyEvent FOnCloseUp;
  TNotifyEvent FOnPopup;
  HWND FOwnerWindowHandle = nullptr;
  bool FDismissing = false;
  bool FWindowDestroyed = false;
};

