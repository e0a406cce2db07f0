#include <gtest/gtest.h>

#include "VclTestSupport.h"
#include "backend/ScriptedInput.h"
#include "controls/Button.h"
#include "controls/Edit.h"
#include "controls/ScrollBars.h"
#include "user/VirtualKeys.h"
#include "vcl/ExtCtrls.h"
#include "rtl/Writer.h"
#include "vcl/StdCtrls.h"

namespace {

class StdCtrlsTest : public VclTest {};

// Handlers the tests hang on controls.
struct Recorder : TObject {
  std::vector<String> changes;
  std::vector<Integer> drawn;
  std::vector<TRect> rects;
  Integer clicks = 0;
  TCustomEdit* edit = nullptr;
  void EditChange(TObject*) { changes.push_back(edit->GetText()); }
  void Click(TObject*) { ++clicks; }
  void DrawItem(TWinControl*, Integer Index, TRect Rect, TOwnerDrawState) {
    drawn.push_back(Index);
    rects.push_back(Rect);
  }
  void MeasureItem(TWinControl*, Integer Index, Integer& Height) { Height = 10 + Index * 5; }
};

TEST_F(StdCtrlsTest, TypingIntoAnEditFiresOnChangeWithTheTextSoFar) {
  TForm* form = NewForm();
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  Recorder recorder;
  recorder.edit = edit;
  edit->SetOnChange(MakeEvent<&Recorder::EditChange>(&recorder));
  form->Show();
  edit->SetFocus();
  ScriptTypeText("abc");
  Settle();
  EXPECT_EQ(edit->GetText(), "abc");
  EXPECT_EQ(recorder.changes, (std::vector<String>{"a", "ab", "abc"}));
  EXPECT_TRUE(edit->GetModified());

  // Code that sets the text is a change too, with or without a window; selection follows.
  edit->SetText("hello world");
  EXPECT_EQ(recorder.changes.back(), "hello world");
  edit->SetSelStart(6);
  edit->SetSelLength(5);
  EXPECT_EQ(edit->GetSelText(), "world");
  edit->SetSelText("there");
  EXPECT_EQ(edit->GetText(), "hello there");
  auto* loose = new TEdit(form);
  Recorder other;
  other.edit = loose;
  loose->SetOnChange(MakeEvent<&Recorder::EditChange>(&other));
  loose->SetText("x");
  EXPECT_EQ(other.changes, (std::vector<String>{"x"}));
}

TEST_F(StdCtrlsTest, EditLimitClipboardUndoAndReadOnlyReachTheWindow) {
  TForm* form = NewForm();
  auto* edit = new TEdit(form);
  edit->SetMaxLength(3);
  edit->SetParent(form);
  form->Show();
  edit->SetFocus();
  ScriptTypeText("abcdef");
  Settle();
  EXPECT_EQ(edit->GetText(), "abc");
  EXPECT_TRUE(edit->GetCanUndo());
  edit->Undo();
  EXPECT_EQ(edit->GetText(), "");
  edit->SetMaxLength(0);
  edit->SetText("copy me");
  edit->SelectAll();
  edit->CopyToClipboard();
  edit->SetSelStart(static_cast<Integer>(edit->GetText().size()));
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->GetText(), "copy mecopy me");
  edit->SetReadOnly(true);
  ScriptTypeText("zz");
  edit->PasteFromClipboard();
  Settle();
  EXPECT_EQ(edit->GetText(), "copy mecopy me");
}

