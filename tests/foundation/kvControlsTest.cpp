#include <gtest/gtest.h>

#include <functional>
#include <memory>


#include "rtl/Resources.h"
#include "toolkit/foundation/kvControls.h"
#include "user/Cursors.h"
#include "gdi/SysMetrics.h"
#include "user/Clock.h"
#include "user/InputEvents.h"
#include "user/User.h"
#include "user/VirtualKeys.h"

namespace {

FakeClock& Clock() { return static_cast<FakeClock&>(CurrentClock()); }

void Pump() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

// Time passes in steps, so that every due timer gets its WM_TIMER.
void PassTime(uint64_t milliseconds, uint64_t step = 10) {
  for (uint64_t t = 0; t < milliseconds; t += step) {
    Clock().Advance(step);
    Pump();
  }
}

// Input given while a modal loop runs: each step fires once, at its time on the fake clock.
struct ScriptedSteps : TObject {
  std::vector<std::unique_ptr<TkvTimer>> timers;
  std::vector<std::function<void()>> steps;
  void Add(Cardinal At, std::function<void()> Step) {
    steps.push_back(std::move(Step));
    auto timer = std::make_unique<TkvTimer>(nullptr);
    timer->SetInterval(At);
    timer->SetTag(static_cast<intptr_t>(steps.size() - 1));
    timer->SetOnTimer(MakeEvent<&ScriptedSteps::Fire>(this));
    timers.push_back(std::move(timer));
  }
  void Fire(TObject* Sender) {
    auto* timer = static_cast<TkvTimer*>(Sender);
    timer->SetEnabled(false);
    steps[timer->GetTag()]();
  }
};

struct Counter : TObject {
  int count = 0;
  TkvTimer* freeOnFire = nullptr;
  void Tick(TObject*) {
    ++count;
    if (freeOnFire) {
      delete freeOnFire;
      freeOnFire = nullptr;
    }
  }
};

// A control whose vertical range needs a bar and that counts the lines it scrolls; optionally it
// arms an internal drag-and-drop on every left press.
class TTestKvControl : public TkvControl {
  TAVREN_CLASS(TTestKvControl, TkvControl)
 public:
  explicit TTestKvControl(TComponent* AOwner) : TkvControl(AOwner) {}
  bool draggable = false;
  bool deleteOnMouseDown = false;
  int vertRange = 99;
  std::vector<TScrollCode> scrollCodes;
  std::function<void()> onScroll;

  std::function<void(TTestKvControl*)> compute;
  TPoint afterDownPoint{-1, -1};

  void ComputeScrollBarParams() override {
    if (compute)
      compute(this);
    else
      StoreScrollBarParams(sbVertical, 0, vertRange, 1, 10, 0, true, true);
  }
  void AfterMouseButtonDown(TMouseButton Button, Integer X, Integer Y) override {
    afterDownPoint = {X, Y};
    TkvControl::AfterMouseButtonDown(Button, X, Y);
  }
  void ScrollContent(TScrollBarKind, TScrollCode ScrollCode, Integer&) override {
    scrollCodes.push_back(ScrollCode);
    if (onScroll) onScroll();
  }
  bool CanStartDragAndDrop(const TPoint&) override { return draggable; }
  using TkvControl::WndProc;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    if (deleteOnMouseDown) {
      delete this;
      return;
    }
    TkvControl::MouseDown(Button, Shift, X, Y);
  }
};

class TTestDragObject : public TkvDragAndDropObject {
  TAVREN_CLASS(TTestDragObject, TkvDragAndDropObject)
 public:
  using TkvDragAndDropObject::TkvDragAndDropObject;
  static inline int ends = 0;
  static inline bool lastAccepted = true;
  void EndDragAndDrop(bool Accepted) override {
    ++ends;
    lastAccepted = Accepted;
    TkvDragAndDropObject::EndDragAndDrop(Accepted);
  }
};

}  // namespace

TAVREN_CLASS_IMPL(TTestKvControl)
TAVREN_CLASS_IMPL(TTestDragObject)

