// The edit family and the popup list they drop down.

#include <gtest/gtest.h>

#include "InspectorTestSupport.h"
#include "controls/Edit.h"
#include "toolkit/inspector/JyEdit.h"
#include "user/User.h"
#include "user/VirtualKeys.h"

namespace {

struct CloseUpCounter : TObject {
  void CloseUp(TObject*) { ++closeUps; }
  void Select(TObject*) { ++selects; }
  int closeUps = 0;
  int selects = 0;
};

}  // namespace

class JyEditTest : public InspectorTest {
 protected:
  TJyComboBox* NewCombo(std::initializer_list<const char*> Lines, Integer Left = 20, Integer Top = 20) {
    if (!form) {
      form = NewForm(400, 300);
      form->Show();
    }
    auto* combo = new TJyComboBox(form);
    combo->AfterConstruction();
    combo->SetParent(form);
    combo->SetBounds(Left, Top, 150, 20);
    for (const char* line : Lines) combo->GetItems()->Add(line);
    Pump();
    return combo;
  }
  TForm* form = nullptr;
};

TEST_F(JyEditTest, ComboTextFollowsItemIndexByDisplayMode) {
  TJyComboBox* combo = NewCombo({"0=Low", "1=Medium", "2=High"});
  struct Case {
    TItemsDisplayMode mode;
    Integer index;
    const char* text;
  };
  const Case cases[] = {{dmDefault, 1, "1=Medium"}, {dmNameList, 2, "2"}, {dmValueList, 0, "Low"},
                        {dmIndentList, 1, "Medium"},  {dmDefault, 7, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    combo->SetItemIndex(-1);
    combo->SetDisplayMode(c.mode);
    combo->SetItemIndex(c.index);
    EXPECT_EQ(combo->GetText(), c.text);
    EXPECT_EQ(combo->GetItemIndex(), c.index);
  }
  TJyComboBox* empty = NewCombo({}, 20, 60);
  empty->SetItemIndex(0);
  EXPECT_EQ(empty->GetText(), "");
}

TEST_F(JyEditTest, TypingATextNotInTheListClearsTheIndex) {
  TJyComboBox* combo = NewCombo({"alpha", "beta"});
  combo->SetItemIndex(1);
  combo->SetFocus();
  Pump();
  SendMessage(combo->GetHandle(), WM_CHAR, 'x', 0);
  EXPECT_EQ(combo->GetItemIndex(), -1);
  EXPECT_NE(combo->GetText().find('x'), String::npos);
}

TEST_F(JyEditTest, ListHeightFollowsTheLinesUpToDropDownCount) {
  struct Case {
    Integer lines;
    Integer height;
    bool scrolls;
  };
  const Case cases[] = {{3, 3 * 16 + 4, false}, {5, 5 * 16 + 4, false}, {12, 8 * 16 + 4, true}};
  Integer top = 20;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    TJyComboBox* combo = NewCombo({}, 20, top);
    top += 30;
    for (Integer i = 0; i < c.lines; ++i) combo->GetItems()->Add("line " + std::to_string(i));
    combo->SetFocus();
    AltKey(VK_DOWN);
    ASSERT_TRUE(combo->GetDroppedDown());
    TJyPopupList* list = combo->GetPopupList();
    EXPECT_EQ(list->GetClientHeight(), c.height);
    EXPECT_EQ(list->GetVertScrollBar()->GetVisible(), c.scrolls);
    EXPECT_EQ(list->VisibleRows(), std::min<Integer>(c.lines, 8));
    AltKey(VK_DOWN);
    EXPECT_FALSE(combo->GetDroppedDown());
  }
}

TEST_F(JyEditTest, ClickingPicksALineOnlyOnceArmed) {
  TJyComboBox* combo = NewCombo({"one", "two", "three"});
  CloseUpCounter counter;
  combo->SetOnCloseUp(MakeEvent<&CloseUpCounter::CloseUp>(&counter));
  combo->SetOnSelect(MakeEvent<&CloseUpCounter::Select>(&counter));
  TJySmallButton* button = combo->GetButton();
  TJyPopupList* list = combo->GetPopupList();
  // The opening click's release lands on the list's first row and picks nothing.
  Press(button, 5, 5);
  ASSERT_TRUE(combo->GetDroppedDown());
  EXPECT_EQ(GetCapture(), list->GetHandle());
  Release(list, 20, 10);
  EXPECT_TRUE(list->GetArmed());
  EXPECT_TRUE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetItemIndex(), -1);
  // Below the last line is still inside: nothing is picked and the list stays.
  list->SetClientHeight(3 * 16 + 4 + 20);
  Click(list, 20, 3 * 16 + 10);
  EXPECT_TRUE(combo->GetDroppedDown());
  Click(list, 20, 2 + 16 + 5);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetItemIndex(), 1);
  EXPECT_EQ(combo->GetText(), "two");
  EXPECT_EQ(counter.selects, 1);
  EXPECT_EQ(counter.closeUps, 1);
  EXPECT_FALSE(button->GetDown());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(JyEditTest, ClickOutsideOrLeavingTheApplicationCloses) {
  TJyComboBox* combo = NewCombo({"one", "two"});
  combo->SetItemIndex(0);
  Click(combo->GetButton(), 5, 5);
  ASSERT_TRUE(combo->GetDroppedDown());
  MoveTo(combo->GetPopupList(), 10, 10);
  MoveTo(form, 300, 250);
  Click(form, 300, 250);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetItemIndex(), 0);

  Click(combo->GetButton(), 5, 5);
  ASSERT_TRUE(combo->GetDroppedDown());
  InputDeactivateApp();
  Pump();
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_FALSE(IsWindowVisible(combo->GetPopupList()->GetHandle()));
}

