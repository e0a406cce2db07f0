#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

#include "BarsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "toolkit/bars/qzBarAccessibility.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlEdits.h"
#include "toolkit/bars/qzBarPopupMenu.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "rtl/SysUtils.h"
#include "user/Clock.h"
#include "user/Input.h"
#include "user/Rects.h"
#include "user/Messages.h"
#include "user/WindowPos.h"
#include "vcl/Forms.h"

namespace {

// The captions of the items clicked, in order.
struct TClickLog : TObject {
  std::vector<String> clicked;
  void Clicked(TObject* Sender) { clicked.push_back(static_cast<TqzBarItem*>(Sender)->GetCaption()); }
};

// Toolbars of a manager on a shown form.
class ToolbarWindows : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 300);
    form->SetColor(clBtnFace);
    form->Show();
    Pump();
    Later();
  }
  // Clicks before are long past: no double click joins them.
  void Later() { static_cast<FakeClock&>(CurrentClock()).Advance(2000); }
  TqzBar* AddBar(const char* ACaption, Integer AButtons, TqzBarDockingStyle AStyle, Integer ARow = 0) {
    TqzBar* bar = manager->GetBars()->AddBar();
    bar->SetCaption(ACaption);
    for (Integer i = 0; i < AButtons; ++i) {
      auto* item = new TqzBarButton(form);
      item->SetCaption(String("Cmd") + IntToStr(i));
      item->SetPaintStyle(psCaption);
      bar->GetItemLinks()->AddLinkForItem(item)->SetBeginGroup(i == 2);
    }
    bar->SetDockingStyle(AStyle);
    bar->SetRow(ARow);
    bar->SetVisible(true);
    Pump();
    return bar;
  }
  TqzDockControl* Site(TqzBarDockingStyle AStyle) { return manager->GetBars()->GetDockControl(AStyle); }
  // The grip's edge (outside every control), in screen coordinates.
  POINT GripPoint(TqzBarControl* AWindow) {
    RECT r;
    GetWindowRect(AWindow->GetHandle(), &r);
    return {r.Left, (r.Top + r.Bottom) / 2};
  }
  POINT CaptionPoint(TqzBarControl* AWindow) {
    RECT r;
    GetWindowRect(AWindow->GetHandle(), &r);
    TRect caption = AWindow->CaptionRect();
    return {r.Left + caption.Left + 8, r.Top + (caption.Top + caption.Bottom) / 2};
  }
};

TEST_F(ToolbarWindows, DockedBarsSitInRowsOfTheirSiteAndSizeIt) {
  TqzBar* first = AddBar("First", 3, dsTop);
  TqzBar* second = AddBar("Second", 2, dsTop);
  TqzBarControl* a = first->GetBarControl();
  TqzBarControl* b = second->GetBarControl();
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  TqzDockControl* top = Site(dsTop);
  EXPECT_EQ(a->GetParent(), top);
  EXPECT_TRUE(IsWindowVisible(a->GetHandle()));
  // Both windows go into row 0 (their stored row), the first left of the second.
  ASSERT_EQ(top->GetRowCount(), 1);
  EXPECT_EQ(top->GetRow(0)->GetColCount(), 2);
  EXPECT_EQ(a->GetTop(), 0);
  EXPECT_EQ(b->GetTop(), 0);
  // The second comes first: its stored place is where the first one's is.
  EXPECT_EQ(top->GetRow(0)->GetCol(0)->GetBarControl(), b);
  EXPECT_EQ(b->GetLeft() + b->GetWidth(), a->GetLeft());
  EXPECT_EQ(top->GetHeight(), std::max(a->GetHeight(), b->GetHeight()));
  // A new row of its own: the site grows by the row's thickness.
  second->SetRow(1);
  EXPECT_EQ(second->GetRow(), 1);
  EXPECT_EQ(top->GetRowCount(), 2);
  EXPECT_EQ(b->GetTop(), a->GetHeight());
  EXPECT_EQ(top->GetHeight(), a->GetHeight() + b->GetHeight());
  // Every visible link got a place; the group start has a separator before it.
  TqzBarItemLinks* links = first->GetItemLinks();
  for (Integer i = 0; i < links->GetVisibleLinkCount(); ++i)
    EXPECT_FALSE(IsRectEmpty(&links->GetVisibleLink(i)->GetItemRect())) << i;
  EXPECT_EQ(links->GetVisibleLink(2)->GetItemRect().Left - links->GetVisibleLink(1)->GetItemRect().Right,
            a->SeparatorSize());
  EXPECT_EQ(a->GetLayoutInfo()->SeparatorEntryCount(), 1);
  // Hiding the bar frees its window and keeps its row for its return.
  second->SetVisible(false);
  EXPECT_EQ(second->GetBarControl(), nullptr);
  EXPECT_EQ(top->GetHeight(), a->GetHeight());
  second->SetVisible(true);
  EXPECT_EQ(second->GetRow(), 1);
}

TEST_F(ToolbarWindows, AShortRowHidesTheLastLinksOfASingleLineBarBehindTheMark) {
  TqzBar* bar = AddBar("Long", 30, dsTop);
  TqzBarControl* window = bar->GetBarControl();
  TqzBarItemLinks* links = bar->GetItemLinks();
  ASSERT_NE(window, nullptr);
  Integer full = window->GetFullLength();
  ASSERT_GT(full, Site(dsTop)->GetClientWidth()) << "the fixture needs a bar longer than the form";
  EXPECT_TRUE(window->GetLinksHidden());
  EXPECT_TRUE(window->ShowsMark());
  EXPECT_EQ(window->GetWidth(), Site(dsTop)->GetClientWidth());
  Integer shown = 0;
  for (Integer i = 0; i < links->GetVisibleLinkCount(); ++i)
    if (!IsRectEmpty(&links->GetVisibleLink(i)->GetItemRect())) ++shown;
  EXPECT_GT(shown, 0);
  EXPECT_LT(shown, 30);
  // The shown links are the first ones.
  EXPECT_FALSE(IsRectEmpty(&links->GetVisibleLink(0)->GetItemRect()));
  EXPECT_TRUE(IsRectEmpty(&links->GetVisibleLink(29)->GetItemRect()));
  // A wider form shows them all.
  form->SetWidth(full + 200);
  Pump();
  EXPECT_FALSE(window->GetLinksHidden());
  EXPECT_FALSE(IsRectEmpty(&links->GetVisibleLink(29)->GetItemRect()));
}

