#include <memory>

#include "EditTestFixture.h"
#include "backend/ScriptedInput.h"
#include "gdi/SysMetrics.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "user/Input.h"
#include "user/VirtualKeys.h"

namespace {

using Log = std::vector<String>;

// Logs a combo's events in order.
struct ComboLog : TObject {
  Log log;
  TkvComboBox* combo = nullptr;
  void Change(TObject*) { log.push_back("change " + combo->GetText()); }
  void Clicked(TObject*) { log.push_back("click"); }
  void InitPopup(TObject*) { log.push_back("init"); }
  void Popup(TObject*) { log.push_back("popup"); }
  void CloseUp(TObject*) { log.push_back("closeup " + IntToStr(Integer(combo->GetCloseUpReason()))); }
  void Attach(TkvComboBox* Combo) {
    combo = Combo;
    TkvComboBoxProperties* p = Combo->GetComboBoxProperties();
    p->SetOnChange(MakeEvent<&ComboLog::Change>(this));
    p->SetOnInitPopup(MakeEvent<&ComboLog::InitPopup>(this));
    p->SetOnPopup(MakeEvent<&ComboLog::Popup>(this));
    p->SetOnCloseUp(MakeEvent<&ComboLog::CloseUp>(this));
    Combo->SetOnClick(MakeEvent<&ComboLog::Clicked>(this));
  }
  Log Take() { return std::exchange(log, {}); }
};

class ComboBox : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    form->SetBounds(100, 100, 400, 300);
    combo = new TkvComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(20, 30, 150, 21);
    for (const char* item : {"WMV (*.wmv)", "AVI (*.avi)", "MP4 (*.mp4)"}) Props()->GetItems()->Add(item);
    events.Attach(combo);
    Pump();
  }
  void Focus() {
    combo->SetFocus();
    Pump();
    events.Take();
  }
  TkvComboBoxProperties* Props() { return combo->GetComboBoxProperties(); }
  TkvCustomEditPopupWindow* Popup() { return combo->GetPopupWindow(); }
  TkvCustomComboBoxListBox* List() { return combo->GetComboLookupData()->ComboList(); }
  void SetItems(Integer Count) {
    Props()->GetItems()->Clear();
    for (Integer i = 0; i < Count; ++i) Props()->GetItems()->Add("Item " + IntToStr(i));
  }
  TkvComboBox* combo = nullptr;
  ComboLog events;
};

TEST_F(ComboBox, F4OpensTheListUnderTheEditorAndDownEnterPicksTheNextItem) {
  combo->SetItemIndex(0);
  Focus();
  Key(VK_F4);
  ASSERT_TRUE(combo->GetDroppedDown());
  EXPECT_EQ(events.Take(), (Log{"init", "popup"}));
  // Below the editor, from its left edge, at least as wide.
  const TPoint editorBottomLeft = combo->ClientToScreen(TPoint(0, combo->GetHeight()));
  EXPECT_EQ(Popup()->GetLeft(), editorBottomLeft.X);
  EXPECT_EQ(Popup()->GetTop(), editorBottomLeft.Y);
  EXPECT_GE(Popup()->GetWidth(), combo->GetWidth());
  EXPECT_TRUE(List()->IsVisible());
  EXPECT_EQ(List()->GetItemIndex(), 0);
  Key(VK_DOWN);
  EXPECT_TRUE(combo->GetDroppedDown());
  EXPECT_EQ(List()->GetItemIndex(), 1);
  EXPECT_EQ(combo->GetComboLookupData()->GetHighlightedRow(), 1);
  EXPECT_EQ(combo->GetText(), "WMV (*.wmv)");
  Key(VK_RETURN);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetItemIndex(), 1);
  EXPECT_EQ(combo->GetText(), "AVI (*.avi)");
  EXPECT_EQ(events.Take(), (Log{"click", "change AVI (*.avi)", "closeup 4"}));
}

TEST_F(ComboBox, EscClosesTheListAndLeavesTheValue) {
  combo->SetItemIndex(2);
  Focus();
  Key(VK_F4);
  Key(VK_UP);
  Key(VK_ESCAPE);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetItemIndex(), 2);
  EXPECT_EQ(combo->GetText(), "MP4 (*.mp4)");
  EXPECT_EQ(events.Take(), (Log{"init", "popup", "closeup 3"}));
}

}  // namespace
