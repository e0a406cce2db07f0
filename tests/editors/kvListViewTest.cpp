#include "EditorsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "controls/Header.h"
#include "toolkit/editors/kvListView.h"
#include "user/InputEvents.h"

namespace {

// Counts the header-section requests its header sends it and keeps the last one asked about.
class TCountingInnerListView : public TkvCustomInnerListView {
  TAVREN_CLASS(TCountingInnerListView, TkvCustomInnerListView)
 public:
  using TkvCustomInnerListView::TkvCustomInnerListView;
  std::vector<THeaderItemInfo> requests;
  String typed;

 protected:
  void WndProc(TMessage& Message) override {
    TkvCustomInnerListView::WndProc(Message);
    if (Message.Msg == HeaderItemInfoRequest) requests.push_back(*reinterpret_cast<THeaderItemInfo*>(Message.LParam));
  }
  void KeyPress(Char& Key) override {
    TkvCustomInnerListView::KeyPress(Key);
    if (Key != 0) typed.push_back(Key);
  }
};

class TTestListView : public TkvCustomListView {
  TAVREN_CLASS(TTestListView, TkvCustomListView)
 public:
  explicit TTestListView(TComponent* AOwner) : TkvCustomListView(AOwner, TCountingInnerListView::ClassInfo()) {}
  TCountingInnerListView* Inner() const { return static_cast<TCountingInnerListView*>(GetInnerListView()); }
  String typed;
  Integer cancels = 0;
  TObject* cancelSender = nullptr;
  void Cancelled(TObject* Sender) {
    ++cancels;
    cancelSender = Sender;
  }

 protected:
  void KeyPress(Char& Key) override {
    typed.push_back(Key);
    TkvCustomListView::KeyPress(Key);
  }
};

TAVREN_CLASS_IMPL(TCountingInnerListView)
TAVREN_CLASS_IMPL(TTestListView)

class ListView : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    form->SetBounds(50, 50, 460, 300);
    list = new TTestListView(form);
    list->SetParent(form);
    list->SetBounds(10, 10, 400, 200);
    list->GetStyle()->GetLookAndFeel()->SetKind(lfUltraFlat);
    list->SetViewStyle(vsReport);
    for (const char* caption : {"Source video", "Original Length", "Trimmed Length"}) {
      TListColumn* column = list->GetColumns()->Add();
      column->SetCaption(caption);
      column->SetWidth(110);
    }
    form->Show();
    Pump();
  }
  void AddRows(Integer Count) {
    for (Integer i = 0; i < Count; ++i) {
      TListItem* item = list->GetItems()->Add();
      item->SetCaption("clip" + std::to_string(i) + ".avi");
      item->GetSubItems()->Add("00:01:0" + std::to_string(i % 10));
    }
    Pump();
  }
  HWND Header() const { return list->GetInnerListView()->GetHeader()->GetHandle(); }
  POINT HeaderScreenPoint(Integer X) const {
    POINT p{X, 5};
    ClientToScreen(Header(), &p);
    return p;
  }
  TTestListView* list = nullptr;
};

TEST_F(ListView, HeaderIsTakenOverAndPaintsOneSectionPastTheLast) {
  ASSERT_NE(Header(), nullptr);
  EXPECT_TRUE(GetWindowLong(Header(), GWL_STYLE) & HDS_HOTTRACK);
  list->Inner()->requests.clear();
  InvalidateRect(Header(), nullptr, FALSE);
  Pump();
  const auto& requests = list->Inner()->requests;
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[0].Text, "Source video");
  EXPECT_EQ(requests[2].Rect.Right, 330);
  // The area after the last column: no text, no image, from the third column's edge to the end.
  EXPECT_EQ(requests[3].Text, "");
  EXPECT_EQ(requests[3].ImageIndex, -1);
  EXPECT_EQ(requests[3].Rect.Left, 330);
  EXPECT_EQ(requests[3].SortOrder, 0);
  // Painted by the look-and-feel painter: the header face, not the list's window colour.
  EXPECT_NE(FormPixel(10 + 360, 10 + 8), ColorToRGB(clWindow));
  EXPECT_EQ(requests[3].State, kvbsNormal);
}

TEST_F(ListView, WithoutColumnsTheWholeHeaderIsButtonFace) {
  list->GetColumns()->Clear();
  Pump();
  RECT header;
  GetWindowRect(Header(), &header);
  if (header.Bottom - header.Top <= 0) GTEST_SKIP() << "the header hides without columns";
  POINT p{header.Left + 20, header.Top + 3};
  ScreenToClient(form->GetHandle(), &p);
  EXPECT_EQ(FormPixel(p.X, p.Y), ColorToRGB(clBtnFace));
}

TEST_F(ListView, SectionStatesFollowColumnClickImagesAndEnabled) {
  TkvCustomInnerListView* inner = list->GetInnerListView();
  ScriptMouseMove(HeaderScreenPoint(50));
  Pump();
  EXPECT_EQ(inner->GetHeader()->SectionState(0), kvbsHot);
  EXPECT_EQ(inner->GetHeader()->SectionState(1), kvbsNormal);

  // A pressed section while the button is down; normal again once capture goes.
  POINT p = HeaderScreenPoint(50);
  ScriptMouseMove(p);
  Pump();
  SendMessage(Header(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 5));
  EXPECT_EQ(inner->GetHeader()->GetPressedSection(), 0);
  EXPECT_EQ(inner->GetHeader()->SectionState(0), kvbsPressed);
  ReleaseCapture();
  Pump();
  EXPECT_EQ(inner->GetHeader()->GetPressedSection(), -1);

  // A column with an image turns hot tracking off for all, but pressing still works.
  list->Column(2)->SetImageIndex(0);
  EXPECT_EQ(inner->GetHeader()->SectionState(0), kvbsNormal);
  SendMessage(Header(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 5));
  EXPECT_EQ(inner->GetHeader()->SectionState(0), kvbsPressed);
  ReleaseCapture();
  list->Column(2)->SetImageIndex(-1);

  // ColumnClick off: never hot, never pressed.
  list->SetColumnClick(false);
  Pump();
  EXPECT_EQ(inner->GetHeader()->SectionState(0), kvbsNormal);
  SendMessage(Header(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 5));
  EXPECT_EQ(inner->GetHeader()->GetPressedSection(), -1);
  ReleaseCapture();

  list->SetEnabled(false);
  for (Integer i = 0; i <= 3; ++i) EXPECT_EQ(inner->GetHeader()->SectionState(i), kvbsDisabled);
}

