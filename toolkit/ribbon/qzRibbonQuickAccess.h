#pragma once
// The quick access toolbar's window: the toolbar the ribbon's settings name docks in a site of its
// own, placed by the ribbon above the tabs (or in the form's caption) or below the groups. Its bar
// window shows the links in one row, as many as fit, and ends with a mark; it draws on the
// ribbon's own background.

#include <memory>

#include "rtl/ComponentList.h"

#include "toolkit/ribbon/qzRibbonDockControl.h"
#include "toolkit/ribbon/qzRibbonGroupBar.h"
#include "toolkit/ribbon/qzRibbonPainter.h"

class TqzRibbonQuickAccessBarControl;
class TqzRibbonQuickAccessToolbar;

class TqzRibbonQuickAccessPainter : public TqzRibbonBarPainter {
  TAVREN_CLASS(TqzRibbonQuickAccessPainter, TqzRibbonBarPainter)
 public:
  using TqzRibbonBarPainter::TqzRibbonBarPainter;

  // The ribbon's own background behind the toolbar: the caption strip's when the toolbar sits in
  // it, else the toolbar strip the ribbon draws.
  void DrawBarBackground(TCustomqzBarControl* ABarControl, TkvCanvas* ACanvas) override;
  void FillToolbarBackground(TCustomqzBarControl* ABarControl, HDC DC, TColor AColor, HBRUSH ABrush, const TRect& R,
                             const TRect& AClipRect) override;
  // The ribbon's background, and the small-button face while the mark is hot or dropped.
  void DrawMarkBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R) override;
  // The skin's mark arrow; the arrow with the "more" bar while links are hidden.
  void DrawMarkGlyphs(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) override;
  void GetBarBorderSizes(TqzBar*, Integer, TRect& R, bool) override { R = TRect(); }
  // The last MarkWidth pixels of the client area.
  void GetMarkRect(TCustomqzBarControl* ABarControl, TRect& R) override;
  Integer MarkSize(TCustomqzBarControl*) override { return MarkWidth() + MarkIndent(); }
  // A group button: the skin's border-button face in the control's state, the group's glyph
  // inside the face's content offsets.
  virtual void DrawGroupButton(TqzBarItemControlDrawParams* AParams, const TRect& R);
  // Half the ribbon's group row, always odd.
  virtual Integer MarkWidth();
  // The gap the skin leaves before the mark, above or below the ribbon.
  virtual Integer MarkIndent();

 private:
  // The ribbon's background as it lies behind the window, into a DC whose origin is the window's
  // client origin.
  void DrawRibbonBehind(TCustomqzBarControl* ABarControl, HDC DC);
};

class TqzRibbonQuickAccessDockControl : public TqzCustomRibbonDockControl {
  TAVREN_CLASS(TqzRibbonQuickAccessDockControl, TqzCustomRibbonDockControl)
 public:
  explicit TqzRibbonQuickAccessDockControl(TqzCustomRibbon* ARibbon);
  ~TqzRibbonQuickAccessDockControl() override;

  TqzCustomRibbon* GetRibbon() const noexcept { return FRibbon; }
  TqzRibbonQuickAccessPainter* GetPainter() const noexcept { return FPainter.get(); }
  TqzBarControlFactory BarControlClass() override;
  // The ribbon lays itself out first: it decides the site's bounds.
  void ArrangeRows() override;
  void VisibleChanged() override;
  // The ribbon's layout: the site and the toolbar's window get their windows (so that the window
  // can be measured), then the site its visibility and bounds. Neither asks the ribbon for a
  // layout again.
  void PrepareWindows();
  void Place(bool AShown, const TRect& ABounds);

 private:
  TqzCustomRibbon* FRibbon;
  std::unique_ptr<TqzRibbonQuickAccessPainter> FPainter;
  bool FLayingOut = false;
};

