#include <functional>
#include <memory>

#include "EditTestFixture.h"
#include "backend/ScriptedInput.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvFormats.h"
#include "toolkit/editors/kvMemo.h"
#include "toolkit/editors/kvTextEdit.h"
#include "user/VirtualKeys.h"

namespace {

using Log = std::vector<String>;

// Logs the editor's events in order.
struct EventLog : TObject {
  Log log;
  TkvTextEdit* edit = nullptr;
  void Change(TObject*) { log.push_back("change " + edit->GetText()); }
  void ValueChanged(TObject*) { log.push_back("value " + VarToStr(edit->GetEditValueProp())); }
  void Clicked(TObject*) { log.push_back("click"); }
  void Attach(TkvTextEdit* Edit) {
    edit = Edit;
    Edit->GetTextEditProperties()->SetOnChange(MakeEvent<&EventLog::Change>(this));
    Edit->GetTextEditProperties()->SetOnEditValueChanged(MakeEvent<&EventLog::ValueChanged>(this));
    Edit->SetOnClick(MakeEvent<&EventLog::Clicked>(this));
  }
  Log Take() { return std::exchange(log, {}); }
};

class TextEdit : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    edit = new TkvTextEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 150, 21);
    other = new TkvTextEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 60, 150, 21);
    events.Attach(edit);
    Pump();
  }
  void Focus() {
    edit->SetFocus();
    Pump();
    events.Take();
  }
  TkvTextEditProperties* Props() { return edit->GetTextEditProperties(); }
  TkvTextEdit* edit = nullptr;
  TkvTextEdit* other = nullptr;
  EventLog events;
};

TEST_F(TextEdit, ANewEditorIsTheKindsAndShowsItsInnerEdit) {
  EXPECT_EQ(edit->GetWidth(), 150);
  auto* fresh = new TkvTextEdit(form);
  EXPECT_EQ(fresh->GetWidth(), 121);
  EXPECT_TRUE(fresh->GetBeepOnEnter());
  ASSERT_NE(edit->GetInnerEdit(), nullptr);
  EXPECT_NE(dynamic_cast<TkvCustomTextEditViewInfo*>(edit->GetEditViewInfo()), nullptr);
  EXPECT_TRUE(edit->GetInnerControl()->GetVisible());
  EXPECT_EQ(edit->GetLookupData() != nullptr, true);
  EXPECT_EQ(Props()->GetEditorClass(), TkvTextEdit::ClassInfo());
}

TEST_F(TextEdit, EventOrderForTypingTextEditValueAndItemIndex) {
  Focus();
  Type("ab");
  // Typing changes the text; the edit value follows at validation.
  EXPECT_EQ(events.Take(), (Log{"change a", "change ab"}));
  EXPECT_TRUE(VarIsNull(edit->GetEditValueProp()));
  EXPECT_TRUE(edit->GetUserEdited());
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), other->GetInnerControl()->GetHandle());
  EXPECT_EQ(events.Take(), (Log{"value ab"}));
  EXPECT_EQ(VarToStr(edit->GetEditValueProp()), "ab");

  edit->SetText("text");
  EXPECT_EQ(events.Take(), (Log{"change text", "value text"}));
  edit->SetEditValue(Variant("value"));
  EXPECT_EQ(events.Take(), (Log{"change value", "value value"}));
  EXPECT_EQ(edit->GetText(), "value");
  // The same value again: nothing.
  edit->SetEditValue(Variant("value"));
  EXPECT_EQ(events.Take(), Log{});

  Props()->GetLookupItems()->Add("Apple");
  Props()->GetLookupItems()->Add("banana");
  events.Take();
  edit->SetItemIndex(1);
  EXPECT_EQ(edit->GetText(), "banana");
  EXPECT_EQ(edit->GetItemIndex(), 1);
  EXPECT_EQ(events.Take(), (Log{"change banana", "value banana", "click"}));
  edit->SetItemIndex(1);
  EXPECT_EQ(events.Take(), Log{});
}

TEST_F(TextEdit, PreparedTextChangesKeepToMaxLengthAndTheList) {
  edit->SetText("abcde");
  Focus();
  struct Case {
    Integer maxLength;
    Integer selStart, selLength;
    const char* paste;
    bool accepted;
    const char* result;
    Integer caret;
  };
  const Case cases[] = {
      {5, 2, 2, "xyz", true, "abxyz", 5},   // the tail "e" is cut off
      {3, 5, 0, "f", false, "", 0},         // the cut head ends before the caret
      {0, 5, 0, "f", true, "abcdef", 6},
  };
  for (const Case& c : cases) {
    Props()->SetMaxLength(c.maxLength);
    edit->SelectRange(c.selStart, c.selLength);
    edit->SetKeyboardAction(true);
    TkvTextChange change = edit->PrepareTextChange(c.paste);
    edit->SetKeyboardAction(false);
    EXPECT_EQ(change.Accepted, c.accepted) << c.paste;
    if (!c.accepted) continue;
    EXPECT_EQ(change.Text, c.result);
    EXPECT_EQ(change.Caret, c.caret);
  }
  // A multi-byte text is cut at whole characters: "é" counts one.
  Props()->SetMaxLength(4);
  edit->SetText("ab");
  edit->SelectRange(2, 0);
  edit->SetKeyboardAction(true);
  TkvTextChange change = edit->PrepareTextChange("\xC3\xA9\xC3\xA9\xC3\xA9");
  edit->SetKeyboardAction(false);
  EXPECT_TRUE(change.Accepted);
  EXPECT_EQ(change.Text, "ab\xC3\xA9\xC3\xA9");
  EXPECT_EQ(change.Caret, 6);
}

