// The file-list frame over a task list of probed clips: rows rebuilt on every change with the last
// one selected, the destination editor opened only inside the fourth column and written straight
// into the job settings, and a click below the rows keeping the selection.

#include <gtest/gtest.h>

#include "MediaFixture.h"
#include "Screenshots.h"
#include "VclTestSupport.h"
#include "app/VideoListVw.h"
#include "backend/ScriptedInput.h"
#include "tests/rtl/ScratchDir.h"
#include "toolkit/editors/kvListView.h"
#include "toolkit/editors/kvTextEdit.h"

namespace {

class FileListTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    CreateMainForm();
    form = NewForm(40, 40, 740, 300);
    frame = static_cast<TFrameFileList*>(TFrameFileList::ClassInfo()->Create(form));
    frame->SetParent(form);
    frame->SetAlign(alClient);
    list = std::make_unique<TVideoList>(dir.File("configure.ini"));
    frame->SetVideoList(list.get());
    list->Attach(frame);
    form->Show();
    Settle();
  }
  void TearDown() override {
    list->Detach(frame);
    VclTest::TearDown();
  }
  // The clip, made once for all the tests: 2 s at 320 x 240.
  static const String& Clip() {
    static ScratchDir media;
    static const String path = [] {
      String file = media.File("clip.mp4");
      Make(file, "-f lavfi -i testsrc2=size=320x240:rate=25:duration=2 -c:v libx264 -pix_fmt yuv420p");
      return file;
    }();
    return path;
  }
  void AddClips(Integer Count) {
    TMediaInfo probe;
    for (Integer i = 0; i < Count; ++i) list->AddFile(&probe, Clip());
    Settle();
  }
  std::vector<String> Row(Integer Index) {
    TListItem* row = frame->FileList->GetItems()->GetItem(Index);
    std::vector<String> texts{row->GetCaption()};
    for (Integer i = 0; i < row->GetSubItems()->GetCount(); ++i) texts.push_back(row->GetSubItems()->GetStrings(i));
    return texts;
  }
  Integer Selected() {
    TListItem* row = frame->FileList->GetSelected();
    return row ? row->GetIndex() : -1;
  }
  // A point of the row on the screen, X from the left of its fourth column.
  POINT InFourthColumn(Integer Index, Integer X) {
    TkvCustomInnerListView* inner = frame->FileList->GetInnerListView();
    TListItem* row = frame->FileList->GetItems()->GetItem(Index);
    const TRect bounds = row->DisplayRect(drBounds);
    Integer x3 = bounds.Left;
    for (Integer i = 0; i < 3; ++i) x3 += frame->FileList->Column(i)->GetWidth();
    const TPoint at = inner->ClientToScreen(TPoint(x3 + X, (bounds.Top + bounds.Bottom) / 2));
    return {at.X, at.Y};
  }
  void Click(POINT At) {
    clock.Advance(1000);  // never a double click
    ScriptClick(At);
    Settle();
  }

  ScratchDir dir;
  TForm* form = nullptr;
  TFrameFileList* frame = nullptr;
  std::unique_ptr<TVideoList> list;
};

TEST_F(FileListTest, RowsFollowTheListWithTheLastSelected) {
  EXPECT_EQ(frame->FileList->GetItems()->GetCount(), 0);
  AddClips(3);
  ASSERT_EQ(frame->FileList->GetItems()->GetCount(), 3);
  EXPECT_EQ(Row(0), (std::vector<String>{"clip.mp4", "00:00:02.000", "00:00:02.000", "clip_mp4"}));
  EXPECT_EQ(Selected(), 2);
  EXPECT_TRUE(frame->FileList->GetGridLines());
  EXPECT_TRUE(frame->FileList->GetRowSelect());
  EXPECT_TRUE(SaveWindowShot(form->GetHandle(), "app-filelist"));

  // A range whose end is its start shows a zero length.
  list->GetInfo(1)->Task->StartTime = list->GetInfo(1)->Task->EndTime;
  list->Delete(0);
  EXPECT_EQ(Row(0)[2], "00:00:00.000");
  EXPECT_EQ(Selected(), 1);
  list->Clear();
  EXPECT_EQ(frame->FileList->GetItems()->GetCount(), 0);
  EXPECT_EQ(Selected(), -1);
}

TEST_F(FileListTest, TheDestinationIsEditedInPlaceInsideTheFourthColumnOnly) {
  AddClips(3);
  Click(InFourthColumn(1, 0));
  EXPECT_FALSE(frame->Edit->GetVisible()) << "the column's left border opens nothing";
  EXPECT_EQ(GetCapture(), nullptr) << "after a click on a row the mouse reaches the other windows again";
  Click(InFourthColumn(1, 20));
  ASSERT_TRUE(frame->Edit->GetVisible());
  EXPECT_EQ(frame->GetEditRow(), 1);
  EXPECT_EQ(frame->Edit->GetText(), "clip_mp4");
  const TPoint corner = frame->Edit->ClientToScreen(TPoint(0, 0));
  const POINT cell = InFourthColumn(1, 0);
  EXPECT_NEAR(corner.X, cell.X, 3);
  EXPECT_NEAR(corner.Y, cell.Y, 12);

  ScriptTypeText("renamed");  // over the selected name
  Settle();
  EXPECT_EQ(list->GetInfo(1)->Task->OutName, "renamed");
  EXPECT_EQ(Row(1)[3], "renamed");
  EXPECT_EQ(frame->FileList->GetItems()->GetCount(), 3) << "typing rebuilds nothing";
  EXPECT_EQ(list->GetInfo(0)->Task->OutName, "clip_mp4");

  // A change of the list closes the editor: its row may hold another file now.
  list->Delete(0);
  EXPECT_FALSE(frame->Edit->GetVisible());
  ScriptTypeText("x");
  Settle();
  for (Integer i = 0; i < list->GetCount(); ++i) EXPECT_EQ(list->GetInfo(i)->Task->OutName.find('x'), String::npos);
}

TEST_F(FileListTest, AClickBelowTheRowsKeepsTheSelectionAndClosesTheEditor) {
  AddClips(2);
  Click(InFourthColumn(0, 20));
  ASSERT_TRUE(frame->Edit->GetVisible());
  EXPECT_EQ(Selected(), 0);
  const TPoint below = frame->FileList->ClientToScreen(TPoint(40, frame->FileList->GetHeight() - 20));
  Click({below.X, below.Y});
  EXPECT_FALSE(frame->Edit->GetVisible());
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(frame->GetLastSelected(), 0);
}

}  // namespace
