#pragma once
// The Wb tab control and page control: shaped tabs in five outline styles on any side, in one row
// that scrolls or several that wrap, with images, multi-line and rotated captions, hot tracking,
// per-tab hints, keys and accelerators, a veto-able change, drag-and-drop reordering and three
// strip buttons (scroller, close, menu). The card (page area) joins the current tab. All geometry
// is computed once along the strip and turned onto the control's side by one transform
// (StripToClient). The page control fills the tab list from its pages.

#include <memory>
#include <vector>

#include "toolkit/controls/WbCommon.h"
#include "vcl/Controls.h"
#include "vcl/Graphics.h"
#include "vcl/ImgList.h"

class TPopupMenu;
class TTimer;
class TWbCustomTabControl;
class TWbPageControl;
class TWbTabSheet;

enum TWbTabStyle { tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant };
TAVREN_ENUM_INFO(TWbTabStyle, tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant);
enum TWbTabSequence { tsStandard, tsReverse };
TAVREN_ENUM_INFO(TWbTabSequence, tsStandard, tsReverse);
enum TWbTabOrientation { toTop, toLeft, toBottom, toRight };
TAVREN_ENUM_INFO(TWbTabOrientation, toTop, toLeft, toBottom, toRight);
enum TWbImagePosition { ipLeft, ipTop, ipRight, ipBottom, ipBack, ipStretch };
TAVREN_ENUM_INFO(TWbImagePosition, ipLeft, ipTop, ipRight, ipBottom, ipBack, ipStretch);
enum TWbHorizontalAlignment { haLeft, haCenter, haRight };
TAVREN_ENUM_INFO(TWbHorizontalAlignment, haLeft, haCenter, haRight);
enum TWbVerticalAlignment { vaTop, vaCenter, vaBottom };
TAVREN_ENUM_INFO(TWbVerticalAlignment, vaTop, vaCenter, vaBottom);
enum TWbTextStyle { tsHotTrack, tsSelected, tsUnselected, tsDisabledHighlight, tsDisabledShadow };
TAVREN_ENUM_INFO(TWbTextStyle, tsHotTrack, tsSelected, tsUnselected, tsDisabledHighlight, tsDisabledShadow);
enum TWbTabHotTrackStyle { htsTab, htsText };
TAVREN_ENUM_INFO(TWbTabHotTrackStyle, htsTab, htsText);

using TWbTabChangingEvent = TEvent<void(TObject* Sender, Integer NewIndex, bool& AllowChange)>;
using TWbTabCloseEvent = TEvent<void(TObject* Sender, bool& AllowClose)>;
using TWbTabOrderChangeEvent = TEvent<void(TObject* Sender, Integer OldIndex, Integer NewIndex)>;
using TWbPaintBackgroundEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, bool& Handled)>;
using TWbPaintTabBackgroundEvent =
    TEvent<void(TObject* Sender, TCanvas* ACanvas, Integer ATabIndex, const TRect& ARect, bool& Handled)>;
using TWbPaintCardBackgroundEvent =
    TEvent<void(TObject* Sender, TCanvas* ACanvas, Integer ARow, const TRect& ARect, bool& Handled)>;
using TWbGetTextColorEvent =
    TEvent<void(TObject* Sender, Integer ATabIndex, TWbTextStyle AStyle, TColor& AColor, bool& Handled)>;

// ---- Tab records ------------------------------------------------------------------------------

class TWbTabData : public TPersistent {
  TAVREN_CLASS(TWbTabData, TPersistent)
 public:
  TWbTabData() = default;
  void Assign(TPersistent* Source) override;

  String Caption;
  TColor Color = clBtnFace;
  Integer DisabledIndex = -1;
  bool TabEnabled = true;
  String Hint;
  Integer ImageIndex = -1;
  // Set by the layout.
  TRect StripRect;
  bool TabVisible = true;
  Integer Row = 0;
};

class TWbTabDataList : public TPersistent {
  TAVREN_CLASS(TWbTabDataList, TPersistent)
 public:
  TWbTabDataList() = default;
  ~TWbTabDataList() override { Clear(); }
  void Assign(TPersistent* Source) override;
  Integer GetCount() const { return Integer(FItems.size()); }
  TWbTabData* GetItems(Integer Index) const { return FItems.at(size_t(Index)); }
  // Frees the item it replaces.
  void SetItems(Integer Index, TWbTabData* Value);
  void Add(TWbTabData* Item) { FItems.push_back(Item); }
  void Clear();

