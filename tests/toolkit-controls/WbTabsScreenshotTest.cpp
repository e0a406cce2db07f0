// Pictures of the tab and page controls for a person to look at: every tab style on every side,
// the features of the strip, and the clip editor's page control over a gradient panel.

#include <gtest/gtest.h>

#include "Screenshots.h"
#include "VclTestSupport.h"
#include "WbTestSupport.h"
#include "toolkit/controls/WbGrafx.h"
#include "toolkit/controls/WbPanel.h"
#include "toolkit/controls/WbTabs.h"

// Opens the drag entry points to the picture.
class TDropProbeTabs : public TWbTabControl {
  TAVREN_CLASS(TDropProbeTabs, TWbTabControl)
 public:
  using TWbTabControl::TWbTabControl;
  using TWbCustomTabControl::DragOver;
};
TAVREN_CLASS_IMPL(TDropProbeTabs)

namespace {

class WbTabsScreenshotTest : public VclTest {
 protected:
  template <class T>
  T* Add(TWinControl* Parent, Integer L, Integer T0, Integer W, Integer H) {
    auto* control = new T(form);
    control->SetParent(Parent);
    control->SetBounds(L, T0, W, H);
    return control;
  }
  void AddTabs(TWbCustomTabControl* tabs, std::initializer_list<const char*> captions) {
    for (const char* caption : captions) {
      auto* tab = new TWbTabData;
      tab->Caption = caption;
      tabs->GetTabs()->Add(tab);
    }
    tabs->RequestLayout();
  }
  // Four 16 x 16 pictures: coloured discs on a fuchsia (left out) ground, the last one grey.
  void MakeImages() {
    images = new TImageList(form);
    images->SetWidth(16);
    images->SetHeight(16);
    const TColor colours[] = {TColor(0x2A8C2A), TColor(0x1E64D2), TColor(0x2080E0), TColor(0x909090)};
    for (TColor colour : colours) {
      TBitmap b;
      FillBitmap(b, 16, 16, clFuchsia);
      TCanvas* c = b.GetCanvas();
      c->GetBrush()->SetColor(colour);
      c->GetPen()->SetColor(DarkenColor(colour, 60));
      c->Ellipse(1, 1, 15, 15);
      c->GetBrush()->SetColor(LightenColor(colour, 80));
      c->GetPen()->SetColor(LightenColor(colour, 80));
      c->Ellipse(4, 4, 8, 8);
      images->AddMasked(&b, clFuchsia);
    }
  }
  TForm* form = nullptr;
  TImageList* images = nullptr;
};

}  // namespace

TEST_F(WbTabsScreenshotTest, EveryStyleOnEverySide) {
  form = NewForm(10, 10, 940, 890);
  form->SetCaption("Tab styles");
  form->SetColor(clBtnFace);
  MakeImages();
  const TWbTabStyle styles[] = {tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant};
  const TWbTabOrientation sides[] = {toTop, toBottom, toLeft, toRight};
  for (int s = 0; s < 5; ++s)
    for (int o = 0; o < 4; ++o) {
      auto* tabs = Add<TWbTabControl>(form, 8 + o * 232, 8 + s * 172, 224, 164);
      tabs->SetTabStyle(styles[s]);
      tabs->SetTabOrientation(sides[o]);
      tabs->SetImages(images);
      if (o >= 2) {
        // Rotated captions read upwards on the left side and downwards on the right.
        tabs->SetTextOrientation(orVertical);
        tabs->SetImagePosition(sides[o] == toLeft ? ipBottom : ipTop);
      }
      AddTabs(tabs, {"&Effect", "Trim", "Crop"});
      tabs->GetTabs()->GetItems(0)->ImageIndex = 0;
      tabs->GetTabs()->GetItems(1)->ImageIndex = 1;
      tabs->GetTabs()->GetItems(2)->ImageIndex = 2;
      tabs->GetTabs()->GetItems(2)->TabEnabled = false;
      tabs->SetTabIndex(1);
    }
  form->Show();
  Settle();
  EXPECT_TRUE(SaveWindowShot(form->GetHandle(), "wb-tabs-styles"));
}

