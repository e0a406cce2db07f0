#pragma once
// The toolbar window: the window of one TqzBar, a child in a row of a dock site or a floating tool
// window with a small caption and a close button. It adds the grip, the mark of hidden links, the
// switch between docked and floating while the user drags it, the write-back of its position into
// the bar, and the toolbar geometry (minimum, full and wrapped sizes, placement in rows).

#include "toolkit/bars/qzBarControl.h"

class TqzDockControl;

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
  ~TqzBarControl() override;

  TqzBar* GetBar() const noexcept { return FBar; }
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
  // manager's owner window).
  void ChangeDockSite(TqzDockControl* ADockControl, TqzBarDockingStyle AStyle);
  void BeginWindowChange() { ++FWindowChangeCount; }
  void EndWindowChange() { --FWindowChangeCount; }
  bool IsChangingWindow() const noexcept { return FWindowChangeCount > 0; }
  // The site goes with its children: the window forgets it and floats in name until it is placed.
  void ForgetDockControl();
  // The layout info anew for the current client area (after the site moved or sized the window).
  void CalcViewInfoNow();
  void SetMoving(bool AMoving);
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
  virtual bool IsMultiLineLayout();
  virtual TCustomForm* GetOwnerForm();
  virtual Integer CalcWidth(TqzBarDockingStyle AStyle);
  virtual Integer CalcRowExtent(TqzBarDockingStyle AStyle);
  virtual void GripRect(TRect& R);
  virtual void CalcSize(TqzBarDockingStyle AStyle, Integer ALimit, TSize& ASize);
  virtual void PopupSize(TSize& ASize) { ASize = TSize(0, 0); }
  virtual bool HasFloatingCaption() { return true; }
  virtual bool HasCloseButton();
  virtual void AfterResize(bool) {}
  virtual String GetCaptionText();
  virtual TFont* GetBarFont();
  // The window takes its bar font again, after that font changed, and measures itself anew.
  void ApplyBarFont();
  virtual void NotifyBarChanged() {}
  virtual bool BlocksOtherBars() { return true; }

  // Overrides of the bar window.
  void WindowPosChanged() override;
  void CalcItemsRect() override;
  void CalcMetrics() override;
  void PlaceControls() override;
  // A link the bar cannot show takes the window of the program it hosts out of sight.
  void HideHostedWindowOf(TqzBarItemLink* ALink);
  bool IsDesigning() override;
  bool IsUpdateLocked() override;
  void BarMouseDown(TMouseButton AButton, TShiftState AShift, bool AInsideClient, TqzBarItemControl* AControl,
                    const TPoint& P) override;
  void BarMouseMove(TShiftState AShift, const TPoint& P, TqzBarItemControl* AControl) override;
  void PressItemControl(TqzBarItemControl* AControl) override;
  void RecreateControls(bool ARecreate) override;
  Integer SeparatorSize() override;
  TFont* GetEditFont() override;
  void ControlRect(TqzBarItemControl* AControl, TRect& R) override;
  bool IsMainMenu() override;
  HBRUSH BackgroundBrush() override;
  TClassOf<TCustomqzBarControlViewInfo> ViewInfoClass() override { return TqzBarControlViewInfo::ClassInfo(); }
  void GetBarBounds(TRect& R) override;
  bool ShowsMark() override;
  void RepaintControl(TqzBarItemControl* AControl) override;
  void FillBackground(HDC DC, const TRect& R, bool AOffset, TColor AColor, HBRUSH ABrush) override;
  bool HasBackgroundBitmap() override;
  bool HasCustomBackground() override;
  void ClientOffset(TPoint& P) override;
  void DrawFrameOn(HDC DC) override;
  void DrawBarParts(TkvCanvas* ACanvas) override;
  void MarkRect(TRect& R) override;
  bool IsVertical() override { return IsDockedVertically(); }
  TClassOf<TqzBarAccessibilityHelper> AccessibilityHelperClass() override;
  bool RotatesText() override;
  Integer BarKind() override { return 0; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;

 private:
  void HitTest(TMessage& Message);
  void CalcNonClientSize(TMessage& Message);
  void PullOntoWorkArea(WINDOWPOS* APos);
  void SizeFloating(TMessage& Message);
  void ToggleDocking();
  void TrackCloseButton();
  void SetCloseButtonState(Byte AState);
  bool ControlUsableAt(const TPoint& P);
  void SetUpFontForStyle();
  // The size of an item when the bar has none: a button for the manager's glyph size.
  Integer DefaultItemSize();
  void FinishPlacedRow(Integer AFirst, Integer ALast, Integer AThickness, bool AVertical, Integer AColumnEdge);

  TqzBar* FBar;
  TqzDockControl* FDockControl = nullptr;
  TqzBarDockingStyle FDockingStyle = dsNone;
  Integer FLastHitCode = 0;
  Byte FCloseButtonState = 0;
  Integer FWindowChangeCount = 0;
  Integer FFullLength = 0;
  Integer FMinLength = 0;
  Integer FMarkSize = 0;
  bool FMoving = false;
  bool FStoringPosition = false;
  bool FLinksHidden = false;
  TRect FDesiredBounds;
  TPoint FDragOffset;
  TSize FDragSize;
};