TEST_F(TextEdit, PastingNeverGoesPastMaxLength) {
  edit->SetText("abcde");
  Props()->SetMaxLength(5);
  Focus();
  edit->SelectRange(2, 2);
  SetClipboardText("xyz");
  edit->ClipboardPaste();
  Pump();
  EXPECT_EQ(edit->GetText().substr(0, 4), "abxy");
  EXPECT_EQ(WideCharCount(edit->GetText()), 5);
}

TEST_F(TextEdit, IncrementalSearchCompletesAndBackspaceTakesTheProposalBack) {
  Props()->GetLookupItems()->Add("Apple");
  Props()->GetLookupItems()->Add("banana");
  Focus();
  Type("b");
  EXPECT_EQ(edit->GetText(), "banana");
  EXPECT_EQ(edit->CurrentSelStart(), 1);
  EXPECT_EQ(edit->CurrentSelLength(), 5);
  EXPECT_TRUE(edit->IsCompletionPending());
  EXPECT_EQ(edit->GetItemIndex(), 1);
  Key(VK_BACK);
  EXPECT_EQ(edit->GetText(), "");
  EXPECT_FALSE(edit->IsCompletionPending());
  // Typed on past the proposal, the text is free again.
  Type("Apx");
  EXPECT_EQ(edit->GetText(), "Apx");
}

TEST_F(TextEdit, ThePlainEditorLeavesLookupKeysAndTheWheelAlone) {
  Props()->GetLookupItems()->Add("Apple");
  Props()->GetLookupItems()->Add("banana");
  edit->SetItemIndex(0);
  Focus();
  for (UINT key : {VK_NEXT, VK_PRIOR, VK_DOWN, VK_UP, VK_HOME, VK_END}) Key(key);
  ScriptWheel(POINT{20, 20}, -1);
  Pump();
  EXPECT_EQ(edit->GetText(), "Apple");
  EXPECT_EQ(edit->GetItemIndex(), 0);
}

TEST_F(TextEdit, TextMessagesAnswerByTheBufferAndTheInternalSetting) {
  edit->SetText("hello");
  char buffer[8] = "zzzzzzz";
  EXPECT_EQ(SendMessage(edit->GetHandle(), WM_GETTEXT, 1, reinterpret_cast<LPARAM>(buffer)), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(SendMessage(edit->GetHandle(), WM_GETTEXT, 4, reinterpret_cast<LPARAM>(buffer)), 3);
  EXPECT_STREQ(buffer, "hel");
  EXPECT_EQ(SendMessage(edit->GetHandle(), WM_GETTEXTLENGTH, 0, 0), 5);
  // A buffer never takes half a character.
  edit->SetText("a\xC3\xA9");
  EXPECT_EQ(SendMessage(edit->GetHandle(), WM_GETTEXT, 3, reinterpret_cast<LPARAM>(buffer)), 1);
  EXPECT_EQ(SendMessage(edit->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("set")), 1);
  EXPECT_EQ(edit->GetText(), "set");
  EXPECT_EQ(VarToStr(edit->GetEditValueProp()), "set");
  // A WM_SETTEXT sent while the editor sets its text goes to the default handling: the text and
  // the value stay the outer setting's.
  struct Nested : TObject {
    TkvTextEdit* edit = nullptr;
    bool sent = false;
    void Change(TObject*) {
      if (std::exchange(sent, true)) return;
      SendMessage(edit->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("inner"));
    }
  } nested;
  nested.edit = edit;
  Props()->SetOnChange(MakeEvent<&Nested::Change>(&nested));
  EXPECT_EQ(SendMessage(edit->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("outer")), 1);
  EXPECT_TRUE(nested.sent);
  EXPECT_EQ(edit->GetText(), "outer");
  EXPECT_EQ(VarToStr(edit->GetEditValueProp()), "outer");
}

TEST_F(TextEdit, StrictListPastesOnlyItems) {
  // A combo box's fixed list: the text is an item or nothing.
  class StrictProperties : public TkvTextEditProperties {
   public:
    using TkvTextEditProperties::TkvTextEditProperties;
    Byte EditingStyleCode() override { return kvEditingStrictList; }
  };
  StrictProperties strict(nullptr);
  strict.GetLookupItems()->Add("Apple");
  Variant value("apple");
  EXPECT_TRUE(strict.AcceptsTextValue(value, false));
  value = "cherry";
  EXPECT_FALSE(strict.AcceptsTextValue(value, false));
}

}  // namespace

