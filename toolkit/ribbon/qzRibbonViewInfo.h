#pragma once
// The ribbon's layout: every rectangle of the ribbon area, computed from the ribbon's client
// rectangle, its settings and fonts, and the hit test over them. The ribbon runs Calculate from
// every Changed; painters only draw into these rectangles.

#include <memory>
#include <vector>

#include "rtl/Types.h"
#include "vcl/Graphics.h"

class TqzCustomRibbon;
class TqzRibbonTab;
class TqzRibbonTabPainter;

// What lies under a point of the ribbon.
enum TqzRibbonHitKind : Byte {
  rhkNone, rhkTab, rhkApplicationButton, rhkTabScrollLeft, rhkTabScrollRight, rhkGroupsScrollLeft,
  rhkGroupsScrollRight, rhkHelpButton, rhkMDIMinimize, rhkMDIRestore, rhkMDIClose
};

struct TqzRibbonHitInfo {
  TqzRibbonHitKind Kind = rhkNone;
  TqzRibbonTab* Tab = nullptr;
};

// One tab header.
class TqzRibbonTabViewInfo : public TObject {
  TAVREN_CLASS(TqzRibbonTabViewInfo, TObject)
 public:
  using TCreateArg = TqzRibbonTab*;
  explicit TqzRibbonTabViewInfo(TqzRibbonTab* ATab);
  ~TqzRibbonTabViewInfo() override;

  virtual void CalculateWidths();
  virtual TRect GetTextBounds();
  virtual TRect GetSeparatorBounds();
  // 0 normal, 1 hot, 2 active, 3 active and hot, 4 selected by the keyboard.
  virtual Integer GetState();
  virtual void Calculate(const TRect& ABounds, Byte ASeparatorAlpha);
  // The font state of the caption: 3 active with groups shown, 2 any other shown state, else 0.
  Integer GetFontState();
  void Paint(TCanvas* ACanvas, bool ACompressed);

  TqzRibbonTab* GetTab() const noexcept { return FTab; }
  const TRect& GetBounds() const noexcept { return FBounds; }
  Integer GetMinWidth() const noexcept { return FMinWidth; }
  Integer GetOptimalWidth() const noexcept { return FOptimalWidth; }
  Integer GetTextWidth() const noexcept { return FTextWidth; }
  Integer GetWidth() const noexcept { return FWidth; }
  void SetWidth(Integer Value) { FWidth = Value; }
  bool GetSeparatorWanted() const noexcept { return FSeparatorWanted; }
  void SetSeparatorWanted(bool Value) { FSeparatorWanted = Value; }
  Byte GetSeparatorAlpha() const noexcept { return FSeparatorAlpha; }
  const TRect& GetTextRect() const noexcept { return FTextBounds; }
  const TRect& GetSeparatorRect() const noexcept { return FSeparatorBounds; }

 private:
  std::unique_ptr<TqzRibbonTabPainter> FPainter;
  TqzRibbonTab* FTab;
  bool FSeparatorWanted = false;
  Integer FMinWidth = 0;
  Integer FOptimalWidth = 0;
  TRect FTextBounds;
  Integer FTextWidth = 0;
  Byte FSeparatorAlpha = 0;
  TRect FSeparatorBounds;
  Integer FWidth = 0;
  TRect FBounds;
};

// The row of tab headers: laid out at their optimal widths, compressed, or scrolled.
class TqzRibbonTabsViewInfo : public TObject {
  TAVREN_CLASS(TqzRibbonTabsViewInfo, TObject)
 public:
  explicit TqzRibbonTabsViewInfo(TqzCustomRibbon* ARibbon);
  ~TqzRibbonTabsViewInfo() override;

  void Clear();
  void Add(TqzRibbonTabViewInfo* AInfo) { FItems.emplace_back(AInfo); }
  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  TqzRibbonTabViewInfo* GetItem(Integer Index) const { return FItems.at(Index).get(); }

  virtual void CalculateCompressed();
  virtual void CalculateOptimal();
  virtual void CalculateScrolled();
  virtual void Calculate(const TRect& ABounds);

