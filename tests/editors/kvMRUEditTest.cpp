#include <memory>

#include "EditTestFixture.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvMRUEdit.h"
#include "user/VirtualKeys.h"

namespace {

using Log = std::vector<String>;

String Joined(TStrings* Items) {
  String text;
  for (Integer i = 0; i < Items->GetCount(); ++i) text += (i ? "," : "") + Items->GetStrings(i);
  return text;
}

// Logs the history's events; a deleting handler may take entries away itself.
struct HistoryLog : TObject {
  Log log;
  TkvMRUEdit* edit = nullptr;
  Integer deleteItself = 0;  // entries the delete handler removes from the end itself
  void NewText(TObject* Sender, const String& Text) {
    log.push_back(String(Sender == edit ? "editor" : "properties") + " new " + Text);
  }
  void Deleting(TObject* Sender, Integer Index) {
    log.push_back(String(Sender == edit->GetProperties() ? "" : "? ") + "delete " + IntToStr(Index));
    TStrings* items = edit->GetMRUEditProperties()->GetLookupItems();
    for (Integer i = 0; i < deleteItself && items->GetCount() > 0; ++i) items->Delete(items->GetCount() - 1);
  }
  void Extra(TObject* Sender) { log.push_back(Sender == edit ? "extra editor" : "extra ?"); }
  Log Take() { return std::exchange(log, {}); }
};

class MRUEdit : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    form->SetBounds(100, 100, 400, 300);
    edit = new TkvMRUEdit(form);
    edit->SetParent(form);
    edit->SetBounds(20, 30, 150, 21);
    events.edit = edit;
    Props()->SetOnNewLookupDisplayText(MakeEvent<&HistoryLog::NewText>(&events));
    Props()->SetOnDeleteLookupItem(MakeEvent<&HistoryLog::Deleting>(&events));
    Props()->SetOnButtonClick(MakeEvent<&HistoryLog::Extra>(&events));
    Pump();
  }
  TkvMRUEditProperties* Props() { return edit->GetMRUEditProperties(); }
  String History() { return Joined(Props()->GetLookupItems()); }
  void SetHistory(const String& CommaText) { Props()->GetLookupItems()->SetCommaText(CommaText); }
  void Accept(const String& Text) {
    edit->SetFocus();
    edit->SetText("");
    Type(Text);
    Key(VK_RETURN);
  }
  TkvMRUEdit* edit = nullptr;
  HistoryLog events;
};

