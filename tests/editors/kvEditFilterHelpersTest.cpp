#include <gtest/gtest.h>

#include "EditTestProperties.h"
#include "toolkit/editors/kvCheckBox.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "toolkit/editors/kvLabel.h"
#include "toolkit/editors/kvMaskEdit.h"
#include "toolkit/editors/kvCalc.h"
#include "toolkit/editors/kvCalendar.h"
#include "toolkit/editors/kvCurrencyEdit.h"
#include "toolkit/editors/kvHyperLinkEdit.h"
#include "toolkit/editors/kvImageComboBox.h"
#include "toolkit/editors/kvMRUEdit.h"
#include "toolkit/editors/kvMemo.h"
#include "toolkit/editors/kvProgressBar.h"
#include "toolkit/editors/kvRadioGroup.h"
#include "toolkit/editors/kvSpinEdit.h"
#include "toolkit/editors/kvTextEdit.h"
#include "toolkit/editors/kvTimeEdit.h"

namespace {

class StringType : public TkvValueType {
  TAVREN_CLASS(StringType, TkvValueType)
 public:
  bool IsTextType() override { return true; }
};
TAVREN_CLASS_IMPL(StringType)

class OtherHelper : public TkvCustomFilterEditHelper {
  TAVREN_CLASS(OtherHelper, TkvCustomFilterEditHelper)
};
TAVREN_CLASS_IMPL(OtherHelper)

TEST(FilterEditHelpers, OperatorSetsByExtentAndValueType) {
  TkvCustomFilterEditHelper* helper = FilterEditHelperOf<TkvCustomFilterEditHelper>();
  struct Case {
    TkvValueTypeClass type;
    bool extended;
    Integer highest;
    bool likeOperators;
  };
  const Case cases[] = {
      {nullptr, false, 10, false},
      {nullptr, true, 14, false},
      {ValueTypeClassOf<StringType>(), false, 10, true},
      {ValueTypeClassOf<TkvValueType>(), true, 14, false},
  };
  for (const Case& c : cases) {
    TkvFilterOperators operators = helper->FilterOperatorSet(c.type, c.extended);
    EXPECT_FALSE(operators.test(0));
    EXPECT_TRUE(operators.test(c.highest));
    EXPECT_FALSE(operators.test(c.highest + 1));
    EXPECT_EQ(operators.test(7), c.likeOperators);
    EXPECT_EQ(operators.test(8), c.likeOperators);
    EXPECT_EQ(operators.count(), static_cast<size_t>(c.highest - (c.likeOperators ? 0 : 2)));
  }
}

TEST(FilterEditHelpers, TextHelperPreparesACopyForAFilterRow) {
  TkvTextEditProperties source(nullptr), target(nullptr);
  source.GetAlignment()->SetHorz(taRightJustify);
  source.GetAlignment()->SetVert(taVCenter);
  source.SetBeepOnError(true);
  source.SetReadOnly(true);
  source.SetAutoSelect(false);
  source.SetHideSelection(false);
  source.SetViewStyle(vsHideCursor);
  source.GetButtons()->AddButton();
  source.SetMaxLength(4);
  ChangeCounter counter;
  source.SetOnChange(MakeEvent<&ChangeCounter::Changed>(&counter));
  TkvFilterEditHelperClass helper = TheFilterEditsController()->FindHelper(TkvTextEditProperties::ClassInfo());
  ASSERT_EQ(helper, FilterEditHelperOf<TkvFilterTextEditHelper>());
  helper->InitFilterProperties(&target, &source, false);
  EXPECT_EQ(target.GetAlignment()->GetHorz(), taLeftJustify);
  EXPECT_EQ(target.GetAlignment()->GetVert(), taTopJustify);
  EXPECT_FALSE(target.GetBeepOnError());
  EXPECT_FALSE(target.GetReadOnly());
  EXPECT_TRUE(target.IsReadOnlyStored());
  EXPECT_TRUE(target.GetValidateOnEnter());
  EXPECT_EQ(target.GetButtons()->GetCount(), 0);
  EXPECT_FALSE(target.GetOnChange());
  EXPECT_TRUE(target.GetAutoSelect());
  EXPECT_TRUE(target.GetHideSelection());
  EXPECT_EQ(target.GetViewStyle(), vsNormal);
  EXPECT_EQ(target.GetMaxLength(), 4);
}

TEST(FilterEditHelpers, ControllerKeysByTheParentClassAndGoesWithItsLastPair) {
  ASSERT_TRUE(FilterEditsControllerExists());
  // The text kind's pair answers for its descendants too.
  EXPECT_EQ(TheFilterEditsController()->FindHelper(TkvTextEditProperties::ClassInfo()),
            FilterEditHelperOf<TkvFilterTextEditHelper>());
  EXPECT_EQ(TheFilterEditsController()->FindHelper(TkvCustomEditProperties::ClassInfo()), nullptr);
  EXPECT_EQ(TheFilterEditsController()->FindHelper(TkvMemoProperties::ClassInfo()),
            FilterEditHelperOf<TkvFilterMemoHelper>());
  // A memo filters by text operators only.
  TkvFilterOperators memoOperators = FilterEditHelperOf<TkvFilterMemoHelper>()->FilterOperatorSet(nullptr, true);
  EXPECT_EQ(memoOperators.count(), 4u);
  EXPECT_TRUE(memoOperators.test(7) && memoOperators.test(10));
  kvProgressBarEnd();
  kvLabelEnd();
  kvCheckBoxEnd();
  kvMemoEnd();
  kvRadioGroupEnd();
  kvCalendarEnd();
  kvTimeEditEnd();
  kvSpinEditEnd();
  kvCalcEnd();
  kvCurrencyEditEnd();
  kvHyperLinkEditEnd();
  kvImageComboBoxEnd();
  kvMRUEditEnd();
  kvDropDownEditEnd();
  kvMaskEditEnd();
  kvTextEditEnd();
  EXPECT_FALSE(FilterEditsControllerExists());
  TheFilterEditsController()->AddHelper(TkvTextEditProperties::ClassInfo(), FilterEditHelperOf<OtherHelper>());
  TheFilterEditsController()->RemoveHelper(TkvTextEditProperties::ClassInfo(), FilterEditHelperOf<OtherHelper>());
  EXPECT_FALSE(FilterEditsControllerExists());
  kvTextEditStart();
  kvMaskEditStart();
  kvDropDownEditStart();
  kvMRUEditStart();
  kvImageComboBoxStart();
  kvHyperLinkEditStart();
  kvCurrencyEditStart();
  kvCalcStart();
  kvSpinEditStart();
  kvTimeEditStart();
  kvCalendarStart();
  kvRadioGroupStart();
  kvMemoStart();
  kvCheckBoxStart();
  kvLabelStart();
  kvProgressBarStart();
  kvMemoStart();
  kvMemoEnd();
  EXPECT_TRUE(FilterEditsControllerExists());
  EXPECT_NE(TheFilterEditsController()->FindHelper(TkvMemoProperties::ClassInfo()), nullptr);
  TkvRegisteredClasses* registry = EditPropertiesRegistry();
  Integer index = registry->IndexOfClass(TkvTextEditProperties::ClassInfo());
  ASSERT_NE(index, -1);
  EXPECT_EQ(registry->TextAt(index), "TextEdit|Represents a single line text editor");
  index = registry->IndexOfClass(TkvMemoProperties::ClassInfo());
  ASSERT_NE(index, -1);
  EXPECT_EQ(registry->TextAt(index), "Memo|Represents an edit control that allows editing memo data");
}

}  // namespace
