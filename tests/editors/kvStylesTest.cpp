#include "toolkit/editors/kvStyles.h"

#include <gtest/gtest.h>

#include <string>

#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "vcl/Forms.h"

using namespace kvStyles;

namespace {

// A style list with two entries, counting the changes it is told of by index.
class TTestStyles : public TkvCustomStyles {
  TAVREN_CLASS(TTestStyles, TkvCustomStyles)
 public:
  using TkvCustomStyles::TkvCustomStyles;
  void Put(Integer Index, TkvCustomStyle* Style) { AddEntry(Index, Style); }
  std::vector<Integer> changes;

 protected:
  void Changed(Integer Index) override { changes.push_back(Index); }
};
TAVREN_CLASS_IMPL(TTestStyles)

class TTestStyleSheet : public TkvCustomStyleSheet {
  TAVREN_CLASS(TTestStyleSheet, TkvCustomStyleSheet)
 public:
  using TkvCustomStyleSheet::TkvCustomStyleSheet;
  TkvCustomStylesClass GetStylesClass() const override { return TTestStyles::ClassInfo(); }
  TTestStyles* Own() const { return static_cast<TTestStyles*>(GetStyles()); }
};
TAVREN_CLASS_IMPL(TTestStyleSheet)

class Styles : public testing::Test {
 protected:
  void SetUp() override { form = new TForm(nullptr, 0); }
  void TearDown() override { delete form; }
  TkvStyleRepository* NewRepository() { return new TkvStyleRepository(form); }
  TForm* form = nullptr;
};

TEST_F(Styles, ValueSettersKeepTheAssignedFlags) {
  TkvStyleRepository* repository = NewRepository();
  auto* style = static_cast<TkvStyle*>(repository->CreateStyle(TkvStyle::ClassInfo()));
  EXPECT_TRUE(style->GetAssignedValues().Empty());
  style->SetColor(clRed);
  style->SetTextColor(clBlue);
  EXPECT_EQ(style->GetAssignedValues(), (TkvStyleValues{svColor, svTextColor}));
  style->SetColor(clDefault);
  EXPECT_EQ(style->GetAssignedValues(), TkvStyleValues{svTextColor});
  style->GetFont()->SetSize(14);
  EXPECT_TRUE(style->GetAssignedValues().Contains(svFont));
  style->GetBitmap()->SetSize(4, 4);
  EXPECT_TRUE(style->GetAssignedValues().Contains(svBitmap));
  style->GetBitmap()->Assign(nullptr);
  EXPECT_FALSE(style->GetAssignedValues().Contains(svBitmap));

  auto* copy = static_cast<TkvStyle*>(repository->CreateStyle(TkvStyle::ClassInfo()));
  copy->Assign(style);
  EXPECT_EQ(copy->GetAssignedValues(), style->GetAssignedValues());
  EXPECT_EQ(copy->GetTextColor(), clBlue);
  EXPECT_EQ(copy->GetFont()->GetSize(), 14);

  style->ResetValues();
  EXPECT_TRUE(style->GetAssignedValues().Empty());
  EXPECT_EQ(style->GetTextColor(), clDefault);
  EXPECT_EQ(style->GetFont()->GetSize(), 14);
}

TEST_F(Styles, RepositoryStreamsItsStylesAndScalesFonts) {
  TkvStyleRepository* repository = NewRepository();
  repository->SetName("Repository");
  auto* plain = repository->CreateStyle(TkvStyle::ClassInfo());
  plain->SetName("Plain");
  auto* red = static_cast<TkvStyle*>(repository->CreateStyle(TkvStyle::ClassInfo()));
  red->SetName("Red");
  red->SetColor(clRed);
  red->GetFont()->SetHeight(-12);
  String text = WriteComponentToText(form);
  // A style without values streams none; the repository notes the density it was written at.
  EXPECT_NE(text.find("object Plain: TkvStyle\n    end"), String::npos) << text;
  EXPECT_NE(text.find("PixelsPerInch = 96"), String::npos) << text;

  struct Case {
    const char* scalable;
    Integer storedPpi;
    Integer storedHeight;
    Integer height;
  };
  // Read at 96 pixels per inch: only a scalable repository written at another density scales, up
  // or down, rounding to the nearest pixel.
  const Case kCases[] = {{"True", 80, -12, -14},  {"False", 80, -12, -12}, {"True", 96, -12, -12},
                         {"True", 120, -15, -12}, {"True", 120, -12, -10}, {"False", 120, -15, -15}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.scalable) + " " + std::to_string(c.storedPpi) + " " + std::to_string(c.storedHeight));
    auto* root = new TForm(nullptr, 0);
    ReadComponentFromText(String("object Root: TForm\n  object Repository: TkvStyleRepository\n    Scalable = ") +
                              c.scalable + "\n    PixelsPerInch = " + std::to_string(c.storedPpi) +
                              "\n    object Red: TkvStyle\n      AssignedValues = [svColor, svFont]\n"
                              "      Color = clRed\n      Font.Height = " + std::to_string(c.storedHeight) +
                              "\n    end\n  end\nend\n",
                          root);
    auto* loaded = static_cast<TkvStyleRepository*>(root->FindComponent("Repository"));
    ASSERT_EQ(loaded->GetCount(), 1);
    auto* style = static_cast<TkvStyle*>(loaded->GetItems(0));
    EXPECT_EQ(style->GetStyleRepository(), loaded);
    EXPECT_EQ(style->GetColor(), clRed);
    EXPECT_EQ(style->GetFont()->GetHeight(), c.height);
    EXPECT_EQ(style->GetAssignedValues(), (TkvStyleValues{svColor, svFont}));
    delete root;
  }
}