TEST_F(MRUEdit, AcceptedTextsMoveToTheTopAndTheCapTrimsFromTheBottom) {
  struct Case {
    const char* history;
    Integer cap;
    const char* typed;
    const char* after;
    Log events;
  };
  const Case cases[] = {
      {"A,B,C", 3, "D", "D,A,B", {"editor new D", "delete 3"}},
      {"A,B,C", 0, "D", "D,A,B,C", {"editor new D"}},
      {"A,B,C", 3, "A", "A,B,C", {}},
      {"A,B,C", 3, "C", "C,A,B", {}},
      // The history's own comparison ignores case: the entry keeps its spelling.
      {"B,A", 0, "a", "A,B", {}},
      {"A,B", 2, "", "A,B", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(String(c.history) + " + " + c.typed);
    Props()->SetMaxItemCount(0);
    SetHistory(c.history);
    Props()->SetMaxItemCount(c.cap);
    events.Take();
    Accept(c.typed);
    EXPECT_EQ(History(), c.after);
    EXPECT_EQ(events.Take(), c.events);
  }
}

TEST_F(MRUEdit, TheCapTakesNoNegativeValueAndALowerOneTrimsAtOnceFromTheBottomUp) {
  SetHistory("A,B,C,D,E");
  Props()->SetMaxItemCount(-4);
  EXPECT_EQ(Props()->GetMaxItemCount(), 0);
  EXPECT_EQ(History(), "A,B,C,D,E");
  Props()->SetMaxItemCount(2);
  EXPECT_EQ(History(), "A,B");
  EXPECT_EQ(events.Take(), (Log{"delete 4", "delete 3", "delete 2"}));
}

TEST_F(MRUEdit, ADeleteHandlerThatRemovesEntriesItselfLosesNoOtherEntry) {
  struct Case {
    Integer deletesItself;
    const char* after;
    Log events;
  };
  const Case cases[] = {
      {1, "E,A,B", {"delete 3"}},
      {3, "E", {"delete 3"}},
      {9, "", {"delete 3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.deletesItself);
    Props()->SetMaxItemCount(0);
    SetHistory("A,B,C");
    Props()->SetMaxItemCount(3);
    events.deleteItself = c.deletesItself;
    events.Take();
    Props()->AddItem("E", false);
    EXPECT_EQ(History(), c.after);
    EXPECT_EQ(events.Take(), c.events);
  }
}

TEST_F(MRUEdit, AnnouncedAdditionsComeFromThePropertiesAndEmptyTextsAreNeverAdded) {
  Props()->AddItem("X", true);
  Props()->AddItem("", true);
  Props()->AddItem("Y", false);
  EXPECT_EQ(History(), "Y,X");
  EXPECT_EQ(events.Take(), (Log{"properties new X"}));
}

TEST_F(MRUEdit, EnterWithTheListOpenAddsTheTypedTextOnlyWithoutAHighlightedEntry) {
  SetHistory("Alpha,Beta,Gamma");
  edit->SetFocus();
  Pump();
  // A highlighted entry is applied through the list: it moves to the top, the typed text is not added.
  Key(VK_F4);
  ASSERT_TRUE(edit->GetDroppedDown());
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_FALSE(edit->GetDroppedDown());
  EXPECT_EQ(edit->GetText(), "Beta");
  EXPECT_EQ(History(), "Beta,Alpha,Gamma");
  events.Take();
  // Nothing highlighted: the typed text goes into the history.
  edit->SetText("");
  Key(VK_F4);
  ASSERT_TRUE(edit->GetDroppedDown());
  ASSERT_EQ(edit->GetLookupData()->GetHighlightedRow(), -1);
  Type("Delta");
  ASSERT_EQ(edit->GetLookupData()->GetHighlightedRow(), -1);
  Key(VK_RETURN);
  EXPECT_EQ(History(), "Delta,Beta,Alpha,Gamma");
  EXPECT_EQ(events.Take(), (Log{"editor new Delta"}));
}

TEST_F(MRUEdit, TheGlyphSitsOnTheExtraButtonWhileItShowsAndOnTheDropDownButtonOtherwise) {
  TkvEditButtons* buttons = Props()->GetButtons();
  ASSERT_EQ(buttons->GetCount(), 2);
  EXPECT_TRUE(buttons->GetButton(1)->GetVisible());
  EXPECT_EQ(buttons->GetButton(1)->GetKind(), bkEllipsis);
  EXPECT_TRUE(buttons->GetButton(1)->GetDefault());
  auto glyph = std::make_unique<TBitmap>();
  glyph->SetSize(8, 8);
  glyph->GetCanvas()->FillRect(TRect(0, 0, 8, 8));
  Props()->SetButtonGlyph(glyph.get());
  Pump();
  EXPECT_EQ(buttons->GetButton(1)->GetKind(), bkGlyph);
  EXPECT_EQ(buttons->GetButton(0)->GetKind(), bkDown);
  Props()->SetShowEllipsis(false);
  Pump();
  EXPECT_FALSE(buttons->GetButton(1)->GetVisible());
  EXPECT_EQ(buttons->GetButton(0)->GetKind(), bkGlyph);
  EXPECT_TRUE(buttons->GetButton(0)->IsGlyphStored());
  Props()->SetButtonGlyph(nullptr);
  Pump();
  EXPECT_EQ(buttons->GetButton(0)->GetKind(), bkDown);
  Props()->SetShowEllipsis(true);
  Pump();
  EXPECT_EQ(buttons->GetButton(1)->GetKind(), bkEllipsis);
  EXPECT_EQ(buttons->GetButton(0)->GetKind(), bkDown);
}

TEST_F(MRUEdit, TheExtraButtonFiresItsOwnEventWithTheEditorAsSender) {
  edit->SetFocus();
  Pump();
  // Ctrl+Enter clicks the default (extra) button; the drop-down button fires nothing of it.
  Key(VK_RETURN, kCtrl);
  edit->ButtonClick(0);
  EXPECT_EQ(events.Take(), (Log{"extra editor"}));
  Props()->SetShowEllipsis(false);
  edit->ButtonClick(1);
  EXPECT_EQ(events.Take(), Log{});
}

TEST_F(MRUEdit, AnotherRecentItemsEditorTakesACopyOfTheHistory) {
  SetHistory("A,B");
  TkvMRUEditProperties other(nullptr);
  Props()->CopyRuntimeDataTo(&other);
  EXPECT_EQ(Joined(other.GetLookupItems()), "A,B");
}

TEST(MRUEditForms, TheHistoryCapAndButtonSettingsStreamAndReadBackEqual) {
  auto* root = new TForm(nullptr, 0);
  root->SetName("Window");
  auto* edit = new TkvMRUEdit(root);
  edit->SetName("mruFolder");
  edit->SetParent(root);
  TkvMRUEditProperties* p = edit->GetMRUEditProperties();
  p->GetLookupItems()->SetCommaText("C:,D:");
  p->SetMaxItemCount(5);
  p->SetShowEllipsis(false);
  const String text = WriteComponentToText(root);
  SCOPED_TRACE(text);
  EXPECT_NE(text.find("Properties.MaxItemCount = 5"), String::npos);
  EXPECT_EQ(text.find("DropDownListStyle"), String::npos);
  delete root;
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TkvMRUEdit*>(copy->FindComponent("mruFolder"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(Joined(read->GetMRUEditProperties()->GetLookupItems()), "C:,D:");
  EXPECT_EQ(read->GetMRUEditProperties()->GetMaxItemCount(), 5);
  EXPECT_FALSE(read->GetMRUEditProperties()->GetShowEllipsis());
  EXPECT_EQ(read->GetMRUEditProperties()->GetButtons()->GetCount(), 2);
  EXPECT_EQ(WriteComponentToText(copy), text);
  delete copy;
}

TEST(MRUEditUnit, StartEndAndStartAgainRegisterOnce) {
  kvMRUEditEnd();
  EXPECT_EQ(GetClass("TkvMRUEdit"), nullptr);
  // Without its own pair the kind falls back to its ancestors' helper.
  EXPECT_NE(TheFilterEditsController()->FindHelper(TkvMRUEditProperties::ClassInfo()),
            FilterEditHelperOf<TkvFilterTextEditHelper>());
  kvMRUEditStart();
  kvMRUEditStart();
  kvMRUEditEnd();
  EXPECT_NE(GetClass("TkvMRUEdit"), nullptr);
  EXPECT_GE(EditPropertiesRegistry()->IndexOfClass(TkvMRUEditProperties::ClassInfo()), 0);
  EXPECT_EQ(TheFilterEditsController()->FindHelper(TkvMRUEditProperties::ClassInfo()),
            FilterEditHelperOf<TkvFilterTextEditHelper>());
}

}  // namespace