TEST_F(ToolbarWindows, RowZonesTellJoiningARowFromANewOne) {
  AddBar("First", 2, dsTop);
  TqzBar* second = AddBar("Second", 2, dsTop);
  second->SetRow(1);
  TqzDockControl* top = Site(dsTop);
  Integer t0 = top->RowThickness(0);
  Integer t1 = top->RowThickness(1);
  ASSERT_GT(t0, 10);
  struct Case {
    Integer across;
    Integer row;
    bool newRow;
  } const kCases[] = {
      {-20, 0, true},            // before the split line ahead of the first row: a new first row
      {-23 + 9, 0, true},        // on that split line: a new first row
      {2, 0, false},             // inside row 0 before its split line
      {t0 + t1 + 9, 2, true},    // the split line after the last row: a new last row
      {t0 + t1 + 20, 2, false},  // beyond the split line after the last row
  };
  for (const Case& c : kCases) {
    bool newRow = false;
    TPoint p = top->SiteToScreen(TPoint(30, c.across));
    Integer row = top->RowAtPoint(p, newRow);
    EXPECT_EQ(row, c.row) << c.across;
    if (c.row < top->GetRowCount()) {
      EXPECT_EQ(newRow, c.newRow) << c.across;
    }
  }
}

TEST_F(ToolbarWindows, AFloatingBarDocksAfterRestingOverTheSiteAndFloatsAgainWhenDraggedOff) {
  TqzBar* bar = AddBar("Tools", 3, dsNone);
  bar->SetFloatLeft(200);
  bar->SetFloatTop(200);
  TqzBarControl* window = bar->GetBarControl();
  ASSERT_NE(window, nullptr);
  Pump();
  ASSERT_TRUE(window->IsFloating());
  POINT grab = CaptionPoint(window);
  POINT over = Site(dsTop)->SiteToScreen(TPoint(60, 4));
  // Moving over the site and releasing at once keeps the bar floating.
  InputMouseMove(grab);
  InputMouseButton(grab, MouseButton::Left, true);
  InputMouseMove({over.X, over.Y});
  InputMouseButton(over, MouseButton::Left, false);
  Pump();
  EXPECT_TRUE(window->IsFloating());
  EXPECT_EQ(bar->GetDockingStyle(), dsNone);
  EXPECT_FALSE(manager->GetBars()->IsDragging());
  EXPECT_EQ(GetCapture(), nullptr);
  // Resting there past WaitForDockingTime docks it in a row of the top site.
  Later();
  bar->SetFloatLeft(200);
  bar->SetFloatTop(200);
  grab = CaptionPoint(window);
  InputMouseMove(grab);
  InputMouseButton(grab, MouseButton::Left, true);
  InputMouseMove(over);
  InputPause(TqzBars::WaitForDockingTime + 5);
  InputMouseButton(over, MouseButton::Left, false);
  Pump();
  EXPECT_FALSE(window->IsFloating());
  EXPECT_EQ(window->GetDockControl(), Site(dsTop));
  EXPECT_EQ(bar->GetDockingStyle(), dsTop);
  EXPECT_EQ(bar->GetDockedDockingStyle(), dsTop);
  EXPECT_EQ(bar->GetRow(), 0);
  EXPECT_EQ(bar->GetDockedLeft(), window->GetLeft());
  // Dragged off by its grip it floats where it was dropped.
  Later();
  POINT grip = GripPoint(window);
  POINT away{300, 250};
  InputMouseMove(grip);
  InputMouseButton(grip, MouseButton::Left, true);
  InputMouseMove({200, 200});
  InputMouseMove(away);
  InputMouseButton(away, MouseButton::Left, false);
  Pump();
  EXPECT_TRUE(window->IsFloating());
  EXPECT_EQ(bar->GetDockingStyle(), dsNone);
  RECT r;
  GetWindowRect(window->GetHandle(), &r);
  EXPECT_EQ(bar->GetFloatLeft(), r.Left);
  EXPECT_EQ(bar->GetFloatTop(), r.Top);
  EXPECT_TRUE(r.Left <= away.X && away.X < r.Right && r.Top <= away.Y && away.Y < r.Bottom);
  EXPECT_EQ(Site(dsTop)->GetHeight(), 0);
}