TEST_F(StdCtrlsTest, MemoLinesFollowTheTextBeforeAndAfterTheWindow) {
  TForm* form = NewForm();
  auto* memo = new TMemo(form);
  TStrings* lines = memo->GetLines();
  lines->Add("first");
  lines->Add("second");
  lines->Insert(1, "middle");
  EXPECT_EQ(memo->GetText(), "first\r\nmiddle\r\nsecond\r\n");
  memo->SetParent(form);
  form->Show();
  ASSERT_TRUE(memo->HandleAllocated());
  EXPECT_EQ(lines->GetCount(), 3);
  EXPECT_EQ(lines->GetStrings(1), "middle");
  lines->Delete(0);
  lines->SetStrings(1, "last");
  EXPECT_EQ(lines->GetText(), "middle\r\nlast\r\n");

  // Every kind of line break splits; a break at the end opens no empty line.
  const struct {
    const char* text;
    std::vector<String> lines;
  } kCases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
      {"a\r\n\r\nb\r\n", {"a", "", "b"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    memo->SetText(c.text);
    std::vector<String> got;
    for (Integer i = 0; i < lines->GetCount(); ++i) got.push_back(lines->GetStrings(i));
    EXPECT_EQ(got, c.lines);
  }
  EXPECT_THROW(lines->GetStrings(10), EListError);

  // Destroying and remaking the window keeps the text.
  lines->SetText("kept\r\n");
  memo->SetScrollBars(ssVertical);
  EXPECT_EQ(lines->GetStrings(0), "kept");
}

TEST_F(StdCtrlsTest, MemoCaretPositionIsLineAndOffsetAndOemConvertReachesTheStyle) {
  TForm* form = NewForm();
  auto* memo = new TMemo(form);
  memo->SetParent(form);
  form->Show();
  memo->SetText("one\r\ntwo\r\nthree");
  const struct {
    TPoint set;
    Integer selStart;
  } kCases[] = {{{0, 0}, 0}, {{2, 1}, 7}, {{5, 2}, 15}, {{1, 2}, 11}};
  for (const auto& c : kCases) {
    memo->SetCaretPos(c.set);
    EXPECT_EQ(memo->GetSelStart(), c.selStart);
    TPoint got = memo->GetCaretPos();
    EXPECT_EQ(got.X, c.set.X);
    EXPECT_EQ(got.Y, c.set.Y);
  }
  EXPECT_FALSE(GetWindowLong(memo->GetHandle(), GWL_STYLE) & ES_OEMCONVERT);
  memo->SetOEMConvert(true);
  EXPECT_TRUE(GetWindowLong(memo->GetHandle(), GWL_STYLE) & ES_OEMCONVERT);
  EXPECT_EQ(memo->GetText(), "one\r\ntwo\r\nthree");
}

// An edit whose alignment lives in its creation parameters, as inner edits keep theirs.
class AlignedEdit : public TEdit {
 public:
  using TEdit::TEdit;
  using TEdit::RecreateWnd;
  DWORD align = ES_LEFT;

 protected:
  void CreateParams(TCreateParams& Params) override {
    TEdit::CreateParams(Params);
    Params.Style |= align | ES_AUTOHSCROLL;
  }
};

TEST_F(StdCtrlsTest, EditAlignmentFollowsItsStyleAcrossRecreation) {
  TForm* form = NewForm();
  auto* edit = new AlignedEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 200, 24);
  edit->SetText("abc");
  form->Show();
  auto firstX = [&] { return static_cast<short>(LOWORD(SendMessage(edit->GetHandle(), EM_POSFROMCHAR, 0, 0))); };
  Integer left = firstX();
  EXPECT_LT(left, 10);
  for (DWORD align : {DWORD(ES_RIGHT), DWORD(ES_CENTER), DWORD(ES_LEFT)}) {
    edit->align = align;
    edit->RecreateWnd();
    Settle();
    EXPECT_EQ(edit->GetText(), "abc");
    Integer x = firstX();
    if (align == ES_RIGHT) {
      EXPECT_GT(x, 150);
    } else if (align == ES_CENTER) {
      EXPECT_TRUE(x > 50 && x < 150) << x;
    } else {
      EXPECT_EQ(x, left);
    }
  }
}

TEST_F(StdCtrlsTest, InputMethodSettingsAreKeptAndItsCharactersTyped) {
  TForm* form = NewForm();
  form->SetName("Host");
  auto* edit = new TEdit(form);
  edit->SetName("Field");
  edit->SetParent(form);
  EXPECT_EQ(edit->GetImeMode(), imDontCare);
  edit->SetImeMode(imHira);
  edit->SetImeName("Kana input");
  String text = WriteComponentToText(form);
  EXPECT_NE(text.find("ImeMode = imHira"), String::npos) << text;
  EXPECT_NE(text.find("ImeName = 'Kana input'"), String::npos) << text;
  EXPECT_EQ(WriteComponentToText(new TEdit(form)).find("Ime"), String::npos);
  edit->SetText("");
  form->Show();
  edit->SetFocus();
  // A one-byte character, then a two-byte one (lead byte high): one character each, typed as
  // their characters arrive through the queue.
  SendMessage(edit->GetHandle(), WM_IME_CHAR, 'a', 1);
  SendMessage(edit->GetHandle(), WM_IME_CHAR, 0xC3A9, 1);
  EXPECT_EQ(edit->GetText(), "");
  Settle();
  // Compositions have no input method behind them: the text stays.
  SendMessage(edit->GetHandle(), WM_IME_COMPOSITION, 0, 0);
  EXPECT_EQ(edit->GetText(), "a\xC3\xA9");
  EXPECT_EQ(edit->GetSelStart(), 3);
}

