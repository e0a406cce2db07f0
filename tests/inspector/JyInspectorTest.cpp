// The inspector control: layout maths, selection and editing with their events, scrolling into
// view, added rows, and freeing rows while they are in use.

#include <gtest/gtest.h>

#include <functional>

#include "InspectorTestSupport.h"
#include "controls/ScrollBars.h"
#include "toolkit/inspector/JyEdit.h"
#include "toolkit/inspector/JyInspector.h"
#include "user/User.h"
#include "user/VirtualKeys.h"

namespace {

// Writes down the inspector's events in order; can refuse edits.
struct EventLog : TObject {
  void Select(TObject*, TJyPropertyItem* Item) { log.push_back("select " + Item->GetCaption()); }
  void Edit(TObject*, TJyPropertyItem* Item, const String& Value, bool& Accept) {
    log.push_back("edit " + Item->GetCaption() + "=" + Value);
    Accept = accept;
  }
  void Change(TObject*, TJyPropertyItem* Item, const String& Value) {
    log.push_back("change " + Item->GetCaption() + "=" + Value);
  }
  void Hook(TJyCustomInspector* Inspector) {
    Inspector->SetOnSelectItem(MakeEvent<&EventLog::Select>(this));
    Inspector->SetOnEdit(MakeEvent<&EventLog::Edit>(this));
    Inspector->SetOnChange(MakeEvent<&EventLog::Change>(this));
  }
  std::vector<String> Take() { return std::exchange(log, {}); }
  std::vector<String> log;
  bool accept = true;
};

}  // namespace

class JyInspectorTest : public InspectorTest {
 protected:
  void SetUp() override {
    InspectorTest::SetUp();
    form = NewForm(400, 400);
    inspector = new TJyInspector(form);
    inspector->SetParent(form);
    inspector->SetBounds(10, 10, 300, 200);
    inspector->SetBorderStyle(bsNone);
    form->Show();
    Pump();
  }
  template <class T = TJyTextItem>
  T* Add(TJyPropertyItem* Parent, const String& Caption, const String& Value = "") {
    auto* item = new T(form);
    item->AfterConstruction();
    inspector->GetItems()->AddItem(Parent, item, true);
    item->SetCaption(Caption);
    if (!Value.empty()) item->SetValue(Value);
    return item;
  }
  // Two categories of Count rows each.
  void Fill(Integer Count) {
    for (const char* category : {"First", "Second"}) {
      TJyPropertyItem* top = Add(nullptr, category);
      for (Integer i = 0; i < Count; ++i) Add(top, String(category) + " " + std::to_string(i), "v");
    }
    Pump();
  }
  void ClickValue(TJyPropertyItem* Item) {
    Click(inspector, inspector->GetSplitterPosition() + 20, Item->RowTop() + 5);
  }
  TForm* form = nullptr;
  TJyInspector* inspector = nullptr;
};

TEST_F(JyInspectorTest, LayoutMaths) {
  Fill(9);  // 20 rows of pitch 17
  inspector->SetClientHeight(170);
  Pump();
  EXPECT_EQ(inspector->Pitch(), 17);
  EXPECT_EQ(inspector->ScrollRange(), 10);
  EXPECT_TRUE(inspector->GetVertScrollBar()->GetVisible());
  EXPECT_EQ(inspector->RowsFromTop(), 11);
  TJyPropertyItems* items = inspector->GetItems();
  EXPECT_EQ(inspector->ItemAtPos(50, 0), items->GetItem(0));
  EXPECT_EQ(inspector->ItemAtPos(50, 16), items->GetItem(0));
  EXPECT_EQ(inspector->ItemAtPos(50, 17), items->GetItem(1));
  EXPECT_EQ(inspector->ItemAtPos(50, 17 * 20), nullptr);
  inspector->SetSplitterPosition(5);
  EXPECT_EQ(inspector->GetSplitterPosition(), 14);
  inspector->SetSplitterPosition(100);

  // Without grid lines each row takes its height only; hidden categories take no room at all.
  inspector->SetOptions(inspector->GetOptions() - TInspectorPropertyOptions{poGrid});
  EXPECT_EQ(inspector->Pitch(), 16);
  inspector->SetHideTopLevel(true);
  EXPECT_EQ(inspector->ItemAtPos(50, 0), items->GetItem(1));
  EXPECT_EQ(inspector->ScrollRange(), 18 - 170 / 16);
  EXPECT_EQ(items->GetItem(0)->RowTop(), -1);

  // Everything fits: the bar goes and the position returns to 0.
  inspector->SetHideTopLevel(false);
  inspector->GetVertScrollBar()->SetPosition(5);
  inspector->SetClientHeight(400);
  Pump();
  EXPECT_EQ(inspector->GetVertScrollBar()->GetPosition(), 0);
  EXPECT_FALSE(inspector->GetVertScrollBar()->GetVisible());
}