// A bar dragged off its site, back onto it and off again keeps one docked and one floating window
// and switches between them; the in-place edit is gone while it moves and comes back in the
// window the bar ends in, and the window left unused then goes.
TEST_F(ToolbarWindows, AMovedBarSwitchesBetweenItsKeptDockedAndFloatingWindows) {
  TqzBar* bar = AddBar("Tools", 2, dsTop);
  bar->SetAlphaBlendValue(153);
  auto* edit = new TqzBarEdit(form);
  edit->SetWidth(80);
  bar->GetItemLinks()->AddLinkForItem(edit);
  Pump();
  TqzBarControl* window = bar->GetBarControl();
  HWND docked = window->GetHandle();
  auto editWindow = [&] {
    auto* control = dynamic_cast<TqzBarEditControl*>(bar->GetItemLinks()->GetLink(2)->GetControl());
    return control ? control->GetEditWindow() : nullptr;
  };
  ASSERT_NE(editWindow(), nullptr);
  struct TStep {
    TqzBarDockingStyle style;
    HWND handle, keptDocked, keptFloating, edit;
    int alpha;  // the window's layered alpha, -1 when not layered
  };
  auto layeredAlpha = [](HWND AWindow) {
    BYTE alpha = 0;
    if (!(GetWindowLong(AWindow, GWL_EXSTYLE) & WS_EX_LAYERED) ||
        !GetLayeredWindowAttributes(AWindow, nullptr, &alpha, nullptr))
      return -1;
    return static_cast<int>(alpha);
  };
  struct TStepLog : TObject {
    TqzBarControl* window;
    std::function<HWND()> edit;
    std::function<int(HWND)> alpha;
    std::vector<TStep> steps;
    void Changed(TqzBarManager*, TqzBar* ABar) {
      steps.push_back({ABar->GetDockingStyle(), window->GetHandle(), window->GetKeptHandle(true),
                       window->GetKeptHandle(false), edit(), alpha(window->GetHandle())});
    }
  } log;
  log.window = window;
  log.edit = editWindow;
  log.alpha = layeredAlpha;
  manager->SetOnBarDockingStyleChange(MakeEvent<&TStepLog::Changed>(&log));
  POINT grip = GripPoint(window);
  POINT away{300, 250};
  POINT over = Site(dsTop)->SiteToScreen(TPoint(60, 4));
  InputMouseMove(grip);
  InputMouseButton(grip, MouseButton::Left, true);
  // Pauses between the moves: moves the loop has not seen yet merge into the last.
  InputMouseMove(away);
  InputPause(5);
  InputMouseMove(over);
  InputPause(TqzBars::WaitForDockingTime + 5);
  InputMouseMove({over.X + 2, over.Y});
  InputPause(5);
  InputMouseMove(away);
  InputPause(5);
  InputMouseButton(away, MouseButton::Left, false);
  Pump();
  ASSERT_EQ(log.steps.size(), 3u);
  const TStep& off = log.steps[0];
  const TStep& on = log.steps[1];
  const TStep& offAgain = log.steps[2];
  EXPECT_EQ(off.style, dsNone);
  EXPECT_NE(off.handle, docked);
  EXPECT_EQ(off.keptDocked, docked);
  EXPECT_EQ(on.style, dsTop);
  EXPECT_EQ(on.handle, docked) << "docking again takes the kept docked window back";
  EXPECT_EQ(on.keptFloating, off.handle);
  EXPECT_EQ(offAgain.handle, off.handle) << "floating again takes the kept floating window back";
  for (const TStep& step : log.steps) EXPECT_EQ(step.edit, nullptr) << "no in-place window while moving";
  // The bar's alpha is the floating window's, each time it floats; a docked window is opaque.
  EXPECT_EQ(off.alpha, 153);
  EXPECT_EQ(on.alpha, -1);
  EXPECT_EQ(offAgain.alpha, 153);

  // The end: the floating window stays, the docked one is gone, the edit is back in the bar.
  EXPECT_EQ(window->GetHandle(), off.handle);
  EXPECT_FALSE(IsWindow(docked));
  EXPECT_EQ(window->GetKeptHandle(true), nullptr);
  EXPECT_EQ(window->GetKeptHandle(false), nullptr);
  EXPECT_TRUE(IsWindowVisible(window->GetHandle()));
  ASSERT_NE(editWindow(), nullptr);
  EXPECT_EQ(GetParent(editWindow()), window->GetHandle());
  RECT r;
  GetWindowRect(window->GetHandle(), &r);
  EXPECT_EQ(bar->GetFloatLeft(), r.Left);
  EXPECT_EQ(bar->GetFloatTop(), r.Top);
  manager->SetOnBarDockingStyleChange({});
}

TEST_F(ToolbarWindows, CtrlKeepsADraggedBarFloatingAndEscEndsTheDrag) {
  TqzBar* bar = AddBar("Tools", 2, dsNone);
  bar->SetFloatLeft(200);
  bar->SetFloatTop(200);
  TqzBarControl* window = bar->GetBarControl();
  Pump();
  POINT grab = CaptionPoint(window);
  POINT over = Site(dsTop)->SiteToScreen(TPoint(60, 4));
  InputMouseMove(grab);
  InputMouseButton(grab, MouseButton::Left, true);
  InputKey(VK_CONTROL, true);
  InputMouseMove(over);
  InputPause(40);
  InputMouseMove({over.X + 3, over.Y});
  InputKey(VK_ESCAPE, true);
  InputKey(VK_ESCAPE, false);
  InputKey(VK_CONTROL, false);
  InputMouseButton(over, MouseButton::Left, false);
  Pump();
  EXPECT_TRUE(window->IsFloating());
  EXPECT_FALSE(manager->GetBars()->IsDragging());
  EXPECT_EQ(GetCapture(), nullptr);
}