TEST_F(StdCtrlsTest, OwnerDrawnListBoxAsksForEachItemWithItsRectangle) {
  TForm* form = NewForm();
  auto* list = new TListBox(form);
  Recorder recorder;
  list->SetStyle(lbOwnerDrawVariable);
  list->SetOnDrawItem(MakeEvent<&Recorder::DrawItem>(&recorder));
  list->SetOnMeasureItem(MakeEvent<&Recorder::MeasureItem>(&recorder));
  for (const char* s : {"zero", "one", "two"}) list->GetItems()->Add(s);
  list->SetBounds(10, 10, 120, 100);
  list->SetParent(form);
  form->Show();
  Settle();
  ASSERT_EQ(recorder.drawn, (std::vector<Integer>{0, 1, 2}));
  // Heights come from OnMeasureItem: 10, 15, 20.
  EXPECT_EQ(recorder.rects[0].Height(), 10);
  EXPECT_EQ(recorder.rects[1].Height(), 15);
  EXPECT_EQ(recorder.rects[2].Top, 25);
  EXPECT_EQ(list->ItemRect(2), recorder.rects[2]);
  EXPECT_EQ(list->ItemAtPos({5, 12}, true), 1);
  EXPECT_EQ(list->ItemAtPos({5, 90}, true), -1);
  EXPECT_EQ(list->ItemAtPos({5, 90}, false), 3);

  // Fixed owner draw takes ItemHeight.
  recorder.rects.clear();
  list->SetStyle(lbOwnerDrawFixed);
  list->SetItemHeight(18);
  Settle();
  ASSERT_FALSE(recorder.rects.empty());
  EXPECT_EQ(recorder.rects.back().Height(), 18);
  EXPECT_EQ(list->GetItems()->GetStrings(2), "two");
}

TEST_F(StdCtrlsTest, ListBoxSelectionBeforeAndAfterTheWindow) {
  TForm* form = NewForm();
  auto* list = new TListBox(form);
  for (const char* s : {"a", "b", "c", "d"}) list->GetItems()->Add(s);
  list->SetItemIndex(2);
  list->SetParent(form);
  form->Show();
  EXPECT_EQ(list->GetItemIndex(), 2);
  EXPECT_TRUE(list->GetSelected(2));
  list->SetMultiSelect(true);
  list->SetSelected(0, true);
  list->SetSelected(3, true);
  EXPECT_EQ(list->GetSelCount(), 2);
  list->DeleteSelected();
  EXPECT_EQ(list->GetItems()->GetCommaText(), "b,c");
  EXPECT_THROW(list->GetSelected(7), EListError);
}

TEST_F(StdCtrlsTest, ComboBoxReportsAChoiceAsSelect) {
  TForm* form = NewForm();
  auto* combo = new TComboBox(form);
  combo->SetStyle(csDropDownList);
  for (const char* s : {"red", "green", "blue"}) combo->GetItems()->Add(s);
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->GetText(), "green");
  combo->SetParent(form);
  Recorder recorder;
  combo->SetOnSelect(MakeEvent<&Recorder::Click>(&recorder));
  form->Show();
  EXPECT_EQ(combo->GetItemIndex(), 1);
  combo->SetFocus();
  ScriptKeyPress(VK_DOWN);
  Settle();
  EXPECT_EQ(combo->GetItemIndex(), 2);
  EXPECT_EQ(combo->GetText(), "blue");
  EXPECT_EQ(recorder.clicks, 1);
}

TEST_F(StdCtrlsTest, DefaultAndCancelButtonsAnswerEnterAndEscape) {
  TForm* form = NewForm();
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  auto* ok = new TButton(form);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  ok->SetParent(form);
  auto* cancel = new TButton(form);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  cancel->SetParent(form);
  form->Show();
  edit->SetFocus();
  ScriptKeyPress(VK_RETURN);
  Settle();
  EXPECT_EQ(form->GetModalResult(), mrOk);
  ScriptKeyPress(VK_ESCAPE);
  Settle();
  EXPECT_EQ(form->GetModalResult(), mrCancel);
  // A focused button takes Enter from the default one.
  cancel->SetFocus();
  ScriptKeyPress(VK_RETURN);
  Settle();
  EXPECT_EQ(form->GetModalResult(), mrCancel);
}

