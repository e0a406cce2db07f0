#pragma once
// Item controls: the on-screen instance of one item link inside one bar window. The bar window
// makes one per visible link through the item-class registry and frees them when it rebuilds;
// a control measures itself, fills the draw parameters the painter reads, tracks the part under
// the mouse and turns a press into the item's click.

#include <vector>

#include "toolkit/bars/qzBarItemViewInfo.h"
#include "toolkit/bars/qzBarNavigation.h"
#include "toolkit/foundation/kvClasses.h"
#include "toolkit/foundation/kvGraphics.h"
#include "vcl/Controls.h"
#include "vcl/Menus.h"

class TCustomqzBarControl;
class TControl;
class TCustomImageList;
class TqzBarItem;
class TqzBarItemControl;
class TqzBarItemLink;
class TqzBarManager;
class TqzBarPainter;
class TkvStyle;

// Glyph size kinds.
constexpr Byte qzGlyphSmall = 0;
constexpr Byte qzGlyphLargeIcons = 1;
constexpr Byte qzGlyphLarge = 2;

// Paint kinds: an item of a horizontal bar, a menu item, an item of a bar with rotated text.
constexpr Byte qzPaintHorizontal = 0;
constexpr Byte qzPaintMenu = 1;
constexpr Byte qzPaintRotated = 2;

// Content parts.
constexpr Byte qzContentIcon = 1;
constexpr Byte qzContentText = 2;

// Flags of GetImageSource: the image to show while the item is hot.
constexpr Integer qzImageSourceHot = 1;

// HotPart values beside the part indexes.
constexpr Integer qzNoHotPart = -1;
constexpr Integer qzHotPartInside = 100;

// What the painter needs to draw a control; kinds add their own fields.
class TqzBarItemControlDrawParams : public TObject {
  TAVREN_CLASS(TqzBarItemControlDrawParams, TObject)
 public:
  using TCreateArg = TqzBarItemControl*;
  explicit TqzBarItemControlDrawParams(TqzBarItemControl* AItemControl) : ItemControl(AItemControl) {}

  Byte GlyphSizeKind = qzGlyphSmall;
  TqzBarItemControl* ItemControl;
  TkvCanvas* TargetCanvas = nullptr;
  String CaptionText;
  String DescriptionText;
  String ShortCutText;
  Byte PaintKind = qzPaintHorizontal;
  Byte ContentParts = 0;
  bool EnabledLook = false;
  bool SelectableLook = false;
  bool SelectedLook = false;
  bool DropDownOpen = false;
  bool HasDropDownPart = false;
  Integer HotPartIndex = qzNoHotPart;
  bool CustomizingLook = false;
  bool PressedLook = false;
  bool KeyboardSelection = false;
  TSize GlyphExtent;
};

// A control's view level and bounds as a layout owner sees them.
class TqzBarItemControlViewInfo : public TkvIUnknownObject, public IqzBarItemControlViewInfo {
  TAVREN_CLASS(TqzBarItemControlViewInfo, TkvIUnknownObject)
 public:
  using TCreateArg = TqzBarItemControl*;
  explicit TqzBarItemControlViewInfo(TqzBarItemControl* AControl);
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  virtual void DoCalculate() {}
  void ResetLevelWidths();

  // IqzBarItemControlViewInfo
  void Calculate() override { DoCalculate(); }
  TqzBarItemAlign GetAlign() override;
  TqzBarItemViewLevels GetPermittedLevels() override { return FPermittedLevels; }
  TRect GetBounds() override { return FBounds; }
  Integer GetLayoutValueA() override { return FLayoutValueA; }
  TqzBarItemPosition GetPosition() override;
  TqzBarButtonGroupPosition GetButtonGroupPosition() override;
  Byte GetActualGroupPlace() override { return FActualGroupPlace; }
  Integer GetLayoutValueB() override { return FLayoutValueB; }
  TqzBarItemViewLevel GetViewLevel() override { return FCurrentLevel; }
  TqzBarItemViewLevel GetButtonGroupLevel() override { return FButtonGroupLevel; }
  Integer GetWidth(TqzBarItemViewLevel ALevel) override;
  bool GetBeginGroup() override;
  bool IsColumnedItem(bool ACheckCollapsed, TInterfacePtr<IqzBarColumnedItemViewInfo>& AColumnedItem) override;
  void SetBounds(const TRect& ABounds) override { FBounds = ABounds; }
  void SetLayoutValueA(Integer AValue) override { FLayoutValueA = AValue; }
  void SetActualGroupPlace(Byte AValue) override { FActualGroupPlace = AValue; }
  void SetLayoutValueB(Integer AValue) override { FLayoutValueB = AValue; }
  void SetViewLevel(TqzBarItemViewLevel AValue) override { FCurrentLevel = AValue; }

