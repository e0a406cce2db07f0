#include <memory>

#include "EditTestFixture.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvRadioGroup.h"
#include "user/VirtualKeys.h"
#include "toolkit/editors/kvTextEdit.h"
#include "vcl/ActnList.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "vcl/ExtCtrls.h"

namespace {

using Log = std::vector<String>;

// Logs a group's events with the edit value they see.
struct GroupLog : TObject {
  Log log;
  TkvRadioGroup* group = nullptr;
  String Value() {
    Variant v;
    group->GetEditValue(v);
    return VarIsNull(v) ? String("null") : VarToStr(v);
  }
  void Change(TObject*) { log.push_back("change " + Value()); }
  void EditValueChanged(TObject*) { log.push_back("value " + Value()); }
  void Clicked(TObject*) { log.push_back("click"); }
  void Post(TObject*) { log.push_back("post"); }
  Log Take() { return std::exchange(log, {}); }
};

class RadioGroup : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    form->SetBounds(0, 0, 400, 300);
    before = new TkvTextEdit(form);
    before->SetParent(form);
    before->SetBounds(10, 10, 80, 21);
    group = new TkvRadioGroup(form);
    group->SetParent(form);
    group->SetBounds(10, 40, 185, 105);
    group->SetCaption("Keep");
    TkvRadioGroupItems* items = Props()->GetRadioItems();
    items->AddItem("Yes", Variant(1));
    items->AddItem("No", Variant(0));
    items->AddItem("Maybe");
    after = new TkvTextEdit(form);
    after->SetParent(form);
    after->SetBounds(10, 160, 80, 21);
    events.group = group;
    Props()->SetOnChange(MakeEvent<&GroupLog::Change>(&events));
    Props()->SetOnEditValueChanged(MakeEvent<&GroupLog::EditValueChanged>(&events));
    group->SetOnClick(MakeEvent<&GroupLog::Clicked>(&events));
    Pump();
  }
  TkvRadioGroupProperties* Props() { return group->GetRadioGroupProperties(); }
  TkvCustomRadioGroupButton* Button(Integer Index) { return group->RadioButton(Index); }
  TkvRadioGroup* group = nullptr;
  TkvTextEdit* before = nullptr;
  TkvTextEdit* after = nullptr;
  GroupLog events;
};

TEST_F(RadioGroup, EditValuesMapOntoItemsByValueOrCaption) {
  struct Case {
    Variant value;
    Integer index;
    const char* text;
  };
  const Case cases[] = {
      {Variant(1), 0, "Yes"},       {Variant(0), 1, "No"},         {Variant("1"), 0, "Yes"},
      {Variant("Maybe"), 2, "Maybe"}, {Variant("maybe"), -1, ""},   {Null(), -1, ""},
      {Variant(7), -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(VarToStr(c.value));
    EXPECT_EQ(Props()->IndexOfValue(c.value), c.index);
    EXPECT_EQ(Props()->EditValueToDisplayText(c.value, true), c.text);
    group->SetEditValue(c.value);
    EXPECT_EQ(group->GetItemIndex(), c.index);
  }
  Props()->SetDefaultCaption("(none)");
  EXPECT_EQ(Props()->EditValueToDisplayText(Variant(7), true), "(none)");
  // Values that map to the same item are equal.
  EXPECT_TRUE(Props()->DisplayValuesEqual(Variant(1), Variant("1")));
  EXPECT_FALSE(Props()->DisplayValuesEqual(Variant(1), Variant(0)));
}

TEST_F(RadioGroup, ItemIndexIsClampedAndClearUnchecksToTheDefaultValue) {
  Props()->SetDefaultValue(Variant(-1));
  group->SetItemIndex(10);
  EXPECT_EQ(group->GetItemIndex(), 2);
  EXPECT_TRUE(Button(2)->GetChecked());
  EXPECT_EQ(events.Value(), "Maybe");
  group->SetItemIndex(-5);
  EXPECT_EQ(group->GetItemIndex(), -1);
  for (Integer i = 0; i < 3; ++i) EXPECT_FALSE(Button(i)->GetChecked());
  EXPECT_EQ(events.Value(), "-1");
  group->SetItemIndex(1);
  group->ClearValue();
  EXPECT_EQ(group->GetItemIndex(), -1);
}

TEST_F(RadioGroup, TabSkipsAGroupWithNothingCheckedAndEntersAtTheCheckedButton) {
  before->SetFocus();
  Pump();
  Key(VK_TAB);
  EXPECT_TRUE(after->Focused());
  group->SetItemIndex(1);
  events.Take();
  before->SetFocus();
  Pump();
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), Button(1)->GetHandle());
  // Entering the checked button changes nothing.
  EXPECT_EQ(events.Take(), Log{});
  // Tab leaves the group from its checked button, Shift+Tab comes back to it.
  Key(VK_TAB);
  EXPECT_TRUE(after->Focused());
  Key(VK_TAB, kShift);
  EXPECT_EQ(GetFocus(), Button(1)->GetHandle());
  Key(VK_TAB, kShift);
  EXPECT_TRUE(before->Focused());
  EXPECT_EQ(group->GetItemIndex(), 1);
  EXPECT_EQ(events.Take(), Log{});
}

