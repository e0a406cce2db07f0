#include <memory>

#include "EditTestInnerEdit.h"
#include "EditorsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "controls/Edit.h"
#include <cstring>

#include "user/Clipboard.h"
#include "user/GlobalMemory.h"
#include "user/InputEvents.h"
#include "user/Messages.h"
#include "user/WindowTree.h"

namespace {

using Log = std::vector<String>;

String ClipboardText() {
  OpenClipboard(nullptr);
  String text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// What reaches the native edit's own events.
struct InnerSpy : TObject {
  Log log;
  void Press(TObject*, Char& Key) { log.push_back(String("press ") + IntToStr(static_cast<unsigned char>(Key))); }
  void Up(TObject*, Word& Key, TShiftState) { log.push_back("up " + IntToStr(Key)); }
};

class InnerTextEdit : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    form->Show();
    edit = Make(false, 10);
    other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 200, 100, 21);
    Pump();
  }
  TTextOwnerEdit* Make(bool Inplace, Integer Top) {
    auto* e = new TTextOwnerEdit(form, Inplace);
    e->SetParent(form);
    e->SetBounds(10, Top, 140, 21);
    e->Listen();
    return e;
  }
  void Focus(TkvCustomEdit* Edit) {
    Edit->SetFocus();
    Pump();
  }
  void Key(UINT VirtualKey, UINT Modifiers = 0) {
    ScriptKeyPress(VirtualKey, Modifiers);
    Pump();
  }
  DWORD Style() { return static_cast<DWORD>(GetWindowLong(edit->TextInner()->GetHandle(), GWL_STYLE)); }
  TTextOwnerEdit* edit = nullptr;
  TEdit* other = nullptr;
};

TEST_F(InnerTextEdit, TheInnerEditIsTheFrameworksInnerEditAndDrawsNoFrame) {
  TkvInnerTextEdit* inner = edit->TextInner();
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(edit->GetInnerEdit(), inner->GetHelper());
  EXPECT_EQ(edit->GetInnerEdit()->InnerControl(), inner);
  EXPECT_EQ(edit->GetInnerEdit()->HostContainer(), edit);
  EXPECT_EQ(ContainerOfControl(inner), edit);
  EXPECT_EQ(inner->GetBoundsRect(), edit->GetViewInfo()->ClientRect);
  EXPECT_EQ(Style() & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME), 0u);
  EXPECT_NE(Style() & ES_AUTOHSCROLL, 0u);
  EXPECT_EQ(SendMessage(inner->GetHandle(), EM_GETMARGINS, 0, 0), MAKELPARAM(0, 1));
  EXPECT_EQ(SendMessage(inner->GetHandle(), WM_ERASEBKGND, 0, 0), 1);

  // Bounds held stay where they are.
  edit->GetInnerEdit()->FreezeBounds(true);
  inner->SetBounds(0, 0, 10, 10);
  EXPECT_EQ(inner->GetBoundsRect(), edit->GetViewInfo()->ClientRect);
  edit->GetInnerEdit()->FreezeBounds(false);
  edit->GetInnerEdit()->FreezeBounds(false);
  inner->SetBounds(0, 0, 10, 10);
  EXPECT_EQ(inner->GetWidth(), 10);
}

TEST_F(InnerTextEdit, TabNeverReachesTheNativeEditAndEnterOnlyWhenTheOwnerBeeps) {
  InnerSpy spy;
  edit->TextInner()->SetOnKeyPress(MakeEvent<&InnerSpy::Press>(&spy));
  edit->TextInner()->SetOnKeyUp(MakeEvent<&InnerSpy::Up>(&spy));
  edit->InnerProps()->wantsTab = true;
  Focus(edit);
  ScriptTypeText("a");
  Key(VK_TAB);
  ScriptTypeText("b");
  Pump();
  EXPECT_EQ(edit->TextInner()->GetText(), "ab");
  EXPECT_EQ(spy.log, (Log{"press 97", "up 65", "press 98", "up 66"}));

  struct Case {
    bool beep;
    bool popupJustClosed;
    bool reaches;
  };
  const Case cases[] = {{true, false, true}, {false, false, false}, {true, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "beep " << c.beep << " popup " << c.popupJustClosed);
    edit->beepOnEnter = c.beep;
    edit->popupJustClosed = c.popupJustClosed;
    spy.log.clear();
    Key(VK_RETURN);
    EXPECT_EQ(spy.log, c.reaches ? (Log{"press 13", "up 13"}) : (Log{"up 13"}));
    EXPECT_FALSE(edit->popupJustClosed);
  }
}