 private:
  std::vector<TWbTabData*> FItems;
};

// ---- Colour sets ------------------------------------------------------------------------------

class TWbTabColors : public TPersistent {
  TAVREN_CLASS(TWbTabColors, TPersistent)
 public:
  explicit TWbTabColors(TWbCustomTabControl* Control = nullptr) : FControl(Control) {}
  void Assign(TPersistent* Source) override;
  TColor GetHighlightBar() const { return FHighlightBar; }
  virtual void SetHighlightBar(TColor Value) { Change(FHighlightBar, Value); }
  TColor GetShadow() const { return FShadow; }
  virtual void SetShadow(TColor Value) { Change(FShadow, Value); }
  TColor GetUnselected() const { return FUnselected; }
  virtual void SetUnselected(TColor Value) { Change(FUnselected, Value); }

 private:
  void Change(TColor& Field, TColor Value);
  TWbCustomTabControl* FControl;
  TColor FHighlightBar = clHighlight;
  TColor FShadow = clBtnFace;
  TColor FUnselected = clWindow;
};

class TWbTextColors : public TPersistent {
  TAVREN_CLASS(TWbTextColors, TPersistent)
 public:
  explicit TWbTextColors(TWbCustomTabControl* Control = nullptr) : FControl(Control) {}
  void Assign(TPersistent* Source) override;
  TColor GetDisabledHighlight() const { return FDisabledHighlight; }
  virtual void SetDisabledHighlight(TColor Value) { Change(FDisabledHighlight, Value); }
  TColor GetDisabledShadow() const { return FDisabledShadow; }
  virtual void SetDisabledShadow(TColor Value) { Change(FDisabledShadow, Value); }
  TColor GetSelected() const { return FSelected; }
  virtual void SetSelected(TColor Value) { Change(FSelected, Value); }
  TColor GetUnselected() const { return FUnselected; }
  virtual void SetUnselected(TColor Value) { Change(FUnselected, Value); }

 private:
  void Change(TColor& Field, TColor Value);
  TWbCustomTabControl* FControl;
  TColor FDisabledHighlight = clBtnHighlight;
  TColor FDisabledShadow = clBtnShadow;
  TColor FSelected = clBtnText;
  TColor FUnselected = clBtnText;
};

// One rectangle, kept while rows are moved.
class TRectClass : public TObject {
 public:
  Integer Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// ---- Region cache: most recently used first ---------------------------------------------------

class TWbTabRegionCacheItem : public TObject {
 public:
  ~TWbTabRegionCacheItem() override { SetRegionHandle(nullptr); }
  TRect KeyRect{-1, -1, -1, -1};
  HRGN GetRegionHandle() const { return FRegionHandle; }
  // Deletes the region it held.
  virtual void SetRegionHandle(HRGN Value);

 private:
  HRGN FRegionHandle = nullptr;
};

class TWbTabRegionCache : public TObject {
 public:
  ~TWbTabRegionCache() override { Clear(); }
  HRGN Lookup(const TRect& Rect) const;
  // The cache owns Region from here on (a region for a rectangle already cached is deleted).
  void Add(const TRect& Rect, HRGN Region);
  void Clear();
  Integer GetCount() const { return Integer(FItems.size()); }
  Integer GetCapacity() const { return FCapacity; }
  // -1 keeps every region; 0 or below -1 raises and changes nothing.
  void SetCapacity(Integer Value);

 private:
  void Trim();
  std::vector<std::unique_ptr<TWbTabRegionCacheItem>> FItems;
  Integer FCapacity = 1;
};

// ---- Strip buttons ----------------------------------------------------------------------------

class TWbTabButton : public TCustomControl {
  TAVREN_CLASS(TWbTabButton, TCustomControl)
 public:
  explicit TWbTabButton(TWbCustomTabControl* TabControl);
  TColor GetFrameColor() const { return FFrameColor; }
  virtual void SetFrameColor(TColor Value);
  bool IsMouseDown() const { return FMouseDown; }
  bool IsPressedInside() const { return FPressedInside; }

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  virtual void Click() {}
  TWbCustomTabControl* FTabControl;
  TColor FFrameColor = clBtnShadow;
  bool FMouseDown = false;
  bool FPressedInside = false;
};

class TWbTabScroller : public TWbTabButton {
  TAVREN_CLASS(TWbTabScroller, TWbTabButton)
 public:
  explicit TWbTabScroller(TWbCustomTabControl* TabControl);
  TOrientation GetOrientation() const { return FOrientation; }
  virtual void SetOrientation(TOrientation Value);
  TNotifyEvent GetOnUpRightClick() const { return FOnUpRightClick; }
  void SetOnUpRightClick(TNotifyEvent Value) { FOnUpRightClick = Value; }
  TNotifyEvent GetOnDownLeftClick() const { return FOnDownLeftClick; }
  void SetOnDownLeftClick(TNotifyEvent Value) { FOnDownLeftClick = Value; }
  // 0 down/left, 1 up/right.
  Integer GetPressedHalf() const { return FPressedHalf; }
  TTimer* GetRepeatTimer() const { return FTimer; }
  // Whether the half cannot scroll any further.
  bool HalfDisabled(Integer Half) const;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  virtual void DownLeftClick() { FOnDownLeftClick(this); }
  virtual void UpRightClick() { FOnUpRightClick(this); }