TEST_F(RadioGroup, ButtonStatesFollowHoverPressDragOffAndBackUnderTheCapture) {
  TkvCustomEditViewInfo* info = group->GetEditViewInfo();
  ASSERT_EQ(info->ButtonCount(), 3);
  auto centre = [&](Integer Index) {
    const TRect& r = info->Buttons[static_cast<size_t>(Index)]->Bounds;
    return MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  };
  const LPARAM off = MAKELPARAM(2, 2);
  auto states = [&] {
    String s;
    for (auto& button : info->Buttons) s += std::to_string(button->State);
    return s;
  };
  struct Step {
    UINT message;
    WPARAM keys;
    LPARAM at;
    const char* states;  // 0 disabled, 1 normal, 2 pressed, 3 hot
    Integer hot, pressed;
  };
  const Step kSteps[] = {
      {WM_MOUSEMOVE, 0, centre(1), "131", 1, -1},           // hover
      {WM_LBUTTONDOWN, MK_LBUTTON, centre(1), "121", -1, 1}, // press
      {WM_MOUSEMOVE, MK_LBUTTON, off, "111", -1, -1},        // dragged off
      {WM_MOUSEMOVE, MK_LBUTTON, centre(1), "121", -1, 1},   // and back, still held
      {WM_MOUSEMOVE, MK_LBUTTON, centre(2), "111", -1, -1},  // onto another: not that one
      {WM_LBUTTONUP, 0, centre(2), "113", 2, -1},
  };
  for (const Step& step : kSteps) {
    SCOPED_TRACE(step.states);
    group->Perform(step.message, step.keys, step.at);
    EXPECT_EQ(states(), step.states);
    EXPECT_EQ(info->HotButton, step.hot);
    EXPECT_EQ(info->PressedButton, step.pressed);
  }
  EXPECT_NE(GetCapture(), group->GetHandle());
  group->SetEnabled(false);
  group->Perform(WM_MOUSEMOVE, 0, centre(0));
  EXPECT_EQ(states(), "000");
}

TEST_F(RadioGroup, DownChecksTheNextItemAndTheValueFollowsWithOneChangePerMove) {
  group->SetItemIndex(0);
  before->SetFocus();
  Pump();
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), Button(0)->GetHandle());
  events.Take();
  Key(VK_DOWN);
  EXPECT_EQ(GetFocus(), Button(1)->GetHandle());
  EXPECT_EQ(group->GetItemIndex(), 1);
  EXPECT_EQ(events.Take(), (Log{"click", "change 0", "value 0"}));
  Key(VK_DOWN);
  EXPECT_EQ(group->GetItemIndex(), 2);
  EXPECT_EQ(events.Take(), (Log{"click", "change Maybe", "value Maybe"}));
  // The last item of the only column: nothing further down.
  Key(VK_DOWN);
  EXPECT_EQ(group->GetItemIndex(), 2);
  EXPECT_EQ(events.Take(), Log{});
  Key(VK_UP);
  EXPECT_EQ(group->GetItemIndex(), 1);
  EXPECT_EQ(events.Take(), (Log{"click", "change 0", "value 0"}));
}

