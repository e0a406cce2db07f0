#include <gtest/gtest.h>

#include <filesystem>

#include "BarControlTestSupport.h"
#include "NavigationTestSupport.h"
#include "backend/HeadlessBackend.h"
#include "toolkit/bars/qzBarHooks.h"
#include "toolkit/bars/qzBarItemControlCombos.h"
#include "user/Clock.h"
#include "user/Focus.h"
#include "user/InputEvents.h"
#include "user/Messages.h"
#include "rtl/IniFiles.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"

namespace {

// A form that records the keys and mouse messages that reach it.
class TRecordingForm : public TForm {
  TAVREN_CLASS(TRecordingForm, TForm)
 public:
  using TForm::TForm;
  std::vector<std::pair<UINT, WPARAM>> seen;
  bool Saw(UINT AMsg, WPARAM AWParam) const {
    return std::find(seen.begin(), seen.end(), std::make_pair(AMsg, AWParam)) != seen.end();
  }

 protected:
  void WndProc(TMessage& Message) override {
    switch (Message.Msg) {
      case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP:
        seen.emplace_back(Message.Msg, Message.WParam);
        break;
      case WM_RBUTTONUP: case WM_MOUSEWHEEL: case WM_LBUTTONDOWN:
        seen.emplace_back(Message.Msg, 0);
        break;
    }
    TForm::WndProc(Message);
  }
};
TAVREN_CLASS_IMPL(TRecordingForm)

TTestNavNode* gRoot = nullptr;
HWND gRootWindow = nullptr;
bool gRootRaises = false;

TqzBarHelperRef RootOfWindow(HWND AWnd) {
  if (gRootRaises) throw Exception("no root");
  return AWnd == gRootWindow ? BarHelperRef(gRoot) : nullptr;
}

class BarHooks : public testing::Test {
 protected:
  void SetUp() override {
    SetDisplayBackend(&screen);
    form = new TRecordingForm(nullptr, 0);
    form->SetBounds(0, 0, 300, 300);
    manager = new TqzBarManager(form);
    form->Show();
    SetFocus(form->GetHandle());
    root->selectable = false;
    root->manager = manager;
    a = root->Add("O", TRect(0, 0, 30, 20));
    b = root->Add("S", TRect(30, 0, 60, 20));
    gRoot = root.Get();
    gRootWindow = form->GetHandle();
    RibbonNavigationLookup = RootOfWindow;
  }
  void TearDown() override {
    NavigationControllerInstance()->EndKeyboardNavigation();
    RibbonNavigationLookup = nullptr;
    gRootRaises = false;
    gRoot = nullptr;
    delete form;
    SetDisplayBackend(nullptr);
  }
  void Pump(uint32_t AMilliseconds = 0) {
    for (uint32_t t = 0;; t += 10) {
      MSG msg;
      while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
      if (t >= AMilliseconds) break;
      static_cast<FakeClock&>(CurrentClock()).Advance(10);
    }
  }
  void Key(UINT AKey, bool ADown) {
    InputKey(AKey, ADown);
    Pump();
  }
  void Press(UINT AKey) {
    Key(AKey, true);
    Key(AKey, false);
  }
  TqzBarNavigationController* Controller() { return NavigationControllerInstance(); }
  bool Selected(TTestNavNode* ANode) { return ANode->IsCurrentSelection(); }

