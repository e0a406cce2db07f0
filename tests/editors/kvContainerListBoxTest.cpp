#include "EditorsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "controls/ListBox.h"
#include "user/InputEvents.h"
#include "vcl/Graphics.h"

namespace {

class InnerListBox : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    form->SetBounds(100, 100, 400, 300);
    container = new TTestContainer(form);
    container->SetParent(form);
    container->SetBounds(10, 10, 200, 150);
    container->GetStyle()->GetLookAndFeel()->SetKind(lfUltraFlat);
    list = new TkvCustomInnerListBox(form);
    list->SetContainer(container);
    list->SetParent(container);
    container->SetInnerControl(list);
    form->Show();
    Pump();
  }
  void Type(UINT Character) {
    PostMessage(list->GetHandle(), WM_CHAR, Character, 0);
    Pump();
  }
  TTestContainer* container = nullptr;
  TkvCustomInnerListBox* list = nullptr;
};

TEST_F(InnerListBox, TypedLettersSearchIncrementallyWithinTheDelay) {
  for (const char* s : {"apple", "apricot", "banana", "blueberry", "\xC3\x84rger", "\xC3\x84rmel"}) list->GetItems()->Add(s);
  list->SetFocus();
  Pump();
  struct Step {
    std::vector<UINT> bytes;
    uint64_t pauseBefore;
    const char* search;
    Integer itemIndex;
  };
  const Step kSteps[] = {
      {{'a'}, 0, "a", 0},
      {{'p'}, 100, "ap", 0},
      {{'r'}, 100, "apr", 1},
      {{'b'}, 600, "b", 2},      // a longer pause starts a new search
      {{'l'}, 100, "bl", 3},
      {{'\b'}, 100, "b", 2},     // Backspace takes one character back and searches again
      {{0xC3, 0x84}, 600, "\xC3\x84", 4},  // one character of two bytes, taken as a whole
      {{'r', 'm'}, 100, "\xC3\x84rm", 5},
      {{'\b', '\b', '\b'}, 100, "", 0},  // the whole two-byte character goes with one Backspace
  };
  for (const Step& step : kSteps) {
    SCOPED_TRACE(step.search);
    Clock().Advance(step.pauseBefore);
    for (UINT byte : step.bytes) PostMessage(list->GetHandle(), WM_CHAR, byte, 0);
    Pump();
    EXPECT_EQ(list->SearchText(), step.search);
    EXPECT_EQ(list->GetItemIndex(), step.itemIndex);
  }
}

TEST_F(InnerListBox, EnterAndTabNeverReachTheListsOwnKeyHandling) {
  list->GetItems()->Add("one");
  struct Keys : TObject {
    std::vector<Char> seen;
    void Press(TObject*, Char& Key) { seen.push_back(Key); }
  } keys;
  list->SetOnKeyPress(MakeEvent<&Keys::Press>(&keys));
  list->SetFocus();
  Pump();
  for (UINT c : {UINT('\r'), UINT('\t'), UINT('o')}) Type(c);
  EXPECT_EQ(keys.seen, (std::vector<Char>{'o'}));
  // The list asks for tabs and characters while it serves a container.
  LRESULT code = SendMessage(list->GetHandle(), WM_GETDLGCODE, 0, 0);
  EXPECT_TRUE(code & DLGC_WANTCHARS);
  EXPECT_TRUE(code & DLGC_WANTTAB);
}

TEST_F(InnerListBox, DraggingASelectedItemOfAMultiSelectListKeepsTheSelection) {
  for (const char* s : {"zero", "one", "two", "three"}) list->GetItems()->Add(s);
  list->SetMultiSelect(true);
  list->SetSelected(1, true);
  list->SetSelected(2, true);
  container->SetDragMode(dmAutomatic);
  Pump();
  TRect item = list->ItemRect(1);
  TPoint from = list->ClientToScreen(TPoint(item.Left + 10, item.Top + 3));
  ScriptDrag(from, TPoint(from.X + 150, from.Y + 100));
  Pump();
  EXPECT_TRUE(list->GetSelected(1));
  EXPECT_TRUE(list->GetSelected(2));
  EXPECT_EQ(list->GetSelCount(), 2);
  EXPECT_EQ(list->GetDragMode(), dmAutomatic);
}

TEST_F(InnerListBox, AToolkitBarLiesExactlyOverTheNativeOneAndScrollsTheList) {
  for (int i = 0; i < 100; ++i) list->GetItems()->Add("Item " + std::to_string(i));
  Pump();
  TkvScrollBar* bar = list->GetVScrollBar();
  ASSERT_TRUE(bar->GetVisible());
  EXPECT_EQ(bar->GetParent(), container);
  EXPECT_FALSE(list->GetHScrollBar()->GetVisible());
  SCROLLBARINFO info;
  ASSERT_TRUE(QueryScrollBarInfo(list->GetHandle(), OBJID_VSCROLL, info));
  TPoint topLeft = container->ScreenToClient(info.rcScrollBar.TopLeft());
  EXPECT_EQ(bar->GetBoundsRect(), Bounds(topLeft.X, topLeft.Y, info.rcScrollBar.Width(), info.rcScrollBar.Height()));
  SCROLLINFO native;
  native.fMask = SIF_ALL;
  GetScrollInfo(list->GetHandle(), SB_VERT, &native);
  EXPECT_EQ(bar->GetMax(), native.nMax);
  EXPECT_EQ(bar->GetPageSize(), static_cast<Integer>(native.nPage));

  // Dragging the thumb halfway down scrolls the list there.
  TRect thumb = bar->GetViewInfo()->Thumb;
  TPoint grip = bar->ClientToScreen(TPoint((thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2));
  ScriptDrag(grip, TPoint(grip.X, grip.Y + bar->GetHeight() / 2));
  Pump();
  EXPECT_GT(list->GetTopIndex(), 30);
  EXPECT_EQ(bar->GetPosition(), list->GetTopIndex());
  EXPECT_EQ(GetScrollPos(list->GetHandle(), SB_VERT), list->GetTopIndex());

  // Selecting an item the list scrolls to moves the bar with it.
  list->SetTopIndex(10);
  Pump();
  EXPECT_EQ(bar->GetPosition(), 10);

  // With both bars the corner between them is filled.
  HWND window = list->GetHandle();
  SetWindowLong(window, GWL_STYLE, GetWindowLong(window, GWL_STYLE) | WS_HSCROLL);
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  SendMessage(window, LB_SETHORIZONTALEXTENT, 600, 0);
  Pump();
  ASSERT_TRUE(list->GetHScrollBar()->GetVisible());
  TRect corner = list->SizeGripRect();
  ASSERT_GT(corner.Width(), 0);
  TPoint center = TPoint(list->GetVScrollBar()->GetLeft() + 2, list->GetHScrollBar()->GetTop() + 2);
  TPoint inForm = form->ScreenToClient(container->ClientToScreen(center));
  EXPECT_EQ(FormPixel(inForm.X, inForm.Y),
            ColorToRGB(container->GetLookAndFeel()->ActivePainter()->DefaultColor32()));
}

}  // namespace