 private:
  TRect HalfRect(Integer Half) const;
  void HalfClick(Integer Half);
  void TimerTick(TObject* Sender);
  TOrientation FOrientation = orHorizontal;
  TNotifyEvent FOnUpRightClick, FOnDownLeftClick;
  Integer FPressedHalf = 0;
  TTimer* FTimer = nullptr;
};

class TWbTabCloseButton : public TWbTabButton {
  TAVREN_CLASS(TWbTabCloseButton, TWbTabButton)
 public:
  using TWbTabButton::TWbTabButton;
  TNotifyEvent GetOnClose() const { return FOnClose; }
  void SetOnClose(TNotifyEvent Value) { FOnClose = Value; }

 protected:
  void Paint() override;
  void Click() override { FOnClose(this); }

 private:
  TNotifyEvent FOnClose;
};

class TWbTabMenuButton : public TWbTabButton {
  TAVREN_CLASS(TWbTabMenuButton, TWbTabButton)
 public:
  explicit TWbTabMenuButton(TWbCustomTabControl* TabControl);
  TPopupMenu* GetMenu() const { return FMenu; }
  TNotifyEvent GetOnDisplayMenu() const { return FOnDisplayMenu; }
  void SetOnDisplayMenu(TNotifyEvent Value) { FOnDisplayMenu = Value; }
  // Fills the menu with the visible tabs and gives the screen point and alignment it pops up at.
  void BuildMenu(TPoint& At, Integer& Alignment);

 protected:
  void Paint() override;
  void Click() override;

 private:
  void ItemClick(TObject* Sender);
  TPopupMenu* FMenu = nullptr;
  TNotifyEvent FOnDisplayMenu;
};

// A caption's lines (split at every CR LF).
std::vector<String> TabCaptionLines(const String& Caption);

// The face the three strip buttons share.
void PaintTabButtonFace(TCanvas* Canvas, const TRect& Rect, TWbCustomTabControl* TabControl, TColor FrameColor,
                        bool Pressed);

// ---- The tab control --------------------------------------------------------------------------

class TWbCustomTabControl : public TCustomControl {
  TAVREN_CLASS(TWbCustomTabControl, TCustomControl)
  TAVREN_MESSAGES()
 public:
  explicit TWbCustomTabControl(TComponent* AOwner);
  ~TWbCustomTabControl() override;

  TWbTabDataList* GetTabs() const { return FTabs.get(); }
  TWbTabRegionCache* GetRegionCache() const { return FRegionCache.get(); }

  // Geometry (strip coordinates turned onto the control's side).
  void LayoutTabs();
  virtual void RequestLayout();
  void UpdateLayout();
  Integer TabAreaDepth() const;
  TRect TabAreaRect() const;
  Integer TabStripLength() const;
  Integer ScrollOffset() const;
  TPoint StripToClient(TPoint P) const;
  TRect TabStripRect(Integer Index) const;
  TRect TabClientRect(Integer Index) const;
  // False for a style whose point count is wrong (the outline is then skipped).
  bool TabShapePoints(Integer Index, TPoint* Points, Integer& Count) const;
  bool TabClientShape(Integer Index, TPoint* Points, Integer& Count) const;
  // The cached polygon region; valid until the next region is asked for. None on failure.
  HRGN TabShapeRegion(Integer Index, const TRect& ClientRect);
  Integer TabAtPoint(Integer X, Integer Y);
  TRect CardRect(Integer Row) const;
  TRect PageRect() const;
  TRect ContentRect(Integer Index) const;
  Integer ButtonSize() const;
  bool TabFullyShown(Integer Tab) const;
  void ScrollTabs(bool Forward);
  void RotateRowsToFront(Integer Tab);
  void PlaceButtons();
  Integer FirstVisibleIndex() const;
  Integer LastVisibleIndex() const;
  Integer GetTabRowCount() const { return FTabRowCount; }
  Integer GetFirstVisibleTab() const { return FFirstVisibleTab; }
  bool GetScrollerNeeded() const { return FScrollerNeeded; }
  bool IsLayoutStale() const { return FLayoutStale; }
  TWbTabScroller* GetScroller() const { return FScroller; }
  TWbTabCloseButton* GetCloseButton() const { return FCloseButton; }
  TWbTabMenuButton* GetMenuButton() const { return FMenuButton; }
  Integer GetHotTab() const { return FHotTab; }
  TRect GetDropMarkerRect() const { return FDropMarkerRect; }
  bool IsDropMarkerShown() const { return FDropMarkerShown; }
  TTimer* GetDragScrollTimer() const { return FDragScrollTimer; }
  bool IsHoverTimerRunning() const { return FHoverTimer; }