namespace {

class KvControlsTest : public testing::Test {
 protected:
  void TearDown() override {
    delete form;
    Pump();
  }
  // A borderless shown form at (100, 100) holding one test control of 200 x 150 at its origin.
  TTestKvControl* NewControl() {
    form = new TForm(nullptr, 0);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 300, 200);
    auto* control = new TTestKvControl(form);
    control->SetParent(form);
    control->SetBounds(0, 0, 200, 150);
    form->Show();
    Pump();
    return control;
  }
  TForm* form = nullptr;
};

// ---- Timers --------------------------------------------------------------------------------

TEST_F(KvControlsTest, TimerRunsOnlyWithHandlerAndRestartsOnChange) {
  Counter counter;
  TkvTimer timer(nullptr);
  timer.SetInterval(100);
  PassTime(300);
  EXPECT_FALSE(timer.GetTimerOn());  // no handler, no timer
  timer.SetOnTimer(MakeEvent<&Counter::Tick>(&counter));
  EXPECT_TRUE(timer.GetTimerOn());
  PassTime(100);
  EXPECT_EQ(counter.count, 1);

  timer.SetInterval(0);  // ignored
  EXPECT_EQ(timer.GetInterval(), 100u);
  PassTime(60);
  timer.SetInterval(200);  // the count starts again
  PassTime(190);
  EXPECT_EQ(counter.count, 1);
  PassTime(20);
  EXPECT_EQ(counter.count, 2);

  timer.SetEnabled(false);
  PassTime(500);
  EXPECT_EQ(counter.count, 2);
}

TEST_F(KvControlsTest, TimerFreedInsideItsOwnHandler) {
  Counter counter;
  auto* timer = new TkvTimer(nullptr);
  timer->SetInterval(50);
  counter.freeOnFire = timer;
  timer->SetOnTimer(MakeEvent<&Counter::Tick>(&counter));
  PassTime(200);
  EXPECT_EQ(counter.count, 1);
}

// ---- Routines ------------------------------------------------------------------------------

TEST(KvControlsRoutines, StripAccelChar) {
  struct Case {
    const char* text;
    bool markTrailing;
    const char* expected;
  };
  const Case kCases[] = {{"&Open", false, "Open"}, {"Save && Close", false, "Save & Close"},
                         {"Tail&", true, "Tail_"},  {"Tail&", false, "Tail"},
                         {"", true, ""},            {"a&&&b", false, "a&b"}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    String result;
    StripAccelChar(c.text, c.markTrailing, result);
    EXPECT_EQ(result, c.expected);
  }
}

TEST(KvControlsRoutines, ToolkitCursorsAreInTheScreensTable) {
  HCURSOR arrow = Screen()->GetCursors(crArrow);
  for (TCursor id = crkvDragCopy; id <= crkvColorPicker; ++id) {
    SCOPED_TRACE(id);
    EXPECT_NE(Screen()->GetCursors(id), arrow);
  }
  EXPECT_EQ(Screen()->GetCursors(crkvHandPoint), LoadCursor(nullptr, IDC_HAND));
  EXPECT_NE(LoadCursor(HInstance, "KVEDIT_MOUSEWHEEL"), nullptr);
}

TEST(KvControlsRoutines, NumericEntryChars) {
  EXPECT_TRUE(IsNumericEntryChar('7', 0));
  EXPECT_TRUE(IsNumericEntryChar('-', 0));
  EXPECT_FALSE(IsNumericEntryChar('.', 0));
  EXPECT_TRUE(IsNumericEntryChar('.', 1));
  EXPECT_FALSE(IsNumericEntryChar('e', 1));
  EXPECT_TRUE(IsNumericEntryChar('e', 2));
  EXPECT_TRUE(IsNumericEntryChar('E', 2));
}

TEST_F(KvControlsTest, AncestorWindows) {
  TTestKvControl* control = NewControl();
  HWND grandchild = control->GetVScrollBar()->GetHandle();
  EXPECT_TRUE(IsAncestorWindow(form->GetHandle(), grandchild));
  EXPECT_FALSE(IsAncestorWindow(grandchild, grandchild));
  EXPECT_FALSE(IsAncestorWindow(nullptr, grandchild));
  EXPECT_TRUE(IsSelfOrChildWindow(form->GetHandle(), form->GetHandle()));
}

// ---- Popup and hint placement --------------------------------------------------------------

