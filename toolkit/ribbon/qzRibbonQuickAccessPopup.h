#pragma once
// The popup the quick access toolbar's mark opens: the links the toolbar had no room for, on the
// skin's popup background.

#include <memory>

#include "toolkit/ribbon/qzRibbonQuickAccess.h"

class TqzRibbonQuickAccessPopupPainter : public TqzRibbonQuickAccessPainter {
  TAVREN_CLASS(TqzRibbonQuickAccessPopupPainter, TqzRibbonQuickAccessPainter)
 public:
  using TqzRibbonQuickAccessPainter::TqzRibbonQuickAccessPainter;
  void DrawBarBackground(TCustomqzBarControl* ABarControl, TkvCanvas* ACanvas) override;
  void FillToolbarBackground(TCustomqzBarControl* ABarControl, HDC DC, TColor AColor, HBRUSH ABrush, const TRect& R,
                             const TRect& AClipRect) override;
  Integer MarkSize(TCustomqzBarControl*) override { return 0; }
  Integer MarkIndent() override { return 0; }
  // The customize entry: the small-button face unless normal, then the mark arrow.
  virtual void DrawCustomizeButton(HDC DC, const TRect& R, Integer AState);
};

class TqzRibbonQuickAccessPopupBarControl : public TqzRibbonQuickAccessBarControl {
  TAVREN_CLASS(TqzRibbonQuickAccessPopupBarControl, TqzRibbonQuickAccessBarControl)
 public:
  // Opened by the quick access toolbar's window AToolbar; ABar is its bar.
  TqzRibbonQuickAccessPopupBarControl(TqzRibbonQuickAccessBarControl* AToolbar, TqzBar* ABar);
  ~TqzRibbonQuickAccessPopupBarControl() override;

  TqzCustomRibbon* Ribbon() override;
  TqzBarPainter* Painter() override { return FPainter.get(); }
  void GetMargins(TRect& R) override { R = TRect(3, 3, 3, 3); }
  bool ShowsMark() override { return false; }
  bool HasFloatingCaption() override { return false; }
  bool BlocksOtherBars() override { return false; }
  void PopupSize(TSize& ASize) override;
  // Only over the toolbar's hidden links: the popup of the customize entry alone stays unseen.
  bool HasShadow() override;
  // Below the mark, ending at its right edge, kept on the work area. With no link hidden the
  // window stays unseen: its customize entry lies over the mark and opens its menu at once.
  void ShowAsPopup(const TRect& AOwnerRect) override;

 private:
  TqzRibbonQuickAccessBarControl* Toolbar() const;
  bool ToolbarHidesLinks() const;
  // The customize entry over the mark, its menu dropped down.
  void OpenCustomizeMenuAtMark();

  std::unique_ptr<TqzRibbonQuickAccessPopupPainter> FPainter;
};

// The quick control class of the quick access toolbar's window.
TqzBarControl* NewQuickAccessPopupBarControl(TqzBarControl* AParent, TqzBar* ABar);
