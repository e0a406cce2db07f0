#include <gtest/gtest.h>

#include "BarControlTestSupport.h"
#include "BarsTestSupport.h"
#include "toolkit/bars/qzBarAccessibility.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "user/VirtualKeys.h"
#include "vcl/Menus.h"

namespace {

struct TButtonClicks : TObject {
  Integer count = 0;
  void Clicked(TObject*) { ++count; }
};

// Button items in a bar window that stacks them, with their real controls.
class BarNodes : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(0, 0, 300, 300);
    menu = new TqzBarSubItem(form);
    window = new TTestBarControl(manager);
    window->SetParent(form);
    window->SetBounds(10, 10, 120, 200);
    window->SetVisible(true);
    form->Show();
  }
  void TearDown() override {
    NavigationControllerInstance()->EndKeyboardNavigation();
    delete window;
    BarManagerOnForm::TearDown();
  }
  TqzBarButton* Add(const char* ACaption, TShortCut AShortCut = 0) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(ACaption);
    item->SetShortCut(AShortCut);
    item->SetOnClick(MakeEvent<&TButtonClicks::Clicked>(&clicks));
    menu->GetItemLinks()->AddLinkForItem(item);
    return item;
  }
  void Show() {
    window->SetItemLinks(menu->GetItemLinks());
    window->Refresh(false);
  }
  TqzBarItemControl* Control(Integer AIndex) { return menu->GetItemLinks()->GetVisibleLink(AIndex)->GetControl(); }
  TqzBarAccessibilityHelper* Node(Integer AIndex) { return Control(AIndex)->GetAccessibilityHelper(); }

  TqzBarSubItem* menu = nullptr;
  TTestBarControl* window = nullptr;
  TButtonClicks clicks;
};

TEST_F(BarNodes, AWindowsChildrenAreItsItemControlsInLayoutOrder) {
  Add("&Open");
  Add("&Save");
  Add("E&xit");
  Show();
  TqzBarAccessibilityHelper* bar = window->GetAccessibilityHelper();
  ASSERT_EQ(bar->ChildTotal(), 3);
  for (Integer i = 0; i < 3; ++i) {
    EXPECT_EQ(bar->ChildAt(i), Node(i));
    EXPECT_EQ(bar->IndexOfChild(Node(i)), i);
    EXPECT_EQ(Node(i)->ParentNode(), bar);
    EXPECT_TRUE(Node(i)->IsSelectableTarget());
  }
  EXPECT_EQ(bar->IndexOfChild(bar), -1);
  TRect r = Control(1)->GetItemRect();
  TPoint origin = window->ClientToScreen(TPoint(0, 0));
  OffsetRect(&r, origin.X, origin.Y);
  EXPECT_EQ(Node(1)->ScreenRect(CHILDID_SELF), r);
  EXPECT_EQ(Node(1)->OwnerWindow(), window->GetHandle());
  // A hidden window hides its controls.
  window->SetVisible(false);
  EXPECT_FALSE(bar->IsVisible());
  EXPECT_FALSE(Node(1)->IsSelectableTarget());
  EXPECT_EQ(Node(1)->ScreenRect(CHILDID_SELF), TRect());
}

TEST_F(BarNodes, DefaultKeyTipsComeFromCtrlLetterShortcutsThenAccelerators) {
  struct Case {
    const char* caption;
    TShortCut shortCut;
    const char* keyTip;
  } cases[] = {
      {"&open", 0, "O"},
      {"Save", ShortCut('S', {ssCtrl}), "S"},
      {"E&xit", ShortCut('Q', {ssCtrl}), "Q"},
      {"Plain", 0, "Y"},
      {"Plain", ShortCut(VK_F5, {ssCtrl}), "Y"},
      {"Plain", ShortCut('P', {ssCtrl, ssShift}), "Y"},
  };
  for (const Case& c : cases) Add(c.caption, c.shortCut);
  Show();
  for (Integer i = 0; i < static_cast<Integer>(std::size(cases)); ++i)
    EXPECT_EQ(Node(i)->KeyTipText(), cases[i].keyTip) << cases[i].caption;
  static_cast<TqzBarButton*>(Control(3)->GetItem())->SetKeyTip("PLN");
  EXPECT_EQ(Node(3)->KeyTipText(), "PLN");
}

TEST_F(BarNodes, ArrowsMoveAmongTheControlsAndEscLeavesTheWindow) {
  Add("&Open");
  Add("&Save");
  Show();
  TqzBarNavigationController* controller = NavigationControllerInstance();
  Node(0)->BecomeSelected(false);
  EXPECT_EQ(window->GetSelectedControl(), Control(0));
  EXPECT_EQ(ActiveBarControl(), window);
  EXPECT_EQ(controller->CurrentSelectionParent().Get(), BarHelperRef(window->GetAccessibilityHelper()).Get());
  controller->HandleKey(VK_DOWN);
  EXPECT_EQ(window->GetSelectedControl(), Control(1));
  controller->HandleKey(VK_DOWN);  // no wrap down a column
  EXPECT_EQ(window->GetSelectedControl(), Control(1));
  controller->HandleKey(VK_ESCAPE);
  EXPECT_EQ(window->GetSelectedControl(), nullptr);
  EXPECT_FALSE(window->GetActive());
}

TEST_F(BarNodes, AButtonsKeyTipClicksItAndEndsKeyboardHandling) {
  TqzBarButton* check = Add("&Mute");
  check->SetButtonStyle(bsChecked);
  Add("&Save");
  Show();
  TqzBarNavigationController* controller = NavigationControllerInstance();
  TqzBarKeyTipList tips;
  window->GetAccessibilityHelper()->CollectKeyTips(tips);
  ASSERT_EQ(tips.size(), 2u);
  EXPECT_TRUE(tips[0]->Info.Enabled);
  TRect bounds = Node(0)->ScreenRect(CHILDID_SELF);
  EXPECT_EQ(tips[0]->Info.Anchor, TPoint((bounds.Left + bounds.Right) / 2, (bounds.Top + bounds.Bottom) / 2));
  Node(1)->BecomeSelected(false);
  tips[0]->Info.Action();
  EXPECT_EQ(clicks.count, 1);
  EXPECT_TRUE(check->GetDown());
  EXPECT_TRUE(check->GetUnclickAfterDoing());
  EXPECT_FALSE(controller->CurrentSelection());
}

}  // namespace