TEST_F(Styles, StyleListsFollowSheetsAndForgetRemovedStyles) {
  TkvStyleRepository* repository = NewRepository();
  auto* a = repository->CreateStyle(TkvStyle::ClassInfo());
  auto* b = repository->CreateStyle(TkvStyle::ClassInfo());
  auto* sheet1 = static_cast<TTestStyleSheet*>(repository->CreateStyleSheet(TTestStyleSheet::ClassInfo()));
  auto* sheet2 = static_cast<TTestStyleSheet*>(repository->CreateStyleSheet(TTestStyleSheet::ClassInfo()));
  sheet1->Own()->Put(0, a);
  sheet2->Own()->Put(3, b);
  sheet1->GetStyles()->SetStyleSheet(sheet2);

  TTestStyles user(form);
  user.Put(5, a);
  user.SetStyleSheet(sheet1);
  // Both sheets of the chain contribute their indexes.
  EXPECT_EQ(user.changes, (std::vector<Integer>{0, 3}));
  user.changes.clear();
  static_cast<TkvStyle*>(a)->SetColor(clLime);
  // Listeners are told last to first: the user directly (entry 5), then through the sheet (0).
  EXPECT_EQ(user.changes, (std::vector<Integer>{5, 0}));

  // A chain that leads back to the sheet's own list is refused.
  sheet2->GetStyles()->SetStyleSheet(sheet1);
  EXPECT_EQ(sheet2->GetStyles()->GetStyleSheet(), nullptr);
  sheet1->GetStyles()->SetStyleSheet(sheet1);
  EXPECT_EQ(sheet1->GetStyles()->GetStyleSheet(), sheet2);
  // So is a sheet whose styles are of another class.
  auto* plainSheet = repository->CreateStyleSheet(TkvCustomStyleSheet::ClassInfo());
  user.SetStyleSheet(plainSheet);
  EXPECT_EQ(user.GetStyleSheet(), sheet1);

  delete a;
  EXPECT_EQ(user.Count(), 0);
  EXPECT_EQ(sheet1->GetStyles()->Count(), 0);
  EXPECT_EQ(repository->GetCount(), 1);
  delete sheet1;
  EXPECT_EQ(user.GetStyleSheet(), nullptr);
}

// A listener that may forget to detach when its style goes, or detach another one while told of a
// change.
class TTestListener : public TInterfacedObject, public IkvStyleObserver {
 public:
  void NotifyStyleChanged(TkvCustomStyle* AStyle) override {
    ++changed;
    if (detachOnChange) AStyle->DetachObserver(detachOnChange);
  }
  void NotifyStyleRemoved(TkvCustomStyle*) override { ++removed; }
  IkvStyleObserver* detachOnChange = nullptr;
  Integer changed = 0, removed = 0;
};

TEST_F(Styles, ListenersThatLeaveOrStayNeitherSkipNorHang) {
  TkvStyleRepository* repository = NewRepository();
  auto* style = static_cast<TkvStyle*>(repository->CreateStyle(TkvStyle::ClassInfo()));
  TTestListener first, middle, last;
  style->AttachObserver(&first);
  style->AttachObserver(&middle);
  style->AttachObserver(&last);
  // Told last to first: the last one sends the middle one away before its turn.
  last.detachOnChange = &middle;
  style->SetColor(clRed);
  EXPECT_EQ(last.changed, 1);
  EXPECT_EQ(middle.changed, 0);
  EXPECT_EQ(first.changed, 1);
  last.detachOnChange = &last;
  style->SetColor(clBlue);
  style->SetColor(clLime);
  EXPECT_EQ(last.changed, 2);
  EXPECT_EQ(first.changed, 3);
  // Neither listener left detaches when told the style goes; each hears it once.
  delete style;
  EXPECT_EQ(first.removed, 1);
  EXPECT_EQ(middle.removed, 0);
  EXPECT_EQ(repository->GetCount(), 0);
}

TEST_F(Styles, SheetCaptionFallsBackToTheName) {
  TkvStyleRepository* repository = NewRepository();
  auto* sheet = repository->CreateStyleSheet(TkvCustomStyleSheet::ClassInfo());
  sheet->SetName("GridSheet");
  EXPECT_EQ(sheet->GetCaption(), "GridSheet");
  sheet->SetCaption("Grid");
  EXPECT_EQ(sheet->GetCaption(), "Grid");
  sheet->SetCaption("gridsheet");
  EXPECT_FALSE(sheet->IsCaptionStored());
  EXPECT_EQ(sheet->GetCaption(), "GridSheet");
}

}  // namespace
