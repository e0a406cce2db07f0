// The item tree: lists, hidden state, change kinds, name order, streaming and kinds' values.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "InspectorTestSupport.h"
#include "rtl/Writer.h"
#include "vcl/ExtCtrls.h"
#include "toolkit/inspector/JyInspector.h"

namespace {

// Records every change an inspector's items report, then lets the inspector react as usual.
struct KindRecorder : TObject {
  explicit KindRecorder(TJyCustomInspector* Inspector) : forward(Inspector->GetItems()->GetOnItemChange()) {
    Inspector->GetItems()->SetOnItemChange(MakeEvent<&KindRecorder::Change>(this));
  }
  void Change(TObject* Sender, TJyPropertyItem* Item, Integer Index, Integer Kind) {
    log.emplace_back(Item->GetCaption(), Kind);
    forward(Sender, Item, Index, Kind);
  }
  std::vector<std::pair<String, Integer>> Take() { return std::exchange(log, {}); }
  TJyItemChangeEvent forward;
  std::vector<std::pair<String, Integer>> log;
};

using Log = std::vector<std::pair<String, Integer>>;

}  // namespace

class JyPropertyItemsTest : public InspectorTest {
 protected:
  void SetUp() override {
    InspectorTest::SetUp();
    form = NewForm();
    inspector = new TJyInspector(form);
    inspector->SetParent(form);
  }
  template <class T = TJyTextItem>
  T* Add(TJyPropertyItem* Parent, const char* Caption) {
    auto* item = new T(form);
    item->AfterConstruction();
    item->SetCaption(Caption);
    inspector->GetItems()->AddItem(Parent, item, true);
    return item;
  }
  // As the form reader does it: attached first, then named.
  TJyPropertyItem* Attach(TJyPropertyItem* Parent, const char* Caption) {
    auto* item = new TJyTextItem(form);
    item->AfterConstruction();
    inspector->GetItems()->AddItem(Parent, item, true);
    item->SetCaption(Caption);
    return item;
  }
  std::vector<String> Captions(const std::vector<TJyPropertyItem*>& List) {
    std::vector<String> out;
    for (TJyPropertyItem* item : List) out.push_back(item->GetCaption());
    return out;
  }
  TForm* form = nullptr;
  TJyInspector* inspector = nullptr;
};

TEST_F(JyPropertyItemsTest, OperationsReportTheirKinds) {
  TJyPropertyItem* video = Add(nullptr, "Video");
  TJyPropertyItem* codec = Add(video, "Codec");
  KindRecorder rec(inspector);
  struct Step {
    const char* what;
    std::function<void()> apply;
    Log expected;
  };
  TJyPropertyItem* size = nullptr;
  const Step steps[] = {
      {"collapse", [&] { video->SetExpanded(false); }, {{"Video", ickCollapsed}}},
      // The new row takes the inspector's fonts (a repaint each) and, being hidden, is not added as a row.
      {"add under a collapsed parent", [&] { size = Add(video, "Size"); }, {{"Size", ickRepaint}, {"Size", ickRepaint}}},
      {"expand lock holds", [&] {
         video->SetExpandLock(true);
         video->SetExpanded(true);
         video->SetExpandLock(false);
       }, {}},
      {"expand", [&] { video->SetExpanded(true); }, {{"Video", ickExpanded}}},
      {"enabled once", [&] { codec->SetEnabled(false); }, {{"Codec", ickEnabled}}},
      {"empty value set", [&] { codec->SetEmptyValue("none"); }, {}},
      {"empty value cleared", [&] { codec->SetEmptyValue(""); }, {{"Codec", ickRepaintValue}}},
      {"value", [&] { codec->SetValue("x"); }, {{"Codec", ickValue}}},
      {"suffix", [&] { codec->SetSuffixValue("kb"); }, {{"Codec", ickSuffixValue}}},
      {"visible", [&] { video->SetVisible(false); }, {{"Video", ickVisibility}}},
      {"first child of a row repaints it", [&] { Add(codec, "Deep"); },
       {{"Codec", ickRepaint}, {"Deep", ickRepaint}, {"Deep", ickRepaint}}},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    s.apply();
    EXPECT_EQ(rec.Take(), s.expected);
  }
  EXPECT_TRUE(size->Hidden());
  EXPECT_TRUE(codec->Hidden());
  EXPECT_EQ(video->ChildCount(), 2);
}

