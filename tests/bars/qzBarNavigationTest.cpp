#include <gtest/gtest.h>

#include "NavigationTestSupport.h"
#include "backend/HeadlessBackend.h"
#include "rtl/Exceptions.h"
#include "toolkit/bars/qzBar.h"
#include "user/Clock.h"
#include "user/Messages.h"

TAVREN_CLASS_IMPL(TRecordingKeyTipWindows)
TAVREN_CLASS_IMPL(TTestNavNode)

namespace {

class BarNavigation : public testing::Test {
 protected:
  void SetUp() override {
    SetDisplayBackend(&screen);
    root->selectable = false;
  }
  void TearDown() override {
    controller->EndKeyboardNavigation();
    SetDisplayBackend(nullptr);
  }
  void Pump(uint32_t AMilliseconds) {
    for (uint32_t t = 0; t < AMilliseconds; t += 10) {
      static_cast<FakeClock&>(CurrentClock()).Advance(10);
      MSG msg;
      while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    }
  }
  bool Selected(TTestNavNode* ANode) { return ANode->IsCurrentSelection(); }

  HeadlessBackend screen;
  TqzBarNavigationController* controller = NavigationControllerInstance();
  TInterfacePtr<TTestNavNode> root{new TTestNavNode};
  TRecordingKeyTipWindows windows;
};

TEST_F(BarNavigation, KeyTipTextIsCutToThreeCharactersOrFallsBackToTheDefault) {
  struct Case {
    const char* assigned;
    const char* fallback;
    const char* text;
  } cases[] = {{"ABCDE", "Y", "ABC"}, {"", "Q", "Q"}, {"", "", ""}, {"\xC3\x84" "BCD", "Y", "\xC3\x84" "BC"}};
  for (const Case& c : cases) {
    TTestNavNode* node = root->Add(c.assigned);
    node->defaultKeyTip = c.fallback;
    EXPECT_EQ(node->KeyTipText(), c.text) << c.assigned;
  }
}

TEST_F(BarNavigation, KeyTipsComeFromVisibleSubtreesAndStopAtSelectableNodes) {
  TTestNavNode* group = root->Group();
  group->Add("A");
  group->Add("B");
  TTestNavNode* hidden = root->Group();
  hidden->visible = false;
  hidden->Add("C");
  TTestNavNode* opener = root->Add("D");
  opener->Add("E");
  TqzBarKeyTipList list;
  root->CollectChildKeyTipData(list);
  std::vector<String> tips;
  for (auto& data : list) tips.push_back(data->Info.KeyTip);
  EXPECT_EQ(tips, (std::vector<String>{"A", "B", "D"}));
}

TEST_F(BarNavigation, KeyTipsAreMadeUnique) {
  struct Case {
    std::vector<String> in, out;
  } cases[] = {
      {{"A", "A", "A"}, {"A1", "A2", "A3"}},
      {{"F", "FX"}, {"F1", "FX"}},
      {{"A", "B"}, {"A", "B"}},
      {{"A", "A", "A1"}, {"A11", "A2", "A12"}},
  };
  std::vector<String> twelve(12, "B"), suffixed;
  for (int i = 1; i <= 12; ++i) suffixed.push_back(i < 10 ? "B0" + std::to_string(i) : "B" + std::to_string(i));
  for (auto c : {cases[0], cases[1], cases[2], cases[3], Case{twelve, suffixed}}) {
    TqzBarKeyTipList list;
    for (const String& text : c.in) {
      TqzBarKeyTipInfo info;
      info.KeyTip = text;
      list.push_back(std::make_unique<TqzBarKeyTipData>(info));
    }
    MakeKeyTipsUnique(list);
    std::vector<String> out;
    for (auto& data : list) out.push_back(data->Info.KeyTip);
    EXPECT_EQ(out, c.out) << c.in.size() << " x " << c.in[0];
  }
}

TEST_F(BarNavigation, TabWalksAcrossGroupsOnceAndWrapsAtTheRoot) {
  TTestNavNode* first = root->Group();
  TTestNavNode* a = first->Add();
  TTestNavNode* b = first->Add();
  TTestNavNode* second = root->Group();
  second->Add()->selectable = false;
  TTestNavNode* c = second->Add();
  struct Case {
    TTestNavNode* from;
    bool forward;
    TTestNavNode* to;
  } cases[] = {{a, true, b}, {b, true, c}, {c, true, a}, {a, false, c}, {c, false, b}};
  for (const Case& k : cases) {
    TqzBarHelperRef next = k.from->AdjacentSibling(k.forward);
    EXPECT_EQ(next ? next->BarHelperObject() : nullptr, k.to);
  }
  // Starts beyond the children begin at the end they lie beyond.
  EXPECT_EQ(first->NextSelectableAcrossTree(7, false), b);
  // Nothing selectable: the walk ends after one round.
  for (TTestNavNode* node : {a, b, c}) node->selectable = false;
  EXPECT_FALSE(a->AdjacentSibling(true));
  EXPECT_EQ(root->NextSelectableAcrossTree(-5, true), nullptr);
}

TEST_F(BarNavigation, ArrowsFindTheNearestOverlappingNodeAndWrapInTheRow) {
  // Two rows: three items above, two below.
  TTestNavNode* a = root->Add("", TRect(0, 0, 30, 20));
  TTestNavNode* b = root->Add("", TRect(30, 0, 60, 20));
  TTestNavNode* c = root->Add("", TRect(60, 0, 90, 20));
  TTestNavNode* d = root->Add("", TRect(0, 20, 25, 40));
  TTestNavNode* e = root->Add("", TRect(40, 20, 70, 40));
  struct Case {
    TTestNavNode* from;
    Integer direction;
    TTestNavNode* to;
  } cases[] = {
      {c, kvNavigateRight, a}, {a, kvNavigateLeft, c}, {a, kvNavigateRight, b},  {b, kvNavigateDown, e},
      {e, kvNavigateUp, b},    {d, kvNavigateDown, nullptr}, {e, kvNavigateRight, d}, {a, kvNavigateNext, nullptr},
  };
  for (const Case& k : cases) {
    k.from->BecomeSelected(false);
    TqzBarHelperRef next = k.from->NeighbourInDirection(k.direction);
    EXPECT_EQ(next ? next->BarHelperObject() : nullptr, k.to) << k.from->rect.Left << "," << k.from->rect.Top
                                                               << " direction " << k.direction;
  }
}

TEST_F(BarNavigation, KeysMoveTheSelectionAndLeaveIt) {
  TTestNavNode* first = root->Group();
  TTestNavNode* a = first->Add("", TRect(0, 0, 30, 20));
  TTestNavNode* b = first->Add("", TRect(30, 0, 60, 20));
  TTestNavNode* c = root->Group()->Add("", TRect(0, 30, 30, 50));
  controller->EnterNavigation(BarHelperRef(root.Get()));
  EXPECT_TRUE(controller->InNavigationMode());
  EXPECT_TRUE(Selected(a));
  controller->HandleKey(VK_RIGHT);
  EXPECT_TRUE(Selected(b));
  controller->HandleKey(VK_TAB);
  EXPECT_TRUE(Selected(c));
  controller->HandleKey(VK_DOWN);  // nothing below: the selection stays
  EXPECT_TRUE(Selected(c));
  controller->HandleKey(VK_ESCAPE);
  EXPECT_FALSE(controller->CurrentSelection());
}

TEST_F(BarNavigation, TypingFiltersTheKeyTipsRunsAnExactOneAndBeepsOnAMiss) {
  root->keyTipWindows = &windows;
  TTestNavNode* ab = root->Add("AB");
  root->Add("AC");
  root->Add("D");
  TTestNavNode* pad = root->Add("7");
  controller->SetKeyTipContainer(BarHelperRef(root.Get()), "");
  EXPECT_EQ(windows.Texts(), (std::vector<String>{"7", "AB", "AC", "D"}));
  controller->HandleKey('A');
  EXPECT_EQ(windows.Texts(), (std::vector<String>{"AB", "AC"}));
  int beeps = screen.Beeps();
  controller->HandleKey('X');
  EXPECT_EQ(screen.Beeps(), beeps + 1);
  EXPECT_EQ(windows.Texts(), (std::vector<String>{"AB", "AC"}));
  controller->HandleKey('B');
  EXPECT_EQ(ab->executed, 1);
  // A key of the numeric keypad types its digit, and the digit is what matches.
  controller->SetKeyTipContainer(nullptr, "");
  controller->SetKeyTipContainer(BarHelperRef(root.Get()), "");
  controller->HandleKey(VK_NUMPAD7);
  EXPECT_EQ(pad->executed, 1);
  // Esc at the top level leaves the key tips.
  controller->SetKeyTipContainer(BarHelperRef(root.Get()), "");
  controller->HandleKey(VK_ESCAPE);
  EXPECT_FALSE(controller->AreKeyTipsShown());
  EXPECT_TRUE(windows.windows.empty());
}

TEST_F(BarNavigation, LeavingAKeyTipLevelShowsTheLevelAbove) {
  root->keyTipWindows = &windows;
  TTestNavNode* menu = root->Add("F");
  TTestNavNode* open = menu->Add("O");
  EXPECT_EQ(KeyTipLevelAbove(open), menu);
  EXPECT_EQ(KeyTipLevelAbove(root.Get()), nullptr);
  controller->SetKeyTipContainer(BarHelperRef(menu), "");
  EXPECT_EQ(windows.Texts(), (std::vector<String>{"O"}));
  menu->LeaveKeyTipLevel();
  EXPECT_EQ(windows.Texts(), (std::vector<String>{"F"}));
  EXPECT_TRUE(Selected(menu));
  root->LeaveKeyTipLevel();
  EXPECT_FALSE(controller->AreKeyTipsShown());
  EXPECT_FALSE(controller->CurrentSelection());
}

TEST_F(BarNavigation, KeyTipsShowAfterTheWaitWhileAltIsTheLastKey) {
  root->keyTipWindows = &windows;
  root->Add("S");
  TInterfacePtr<TTestNavNode> other(new TTestNavNode);
  other->keyTipWindows = &windows;
  other->Add("T");
  EXPECT_THROW(controller->StartKeyTipsWaiting(nullptr), Exception);
  controller->SetAltPressed(true);
  controller->StartKeyTipsWaiting(BarHelperRef(root.Get()));
  Pump(300);
  // The focus moved to another form: the wait starts anew for its root.
  controller->StartKeyTipsWaiting(BarHelperRef(other.Get()));
  Pump(300);
  EXPECT_FALSE(controller->AreKeyTipsShown());
  Pump(300);
  EXPECT_TRUE(controller->AreKeyTipsShown());
  EXPECT_EQ(windows.Texts(), (std::vector<String>{"T"}));
  controller->ResetKeyTips();
  // Another key after Alt: the tick passes without showing anything.
  controller->SetAltPressed(true);
  controller->StartKeyTipsWaiting(BarHelperRef(root.Get()));
  controller->SetAltPressed(false);
  Pump(600);
  EXPECT_FALSE(controller->AreKeyTipsShown());
  EXPECT_TRUE(controller->IsWaitingForKeyTips());
  controller->EndKeyTipsWaiting(false);
  EXPECT_FALSE(controller->IsWaitingForKeyTips());
}

TEST_F(BarNavigation, AFreedOwnerIsForgotten) {
  root->keyTipWindows = &windows;
  TTestNavNode* item = root->Add("A");
  item->BecomeSelected(false);
  controller->SetKeyTipContainer(BarHelperRef(root.Get()), "");
  item->NotifyOwnerFreed();
  EXPECT_FALSE(controller->CurrentSelection());
  root->NotifyOwnerFreed();
  EXPECT_FALSE(controller->AreKeyTipsShown());
}

}  // namespace
