// The hyperlink edit: the prefix on commit or on opening, the start key, handlers that take the
// start over, single-click mode, the link look, streaming and the unit's registrations.

#include <cstdlib>

#include "EditTestFixture.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvHyperLinkEdit.h"
#include "user/Shell.h"
#include "user/VirtualKeys.h"

namespace {

struct StartLog : TObject {
  std::vector<String> events;
  void Started(TObject*) { events.push_back("handler"); }
};

class HyperLinkEdit : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    previous = SetShellExecuteHandler([this](HWND, const char* operation, const char* file, const char*, const char*,
                                             int show) {
      log.events.push_back(String(operation) + " " + file + (show == SW_SHOWMAXIMIZED ? " maximized" : ""));
      return reinterpret_cast<HINSTANCE>(intptr_t{42});
    });
    form->SetBounds(100, 100, 400, 300);
    edit = new TkvHyperLinkEdit(form);
    edit->SetParent(form);
    edit->SetBounds(20, 30, 200, 21);
    Props()->SetValidateOnEnter(true);
    Pump();
  }
  void TearDown() override {
    SetShellExecuteHandler(previous);
    EditEventsTest::TearDown();
  }
  TkvHyperLinkEditProperties* Props() { return edit->GetHyperLinkEditProperties(); }
  void Enter(const String& Text) {
    edit->SetFocus();
    edit->SetText("");
    Type(Text);
    Key(VK_RETURN);
  }
  std::vector<String> Take() { return std::exchange(log.events, {}); }
  TkvHyperLinkEdit* edit = nullptr;
  StartLog log;
  TShellExecuteHandler previous;
};

TEST_F(HyperLinkEdit, ThePrefixComesOnCommitOrOnlyWhenTheLinkOpens) {
  struct Case {
    TkvHyperLinkEditUsePrefix use;
    const char* typed;
    const char* committed;
    const char* opened;
  };
  const Case kCases[] = {
      {upAlways, " example.com ", "http://example.com", "OPEN http://example.com maximized"},
      {upAlways, "http://example.com", "http://example.com", "OPEN http://example.com maximized"},
      // The test is case-sensitive.
      {upAlways, "HTTP://example.com", "http://HTTP://example.com", "OPEN http://HTTP://example.com maximized"},
      {upOnlyOnExecute, "example.com", "example.com", "OPEN http://example.com maximized"},
      {upNever, "example.com", "example.com", "OPEN example.com maximized"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.typed);
    Props()->SetUsePrefix(c.use);
    Enter(c.typed);
    EXPECT_EQ(edit->GetText(), c.committed);
    Take();
    Key(VK_RETURN, kCtrl);
    EXPECT_EQ(Take(), std::vector<String>{c.opened});
  }
  // An empty link opens nothing.
  edit->SetText("");
  Key(VK_RETURN, kCtrl);
  EXPECT_TRUE(Take().empty());
}

TEST_F(HyperLinkEdit, AStartHandlerTakesTheStartOverAndDoubleClicksStartToo) {
  Enter("example.com");
  Take();
  Props()->SetOnStartClick(MakeEvent<&StartLog::Started>(&log));
  Key(VK_RETURN, kCtrl);
  EXPECT_EQ(Take(), std::vector<String>{"handler"});
  Props()->SetOnStartClick(TNotifyEvent());
  SendMessage(edit->GetHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  Pump();
  EXPECT_EQ(Take(), std::vector<String>{"OPEN http://example.com maximized"});
}

TEST_F(HyperLinkEdit, SingleClickOpensOnAPlainClickOnly) {
  Props()->SetSingleClick(true);
  EXPECT_EQ(Props()->GetSupportedFeatures() & 1, 1);
  Enter("example.com");
  Take();
  edit->SelectRange(0, 0);
  SendMessage(edit->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessage(edit->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  Pump();
  EXPECT_EQ(Take(), std::vector<String>{"OPEN http://example.com maximized"});
  // A click that ends a selection selects.
  edit->SelectRange(0, 4);
  SendMessage(edit->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  Pump();
  EXPECT_TRUE(Take().empty());
}

TEST_F(HyperLinkEdit, TheTextIsUnderlinedInTheLinkColour) {
  TkvContainerStyle* style = edit->GetStyle();
  EXPECT_EQ(style->GetTextColor(), clBlue);
  EXPECT_TRUE(style->GetTextStyle().Contains(fsUnderline));
  Props()->SetLinkColor(clRed);
  EXPECT_EQ(style->GetTextColor(), clRed);
  Props()->SetLinkColor(clBlue);
  edit->SetText("http://example.com");
  auto* other = new TkvHyperLinkEdit(form);
  other->SetParent(form);
  other->SetBounds(20, 60, 200, 21);
  other->SetText("example.org/videos");
  form->SetFocus();
  Pump();
  UpdateWindow(form->GetHandle());
  if (const char* output = std::getenv("TAVREN_TEST_OUTPUT"); output && *output) {
    EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/editors-hyperlinks.png"));
  }
}

TEST(HyperLinkEditForms, AChangedPrefixStreamsAndTheStandardOneDoesNot) {
  auto* root = new TForm(nullptr, 0);
  root->SetName("Window");
  auto* edit = new TkvHyperLinkEdit(root);
  edit->SetName("Link");
  edit->SetParent(root);
  EXPECT_EQ(WriteComponentToText(root).find("Prefix"), String::npos);
  edit->GetHyperLinkEditProperties()->SetPrefix("mailto:");
  edit->GetHyperLinkEditProperties()->SetUsePrefix(upOnlyOnExecute);
  const String text = WriteComponentToText(root);
  SCOPED_TRACE(text);
  EXPECT_NE(text.find("Prefix"), String::npos);
  delete root;
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TkvHyperLinkEdit*>(copy->FindComponent("Link"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetHyperLinkEditProperties()->GetPrefix(), "mailto:");
  EXPECT_EQ(read->GetHyperLinkEditProperties()->GetUsePrefix(), upOnlyOnExecute);
  EXPECT_TRUE(read->GetHyperLinkEditProperties()->GetAutoComplete());
  delete copy;
}

TEST(HyperLinkEditUnit, StartEndAndStartAgainRegisterOnce) {
  kvHyperLinkEditEnd();
  EXPECT_EQ(GetClass("TkvHyperLinkEdit"), nullptr);
  kvHyperLinkEditStart();
  EXPECT_NE(GetClass("TkvHyperLinkEdit"), nullptr);
  EXPECT_EQ(TheFilterEditsController()->FindHelper(TkvHyperLinkEditProperties::ClassInfo()),
            FilterEditHelperOf<TkvFilterHyperLinkEditHelper>());
  Integer index = EditPropertiesRegistry()->IndexOfClass(TkvHyperLinkEditProperties::ClassInfo());
  ASSERT_GE(index, 0);
  EXPECT_EQ(EditPropertiesRegistry()->TextAt(index), "HyperLink|Represents a text editor with hyperlink functionality");
}

}  // namespace
