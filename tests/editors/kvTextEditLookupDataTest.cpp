#include <gtest/gtest.h>

#include "EditorsTestSupport.h"
#include "controls/ScrollBars.h"
#include "gdi/SysMetrics.h"
#include "user/MessageNumbers.h"
#include "toolkit/editors/kvTextEdit.h"

namespace {

// Stands for the list styles of a combo box.
class StyledTextProperties : public TkvTextEditProperties {
  TAVREN_CLASS(StyledTextProperties, TkvTextEditProperties)
 public:
  using TkvTextEditProperties::TkvTextEditProperties;
  Byte EditingStyleCode() override { return style; }
  Byte style = kvEditingFreeText;
};
TAVREN_CLASS_IMPL(StyledTextProperties)

class LookupEdit : public TkvCustomEdit {
  TAVREN_CLASS(LookupEdit, TkvCustomEdit)
 public:
  explicit LookupEdit(TComponent* AOwner) : TkvCustomEdit(AOwner, false, StyledTextProperties::ClassInfo()) {}
  StyledTextProperties* Props() { return static_cast<StyledTextProperties*>(GetProperties()); }
  TkvContainerStyleValues GetHiddenStyleValues() override { return {}; }
  void ReadDisplayText(String& Text) override { Text = text; }
  String text;
};
TAVREN_CLASS_IMPL(LookupEdit)

// A lookup that shows its items in an edit list box.
class ListLookup : public TkvCustomTextEditLookupData {
  TAVREN_CLASS(ListLookup, TkvCustomTextEditLookupData)
 public:
  using TkvCustomTextEditLookupData::TkvCustomTextEditLookupData;
  TkvCustomEditListBoxClass ListBoxClass() override { return TkvCustomEditListBox::ClassInfo(); }
};
TAVREN_CLASS_IMPL(ListLookup)

class TextEditLookupData : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    edit = new LookupEdit(form);
    for (const char* item : {"Apple", "apricot", "Banana"}) edit->Props()->GetLookupItems()->Add(item);
    lookup = std::make_unique<TkvCustomTextEditLookupData>(edit);
  }
  void TearDown() override {
    lookup.reset();
    EditorsTest::TearDown();
  }
  LookupEdit* edit = nullptr;
  std::unique_ptr<TkvCustomTextEditLookupData> lookup;
};

// Counts the item-picked events and whether the text-change lock was set at each.
class PickCounter : public TObject {
 public:
  void Picked(TObject* Sender) {
    ++picks;
    locked = static_cast<TkvCustomTextEditLookupData*>(Sender)->GetTextChangeLock();
  }
  Integer picks = 0;
  bool locked = false;
};

TEST_F(TextEditLookupData, PrefixSearchTakesTheItemsSpellingAndGoesOnFromTheHighlight) {
  String text = "AP", tail;
  EXPECT_TRUE(lookup->SearchText(text, tail, false));
  EXPECT_EQ(text, "Ap");
  EXPECT_EQ(tail, "ple");
  EXPECT_EQ(lookup->GetCurrentIndex(), 0);
  EXPECT_EQ(lookup->GetHighlightedRow(), 0);
  text = "AP";
  EXPECT_TRUE(lookup->SearchText(text, tail, true));
  EXPECT_EQ(text, "ap");
  EXPECT_EQ(tail, "ricot");
  EXPECT_EQ(lookup->GetCurrentIndex(), 1);
  text = "";
  EXPECT_FALSE(lookup->SearchText(text, tail, false));
  EXPECT_EQ(lookup->GetCurrentIndex(), -1);
}

TEST_F(TextEditLookupData, NotFoundKeepsTheKeyOnlyInTheListStyles) {
  struct Case {
    Byte style;
    const char* text;
    bool exact;
    Integer key;
  };
  const Case cases[] = {
      {kvEditingFreeText, "zz", false, -1},  {kvEditingListText, "zz", false, 2},
      {kvEditingListText, "", false, -1},    {kvEditingStrictList, "", false, 2},
      {kvEditingStrictList, "zz", true, -1},
  };
  for (const Case& c : cases) {
    edit->Props()->style = c.style;
    edit->Props()->SetExactLookup(c.exact);
    lookup->StoreCurrentKey(2);
    String text = c.text, tail;
    EXPECT_FALSE(lookup->Locate(text, tail, c.exact, false));
    EXPECT_EQ(lookup->GetCurrentIndex(), c.key) << c.text << " style " << Integer(c.style);
  }
  // An exact search finds the whole text only.
  edit->Props()->SetExactLookup(true);
  String text = "BANANA", tail = "x";
  EXPECT_TRUE(lookup->Locate(text, tail, true, false));
  EXPECT_EQ(tail, "");
  EXPECT_EQ(lookup->GetCurrentIndex(), 2);
}