  TqzBarItemViewLevel GetMostCompactLevel() const noexcept { return FMostCompactLevel; }
  TRect GetGlyphBounds() const noexcept { return FGlyphBounds; }
  void SetGlyphBounds(const TRect& R) { FGlyphBounds = R; }
  TqzBarItemControl* GetControl() const noexcept { return FControl; }

 private:
  TqzBarItemViewLevels FPermittedLevels;
  TRect FBounds;
  Integer FLayoutValueA = 0;
  TRect FGlyphBounds;
  TqzBarItemViewLevel FMostCompactLevel = ivlDefault;
  Byte FActualGroupPlace = 0;
  Integer FLayoutValueB = 0;
  TqzBarItemViewLevel FCurrentLevel = ivlLargeIconWithText;
  TqzBarItemViewLevel FButtonGroupLevel = ivlDefault;
  struct TLevelWidth {
    bool Valid = false;
    Integer Width = 0;
  };
  TLevelWidth FLevelWidthCache[4];
  TqzBarItemControl* FControl;
};

// A weak link held across a step that may free the object (a key handler, a closing bar).
// Nil for nil, which is never alive.
class TqzObjectGuard {
 public:
  explicit TqzObjectGuard(TObject* AObject) : FLink(LinkToObject(AObject)) {}
  ~TqzObjectGuard() { ReleaseObjectLink(FLink); }
  TqzObjectGuard(const TqzObjectGuard&) = delete;
  TqzObjectGuard& operator=(const TqzObjectGuard&) = delete;
  bool Alive() const { return FLink && FLink->Ref != nullptr; }

 private:
  TkvObjectLink* FLink;
};

// The canvas font a measurement or drawing replaced, put back by RestoreFont.
struct TqzSavedItemFont {
  bool Changed = false;
  std::unique_ptr<TFont> Font;
};

class TqzBarItemControl : public TkvIUnknownObject, public virtual IqzBarHintProvider {
  TAVREN_CLASS(TqzBarItemControl, TkvIUnknownObject)
 public:
  using TCreateArg = TqzBarItemLink*;
  explicit TqzBarItemControl(TqzBarItemLink* ALink);
  ~TqzBarItemControl() override;
  // The rest of the construction, once the control's own class answers its virtual operations:
  // draw parameters, view info, brushes and the initial view level.
  void Initialize();

  // Measuring and drawing.
  Integer CalcHeight();
  Integer CalcWidth();
  void DrawOnCanvas(TkvCanvas* ACanvas, const TRect& R, Byte AState);
  Integer HitTestPart(const TPoint& P);

  // Small queries.
  TqzBarManager* GetBarManager() const;
  TqzBarItem* GetItem() const;
  TqzBarItemLink* GetLink() const noexcept { return FLink; }
  TCustomqzBarControl* GetParent() const noexcept { return FParent; }
  TRect GetItemRect() const;
  TkvCanvas* GetCanvas() const;
  HBRUSH GetBackgroundBrush() const;
  bool HasOwnBrush() const noexcept { return FOwnBrush != nullptr; }
  bool IsSelected() const;
  TqzBarItemAlign GetAlign() const;
  bool ClickClosesMenu() const;
  Byte GetViewSize();
  bool HasImage(Byte ASize);
  Integer PickForOrientation(Integer AFirst, Integer ASecond) const;
  Integer GetSizeBase() const;
  TSize TextExtent(const String& AText);
  Integer TextHeightOfSample();
  // Enabled, the cursor over the control and the primary button down.
  bool IsPressedUnderMouse();
  TqzBarItemControlDrawParams* GetDrawParams() const noexcept { return FDrawParams.get(); }
  TqzBarItemControlViewInfo* GetViewInfo() const noexcept { return FViewInfo.get(); }
  Integer GetHotPart() const noexcept { return FHotPart; }
  const std::vector<TRect>& GetPartRects() const noexcept { return FPartRects; }
  bool GetSelectedByMouse() const noexcept { return FSelectedByMouse; }
  void SetSelectedByMouse(bool Value) { FSelectedByMouse = Value; }
  bool GetActive() const noexcept { return FActive; }
  bool GetClickState() const noexcept { return FClickState; }
  Integer GetTextSize() const noexcept { return FTextSize; }
  // The permitted levels: the possible ones the link allows, else all possible ones.
  TqzBarItemViewLevels PermittedLevels();
  // Toolbar rows: the control starts a row (set by wrapping) or ends one (set by placement; a
  // menu's last drawn control too).
  bool GetStartsRow() const noexcept { return FStartsRow; }
  void SetStartsRow(bool Value) { FStartsRow = Value; }
  bool GetIsLastInMenu() const noexcept { return FIsLastInMenu; }
  void SetIsLastInMenu(bool Value) { FIsLastInMenu = Value; }
  // In a menu that shows all its links: the link is not among the recently used ones, and the
  // control begins a run of links whose recent state differs from the one above (set by the menu).
  bool GetNonRecent() const noexcept { return FNonRecent; }
  void SetNonRecent(bool Value) { FNonRecent = Value; }
  bool GetStartsBand() const noexcept { return FStartsBand; }
  void SetStartsBand(bool Value) { FStartsBand = Value; }
  // The control's keyboard-navigation node, made on first request from AccessibilityHelperClass.
  TqzBarAccessibilityHelper* GetAccessibilityHelper();
  virtual TClassOf<TqzBarAccessibilityHelper> AccessibilityHelperClass();