TEST_F(JyEditTest, PopupStaysInsideTheWorkArea) {
  const TRect work = Screen()->GetWorkAreaRect();
  TJyComboBox* combo = NewCombo({"a", "b", "c", "d"});
  TJyPopupList* list = combo->GetPopupList();
  combo->PreparePopup(TPoint{});
  const Integer w = list->GetWidth(), h = list->GetHeight();
  struct Case {
    const char* what;
    TPoint at;
    TPoint expected;
  };
  const Case cases[] = {
      {"room below", {work.Left + 50, work.Top + 50}, {work.Left + 50, work.Top + 50}},
      {"past the right edge", {work.Right - 10, work.Top + 50}, {work.Right - w, work.Top + 50}},
      {"past the bottom opens above", {work.Left + 50, work.Bottom - 5}, {work.Left + 50, work.Bottom - 5 - 20 - h}},
      {"left of the work area", {work.Left - 40, work.Top + 50}, {work.Left, work.Top + 50}},
      {"above the work area", {work.Left + 50, work.Top - 30}, {work.Left + 50, work.Top}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    list->Popup(c.at.X, c.at.Y);
    TRect r;
    GetWindowRect(list->GetHandle(), &r);
    EXPECT_EQ(r.Left, c.expected.X);
    EXPECT_EQ(r.Top, c.expected.Y);
    list->ClosePopup();
  }
}

TEST_F(JyEditTest, KeysMoveTheIndexAndReturnCloses) {
  TJyComboBox* combo = NewCombo({"one", "two", "three"});
  combo->SetItemIndex(0);
  combo->SetFocus();
  Pump();
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(combo->GetItemIndex(), 2);
  Key(VK_DOWN);
  EXPECT_EQ(combo->GetItemIndex(), 2);
  AltKey(VK_DOWN);
  ASSERT_TRUE(combo->GetDroppedDown());
  Key(VK_UP);
  EXPECT_EQ(combo->GetPopupList()->GetHoverIndex(), 1);
  Key(VK_RETURN, '\r');
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetText(), "two");
  AltKey(VK_DOWN);
  Key(VK_ESCAPE, 0x1b);
  EXPECT_FALSE(combo->GetDroppedDown());
}

TEST_F(JyEditTest, EditWindowFollowsPasswordCharAndMarginPressSelectsAll) {
  TForm* f = NewForm();
  f->Show();
  auto* plain = new TJyEdit(f);
  plain->SetParent(f);
  plain->SetText("hello world");
  auto* secret = new TJyEdit(f);
  secret->SetPasswordChar('*');
  secret->SetParent(f);
  secret->SetTop(40);
  Pump();
  EXPECT_TRUE(GetWindowLong(plain->GetHandle(), GWL_STYLE) & ES_MULTILINE);
  EXPECT_FALSE(GetWindowLong(secret->GetHandle(), GWL_STYLE) & ES_MULTILINE);
  TRect format;
  SendMessage(plain->GetHandle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(format, plain->GetEditRect());
  plain->SetShowPreview(true);
  SendMessage(plain->GetHandle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(format.Left, 27);

  plain->SetSelStart(3);
  plain->SetSelLength(0);
  Click(plain, 1, 5);
  EXPECT_EQ(plain->GetSelStart(), 0);
  EXPECT_EQ(plain->GetSelLength(), 11);
}

TEST_F(JyEditTest, IndentListTakesANameThatIsNoNumberAsLevelZero) {
  TJyComboBox* combo = NewCombo({"0=Root", "2=Deep", "x=Odd"});
  combo->SetDisplayMode(dmIndentList);
  combo->SetItemIndex(2);
  EXPECT_EQ(combo->GetText(), "Odd");
  Click(combo->GetButton(), 5, 5);
  ASSERT_TRUE(combo->GetDroppedDown());
  Pump();  // paints every line without failing
  EXPECT_TRUE(combo->GetDroppedDown());
  combo->SetDroppedDown(false);
}
