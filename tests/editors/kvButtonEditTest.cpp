// The button edit: its default ellipsis button, clicked by Ctrl+Enter; stored buttons replacing
// it; the style values it shows; its unit's start and end.

#include "EditTestFixture.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvButtonEdit.h"
#include "user/VirtualKeys.h"

namespace {

struct ClickLog : TObject {
  std::vector<Integer> clicks;
  void Clicked(TObject*, Integer AButtonIndex) { clicks.push_back(AButtonIndex); }
};

class ButtonEdit : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    form->SetBounds(100, 100, 400, 300);
    edit = new TkvButtonEdit(form);
    edit->SetParent(form);
    edit->SetBounds(20, 30, 150, 21);
    edit->GetButtonEditProperties()->SetOnButtonClick(MakeEvent<&ClickLog::Clicked>(&log));
    Pump();
  }
  TkvButtonEdit* edit = nullptr;
  ClickLog log;
};

TEST_F(ButtonEdit, ANewEditHasOneDefaultEllipsisButtonThatCtrlEnterClicks) {
  TkvEditButtons* buttons = edit->GetButtonEditProperties()->GetButtons();
  ASSERT_EQ(buttons->GetCount(), 1);
  EXPECT_EQ(buttons->GetButton(0)->GetKind(), bkEllipsis);
  EXPECT_TRUE(buttons->GetButton(0)->GetDefault());
  edit->SetFocus();
  Pump();
  Key(VK_RETURN, kCtrl);
  EXPECT_EQ(log.clicks, std::vector<Integer>{0});
  // The button look shows; the popup border and the gradient stay hidden.
  TkvContainerStyleValues hidden = edit->GetHiddenStyleValues();
  for (Integer value : {10, 11, 13}) EXPECT_FALSE(hidden.Contains(value)) << value;
  for (Integer value : {12, 14, 15}) EXPECT_TRUE(hidden.Contains(value)) << value;
}

TEST(ButtonEditForms, StoredButtonsReplaceTheDefaultOne) {
  auto* root = new TForm(nullptr, 0);
  root->SetName("Window");
  auto* edit = new TkvButtonEdit(root);
  edit->SetName("Folder");
  edit->SetParent(root);
  TkvEditButtons* buttons = edit->GetButtonEditProperties()->GetButtons();
  buttons->AddButton()->SetKind(bkText);
  buttons->GetButton(1)->SetCaption("Go");
  const String text = WriteComponentToText(root);
  SCOPED_TRACE(text);
  delete root;
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TkvButtonEdit*>(copy->FindComponent("Folder"));
  ASSERT_NE(read, nullptr);
  TkvEditButtons* readButtons = read->GetButtonEditProperties()->GetButtons();
  ASSERT_EQ(readButtons->GetCount(), 2);
  EXPECT_EQ(readButtons->GetButton(0)->GetKind(), bkEllipsis);
  EXPECT_EQ(readButtons->GetButton(1)->GetCaption(), "Go");
  EXPECT_EQ(WriteComponentToText(copy), text);
  delete copy;
}

TEST(ButtonEditUnit, StartEndAndStartAgainRegisterOnce) {
  kvButtonEditEnd();
  EXPECT_EQ(GetClass("TkvButtonEdit"), nullptr);
  kvButtonEditStart();
  EXPECT_NE(GetClass("TkvButtonEdit"), nullptr);
  Integer index = EditPropertiesRegistry()->IndexOfClass(TkvButtonEditProperties::ClassInfo());
  ASSERT_GE(index, 0);
  EXPECT_EQ(EditPropertiesRegistry()->TextAt(index), "ButtonEdit|Represents an edit control with embedded buttons");
}

}  // namespace