// While customizing, the toolbar's link context menu offers neither paint styles nor group starts
// (the toolbar shows no separators).
class TqzRibbonQuickAccessBarControlDesignHelper : public TCustomqzBarControlDesignHelper {
  TAVREN_CLASS(TqzRibbonQuickAccessBarControlDesignHelper, TCustomqzBarControlDesignHelper)
 public:
  Integer GetDesignActions() override { return TCustomqzBarControlDesignHelper::GetDesignActions() | 0x200; }
};

class TqzRibbonQuickAccessBarControlViewInfo : public TqzBarControlViewInfo {
  TAVREN_CLASS(TqzRibbonQuickAccessBarControlViewInfo, TqzBarControlViewInfo)
 public:
  using TqzBarControlViewInfo::TqzBarControlViewInfo;
  bool HasSeparators() override { return false; }
  bool StopsAfter(TqzBarItemControl* AControl) override;
};

class TqzRibbonQuickAccessBarControl : public TqzRibbonCustomBarControl {
  TAVREN_CLASS(TqzRibbonQuickAccessBarControl, TqzRibbonCustomBarControl)
 public:
  TqzRibbonQuickAccessBarControl(TComponent* AOwner, TqzBar* ABar);
  // The mark's popup: a window of its own over a hidden copy of ASourceBar.
  TqzRibbonQuickAccessBarControl(TCustomqzBarControl* AOpener, TqzBar* ASourceBar, TqzChildBar);
  ~TqzRibbonQuickAccessBarControl() override;

  TqzCustomRibbon* Ribbon() override;
  TqzBarPainter* Painter() override;
  // The space around the links.
  virtual void GetMargins(TRect& R) { R = TRect(); }

  bool IsShown() override { return true; }
  bool MayHideFirstLink() override { return true; }
  // The mark opens the hidden links in a popup of the quick access look.
  TqzQuickControlFactory QuickControlClass() override;
  // While the ribbon has commands for its menus.
  bool ShowsMark() override;
  // Drawn on glass (in the caption of a composition frame): its in-place editors paint opaque.
  bool RefreshesEdits() override;
  Integer ControlViewLevel(TqzBarItemControl* AControl) override;
  TClassOf<TqzBarAccessibilityHelper> GetAccessibilityHelperClass() override;
  TClassOf<TqzBarAccessibilityHelper> MarkAccessibilityHelperClass() override;
  TClassOf<TCustomqzBarControlViewInfo> ViewInfoClass() override {
    return TqzRibbonQuickAccessBarControlViewInfo::ClassInfo();
  }
  Integer CalcWidth(TqzBarDockingStyle) override { return 0; }
  Integer CalcRowExtent(TqzBarDockingStyle AStyle) override;
  // The links in one row after the left margin, up to the first that leaves no room for the mark.
  void PlaceControls() override;
  // The mark and the links that fit within ALimit, as high as the tallest.
  void CalcSize(TqzBarDockingStyle AStyle, Integer ALimit, TSize& ASize) override;
  // The mark's popup ends with the toolbar's own customize entry; its menu lists the toolbar's
  // links as check items, then the ribbon's commands for the toolbar.
  bool AllowsQuickCustomizing() override { return true; }
  void AddQuickCustomizeEntry(TqzBarItemLinks* ALinks) override;
  // Outside customizing, anywhere on the window: the ribbon's commands, removing the clicked
  // link from the toolbar among them (none without a link).
  void ShowContextPopup(TqzBarItemControl* AControl) override;

 protected:
  // The window shows its site; it hides it as it goes.
  void CreateWnd() override;

 private:
  friend class TqzRibbonQuickAccessBarControlViewInfo;
  TqzRibbonQuickAccessDockControl* QuickAccessDockControl() const;
  // A new item of the class linked into the links, owned by the window.
  TqzBarItem* AddPopupItem(TqzBarItemLinks* ALinks, TClassOf<TqzBarItem> AItemClass);

  // The items of the last filling of the popup and its customize menu.
  std::unique_ptr<TComponentList> FPopupItems = std::make_unique<TComponentList>();

  // The control after which the links stopped fitting (the last one when all fit).
  TqzBarItemControl* FLastVisibleControl = nullptr;
  bool FCreatingWindow = false;
};