  void SetScrollOffset(Integer Value);
  void MakeTabVisible(TqzRibbonTab* ATab);
  // Scroll buttons first, then the tab under the point inside the row's clip area.
  bool HitTest(const TPoint& P, TqzRibbonHitInfo& AHit);
  // The row less the shown scroll buttons.
  TRect GetClipBounds() const;
  TqzRibbonTabViewInfo* Find(TqzRibbonTab* ATab) const;
  void Paint(TCanvas* ACanvas);

  const TRect& GetBounds() const noexcept { return FBounds; }
  bool GetHasSeparatorAfterLastTab() const noexcept { return FSeparatorAfterLastTab; }
  void SetHasSeparatorAfterLastTab(bool Value) { FSeparatorAfterLastTab = Value; }
  bool GetTruncated() const noexcept { return FTruncated; }
  // Bit 0 left, bit 1 right.
  Byte GetScrollButtons() const noexcept { return FScrollButtons; }
  const TRect& GetScrollButtonLeft() const noexcept { return FScrollButtonBounds[0]; }
  const TRect& GetScrollButtonRight() const noexcept { return FScrollButtonBounds[1]; }
  Integer GetScrollOffset() const noexcept { return FScrollOffset; }
  Integer GetMaxScrollOffset() const noexcept { return FMaxScrollOffset; }
  Byte GetSeparatorAlpha() const noexcept { return FSeparatorAlpha; }

 private:
  void ResetScrolling();
  void PlaceTabs(Integer ALeft);
  Integer ScrollButtonWidth() const;

  TqzCustomRibbon* FRibbon;
  std::vector<std::unique_ptr<TqzRibbonTabViewInfo>> FItems;
  TRect FBounds;
  bool FSeparatorAfterLastTab = false;
  bool FTruncated = false;
  Byte FScrollButtons = 0;
  TRect FScrollButtonBounds[2];
  Integer FScrollOffset = 0;
  Integer FMaxScrollOffset = 0;
  Byte FSeparatorAlpha = 0;
  Integer FMinWidthSum = 0;
  Integer FOptimalWidthSum = 0;
};

// The whole ribbon area.
class TqzRibbonViewInfo : public TObject {
  TAVREN_CLASS(TqzRibbonViewInfo, TObject)
 public:
  explicit TqzRibbonViewInfo(TqzCustomRibbon* ARibbon);
  ~TqzRibbonViewInfo() override;

  virtual void CalculateApplicationButton();
  virtual void CalculateQuickAccessToolbar();
  virtual void CalculateCaption();
  virtual void CalculateGroupsSite();
  virtual void CalculateTabs();
  virtual Integer GetRibbonHeight();
  virtual TRect GetApplicationButtonBounds();
  virtual TSize GetApplicationButtonSkinSize();
  virtual TRect GetApplicationButtonImageBounds();
  virtual TRect GetApplicationButtonMargins();
  // A region the caller deletes; nullptr while the button is not shown.
  virtual HRGN CreateApplicationButtonRegion();
  virtual TSize GetApplicationButtonSize();
  virtual Integer GetApplicationButtonState();
  virtual Integer CaptionHeight();
  virtual String GetCaptionText();
  virtual String GetDocumentName();
  virtual TRect GetCaptionAreaBounds();
  virtual TRect GetCaptionTextBounds();
  virtual TSize GetQuickAccessToolbarSize();
  virtual TRect GetQuickAccessToolbarBounds();
  virtual Integer GetQuickAccessToolbarHeight();
  virtual Integer GetQuickAccessToolbarLeft();
  virtual Integer GetQuickAccessToolbarTop();
  virtual Integer GetQuickAccessToolbarWidth();
  virtual TRect GetQuickAccessToolbarDockBounds();
  virtual TRect GetQuickAccessToolbarMargins();
  virtual TRect GetGroupsSiteBounds();
  virtual TRect GetGroupsDockBounds();
  virtual TRect GetGroupsDockMargins();
  virtual Integer GetGroupsHeight(bool AForce);
  virtual TRect TabsAreaBounds();
  virtual Integer GetTabsHeight();
  virtual TClassOf<TqzRibbonTabViewInfo> GetTabViewInfoClass();
  virtual void Calculate(const TRect& ABounds);

