// The output-format settings inspector as the program's form resource builds it: read-only
// "Video" and "Audio" category rows over drop-down rows, picked by mouse and by keys.

#include <gtest/gtest.h>

#include "InspectorTestSupport.h"
#include "OutputFormatForm.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Writer.h"
#include "toolkit/inspector/JyEdit.h"
#include "toolkit/inspector/JyInspector.h"
#include "user/User.h"
#include "user/VirtualKeys.h"

TAVREN_CLASS_IMPL_PUBLISHED(TOutputFormatForm, FIELD(OFormat), FIELD(Video), FIELD(VCodec), FIELD(Size),
                            FIELD(Fps), FIELD(Audio), FIELD(Sample), FIELD(ABitRate))

class OutputFormatInspectorTest : public InspectorTest {
 protected:
  void SetUp() override {
    InspectorTest::SetUp();
    RegisterOutputFormatForm();
    form = TClassOf<TOutputFormatForm>(TOutputFormatForm::ClassInfo()).Create(nullptr);
    forms.push_back(form);
    form->Show();
    Pump();
  }
  TOutputFormatForm* form = nullptr;
};

TEST_F(OutputFormatInspectorTest, LoadsTheTreeByNestingAndWritesParentIndexBack) {
  TJyPropertyItems* items = form->OFormat->GetItems();
  ASSERT_EQ(items->GetCount(), 11);
  const char* captions[] = {"Video", "Codec", "Frame size", "Frame rate", "Aspect", "Bit rate",
                            "Audio", "Codec", "Sample rate", "Channels", "Bit rate"};
  const Integer levels[] = {0, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1};
  for (Integer i = 0; i < 11; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(items->GetItem(i)->GetCaption(), captions[i]);
    EXPECT_EQ(items->GetItem(i)->GetLevel(), levels[i]);
  }
  EXPECT_EQ(form->Audio->GetParentIndex(), 2);  // read and kept, though it names nothing
  EXPECT_EQ(form->Video->ChildCount(), 5);
  EXPECT_EQ(form->Sample->GetParentItem(), form->Audio);

  const String text = WriteComponentToText(form);
  auto count = [&](const String& needle) {
    size_t n = 0;
    for (size_t at = text.find(needle); at != String::npos; at = text.find(needle, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("ParentIndex = -1"), 2u);
  EXPECT_EQ(count("ParentIndex = 0"), 5u);
  EXPECT_EQ(count("ParentIndex = 6"), 4u);
}

TEST_F(OutputFormatInspectorTest, PickingALineByMouseSetsTheRowsIndexAndValue) {
  TJyInspector* inspector = form->OFormat;
  form->Size->SetItemIndex(0);
  const Integer top = form->Size->RowTop();
  ASSERT_GT(top, 0);
  Click(inspector, inspector->GetSplitterPosition() + 20, top + 5);
  EXPECT_EQ(inspector->GetSelectedItem(), form->Size);
  ASSERT_EQ(inspector->GetEditingItem(), form->Size);
  auto* combo = static_cast<TJyComboBox*>(form->Size->Editor());
  EXPECT_TRUE(IsWindowVisible(combo->GetHandle()));
  EXPECT_EQ(GetFocus(), combo->GetHandle());
  EXPECT_EQ(combo->GetItemIndex(), 0);
  EXPECT_EQ(combo->GetBoundsRect(),
            Rect(inspector->GetSplitterPosition() + 1, top, inspector->GetClientWidth(), top + 18));
  // A press on the drop-down list edit opens the list; its release arms it.
  Click(combo, 10, 5);
  ASSERT_TRUE(combo->GetDroppedDown());
  TJyPopupList* list = combo->GetPopupList();
  Click(list, 20, 2 + 2 * 16 + 4);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetItemIndex(), 2);
  // Another row takes the editor: the first row follows the line chosen.
  Click(inspector, inspector->GetSplitterPosition() + 20, form->Fps->RowTop() + 5);
  EXPECT_EQ(inspector->GetEditingItem(), form->Fps);
  EXPECT_EQ(form->Size->GetItemIndex(), 2);
  EXPECT_EQ(form->Size->GetValue(), "720x576");
}

TEST_F(OutputFormatInspectorTest, PickingALineByKeys) {
  TJyInspector* inspector = form->OFormat;
  form->Sample->SetItemIndex(1);
  Click(inspector, inspector->GetSplitterPosition() + 20, form->Sample->RowTop() + 5);
  auto* combo = static_cast<TJyComboBox*>(form->Sample->Editor());
  AltKey(VK_DOWN);
  ASSERT_TRUE(combo->GetDroppedDown());
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_UP);
  EXPECT_EQ(combo->GetPopupList()->GetHoverIndex(), 2);
  Key(VK_RETURN, '\r');
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetItemIndex(), 2);
  // Escape closes the editor; the row keeps the editor's line.
  Key(VK_ESCAPE, 0x1b);
  EXPECT_EQ(inspector->GetEditingItem(), nullptr);
  EXPECT_EQ(form->Sample->GetItemIndex(), 2);
  EXPECT_EQ(form->Sample->GetValue(), "44100");
}

TEST_F(OutputFormatInspectorTest, CategoryRowsAreReadOnlyAndRowsFollowEnabled) {
  TJyInspector* inspector = form->OFormat;
  Click(inspector, 60, form->Video->RowTop() + 5);
  EXPECT_EQ(inspector->GetSelectedItem(), form->Video);
  EXPECT_EQ(inspector->GetEditingItem(), nullptr);
  form->VCodec->SetEnabled(false);
  Click(inspector, inspector->GetSplitterPosition() + 20, form->VCodec->RowTop() + 5);
  EXPECT_EQ(inspector->GetSelectedItem(), form->Video);
  EXPECT_EQ(inspector->GetEditingItem(), nullptr);
}