TEST_F(JyPropertyItemsTest, CollapsingHidesTheSubtreeAndExpandingKeepsCollapsedChildren) {
  TJyPropertyItem* a = Add(nullptr, "A");
  TJyPropertyItem* b = Add(a, "B");
  TJyPropertyItem* c = Add(b, "C");
  TJyPropertyItem* d = Add(a, "D");
  b->SetExpanded(false);
  a->SetExpanded(false);
  for (TJyPropertyItem* item : {b, c, d}) EXPECT_TRUE(item->Hidden());
  a->SetExpanded(true);
  EXPECT_FALSE(b->Hidden());
  EXPECT_TRUE(c->Hidden());
  EXPECT_FALSE(d->Hidden());
  EXPECT_EQ(Captions(inspector->GetItems()->TreeList()), (std::vector<String>{"A", "B", "C", "D"}));
  EXPECT_EQ(c->GetLevel(), 2);
  EXPECT_EQ(c->Indent(), 14);
  EXPECT_EQ(b->Indent(), 0);
}

TEST_F(JyPropertyItemsTest, NameOrderKeepsSubtreesTogether) {
  TJyPropertyItem* video = Attach(nullptr, "Video");
  TJyPropertyItem* rate = Attach(video, "Rate");
  Attach(rate, "Rate detail");
  Attach(video, "Codec");
  TJyPropertyItem* audio = Attach(nullptr, "Audio");
  Attach(audio, "Bits");
  inspector->SetItemsArrange(taName);
  EXPECT_EQ(Captions(inspector->GetItems()->Active()),
            (std::vector<String>{"Bits", "Codec", "Rate", "Rate detail"}));
  rate->SetCaption("Aspect");
  EXPECT_EQ(Captions(inspector->GetItems()->Active()),
            (std::vector<String>{"Aspect", "Rate detail", "Bits", "Codec"}));
  EXPECT_EQ(rate->GetNodeIndex(), 0);
  EXPECT_EQ(rate->GetSortedIndex(), 0);
  EXPECT_EQ(rate->GetAbsoluteIndex(), 1);
}

TEST_F(JyPropertyItemsTest, DeletingAParentFreesItsSubtree) {
  TJyPropertyItem* top = Add(nullptr, "Top");
  TJyPropertyItem* mid = Add(top, "Mid");
  Add(mid, "Leaf");
  Add(top, "Other");
  KindRecorder rec(inspector);
  delete mid;
  EXPECT_EQ(rec.Take(), (Log{{"Leaf", ickDeleted}, {"Mid", ickRemoved}, {"Mid", ickDeleted}}));
  EXPECT_EQ(Captions(inspector->GetItems()->TreeList()), (std::vector<String>{"Top", "Other"}));
  EXPECT_EQ(top->ChildCount(), 1);
}

