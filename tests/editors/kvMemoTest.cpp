#include <memory>

#include "EditTestProperties.h"
#include "EditorsTestSupport.h"
#include "gdi/SysMetrics.h"
#include "toolkit/editors/kvMemo.h"

namespace {

TEST(MemoProperties, DefaultsSettersAndAssign) {
  TkvMemoProperties properties(nullptr);
  EXPECT_FALSE(properties.GetAutoSelect());
  EXPECT_EQ(properties.GetAlignment()->GetVert(), taTopJustify);
  EXPECT_TRUE(properties.GetWordWrap());
  EXPECT_TRUE(properties.GetWantReturns());
  EXPECT_FALSE(properties.GetWantTabs());
  EXPECT_EQ(properties.GetScrollBars(), ssNone);
  EXPECT_TRUE(properties.DrawsOwnTextLayout());
  ChangeCounter counter;
  counter.Attach(&properties);
  properties.SetVisibleLineCount(-4);
  EXPECT_EQ(properties.GetVisibleLineCount(), 0);
  EXPECT_EQ(counter.count, 0);
  properties.SetWantTabs(true);
  properties.SetWantTabs(true);
  EXPECT_EQ(counter.count, 1);
  EXPECT_TRUE(properties.WantsTabKey());
  properties.SetScrollBars(ssBoth);
  properties.SetVisibleLineCount(3);
  properties.SetWordWrap(false);
  properties.SetWantReturns(false);
  TkvMemoProperties copy(nullptr);
  ChangeCounter copyCounter;
  copyCounter.Attach(&copy);
  copy.Assign(&properties);
  EXPECT_EQ(copyCounter.count, 1);
  EXPECT_EQ(copy.GetScrollBars(), ssBoth);
  EXPECT_EQ(copy.GetVisibleLineCount(), 3);
  EXPECT_FALSE(copy.GetWordWrap());
  EXPECT_FALSE(copy.GetWantReturns());
  EXPECT_TRUE(copy.GetWantTabs());
}

TEST(MemoProperties, UnfocusedDisplayTextIsTheFirstLineOfAtMost250Characters) {
  TkvMemoProperties properties(nullptr);
  const String longLine(300, 'x');
  // "é" is two bytes: the cut counts characters and never splits one.
  String accented;
  for (Integer i = 0; i < 260; ++i) accented += "\xC3\xA9";
  struct Case {
    String text;
    String unfocused;
  };
  const Case cases[] = {
      {"first\r\nsecond", "first"},
      {"first\nsecond", "first"},
      {longLine, String(250, 'x')},
      {String(251, 'y') + "\r\nz", String(250, 'y')},
      {accented, accented.substr(0, 500)},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(properties.EditValueToDisplayText(Variant(c.text), false), c.unfocused) << c.text.substr(0, 20);
    EXPECT_EQ(properties.EditValueToDisplayText(Variant(c.text), true), c.text);
  }
}

TEST(MemoText, ReplacementsTurnOnlyLoneLfCrPairsIntoTwoLineBreaks) {
  struct Case {
    const char* text;
    const char* normalised;
  };
  const Case cases[] = {
      {"a\n\rb", "a\r\n\r\nb"},
      {"a\r\n\r\nb", "a\r\n\r\nb"},       // ordinary blank lines stay as they are
      {"\n\n\r", "\n\r\n\r\n"},
      {"\r\n\r", "\r\n\r"},
      {"plain", "plain"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(NormalizeMemoLineBreaks(c.text), c.normalised) << c.text;
}

class MemoView : public EditorsTest {
 protected:
  // An editor of memo Properties: the view data the memo lays itself out with.
  class MemoPropsEdit : public TkvCustomEdit {
   public:
    explicit MemoPropsEdit(TComponent* AOwner) : TkvCustomEdit(AOwner, false, TkvMemoProperties::ClassInfo()) {}
    TkvMemoProperties* Props() { return static_cast<TkvMemoProperties*>(GetProperties()); }
  };
  void SetUp() override {
    EditorsTest::SetUp();
    edit = new MemoPropsEdit(form);
    edit->SetParent(form);
  }
  TkvCustomMemoViewData* Data() {
    data.reset(edit->MakeViewData());
    return dynamic_cast<TkvCustomMemoViewData*>(data.get());
  }
  MemoPropsEdit* edit = nullptr;
  std::unique_ptr<TkvCustomEditViewData> data;
};

TEST_F(MemoView, TextFlagsWrapOnlyWithoutAHorizontalBar) {
  ASSERT_NE(Data(), nullptr);
  EXPECT_TRUE(Data()->TextFlags() & kvtfWordWrap);
  EXPECT_FALSE(Data()->TextFlags() & kvtfSingleLine);
  edit->Props()->SetScrollBars(ssBoth);
  EXPECT_FALSE(Data()->TextFlags() & kvtfWordWrap);
  edit->Props()->SetScrollBars(ssVertical);
  edit->Props()->GetAlignment()->SetHorz(taCenter);
  EXPECT_EQ(Data()->TextFlags() & kvtfHorzMask, kvtfCenterX);
  EXPECT_TRUE(Data()->TextFlags() & kvtfWordWrap);
  edit->Props()->SetWordWrap(false);
  EXPECT_FALSE(Data()->TextFlags() & kvtfWordWrap);
  EXPECT_EQ(Data()->ContentOffsets(), TRect(1, 1, 1, 3));
}

TEST_F(MemoView, VisibleLineCountSetsTheMinimumHeight) {
  TkvCanvas* canvas = edit->GetKvCanvas();
  Integer line = TextHeightInFont(edit->GetEditStyle()->GetEffectiveFont(), "Zg");
  TkvEditSizeRequest request;
  TSize minimum, nonClient;
  Data()->MeasureContent(canvas, request, minimum, nullptr, nonClient);
  EXPECT_EQ(minimum.cy, 0);
  edit->Props()->SetVisibleLineCount(3);
  EXPECT_EQ(Data()->MaxLines(), 3);
  Data()->MeasureContent(canvas, request, minimum, nullptr, nonClient);
  // One pixel above, three below the text outside grids.
  EXPECT_EQ(minimum.cy, 3 * line + 4);
  // A horizontal bar adds its height to the frame.
  TSize before = nonClient;
  edit->Props()->SetScrollBars(ssHorizontal);
  Data()->Edit = edit;
  data->MeasureContent(canvas, request, minimum, nullptr, nonClient);
  EXPECT_EQ(nonClient.cy, before.cy + GetSystemMetrics(SM_CYHSCROLL));
}

}  // namespace
