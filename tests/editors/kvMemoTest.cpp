#include <memory>

#include "EditTestProperties.h"
#include "EditTestFixture.h"
#include "EditorsTestSupport.h"
#include "controls/Edit.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"
#include "user/Clipboard.h"
#include "user/GlobalMemory.h"
#include "user/VirtualKeys.h"
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

namespace {

class MemoEditor : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    memo = new TkvMemo(form);
    memo->SetParent(form);
    memo->SetBounds(10, 10, 185, 89);
    other = new TkvTextEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 150, 100, 21);
    Pump();
  }
  void FocusMemo() {
    memo->SetFocus();
    Pump();
  }
  TkvMemoProperties* Props() { return memo->GetMemoProperties(); }
  TkvMemo* memo = nullptr;
  TkvTextEdit* other = nullptr;
};

TEST_F(MemoEditor, ANewMemoWrapsHasNoBarsAndTypesLinesAsItsValue) {
  auto* fresh = new TkvMemo(form);
  EXPECT_EQ(fresh->GetWidth(), 185);
  EXPECT_EQ(fresh->GetHeight(), 89);
  EXPECT_TRUE(Props()->GetWordWrap());
  EXPECT_EQ(Props()->GetScrollBars(), ssNone);
  EXPECT_FALSE(Props()->GetAutoSelect());
  EXPECT_EQ(Props()->GetAlignment()->GetVert(), taTopJustify);
  ASSERT_NE(memo->InnerMemo(), nullptr);
  EXPECT_FALSE(memo->UsesScrollBars());
  FocusMemo();
  Type("one");
  Key(VK_RETURN);
  Type("two");
  EXPECT_EQ(memo->GetLines()->GetCount(), 2);
  EXPECT_EQ(memo->GetText(), "one\r\ntwo");
  // Leaving validates: the edit value is the whole text.
  Key(VK_TAB);
  EXPECT_EQ(VarToStr(memo->GetEditValueProp()), "one\r\ntwo");
  EXPECT_EQ(GetFocus(), other->GetInnerControl()->GetHandle());
}

TEST_F(MemoEditor, TabTypesOnlyWithWantTabsAndCtrlASelectsAll) {
  Props()->SetWantTabs(true);
  FocusMemo();
  Type("a");
  Key(VK_TAB);
  EXPECT_EQ(memo->GetText(), "a\t");
  EXPECT_NE(GetFocus(), other->GetInnerControl()->GetHandle());
  Key('A', kCtrl);
  EXPECT_EQ(memo->CurrentSelLength(), 2);
  Props()->SetWantTabs(false);
  Key(VK_TAB);
  EXPECT_EQ(memo->GetText(), "a\t");
  EXPECT_EQ(GetFocus(), other->GetInnerControl()->GetHandle());
}

TEST_F(MemoEditor, EnterInPlaceFollowsWantReturnsAndCtrl) {
  EXPECT_TRUE(memo->IsMemoKey(VK_RETURN, TShiftState{}, false));
  Props()->SetWantReturns(false);
  EXPECT_FALSE(memo->IsMemoKey(VK_RETURN, TShiftState{}, false));
  EXPECT_TRUE(memo->IsMemoKey(VK_RETURN, TShiftState{ssCtrl}, false));
  EXPECT_TRUE(memo->IsMemoKey(VK_TAB, TShiftState{}, true));
  EXPECT_FALSE(memo->IsMemoKey(VK_TAB, TShiftState{}, false));
}

TEST_F(MemoEditor, ReadOnlyRefusesPasteAndClearAndCutCopies) {
  memo->SetEditValue(Variant("keep"));
  Props()->SetReadOnly(true);
  FocusMemo();
  SetClipboardText("pasted");
  HWND inner = memo->GetInnerControl()->GetHandle();
  SendMessage(inner, EM_SETSEL, 0, 4);
  SendMessage(inner, WM_PASTE, 0, 0);
  SendMessage(inner, WM_CLEAR, 0, 0);
  EXPECT_EQ(memo->GetText(), "keep");
  SendMessage(inner, WM_CUT, 0, 0);
  EXPECT_EQ(memo->GetText(), "keep");
  OpenClipboard(nullptr);
  HANDLE data = GetClipboardData(CF_TEXT);
  String copied = data ? static_cast<const char*>(GlobalLock(data)) : "";
  if (data) GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(copied, "keep");
}

TEST_F(MemoEditor, ReplacedSelectionsKeepBlankLinesAndTheValueFollows) {
  struct Case {
    const char* inserted;
    const char* text;
  };
  const Case cases[] = {
      {"\n\r", "a\r\n\r\nb"},
      {"\r\n\r\n", "a\r\n\r\nb"},
      {"\n\n\r", "a\n\r\n\r\nb"},
  };
  for (const Case& c : cases) {
    memo->SetEditValue(Variant("ab"));
    HWND inner = memo->GetInnerControl()->GetHandle();
    SendMessage(inner, EM_SETSEL, 1, 1);
    SendMessage(inner, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(c.inserted));
    EXPECT_EQ(memo->GetText(), c.text);
    EXPECT_EQ(VarToStr(memo->GetEditValueProp()), c.text);
  }
}