TEST_F(JyPropertyItemsTest, KindsConvertTheirValues) {
  auto* text = Add(nullptr, "Text");
  text->SetValue("words");
  EXPECT_EQ(text->GetAsInteger(), 0);
  EXPECT_EQ(text->GetAsFloat(), 0);
  text->SetAsInteger(42);
  EXPECT_EQ(text->GetValue(), "42");

  auto* combo = Add<TJyComboBoxItem>(nullptr, "Combo");
  combo->GetLines()->Add("a=1");
  combo->GetLines()->Add("b=2");
  struct Case {
    TItemsDisplayMode mode;
    Integer index;
    const char* value;
  };
  const Case cases[] = {{dmNameList, 1, "b"}, {dmValueList, 1, "2"}, {dmDefault, 1, "b=2"}, {dmDefault, 5, "b=2"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    combo->SetDisplayMode(c.mode);
    combo->SetItemIndex(c.index);
    EXPECT_EQ(combo->GetValue(), c.value);
    EXPECT_EQ(combo->GetItemIndex(), c.index);
  }
  combo->SetItemIndex(0);
  combo->SetValue("free text");
  EXPECT_EQ(combo->GetItemIndex(), 0);
}

TEST_F(JyPropertyItemsTest, ToolbarCheckRule) {
  auto* bar = Add<TJyToolbarItem>(nullptr, "Style");
  for (const char* text : {"Bold", "Italic", "Under", "Underline"}) bar->GetButtons()->AddButton()->SetText(text);
  auto checked = [&] {
    std::vector<bool> out;
    for (Integer i = 0; i < bar->GetButtons()->GetCount(); ++i) out.push_back(bar->GetButtons()->Button(i)->GetChecked());
    return out;
  };
  bar->SetValue("Bold,Italic");
  EXPECT_EQ(bar->GetValue(), "Bold,Italic");
  bar->SetValue("Italic");
  EXPECT_EQ(checked(), (std::vector<bool>{false, true, false, false}));
  // Whole entries only; and the last checked button stays down unless all may be up.
  bar->SetValue("Underline");
  EXPECT_EQ(checked(), (std::vector<bool>{false, true, false, true}));
  bar->GetButtons()->Button(1)->SetChecked(false);
  bar->GetButtons()->Button(3)->SetChecked(false);
  EXPECT_TRUE(bar->GetButtons()->Button(3)->GetChecked());
  bar->SetAllowAllUp(true);
  bar->GetButtons()->Button(3)->SetChecked(false);
  EXPECT_FALSE(bar->GetButtons()->Button(3)->GetChecked());
  bar->SetGrouped(true);
  bar->GetButtons()->Button(0)->SetChecked(true);
  bar->GetButtons()->Button(1)->SetChecked(true);
  EXPECT_EQ(checked(), (std::vector<bool>{false, true, false, false}));
  EXPECT_EQ(bar->GetButtons()->CheckedCount(), 1);

  // A bar of dividers has nothing for the digit keys to toggle.
  auto* dividers = Add<TJyToolbarItem>(nullptr, "Dividers");
  dividers->GetButtons()->AddButton()->SetDivider(true);
  Word key = '1';
  dividers->Display()->KeyDown(key, TShiftState{});
  EXPECT_FALSE(dividers->GetButtons()->Button(0)->GetChecked());
}

TEST_F(JyPropertyItemsTest, MappedRowsReadAndWriteTheAssociatesProperties) {
  auto* panel = new TPanel(form);
  panel->SetCaption("Preview");
  panel->GetFont()->SetName("Arial");
  auto* caption = Add(nullptr, "");
  caption->SetMapProperty("Caption");
  auto* fontName = Add(nullptr, "Face");
  fontName->SetMapProperty("Font.Name");
  auto* missing = Add(nullptr, "Missing");
  missing->SetMapProperty("Font.Nothing");
  auto* broken = Add(nullptr, "Broken");
  broken->SetMapProperty("PopupMenu.Name");  // an object property that holds nothing
  inspector->SetAssociate(panel);
  EXPECT_EQ(caption->GetValue(), "Preview");
  EXPECT_EQ(caption->GetCaption(), "Caption");
  EXPECT_EQ(fontName->GetValue(), "Arial");
  EXPECT_EQ(missing->GetValue(), "");
  EXPECT_EQ(broken->GetValue(), "");
  caption->SetValue("Changed");
  fontName->SetValue("Tahoma");
  EXPECT_EQ(panel->GetCaption(), "Changed");
  EXPECT_EQ(panel->GetFont()->GetName(), "Tahoma");
  delete panel;
  EXPECT_EQ(inspector->GetAssociate(), nullptr);
  caption->SetValue("After");  // nothing to write to any more
}