TEST_F(KvControlsTest, PopupFlipsAndClampsInsideTheWorkArea) {
  const TRect w = NearestMonitorWorkArea({0, 0});
  struct Case {
    const char* name;
    Byte direction, alignHorz, alignVert;
    TRect owner;
    TPoint expected;
  };
  const Case kCases[] = {
      {"fits below", 1, 0, 2, TRect(100, 100, 200, 120), {100, 120}},
      {"no room below, more above: opens above", 1, 0, 2, TRect(100, w.Bottom - 30, 200, w.Bottom - 10),
       {100, w.Bottom - 30 - 80}},
      {"no room below, less above: stays below, clamped only horizontally", 1, 2, 2,
       TRect(w.Right - 20, 50, w.Right + 40, 60), {w.Right - 120, 60}},
      {"centred is always clamped horizontally", 1, 1, 2, TRect(w.Left - 30, 200, w.Left + 10, 220),
       {w.Left, 220}},
      {"beside, no room right: opens left", 0, 2, 0, TRect(w.Right - 50, 300, w.Right - 10, 320),
       {w.Right - 50 - 120, 300}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TkvPopupWindow popup(nullptr);
    popup.SetBounds(0, 0, 120, 80);
    popup.SetDirection(c.direction);
    popup.SetAlignHorz(c.alignHorz);
    popup.SetAlignVert(c.alignVert);
    popup.SetOwnerBounds(c.owner);
    TPoint p;
    popup.ComputePosition(p);
    EXPECT_EQ(p, c.expected);
    EXPECT_EQ(popup.GetAlignVert(), c.alignVert);  // the properties never change
  }
}

TEST_F(KvControlsTest, PopupBorderOffsets) {
  TkvPopupWindow popup(nullptr);
  popup.SetPopupBorderStyle(3);
  popup.SetBorderSpace(2);
  for (Integer side = 0; side < 4; ++side) EXPECT_EQ(popup.BorderOffset(side), 4);
}

TEST_F(KvControlsTest, HintBelowTheWorkAreaMovesUpByItsNewHeight) {
  const TRect w = NearestMonitorWorkArea({0, 0});
  TkvBaseHintWindow hint(nullptr);
  hint.SetBounds(10, 10, 50, 10);
  hint.SetBounds(w.Right - 20, w.Bottom - 5, 60, 40);
  EXPECT_EQ(hint.GetLeft(), w.Right - 60);
  EXPECT_EQ(hint.GetTop(), w.Bottom - 40);
  hint.SetBounds(w.Left - 30, w.Top - 30, 60, 40);
  EXPECT_EQ(hint.GetLeft(), w.Left);
  EXPECT_EQ(hint.GetTop(), w.Top);
}

// Short hints slide in; long ones appear at once. The rule counts characters, not UTF-8 bytes.
TEST_F(KvControlsTest, HintAnimatesBelowAHundredCharacters) {
  class TRecordingHint : public TkvBaseHintWindow {
   public:
    using TkvBaseHintWindow::TkvBaseHintWindow;
    bool ShownBeforeShowNoActivate = false;  // the animation showed it already

   protected:
    void ShowNoActivate() override {
      ShownBeforeShowNoActivate = IsWindowVisible(GetHandle());
      TkvBaseHintWindow::ShowNoActivate();
    }
  };
  auto repeat = [](const char* piece, int n) {
    String text;
    for (int i = 0; i < n; ++i) text += piece;
    return text;
  };
  struct Case {
    String hint;
    bool animated;
  };
  const Case kCases[] = {{repeat("a", 99), true}, {repeat("\xC3\xA9", 99), true}, {repeat("\xC3\xA9", 100), false}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.hint.size());
    TRecordingHint hint(nullptr);
    hint.ActivateHint(TRect(10, 10, 200, 30), c.hint);
    EXPECT_EQ(hint.ShownBeforeShowNoActivate, c.animated);
  }
}

TEST_F(KvControlsTest, PopupClosesWhenTheApplicationIsDeactivated) {
  TTestKvControl* control = NewControl();
  auto* popup = new TkvPopupWindow(nullptr);
  popup->SetBounds(0, 0, 80, 60);
  popup->SetOwnerParent(control);
  popup->SetOwnerBounds(TRect(10, 10, 60, 30));
  popup->OpenPopup();
  Pump();
  EXPECT_TRUE(popup->GetVisible());
  EXPECT_EQ(popup->GetLeft(), 110);
  EXPECT_EQ(popup->GetTop(), 130);
  InputDeactivateApp();
  Pump();
  EXPECT_FALSE(popup->GetVisible());
  delete popup;
}