TEST_F(JyInspectorTest, OneEditFiresItsEventsInOrder) {
  inspector->SetOptions(inspector->GetOptions() + TInspectorPropertyOptions{poEnterSelectNext});
  TJyPropertyItem* top = Add(nullptr, "Top");
  TJyPropertyItem* name = Add(top, "Name", "old");
  Add(top, "Next", "n");
  EventLog events;
  events.Hook(inspector);
  ClickValue(name);
  ASSERT_EQ(inspector->GetEditingItem(), name);
  TJyCustomEdit* editor = name->Editor();
  EXPECT_EQ(editor->GetText(), "old");
  editor->SetText("new");
  Key(VK_RETURN, '\r');
  EXPECT_EQ(events.Take(), (std::vector<String>{"select Name", "edit Name=new", "edit Name=new",
                                                "change Name=new", "select Next"}));
  EXPECT_EQ(name->GetValue(), "new");
  EXPECT_EQ(inspector->GetEditingItem()->GetCaption(), "Next");
}

TEST_F(JyInspectorTest, RefusedEditKeepsTheValueAndAutoApplyAppliesAsYouType) {
  TJyPropertyItem* top = Add(nullptr, "Top");
  TJyPropertyItem* name = Add(top, "Name", "old");
  TJyPropertyItem* live = Add(top, "Live", "a");
  live->SetOptions(TItemOptions{itoAutoApply});
  EventLog events;
  events.Hook(inspector);
  ClickValue(name);
  events.Take();
  events.accept = false;
  name->Editor()->SetText("refused");
  Key(VK_RETURN, '\r');
  // Refused: the editor shows the value again (a change of its own), then Return moves on.
  EXPECT_EQ(name->GetValue(), "old");
  EXPECT_EQ(events.Take(),
            (std::vector<String>{"edit Name=refused", "edit Name=refused", "edit Name=old", "select Live"}));

  ClickValue(live);
  events.Take();
  live->Editor()->SetText("ab");
  EXPECT_EQ(live->GetValue(), "ab");
  EXPECT_EQ(events.Take(), (std::vector<String>{"change Live=ab", "edit Live=ab"}));

  // Escape drops what was typed.
  ClickValue(name);
  name->Editor()->SetText("typed");
  Key(VK_ESCAPE, 0x1b);
  EXPECT_EQ(inspector->GetEditingItem(), nullptr);
  EXPECT_EQ(name->GetValue(), "old");
}

TEST_F(JyInspectorTest, ComboRowEditorShowsTheRowsLine) {
  TJyPropertyItem* top = Add(nullptr, "Top");
  auto* quality = Add<TJyComboBoxItem>(top, "Quality");
  for (const char* line : {"Draft", "Normal", "High"}) quality->GetLines()->Add(line);
  quality->SetItemIndex(2);
  ClickValue(quality);
  auto* combo = static_cast<TJyComboBox*>(quality->Editor());
  EXPECT_EQ(combo->GetText(), "High");
  EXPECT_EQ(combo->GetItemIndex(), 2);
  Key(VK_UP);
  EXPECT_EQ(inspector->GetSelectedItem(), top);
  EXPECT_EQ(quality->GetItemIndex(), 2);
}

