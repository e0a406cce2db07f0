// The seek bar: placing from values, the setters' rules, and dragging each grip with the mouse.

#include <gtest/gtest.h>

#include <cmath>

#include "Screenshots.h"
#include "VclTestSupport.h"
#include "app/RangeSlider.h"
#include "backend/ScriptedInput.h"

namespace {

// Counts what the bar reports.
class TSeekRecorder : public TObject {
 public:
  void HandleMove(TObject*, Integer Kind, Double, Double) { lastKind = Kind, ++moves; }
  void SelectionUp(TObject*, Double, Double, Double) { ++selectionUps; }
  int lastKind = 0, moves = 0, selectionUps = 0;
};

class SeekBarTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    form = NewForm(100, 100, 400, 80);
    bar = static_cast<TframSeekBar*>(TframSeekBar::ClassInfo()->Create(form));
    bar->SetParent(form);
    // As the clip editor places it: 337 wide, so the track is 321 wide at left 8.
    bar->SetBounds(10, 20, 337, 23);
    bar->OnHandleMove = MakeEvent<&TSeekRecorder::HandleMove>(&events);
    bar->OnSelectionUp = MakeEvent<&TSeekRecorder::SelectionUp>(&events);
    bar->DragEnabled = true;
    form->Show();
    Settle();
  }
  POINT At(TControl* Control, Integer X, Integer Y) {
    TPoint p = Control->ClientToScreen({X, Y});
    return {p.X, p.Y};
  }
  void Drag(TControl* Control, Integer Dx, int Steps = 4) {
    // Apart in time, so that two drags never make a double click.
    clock.Advance(1000);
    // Handles are taken at their outer side: the marker riding on a handle covers its inner side.
    const Integer x = Control == bar->imgStart ? 1 : Control == bar->imgEnd ? 5 : Control->GetWidth() / 2;
    POINT from = At(Control, x, Control->GetHeight() / 2);
    ScriptDrag(from, {from.X + Dx, from.Y}, Steps);
    Settle();
  }
  Integer StartEdge() const { return bar->imgStart->GetLeft() + bar->imgStart->GetWidth(); }

  TForm* form = nullptr;
  TframSeekBar* bar = nullptr;
  TSeekRecorder events;
  int lastKind = 0, moves = 0, selectionUps = 0;
};

TEST_F(SeekBarTest, SetAllPlacesTheGripsOnTheTrack) {
  ASSERT_EQ(bar->imgBackground->GetLeft(), 8);
  ASSERT_EQ(bar->imgBackground->GetWidth(), 321);
  bar->SetAll(0, 1000, 250, 750, 250);
  EXPECT_EQ(StartEdge(), 92);                    // Round(91.75)
  EXPECT_EQ(bar->imgEnd->GetLeft(), 245);        // Round(245.25)
  EXPECT_EQ(bar->imgSel->GetLeft(), 92);
  EXPECT_EQ(bar->imgSel->GetWidth(), 245 - 92);
  EXPECT_EQ(bar->imgPosition->GetLeft(), 87);    // centred on Round(91.75 - 5)
  // Handles are centred on the 16-pixel track.
  EXPECT_EQ(bar->imgStart->GetTop(), bar->imgBackground->GetTop() - 2);
}