TEST_F(KvControlsTest, DragImageLetsTheMousePassThrough) {
  auto* image = new TkvCustomDragImage(nullptr);
  EXPECT_EQ(SendMessage(image->GetHandle(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
  delete image;
}

// ---- Settings controller and mouse-leave tracking ------------------------------------------

TEST_F(KvControlsTest, SettingsControllerWindowLivesWhileControlsAreRegistered) {
  TkvSettingsController controller;
  std::unique_ptr<TkvControl> first(new TkvControl(nullptr)), second(new TkvControl(nullptr));
  TkvControl& a = *first;
  TkvControl& b = *second;
  controller.AddControl(&a);
  HWND window = controller.GetWindowHandle();
  EXPECT_NE(window, nullptr);
  controller.AddControl(&b);
  controller.RemoveControl(&a);
  EXPECT_EQ(controller.GetWindowHandle(), window);
  controller.RemoveControl(&b);
  EXPECT_EQ(controller.GetWindowHandle(), nullptr);
  controller.AddControl(&a);
  EXPECT_NE(controller.GetWindowHandle(), nullptr);
  controller.RemoveControl(&a);
}

struct LeaveCaller : TObject, IkvMouseTrackingCaller {
  int leaves = 0;
  void MouseLeave() override { ++leaves; }
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
};

TEST_F(KvControlsTest, MouseLeaveWatchTellsOnceAndEndsQuietlyAtUnitEnd) {
  LeaveCaller caller;
  InputMouseMove({50, 50});
  Pump();
  StartMouseLeaveWatch(nullptr, TRect(0, 0, 100, 100), &caller);
  StartMouseLeaveWatch(nullptr, TRect(0, 0, 10, 10), &caller);  // already watched: ignored
  PassTime(50);
  EXPECT_EQ(caller.leaves, 0);
  InputMouseMove({150, 50});
  PassTime(30);
  EXPECT_EQ(caller.leaves, 1);
  EXPECT_FALSE(IsMouseLeaveWatched(&caller));

  // A watch still running when the unit ends goes without an exception.
  StartMouseLeaveWatch(nullptr, TRect(0, 0, 1000, 1000), &caller);
  EXPECT_NO_THROW(kvControlsEnd());
  kvControlsStart();
  EXPECT_FALSE(IsMouseLeaveWatched(&caller));
}

// ---- Base control --------------------------------------------------------------------------

TEST_F(KvControlsTest, DialogCodeSumsTheWantedKeysAndDropsTabWhileCtrlIsDown) {
  TTestKvControl* control = NewControl();
  control->StoreKeys(TkvControlKeys{kArrows, kChars, kTab});
  HWND handle = control->GetHandle();
  EXPECT_EQ(SendMessage(handle, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB);
  InputKey(VK_CONTROL, true);
  Pump();
  EXPECT_EQ(SendMessage(handle, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
  InputKey(VK_CONTROL, false);
  Pump();
}

struct CustomMenu : TComponent, IkvPopupMenu {
  using TComponent::TComponent;
  TPoint shownAt{-100, -100};
  bool IsShortCut(TMessage&) override { return false; }
  void Popup(Integer X, Integer Y) override { shownAt = {X, Y}; }
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
};

TEST_F(KvControlsTest, ContextMenuReachesAnyPopupMenuKind) {
  TTestKvControl* control = NewControl();
  TComponent plain(nullptr);
  control->SetKvPopupMenu(&plain);
  EXPECT_EQ(control->GetKvPopupMenu(), nullptr);

  CustomMenu menu(nullptr);
  control->SetKvPopupMenu(&menu);
  // At a point in the client area, and from the keyboard (-1, -1) at the client origin.
  EXPECT_EQ(SendMessage(control->GetHandle(), WM_CONTEXTMENU, 0, MAKELPARAM(130, 140)), 1);
  EXPECT_EQ(menu.shownAt, TPoint(130, 140));
  SendMessage(control->GetHandle(), WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1));
  EXPECT_EQ(menu.shownAt, TPoint(100, 100));
  control->SetKvPopupMenu(nullptr);
}

TEST_F(KvControlsTest, ControlFreedInsideItsMouseDownIsNotTouchedAgain) {
  TTestKvControl* control = NewControl();
  control->deleteOnMouseDown = true;
  InputMouseButton({150, 150}, MouseButton::Left, true);
  InputMouseButton({150, 150}, MouseButton::Left, false);
  Pump();
  EXPECT_EQ(form->GetControlCount(), 0);
}

// ---- Scroll bars ---------------------------------------------------------------------------

TEST_F(KvControlsTest, StoreScrollBarParamsRules) {
  TTestKvControl* control = NewControl();
  TkvScrollBarData& h = control->GetHScrollBar()->Data;
  control->SetScrollBars(ssVertical);
  control->StoreScrollBarParams(sbHorizontal, 0, 100, 1, 10, 0, true, true);
  EXPECT_FALSE(h.Visible);
  control->SetScrollBars(ssBoth);
  control->StoreScrollBarParams(sbHorizontal, 0, 9, 1, 10, 0, true, false);
  EXPECT_TRUE(h.Visible);
  EXPECT_FALSE(h.Enabled);
  control->StoreScrollBarParams(sbHorizontal, 0, 9, 1, 10, 0, true, true);
  EXPECT_FALSE(h.Visible);
  control->StoreScrollBarParams(sbHorizontal, 0, 99, 1, 10, 5, true, true);
  EXPECT_TRUE(h.Visible);
  EXPECT_TRUE(h.Enabled);
  EXPECT_EQ(h.LargeChange, 10);
}

TEST_F(KvControlsTest, VerticalBarShowsForALongRangeAndWheelScrollsByLines) {
  TTestKvControl* control = NewControl();
  EXPECT_TRUE(control->VertScrollBarShown());
  EXPECT_FALSE(control->HorzScrollBarShown());
  EXPECT_EQ(control->GetVScrollBar()->GetLeft(), 200 - control->GetVScrollBar()->GetWidth());
  InputMouseWheel({150, 150}, -120);
  Pump();
  EXPECT_EQ(control->scrollCodes, std::vector<TScrollCode>(Mouse()->GetWheelScrollLines(), scLineDown));
  control->vertRange = 5;
  control->RefreshScrollBars();
  EXPECT_FALSE(control->VertScrollBarShown());
}

TEST_F(KvControlsTest, MiddleButtonAutoScrollsUntilEsc) {
  TTestKvControl* control = NewControl();
  control->onScroll = [control] {
    if (control->scrollCodes.size() == 3) InputKey(VK_ESCAPE, true);
  };
  ScriptedSteps script;
  // Pressed and released without moving: still scrolling; later moved far down.
  script.Add(100, [] { InputMouseMove({200, 240}); });
  script.Add(10000, [] { InputKey(VK_ESCAPE, true); });  // the loop must have ended long before
  InputMouseMove({200, 150});
  InputMouseButton({200, 150}, MouseButton::Middle, true);
  InputMouseButton({200, 150}, MouseButton::Middle, false);
  Pump();
  EXPECT_EQ(control->scrollCodes, std::vector<TScrollCode>(3, scLineDown));
  EXPECT_FALSE(control->GetIsAutoScrolling());
  EXPECT_EQ(GetCapture(), nullptr);
  InputKey(VK_ESCAPE, false);
  Pump();
}

TEST_F(KvControlsTest, ControlFreedWhileAutoScrollingEndsTheLoop) {
  TTestKvControl* control = NewControl();
  control->onScroll = [control] {
    if (control->scrollCodes.size() == 2) delete control;
  };
  ScriptedSteps script;
  script.Add(100, [] { InputMouseMove({200, 240}); });
  script.Add(10000, [] { InputKey(VK_ESCAPE, true); });
  InputMouseMove({200, 150});
  InputMouseButton({200, 150}, MouseButton::Middle, true);
  InputMouseButton({200, 150}, MouseButton::Middle, false);
  Pump();
  EXPECT_EQ(form->GetControlCount(), 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(KvControlsTest, ButtonPressEndsAutoScrollWithoutScrolling) {
  TTestKvControl* control = NewControl();
  InputMouseMove({200, 150});
  InputMouseButton({200, 150}, MouseButton::Middle, true);
  InputMouseButton({200, 150}, MouseButton::Middle, false);
  InputMouseButton({200, 150}, MouseButton::Left, true);
  InputMouseButton({200, 150}, MouseButton::Left, false);
  Pump();
  EXPECT_TRUE(control->scrollCodes.empty());
  EXPECT_FALSE(control->GetIsAutoScrolling());
}

TEST_F(KvControlsTest, NestedRefreshBackAtTheStartStopsWithBothBarsShownDisabled) {
  TTestKvControl* control = NewControl();
  ASSERT_TRUE(control->VertScrollBarShown());
  // Whichever bar is shown makes the other one needed, alone: without the stop this would
  // refresh for ever.
  int rounds = 0;
  control->compute = [&rounds](TTestKvControl* c) {
    ++rounds;
    bool wantHorz = c->GetVScrollBar()->IsShown(), wantVert = c->GetHScrollBar()->IsShown();
    c->StoreScrollBarParams(sbHorizontal, 0, wantHorz ? 999 : 0, 1, 10, 0, true, true);
    c->StoreScrollBarParams(sbVertical, 0, wantVert ? 999 : 0, 1, 10, 0, true, true);
  };
  control->RefreshScrollBars();
  EXPECT_LT(rounds, 10);
  EXPECT_TRUE(control->HorzScrollBarShown());
  EXPECT_TRUE(control->VertScrollBarShown());
  EXPECT_FALSE(control->GetHScrollBar()->GetEnabled());
  EXPECT_FALSE(control->GetVScrollBar()->GetEnabled());
  EXPECT_TRUE(control->GetSizeGrip()->GetVisible());
}

TEST_F(KvControlsTest, ChangedScrollBarMetricsReachRegisteredControls) {
  TTestKvControl* control = NewControl();
  control->GetVScrollBar()->SetWidth(5);
  SendMessage(SettingsControllerInstance()->GetWindowHandle(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  Pump();
  EXPECT_EQ(control->GetVScrollBar()->GetWidth(), GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(KvControlsTest, ButtonDownPointOfAVeryWideControlComesFromTheCursor) {
  TTestKvControl* control = NewControl();
  InputMouseMove({150, 160});
  Pump();
  struct Case {
    Integer width;
    TPoint expected;
  };
  const Case kCases[] = {{200, {5, 6}}, {0x8001, {50, 60}}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.width);
    control->SetWidth(c.width);
    SendMessage(control->GetHandle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 6));
    EXPECT_EQ(control->afterDownPoint, c.expected);
  }
}

TEST_F(KvControlsTest, SizeFrameShowsAnOutlineAndKeepsItWhenTooSmall) {
  auto* frame = new TkvSizeFrame(3);
  frame->GetHandle();
  frame->PlaceOnRect(TRect(10, 10, 110, 60));
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(frame->GetHandle(), region), ERROR);
  EXPECT_TRUE(PtInRegion(region, 1, 1));
  EXPECT_TRUE(PtInRegion(region, 98, 48));
  EXPECT_FALSE(PtInRegion(region, 50, 25));
  frame->PlaceOnRect(TRect(10, 10, 15, 40));
  RECT box;
  GetWindowRgnBox(frame->GetHandle(), &box);
  EXPECT_EQ(box, TRect(0, 0, 100, 50));
  DeleteObject(region);
  delete frame;
}

// ---- Dragging ------------------------------------------------------------------------------

TEST_F(KvControlsTest, DragDetectLoopResults) {
  TTestKvControl* control = NewControl();
  HWND handle = control->GetHandle();
  struct Case {
    const char* name;
    std::function<void()> input;
    Integer expected;
  };
  const Case kCases[] = {
      {"left the square", [] { InputMouseMove({150, 170}); }, 1},
      {"moved inside the square, then released",
       [] {
         InputMouseMove({152, 152});
         InputMouseButton({152, 152}, MouseButton::Left, false);
       },
       0},
      {"Esc before leaving", [] { InputKey(VK_ESCAPE, true); }, 2},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    InputMouseMove({150, 150});
    Pump();
    ScriptedSteps script;
    script.Add(50, c.input);
    script.Add(10000, [] { InputKey(VK_ESCAPE, true); });  // the loop must have ended long before
    EXPECT_EQ(DragDetectLoop(handle), c.expected);
    EXPECT_EQ(GetCapture(), nullptr);
    InputKey(VK_ESCAPE, false);
    Pump();
  }
}

struct EndDragLog : TObject {
  int ends = 0;
  void End(TObject*, TObject*, Integer, Integer) { ++ends; }
};

TEST_F(KvControlsTest, AutomaticDragStartsOnceThePointerLeavesTheDetectArea) {
  TTestKvControl* control = NewControl();
  control->SetDragMode(dmAutomatic);
  EndDragLog log;
  control->SetOnEndDrag(MakeEvent<&EndDragLog::End>(&log));
  ScriptedSteps script;
  script.Add(50, [] { InputMouseMove({150, 175}); });
  script.Add(100, [] {
    InputMouseMove({160, 190});
    InputMouseButton({160, 190}, MouseButton::Left, false);
  });
  script.Add(10000, [] { InputKey(VK_ESCAPE, true); });
  InputMouseMove({150, 150});
  InputMouseButton({150, 150}, MouseButton::Left, true);
  Pump();
  PassTime(200);
  EXPECT_EQ(log.ends, 1);
  EXPECT_EQ(DragObject(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
}

// ---- Internal drag and drop ----------------------------------------------------------------

TEST_F(KvControlsTest, EscEndsDragAndDropAndRestoresTheCursor) {
  TTestKvControl* control = NewControl();
  control->draggable = true;
  control->SetDragAndDropObjectClass(TTestDragObject::ClassInfo());
  TTestDragObject::ends = 0;
  Screen()->SetCursor(crDefault);
  InputMouseMove({150, 150});
  InputMouseButton({150, 150}, MouseButton::Left, true);
  Pump();
  EXPECT_EQ(control->GetDragAndDropState(), ddsStarting);
  InputMouseMove({170, 170});
  Pump();
  EXPECT_EQ(control->GetDragAndDropState(), ddsInProcess);
  InputMouseMove({175, 175});
  Pump();
  EXPECT_EQ(Screen()->GetCursor(), crNoDrop);
  InputKey(VK_ESCAPE, true);
  InputKey(VK_ESCAPE, false);
  Pump();
  EXPECT_EQ(control->GetDragAndDropState(), ddsNone);
  EXPECT_EQ(Screen()->GetCursor(), crDefault);
  EXPECT_EQ(TTestDragObject::ends, 1);
  EXPECT_FALSE(TTestDragObject::lastAccepted);
  EXPECT_EQ(GetCapture(), nullptr);
  InputMouseButton({175, 175}, MouseButton::Left, false);
  Pump();
}

TEST_F(KvControlsTest, DroppingTheCaptureObjectWhileArmedCancelsTheArming) {
  TTestKvControl* control = NewControl();
  control->draggable = true;
  TObject captureObject;
  InputMouseButton({150, 150}, MouseButton::Left, true);
  Pump();
  ASSERT_EQ(control->GetDragAndDropState(), ddsStarting);
  control->SetMouseCaptureObject(&captureObject);
  control->SetMouseCaptureObject(nullptr);
  EXPECT_EQ(control->GetDragAndDropState(), ddsNone);
  EXPECT_EQ(GetCapture(), nullptr);
  InputMouseButton({150, 150}, MouseButton::Left, false);
  Pump();
}

TEST_F(KvControlsTest, MouseUpWithoutMovementEndsArmingWithoutTheObjectsEnd) {
  TTestKvControl* control = NewControl();
  control->draggable = true;
  control->SetDragAndDropObjectClass(TTestDragObject::ClassInfo());
  TTestDragObject::ends = 0;
  InputMouseButton({150, 150}, MouseButton::Left, true);
  InputMouseButton({150, 150}, MouseButton::Left, false);
  Pump();
  EXPECT_EQ(control->GetDragAndDropState(), ddsNone);
  EXPECT_EQ(control->GetDragAndDropObject(), nullptr);
  EXPECT_EQ(TTestDragObject::ends, 0);
}

}  // namespace
