#include <memory>
#include <utility>

#include "EditTestFixture.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "vcl/ExtCtrls.h"
#include "vcl/StdCtrls.h"

namespace {

class PopupEdit : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    form->SetBounds(100, 100, 400, 300);
    panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 300, 200);
    edit = new TkvPopupEdit(panel);
    edit->SetParent(panel);
    edit->SetBounds(10, 10, 150, 21);
    hosted = new TPanel(form);
    hosted->SetParent(form);
    hosted->SetBounds(20, 230, 140, 60);
    hosted->SetVisible(false);
    Pump();
  }
  TkvPopupEditProperties* Props() { return edit->GetPopupEditProperties(); }
  TPanel* panel = nullptr;
  TPanel* hosted = nullptr;
  TkvPopupEdit* edit = nullptr;
};

TEST_F(PopupEdit, DefaultsAndACircularPopupControl) {
  EXPECT_TRUE(Props()->GetPopupSizeable());
  EXPECT_EQ(Props()->GetPopupWidth(), 250);
  EXPECT_EQ(Props()->GetPopupHeight(), 200);
  EXPECT_EQ(Props()->GetPopupMinWidth(), 100);
  EXPECT_TRUE(Props()->GetImmediatePopup());
  // Without a control nothing opens.
  edit->SetDroppedDown(true);
  Pump();
  EXPECT_FALSE(edit->GetDroppedDown());
  Props()->SetPopupControl(panel);
  try {
    edit->SetDroppedDown(true);
    FAIL() << "no error";
  } catch (EkvEditError& e) {
    EXPECT_EQ(e.Message(), "Circular referencing is not allowed");
  }
  EXPECT_FALSE(edit->IsPopupPrepared());
  EXPECT_EQ(edit->GetPopupWindow()->GetControlCount(), 0);
}

TEST_F(PopupEdit, TheHostedControlGoesBackWhenTheEditorIsFreedWhileOpen) {
  Props()->SetPopupControl(hosted);
  edit->SetDroppedDown(true);
  // Hosted from the display on, before the popup shows.
  EXPECT_EQ(hosted->GetParent(), edit->GetPopupWindow());
  EXPECT_TRUE(hosted->GetVisible());
  EXPECT_EQ(hosted->GetAlign(), alClient);
  delete edit;
  EXPECT_EQ(hosted->GetParent(), form);
  EXPECT_FALSE(hosted->GetVisible());
  EXPECT_EQ(hosted->GetBoundsRect(), TRect(20, 230, 160, 290));
  EXPECT_EQ(hosted->GetAlign(), alNone);
  Pump();
}

TEST_F(PopupEdit, FreedWhileItsReplayOrCloseMessageIsQueuedItLeavesNothingBehind) {
  auto* field = new TEdit(hosted);
  field->SetParent(hosted);
  Props()->SetPopupControl(hosted);
  // A typed character opens the popup and is posted on to the popup's focus.
  edit->SetFocus();
  Pump();
  const HWND popupWindow = edit->GetPopupWindow()->GetHandle();
  SendMessage(edit->GetInnerEdit()->InnerControl()->GetHandle(), WM_CHAR, 'a', 0);
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, popupWindow, KVM_POPUPREPLAYCHAR, KVM_POPUPREPLAYCHAR, PM_NOREMOVE));
  delete std::exchange(edit, nullptr);
  Pump();
  EXPECT_EQ(VisiblePopupCount(), 0);
  EXPECT_EQ(hosted->GetParent(), form);

  // A handler of the hosted control asks the open popup to close, then frees the editor.
  edit = new TkvPopupEdit(panel);
  edit->SetParent(panel);
  edit->SetBounds(10, 10, 150, 21);
  Props()->SetPopupControl(hosted);
  Pump();
  bool open = false, queued = false;
  ScriptedSteps steps;
  steps.Add(50, [&] {
    open = edit->GetDroppedDown();
    edit->PostClosePopup(pcrAccept);
    queued = PeekMessage(&msg, edit->GetPopupWindow()->GetHandle(), KVM_POPUPCLOSE, KVM_POPUPCLOSE, PM_NOREMOVE);
    delete std::exchange(edit, nullptr);
  });
  TkvPopupEdit* doomed = edit;
  doomed->SetDroppedDown(true);
  Pump();
  EXPECT_TRUE(open);
  EXPECT_TRUE(queued);
  EXPECT_EQ(edit, nullptr);
  EXPECT_EQ(VisiblePopupCount(), 0);
  EXPECT_EQ(hosted->GetParent(), form);
}

TEST_F(PopupEdit, APopupControlThatGoesIsForgotten) {
  Props()->SetPopupControl(hosted);
  delete hosted;
  EXPECT_EQ(Props()->GetPopupControl(), nullptr);
}

}  // namespace