// Scripted drags of a floating bar over a top site that holds "Left" and "Right" in its first row:
// where it ends, and that every way of ending the loop lets go of the mouse.
TEST_F(ToolbarWindows, ScriptedDragsDockOrFloatAsTheMouseAndKeysSay) {
  // A bar placed from its stored values goes before those stored at or after its own.
  TqzBar* right = AddBar("Right", 2, dsTop);
  TqzBar* left = AddBar("Left", 2, dsTop);
  right->SetDockedLeft(200);
  Pump();
  TqzBar* moved = AddBar("Moved", 2, dsNone);
  TqzDockControl* top = Site(dsTop);
  ASSERT_EQ(top->GetRowCount(), 1);
  ASSERT_EQ(top->GetRow(0)->GetColCount(), 2);
  const Integer rowThickness = top->RowThickness(0);
  const Integer rightLeft = right->GetBarControl()->GetLeft();
  ASSERT_EQ(rightLeft, 200);
  // Points over the site: on row 0 just ahead of "Right", and on the split line after the row.
  const POINT onRow = top->SiteToScreen(TPoint(rightLeft - 4, 4));
  const POINT newRow = top->SiteToScreen(TPoint(60, rowThickness + 9));
  const POINT away{300, 250};
  // A timer of the test's own that takes the capture away in the middle of the loop.
  static bool sTakeCapture = false;
  struct Case {
    const char* name;
    std::function<void()> script;  // from the press on the caption to the release
    TqzBarDockingStyle style;
    Integer row;
    const TqzBar* after;  // the bar the moved one stands before in its row; null for none
  } const kCases[] = {
      {"resting on the split line docks it in a new last row",
       [&] {
         InputMouseMove(newRow);
         InputPause(TqzBars::WaitForDockingTime + 5);
         InputMouseButton(newRow, MouseButton::Left, false);
       },
       dsTop, 1, nullptr},
      {"resting on the row band joins it before the first bar at or after the point",
       [&] {
         InputMouseMove(onRow);
         InputPause(TqzBars::WaitForDockingTime + 5);
         InputMouseButton(onRow, MouseButton::Left, false);
       },
       dsTop, 0, right},
      {"moving on after the rest docks it too",
       [&] {
         InputMouseMove(newRow);
         InputPause(TqzBars::WaitForDockingTime + 5);
         InputMouseMove({newRow.X + 3, newRow.Y});
         InputMouseButton({newRow.X + 3, newRow.Y}, MouseButton::Left, false);
       },
       dsTop, 1, nullptr},
      {"Ctrl pressed mid-drag floats a docked bar again",
       [&] {
         InputMouseMove(newRow);
         InputPause(TqzBars::WaitForDockingTime + 5);
         InputMouseMove({newRow.X + 3, newRow.Y});
         InputKey(VK_CONTROL, true);
         InputMouseButton({newRow.X + 3, newRow.Y}, MouseButton::Left, false);
         InputKey(VK_CONTROL, false);
       },
       dsNone, 0, nullptr},
      {"Ctrl released mid-drag lets it dock after a rest",
       [&] {
         InputKey(VK_CONTROL, true);
         InputMouseMove(newRow);
         InputPause(TqzBars::WaitForDockingTime + 5);
         InputKey(VK_CONTROL, false);
         InputPause(TqzBars::WaitForDockingTime + 5);
         InputMouseButton(newRow, MouseButton::Left, false);
       },
       dsTop, 1, nullptr},
      {"Esc ends the loop before the rest is over",
       [&] {
         InputMouseMove(newRow);
         InputKey(VK_ESCAPE, true);
         InputKey(VK_ESCAPE, false);
         InputPause(TqzBars::WaitForDockingTime + 5);
         InputMouseButton(newRow, MouseButton::Left, false);
       },
       dsNone, 0, nullptr},
      {"losing the capture ends the loop where the bar is",
       [&] {
         InputMouseMove(away);
         sTakeCapture = true;
         InputPause(TqzBars::WaitForDockingTime + 5);
         InputMouseMove(newRow);
         InputPause(TqzBars::WaitForDockingTime + 5);
         InputMouseButton(newRow, MouseButton::Left, false);
       },
       dsNone, 0, nullptr},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    moved->SetDockingStyle(dsNone);
    moved->SetFloatLeft(200);
    moved->SetFloatTop(200);
    Pump();
    Later();
    TqzBarControl* window = moved->GetBarControl();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->IsFloating());
    UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
      if (!sTakeCapture) return;
      sTakeCapture = false;
      ReleaseCapture();
    });
    POINT grab = CaptionPoint(window);
    InputMouseMove(grab);
    InputMouseButton(grab, MouseButton::Left, true);
    c.script();
    Pump();
    KillTimer(nullptr, timer);
    sTakeCapture = false;
    EXPECT_FALSE(manager->GetBars()->IsDragging());
    EXPECT_EQ(GetCapture(), nullptr);
    // Nothing of the loop is left to dock the bar later.
    static_cast<FakeClock&>(CurrentClock()).Advance(100);
    Pump();
    window = moved->GetBarControl();
    EXPECT_EQ(moved->GetDockingStyle(), c.style);
    if (c.style == dsNone) {
      RECT r;
      GetWindowRect(window->GetHandle(), &r);
      EXPECT_EQ(moved->GetFloatLeft(), r.Left);
      EXPECT_EQ(moved->GetFloatTop(), r.Top);
      continue;
    }
    EXPECT_EQ(window->GetDockControl(), top);
    EXPECT_EQ(moved->GetRow(), c.row);
    EXPECT_EQ(moved->GetDockedLeft(), window->GetLeft()) << "the stored position reads back";
    EXPECT_EQ(moved->GetDockedTop(), window->GetTop());
    EXPECT_EQ(moved->GetOneOnRow(), c.after == nullptr);
    if (c.after) {
      TqzDockRow* row = top->GetRow(c.row);
      Integer mine = -1, theirs = -1;
      for (Integer i = 0; i < row->GetColCount(); ++i) {
        if (row->GetCol(i)->GetBarControl() == window) mine = i;
        if (row->GetCol(i)->GetBarControl()->GetBar() == c.after) theirs = i;
      }
      EXPECT_EQ(mine + 1, theirs);
    }
  }
  EXPECT_EQ(left->GetRow(), 0);
}

TEST_F(ToolbarWindows, BarsThatMayNotDockDoNotMove) {
  TqzBar* bar = AddBar("Fixed", 2, dsTop);
  TqzBarDockingStyles all;
  for (TqzBarDockingStyle style : {dsNone, dsLeft, dsTop, dsRight, dsBottom}) all.Include(style);
  bar->SetNotDocking(all);
  TqzBarControl* window = bar->GetBarControl();
  EXPECT_FALSE(window->CanMoveBar());
  Integer left = window->GetLeft();
  ScriptDrag(GripPoint(window), {300, 250});
  Pump();
  EXPECT_FALSE(window->IsFloating());
  EXPECT_EQ(window->GetLeft(), left);
}

TEST_F(ToolbarWindows, DoubleClickFloatsADockedBarAndDocksAFloatingOne) {
  TqzBar* bar = AddBar("Tools", 2, dsNone);
  bar->SetFloatLeft(220);
  bar->SetFloatTop(180);
  TqzBarControl* window = bar->GetBarControl();
  Pump();
  // Never docked: the top site, in a new last row.
  AddBar("Other", 2, dsTop);
  ScriptDoubleClick(CaptionPoint(window));
  Pump();
  window = bar->GetBarControl();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(bar->GetDockingStyle(), dsTop);
  EXPECT_EQ(bar->GetRow(), 1);
  Later();
  ScriptDoubleClick(GripPoint(window));
  Pump();
  EXPECT_EQ(bar->GetDockingStyle(), dsNone);
  EXPECT_TRUE(bar->GetBarControl()->IsFloating());
}

TEST_F(ToolbarWindows, DoubleClickDocksBackIntoThePlacedSiteTheBarCameFrom) {
  auto* placed = new TqzBarDockControl(form);
  placed->SetParent(form);
  placed->SetAlign(dalBottom);
  placed->SetBarManager(manager);
  TqzBar* bar = AddBar("Tools", 2, dsTop);
  bar->SetDockControl(placed);
  Pump();
  TqzBarControl* window = bar->GetBarControl();
  ASSERT_EQ(window->GetDockControl(), placed);
  EXPECT_EQ(bar->GetDockingStyle(), dsBottom);
  EXPECT_EQ(bar->GetDockedDockControl(), placed);
  ScriptDoubleClick(GripPoint(window));
  Pump();
  EXPECT_TRUE(window->IsFloating());
  EXPECT_EQ(bar->GetDockControl(), nullptr);
  Later();
  ScriptDoubleClick(CaptionPoint(window));
  Pump();
  EXPECT_EQ(window->GetDockControl(), placed);
  EXPECT_EQ(bar->GetDockControl(), placed);
  EXPECT_EQ(bar->GetDockingStyle(), dsBottom);
  // Docked into a manager's own side, the bar forgets the placed site.
  bar->DockTo(dsLeft);
  Pump();
  EXPECT_EQ(window->GetDockControl(), Site(dsLeft));
  EXPECT_EQ(bar->GetDockControl(), nullptr);
  EXPECT_EQ(bar->GetDockedDockControl(), nullptr);
}