  // Selection.
  bool CanSelectTab(Integer Index);
  bool DoClose();

  // Properties.
  Integer GetTabIndex() const { return FTabIndex; }
  virtual void SetTabIndex(Integer Value);
  TWbTabOrientation GetTabOrientation() const { return FTabOrientation; }
  virtual void SetTabOrientation(TWbTabOrientation Value);
  TWbTabSequence GetTabSequence() const { return FTabSequence; }
  virtual void SetTabSequence(TWbTabSequence Value);
  TWbTabStyle GetTabStyle() const { return FTabStyle; }
  virtual void SetTabStyle(TWbTabStyle Value);
  bool GetSoftCorners() const { return FSoftCorners; }
  virtual void SetSoftCorners(bool Value);
  Integer GetCutCornerSize() const { return FCutCornerSize; }
  virtual void SetCutCornerSize(Integer Value);
  Integer GetTabOverlap() const { return FTabOverlap; }
  virtual void SetTabOverlap(Integer Value);
  Integer GetTabWidth() const { return FTabWidth; }
  virtual void SetTabWidth(Integer Value);
  Integer GetTabHeight() const { return FTabHeight; }
  virtual void SetTabHeight(Integer Value);
  Integer GetMargin() const { return FMargin; }
  virtual void SetMargin(Integer Value);
  bool GetMultiLine() const { return FMultiLine; }
  virtual void SetMultiLine(bool Value);
  Integer GetRowIndent() const { return FRowIndent; }
  virtual void SetRowIndent(Integer Value);
  Integer GetRowOverlap() const { return FRowOverlap; }
  virtual void SetRowOverlap(Integer Value);
  bool GetAlignTabs() const { return FAlignTabs; }
  virtual void SetAlignTabs(bool Value);
  TOrientation GetTextOrientation() const { return FTextOrientation; }
  virtual void SetTextOrientation(TOrientation Value);
  TWbHorizontalAlignment GetTextAlignment() const { return FTextAlignment; }
  virtual void SetTextAlignment(TWbHorizontalAlignment Value);
  TWbVerticalAlignment GetTextAlignmentVertical() const { return FTextAlignmentVertical; }
  virtual void SetTextAlignmentVertical(TWbVerticalAlignment Value);
  TWbImagePosition GetImagePosition() const { return FImagePosition; }
  virtual void SetImagePosition(TWbImagePosition Value);
  TWbHorizontalAlignment GetImageAlignment() const { return FImageAlignment; }
  virtual void SetImageAlignment(TWbHorizontalAlignment Value);
  TWbVerticalAlignment GetImageAlignmentVertical() const { return FImageAlignmentVertical; }
  virtual void SetImageAlignmentVertical(TWbVerticalAlignment Value);
  Integer GetImageMargin() const { return FImageMargin; }
  virtual void SetImageMargin(Integer Value);
  TCustomImageList* GetImages() const { return FImages; }
  virtual void SetImages(TCustomImageList* Value);
  bool GetBoldCurrentTab() const { return FBoldCurrentTab; }
  virtual void SetBoldCurrentTab(bool Value);
  TColor GetBackgroundColor() const { return FBackgroundColor; }
  virtual void SetBackgroundColor(TColor Value);
  bool IsBackgroundColorStored() const { return !FParentBackgroundColor; }
  bool GetParentBackgroundColor() const { return FParentBackgroundColor; }
  virtual void SetParentBackgroundColor(bool Value);
  bool GetUseColoredTabs() const { return FUseColoredTabs; }
  virtual void SetUseColoredTabs(bool Value);
  bool GetCardVisible() const { return FCardVisible; }
  virtual void SetCardVisible(bool Value);
  bool GetShowCardFrame() const { return FShowCardFrame; }
  virtual void SetShowCardFrame(bool Value);
  bool GetShowFullFrame() const { return FShowFullFrame; }
  virtual void SetShowFullFrame(bool Value);
  bool GetShowShadow() const { return FShowShadow; }
  virtual void SetShowShadow(bool Value);
  bool GetShowFocusRect() const { return FShowFocusRect; }
  virtual void SetShowFocusRect(bool Value);
  bool GetShowCloseButton() const { return FShowCloseButton; }
  virtual void SetShowCloseButton(bool Value);
  bool GetShowMenuButton() const { return FShowMenuButton; }
  virtual void SetShowMenuButton(bool Value);
  TColor GetFlatColor() const { return FFlatColor; }
  virtual void SetFlatColor(TColor Value);
  Integer GetFlatColorAdjustment() const { return FFlatColorAdjustment; }
  virtual void SetFlatColorAdjustment(Integer Value);
  bool GetHotTrack() const { return FHotTrack; }
  virtual void SetHotTrack(bool Value);
  TColor GetHotTrackColor() const { return FHotTrackColor; }
  virtual void SetHotTrackColor(TColor Value);
  TWbHotTrackColorType GetHotTrackColorType() const { return FHotTrackColorType; }
  virtual void SetHotTrackColorType(TWbHotTrackColorType Value);
  TWbTabHotTrackStyle GetHotTrackStyle() const { return FHotTrackStyle; }
  virtual void SetHotTrackStyle(TWbTabHotTrackStyle Value);
  bool GetTabHints() const { return FTabHints; }
  virtual void SetTabHints(bool Value);
  TWbTabColors* GetTabColors() const { return FTabColors.get(); }
  virtual void SetTabColors(TWbTabColors* Value) { FTabColors->Assign(Value); }
  TWbTextColors* GetTextColors() const { return FTextColors.get(); }
  virtual void SetTextColors(TWbTextColors* Value) { FTextColors->Assign(Value); }
  bool GetTransparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  bool GetUseGradients() const { return FUseGradients; }
  virtual void SetUseGradients(bool Value);
  bool GetAllowTabDragging() const { return FAllowTabDragging; }
  void SetAllowTabDragging(bool Value) { FAllowTabDragging = Value; }
  Integer GetFixedDimension() const { return FFixedDimension; }
  void SetFixedDimension(Integer Value) { FFixedDimension = Value; }
  Integer GetRegionCacheCapacity() const { return FRegionCache->GetCapacity(); }
  virtual void SetRegionCacheCapacity(Integer Value);
  TColor AdjustedFlatColor() const { return ShiftColorLightness(FFlatColor, FFlatColorAdjustment); }