TEST_F(InnerTextEdit, EnterAndEscNeverReachTheNativeEditInPlace) {
  auto* inplace = Make(true, 40);
  Pump();
  InnerSpy spy;
  inplace->TextInner()->SetOnKeyPress(MakeEvent<&InnerSpy::Press>(&spy));
  Focus(inplace);
  Key(VK_RETURN);
  Key(VK_ESCAPE);
  ScriptTypeText("x");
  Pump();
  EXPECT_EQ(spy.log, (Log{"press 120"}));
  const LRESULT code = SendMessage(inplace->TextInner()->GetHandle(), WM_GETDLGCODE, 0, 0);
  EXPECT_NE(code & DLGC_WANTALLKEYS, 0);
  EXPECT_NE(code & DLGC_WANTCHARS, 0);
}

TEST_F(InnerTextEdit, AKeyTheOwnerConsumesIsMarkedAsHandledByTheOwner) {
  edit->Props()->SetClearKey(ShortCut(VK_F2, TShiftState{}));
  Focus(edit);
  IkvInnerTextEdit* intf = edit->Intf();
  HWND window = edit->TextInner()->GetHandle();
  SendMessage(window, WM_KEYDOWN, VK_F2, 0);
  EXPECT_TRUE(intf->GetKeyHandledByOwner());
  SendMessage(window, WM_CHAR, 'q', 0);
  EXPECT_FALSE(intf->GetKeyHandledByOwner());
}

TEST_F(InnerTextEdit, ARightAlignedEditorShowsLeftAlignedTextWhileFocused) {
  other->SetFocus();
  edit->Props()->GetAlignment()->SetHorz(taRightJustify);
  edit->Intf()->SetAlignment(taRightJustify);
  Pump();
  EXPECT_NE(Style() & ES_RIGHT, 0u);
  Focus(edit);
  EXPECT_EQ(edit->TextInner()->GetShownAlignment(), taLeftJustify);
  EXPECT_EQ(Style() & (ES_RIGHT | ES_CENTER), 0u);
  EXPECT_TRUE(edit->TextInner()->Focused());
  other->SetFocus();
  Pump();
  EXPECT_NE(Style() & ES_RIGHT, 0u);

  // Without the switch the alignment stays.
  edit->Props()->SetUseLeftAlignmentOnEditing(false);
  Focus(edit);
  EXPECT_NE(Style() & ES_RIGHT, 0u);
}

TEST_F(InnerTextEdit, TwoQuickClicksAcrossTheAlignmentSwitchAreStillADoubleClick) {
  edit->Props()->GetAlignment()->SetHorz(taRightJustify);
  edit->Intf()->SetAlignment(taRightJustify);
  edit->SetEditValue("words to pick");
  other->SetFocus();
  Pump();
  edit->log.clear();
  const POINT at = edit->ClientToScreen(TPoint{100, 10});
  for (int click = 0; click < 2; ++click) {
    InputMouseMove(at);
    InputMouseButton(at, MouseButton::Left, true);
    InputMouseButton(at, MouseButton::Left, false);
    Pump();
    Clock().Advance(50);
  }
  EXPECT_EQ(edit->log, (Log{"dblclick"}));
  EXPECT_EQ(edit->TextInner()->GetShownAlignment(), taLeftJustify);
  EXPECT_EQ(edit->TextInner()->GetSelText(), "pick");
}