TEST_F(RadioGroup, ClicksKeysAndSetsFromCodeFireClickAndChangeOnce) {
  const TPoint yes = Button(0)->ClientToScreen(TPoint(6, Button(0)->GetHeight() / 2));
  ScriptClick(POINT{yes.X, yes.Y});
  Pump();
  EXPECT_EQ(group->GetItemIndex(), 0);
  EXPECT_EQ(events.Take(), (Log{"click", "change 1", "value 1"}));
  // Clicking the checked button again changes nothing.
  ScriptClick(POINT{yes.X, yes.Y});
  Pump();
  EXPECT_EQ(events.Take(), Log{});
  Key(VK_DOWN);
  EXPECT_EQ(events.Take(), (Log{"click", "change 0", "value 0"}));
  group->SetItemIndex(2);
  EXPECT_EQ(events.Take(), (Log{"click", "change Maybe", "value Maybe"}));
}

TEST_F(RadioGroup, AddingOrDeletingOneItemMakesOrFreesExactlyThatButton) {
  ASSERT_EQ(group->ButtonControlCount(), 3);
  TWinControl* first = Button(0);
  TWinControl* last = Button(2);
  Props()->GetRadioItems()->AddItem("Later", Variant(9));
  EXPECT_EQ(group->ButtonControlCount(), 4);
  EXPECT_EQ(group->ButtonControl(0), first);
  EXPECT_EQ(Button(3)->GetCaption(), "Later");
  delete Props()->GetRadioItems()->GetItems(1);
  ASSERT_EQ(group->ButtonControlCount(), 3);
  EXPECT_EQ(group->ButtonControl(0), first);
  EXPECT_EQ(group->ButtonControl(1), last);
  EXPECT_EQ(Button(1)->GetCaption(), "Maybe");
}