TEST_F(ToolbarWindows, TheCloseButtonHidesTheBarOnlyWhenReleasedOverIt) {
  struct TCloseLog : TObject {
    Integer closed = 0;
    void Closed(TqzBarManager*, TqzBar*) { ++closed; }
  } log;
  manager->SetOnBarClose(MakeEvent<&TCloseLog::Closed>(&log));
  TqzBar* bar = AddBar("Tools", 2, dsNone);
  TqzBarControl* window = bar->GetBarControl();
  Pump();
  ASSERT_TRUE(window->HasCloseButton());
  RECT r;
  GetWindowRect(window->GetHandle(), &r);
  TRect close = window->CloseButtonRect();
  POINT on{r.Left + (close.Left + close.Right) / 2, r.Top + (close.Top + close.Bottom) / 2};
  ScriptDrag(on, {on.X - 40, on.Y + 40}, 2);
  Pump();
  EXPECT_TRUE(bar->GetVisible());
  EXPECT_EQ(log.closed, 0);
  Later();
  ScriptClick(on);
  Pump();
  EXPECT_FALSE(bar->GetVisible());
  EXPECT_EQ(bar->GetBarControl(), nullptr);
  EXPECT_EQ(log.closed, 1);
}

// A click on a toolbar button runs the item's click once, whatever kind of button it is and
// however its glyph stands; the press makes the toolbar active and kept down with the mouse held
// by the button, and the release over another place runs nothing and leaves the toolbar inactive.
TEST_F(ToolbarWindows, AClickOnAButtonRunsItsItemAndAPressReleasedElsewhereDoesNot) {
  TClickLog log;
  TqzBar* bar = manager->GetBars()->AddBar();
  bar->SetCaption("Commands");
  auto* plain = new TqzBarButton(form);
  plain->SetCaption("Plain");
  plain->SetPaintStyle(psCaption);
  auto* left = new TqzBarLargeButton(form);
  left->SetCaption("Left");
  left->SetGlyphLayout(glLeft);
  auto* top = new TqzBarLargeButton(form);
  top->SetCaption("Top");
  auto* disabled = new TqzBarButton(form);
  disabled->SetCaption("Off");
  disabled->SetPaintStyle(psCaption);
  disabled->SetEnabled(false);
  for (TqzBarItem* item : std::initializer_list<TqzBarItem*>{plain, left, top, disabled}) {
    item->SetOnClick(MakeEvent<&TClickLog::Clicked>(&log));
    bar->GetItemLinks()->AddLinkForItem(item);
  }
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  Pump();
  TqzBarControl* window = bar->GetBarControl();
  ASSERT_NE(window, nullptr);
  auto centre = [&](Integer AIndex) {
    TRect r = bar->GetItemLinks()->GetLink(AIndex)->GetItemRect();
    TPoint p = window->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    return POINT{p.X, p.Y};
  };

  for (Integer i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    Later();
    ScriptMouseMove(centre(i));
    Pump();
    InputMouseButton(centre(i), MouseButton::Left, true);
    Pump();
    EXPECT_TRUE(window->GetActive());
    EXPECT_TRUE(window->GetKeptDown());
    EXPECT_EQ(GetCapture(), window->GetHandle());
    EXPECT_EQ(window->GetSelectedControl(), bar->GetItemLinks()->GetLink(i)->GetControl());
    InputMouseButton(centre(i), MouseButton::Left, false);
    Pump();
    EXPECT_FALSE(window->GetActive()) << "the click closes the chain";
    EXPECT_EQ(GetCapture(), nullptr);
  }
  EXPECT_EQ(log.clicked, (std::vector<String>{"Plain", "Left", "Top"}));

  log.clicked.clear();
  Later();
  ScriptDrag(centre(1), {centre(1).X, centre(1).Y + 200}, 2);
  Pump();
  Later();
  ScriptClick(centre(3));
  Pump();
  EXPECT_TRUE(log.clicked.empty());
  EXPECT_FALSE(window->GetActive()) << "a press on a disabled button leaves the toolbar inactive";
}

