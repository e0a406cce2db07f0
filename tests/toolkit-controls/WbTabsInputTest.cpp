// Selecting tabs and the user's input: SetTabIndex's rules, keys, accelerators, hot tracking,
// scrolling, the scroller's repeat on the test clock, the tab menu and the drop marker.

#include <gtest/gtest.h>

#include "VclTestSupport.h"
#include "WbTestSupport.h"
#include "backend/ScriptedInput.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "gdi/Regions.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "toolkit/controls/WbTabs.h"
#include "user/InputEvents.h"
#include "user/Painting.h"
#include "user/VirtualKeys.h"
#include "vcl/Menus.h"
#include "vcl/Timers.h"

namespace {

struct TabWatcher : TObject {
  std::vector<String> Events;
  bool Allow = true;
  void Changing(TObject*, Integer NewIndex, bool& AllowChange) {
    Events.push_back("changing " + std::to_string(NewIndex));
    AllowChange = Allow;
  }
  void Change(TObject*) { Events.push_back("change"); }
  void Click(TObject*) { Events.push_back("click"); }
};

class WbTabsInputTest : public VclTest {
 protected:
  TWbTabControl* NewTabs(std::initializer_list<const char*> captions, Integer W = 300, Integer H = 120) {
    form = NewForm(100, 100, 500, 400);
    form->SetBorderStyle(bsNone);
    auto* tabs = new TWbTabControl(form);
    tabs->SetParent(form);
    tabs->SetBounds(10, 10, W, H);
    for (const char* caption : captions) {
      auto* tab = new TWbTabData;
      tab->Caption = caption;
      tabs->GetTabs()->Add(tab);
    }
    tabs->SetOnChanging(MakeEvent<&TabWatcher::Changing>(&watcher));
    tabs->SetOnChange(MakeEvent<&TabWatcher::Change>(&watcher));
    tabs->SetOnTabClick(MakeEvent<&TabWatcher::Click>(&watcher));
    form->Show();
    tabs->RequestLayout();
    Settle();
    return tabs;
  }
  POINT Screen(TControl* tabs, TPoint p) {
    TPoint s = tabs->ClientToScreen(p);
    return {s.X, s.Y};
  }
  POINT TabCentre(TWbCustomTabControl* tabs, Integer i) {
    TRect r = tabs->TabClientRect(i);
    return Screen(tabs, {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  }
  TForm* form = nullptr;
  TabWatcher watcher;
};

}  // namespace

TEST_F(WbTabsInputTest, SetTabIndexRules) {
  struct Case {
    const char* What;
    Integer Value;
    Integer Then;
    std::vector<String> Events;
  };
  const Case cases[] = {
      {"the same tab", 1, 1, {}},
      {"past the end", 4, -1, {}},
      {"a hidden tab", 2, 1, {}},
      {"a disabled tab", 3, 1, {}},
      {"a vetoed tab", 0, 1, {"changing 0"}},
      {"an allowed tab", 0, 0, {"changing 0", "change"}},
  };
  for (const Case& c : cases) {
    TWbTabControl* tabs = NewTabs({"One", "Two", "Three", "Four"});
    tabs->GetTabs()->GetItems(2)->TabVisible = false;
    tabs->GetTabs()->GetItems(3)->TabEnabled = false;
    watcher.Allow = true;
    tabs->SetTabIndex(1);
    watcher.Events.clear();
    watcher.Allow = std::string(c.What) != "a vetoed tab";
    tabs->SetTabIndex(c.Value);
    EXPECT_EQ(tabs->GetTabIndex(), c.Then) << c.What;
    EXPECT_EQ(watcher.Events, c.Events) << c.What;
  }
}

TEST_F(WbTabsInputTest, KeysSelectInTheVisualOrderAndSkipWhatCannotBeSelected) {
  TWbTabControl* tabs = NewTabs({"One", "Two", "Three", "Four"});
  tabs->GetTabs()->GetItems(1)->TabEnabled = false;
  tabs->SetTabIndex(0);
  tabs->SetFocus();
  Settle();
  struct Step {
    UINT Key;
    Integer Then;
  };
  for (Step s : {Step{VK_RIGHT, 2}, Step{VK_RIGHT, 3}, Step{VK_RIGHT, 0}, Step{VK_LEFT, 3}, Step{VK_HOME, 0},
                 Step{VK_END, 3}}) {
    ScriptKeyPress(s.Key);
    Settle();
    EXPECT_EQ(tabs->GetTabIndex(), s.Then) << s.Key;
  }
  // On the left side in the standard sequence tab 0 lies at the bottom: Up goes on.
  tabs->SetTabOrientation(toLeft);
  tabs->SetTabIndex(0);
  ScriptKeyPress(VK_UP);
  Settle();
  EXPECT_EQ(tabs->GetTabIndex(), 2);
  // With every tab disabled the arrows change nothing.
  for (Integer i = 0; i < 4; ++i) tabs->GetTabs()->GetItems(i)->TabEnabled = false;
  watcher.Events.clear();
  for (UINT key : {VK_LEFT, VK_RIGHT, VK_HOME, VK_END}) ScriptKeyPress(key);
  Settle();
  EXPECT_EQ(tabs->GetTabIndex(), 2);
  EXPECT_TRUE(watcher.Events.empty());
}

TEST_F(WbTabsInputTest, ClicksAndAcceleratorsSelectTabs) {
  TWbTabControl* tabs = NewTabs({"&Effect", "&Trim", "&Crop"});
  tabs->SetTabIndex(0);
  watcher.Events.clear();
  ScriptClick(TabCentre(tabs, 2));
  Settle();
  EXPECT_EQ(tabs->GetTabIndex(), 2);
  EXPECT_EQ(watcher.Events, (std::vector<String>{"changing 2", "change", "click"}));
  // The current tab clicked again: the control takes the focus and reports the click.
  watcher.Events.clear();
  ScriptClick(TabCentre(tabs, 2));
  Settle();
  EXPECT_TRUE(tabs->Focused());
  EXPECT_EQ(watcher.Events, (std::vector<String>{"click"}));
  ScriptKeyPress('T', kAlt);
  Settle();
  EXPECT_EQ(tabs->GetTabIndex(), 1);
}

TEST_F(WbTabsInputTest, HotTrackingFollowsTheMouseOnTheHoverTimer) {
  TWbTabControl* tabs = NewTabs({"One", "Two"});
  tabs->SetTabHints(true);
  tabs->GetTabs()->GetItems(1)->Hint = "The second tab";
  ScriptMouseMove(TabCentre(tabs, 1));
  Settle();
  EXPECT_EQ(tabs->GetHotTab(), 1);
  EXPECT_TRUE(tabs->IsHoverTimerRunning());
  EXPECT_EQ(tabs->GetHint(), "The second tab");
  // Over the empty part of the strip: no tab, no hint.
  ScriptMouseMove(Screen(tabs, {280, 5}));
  Settle();
  EXPECT_EQ(tabs->GetHotTab(), -1);
  EXPECT_FALSE(tabs->IsHoverTimerRunning());
  EXPECT_EQ(tabs->GetHint(), "");
  // Leaving the control entirely: the timer's tick resets the hot tab.
  ScriptMouseMove(TabCentre(tabs, 0));
  Settle();
  EXPECT_EQ(tabs->GetHotTab(), 0);
  SetCursorPos(450, 380);
  clock.Advance(60);
  Settle();
  EXPECT_EQ(tabs->GetHotTab(), -1);
}

TEST_F(WbTabsInputTest, ScrollingStopsWhenTheEndTabIsFullyShown) {
  TWbTabControl* tabs = NewTabs({"Preview", "Effects", "Trimming", "Cropping", "Output", "Profile", "Log"}, 220);
  tabs->UpdateLayout();
  ASSERT_TRUE(tabs->GetScrollerNeeded());
  // A tab running under the scroller is only partly shown: neither painted nor hit.
  Integer partly = 0;
  while (tabs->TabFullyShown(partly)) ++partly;
  const TRect part = tabs->TabClientRect(partly);
  ASSERT_LT(part.Left + 9, tabs->GetScroller()->GetLeft());
  ASSERT_TRUE(PtInRegion(tabs->TabShapeRegion(partly, part), part.Left + 9, part.Bottom - 3));
  EXPECT_EQ(tabs->TabAtPoint(part.Left + 9, part.Bottom - 3), -1);
  Integer steps = 0;
  for (Integer old = -1; old != tabs->GetFirstVisibleTab(); ++steps) {
    old = tabs->GetFirstVisibleTab();
    tabs->ScrollTabs(true);
  }
  EXPECT_TRUE(tabs->TabFullyShown(6));
  EXPECT_FALSE(tabs->TabFullyShown(tabs->GetFirstVisibleTab() - 1));

  EXPECT_GT(steps, 2);
  while (tabs->GetFirstVisibleTab() > 0) {
    const Integer old = tabs->GetFirstVisibleTab();
    tabs->ScrollTabs(false);
    ASSERT_LT(tabs->GetFirstVisibleTab(), old);
  }
  tabs->ScrollTabs(false);
  EXPECT_EQ(tabs->GetFirstVisibleTab(), 0);
}

TEST_F(WbTabsInputTest, TheScrollerRepeatsOnTheClockAndAnUprightOneSplitsAlongY) {
  TWbTabControl* tabs = NewTabs({"Preview", "Effects", "Trimming", "Cropping", "Output", "Profile", "Log"}, 220);
  Settle();
  TWbTabScroller* scroller = tabs->GetScroller();
  ASSERT_NE(scroller, nullptr);
  struct Clicks : TObject {
    std::vector<uint64_t> At;
    FakeClock* Clock = nullptr;
    void Right(TObject*) { At.push_back(Clock->Now()); }
  } clicks;
  clicks.Clock = &clock;
  scroller->SetOnUpRightClick(MakeEvent<&Clicks::Right>(&clicks));
  const uint64_t start = clock.Now();
  POINT right = Screen(scroller, {scroller->GetWidth() * 3 / 4, scroller->GetHeight() / 2});
  InputMouseButton(right, MouseButton::Left, true);
  Settle();
  while (clicks.At.size() < 3) Application()->HandleMessage();
  EXPECT_EQ(clicks.At[0] - start, 400u);
  EXPECT_EQ(clicks.At[1] - start, 500u);
  EXPECT_EQ(clicks.At[2] - start, 600u);
  // Released outside the pressed half: no further click, the timer stops.
  POINT outside = Screen(scroller, {1, scroller->GetHeight() / 2});
  InputMouseMove(outside);
  Settle();
  InputMouseButton(outside, MouseButton::Left, false);
  Settle();
  EXPECT_FALSE(scroller->GetRepeatTimer()->GetEnabled());
  const size_t held = clicks.At.size();
  // Released over the half: one more click.
  ScriptClick(right);
  Settle();
  EXPECT_EQ(clicks.At.size(), held + 1);

  // Upright on the right side: the top half is the up/right one.
  TWbTabControl* side = NewTabs({"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta"}, 120, 120);
  side->SetTabOrientation(toRight);
  side->SetTextOrientation(orVertical);
  Settle();
  TWbTabScroller* upright = side->GetScroller();
  ASSERT_NE(upright, nullptr);
  ASSERT_EQ(upright->GetOrientation(), orVertical);
  clicks.At.clear();
  upright->SetOnUpRightClick(MakeEvent<&Clicks::Right>(&clicks));
  ScriptClick(Screen(upright, {1, 2}));
  Settle();
  EXPECT_EQ(upright->GetPressedHalf(), 1);
  EXPECT_EQ(clicks.At.size(), 1u);
}

TEST_F(WbTabsInputTest, TheMenuListsVisibleTabsWhereTheSideSays) {
  TWbTabControl* tabs = NewTabs({"One", "Two", "Three", "Four"});
  tabs->GetTabs()->GetItems(1)->TabVisible = false;
  tabs->GetTabs()->GetItems(2)->TabEnabled = false;
  tabs->GetTabs()->GetItems(2)->ImageIndex = 1;
  tabs->GetTabs()->GetItems(2)->DisabledIndex = 5;
  tabs->SetTabIndex(3);
  tabs->SetShowMenuButton(true);
  Settle();
  TWbTabMenuButton* button = tabs->GetMenuButton();
  TPoint at;
  Integer alignment = -1;
  button->BuildMenu(at, alignment);
  TMenuItem* items = button->GetMenu()->GetItems();
  ASSERT_EQ(items->GetCount(), 3);
  EXPECT_EQ(items->GetItem(1)->GetCaption(), "Three");
  EXPECT_FALSE(items->GetItem(1)->GetEnabled());
  EXPECT_EQ(items->GetItem(1)->GetImageIndex(), 5);
  EXPECT_TRUE(items->GetItem(2)->GetChecked());
  EXPECT_EQ(at, button->ClientToScreen({button->GetWidth(), button->GetHeight()}));
  EXPECT_EQ(alignment, paRight);
  tabs->SetTabOrientation(toRight);
  button->BuildMenu(at, alignment);
  EXPECT_EQ(at, button->ClientToScreen({0, 0}));
  EXPECT_EQ(alignment, paRight);
  // Choosing an item selects its tab.
  items->GetItem(0)->Click();
  EXPECT_EQ(tabs->GetTabIndex(), 0);
}

TEST_F(WbTabsInputTest, TheDropMarkerIsRemovedByDrawingItAgain) {
  TWbTabControl* tabs = NewTabs({"One", "Two"});
  Settle();
  const TRect marker{150, 150, 165, 158};
  HDC dc = GetDCEx(form->GetHandle(), nullptr, DCX_CACHE | DCX_WINDOW);
  std::vector<COLORREF> before;
  for (Integer x = marker.Left; x < marker.Right; ++x) before.push_back(GetPixel(dc, x - 100, 154 - 100));
  tabs->DrawDropMarker(marker);
  std::vector<COLORREF> shown;
  for (Integer x = marker.Left; x < marker.Right; ++x) shown.push_back(GetPixel(dc, x - 100, 154 - 100));
  EXPECT_NE(shown, before);
  tabs->DrawDropMarker(marker);
  std::vector<COLORREF> after;
  for (Integer x = marker.Left; x < marker.Right; ++x) after.push_back(GetPixel(dc, x - 100, 154 - 100));
  EXPECT_EQ(after, before);
  ReleaseDC(form->GetHandle(), dc);
}

class TFormWithTabs : public TForm {
  TAVREN_CLASS(TFormWithTabs, TForm)
 public:
  using TForm::TForm;
  TWbTabControl* Tabs = nullptr;
};
TAVREN_CLASS_IMPL_PUBLISHED(TFormWithTabs, FIELD(Tabs))

TEST_F(WbTabsInputTest, TheStreamedTabIndexWaitsForTheTabs) {
  RegisterClasses({TFormWithTabs::ClassInfo()});
  TFormWithTabs stored(nullptr, 0);
  TReader reader(
      "object F: TFormWithTabs\n"
      "  object Tabs: TWbTabControl\n"
      "    TabIndex = 2\n"
      "  end\n"
      "end\n");
  reader.ReadRootComponent(&stored);
  ASSERT_NE(stored.Tabs, nullptr);
  for (const char* caption : {"One", "Two", "Three"}) {
    auto* tab = new TWbTabData;
    tab->Caption = caption;
    stored.Tabs->GetTabs()->Add(tab);
  }
  stored.Tabs->RequestLayout();
  stored.Tabs->UpdateLayout();
  EXPECT_EQ(stored.Tabs->GetTabIndex(), 2);
}

TEST_F(WbTabsInputTest, ThemedStripButtonsDrawTheStylesParts) {
  TWbTabControl* tabs = NewTabs({"Preview", "Effects", "Trimming", "Cropping", "Output", "Profile", "Log"}, 220);
  tabs->SetShowCloseButton(true);
  Settle();
  RecordingTheme theme;
  // No tab selected: the close button is drawn disabled.
  tabs->GetCloseButton()->Invalidate();
  tabs->GetCloseButton()->Update();
  EXPECT_EQ(theme.LastPart, 19);
  EXPECT_EQ(theme.LastState, 4);
  tabs->SetTabIndex(0);
  tabs->GetCloseButton()->Invalidate();
  tabs->GetCloseButton()->Update();
  EXPECT_EQ(theme.LastState, 1);
  // The scroller's halves: horizontal spin parts, the backward one disabled at the start.
  const int before = theme.Parts;
  tabs->GetScroller()->Invalidate();
  tabs->GetScroller()->Update();
  EXPECT_EQ(theme.Parts - before, 2);
  EXPECT_EQ(theme.LastPart, 3);
  EXPECT_EQ(theme.LastState, 1);
}

// Opens the drag entry points to the test.
class TDragProbeTabs : public TWbTabControl {
  TAVREN_CLASS(TDragProbeTabs, TWbTabControl)
 public:
  using TWbTabControl::TWbTabControl;
  using TWbCustomTabControl::DragDrop;
  using TWbCustomTabControl::DragOver;
};
TAVREN_CLASS_IMPL(TDragProbeTabs)

TEST_F(WbTabsInputTest, DraggingATabMarksTheTargetAndScrollsOutsideTheTabs) {
  form = NewForm(100, 100, 500, 400);
  auto* tabs = new TDragProbeTabs(form);
  tabs->SetParent(form);
  tabs->SetBounds(10, 10, 300, 120);
  tabs->SetAllowTabDragging(true);
  for (const char* caption : {"One", "Two", "Three"}) {
    auto* tab = new TWbTabData;
    tab->Caption = caption;
    tabs->GetTabs()->Add(tab);
  }
  tabs->SetTabIndex(0);
  form->Show();
  Settle();
  struct Case {
    Integer Tab;
    bool Accept;
  };
  // Over the current tab and over no tab the drop is refused and no marker shows.
  for (Case c : {Case{2, true}, Case{0, false}, Case{-1, false}}) {
    TRect r = c.Tab >= 0 ? tabs->TabClientRect(c.Tab) : TRect{200, 40, 201, 41};
    bool accept = !c.Accept;
    tabs->DragOver(tabs, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2, dsDragMove, accept);
    EXPECT_EQ(accept, c.Accept) << c.Tab;
    EXPECT_EQ(tabs->IsDropMarkerShown(), c.Accept) << c.Tab;
  }
  ASSERT_NE(tabs->GetDragScrollTimer(), nullptr);
  EXPECT_TRUE(tabs->GetDragScrollTimer()->GetEnabled());
  EXPECT_EQ(tabs->GetDragScrollTimer()->GetInterval(), 400u);
  tabs->DragDrop(tabs, 200, 40);
  EXPECT_FALSE(tabs->GetDragScrollTimer()->GetEnabled());
  EXPECT_FALSE(tabs->IsDropMarkerShown());
}