  HeadlessBackend screen;
  TRecordingForm* form = nullptr;
  TqzBarManager* manager = nullptr;
  TInterfacePtr<TTestNavNode> root{new TTestNavNode};
  TTestNavNode* a = nullptr;
  TTestNavNode* b = nullptr;
  TRecordingKeyTipWindows windows;
};

TEST_F(BarHooks, AltAloneEntersNavigationWhereArrowsMoveAndEscLeaves) {
  Press(VK_MENU);
  EXPECT_TRUE(Controller()->InNavigationMode());
  EXPECT_TRUE(Selected(a));
  EXPECT_FALSE(form->Saw(WM_SYSKEYUP, VK_MENU));
  Press(VK_RIGHT);
  EXPECT_TRUE(Selected(b));
  EXPECT_FALSE(form->Saw(WM_KEYDOWN, VK_RIGHT));
  EXPECT_FALSE(form->Saw(WM_KEYUP, VK_RIGHT));
  Press(VK_RIGHT);  // the row wraps
  EXPECT_TRUE(Selected(a));
  Press(VK_ESCAPE);
  EXPECT_FALSE(Controller()->CurrentSelection());
  // Keys go to the form again.
  Press(VK_RIGHT);
  EXPECT_TRUE(form->Saw(WM_KEYDOWN, VK_RIGHT));
}

TEST_F(BarHooks, AltPressedAgainLeavesAndItsReleaseIsSwallowedToo) {
  Press(VK_MENU);
  ASSERT_TRUE(Selected(a));
  form->seen.clear();
  Press(VK_MENU);
  EXPECT_FALSE(Controller()->CurrentSelection());
  EXPECT_TRUE(form->seen.empty());
}

TEST_F(BarHooks, WhatEntersNavigation) {
  struct Case {
    const char* name;
    std::vector<std::pair<UINT, bool>> keys;
    bool useF10;
    bool navigates;
  } cases[] = {
      {"Ctrl+Alt", {{VK_CONTROL, true}, {VK_MENU, true}, {VK_MENU, false}, {VK_CONTROL, false}}, true, false},
      {"Alt+X", {{VK_MENU, true}, {'X', true}, {'X', false}, {VK_MENU, false}}, true, false},
      {"F10", {{VK_F10, true}, {VK_F10, false}}, true, true},
      {"F10 not for menus", {{VK_F10, true}, {VK_F10, false}}, false, false},
      {"Shift+F10", {{VK_SHIFT, true}, {VK_F10, true}, {VK_F10, false}, {VK_SHIFT, false}}, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    manager->SetUseF10ForMenu(c.useF10);
    for (auto [key, down] : c.keys) Key(key, down);
    EXPECT_EQ(Controller()->InNavigationMode(), c.navigates);
    EXPECT_EQ(Selected(a), c.navigates);
    Controller()->EndKeyboardNavigation();
  }
}

TEST_F(BarHooks, AltHeldShowsUniqueKeyTipsAndTypingOneRunsItsItem) {
  root->keyTipWindows = &windows;
  root->Add("S", TRect(60, 0, 90, 20));
  Key(VK_MENU, true);
  Pump(400);
  EXPECT_FALSE(Controller()->AreKeyTipsShown());
  Pump(200);
  EXPECT_EQ(windows.Texts(), (std::vector<String>{"O", "S1", "S2"}));
  Key(VK_MENU, false);
  EXPECT_TRUE(Controller()->AreKeyTipsShown());
  Press('S');
  EXPECT_EQ(windows.Texts(), (std::vector<String>{"S1", "S2"}));
  Press('1');
  EXPECT_EQ(b->executed, 1);
  EXPECT_FALSE(form->Saw(WM_CHAR, '1'));
  // Released at once, Alt shows them too, with the root's default object selected.
  Controller()->EndKeyboardNavigation();
  Press(VK_MENU);
  EXPECT_TRUE(Controller()->AreKeyTipsShown());
  EXPECT_TRUE(Selected(a));
  // A click ends it all.
  InputMouseButton({200, 200}, MouseButton::Left, true);
  InputMouseButton({200, 200}, MouseButton::Left, false);
  Pump();
  EXPECT_FALSE(Controller()->AreKeyTipsShown());
  EXPECT_FALSE(Controller()->CurrentSelection());
}

TEST_F(BarHooks, DirectRunsAndButtonTracking) {
  // An in-place editor runs the hook itself for a key it received: it learns whether the bars
  // took it.
  EXPECT_FALSE(RunBarKeyboardHookDirect('K', 0));
  Press(VK_MENU);
  ASSERT_TRUE(Selected(a));
  EXPECT_TRUE(RunBarKeyboardHookDirect(VK_RIGHT, 0));
  EXPECT_TRUE(Selected(b));
  Press(VK_ESCAPE);
  EXPECT_FALSE(Controller()->InNavigationMode());
  // While a toolbar tracks a press on a window button, every key is swallowed.
  SetBarButtonTracking(true);
  Press('K');
  SetBarButtonTracking(false);
  EXPECT_FALSE(form->Saw(WM_KEYDOWN, 'K'));
  Press('K');
  EXPECT_TRUE(form->Saw(WM_KEYDOWN, 'K'));
}

struct TItemClicks : TObject {
  Integer count = 0;
  void Clicked(TObject*) { ++count; }
};

TEST_F(BarHooks, ShortcutsRunTheItemsOfVisibleBars) {
  TItemClicks clicks;
  auto* item = new TqzBarButton(form);
  item->SetShortCut(ShortCut('O', {ssCtrl}));
  item->SetOnClick(MakeEvent<&TItemClicks::Clicked>(&clicks));
  TqzBar* bar = manager->CreateToolbar(false);
  bar->GetItemLinks()->AddLinkForItem(item);
  Key(VK_CONTROL, true);
  Press('O');
  EXPECT_EQ(clicks.count, 1);
  EXPECT_FALSE(form->Saw(WM_KEYDOWN, 'O'));
  bar->SetVisible(false);
  Press('O');
  Key(VK_CONTROL, false);
  EXPECT_EQ(clicks.count, 1);
  EXPECT_TRUE(form->Saw(WM_KEYDOWN, 'O'));
}

TEST_F(BarHooks, AltWithAnAcceleratorPressesASingleMatchAndSelectsTheFirstOfSeveral) {
  RibbonNavigationLookup = nullptr;
  TItemClicks clicks;
  TqzBar* bar = manager->CreateToolbar(false);
  for (const char* caption : {"&Open", "&Save", "&Stop"}) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(caption);
    // On a toolbar only buttons that show their caption answer accelerators.
    item->SetPaintStyle(psCaption);
    item->SetOnClick(MakeEvent<&TItemClicks::Clicked>(&clicks));
    bar->GetItemLinks()->AddLinkForItem(item);
  }
  auto* window = new TTestBarControl(manager);
  window->SetParent(form);
  window->SetBounds(10, 10, 120, 100);
  window->SetVisible(true);
  window->SetItemLinks(bar->GetItemLinks());
  window->Refresh(false);
  auto alt = [&](UINT AKey) {
    Key(VK_MENU, true);
    Press(AKey);
    Key(VK_MENU, false);
  };
  alt('O');
  EXPECT_EQ(clicks.count, 1);
  window->ClearSelection();
  alt('S');
  EXPECT_EQ(clicks.count, 1);
  EXPECT_EQ(window->GetSelectedControl(), bar->GetItemLinks()->GetVisibleLink(1)->GetControl());
  window->ClearSelection();
  alt('Q');
  EXPECT_TRUE(form->Saw(WM_SYSKEYDOWN, 'Q'));
  delete window;
}

TEST_F(BarHooks, TheApplicationsActivationIsTracked) {
  EXPECT_TRUE(IsAppActiveWindow());
  InputDeactivateApp();
  Pump();
  EXPECT_FALSE(IsAppActiveWindow());
  InputActivateWindow(form->GetHandle());
  Pump();
  EXPECT_TRUE(IsAppActiveWindow());
}

TEST_F(BarHooks, AHandlerThatRaisesLeavesTheChainWhole) {
  gRootRaises = true;
  Press(VK_MENU);
  Press('K');
  EXPECT_TRUE(form->Saw(WM_KEYDOWN, 'K'));
}

TEST_F(BarHooks, TheLastManagerTakesTheHooksAndTheHintWindow) {
  TForm* other = new TForm(nullptr, 0);
  auto* second = new TqzBarManager(other);
  EXPECT_TRUE(BarHooksInstalled());
  delete manager;
  EXPECT_TRUE(BarHooksInstalled());
  EXPECT_NE(BarHintWindow(), nullptr);
  delete second;
  delete other;
  EXPECT_FALSE(BarHooksInstalled());
  EXPECT_EQ(BarHintWindow(), nullptr);
  root->manager = nullptr;
  // No hook: Alt passes to the form.
  Press(VK_MENU);
  EXPECT_TRUE(form->Saw(WM_SYSKEYUP, VK_MENU));
}

TEST_F(BarHooks, TheManagerHearsItsOwnerWindowGo) {
  std::filesystem::path file = std::filesystem::temp_directory_path() /
                               ("bar-hooks-" + std::to_string(GetCurrentProcessId()) + ".ini");
  std::filesystem::remove(file);
  manager->SetName("Bars");
  manager->SetIniFileName(file.string());
  manager->SetStoreInIniFile(true);
  delete form;
  form = nullptr;
  TMemIniFile saved(file.string());
  EXPECT_TRUE(saved.SectionExists("Bars.Main")) << file;
  std::filesystem::remove(file);
}

// Two open levels of bar windows on the form: a root and the one it opened.
class BarHooksOpenMenus : public BarHooks {
 protected:
  void SetUp() override {
    BarHooks::SetUp();
    RibbonNavigationLookup = nullptr;
    for (TTestBarControl*& level : levels) {
      level = new TTestBarControl(manager);
      level->SetParent(form);
    }
    levels[0]->SetBounds(10, 10, 100, 40);
    levels[1]->SetBounds(10, 60, 100, 80);
    levels[1]->SetOpenerBar(levels[0]);
    for (TTestBarControl* level : levels) {
      level->SetVisible(true);
      level->ChangeActive(true);
    }
  }
  void TearDown() override {
    // The opened level goes first: its opener would take it along.
    delete levels[1];
    delete levels[0];
    BarHooks::TearDown();
  }
  TPoint Inside(Integer ALevel) { return levels[ALevel]->ClientToScreen(TPoint(5, 5)); }
  TTestBarControl* levels[2] = {};
};

TEST_F(BarHooksOpenMenus, AClickInsideTheChainClosesNothingAndOneOutsideClosesEveryLevel) {
  ASSERT_EQ(ActiveBarControl(), levels[1]);
  InputMouseButton(Inside(0), MouseButton::Left, true);
  Pump();
  EXPECT_EQ(ActiveBarControl(), levels[1]);
  InputMouseButton(Inside(0), MouseButton::Left, false);
  InputMouseButton({250, 250}, MouseButton::Left, true);
  InputMouseButton({250, 250}, MouseButton::Left, false);
  Pump();
  EXPECT_EQ(ActiveBarControl(), nullptr);
  EXPECT_FALSE(levels[0]->GetActive());
}

TEST_F(BarHooksOpenMenus, RightReleasesAndTheWheelOutsideAreSwallowed) {
  InputMouseButton({250, 250}, MouseButton::Right, false);
  InputMouseWheel({250, 250}, 120);
  Pump();
  EXPECT_FALSE(form->Saw(WM_RBUTTONUP, 0));
  EXPECT_FALSE(form->Saw(WM_MOUSEWHEEL, 0));
  EXPECT_EQ(ActiveBarControl(), levels[1]);
  for (TTestBarControl* level : levels) level->ChangeActive(false);
  InputMouseButton({250, 250}, MouseButton::Right, false);
  InputMouseWheel({250, 250}, 120);
  Pump();
  EXPECT_TRUE(form->Saw(WM_RBUTTONUP, 0));
  EXPECT_TRUE(form->Saw(WM_MOUSEWHEEL, 0));
}

TEST_F(BarHooksOpenMenus, ARightReleaseOutsideReachesADroppedDownComboOrTheLevelUnderTheCursor) {
  // The open level holds a combo; something outside the menus holds the capture.
  TqzBar* bar = manager->CreateToolbar(false);
  auto* combo = new TqzBarCombo(form);
  combo->GetItems()->Add("One");
  bar->GetItemLinks()->AddLinkForItem(combo);
  levels[1]->SetItemLinks(bar->GetItemLinks());
  levels[1]->Refresh(false);
  auto* control = dynamic_cast<TqzBarComboControl*>(bar->GetItemLinks()->GetLink(0)->GetControl());
  ASSERT_NE(control, nullptr);
  levels[1]->SetSelectedControl(control);
  SetCapture(form->GetHandle());
  struct Case {
    const char* name;
    bool droppedDown;
    TPoint at;
    bool reachesTheCapture;
  } cases[] = {
      {"combo closed, outside", false, {250, 250}, false},
      {"combo dropped down, outside", true, {250, 250}, true},
      {"combo closed, over the open level", false, Inside(1), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    control->SetDroppedDown(c.droppedDown);
    form->seen.clear();
    InputMouseButton(c.at, MouseButton::Right, false);
    Pump();
    EXPECT_EQ(form->Saw(WM_RBUTTONUP, 0), c.reachesTheCapture);
    EXPECT_EQ(ActiveBarControl(), levels[1]);
  }
  control->SetDroppedDown(false);
  ReleaseCapture();
}

TEST_F(BarHooksOpenMenus, KeysGoToTheActiveBarWindowNotToTheFocus) {
  Press(VK_ESCAPE);
  EXPECT_FALSE(form->Saw(WM_KEYDOWN, VK_ESCAPE));
  EXPECT_FALSE(form->Saw(WM_KEYUP, VK_ESCAPE));
  EXPECT_FALSE(levels[1]->GetActive());
}

}  // namespace