TEST_F(StdCtrlsTest, CheckBoxesCycleAndRadioButtonsExcludeEachOther) {
  TForm* form = NewForm();
  auto* check = new TCheckBox(form);
  check->SetAllowGrayed(true);
  check->SetParent(form);
  auto* first = new TRadioButton(form);
  first->SetParent(form);
  auto* second = new TRadioButton(form);
  second->SetTop(30);
  second->SetParent(form);
  form->Show();
  std::vector<TCheckBoxState> states;
  for (int i = 0; i < 3; ++i) {
    SendMessage(check->GetHandle(), BM_CLICK, 0, 0);
    states.push_back(check->GetState());
  }
  EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
  first->SetChecked(true);
  SendMessage(second->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(second->GetChecked());
  EXPECT_FALSE(first->GetChecked());
}

TEST_F(StdCtrlsTest, ImagePlacesItsPictureAsItsSettingsSay) {
  TForm* form = NewForm();
  auto* image = new TImage(form);
  image->SetBounds(0, 0, 100, 100);
  image->SetParent(form);
  TBitmap bitmap;
  bitmap.SetSize(200, 100);
  image->GetPicture()->SetGraphic(&bitmap);
  struct Case {
    const char* name;
    bool stretch, proportional, center;
    TRect dest;
  };
  const Case kCases[] = {
      {"as it is", false, false, false, Rect(0, 0, 200, 100)},
      {"centred", false, false, true, Rect(-50, 0, 150, 100)},
      {"stretched", true, false, false, Rect(0, 0, 100, 100)},
      {"proportional", false, true, false, Rect(0, 0, 100, 50)},
      {"proportional centred", true, true, true, Rect(0, 25, 100, 75)},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    image->SetStretch(c.stretch);
    image->SetProportional(c.proportional);
    image->SetCenter(c.center);
    EXPECT_EQ(image->DestRect(), c.dest);
  }
  image->SetAutoSize(true);
  EXPECT_EQ(image->GetBoundsRect(), Rect(0, 0, 200, 100));
}

TEST_F(StdCtrlsTest, ScrollBarKeepsItsPositionInRangeAndFollowsItsWindow) {
  TForm* form = NewForm();
  auto* bar = new TScrollBar(form);
  bar->SetParent(form);
  Recorder recorder;
  bar->SetOnChange(MakeEvent<&Recorder::Click>(&recorder));
  form->Show();
  bar->SetParams(150, 0, 100);
  EXPECT_EQ(bar->GetPosition(), 100);
  EXPECT_THROW(bar->SetParams(0, 10, 5), EInvalidOperation);
  bar->SetLargeChange(30);
  bar->SetPosition(50);
  SendMessage(form->GetHandle(), WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar->GetHandle()));
  EXPECT_EQ(bar->GetPosition(), 80);
  SendMessage(form->GetHandle(), WM_HSCROLL, SB_TOP, reinterpret_cast<LPARAM>(bar->GetHandle()));
  EXPECT_EQ(bar->GetPosition(), 0);
  EXPECT_EQ(GetScrollPos(bar->GetHandle(), SB_CTL), 0);
  EXPECT_EQ(recorder.clicks, 4);
}

TEST_F(StdCtrlsTest, AVirtualListBoxHoldsACountAndAsksForTextAndSearches) {
  TForm* form = NewForm();
  auto* list = new TListBox(form);
  struct Data : TObject {
    std::vector<Integer> asked;
    void Text(TWinControl*, Integer Index, String& Text) {
      asked.push_back(Index);
      Text = "Row " + std::to_string(Index);
    }
    Integer Find(TWinControl*, const String& Prefix) { return Prefix == "Row 7" ? 7 : -1; }
  } data;
  list->SetStyle(lbVirtual);
  list->SetOnData(MakeEvent<&Data::Text>(&data));
  list->SetOnDataFind(MakeEvent<&Data::Find>(&data));
  list->SetCount(1000);
  EXPECT_TRUE(list->GetAutoComplete());
  list->SetBounds(10, 10, 120, 100);
  list->SetParent(form);
  form->Show();
  Settle();
  EXPECT_EQ(list->GetCount(), 1000);
  // Only the rows in view are asked for.
  ASSERT_FALSE(data.asked.empty());
  EXPECT_LT(data.asked.size(), 20u);
  EXPECT_EQ(list->DoFindData("Row 7"), 7);
  EXPECT_EQ(list->DoFindData("Nothing"), -1);
  list->SetItemIndex(500);
  EXPECT_EQ(list->GetItemIndex(), 500);
  auto* plain = new TListBox(form);
  EXPECT_THROW(plain->SetCount(3), EListError);
}

}  // namespace
