#include <gtest/gtest.h>

#include "EditorsTestSupport.h"
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
};
TAVREN_CLASS_IMPL(LookupEdit)

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