TEST_F(JyInspectorTest, SelectionScrollsIntoViewCountingLaidOutRows) {
  Fill(15);  // 32 rows
  inspector->SetClientHeight(170);
  TJyPropertyItems* items = inspector->GetItems();
  struct Case {
    const char* what;
    std::function<void()> arrange;
  };
  const Case cases[] = {
      {"categories", [&] {}},
      {"names", [&] { inspector->SetItemsArrange(taName); }},
      {"hidden categories", [&] {
         inspector->SetItemsArrange(taCatagory);
         inspector->SetHideTopLevel(true);
       }},
      {"collapsed first category", [&] {
         inspector->SetHideTopLevel(false);
         items->GetItem(0)->SetExpanded(false);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.arrange();
    inspector->GetVertScrollBar()->SetPosition(0);
    inspector->SetFocus();
    Pump();
    TJyPropertyItem* last = items->GetItem(items->GetCount() - 1);
    Key(VK_END);
    EXPECT_EQ(inspector->GetSelectedItem(), last);
    const Integer top = last->RowTop();
    EXPECT_GE(top, 0);
    EXPECT_LE(top + inspector->GetRowHeight(), inspector->GetClientHeight());
    EXPECT_LE(inspector->GetVertScrollBar()->GetPosition(), inspector->ScrollRange());
    // Down on the last laid-out row stays there.
    TJyPropertyItem* bottom = inspector->LaidOutRows().back();
    inspector->SelectRow(bottom);
    EXPECT_LE(bottom->RowTop() + inspector->GetRowHeight(), inspector->GetClientHeight());
    Key(VK_DOWN);
    EXPECT_EQ(inspector->GetSelectedItem(), bottom);
  }
}

TEST_F(JyInspectorTest, AddedRowPushesTheRowsBelowDown) {
  TJyPropertyItem* top = Add(nullptr, "Top");
  Add(top, "A", "1");
  TJyPropertyItem* b = Add(top, "B", "2");
  Pump();
  const Integer before = b->RowTop();
  auto* middle = new TJyTextItem(form);
  middle->AfterConstruction();
  middle->SetCaption("Middle");
  inspector->GetItems()->AddItem(top, middle, false);
  EXPECT_EQ(b->RowTop(), before + inspector->Pitch());
  Pump();
  EXPECT_EQ(inspector->ItemAtPos(50, middle->RowTop() + 2), middle);
}

TEST_F(JyInspectorTest, FreeingARowInUseLeavesAWorkingInspector) {
  Fill(3);
  TJyPropertyItems* items = inspector->GetItems();
  TJyPropertyItem* second = items->GetItem(4);
  TJyPropertyItem* child = items->GetItem(5);
  child->SetHint("A hint");
  child->SetShowHint(true);
  ClickValue(child);
  ASSERT_EQ(inspector->GetEditingItem(), child);
  MoveTo(inspector, 50, child->RowTop() + 4);
  Wait(Application()->GetHintPause() + 20, 20);
  delete second;
  EXPECT_EQ(inspector->GetSelectedItem(), nullptr);
  EXPECT_EQ(inspector->GetEditingItem(), nullptr);
  EXPECT_EQ(inspector->GetHotItem(), nullptr);
  EXPECT_EQ(inspector->GetHintWindow()->Item, nullptr);
  EXPECT_EQ(GetFocus(), inspector->GetHandle());
  MoveTo(inspector, 60, 30);
  Key(VK_DOWN);
  Key('A', 'a');
  Wait(Application()->GetHintHidePause() + 100, 50);
  MoveTo(form, 350, 350);
  EXPECT_EQ(items->GetCount(), 4);
  ClickValue(items->GetItem(1));
  EXPECT_EQ(inspector->GetEditingItem(), items->GetItem(1));
}

TEST_F(JyInspectorTest, HintsShowAfterThePauseAndMoveAtOnce) {
  TJyPropertyItem* top = Add(nullptr, "Top");
  TJyPropertyItem* a = Add(top, "A", "1");
  TJyPropertyItem* b = Add(top, "B", "2");
  for (TJyPropertyItem* item : {a, b}) {
    item->SetShowHint(true);
    item->SetHint("About " + item->GetCaption());
  }
  Pump();
  MoveTo(inspector, 40, a->RowTop() + 4);
  EXPECT_EQ(inspector->GetHintWindow()->Item, nullptr);
  Wait(Application()->GetHintPause() + 20, 20);
  EXPECT_EQ(inspector->GetHintWindow()->Item, a);
  EXPECT_TRUE(IsWindowVisible(inspector->GetHintWindow()->GetHandle()));
  MoveTo(inspector, 40, b->RowTop() + 4);
  EXPECT_EQ(inspector->GetHintWindow()->Item, b);
  Wait(Application()->GetHintHidePause() + 40, 20);
  EXPECT_FALSE(inspector->GetHintWindow()->HandleAllocated() &&
               IsWindowVisible(inspector->GetHintWindow()->GetHandle()));
}

TEST_F(JyInspectorTest, SplitterDragAndDoubleClickExpand) {
  TJyPropertyItem* top = Add(nullptr, "Top");
  top->SetReadOnly(true);
  TJyPropertyItem* a = Add(top, "A", "1");
  Pump();
  ClickValue(a);
  Press(inspector, 100, 30);
  MoveTo(inspector, 3, 30);
  Release(inspector, 3, 30);
  EXPECT_EQ(inspector->GetSplitterPosition(), 14);
  EXPECT_EQ(a->Editor()->GetLeft(), 15);
  // A double click on the caption of a category folds it.
  MoveTo(inspector, 60, top->RowTop() + 4);
  const TPoint p = inspector->ClientToScreen(Point(60, top->RowTop() + 4));
  for (int i = 0; i < 2; ++i) {
    InputMouseButton(p, MouseButton::Left, true);
    InputMouseButton(p, MouseButton::Left, false);
  }
  Pump();
  EXPECT_FALSE(top->GetExpanded());
}

TEST_F(JyInspectorTest, SuffixEditorOpensBesideTheValueAndSetsTheSuffix) {
  TJyPropertyItem* top = Add(nullptr, "Top");
  TJyPropertyItem* margin = Add(top, "Margin", "12");
  margin->SetShowSuffix(true);
  margin->GetSuffixes()->Add("px");
  margin->GetSuffixes()->Add("pt");
  margin->SetSuffixValue("px");
  std::vector<String> suffixes;
  struct Suffix : TObject {
    std::vector<String>* out;
    void Edit(TObject*, TJyPropertyItem*, const String& Value) { out->push_back(Value); }
  } listener;
  listener.out = &suffixes;
  inspector->SetOnSuffixEdit(MakeEvent<&Suffix::Edit>(&listener));
  ClickValue(margin);
  ASSERT_EQ(inspector->GetSuffixEditingItem(), margin);
  const TRect suffix = inspector->SuffixRect(margin);
  EXPECT_EQ(margin->SuffixEditor()->GetLeft(), suffix.Left + 1);
  EXPECT_EQ(margin->Editor()->GetBoundsRect().Right, suffix.Left);
  margin->SuffixEditor()->SetItemIndex(1);
  EXPECT_EQ(margin->GetSuffixValue(), "pt");
  EXPECT_EQ(suffixes.back(), "pt");
  EXPECT_EQ(margin->GetFullText(), "12pt");
}

TEST_F(JyInspectorTest, MovingDownPastTheBottomKeepsWhatWasTyped) {
  Fill(15);
  inspector->SetClientHeight(100);
  Pump();
  TJyPropertyItems* items = inspector->GetItems();
  TJyPropertyItem* row = nullptr;
  for (TJyPropertyItem* item : inspector->LaidOutRows())
    if (item->RowTop() + inspector->Pitch() * 2 > inspector->GetClientHeight()) {
      row = item;
      break;
    }
  ASSERT_NE(row, nullptr);
  ClickValue(row);
  ASSERT_EQ(inspector->GetEditingItem(), row);
  row->Editor()->SetText("typed");
  Key(VK_DOWN);
  EXPECT_EQ(row->GetValue(), "typed");
  EXPECT_NE(inspector->GetSelectedItem(), row);
  EXPECT_GT(inspector->GetVertScrollBar()->GetPosition(), 0);
  EXPECT_EQ(items->GetCount(), 32);
}

TEST_F(JyInspectorTest, ToolbarRowTogglesByMouseAndDigits) {
  TJyPropertyItem* top = Add(nullptr, "Top");
  top->SetReadOnly(true);
  auto* bar = Add<TJyToolbarItem>(top, "Style");
  for (const char* text : {"Bold", "-", "Italic"}) {
    TJyToolbarItemButton* button = bar->GetButtons()->AddButton();
    button->SetText(text);
    button->SetDivider(String(text) == "-");
  }
  bar->SetAllowAllUp(true);
  std::vector<Integer> clicks;
  struct Clicks : TObject {
    std::vector<Integer>* out;
    void Click(TObject*, TJyPropertyItem*, Integer Index) { out->push_back(Index); }
  } listener;
  listener.out = &clicks;
  inspector->SetOnToolbarClick(MakeEvent<&Clicks::Click>(&listener));
  Pump();
  const Integer valueLeft = inspector->GetSplitterPosition() + 1, y = bar->RowTop() + 5;
  Click(inspector, valueLeft + 2 * 17 + 5, y);  // the third button
  EXPECT_TRUE(bar->GetButtons()->Button(2)->GetChecked());
  EXPECT_EQ(bar->GetValue(), "Italic");
  Click(inspector, valueLeft + 17 + 5, y);  // the divider does nothing
  EXPECT_EQ(bar->GetValue(), "Italic");
  // Digit 1 is the first button that is no divider; digit 2 the second.
  inspector->SetFocus();
  Key('1');
  Key('2');
  EXPECT_EQ(bar->GetValue(), "Bold");
  EXPECT_EQ(clicks, (std::vector<Integer>{2, 0, 2}));
}

TEST_F(JyInspectorTest, PaintsGridCaptionsAndCategoryGradients) {
  inspector->SetMarginColor(clRed);
  inspector->SetGridColor(clBlue);
  inspector->SetCategoriesColor(clLime);
  inspector->SetColor(clYellow);
  inspector->SetRowHeight(18);
  TJyPropertyItem* top = Add(nullptr, "Top");
  top->SetReadOnly(true);
  Add(top, "Child", "v")->SetColor(clAqua);
  Pump();
  HDC dc = GetDC(inspector->GetHandle());
  auto at = [&](Integer X, Integer Y) { return GetPixel(dc, X, Y); };
  const Integer s = inspector->GetSplitterPosition(), w = inspector->GetClientWidth();
  struct Probe {
    const char* what;
    Integer x, y;
    TColor colour;
  };
  const Probe probes[] = {
      {"grid under a row over the margin", 5, 18, clRed},
      {"grid under a row to the right", 50, 18, clBlue},
      {"category caption spans past the splitter", s + 20, 9, clLime},
      {"child caption stops at the splitter", s, 19 + 9, clBlue},
      {"child value column", s + 40, 19 + 15, clAqua},
      {"below the rows the control's colour", w / 2, 2 * 19 + 10, clYellow},
  };
  for (const auto& p : probes) {
    SCOPED_TRACE(p.what);
    EXPECT_EQ(at(p.x, p.y), ColorToRGB(p.colour));
  }
  inspector->SetStyle(psWhidbey);
  Pump();
  EXPECT_EQ(at(60, 0), ColorToRGB(clWindow));
  EXPECT_NE(at(60, 17), ColorToRGB(clWindow));
  EXPECT_EQ(at(60, 17), ColorToRGB(TGraphicsProvider::BlendColor(clWindow, clBtnFace, 17.0 / 18)));
  ReleaseDC(inspector->GetHandle(), dc);
}

TEST_F(JyInspectorTest, ScrollingRepaintsOnlyTheUncoveredBand) {
  Fill(20);
  inspector->SetClientHeight(170);
  Pump();
  SendMessage(inspector->GetHandle(), WM_VSCROLL, SB_LINEDOWN, 0);
  TRect update;
  ASSERT_TRUE(GetUpdateRect(inspector->GetHandle(), &update, FALSE));
  EXPECT_EQ(update, Rect(0, 170 - 17, inspector->GetClientWidth(), 170));
  Pump();
  SendMessage(inspector->GetHandle(), WM_VSCROLL, SB_LINEUP, 0);
  ASSERT_TRUE(GetUpdateRect(inspector->GetHandle(), &update, FALSE));
  EXPECT_EQ(update, Rect(0, 0, inspector->GetClientWidth(), 17));
  // A changed value repaints its value column only.
  Pump();
  TJyPropertyItem* row = inspector->GetItems()->GetItem(1);
  row->SetValue("changed");
  ASSERT_TRUE(GetUpdateRect(inspector->GetHandle(), &update, FALSE));
  EXPECT_EQ(update, Rect(inspector->GetSplitterPosition() + 1, row->RowTop(), inspector->GetClientWidth(),
                         row->RowTop() + 16));
}