  TWbTabChangingEvent GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TWbTabChangingEvent Value) { FOnChanging = Value; }
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  TNotifyEvent GetOnPageChange() const { return FOnPageChange; }
  void SetOnPageChange(TNotifyEvent Value) { FOnPageChange = Value; }
  TNotifyEvent GetOnTabClick() const { return FOnTabClick; }
  void SetOnTabClick(TNotifyEvent Value) { FOnTabClick = Value; }
  TWbTabCloseEvent GetOnClose() const { return FOnClose; }
  void SetOnClose(TWbTabCloseEvent Value) { FOnClose = Value; }
  TWbTabOrderChangeEvent GetOnTabOrderChange() const { return FOnTabOrderChange; }
  void SetOnTabOrderChange(TWbTabOrderChangeEvent Value) { FOnTabOrderChange = Value; }
  TWbGetTextColorEvent GetOnGetTextColor() const { return FOnGetTextColor; }
  void SetOnGetTextColor(TWbGetTextColorEvent Value) { FOnGetTextColor = Value; }
  TWbPaintBackgroundEvent GetOnPaintBackground() const { return FOnPaintBackground; }
  void SetOnPaintBackground(TWbPaintBackgroundEvent Value) { FOnPaintBackground = Value; }
  TWbPaintTabBackgroundEvent GetOnPaintTabBackground() const { return FOnPaintTabBackground; }
  void SetOnPaintTabBackground(TWbPaintTabBackgroundEvent Value) { FOnPaintTabBackground = Value; }
  TWbPaintCardBackgroundEvent GetOnPaintCardBackground() const { return FOnPaintCardBackground; }
  void SetOnPaintCardBackground(TWbPaintCardBackgroundEvent Value) { FOnPaintCardBackground = Value; }