  // Mouse and key handlers the bar window calls.
  virtual void DoubleClick() {}
  void MouseEnter(const TPoint& P) { TrackHotPart(P); }
  void MouseLeave() { TrackHotPart(TPoint(-1, -1)); }
  void MouseMove(const TPoint& P) { TrackHotPart(P); }
  virtual void MouseDown(TMouseButton, TShiftState, const TPoint&) {}
  virtual void MouseUp(TMouseButton, TShiftState, const TPoint&) {}
  virtual void KeyDown(Word&, TShiftState) {}

  // Operations in slot order.
  // False without a parent, while the parent is active or when another control is under the
  // mouse; else the hint before its "|" and the shortcut as " (Ctrl+O)".
  virtual bool GetHintTexts(String& AHint, String& AShortCut, bool& AVetoed);
  bool IsEnabled() override;
  // The hint window asks: the item's screen tip when it has one, through the bar window's
  // painter, placed by the painter against the item's rectangle.
  bool GetHintTexts(bool& AVetoed, String& AHint, String& AShortCut) override {
    return GetHintTexts(AHint, AShortCut, AVetoed);
  }
  TqzBarCustomHintViewInfo* CreateHintViewInfo(const String& AHint, const String& AShortCut) override;
  void GetHintPosition(const TPoint& ACursorPos, Integer AWindowHeight, TPoint& APos) override;
  virtual void RequestBarRebuild();
  virtual void UpdateInBar();
  virtual void EnabledChanged();
  virtual void LargeGlyphChanged();
  // Empty: only kinds with a hot glyph react.
  virtual void HotGlyphChanged() {}
  virtual void RefreshNow();
  virtual void ClickStateChanged();
  virtual void VisibleChanged();
  virtual void WidthChanged();
  virtual bool CanJoinButtonGroup() { return false; }
  virtual bool ClickFiresItem() { return true; }
  virtual bool IsOfOwnManager();
  virtual bool AllowsActivationOf(TqzBarManager*) { return AllowsActivation(); }
  virtual bool AllowsActivation() { return true; }
  virtual bool CanNavigateTo() { return CanSelect(); }
  virtual bool CanSelect();
  virtual void TrackHotPart(const TPoint& P);
  virtual void PressAt(TMouseButton AButton, TShiftState AShift);
  virtual void Activate(bool) { FActive = true; }
  virtual void Deactivate(bool) { FActive = false; }
  virtual void UserActivate(bool) {}
  virtual void DoClick();
  // A press on the control in an active bar: ASelected tells whether it was the selected control
  // already; AHandled is set by a control that took the press itself.
  virtual void SelectInBar(bool ASelected, bool& AHandled);
  virtual bool IsDrawnSelected() { return IsSelected(); }
  virtual bool WantsKey(Word) { return false; }
  virtual TqzBarItemViewLevels GetPossibleViewLevels();
  virtual Byte GetViewStructure();
  virtual Byte GetContentKind() { return 0; }
  virtual Byte GetDefaultViewSize();
  virtual Byte GetPaintType();
  virtual Integer GetPartCount() { return 1; }
  virtual TClassOf<TqzBarItemControlViewInfo> ViewInfoClass();
  virtual String GetCaption();
  virtual TClassOf<TqzBarItemControlDrawParams> DrawParamsClass();
  virtual TBitmap* LinkGlyph();
  virtual Integer ImageIndexOf();
  virtual TCustomImageList* ImageListFor(Byte ASize);
  virtual TCustomImageList* SmallImages();
  virtual String GetHint();
  virtual TBitmap* LargeGlyphOf();
  virtual Integer LargeImageIndexOf();
  virtual TCustomImageList* LargeImages();
  virtual Integer GetMenuItemSize();
  virtual TqzBarPainter* Painter();
  virtual TShortCut ShortCutOf();
  virtual void FillDrawParams(bool ARefresh);
  virtual void CalcPartRects();
  virtual void CalcWithItemFont();
  virtual void UpdateBrushes();
  virtual void DrawInRect(const TRect&, Byte) {}
  virtual void SelectItemFont(TFont* AFont, TkvStyle* AStyle, TqzSavedItemFont& ASaved);
  virtual void RestoreFont(TqzSavedItemFont& ASaved);
  virtual Integer CaptionWidth();
  virtual bool GetImageSource(Byte ASize, Integer AFlags, Integer& AIndex, TCustomImageList*& AList,
                              TBitmap*& AGlyph);
  virtual Integer ImageIndexFor(Byte ASize);
  virtual TSize GlyphSize(Byte ASize, Integer AFlags);
  virtual void GetTextMargins(Byte AKind, TRect& AMargins);
  virtual Integer TextPartWidth();
  virtual Integer ExtraWidth() { return 0; }
  virtual Integer GlyphPartWidth();
  virtual Integer TextIndent();
  virtual Integer GetHeight();
  virtual Integer GetWidth();
  virtual Integer NormalWidth();
  virtual Integer LargeWidth();
  virtual Integer MenuHeight();
  virtual Integer MenuWidth();
  virtual Integer MinimumHeight() { return 1; }
  virtual Integer MinimumWidth() { return 1; }
  virtual Integer LargeHeight();
  virtual Integer NormalHeight();
  virtual Integer GetThicknessInBar();
  virtual Integer GetLengthInBar();
  virtual bool ShowsHint();
  virtual bool IsClickable() { return CanSelect() || ClickFiresItem(); }
  virtual bool CountsUse() { return true; }
  virtual bool HasDropDown() { return false; }
  virtual bool IsExpandable() { return false; }
  virtual bool IgnoredWhileCustomizing() { return false; }
  virtual bool IsInVerticalBar();
  // The control is an entry of the program's main menu bar.
  virtual bool IsInMainMenu() { return false; }
  virtual bool HostsWindow() { return false; }
  // The window belongs to the control (a hosted window, an open drop-down) and so to its bar.
  virtual bool OwnsWindow(HWND) { return false; }
  // Edit-like controls that frame the whole control, not only their edit part, outside menus.
  virtual bool FramesWholeItem() { return false; }
  // The part the bar window must not paint over (a hosted window shows there); false for none.
  virtual bool GetExcludeRect(TRect&) { return false; }
  // The window of the program the control shows, and the release of it before the bar window's
  // handle (and with it every child window) goes.
  virtual TControl* GetHostedControl() { return nullptr; }
  virtual void ReleaseHostedWindow() {}
  virtual bool IsDroppedDown() { return false; }
  // The menu this control opened as its drop-down closed.
  virtual void DropDownClosed() {}
  // The control holds the mouse from the press to the release.
  virtual bool CapturesMouseOnPress() { return false; }
  virtual void Repaint();