TEST_F(MemoEditor, APasteInTheMiddleStaysWithinMaxLength) {
  memo->SetEditValue(Variant("abcdef"));
  Props()->SetMaxLength(8);
  FocusMemo();
  memo->SelectRange(2, 1);
  memo->SetDisplayTextAsUser("wxyz");
  // Five characters stay around the selection: three of the four pasted fit.
  EXPECT_EQ(memo->GetText(), "abwxydef");
  memo->SelectRange(0, 0);
  memo->SetDisplayTextAsUser("q");
  EXPECT_EQ(memo->GetText(), "abwxydef");
}

TEST_F(MemoEditor, BothScrollBarsRecreateTheWindowsAndShowTheContainersBars) {
  String text;
  for (Integer i = 0; i < 40; ++i) text += "line " + IntToStr(i) + " with some words that run past the width\r\n";
  memo->SetEditValue(Variant(text));
  HWND before = memo->GetInnerControl()->GetHandle();
  Props()->SetScrollBars(ssBoth);
  Pump();
  EXPECT_TRUE(memo->UsesScrollBars());
  EXPECT_NE(memo->GetInnerControl()->GetHandle(), before);
  DWORD style = static_cast<DWORD>(GetWindowLong(memo->GetInnerControl()->GetHandle(), GWL_STYLE));
  EXPECT_EQ(style & (WS_HSCROLL | WS_VSCROLL), static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL));
  ASSERT_NE(memo->GetVScrollBar(), nullptr);
  EXPECT_TRUE(memo->GetVScrollBar()->GetVisible());
  EXPECT_TRUE(memo->GetHScrollBar()->GetVisible());
  // The square between the bars is the painter's colour (the classic look's button face).
  const TRect& vertical = memo->GetVScrollBar()->GetBoundsRect();
  const TRect& horizontal = memo->GetHScrollBar()->GetBoundsRect();
  TPoint corner = memo->ClientToScreen(TPoint{(vertical.Left + vertical.Right) / 2,
                                              (horizontal.Top + horizontal.Bottom) / 2});
  TPoint onForm = form->ScreenToClient(corner);
  EXPECT_EQ(FormPixel(onForm.X, onForm.Y), static_cast<TColor>(ColorToRGB(clBtnFace)));
  // The container's bar scrolls the memo.
  Integer position = 0;
  memo->ScrollContent(sbVertical, scLineDown, position);
  memo->ScrollContent(sbVertical, scLineDown, position);
  EXPECT_EQ(position, 2);
  EXPECT_EQ(SendMessage(memo->GetInnerControl()->GetHandle(), EM_GETFIRSTVISIBLELINE, 0, 0), 2);
}

}  // namespace

namespace {

TEST(TextEditorForms, ATextEditAndAMemoStoreOnlyWhatWasAssigned) {
  auto* root = new TForm(nullptr, 0);
  root->SetName("Window");
  auto* edit = new TkvTextEdit(root);
  edit->SetName("Folder");
  edit->SetParent(root);
  edit->GetTextEditProperties()->SetMaxLength(0);
  edit->GetTextEditProperties()->GetAlignment()->SetHorz(taRightJustify);
  edit->SetText("C:\\Out");
  auto* memo = new TkvMemo(root);
  memo->SetName("Log");
  memo->SetParent(root);
  memo->GetMemoProperties()->SetScrollBars(ssVertical);
  memo->GetLines()->SetText("first\r\nsecond\r\n");
  String text = WriteComponentToText(root);
  SCOPED_TRACE(text);
  // MaxLength 0 was assigned (stored); the memo's was not.
  EXPECT_NE(text.find("Properties.MaxLength = 0"), String::npos);
  EXPECT_EQ(text.find("Properties.MaxLength", text.find("object Log")), String::npos);
  EXPECT_NE(text.find("Properties.Alignment.Horz = taRightJustify"), String::npos);
  EXPECT_EQ(text.find("DisplayFormat"), String::npos);
  EXPECT_EQ(text.find("AutoSelect"), String::npos);
  EXPECT_NE(text.find("Properties.ScrollBars = ssVertical"), String::npos);
  delete root;

  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* readEdit = dynamic_cast<TkvTextEdit*>(copy->FindComponent("Folder"));
  auto* readMemo = dynamic_cast<TkvMemo*>(copy->FindComponent("Log"));
  ASSERT_NE(readEdit, nullptr);
  ASSERT_NE(readMemo, nullptr);
  EXPECT_EQ(readEdit->GetText(), "C:\\Out");
  EXPECT_TRUE(readEdit->GetTextEditProperties()->IsMaxLengthStored());
  EXPECT_EQ(readEdit->GetTextEditProperties()->GetAlignment()->GetHorz(), taRightJustify);
  EXPECT_FALSE(readMemo->GetMemoProperties()->IsMaxLengthStored());
  EXPECT_EQ(readMemo->GetMemoProperties()->GetScrollBars(), ssVertical);
  EXPECT_EQ(readMemo->GetLines()->GetCount(), 2);
  // A memo read with lines starts with them as its value.
  EXPECT_EQ(VarToStr(readMemo->GetEditValueProp()), readMemo->GetText());
  EXPECT_EQ(readMemo->GetText().substr(0, 13), "first\r\nsecond");
  delete copy;
}

}  // namespace