TEST_F(ToolbarWindows, ASplitButtonsArrowOpensItsMenuBelowItAndItsMainPartRunsIt) {
  TClickLog log;
  auto* dropDown = new TqzBarPopupMenu(form);
  for (const char* caption : {"Mail", "Fax"}) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(caption);
    item->SetOnClick(MakeEvent<&TClickLog::Clicked>(&log));
    dropDown->GetItemLinks()->AddLinkForItem(item);
  }
  auto* send = new TqzBarButton(form);
  send->SetCaption("Send");
  send->SetPaintStyle(psCaption);
  send->SetButtonStyle(bsDropDown);
  send->SetDropDownMenu(dropDown);
  send->SetOnClick(MakeEvent<&TClickLog::Clicked>(&log));
  // A menu holding the button cannot be its drop-down.
  auto* holding = new TqzBarPopupMenu(form);
  holding->GetItemLinks()->AddLinkForItem(send);
  EXPECT_THROW(send->SetDropDownMenu(holding), Exception);
  EXPECT_EQ(send->GetDropDownMenu(), dropDown);
  TqzBar* bar = manager->GetBars()->AddBar();
  bar->GetItemLinks()->AddLinkForItem(send);
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  Pump();
  TqzBarControl* window = bar->GetBarControl();
  auto* control = dynamic_cast<TqzBarButtonControl*>(bar->GetItemLinks()->GetLink(0)->GetControl());
  ASSERT_NE(control, nullptr);
  ASSERT_EQ(control->GetPartRects().size(), 2u);
  auto partCentre = [&](Integer APart) {
    TRect r = control->GetPartRects()[APart];
    TPoint p = window->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    return POINT{p.X, p.Y};
  };
  auto click = [&](POINT AAt) {
    Later();
    ScriptMouseMove(AAt);
    Pump();
    ScriptClick(AAt);
    Pump();
  };
  // The arrow opens the menu under the button and runs nothing.
  click(partCentre(1));
  TqzBarSubMenuControl* menu = control->GetDropDownWindow();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(control->IsDroppedDown());
  EXPECT_TRUE(log.clicked.empty());
  RECT menuRect;
  GetWindowRect(menu->GetHandle(), &menuRect);
  TRect item = control->GetItemRect();
  TPoint below = window->ClientToScreen(TPoint(item.Left, item.Bottom));
  EXPECT_EQ(menuRect.Left, below.X);
  EXPECT_EQ(menuRect.Top, below.Y);
  // An entry of the menu runs and closes it.
  TRect fax = dropDown->GetItemLinks()->GetLink(1)->GetItemRect();
  TPoint faxAt = menu->ClientToScreen(TPoint((fax.Left + fax.Right) / 2, (fax.Top + fax.Bottom) / 2));
  click({faxAt.X, faxAt.Y});
  EXPECT_EQ(log.clicked, (std::vector<String>{"Fax"}));
  EXPECT_FALSE(control->IsDroppedDown());
  EXPECT_EQ(control->GetDropDownWindow(), nullptr);
  // With the menu open, the main part runs the button and closes the menu.
  click(partCentre(1));
  ASSERT_TRUE(control->IsDroppedDown());
  click(partCentre(0));
  EXPECT_EQ(log.clicked, (std::vector<String>{"Fax", "Send"}));
  EXPECT_FALSE(control->IsDroppedDown());
  EXPECT_EQ(dropDown->GetMenuControl(), nullptr);
  EXPECT_FALSE(window->GetActive());
  // From the keyboard, Down opens it with its first entry selected.
  window->SelectControlFocused(control);
  SendMessage(window->GetHandle(), WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  ASSERT_NE(control->GetDropDownWindow(), nullptr);
  EXPECT_EQ(control->GetDropDownWindow()->GetSelectedControl(), dropDown->GetItemLinks()->GetLink(0)->GetControl());
  window->ChangeActive(false);
  Pump();
  EXPECT_EQ(dropDown->GetMenuControl(), nullptr);
  // Its key tip opens the menu and runs nothing; a plain button's key tip has no menu to open.
  auto* node = dynamic_cast<TqzBarButtonLikeControlAccessibilityHelper*>(control->GetAccessibilityHelper());
  ASSERT_NE(node, nullptr);
  EXPECT_TRUE(node->HasDropDown());
  node->KeyTipExecute();
  Pump();
  EXPECT_TRUE(control->IsDroppedDown());
  EXPECT_EQ(log.clicked, (std::vector<String>{"Fax", "Send"}));
  // The menu's key tips replace the toolbar's.
  TqzBarNavigationController* controller = NavigationControllerInstance();
  ASSERT_TRUE(controller->AreKeyTipsShown());
  EXPECT_EQ(controller->GetActiveContainer()->BarHelperObject(), control->GetDropDownWindow()->GetAccessibilityHelper());
  EXPECT_EQ(controller->GetKeyTips().size(), static_cast<size_t>(dropDown->GetItemLinks()->GetVisibleLinkCount()));
  NavigationControllerInstance()->EndKeyboardNavigation();
  window->ChangeActive(false);
  Pump();
  EXPECT_EQ(dropDown->GetMenuControl(), nullptr);
  send->SetButtonStyle(bsChecked);
  EXPECT_FALSE(node->HasDropDown());
}