TEST_F(TextEditLookupData, KeysOutsideTheItemsAreIgnored) {
  lookup->StoreCurrentKey(1);
  lookup->StoreCurrentKey(3);
  lookup->StoreCurrentKey(-2);
  EXPECT_EQ(lookup->GetCurrentIndex(), 1);
  EXPECT_EQ(lookup->KeyText(1), "apricot");
  EXPECT_EQ(lookup->KeyText(-1), "");
  EXPECT_EQ(lookup->KeyText(3), "");
  EXPECT_EQ(lookup->FindText("BANANA"), 2);
  EXPECT_TRUE(lookup->ContainsText("apple"));
  EXPECT_FALSE(lookup->ContainsText("app"));
  EXPECT_FALSE(lookup->HasNoItems());
}

TEST_F(TextEditLookupData, MovingTheKeyFiresItemPickedWhenTheKeyOrTheTextDiffers) {
  PickCounter counter;
  Integer& picks = counter.picks;
  lookup->SetOnItemPicked(MakeEvent<&PickCounter::Picked>(&counter));
  lookup->MoveCurrentKey(Variant(1));
  EXPECT_EQ(picks, 1);
  EXPECT_TRUE(counter.locked);
  EXPECT_FALSE(lookup->GetTextChangeLock());
  // Same key, the editor's text differs from the item: picked again; once the text is the
  // item's (case-sensitively), nothing.
  lookup->MoveCurrentKey(Variant(1));
  EXPECT_EQ(picks, 2);
  edit->text = "apricot";
  lookup->MoveCurrentKey(Variant(1));
  EXPECT_EQ(picks, 2);
  // Steps without a shown list move the key; the text editor never cycles.
  lookup->Step(lsNext, false);
  EXPECT_EQ(lookup->GetCurrentIndex(), 2);
  lookup->Step(lsNext, false);
  EXPECT_EQ(lookup->GetCurrentIndex(), 2);
  EXPECT_EQ(picks, 4);
  lookup->Step(lsFirst, false);
  EXPECT_EQ(lookup->GetCurrentIndex(), 0);
  // Picking the highlighted current row fires once more even when the key stays.
  edit->text = "Apple";
  Integer before = picks;
  lookup->PickHighlightedRow();
  EXPECT_EQ(picks, before + 1);
}

TEST_F(TextEditLookupData, EditorTextChangesFollowTheItemsUnlessTheRowAlreadyMatches) {
  edit->text = "BANANA";
  lookup->EditorTextChanged();
  EXPECT_EQ(lookup->GetCurrentIndex(), 2);
  // A prefix finds its item unless the Properties ask for exact lookups; no match drops the key.
  edit->text = "ban";
  lookup->EditorTextChanged();
  EXPECT_EQ(lookup->GetCurrentIndex(), 2);
  edit->text = "zz";
  lookup->EditorTextChanged();
  EXPECT_EQ(lookup->GetCurrentIndex(), -1);
  // An empty text with no highlighted row leaves the key as it is.
  lookup->StoreCurrentKey(1);
  lookup->HighlightRow(-1);
  edit->text = "";
  lookup->EditorTextChanged();
  EXPECT_EQ(lookup->GetCurrentIndex(), 1);
  lookup->RehighlightCurrentKey();
  EXPECT_EQ(lookup->GetHighlightedRow(), 1);
}