TEST_F(RadioGroup, ColumnsAndRowsFollowTheItemCount) {
  struct Case {
    Integer items, columns, base, radio;
  };
  // The base evens columns out over the rows; the radio group keeps what is asked for.
  const Case cases[] = {{5, 3, 3, 3}, {4, 3, 2, 3}, {0, 3, 0, 1}, {5, 0, 1, 1}, {5, -2, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(IntToStr(c.items) + " in " + IntToStr(c.columns));
    TkvCustomButtonGroupProperties base(nullptr);
    TkvRadioGroupProperties radio(nullptr);
    for (Integer i = 0; i < c.items; ++i) {
      base.GetItems()->Add();
      radio.GetItems()->Add();
    }
    base.SetColumns(c.columns);
    radio.SetColumns(c.columns);
    EXPECT_GE(base.GetColumns(), 1);
    EXPECT_EQ(base.EffectiveColumns(), c.base);
    EXPECT_EQ(radio.EffectiveColumns(), c.radio);
  }
}

TEST_F(RadioGroup, FiveItemsInThreeColumnsLayOutAndNavigateColumnByColumn) {
  Props()->GetRadioItems()->AddItem("Often", Variant(3));
  Props()->GetRadioItems()->AddItem("Never", Variant(4));
  Props()->SetColumns(3);
  group->SetBounds(10, 40, 301, 105);
  Pump();
  TkvButtonGroupViewInfo* info = group->ButtonGroupViewInfo();
  ASSERT_EQ(info->ButtonCount(), 5);
  // Columns of two rows: 0-1, 2-3, 4; the rows split what is left of the height evenly.
  const Integer widths[] = {info->Button(0)->Bounds.Width(), info->Button(2)->Bounds.Width(),
                            info->Button(4)->Bounds.Width()};
  EXPECT_EQ(widths[0], widths[1]);
  EXPECT_EQ(widths[1], widths[2]);
  for (Integer i = 0; i < 5; ++i) {
    EXPECT_EQ(info->Button(i)->Column, i / 2);
    EXPECT_EQ(info->Button(i)->Row, i % 2);
    EXPECT_EQ(Button(i)->GetBoundsRect(), info->Button(i)->Bounds);
  }
  EXPECT_EQ(info->Button(1)->Bounds.Top, info->Button(0)->Bounds.Bottom);
  EXPECT_EQ(info->Button(2)->Bounds.Left, info->Button(0)->Bounds.Right);
  // The group's own arrow keys (those of an in-place group; a form moves the focus through the
  // dialog keys first) from every item: where the focus goes.
  struct Case {
    Integer from;
    Word key;
    Integer to;
  };
  const Case cases[] = {{0, VK_DOWN, 1}, {1, VK_DOWN, 1}, {0, VK_RIGHT, 2}, {2, VK_RIGHT, 4}, {3, VK_RIGHT, 3},
                        {4, VK_DOWN, 4}, {4, VK_LEFT, 2}, {1, VK_LEFT, 1}, {3, VK_UP, 2},    {0, VK_UP, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(IntToStr(c.from) + " key " + IntToStr(c.key));
    Button(c.from)->SetFocus();
    Pump();
    Word key = c.key;
    group->HandleKeyDown(key, TShiftState{});
    EXPECT_EQ(GetFocus(), Button(c.to)->GetHandle());
  }
}

TEST_F(RadioGroup, ANarrowGroupLaysOutEmptyButtons) {
  group->SetBounds(10, 40, 8, 6);
  Pump();
  TkvButtonGroupViewInfo* info = group->ButtonGroupViewInfo();
  for (Integer i = 0; i < info->ButtonCount(); ++i) {
    EXPECT_GE(info->Button(i)->Bounds.Width(), 0);
    EXPECT_GE(info->Button(i)->Bounds.Height(), 0);
  }
}

TEST_F(RadioGroup, ASampleDrawsTheFirstItemChecked) {
  std::unique_ptr<TkvCustomEditProperties> sample(Props()->NewOfSameClass());
  auto* radio = static_cast<TkvCustomRadioGroupProperties*>(sample.get());
  ASSERT_EQ(radio->ItemCount(), 3);
  EXPECT_EQ(radio->GetColumns(), 3);
  std::unique_ptr<TkvCustomEditViewData> data(
      radio->MakeViewData(static_cast<TkvCustomEditStyle*>(group->GetActiveStyle()), false, true));
  TkvCustomRadioGroupViewInfo info;
  data->LoadDisplayValue(nullptr, Null(), &info);
  EXPECT_EQ(info.CheckedIndex, 0);
}

TEST_F(RadioGroup, TheFilterRowEditsTheValueWithAComboOfTheCaptions) {
  TkvFilterEditHelperClass helper = TheFilterEditsController()->FindHelper(TkvRadioGroupProperties::ClassInfo());
  ASSERT_EQ(helper, FilterEditHelperOf<TkvFilterRadioGroupHelper>());
  auto* combo = new TkvComboBox(form);
  combo->SetParent(form);
  helper->InitFilterProperties(combo->GetProperties(), Props(), true);
  EXPECT_EQ(combo->GetComboBoxProperties()->GetItems()->GetCommaText(), "Yes,No,Maybe");
  EXPECT_EQ(combo->GetComboBoxProperties()->GetDropDownListStyle(), lsFixedList);
  helper->WriteFilterValue(combo, Props(), Variant(0));
  EXPECT_EQ(combo->GetItemIndex(), 1);
  Variant value;
  String text;
  helper->ReadFilterValue(combo, Props(), value, text);
  EXPECT_EQ(VarToStr(value), "0");
  EXPECT_EQ(text, "No");
  combo->SetItemIndex(2);
  helper->ReadFilterValue(combo, Props(), value, text);
  EXPECT_EQ(VarToStr(value), "Maybe");
  TkvFilterOperators operators = helper->FilterOperatorSet(nullptr, true);
  EXPECT_EQ(operators.count(), 6u);
  EXPECT_TRUE(operators.test(13) && operators.test(14));
}

TEST(RadioGroupUnit, StartEndAndStartAgainRegisterOnce) {
  kvRadioGroupEnd();
  EXPECT_EQ(GetClass("TkvRadioGroup"), nullptr);
  kvRadioGroupStart();
  kvRadioGroupStart();
  kvRadioGroupEnd();
  EXPECT_NE(GetClass("TkvRadioGroup"), nullptr);
  EXPECT_NE(GetClass("TkvRadioButton"), nullptr);
  EXPECT_GE(EditPropertiesRegistry()->IndexOfClass(TkvRadioGroupProperties::ClassInfo()), 0);
  EXPECT_EQ(TheFilterEditsController()->FindHelper(TkvRadioGroupProperties::ClassInfo()),
            FilterEditHelperOf<TkvFilterRadioGroupHelper>());
}

}  // namespace

namespace {

TEST_F(RadioGroup, AGroupSwitchedToASkinDrawsItsButtonsAsOneSkinnedFromTheStart) {
  auto* fresh = new TkvRadioGroup(form);
  fresh->SetParent(form);
  fresh->SetBounds(200, 40, 185, 105);
  fresh->SetCaption("Keep");
  for (const char* caption : {"Yes", "No", "Maybe"}) fresh->GetRadioGroupProperties()->GetRadioItems()->AddItem(caption);
  fresh->GetStyle()->GetLookAndFeel()->SetSkinName("Skin02");
  Pump();
  group->GetStyle()->GetLookAndFeel()->SetSkinName("Skin02");
  Pump();
  auto pixels = [this](TkvCustomRadioGroupButton* Button) {
    std::vector<TColor> result;
    for (Integer y = 0; y < Button->GetHeight(); ++y)
      for (Integer x = 0; x < Button->GetWidth(); ++x) {
        const TPoint p = form->ScreenToClient(Button->ClientToScreen(TPoint(x, y)));
        result.push_back(FormPixel(p.X, p.Y));
      }
    return result;
  };
  for (Integer i = 0; i < 3; ++i) EXPECT_EQ(pixels(Button(i)), pixels(fresh->RadioButton(i))) << i;
}

}  // namespace

namespace {

// A radio group as a grid puts it in a cell: in place, on a host of its own.
TkvRadioGroup* MakeInCell(TForm* Form, TWinControl* Cell, bool Inplace) {
  auto* result = new TkvRadioGroup(Form, Inplace);
  result->SetParent(Cell);
  result->SetBounds(0, 0, 300, 24);
  TkvRadioGroupProperties* props = result->GetRadioGroupProperties();
  props->GetRadioItems()->AddItem("Yes", Variant(1));
  props->GetRadioItems()->AddItem("No", Variant(0));
  props->GetRadioItems()->AddItem("Maybe");
  props->SetColumns(3);
  return result;
}

TPoint CentreOf(TControl* Control) {
  return Control->ClientToScreen(TPoint(Control->GetWidth() / 2, Control->GetHeight() / 2));
}

TEST_F(RadioGroup, InACellTheButtonsTakeArrowsAndTabAndTheMousePressesOnlyTheHitOne) {
  auto* cell = new TPanel(form);
  cell->SetParent(form);
  cell->SetBounds(10, 200, 320, 30);
  TkvRadioGroup* inplace = MakeInCell(form, cell, true);
  inplace->SetLeft(4);
  Pump();
  ASSERT_EQ(inplace->ButtonControlCount(), 3);
  for (Integer i = 0; i < 3; ++i) {
    const LRESULT code = SendMessage(inplace->RadioButton(i)->GetHandle(), WM_GETDLGCODE, 0, 0);
    EXPECT_EQ(code & (DLGC_WANTARROWS | DLGC_WANTTAB), DLGC_WANTARROWS | DLGC_WANTTAB) << i;
  }
  // Activation focuses the checked button, the first one while nothing is checked.
  TkvCustomEditData* data = nullptr;
  inplace->BeginInplaceEdit(data);
  Pump();
  EXPECT_EQ(GetFocus(), inplace->RadioButton(0)->GetHandle());

  // A mouse activation (a point of the cell) presses the button under it and no other.
  const TRect hit = inplace->ButtonGroupViewInfo()->Button(2)->Bounds;
  inplace->BeginInplaceEditByMouse(TShiftState{ssLeft}, inplace->GetLeft() + (hit.Left + hit.Right) / 2,
                                   inplace->GetTop() + (hit.Top + hit.Bottom) / 2, data);
  EXPECT_EQ(inplace->RadioButton(2)->GetButtonState(), rbsPressed);
  EXPECT_EQ(GetCapture(), inplace->RadioButton(2)->GetHandle());
  for (Integer i : {0, 1}) EXPECT_NE(inplace->RadioButton(i)->GetButtonState(), rbsPressed) << i;
  const TPoint centre = TPoint(inplace->RadioButton(2)->GetWidth() / 2, inplace->RadioButton(2)->GetHeight() / 2);
  SendMessage(inplace->RadioButton(2)->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(centre.X, centre.Y));
  Pump();
  EXPECT_EQ(inplace->GetItemIndex(), 2);

  // The group's own column-wise arrows move the focus; in place that does not check, Space does.
  inplace->RadioButton(2)->SetFocus();
  Pump();
  Key(VK_LEFT);
  EXPECT_EQ(GetFocus(), inplace->RadioButton(1)->GetHandle());
  EXPECT_EQ(inplace->GetItemIndex(), 2);
  Key(VK_SPACE);
  EXPECT_EQ(inplace->GetItemIndex(), 1);
  Variant value;
  inplace->GetEditValue(value);
  EXPECT_EQ(VarToStr(value), "0");
}

TEST_F(RadioGroup, AnImmediatePostComesBeforeTheChangeEvents) {
  struct Case {
    bool inplace, immediate;
    Log log;
  };
  // The group validates before it posts, but a radio value is never refused: only the post shows.
  const Case cases[] = {
      // Alone, the group has no host to post to.
      {false, true, {"click", "change 0", "value 0"}},
      {true, false, {"click", "change 0", "value 0"}},
      {true, true, {"click", "post", "change 0", "value 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(String(c.inplace ? "in place" : "alone") + (c.immediate ? ", immediate" : ""));
    auto* cell = new TPanel(form);
    cell->SetParent(form);
    cell->SetBounds(10, 200, 320, 30);
    TkvRadioGroup* edited = MakeInCell(form, cell, c.inplace);
    TkvRadioGroupProperties* props = edited->GetRadioGroupProperties();
    props->SetImmediatePost(c.immediate);
    GroupLog log;
    log.group = edited;
    props->SetOnChange(MakeEvent<&GroupLog::Change>(&log));
    props->SetOnEditValueChanged(MakeEvent<&GroupLog::EditValueChanged>(&log));
    edited->SetOnPostValue(MakeEvent<&GroupLog::Post>(&log));
    edited->SetOnClick(MakeEvent<&GroupLog::Clicked>(&log));
    Pump();
    const TPoint at = CentreOf(edited->RadioButton(1));
    ScriptClick(POINT{at.X, at.Y});
    Pump();
    EXPECT_EQ(edited->GetItemIndex(), 1);
    EXPECT_EQ(log.Take(), c.log);
    delete cell;
    Pump();
  }
}

// Stands for a skin: a silver group background and fuchsia radio glyphs.
class TRadioSkinPainter : public TkvUltraFlatLookAndFeelPainter {
 public:
  void PaintGroupBoxContent(TkvCanvas* Canvas, const TRect& R, Integer) override { Canvas->FillWithColor(R, clSilver); }
  void PaintRadioButton(TkvCanvas* Canvas, Integer X, Integer Y, TkvButtonState, bool, bool, TColor, bool) override {
    const TSize extent = RadioButtonExtent();
    Canvas->FillWithColor(TRect(X, Y, X + extent.cx, Y + extent.cy), clFuchsia);
  }
};

TEST_F(RadioGroup, UnderASkinEachButtonShowsTheSkinsGlyphOverTheSkinsGroupBackground) {
  ExtendedStylePaintersInstance()->AddPainter("RadioSkin", PainterClassOf<TRadioSkinPainter>(), nullptr);
  group->GetStyle()->GetLookAndFeel()->SetSkinName("RadioSkin");
  Pump();
  const TColor silver = static_cast<TColor>(ColorToRGB(clSilver));
  const TColor fuchsia = static_cast<TColor>(ColorToRGB(clFuchsia));
  const TColor face = static_cast<TColor>(ColorToRGB(clBtnFace));
  for (Integer i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    TkvCustomRadioGroupButton* button = Button(i);
    Integer glyph = 0, background = 0, plain = 0;
    for (Integer y = 0; y < button->GetHeight(); ++y)
      for (Integer x = 0; x < button->GetWidth(); ++x) {
        const TPoint p = form->ScreenToClient(button->ClientToScreen(TPoint(x, y)));
        const TColor pixel = FormPixel(p.X, p.Y);
        glyph += pixel == fuchsia;
        background += pixel == silver;
        plain += pixel == face;
      }
    const TSize extent = PainterClassOf<TRadioSkinPainter>()->RadioButtonExtent();
    EXPECT_EQ(glyph, extent.cx * extent.cy);
    EXPECT_GT(background, button->GetWidth() * button->GetHeight() / 2);
    EXPECT_EQ(plain, 0);
  }
  group->GetStyle()->GetLookAndFeel()->SetSkinName("");
  Pump();
  ExtendedStylePaintersInstance()->RemovePainter("RadioSkin");
}

// An action for radio buttons: it runs on the one it is offered first.
class TButtonAction : public TAction {
 public:
  using TAction::TAction;
  TObject* ranOn = nullptr;
  bool HandlesTarget(TObject* Target) override { return dynamic_cast<TkvCustomRadioGroupButton*>(Target); }
  void ExecuteTarget(TObject* Target) override { ranOn = Target; }
};

TEST_F(RadioGroup, AnActionWithoutHandlersFindsTheFocusedButton) {
  group->SetItemIndex(1);
  Button(1)->SetFocus();
  Pump();
  auto* action = new TButtonAction(form);
  EXPECT_TRUE(action->Execute());
  EXPECT_EQ(action->ranOn, Button(1));
}

}  // namespace


// The group's size for a layout: natural (no width asked) or for a given width, rows by columns,
// wrapped captions growing their row; no items leaves one text line.
TEST_F(RadioGroup, MeasuresItsSizeWithAndWithoutAWidth) {
  group->SetCaption("");
  auto measure = [&](Integer AWidth) {
    std::unique_ptr<TkvCustomEditViewData> data(group->MakeViewData());
    TkvEditSizeRequest request;
    group->GetSizeRequest(request);
    request.Width = AWidth;
    TSize size;
    data->GetEditSize(ScreenCanvasInstance(), group->GetEditValueProp(), size, request);
    return size;
  };
  const TSize oneColumn = measure(-1);
  Props()->SetColumns(3);
  const TSize threeColumns = measure(-1);
  // Three rows become one: the frame stays, two row heights go.
  const Integer row = (oneColumn.cy - threeColumns.cy) / 2;
  EXPECT_GT(row, 0);
  EXPECT_EQ(oneColumn.cy - threeColumns.cy, 2 * row);
  EXPECT_GT(threeColumns.cx, oneColumn.cx * 2);
  Props()->SetColumns(1);

  // A longer caption widens the natural size by exactly its extra width.
  const Integer extra = ScreenCanvasInstance()->TextWidthOf("Maybe not") - ScreenCanvasInstance()->TextWidthOf("Maybe");
  Props()->GetRadioItems()->GetItem(2)->SetCaption("Maybe not");
  EXPECT_EQ(measure(-1).cx, oneColumn.cx + extra);

  // For a width, the width stands; a caption too long for it wraps onto more lines only with WordWrap.
  Props()->GetRadioItems()->GetItem(2)->SetCaption("Maybe, when the weather allows it and nobody minds");
  const TSize unwrapped = measure(120);
  EXPECT_EQ(unwrapped.cx, 120);
  Props()->SetWordWrap(true);
  const TSize wrapped = measure(120);
  EXPECT_EQ(wrapped.cx, 120);
  EXPECT_GT(wrapped.cy, unwrapped.cy);

  // No items: only the frame across and one text line down.
  Props()->GetRadioItems()->Clear();
  const TSize empty = measure(-1);
  EXPECT_LT(empty.cx, oneColumn.cx - ScreenCanvasInstance()->TextWidthOf("Maybe"));
  EXPECT_GT(empty.cy, threeColumns.cy - row);
  EXPECT_LE(empty.cy, threeColumns.cy);
  EXPECT_EQ(measure(90).cx, 90);
}