  // With AForce false the ribbon's hidden state suppresses the element; with true it is ignored.
  bool IsBarManagerUsable(bool AForce);
  bool AreTabHeadersShown(bool AForce);
  bool IsQuickAccessToolbarShown(bool AForce);
  bool IsQuickAccessToolbarBelow();
  bool IsQuickAccessToolbarInCaption(bool AForce);
  bool AreGroupsShownInRibbon(bool AForce);
  bool IsApplicationButtonShown(bool AForce);
  bool IsHelpButtonShown();
  bool AreMDIButtonsShown();
  bool ShouldBeHidden();

  TqzRibbonHitInfo HitTest(Integer X, Integer Y);
  TqzRibbonTab* GetTabAtPoint(Integer X, Integer Y);
  // For the help and MDI buttons: 2 pressed, 1 hot, 0 normal, from the controller's elements.
  Integer ElementState(TqzRibbonHitKind AKind);
  // The top of the tab row: the caption strip, or the quick access toolbar above the ribbon.
  Integer TabsTop();
  void Paint(TCanvas* ACanvas);
  bool IsCalculating() const noexcept { return FCalculating; }

  TqzCustomRibbon* GetRibbon() const noexcept { return FRibbon; }
  const TRect& GetBounds() const noexcept { return FBounds; }
  const TRect& GetApplicationButtonRect() const noexcept { return FApplicationButtonBounds; }
  const TRect& GetApplicationButtonImageRect() const noexcept { return FApplicationButtonImageBounds; }
  const TRect& GetCaptionBounds() const noexcept { return FCaptionBounds; }
  const TRect& GetHelpButtonBounds() const noexcept { return FHelpButtonBounds; }
  // Minimize, restore, close.
  const TRect& GetMDIButtonBounds(Integer Index) const { return FMDIButtonBounds[Index]; }
  const TRect& GetGroupsSiteRect() const noexcept { return FGroupsSiteBounds; }
  const TRect& GetGroupsDockRect() const noexcept { return FGroupsDockBounds; }
  const TRect& GetQuickAccessToolbarRect() const noexcept { return FQuickAccessToolbarBounds; }
  const TSize& GetQuickAccessToolbarExtent() const noexcept { return FQuickAccessToolbarSize; }
  bool GetUseNonClientDrawing() const noexcept { return FUseNonClientDrawing; }
  bool GetUseCompositionFrame() const noexcept { return FUseCompositionFrame; }
  bool GetDesignPlaceholder() const noexcept { return FDesignPlaceholder; }
  // The height the last Calculate gave the ribbon; the ribbon keeps no other.
  bool HasCalculated() const noexcept { return FCalculatedHeight >= 0; }
  Integer GetCalculatedHeight() const noexcept { return FCalculatedHeight; }
  TqzRibbonTabsViewInfo* GetTabsViewInfo() const noexcept { return FTabsViewInfo.get(); }

 private:
  Integer MaximalQuickAccessToolbarWidth();
  void CalculateMDIButtons();
  void CalculateHelpButton();
  void RebuildTabViewInfos();
  Integer ScaledToScreen(Integer AValue);

  TqzCustomRibbon* FRibbon;
  TRect FBounds;
  TRect FApplicationButtonBounds;
  TRect FApplicationButtonImageBounds;
  TRect FCaptionBounds;
  TRect FHelpButtonBounds;
  TRect FMDIButtonBounds[3];
  TRect FGroupsSiteBounds;
  TRect FGroupsDockBounds;
  TSize FQuickAccessToolbarSize;
  TRect FQuickAccessToolbarBounds;
  bool FUseNonClientDrawing = false;
  bool FUseCompositionFrame = false;
  bool FDesignPlaceholder = false;
  Integer FCalculatedHeight = -1;
  bool FCalculating = false;
  std::unique_ptr<TqzRibbonTabsViewInfo> FTabsViewInfo;
};