TEST_F(TextEditLookupData, ListShowsTheItemsAndMovesOnlyItsHighlightWhileShown) {
  auto list = std::make_unique<ListLookup>(edit);
  edit->SetParent(form);
  list->PrepareList(form);
  TkvCustomEditListBox* box = list->GetList();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(list->ListControl(), box);
  EXPECT_EQ(box->GetItems()->GetCount(), 3);
  EXPECT_EQ(box->GetOwnerEdit(), edit);
  list->PlaceList(TRect{10, 10, 110, 10 + box->RowsHeight(3)});
  form->Show();
  Pump();
  ASSERT_TRUE(box->IsVisible());
  EXPECT_EQ(box->RowHeight(), TextHeightInFont(box->GetFont(), "Wg"));
  EXPECT_TRUE(list->PointOverList(box->ClientToScreen(TPoint{0, 0})));
  EXPECT_FALSE(list->PointOverList(box->ClientToScreen(TPoint{-1, 0})));
  list->StoreCurrentKey(0);
  list->Step(lsNext, false);
  EXPECT_EQ(list->GetHighlightedRow(), 1);
  EXPECT_EQ(box->GetItemIndex(), 1);
  EXPECT_EQ(list->GetCurrentIndex(), 0);
  // The list's own selection is the lookup's highlight; picking makes it the key.
  box->SetItemIndex(2);
  EXPECT_EQ(list->GetHighlightedRow(), 2);
  list->PickHighlightedRow();
  EXPECT_EQ(list->GetCurrentIndex(), 2);
  // Immediate update moves the key itself.
  edit->Props()->SetImmediateUpdateText(true);
  list->Step(lsFirst, false);
  EXPECT_EQ(list->GetCurrentIndex(), 0);
  // Fewer items shrink the list.
  edit->Props()->GetLookupItems()->Delete(2);
  list->SettingsChanged();
  EXPECT_EQ(box->GetItems()->GetCount(), 2);
}

TEST_F(TextEditLookupData, HighlightOffScrollsTheListToTheTop) {
  for (Integer i = 0; i < 30; ++i) edit->Props()->GetLookupItems()->Add("item " + std::to_string(i));
  auto list = std::make_unique<ListLookup>(edit);
  list->PrepareList(form);
  TkvCustomEditListBox* box = list->GetList();
  list->PlaceList(TRect{0, 0, 100, box->RowsHeight(5)});
  box->HandleNeeded();
  list->HighlightRow(25);
  EXPECT_GT(box->GetTopIndex(), 0);
  list->HighlightRow(-1);
  EXPECT_EQ(box->GetTopIndex(), 0);
  EXPECT_EQ(box->GetItemIndex(), -1);
}

TEST_F(TextEditLookupData, WheelScrollsLinesOrOnePage) {
  for (Integer i = 0; i < 40; ++i) edit->Props()->GetLookupItems()->Add("item " + std::to_string(i));
  auto list = std::make_unique<ListLookup>(edit);
  list->PrepareList(form);
  TkvCustomEditListBox* box = list->GetList();
  list->PlaceList(TRect{0, 0, 100, box->RowsHeight(5)});
  box->HandleNeeded();
  box->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
  Integer page = box->GetTopIndex();
  ASSERT_GT(page, 3);
  struct Case {
    UINT lines;
    Integer top;
  };
  // Three lines a notch; a page setting, or more lines than the five shown, scroll one page.
  for (const Case& c : {Case{3, 3}, Case{WHEEL_PAGESCROLL, page}, Case{100, page}}) {
    SystemParametersInfo(SPI_SETWHEELSCROLLLINES, c.lines, nullptr, 0);
    box->SetTopIndex(0);
    box->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(box->GetTopIndex(), c.top) << c.lines;
  }
  SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
}

TEST(TextEditLookupSteps, TargetsOfEachDirection) {
  struct Case {
    Integer base;
    TkvLookupStep direction;
    bool cycle;
    Integer target;
  };
  // Ten items, eight rows a page.
  const Case cases[] = {
      {5, lsFirst, false, 0},     {5, lsLast, false, 9},       {9, lsNext, false, 9},
      {9, lsNext, true, 0},       {0, lsPrevious, false, 0},   {0, lsPrevious, true, 9},
      {-1, lsNext, false, 0},     {3, lsPageUp, false, 0},     {9, lsPageUp, false, 2},
      {0, lsPageUp, true, 9},     {-1, lsPageUp, false, -1},   {-1, lsPageDown, false, 7},
      {5, lsPageDown, false, 9},  {9, lsPageDown, true, 0},    {1, lsPageDown, false, 8},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LookupStepTarget(c.base, c.direction, 10, 8, c.cycle), c.target)
        << c.base << " " << Integer(c.direction) << " " << c.cycle;
}

}  // namespace