TEST_F(SeekBarTest, SettersKeepStartPositionEndInOrder) {
  struct Case {
    const char* what;
    char setter;  // 'p'osition, 's'tart or 'e'nd
    Double value, start, end, position;
  };
  const Case cases[] = {
      {"position outside the selection", 'p', 800, 250, 750, 400},
      {"position inside", 'p', 500, 250, 750, 500},
      {"start past the end", 's', 760, 250, 750, 400},
      {"start below Min", 's', -1, 250, 750, 400},
      {"start above the position moves it", 's', 600, 600, 750, 600},
      {"start below the position leaves it", 's', 100, 100, 750, 400},
      {"end below the start", 'e', 200, 250, 750, 400},
      {"end past Max", 'e', 1001, 250, 750, 400},
      {"end below the position moves it", 'e', 300, 250, 300, 300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bar->SetAll(0, 1000, 250, 750, 400);
    if (c.setter == 'p') bar->SetPosition(c.value);
    if (c.setter == 's') bar->SetStart(c.value);
    if (c.setter == 'e') bar->SetEnd(c.value);
    EXPECT_EQ(bar->GetStart(), c.start);
    EXPECT_EQ(bar->GetEnd(), c.end);
    EXPECT_EQ(bar->GetPosition(), c.position);
    EXPECT_EQ(bar->imgPosition->GetLeft(),
              std::lround(15 + c.position / 1000 * 307 - 5));
  }
}

TEST_F(SeekBarTest, AnEmptyRangeBecomesOneUnitWide) {
  bar->SetAll(0, 0, 0, 0, 0);
  EXPECT_EQ(bar->GetMax(), 1);
  EXPECT_EQ(StartEdge(), 15);
  EXPECT_EQ(bar->imgEnd->GetLeft(), 15);
  bar->SetEnd(1);
  EXPECT_EQ(bar->imgEnd->GetLeft(), 322);
}

TEST_F(SeekBarTest, StartHandleDraggedPastTheEndTouchesIt) {
  bar->SetAll(0, 1000, 250, 750, 500);
  Drag(bar->imgStart, 250);
  EXPECT_EQ(StartEdge(), bar->imgEnd->GetLeft());
  EXPECT_EQ(bar->GetStart(), bar->GetEnd());
  EXPECT_EQ(bar->imgSel->GetWidth(), 0);
  // The marker rides on the start handle.
  EXPECT_EQ(bar->GetPosition(), bar->GetStart());
  EXPECT_EQ(events.lastKind, 1);
  EXPECT_GT(events.moves, 0);
}

TEST_F(SeekBarTest, DraggingTheStartHandleBringsTheMarker) {
  bar->SetAll(0, 1000, 250, 750, 600);
  // A handle's left edge follows the mouse: pressed at x 1 of the handle at 85, moved by -30.
  Drag(bar->imgStart, -30);
  EXPECT_EQ(StartEdge(), 63);
  EXPECT_NEAR(bar->GetStart(), 1000.0 * (63 - 15) / 307, 1e-9);
  EXPECT_EQ(bar->GetPosition(), bar->GetStart());
  // Past the track's left end the handle stops at it.
  Drag(bar->imgStart, -60);
  EXPECT_EQ(StartEdge(), 15);
  EXPECT_EQ(bar->GetStart(), 0);
}

TEST_F(SeekBarTest, TheBandDraggedAgainstAnEndStopsCompletely) {
  bar->SetAll(0, 1000, 600, 900, 700);
  const Integer selLeft = bar->imgSel->GetLeft();
  // One step that would carry it past the track's right end: nothing moves.
  Drag(bar->imgSel, 40, 1);
  EXPECT_EQ(bar->imgSel->GetLeft(), selLeft);
  EXPECT_EQ(bar->GetStart(), 600);
  EXPECT_EQ(bar->GetEnd(), 900);
  EXPECT_EQ(events.selectionUps, 1);
  // Within the track the whole selection moves, width and marker with it.
  const Integer width = bar->imgSel->GetWidth();
  Drag(bar->imgSel, -50);
  EXPECT_EQ(bar->imgSel->GetLeft(), selLeft - 50);
  EXPECT_EQ(bar->imgSel->GetWidth(), width);
  EXPECT_EQ(StartEdge(), selLeft - 50);
  EXPECT_NEAR(bar->GetEnd() - bar->GetStart(), 1000.0 * width / 307, 1e-9);
}

TEST_F(SeekBarTest, EndHandleAndMarkerStayInsideTheirLimits) {
  bar->SetAll(0, 1000, 250, 750, 400);
  Drag(bar->imgEnd, 200);
  EXPECT_EQ(bar->imgEnd->GetLeft(), 322);
  EXPECT_EQ(bar->GetEnd(), 1000);
  EXPECT_EQ(bar->GetPosition(), 1000);
  EXPECT_EQ(events.lastKind, 2);
  // The marker never leaves the selection.
  const Integer markerLeft = bar->imgPosition->GetLeft();
  Drag(bar->imgPosition, 30, 1);
  EXPECT_EQ(bar->imgPosition->GetLeft(), markerLeft);
  Drag(bar->imgPosition, -100, 1);
  EXPECT_EQ(bar->imgPosition->GetLeft(), markerLeft - 100);
}

TEST_F(SeekBarTest, MouseIsIgnoredWhileDraggingIsOff) {
  bar->SetAll(0, 1000, 250, 750, 400);
  bar->DragEnabled = false;
  Drag(bar->imgStart, 50);
  Drag(bar->imgSel, 30);
  EXPECT_EQ(StartEdge(), 92);
  EXPECT_EQ(bar->GetStart(), 250);
  EXPECT_EQ(events.moves, 0);
  EXPECT_EQ(events.selectionUps, 0);
}

TEST_F(SeekBarTest, Screenshot) {
  bar->SetAll(0, 1000, 250, 750, 400);
  EXPECT_TRUE(SaveWindowShot(form->GetHandle(), "app-seekbar"));
}

}  // namespace
