#pragma once
// A small status bar for the panel styles' tests: panels in an owned collection, each owning its
// style, and a painter that records the cells it frames and the panels it fills.

#include <memory>
#include <string>
#include <vector>

#include "toolkit/ribbon/qzStatusBar.h"
#include "vcl/Controls.h"

class TTestStatusBarPainter : public TqzStatusBarPainter {
 public:
  void AdjustTextColor(IqzStatusBarSite*, TColor&, bool) override {}
  TSize SizeGripSize(IqzStatusBarSite*) override { return TSize{13, 13}; }
  Integer SeparatorWidth() override { return 3; }
  void DrawCellFrame(IqzStatusBarSite*, Integer, const TRect& R, TkvCanvas* Canvas) override {
    frames.push_back(R);
    Canvas->FillWithColor(TRect{R.Left, R.Top, R.Right, R.Top + 1}, clBtnShadow);
  }
  void DrawPanel(IqzStatusBarSite*, TqzStatusBarPanel*, TkvCanvas* Canvas, const TRect& R) override {
    ++panelFills;
    Canvas->FillWithColor(R, clBtnFace);
  }
  void GetPanelTextRect(IqzStatusBarSite*, TqzStatusBarPanel*, const TRect& R, TRect& TextRect) override {
    TextRect = R;
  }
  void DrawBackground(IqzStatusBarSite*, TkvCanvas* Canvas, const TRect& R) override {
    Canvas->FillWithColor(R, clBtnFace);
  }
  std::vector<TRect> frames;
  int panelFills = 0;
};

class TTestStatusBarPanel : public TqzStatusBarPanel {
 public:
  explicit TTestStatusBarPanel(TCollection* Collection) : TqzStatusBarPanel(Collection) {}
  ~TTestStatusBarPanel() override { FStyle.reset(); }
  String GetText() override { return text; }
  bool GetVisible() override { return visible; }
  Integer GetBevel() override { return 1; }
  TqzStatusBarPanelStyle* GetPanelStyle() override { return FStyle.get(); }
  void SetPanelStyleClass(TqzStatusBarPanelStyleClass Value) override {
    FStyle.reset();
    if (Value) FStyle.reset(Value.Create(this));
  }
  void UpdatePanel() override { ++updates; }
  String text;
  bool visible = true;
  int updates = 0;

 private:
  std::unique_ptr<TqzStatusBarPanelStyle> FStyle;
};

class TTestStatusBar : public TWinControl, public IqzStatusBarSite {
 public:
  explicit TTestStatusBar(TComponent* AOwner)
      : TWinControl(AOwner), panels(this, TqzStatusBarPanel::ClassInfo()), canvasBitmap(200, 30) {}
  ~TTestStatusBar() override { panels.Clear(); }

  // A panel with a style of the class.
  template <class TStyle>
  TStyle* AddPanel() {
    auto* panel = new TTestStatusBarPanel(&panels);
    panel->SetPanelStyleClass(TStyle::ClassInfo());
    return static_cast<TStyle*>(panel->GetPanelStyle());
  }
  TTestStatusBarPanel* Panel(Integer Index) { return static_cast<TTestStatusBarPanel*>(panels.GetItems(Index)); }

  TWinControl* StatusBarControl() override { return this; }
  TColor StatusBarColor() override { return clBtnFace; }
  TFont* StatusBarFont() override { return &font; }
  TCustomImageList* StatusBarImages() override { return nullptr; }
  TkvCanvas* StatusBarCanvas() override { return canvasBitmap.GetkvCanvas(); }
  TCollection* StatusBarPanels() override { return &panels; }
  bool ShowsSizeGrip() override { return sizeGrip; }
  bool IsUpdating() override { return updating; }
  void GetDefaultTextColor(TColor& Color, bool Active) override { Color = Active ? clBtnText : clGrayText; }
  void RefreshStatusBar() override { ++refreshes; }
  bool CanChangePanelStyle() override { return true; }
  TqzStatusBarPainter* StatusBarPainter() override { return &painter; }

  TOwnedCollection panels;
  TFont font;
  TkvBitmap canvasBitmap;
  TTestStatusBarPainter painter;
  bool sizeGrip = false;
  bool updating = false;  // as while the status bar is read from a form
  int refreshes = 0;
};
