#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "BarsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "toolkit/bars/qzBarItemControlCombos.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "user/Clock.h"
#include "user/Focus.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "user/VirtualKeys.h"
#include "vcl/Forms.h"

namespace {

// A docked toolbar with a combo of three entries, "Two" chosen.
class ComboControls : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 300);
    form->Show();
    bar = manager->GetBars()->AddBar();
    combo = new TqzBarCombo(form);
    combo->SetWidth(120);
    combo->GetItems()->Add("One");
    combo->GetItems()->Add("Two");
    combo->GetItems()->Add("Three");
    combo->SetItemIndex(1);
    bar->GetItemLinks()->AddLinkForItem(combo);
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    Pump();
    Later();
  }
  void Later() { static_cast<FakeClock&>(CurrentClock()).Advance(2000); }
  TqzBarComboControl* Control() {
    return dynamic_cast<TqzBarComboControl*>(bar->GetItemLinks()->GetLink(0)->GetControl());
  }
  POINT ScreenPoint(const TRect& R) {
    TPoint p = bar->GetBarControl()->ClientToScreen(TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
    return {p.X, p.Y};
  }
  void ClickEdit() {
    ScriptClick(ScreenPoint(Control()->GetPartRects()[qzEditPart]));
    Pump();
  }
  String EditorText() {
    String text;
    Control()->GetInnerText(text);
    return text;
  }
  bool ListShown() {
    TqzBarDropDownListBox* list = combo->GetListBox();
    return list && list->HandleAllocated() && IsWindowVisible(list->GetHandle());
  }

  TqzBar* bar = nullptr;
  TqzBarCombo* combo = nullptr;
};

TEST_F(ComboControls, TheDropButtonSitsRightOfTheEditPart) {
  TqzBarComboControl* control = Control();
  ASSERT_NE(control, nullptr);
  const std::vector<TRect>& parts = control->GetPartRects();
  ASSERT_EQ(parts.size(), 4u);
  EXPECT_EQ(parts[qzComboButtonPart].Width(), static_cast<Integer>(bar->GetBarControl()->GetComboArrowWidth()));
  EXPECT_LE(parts[qzEditPart].Right, parts[qzComboButtonPart].Left);
  EXPECT_LE(parts[qzComboButtonPart].Right, control->GetItemRect().Right);
}

TEST_F(ComboControls, ArrowsPreviewEntriesAndOnlyEnterCommitsThem) {
  ClickEdit();
  TqzBarComboControl* control = Control();
  ASSERT_TRUE(control->GetInPlaceActive());
  EXPECT_EQ(control->GetPreviewIndex(), 1);
  ScriptKeyPress(VK_DOWN);
  Pump();
  EXPECT_EQ(EditorText(), "Three");
  EXPECT_EQ(combo->GetItemIndex(), 1);
  // Past the last entry nothing moves, and the key goes nowhere else.
  ScriptKeyPress(VK_DOWN);
  Pump();
  EXPECT_EQ(control->GetPreviewIndex(), 2);
  EXPECT_TRUE(control->GetInPlaceActive());
  ScriptKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(combo->GetItemIndex(), 2);
  EXPECT_EQ(combo->GetText(), "Three");
  // Esc after stepping leaves the choice alone.
  Later();
  ClickEdit();
  ScriptKeyPress(VK_UP);
  ScriptKeyPress(VK_UP);
  ScriptKeyPress(VK_UP);
  Pump();
  EXPECT_EQ(EditorText(), "One");
  ScriptKeyPress(VK_ESCAPE);
  Pump();
  EXPECT_EQ(combo->GetItemIndex(), 2);
}

TEST_F(ComboControls, APreviewOutsideTheListCountsAsNone) {
  ClickEdit();
  TqzBarComboControl* control = Control();
  ScriptKeyPress(VK_DOWN);
  Pump();
  ASSERT_EQ(control->GetPreviewIndex(), 2);
  // The list shrinks under the preview: the editor shows the item's text, and stepping starts anew.
  combo->GetItems()->Delete(2);
  control->LoadText();
  EXPECT_EQ(EditorText(), combo->GetText());
  ScriptKeyPress(VK_DOWN);
  Pump();
  EXPECT_EQ(EditorText(), "One");
  combo->GetItems()->Clear();
  control->LoadText();
  ScriptKeyPress(VK_UP);
  Pump();
  EXPECT_EQ(EditorText(), combo->GetText());
}

TEST_F(ComboControls, F4OpensAndClosesTheListUnderTheCombo) {
  ClickEdit();
  ScriptKeyPress(VK_F4);
  Pump();
  ASSERT_TRUE(ListShown());
  TqzBarDropDownListBox* list = combo->GetListBox();
  EXPECT_EQ(list->GetCount(), 3);
  EXPECT_EQ(list->GetItemIndex(), 1);
  RECT r;
  GetWindowRect(list->GetHandle(), &r);
  TRect item = Control()->GetItemRect();
  EXPECT_EQ(r.Top, bar->GetBarControl()->ClientToScreen(TPoint(0, item.Bottom)).Y);
  // The list belongs to the bar: a click on it is no click outside.
  EXPECT_TRUE(bar->GetBarControl()->OwnsWindow(list->GetHandle()));
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  EXPECT_TRUE(screen.SaveWindowPng(list->GetHandle(), folder + "/bar-combo-list.png"));
  EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), folder + "/bar-combo.png"));
  ScriptKeyPress(VK_F4);
  Pump();
  EXPECT_FALSE(ListShown());
  EXPECT_TRUE(Control()->GetInPlaceActive());
}

TEST_F(ComboControls, APressOnTheButtonOpensTheListAndAClickOnAnEntryPicksIt) {
  TqzBarComboControl* control = Control();
  ScriptClick(ScreenPoint(control->GetPartRects()[qzComboButtonPart]));
  Pump();
  ASSERT_TRUE(ListShown());
  // The release of that press picked nothing.
  EXPECT_EQ(combo->GetItemIndex(), 1);
  TqzBarDropDownListBox* list = combo->GetListBox();
  TRect entry = list->ItemRect(0);
  TPoint p = list->ClientToScreen(TPoint(entry.Left + 5, (entry.Top + entry.Bottom) / 2));
  ScriptMouseMove({p.X, p.Y});
  Pump();
  EXPECT_EQ(EditorText(), "One");
  ScriptClick({p.X, p.Y});
  Pump();
  EXPECT_EQ(combo->GetItemIndex(), 0);
  EXPECT_EQ(combo->GetText(), "One");
  EXPECT_FALSE(ListShown());
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(ComboControls, AReadOnlyComboNeverDropsDown) {
  combo->SetReadOnly(true);
  ClickEdit();
  ScriptKeyPress(VK_F4);
  Pump();
  EXPECT_FALSE(ListShown());
  EXPECT_FALSE(Control()->IsDroppedDown());
}

}  // namespace