// A drop-down opened without a press on its toolbar (a key tip, the program) makes the toolbar take
// the keyboard with the button selected, as a press would: Esc in the menu comes back to it.
TEST_F(ToolbarWindows, ADropDownOpenedWithoutAPressMakesItsToolbarTakeTheKeyboard) {
  auto* dropDown = new TqzBarPopupMenu(form);
  auto* entry = new TqzBarButton(form);
  entry->SetCaption("Mail");
  dropDown->GetItemLinks()->AddLinkForItem(entry);
  TqzBar* bar = AddBar("Tools", 2, dsTop);
  auto* send = new TqzBarButton(form);
  send->SetCaption("Send");
  send->SetPaintStyle(psCaption);
  send->SetButtonStyle(bsDropDown);
  send->SetDropDownMenu(dropDown);
  bar->GetItemLinks()->AddLinkForItem(send);
  Pump();
  TqzBarControl* window = bar->GetBarControl();
  auto* control = dynamic_cast<TqzBarButtonControl*>(bar->GetItemLinks()->GetLink(2)->GetControl());
  ASSERT_NE(control, nullptr);
  ASSERT_FALSE(window->GetActive());
  control->DropDownMenu(false);
  Pump();
  TqzBarSubMenuControl* menu = control->GetDropDownWindow();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(window->GetActive());
  EXPECT_EQ(window->GetSelectedControl(), control);
  EXPECT_EQ(manager->GetFocusedBarControl(), window);
  SendMessage(menu->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  EXPECT_EQ(dropDown->GetMenuControl(), nullptr);
  EXPECT_FALSE(control->IsDroppedDown());
  EXPECT_TRUE(window->GetActive()) << "Esc closes only the menu";
  EXPECT_EQ(window->GetSelectedControl(), control);
  window->ChangeActive(false);
  Pump();
  EXPECT_EQ(window->GetSelectedControl(), nullptr);
}

// A menu-bar entry opened by its key tip is selected with its bar taking the keyboard, so that it
// shows lit (sunken) as its menu's opener; Esc in the menu leaves it selected (raised).
TEST_F(ToolbarWindows, AMenuBarEntryOpenedByItsKeyTipShowsLitAsItsMenusOpener) {
  // The mouse is away: nothing is hot.
  SetCursorPos(700, 700);
  TqzBar* bar = manager->GetBars()->AddBar();
  auto* file = new TqzBarSubItem(form);
  file->SetCaption("&File");
  auto* open = new TqzBarButton(form);
  open->SetCaption("Open");
  file->GetItemLinks()->AddLinkForItem(open);
  bar->GetItemLinks()->AddLinkForItem(file);
  bar->SetIsMainMenu(true);
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  // The colour of the entry's top-left pixel, where its edge begins.
  auto corner = [&](TqzBarItemControl* AEntry) {
    UpdateWindow(form->GetHandle());
    TRect r = AEntry->GetItemRect();
    TPoint at = AEntry->GetParent()->ClientToScreen(TPoint(r.Left, r.Top));
    RECT window;
    GetWindowRect(form->GetHandle(), &window);
    PixelImage image = screen.WindowImage(form->GetHandle());
    uint32_t p = image.pixels[static_cast<size_t>(at.Y - window.Top) * image.width + (at.X - window.Left)];
    // Pixels read as 0xRRGGBB, colours as 0xBBGGRR.
    return static_cast<TColor>(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
  };
  for (TqzBarManagerStyle style : {bmsStandard, bmsEnhanced}) {
    manager->SetStyle(style);
    manager->GetBars()->RebuildAll();
    Pump();
    TqzBarControl* window = bar->GetBarControl();
    auto* entry = dynamic_cast<TqzBarSubItemControl*>(bar->GetItemLinks()->GetLink(0)->GetControl());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(corner(entry), ColorToRGB(clBtnFace)) << style;
    auto* node = dynamic_cast<TqzBarSubItemControlAccessibilityHelper*>(entry->GetAccessibilityHelper());
    ASSERT_NE(node, nullptr);
    EXPECT_TRUE(node->DropDownByKey()) << style;
    Pump();
    ASSERT_NE(entry->GetSubMenu(), nullptr) << style;
    EXPECT_TRUE(window->GetActive()) << style;
    EXPECT_EQ(window->GetSelectedControl(), entry) << style;
    EXPECT_EQ(ActiveBarControl(), entry->GetSubMenu()) << "the menu heads the chain";
    EXPECT_EQ(corner(entry), ColorToRGB(clBtnShadow)) << style;
    SendMessage(entry->GetSubMenu()->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    EXPECT_EQ(entry->GetSubMenu(), nullptr) << style;
    EXPECT_EQ(window->GetSelectedControl(), entry) << style;
    EXPECT_EQ(corner(entry), ColorToRGB(clBtnHighlight)) << style;
    window->ChangeActive(false);
    Pump();
  }
}

TEST_F(ToolbarWindows, AFloatingBarsClientLiesInsideItsFrameInWindowCoordinates) {
  TqzBar* bar = AddBar("Tools", 2, dsNone);
  auto* window = dynamic_cast<TqzBarControl*>(bar->GetBarControl());
  ASSERT_NE(window, nullptr);
  RECT w;
  GetWindowRect(window->GetHandle(), &w);
  EXPECT_EQ(window->GetScreenRect(), TRect(w));
  EXPECT_EQ(window->GetWindowRectAtOrigin(), TRect(0, 0, w.Right - w.Left, w.Bottom - w.Top));
  TPoint origin = window->ClientToScreen(TPoint(0, 0));
  TRect client = window->GetClientRectInWindow();
  // Below the caption, inside the frame.
  EXPECT_GT(client.Top, 0);
  EXPECT_EQ(client.Left, origin.X - w.Left);
  EXPECT_EQ(client.Top, origin.Y - w.Top);
  EXPECT_EQ(client.Width(), window->GetClientWidth());
  EXPECT_EQ(client.Height(), window->GetClientHeight());
  EXPECT_EQ(window->ClientPointToWindow(TPoint(3, 4)), TPoint(client.Left + 3, client.Top + 4));
}

TEST_F(ToolbarWindows, AFloatingBarOffEveryMonitorComesBackToTheWorkArea) {
  TqzBar* bar = AddBar("Tools", 2, dsNone);
  TqzBarControl* window = bar->GetBarControl();
  SetCursorPos(100, 100);
  SetWindowPos(window->GetHandle(), nullptr, -5000, -5000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT r;
  GetWindowRect(window->GetHandle(), &r);
  TRect work;
  WorkAreaAtPoint(TPoint(100, 100), work);
  EXPECT_EQ(r.Left, work.Left);
  EXPECT_EQ(r.Top, work.Top);
}

TEST_F(ToolbarWindows, ButtonCaptionsDrawWholeInsideTheirTextRectangles) {
  TqzBar* bar = AddBar("Standard", 3, dsTop);
  TqzBarControl* window = bar->GetBarControl();
  ASSERT_NE(window, nullptr);
  for (Integer i = 0; i < bar->GetItemLinks()->GetCount(); ++i) {
    TqzBarItemLink* link = bar->GetItemLinks()->GetLink(i);
    TqzBarItemControl* control = link->GetControl();
    TRect item = link->GetItemRect();
    // A caption-only button's text rectangle: the item less its text indents.
    TRect text(item.Left + control->TextIndent(), item.Top, item.Right - control->TextIndent(), item.Bottom);
    TRect ink = InkBounds(screen, window, item);
    ASSERT_FALSE(IsRectEmpty(&ink)) << i;
    EXPECT_GE(ink.Left, text.Left) << i;
    EXPECT_LE(ink.Right, text.Right) << i;
    EXPECT_GE(ink.Width(), control->CaptionWidth() - 3) << i;
    EXPECT_LE(ink.Width(), control->CaptionWidth() + 1) << i;
  }
}

TEST_F(ToolbarWindows, Screenshot) {
  TqzBar* menu = manager->GetBars()->AddBar();
  menu->SetCaption("Menu");
  for (const char* caption : {"&File", "&Edit", "&View", "&Help"}) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(caption);
    item->SetPaintStyle(psCaption);
    menu->GetItemLinks()->AddLinkForItem(item);
  }
  menu->SetIsMainMenu(true);
  menu->SetDockingStyle(dsTop);
  menu->SetVisible(true);
  AddBar("Standard", 5, dsTop, 1);
  TqzBar* floating = AddBar("Floating", 4, dsNone);
  floating->SetFloatClientWidth(160);
  floating->SetFloatLeft(150);
  floating->SetFloatTop(150);
  Pump();
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  EXPECT_TRUE(screen.SaveScreenPng(folder + "/bar-toolbars.png"));
}

// The toolbar that takes the keyboard becomes the manager's focused bar window; clearing its
// selection hands that back to the one before and the focus back to the window that had it.
TEST_F(ToolbarWindows, TheToolbarThatTakesTheKeyboardIsFocusedUntilItsSelectionClears) {
  auto* edit = new TWinControl(form);
  edit->SetParent(form);
  edit->SetBounds(10, 200, 80, 20);
  Pump();
  ::SetFocus(edit->GetHandle());
  TqzBarControl* first = AddBar("First", 3, dsTop)->GetBarControl();
  TqzBarControl* second = AddBar("Second", 3, dsTop, 1)->GetBarControl();
  TqzBarItemControl* control = first->GetItemLinks()->GetVisibleLink(1)->GetControl();
  first->SelectControlFocused(control);
  EXPECT_TRUE(first->IsFocusedBar());
  EXPECT_TRUE(first->GetActive());
  EXPECT_EQ(first->GetSelectedControl(), control);
  second->SelectControlFocused(nullptr);
  EXPECT_TRUE(second->IsFocusedBar());
  second->ClearSelection();
  EXPECT_TRUE(first->IsFocusedBar());
  first->ClearSelection();
  EXPECT_EQ(manager->GetFocusedBarControl(), nullptr);
  EXPECT_EQ(GetFocus(), edit->GetHandle());
  // A focused window that goes leaves no focused bar window behind.
  second->SelectControlFocused(nullptr);
  delete second->GetBar();
  EXPECT_EQ(manager->GetFocusedBarControl(), nullptr);
}

// A toolbar whose kind asks for the keyboard first: a press in it while it is active but not the
// focused bar window takes the keyboard instead of reaching the control.
class TPressNeedsFocusBar : public TqzBarControl {
 public:
  using TqzBarControl::TqzBarControl;
  Word KindFlags() override { return TqzBarControl::KindFlags() | qzKindPressNeedsFocus; }
};

TEST_F(ToolbarWindows, APressInAToolbarThatNeedsTheKeyboardFirstTakesIt) {
  TqzBar* bar = manager->GetBars()->AddBar();
  for (Integer i = 0; i < 2; ++i) bar->GetItemLinks()->AddLinkForItem(new TqzBarButton(form));
  auto* window = new TPressNeedsFocusBar(manager, bar);
  window->ChangeDockSite(nullptr, dsNone);
  window->Rebuild();
  TqzBarItemControl* control = bar->GetItemLinks()->GetLink(1)->GetControl();
  ASSERT_NE(control, nullptr);
  window->ChangeActive(true);
  ASSERT_TRUE(window->GetActive());
  ASSERT_FALSE(window->IsFocusedBar());
  window->PressItemControl(control);
  EXPECT_TRUE(window->IsFocusedBar());
  EXPECT_EQ(window->GetSelectedControl(), control);
  window->ClearSelection();
  delete window;
}

// A caption button a host placed in a floating bar's caption clicks when released over it, and
// only then; it never starts a drag of the bar.
TEST_F(ToolbarWindows, ACaptionButtonClicksOnlyWhenReleasedOverIt) {
  struct TClickLog : TObject {
    Integer clicks = 0;
    void Clicked(TObject*) { ++clicks; }
  } log;
  TqzBar* bar = AddBar("Tools", 3, dsNone);
  TqzBarCaptionButton* button = bar->GetCaptionButtons()->AddButton();
  button->SetOnClick(MakeEvent<&TClickLog::Clicked>(&log));
  TqzBarControl* window = bar->GetBarControl();
  TRect caption = window->CaptionRect();
  button->SetBounds(TRect(caption.Left + 2, caption.Top, caption.Left + 2 + caption.Height(), caption.Bottom));
  RECT r;
  GetWindowRect(window->GetHandle(), &r);
  POINT on{r.Left + caption.Left + 2 + caption.Height() / 2, r.Top + (caption.Top + caption.Bottom) / 2};
  ScriptDrag(on, {on.X + 60, on.Y + 60}, 2);
  Pump();
  EXPECT_EQ(log.clicks, 0);
  EXPECT_EQ(button->GetState(), 0);
  RECT after;
  GetWindowRect(window->GetHandle(), &after);
  EXPECT_EQ(after.Left, r.Left);
  Later();
  ScriptClick(on);
  Pump();
  EXPECT_EQ(log.clicks, 1);
  EXPECT_TRUE(bar->GetVisible());
}

// A bar without border docked at the bottom over the whole row looks like a status bar: a strip
// along its top and a size grip at its right end that answers as the bottom-right corner.
TEST_F(ToolbarWindows, TheStatusBarLookHasAStripAndASizeGrip) {
  TqzBar* bar = manager->GetBars()->AddBar();
  bar->SetBorderStyle(bbsNone);
  bar->SetWholeRow(true);
  for (Integer i = 0; i < 2; ++i) bar->GetItemLinks()->AddLinkForItem(new TqzBarButton(form));
  bar->SetDockingStyle(dsBottom);
  bar->SetVisible(true);
  Pump();
  TqzBarControl* window = bar->GetBarControl();
  ASSERT_TRUE(bar->ShowsSizeGrip());
  TSize grip;
  window->Painter()->GetSizeGripSize(manager, grip);
  ASSERT_GT(grip.cx, 0);
  RECT r;
  GetWindowRect(window->GetHandle(), &r);
  TPoint client = window->ClientToScreen(TPoint(0, 0));
  EXPECT_EQ(client.Y - r.Top, window->Painter()->ClassRef()->CaptionStripHeight());
  EXPECT_EQ(r.Right - (client.X + window->GetClientWidth()), grip.cx);
  EXPECT_EQ(SendMessage(window->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(r.Right - 2, r.Bottom - 2)), HTBOTTOMRIGHT);
  EXPECT_EQ(window->GetLastHitCode(), 17);
  // The grip is drawn: dark lines in its square.
  PixelImage image = screen.WindowImage(form->GetHandle());
  RECT formRect;
  GetWindowRect(form->GetHandle(), &formRect);
  Integer dark = 0;
  for (Integer y = r.Bottom - grip.cy; y < r.Bottom; ++y)
    for (Integer x = r.Right - grip.cx; x < r.Right; ++x) {
      uint32_t p = image.pixels[static_cast<size_t>(y - formRect.Top) * image.width + (x - formRect.Left)];
      if ((p & 0xFF) < 0x90 && ((p >> 8) & 0xFF) < 0x90) ++dark;
    }
  EXPECT_GT(dark, 3);
  // Without SizeGrip the right end is client area again.
  bar->SetSizeGrip(false);
  window->RefreshFrame();
  Pump();
  GetWindowRect(window->GetHandle(), &r);
  client = window->ClientToScreen(TPoint(0, 0));
  EXPECT_EQ(r.Right, client.X + window->GetClientWidth());
}

}  // namespace