  virtual void InvalidateTabs();
  // The caption's extent in the caption font (bold when asked), vertical text already swapped.
  TSize CaptionExtent(const String& Caption, bool Bold);
  // Shows or removes the drop marker at a screen rectangle (drawing it twice removes it).
  virtual void DrawDropMarker(const TRect& ScreenRect);

 protected:
  virtual void TabChanging(Integer NewIndex, bool& AllowChange) { FOnChanging(this, NewIndex, AllowChange); }
  virtual void QueryTextColor(Integer TabIndex, TWbTextStyle Style, TColor& Color);
  virtual void TabClick() { FOnTabClick(this); }
  virtual void PaintBackground(TCanvas* Canvas, const TRect& Rect, bool& Handled);
  virtual void PaintCardBackground(TCanvas* Canvas, Integer Row, const TRect& Rect, bool& Handled);
  virtual void PaintTabBackground(TCanvas* Canvas, Integer TabIndex, const TRect& Rect, bool& Handled);
  virtual void CloseActiveTab() {}
  virtual void MoveActiveTab(Integer) {}
  virtual void TabChanged() { FOnChange(this); }
  virtual void HideAllTabs() {}
  virtual void ShowAllTabs() {}
  virtual void DoTabOrderChange(Integer OldIndex, Integer NewIndex) { FOnTabOrderChange(this, OldIndex, NewIndex); }
  virtual void PageChange() { FOnPageChange(this); }
  // One line's extent in the font selected into DC; a test may measure with a fake.
  virtual TSize MeasureLine(HDC DC, const String& Line);

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) override;
  void DragDrop(TObject* Source, Integer X, Integer Y) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DefineProperties(TFiler* Filer) override;

  bool IsLoadingOrReading() const;
  void SetForcedChange(bool Value) { FForcedChange = Value; }

  std::unique_ptr<TWbTabDataList> FTabs;
  Integer FTabIndex = -1;

 private:
  friend class TWbTabScroller;
  friend class TWbTabMenuButton;
  struct TabMetrics;
  // Layout.
  Integer StyleOverlap(Integer X) const;
  TSize ContentSize(Integer Index, bool MinAtLeast);
  TSize TabSizeFromContent(TSize Content) const;
  TSize MinTextSize();
  Integer AvailableLength() const;
  Integer TabLength(Integer Index, TSize MaxContent, Integer Limit);
  Integer CountRows(TSize MaxContent);
  void AlignRows();
  Integer CloseSize() const;
  Integer MenuSize() const;
  bool DecideScrollerNeeded() const;
  bool Vertical() const { return FTabOrientation == toLeft || FTabOrientation == toRight; }
  HFONT CreateCaptionFont(bool Bold, bool Underline) const;
  // Painting.
  void PaintTabsAndCards(TCanvas* Canvas);
  void PaintTab(TCanvas* Canvas, Integer Index);
  void PaintTabContents(TCanvas* Canvas, Integer Index);
  void PaintCaption(TCanvas* Canvas, Integer Index, const TRect& TextRect, TColor Color, bool Bold, Integer Shift);
  void PaintCard(TCanvas* Canvas, Integer Row);
  void PaintHotBar(TCanvas* Canvas, Integer Index, TColor Color);
  struct Command {
    Integer Kind;  // 0 mark, 1 pen reset, 2 move, 3 line, 4 shadow 30, 5 shadow 15
    Integer X, Y;
  };
  void RecordOutline(Integer Index);
  void RecordCardFrame(Integer Row);
  void ExecuteCommands(TCanvas* Canvas);
  // Input.
  void ResetHotTracking();
  void InvalidateTabArea();
  void StartHoverTimer();
  void StopHoverTimer();
  void CreateScroller();
  void ScrollerDownLeft(TObject*);
  void ScrollerUpRight(TObject*);
  void CloseButtonClick(TObject*);
  void DragScrollTick(TObject*);
  TRect DropMarkerRect(Integer Target) const;
  void ShowDropMarker(Integer Target);
  void HideDropMarker();
  void ImagesChanged(TObject*);
  void CreateButton(bool Close);
  void UpdateButtonFrames();

  void WMEraseBkgnd(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMTimer(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMFocusChanged(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMMouseLeave(TMessage& Message);

  std::unique_ptr<TWbTabRegionCache> FRegionCache;
  std::unique_ptr<TBitmap> FBitmap;
  std::unique_ptr<TWbTabColors> FTabColors;
  std::unique_ptr<TWbTextColors> FTextColors;
  std::unique_ptr<TChangeLink> FImageChangeLink;
  std::vector<Command> FCommands;
  TWbTabScroller* FScroller = nullptr;
  TWbTabCloseButton* FCloseButton = nullptr;
  TWbTabMenuButton* FMenuButton = nullptr;
  TTimer* FDragScrollTimer = nullptr;

  TWbTabOrientation FTabOrientation = toTop;
  TWbTabSequence FTabSequence = tsStandard;
  TWbTabStyle FTabStyle = tsSingleSlant;
  bool FSoftCorners = false;
  Integer FCutCornerSize = 6;
  Integer FTabOverlap = -1;
  Integer FTabWidth = 0, FTabHeight = 0, FMargin = 0;
  bool FMultiLine = false;
  Integer FRowIndent = 5, FRowOverlap = 5;
  bool FAlignTabs = false;
  TOrientation FTextOrientation = orHorizontal;
  TWbHorizontalAlignment FTextAlignment = haCenter;
  TWbVerticalAlignment FTextAlignmentVertical = vaCenter;
  TWbImagePosition FImagePosition = ipLeft;
  TWbHorizontalAlignment FImageAlignment = haCenter;
  TWbVerticalAlignment FImageAlignmentVertical = vaCenter;
  Integer FImageMargin = 2;
  TCustomImageList* FImages = nullptr;
  bool FBoldCurrentTab = false;
  TColor FBackgroundColor = clBtnFace;
  bool FParentBackgroundColor = true;
  bool FUseColoredTabs = false;
  bool FCardVisible = true, FShowCardFrame = true, FShowFullFrame = true, FShowShadow = true;
  bool FShowFocusRect = true, FShowCloseButton = false, FShowMenuButton = false;
  TColor FFlatColor = clBtnShadow;
  Integer FFlatColorAdjustment = 0;
  bool FHotTrack = true;
  TColor FHotTrackColor = 1350640;
  TWbHotTrackColorType FHotTrackColorType = htctActual;
  TWbTabHotTrackStyle FHotTrackStyle = htsTab;
  bool FTabHints = false;
  bool FTransparent = false, FUseGradients = true, FAllowTabDragging = false;

  // Layout state.
  bool FLayoutStale = true;
  Integer FFixedDimension = 0;
  Integer FTabRowCount = 1;
  Integer FFirstVisibleTab = 0;
  bool FScrollerNeeded = false;
  TRect FAlignedPageRect{0, 0, 0, 0};
  // Input state.
  Integer FHotTab = -1;
  bool FHoverTimer = false;
  String FControlHint;
  Integer FPressedTab = -1;
  Integer FDropTarget = -1;
  TRect FDropMarkerRect;
  bool FDropMarkerShown = false;
  bool FForcedChange = false;
  bool FPaintedOnce = false;
  bool FHotTrackOnly = false;
  // The part of the control the current paint shows.
  TRect FPaintClip;

  TWbTabChangingEvent FOnChanging;
  TNotifyEvent FOnChange, FOnPageChange, FOnTabClick;
  TWbTabCloseEvent FOnClose;
  TWbTabOrderChangeEvent FOnTabOrderChange;
  TWbGetTextColorEvent FOnGetTextColor;
  TWbPaintBackgroundEvent FOnPaintBackground;
  TWbPaintTabBackgroundEvent FOnPaintTabBackground;
  TWbPaintCardBackgroundEvent FOnPaintCardBackground;
};

// The plain tab control: tabs the program fills itself. Its streamed TabIndex survives loading.
class TWbTabControl : public TWbCustomTabControl {
  TAVREN_CLASS(TWbTabControl, TWbCustomTabControl)
 public:
  using TWbCustomTabControl::TWbCustomTabControl;

 protected:
  void Loaded() override;
};

// ---- Pages ------------------------------------------------------------------------------------

class TWbTabSheet : public TCustomControl {
  TAVREN_CLASS(TWbTabSheet, TCustomControl)
  TAVREN_MESSAGES()
 public:
  explicit TWbTabSheet(TComponent* AOwner);
  ~TWbTabSheet() override;

  TWbPageControl* GetParentPageControl() const { return FPageControl; }
  virtual void SetParentPageControl(TWbPageControl* Value);
  void SetColor(TColor Value);
  Integer GetImageIndex() const { return FImageIndex; }
  virtual void SetImageIndex(Integer Value);
  Integer GetDisabledIndex() const { return FDisabledIndex; }
  virtual void SetDisabledIndex(Integer Value);
  bool GetTabEnabled() const { return FTabEnabled; }
  virtual void SetTabEnabled(bool Value);
  bool GetTabVisible() const { return FTabVisible; }
  virtual void SetTabVisible(bool Value);
  Integer GetPageIndex() const;
  virtual void SetPageIndex(Integer Value);
  // -1 with a hidden tab, else the number of shown tabs before it.
  Integer GetVisibleTabIndex() const;
  TWbPaintBackgroundEvent GetOnPaintBackground() const { return FOnPaintBackground; }
  void SetOnPaintBackground(TWbPaintBackgroundEvent Value) { FOnPaintBackground = Value; }
  // Pages are shown and hidden by their page control only.
  void SetVisible(bool Value);
  // Copies the tab's part of the page into a tab record.
  void AssignTo(TPersistent* Dest) override;
  void SetParentComponent(TComponent* Value) override;

 protected:
  void Paint() override;

 private:
  friend class TWbPageControl;
  void WMEraseBkgnd(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  TWbPageControl* FPageControl = nullptr;
  Integer FImageIndex = -1, FDisabledIndex = -1;
  bool FTabEnabled = true, FTabVisible = true;
  TWbPaintBackgroundEvent FOnPaintBackground;
};

class TWbPageControl : public TWbCustomTabControl {
  TAVREN_CLASS(TWbPageControl, TWbCustomTabControl)
  TAVREN_MESSAGES()
 public:
  explicit TWbPageControl(TComponent* AOwner);
  ~TWbPageControl() override;

  TWbTabSheet* GetPageList(Integer Index) const { return FPages.at(size_t(Index)); }
  Integer GetPageListCount() const { return Integer(FPages.size()); }
  TWbTabSheet* GetActivePage() const { return FActivePage; }
  virtual void SetActivePage(TWbTabSheet* Value);
  TWbTabSheet* GetActivePageDefault() const { return FActivePageDefault; }
  void SetActivePageDefault(TWbTabSheet* Value);
  Integer GetActivePagePosition() const;
  virtual void SetActivePagePosition(Integer Value);
  bool GetSaveResources() const { return FSaveResources; }
  virtual void SetSaveResources(bool Value);
  bool GetDblClickUndocks() const { return FDblClickUndocks; }
  void SetDblClickUndocks(bool Value) { FDblClickUndocks = Value; }
  void SetUseColoredTabs(bool Value) override;

  // Builds one tab per page whose tab is shown.
  void RebuildTabs();
  TWbTabSheet* PageForTab(Integer TabIndex) const;
  TWbTabSheet* NextPageFrom(TWbTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
  void SelectAdjacentPage(bool GoForward);
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

 protected:
  void TabChanging(Integer NewIndex, bool& AllowChange) override;
  void TabChanged() override;
  void PageChange() override;
  void CloseActiveTab() override;
  void MoveActiveTab(Integer NewIndex) override;
  void HideAllTabs() override;
  void ShowAllTabs() override;
  void PaintCardBackground(TCanvas* Canvas, Integer Row, const TRect& Rect, bool& Handled) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetChildOrder(TComponent* Child, Integer Order) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DblClick() override;
  // Docking: every docked control gets a page of its own.
  void GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock) override;
  void DockOver(TDragDockObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) override;
  void DockDrop(TDragDockObject* Source, Integer X, Integer Y) override;

 private:
  friend class TWbTabSheet;
  // The control docked into the page of the tab under the point, if any.
  TControl* DockedClientAt(Integer X, Integer Y);
  void CMUnDockClient(TMessage& Message);
  void AttachPage(TWbTabSheet* Page);
  void DetachPage(TWbTabSheet* Page);
  void ShowPage(TWbTabSheet* Page);
  void MovePage(TWbTabSheet* Page, Integer NewIndex);
  void CMDialogKey(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void WMSetFocus(TMessage& Message);

  std::vector<TWbTabSheet*> FPages;
  TWbTabSheet* FActivePage = nullptr;
  TWbTabSheet* FActivePageDefault = nullptr;
  bool FSaveResources = false;
  bool FDblClickUndocks = true;
  bool FLoading = false;
};

void WbTabsStart();