TEST_F(ListView, ReadOnlyBlocksLabelEditingAndDeletion) {
  AddRows(3);
  list->SetReadOnly(true);
  list->GetItems()->GetItem(1)->SetSelected(true);
  EXPECT_EQ(SendMessage(list->GetInnerListView()->GetHandle(), LVM_EDITLABEL, 1, 0), 0);
  list->GetInnerListView()->DeleteSelected();
  EXPECT_EQ(list->GetItems()->GetCount(), 3);

  list->SetReadOnly(false);
  list->GetInnerListView()->DeleteSelected();
  EXPECT_EQ(list->GetItems()->GetCount(), 2);
}

TEST_F(ListView, CancelledLabelEditReportsTheContainer) {
  AddRows(2);
  list->SetOnCancelEdit(MakeEvent<&TTestListView::Cancelled>(list));
  HWND edit = reinterpret_cast<HWND>(SendMessage(list->GetInnerListView()->GetHandle(), LVM_EDITLABEL, 0, 0));
  ASSERT_NE(edit, nullptr);
  SendMessage(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  EXPECT_EQ(list->cancels, 1);
  EXPECT_EQ(list->cancelSender, list);
  EXPECT_EQ(list->GetItems()->GetItem(0)->GetCaption(), "clip0.avi");
}

TEST_F(ListView, TabIsDroppedAndEnterStopsAtTheContainer) {
  AddRows(1);
  HWND inner = list->GetInnerListView()->GetHandle();
  for (UINT c : {UINT('\t'), UINT('\r'), UINT('x')}) SendMessage(inner, WM_CHAR, c, 0);
  EXPECT_EQ(list->typed, "\rx");
  EXPECT_EQ(list->Inner()->typed, "x");
}

TEST_F(ListView, AssignedIconOptionsStayTheCallers) {
  TkvIconOptions mine;
  mine.SetArrangement(TIconArrangement::iaLeft);
  mine.SetAutoArrange(true);
  mine.SetWrapText(false);
  list->SetIconOptions(&mine);
  EXPECT_NE(list->GetIconOptions(), &mine);
  TIconOptions* inner = list->GetInnerListView()->GetIconOptions();
  EXPECT_EQ(inner->GetArrangement(), TIconArrangement::iaLeft);
  EXPECT_TRUE(inner->GetAutoArrange());
  EXPECT_FALSE(inner->GetWrapText());
  mine.SetWrapText(true);
  EXPECT_FALSE(list->GetIconOptions()->GetWrapText());
  EXPECT_FALSE(inner->GetWrapText());
  list->GetIconOptions()->SetWrapText(true);
  EXPECT_TRUE(inner->GetWrapText());
}

TEST_F(ListView, FileListUseFindsAndSelectsRows) {
  list->SetReadOnly(true);
  list->SetRowSelect(true);
  list->SetGridLines(true);
  AddRows(5);
  EXPECT_TRUE(list->GetGridLines());
  TRect row = list->GetItems()->GetItem(2)->DisplayRect(drBounds);
  // RowSelect: a point in the second column still finds the row.
  TListItem* hit = list->GetItemAt(200, row.Top + 2);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->GetIndex(), 2);
  POINT p{200, row.Top + 2};
  ClientToScreen(list->GetInnerListView()->GetHandle(), &p);
  ScriptClick(p);
  Pump();
  ASSERT_NE(list->GetSelected(), nullptr);
  EXPECT_EQ(list->GetItemIndex(), 2);
  list->Clear();
  EXPECT_EQ(list->GetItems()->GetCount(), 0);
  EXPECT_EQ(list->GetSelected(), nullptr);
}

TEST_F(ListView, ContainerScrollBarsScrollTheRows) {
  AddRows(60);
  TkvControlScrollBar* bar = list->GetVScrollBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->GetVisible());
  Integer position = 20;
  list->ScrollContent(sbVertical, scTrack, position);
  EXPECT_EQ(SendMessage(list->GetInnerListView()->GetHandle(), LVM_GETTOPINDEX, 0, 0), 20);
  position = 0;
  list->ScrollContent(sbVertical, scLineDown, position);
  EXPECT_EQ(position, 21);
}

TEST_F(ListView, CheckBoxesTickOnClick) {
  list->SetCheckboxes(true);
  AddRows(3);
  TListItem* item = list->GetItems()->GetItem(1);
  EXPECT_FALSE(item->GetChecked());
  TRect icon = item->DisplayRect(drIcon);
  POINT p{icon.Left - 8, (icon.Top + icon.Bottom) / 2};
  ClientToScreen(list->GetInnerListView()->GetHandle(), &p);
  ScriptClick(p);
  Pump();
  EXPECT_TRUE(item->GetChecked());
  EXPECT_FALSE(item->GetSelected());
  item->SetChecked(false);
  EXPECT_FALSE(item->GetChecked());
}

}  // namespace