 protected:
  void SetClickState(bool Value);
  void SetPartRects(const std::vector<TRect>& AParts) { FPartRects = AParts; }
  // GlyphExtent with width and height exchanged in a bar with rotated text.
  TSize RotatedExtent() const { return RotatedSize(FDrawParams->GlyphExtent); }
  // Whether large images apply to a glyph size kind.
  bool LargeImagesApply(Byte ASize);
  TSize RotatedSize(const TSize& S) const;
  bool IsInVerticalBarConst() const;

 private:
  TkvCanvas* FOwnCanvas = nullptr;
  HBRUSH FOwnBrush = nullptr;
  TqzBarHelperRef FAccessibilityHelper;
  TqzBarItemLink* FLink;
  TCustomqzBarControl* FParent;
  bool FClickState = false;
  bool FSelectedByMouse = false;
  Integer FTextSize = 0;
  std::unique_ptr<TqzBarItemControlDrawParams> FDrawParams;
  Integer FHotPart = qzNoHotPart;
  std::vector<TRect> FPartRects;
  std::unique_ptr<TqzBarItemControlViewInfo> FViewInfo;
  bool FActive = false;
  bool FStartsRow = false;
  bool FIsLastInMenu = false;
  bool FNonRecent = false;
  bool FStartsBand = false;
};