TEST_F(WbTabsScreenshotTest, StripFeatures) {
  form = NewForm(10, 10, 940, 560);
  form->SetCaption("Tab features");
  form->SetColor(clBtnFace);
  MakeImages();
  // Two-line captions, vertical text on the left and right sides, SoftCorners.
  auto* twoLine = Add<TWbTabControl>(form, 8, 8, 300, 120);
  twoLine->SetSoftCorners(true);
  AddTabs(twoLine, {"&Video\r\nsettings", "Audio", "Files && folders"});
  twoLine->SetTabIndex(0);
  auto* vertical = Add<TWbTabControl>(form, 316, 8, 140, 260);
  vertical->SetTabOrientation(toLeft);
  vertical->SetTextOrientation(orVertical);
  vertical->SetTabStyle(tsCutCorner);
  AddTabs(vertical, {"General", "Output", "Advanced"});
  vertical->SetTabIndex(1);
  auto* verticalRight = Add<TWbTabControl>(form, 464, 8, 140, 260);
  verticalRight->SetTabOrientation(toRight);
  verticalRight->SetTextOrientation(orVertical);
  verticalRight->SetTabStyle(tsRoundCorners);
  AddTabs(verticalRight, {"General", "Output", "Advanced"});
  verticalRight->SetTabIndex(0);
  // Coloured tabs.
  auto* coloured = Add<TWbTabControl>(form, 8, 136, 300, 132);
  coloured->SetTabStyle(tsDoubleSlant);
  coloured->SetSoftCorners(true);
  coloured->SetUseColoredTabs(true);
  AddTabs(coloured, {"Red", "Green", "Blue", "White"});
  const TColor tints[] = {TColor(0xC8C8F8), TColor(0xC8F0C8), TColor(0xF8D8C0), clWhite};
  for (int i = 0; i < 4; ++i) coloured->GetTabs()->GetItems(i)->Color = tints[i];
  coloured->SetTabIndex(2);
  // Three rows of multi-line tabs, the current one in the back row brought to the front.
  auto* rows = Add<TWbTabControl>(form, 612, 8, 320, 200);
  rows->SetMultiLine(true);
  rows->SetAlignTabs(true);
  AddTabs(rows, {"One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine", "Ten", "Eleven", "Twelve", "Thirteen",
                 "Fourteen", "Fifteen"});
  rows->SetTabIndex(9);
  // Scroller, close and menu buttons, a hot tab (htsTab bar) and an image on each tab.
  auto* scrolling = Add<TWbTabControl>(form, 8, 280, 440, 120);
  scrolling->SetShowCloseButton(true);
  scrolling->SetShowMenuButton(true);
  scrolling->SetImages(images);
  AddTabs(scrolling, {"Preview", "Effects", "Trimming", "Cropping", "Output", "Profile", "Log"});
  for (int i = 0; i < 7; ++i) scrolling->GetTabs()->GetItems(i)->ImageIndex = i % 3;
  scrolling->SetTabIndex(1);
  auto* hot = Add<TWbTabControl>(form, 456, 280, 300, 120);
  hot->SetTabStyle(tsBackSlant);
  hot->SetTabOrientation(toBottom);
  hot->SetHotTrackStyle(htsTab);
  AddTabs(hot, {"Normal", "Hot", "Current"});
  hot->SetTabIndex(2);
  // Scroller on a side, drop marker over a target tab.
  auto* side = Add<TWbTabControl>(form, 764, 216, 168, 180);
  side->SetTabOrientation(toRight);
  side->SetTabStyle(tsSingleSlant);
  side->SetTextOrientation(orVertical);
  AddTabs(side, {"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta"});
  side->SetTabIndex(0);
  auto* drop = Add<TDropProbeTabs>(form, 8, 412, 440, 120);
  drop->SetTabStyle(tsRoundCorners);
  drop->SetAllowTabDragging(true);
  AddTabs(drop, {"Effect", "Trim", "Crop", "Output"});
  drop->SetTabIndex(0);
  form->Show();
  Settle();
  // Hover the middle tab of the bottom control.
  TRect r = hot->TabClientRect(1);
  TPoint at = hot->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  SetCursorPos(at.X, at.Y);
  hot->Perform(WM_MOUSEMOVE, 0, MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  Settle();
  EXPECT_EQ(hot->GetHotTab(), 1);
  EXPECT_TRUE(scrolling->GetScrollerNeeded());
  EXPECT_TRUE(side->GetScrollerNeeded());
  EXPECT_EQ(rows->GetTabRowCount(), 3);
  // The marker goes onto the form's window; pictures are taken from the form.
  TRect target = drop->TabClientRect(2);
  bool accept = false;
  drop->DragOver(drop, (target.Left + target.Right) / 2, (target.Top + target.Bottom) / 2, dsDragMove, accept);
  EXPECT_TRUE(accept);
  EXPECT_TRUE(drop->IsDropMarkerShown());
  EXPECT_TRUE(SaveWindowShot(form->GetHandle(), "wb-tabs-features"));
}

TEST_F(WbTabsScreenshotTest, ClipEditorPageControl) {
  form = NewForm(10, 10, 420, 330);
  form->SetCaption("Clip editor pages");
  auto* panel = Add<TWbPanel>(form, 0, 0, 420, 330);
  panel->SetAlign(alClient);
  panel->SetBorderOuter(fsNone);
  panel->SetGradientColorStyle(gcsCustom);
  panel->SetGradientColorStart(TColor(0xFFF4E8));
  panel->SetGradientColorStop(TColor(0xE8D4C0));
  panel->SetVisualStyle(vsGradient);
  auto* pages = Add<TWbPageControl>(panel, 10, 10, 400, 310);
  pages->SetTabStyle(tsRoundCorners);
  pages->SetTransparent(true);
  pages->SetColor(TColor(15922678));
  const char* captions[] = {"Effect", "Trim", "Crop"};
  TWbTabSheet* sheets[3];
  for (int i = 0; i < 3; ++i) {
    sheets[i] = new TWbTabSheet(form);
    sheets[i]->SetParentPageControl(pages);
    sheets[i]->SetCaption(captions[i]);
    sheets[i]->SetColor(TColor(15922678));
  }
  auto* group = Add<TWbGroupBox>(sheets[1], 12, 12, 250, 90);
  group->SetCaption("Start and end");
  group->SetTransparent(true);
  pages->SetActivePage(sheets[1]);
  form->Show();
  Settle();
  EXPECT_EQ(pages->GetTabIndex(), 1);
  EXPECT_TRUE(sheets[1]->GetVisible());
  EXPECT_FALSE(sheets[0]->GetVisible());
  EXPECT_TRUE(SaveWindowShot(form->GetHandle(), "wb-tabs-clip-editor"));
}
