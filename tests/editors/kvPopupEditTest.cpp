#include <memory>

#include "EditTestFixture.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "vcl/ExtCtrls.h"

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

TEST_F(PopupEdit, APopupControlThatGoesIsForgotten) {
  Props()->SetPopupControl(hosted);
  delete hosted;
  EXPECT_EQ(Props()->GetPopupControl(), nullptr);
}

}  // namespace