TEST_F(InnerTextEdit, TheCaretIndexSearchFindsEveryPosition) {
  Focus(edit);
  for (const char* text : {"", "W", "Wi", "Wide text"}) {
    edit->GetInnerEdit()->WriteInnerValue(text);
    const Integer length = static_cast<Integer>(String(text).size());
    for (Integer i = 0; i <= length; ++i) {
      edit->Intf()->SetSelStart(i);
      EXPECT_EQ(edit->TextInner()->CaretCharIndex(), i) << "\"" << text << "\" at " << i;
    }
  }
}

TEST_F(InnerTextEdit, ADoubleByteCharacterAppliesTheSelectionAskedMeanwhileAfterItsChar) {
  Focus(edit);
  edit->GetInnerEdit()->WriteInnerValue("abcdef");
  IkvInnerTextEdit* intf = edit->Intf();
  intf->SetSelStart(1);
  HWND window = edit->TextInner()->GetHandle();
  SendMessage(window, WM_IME_CHAR, 0xC3A9, 0);
  EXPECT_EQ(intf->GetPendingLeadByte(), static_cast<Char>(0xA9));
  // Meanwhile the selection is the helper's.
  intf->SetSelStart(4);
  intf->SetSelLength(2);
  EXPECT_EQ(intf->GetSelStart(), 4);
  EXPECT_EQ(edit->TextInner()->GetSelStart(), 1);
  edit->completionPending = true;
  // The character's two bytes: the first changes nothing yet.
  SendMessage(window, WM_CHAR, 0xC3, 0);
  SendMessage(window, WM_CHAR, 0xA9, 0);
  EXPECT_EQ(intf->GetPendingLeadByte(), '\0');
  EXPECT_EQ(edit->TextInner()->GetSelStart(), 4);
  EXPECT_EQ(edit->TextInner()->GetSelLength(), 2);
}

TEST_F(InnerTextEdit, PasswordEchoAndTheStoredCharacter) {
  struct Case {
    TkvEditEchoMode echo;
    Char stored;
    Char native;
  };
  const Case cases[] = {{eemNormal, '#', '\0'}, {eemPassword, '\0', '*'}, {eemPassword, '#', '#'}, {eemNormal, '\0', '\0'}};
  IkvInnerTextEdit* intf = edit->Intf();
  for (const Case& c : cases) {
    intf->SetPasswordChar(c.stored);
    intf->SetEchoMode(c.echo);
    EXPECT_EQ(edit->TextInner()->TCustomEdit::GetPasswordChar(), c.native);
    EXPECT_EQ(intf->GetPasswordChar(), c.stored);
  }
}

TEST_F(InnerTextEdit, ClipboardMessagesGoToTheOwnerAndReadOnlyCutsCopy) {
  Focus(edit);
  edit->GetInnerEdit()->WriteInnerValue("hello");
  HWND window = edit->TextInner()->GetHandle();
  struct Case {
    const char* name;
    bool readOnly;
    UINT message;
    const char* text;
    const char* clipboard;
  };
  const Case cases[] = {
      {"cut", false, WM_CUT, "lo", "hel"},
      {"read-only cut copies", true, WM_CUT, "hello", "hel"},
      {"read-only paste is ignored", true, WM_PASTE, "hello", "zz"},
      {"paste", false, WM_PASTE, "zzlo", "zz"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    edit->GetInnerEdit()->WriteInnerValue("hello");
    edit->Props()->SetReadOnly(c.readOnly);
    if (c.message == WM_PASTE) SetClipboardText("zz");
    SendMessage(window, EM_SETSEL, 0, 3);
    SendMessage(window, c.message, 0, 0);
    EXPECT_EQ(edit->TextInner()->GetText(), c.text);
    EXPECT_EQ(ClipboardText(), c.clipboard);
    EXPECT_FALSE(edit->IsClipboardOperation());
  }
  edit->Props()->SetReadOnly(false);
  edit->log.clear();
  SendMessage(window, WM_CLEAR, 0, 0);
  SendMessage(window, WM_UNDO, 0, 0);
  // Undoing the paste changes the text back.
  EXPECT_EQ(edit->log, (Log{"delete selection", "change", "undo"}));
}

}  // namespace