namespace {

// An editor whose own part of the construction fails after the text editor's is done.
class TFailingTextEdit : public TkvTextEdit {
 public:
  explicit TFailingTextEdit(TComponent* AOwner) : TkvTextEdit(AOwner) { throw Exception("no room"); }
};

using TextEditFormats = EditorsTest;

// Editors and their Properties hear of locale changes while they live, and never after: also
// when a descendant's constructor fails once the text editor's has run.
TEST_F(TextEditFormats, EditorsAndPropertiesLeaveTheFormatControllerWhenTheyGo) {
  TkvFormatController* controller = TheFormatController();
  ASSERT_NE(controller, nullptr);
  const Integer before = controller->ListenerCount();
  auto* edit = new TkvTextEdit(form);
  auto* memo = new TkvMemo(form);
  auto* properties = new TkvTextEditProperties(nullptr);
  EXPECT_EQ(controller->ListenerCount(), before + 5);
  delete properties;
  delete memo;
  delete edit;
  EXPECT_EQ(controller->ListenerCount(), before);
  EXPECT_THROW(new TFailingTextEdit(form), Exception);
  EXPECT_EQ(controller->ListenerCount(), before);
}

}  // namespace

namespace {

// A handler that frees the editor it is called for.
struct Destroyer : TObject {
  TkvCustomEdit* edit = nullptr;
  void Free() { delete std::exchange(edit, nullptr); }
  void Notify(TObject*) { Free(); }
  void Validate(TObject*, Variant&, String&, bool&) { Free(); }
  void Button(TObject*, Integer) { Free(); }
  void Editing(TObject*, bool&) { Free(); }
};

class TextEditFreedByHandler : public EditEventsTest {
 public:
  using EditEventsTest::Key;
  using EditEventsTest::Type;
  using EditorsTest::Pump;
  TForm* Form() { return form; }
  // A character the editor under test takes.
  String typed;
};

// Every handler an editor fires may free it; the editor stops where it is and nothing touches it
// afterwards (the sanitizer run watches this): text editors and memos.
TEST_F(TextEditFreedByHandler, TheEditorStopsWhenAHandlerFreesIt) {
  struct Case {
    const char* name;
    std::function<void(TkvCustomEdit*, Destroyer*)> bind;
    std::function<void(TextEditFreedByHandler*)> act;
  };
  const Case cases[] = {
      {"OnChange while typing",
       [](TkvCustomEdit* e, Destroyer* d) { e->GetProperties()->SetOnChange(MakeEvent<&Destroyer::Notify>(d)); },
       [](TextEditFreedByHandler* t) { t->Type(t->typed); }},
      {"OnEditing while typing", [](TkvCustomEdit* e, Destroyer* d) { e->SetOnEditing(MakeEvent<&Destroyer::Editing>(d)); },
       [](TextEditFreedByHandler* t) { t->Type(t->typed); }},
      {"OnValidate on Enter",
       [](TkvCustomEdit* e, Destroyer* d) {
         e->GetProperties()->SetValidateOnEnter(true);
         e->GetProperties()->SetOnValidate(MakeEvent<&Destroyer::Validate>(d));
       },
       [](TextEditFreedByHandler* t) {
         t->Type(t->typed);
         t->Key(VK_RETURN);
       }},
      {"OnButtonClick on Ctrl+Enter",
       [](TkvCustomEdit* e, Destroyer* d) {
         e->GetProperties()->GetButtons()->AddButton()->SetDefault(true);
         e->GetProperties()->SetOnButtonClick(MakeEvent<&Destroyer::Button>(d));
       },
       [](TextEditFreedByHandler* t) { t->Key(VK_RETURN, kCtrl); }},
      {"OnEditValueChanged when the focus leaves",
       [](TkvCustomEdit* e, Destroyer* d) {
         e->GetProperties()->SetOnEditValueChanged(MakeEvent<&Destroyer::Notify>(d));
       },
       [](TextEditFreedByHandler* t) {
         t->Type(t->typed);
         auto* next = new TkvTextEdit(t->Form());
         next->SetParent(t->Form());
         next->SetBounds(10, 60, 150, 21);
         next->SetFocus();
         t->Pump();
       }},
  };
  struct Kind {
    const char* name;
    const char* typed;
    std::function<TkvCustomEdit*(TComponent*)> make;
  };
  const Kind kinds[] = {
      {"text", "1", [](TComponent* o) { return new TkvTextEdit(o); }},
      {"memo", "1", [](TComponent* o) { return new TkvMemo(o); }},
  };
  for (const Kind& kind : kinds)
  for (const Case& c : cases) {
    SCOPED_TRACE(String(kind.name) + ": " + c.name);
    typed = kind.typed;
    Destroyer destroyer;
    destroyer.edit = kind.make(form);
    destroyer.edit->SetParent(form);
    destroyer.edit->SetBounds(10, 10, 150, 21);
    Pump();
    destroyer.edit->SetFocus();
    Pump();
    c.bind(destroyer.edit, &destroyer);
    c.act(this);
    EXPECT_EQ(destroyer.edit, nullptr);
    // Keys still held when their window went are released where the focus is now.
    form->SetFocus();
    Key(VK_CONTROL);
  }
}

}  // namespace
