#include <functional>
#include <map>
#include <memory>

#include "EditorsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "user/InputEvents.h"
#include "vcl/StdCtrls.h"

namespace {

// Records what reaches a window's procedure (a message swallowed on the way never does).
class WindowSpy {
 public:
  explicit WindowSpy(HWND Window) : FWindow(Window) {
    FPrevious = reinterpret_cast<WNDPROC>(GetWindowLongPtr(Window, GWL_WNDPROC));
    Spies()[Window] = this;
    SetWindowLongPtr(Window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
  }
  ~WindowSpy() {
    if (IsWindow(FWindow)) SetWindowLongPtr(FWindow, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevious));
    Spies().erase(FWindow);
  }
  Integer Count(UINT Message, WPARAM WParam) const {
    Integer n = 0;
    for (const auto& [m, w] : seen) n += (m == Message && w == WParam) ? 1 : 0;
    return n;
  }
  std::vector<std::pair<UINT, WPARAM>> seen;

 private:
  static std::map<HWND, WindowSpy*>& Spies() {
    static std::map<HWND, WindowSpy*> spies;
    return spies;
  }
  static LRESULT Procedure(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    WindowSpy* spy = Spies()[Window];
    spy->seen.emplace_back(Message, WParam);
    return CallWindowProc(spy->FPrevious, Window, Message, WParam, LParam);
  }
  HWND FWindow;
  WNDPROC FPrevious;
};

// A popup whose clicks on the owner may be taken by the popup.
class TTestPopup : public TkvCustomPopupWindow {
 public:
  using TkvCustomPopupWindow::TkvCustomPopupWindow;
  bool takesOwnerClicks = false;
  std::vector<String>* closings = nullptr;
  bool HandlesOwnerClick(HWND, UINT, const TPoint&, TShiftState) override { return takesOwnerClicks; }
  void FireClosing() override {
    if (closings) closings->push_back(GetName());
    TkvCustomPopupWindow::FireClosing();
  }
};

class Popups : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    form->SetBounds(100, 100, 400, 300);
    owner = new TTestContainer(form);
    owner->SetParent(form);
    owner->SetBounds(10, 10, 150, 24);
    other = new TTestContainer(form);
    other->SetParent(form);
    other->SetBounds(10, 200, 150, 24);
    form->Show();
    owner->SetFocus();
    Pump();
  }
  void TearDown() override {
    for (TTestPopup* popup : popups) delete popup;
    EditorsTest::TearDown();
  }
  TTestPopup* NewPopup(TControl* Owner, bool CaptureFocus, const char* Name = "Popup") {
    auto* popup = new TTestPopup(Owner);
    popup->SetName(Name);
    popup->SetCaptureFocus(CaptureFocus);
    popup->SetBounds(0, 0, 120, 80);
    popup->SetOwnerParent(Owner->GetParent());
    popup->SetOwnerBounds(Owner->GetBoundsRect());
    popups.push_back(popup);
    return popup;
  }
  TPoint Screen(TControl* Control, Integer X, Integer Y) { return Control->ClientToScreen(TPoint(X, Y)); }

  TTestContainer* owner = nullptr;
  TTestContainer* other = nullptr;
  std::vector<TTestPopup*> popups;
};

TEST_F(Popups, AClickElsewhereClosesANonCapturingPopupAndGoesOn) {
  struct Case {
    const char* name;
    bool onOwner;  // else on the other control
    bool onPopup;
    bool takesOwnerClicks;
    bool dismissed;
    bool letThrough;
  };
  const Case kCases[] = {
      {"another control of the form", false, false, false, true, true},
      {"the popup itself", false, true, false, false, true},
      {"the owner inside its bounds", true, false, false, true, true},
      {"the owner, click taken by the popup", true, false, true, true, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TTestPopup* popup = NewPopup(owner, false);
    popup->takesOwnerClicks = c.takesOwnerClicks;
    popup->Present(nullptr);
    Pump();
    ASSERT_TRUE(IsVisiblePopup(popup));
    TWinControl* target = c.onPopup ? static_cast<TWinControl*>(popup) : c.onOwner ? owner : other;
    WindowSpy spy(target->GetHandle());
    ScriptClick(Screen(target, 20, 10));
    Pump();
    EXPECT_EQ(!IsVisiblePopup(popup), c.dismissed);
    EXPECT_EQ(spy.Count(WM_LBUTTONDOWN, MK_LBUTTON) == 1, c.letThrough);
    EXPECT_EQ(popup->TakeOwnerClick(), c.onOwner && c.takesOwnerClicks);
    popup->Dismiss();
  }
}

TEST_F(Popups, ANonCapturingPopupLetsOnlyNavigationAndF4ThroughWithAlt) {
  TTestPopup* popup = NewPopup(owner, false);
  popup->Present(nullptr);
  Pump();
  ASSERT_TRUE(IsVisiblePopup(popup));
  HWND focus = GetFocus();
  ASSERT_NE(focus, nullptr);
  WindowSpy spy(focus);
  for (UINT key : {UINT(VK_DOWN), UINT(VK_F4), UINT('X')}) ScriptKeyPress(key, kAlt);
  Pump();
  EXPECT_EQ(spy.Count(WM_SYSKEYDOWN, VK_DOWN), 1);
  EXPECT_EQ(spy.Count(WM_SYSKEYDOWN, 'X'), 0);
  // Alt+F4 reaches the window; the form itself decides what it does with it.
  EXPECT_EQ(spy.Count(WM_SYSKEYDOWN, VK_F4), 1);
}

TEST_F(Popups, HidingTheOwnerClosesItsPopupsAndTheLaterOnesLastFirst) {
  std::vector<String> closings;
  TTestPopup* first = NewPopup(other, false, "First");
  TTestPopup* second = NewPopup(owner, false, "Second");
  TTestPopup* third = NewPopup(other, false, "Third");
  for (TTestPopup* popup : {first, second, third}) {
    popup->closings = &closings;
    popup->Present(nullptr);
  }
  Pump();
  ASSERT_EQ(VisiblePopupCount(), 3);
  ShowWindow(owner->GetHandle(), SW_HIDE);
  Pump();
  EXPECT_EQ(closings, (std::vector<String>{"Third", "Second"}));
  EXPECT_TRUE(IsVisiblePopup(first));
}

TEST_F(Popups, SwitchingApplicationsClosesAllButAnActiveCapturingPopup) {
  TTestPopup* floating = NewPopup(other, false, "Floating");
  floating->Present(nullptr);
  Pump();
  WindowSpy formSpy(form->GetHandle());
  ScriptedSteps steps;
  TTestPopup* capturing = NewPopup(owner, true, "Capturing");
  bool floatingClosed = false;
  bool capturingKept = false;
  Integer inactiveCaptionsWhileShown = -1;
  steps.Add(50, [&] {
    inactiveCaptionsWhileShown = formSpy.Count(WM_NCACTIVATE, 0);
    // Another application's activation reaching the windows while the popup is active.
    SendMessage(form->GetHandle(), WM_ACTIVATEAPP, FALSE, 0);
    floatingClosed = !IsVisiblePopup(floating);
    capturingKept = IsVisiblePopup(capturing);
  });
  // The window manager deactivates the popup's window first: then it goes too.
  steps.Add(100, [&] { InputDeactivateApp(); });
  capturing->Present(nullptr);
  Pump();
  // The owner's form kept its active caption while its popup had the focus ...
  EXPECT_EQ(inactiveCaptionsWhileShown, 0);
  EXPECT_TRUE(floatingClosed);
  EXPECT_TRUE(capturingKept);
  EXPECT_FALSE(IsVisiblePopup(capturing));
  // ... and is drawn inactive once the last popup has closed in another application's time.
  EXPECT_GE(formSpy.Count(WM_NCACTIVATE, 0), 1);
}

TEST_F(Popups, ACapturingPopupClosesOnAClickInItsOwnersFormWhichGoesOn) {
  TTestPopup* popup = NewPopup(owner, true);
  WindowSpy spy(other->GetHandle());
  ScriptedSteps steps;
  bool shownFocused = false;
  steps.Add(50, [&] {
    shownFocused = popup->Focused();
    ScriptClick(Screen(other, 20, 10));
  });
  popup->Present(nullptr);
  Pump();
  EXPECT_TRUE(shownFocused);
  EXPECT_FALSE(IsVisiblePopup(popup));
  EXPECT_EQ(spy.Count(WM_LBUTTONDOWN, MK_LBUTTON), 1);
}

TEST_F(Popups, ChangingCaptureFocusPresentsAgainWithTheSameFocusControl) {
  TTestPopup* popup = NewPopup(owner, false);
  auto* edit = new TEdit(popup);
  edit->SetParent(popup);
  edit->SetBounds(4, 4, 100, 22);
  popup->Present(edit);
  Pump();
  ScriptedSteps steps;
  HWND focusInLoop = nullptr;
  steps.Add(50, [&] {
    focusInLoop = GetFocus();
    // Alt+Space waits in the queue: the loop takes it out before it opens the window menu.
    PostMessage(edit->GetHandle(), WM_SYSKEYDOWN, VK_SPACE, 0);
  });
  WindowSpy* spy = nullptr;
  steps.Add(60, [&] { spy = new WindowSpy(edit->GetHandle()); });
  steps.Add(100, [&] { popup->SetModalResult(mrOk); });
  popup->SetCaptureFocus(true);
  Pump();
  EXPECT_EQ(focusInLoop, edit->GetHandle());
  EXPECT_EQ(popup->GetRememberedFocusControl(), edit);
  EXPECT_FALSE(IsVisiblePopup(popup));
  ASSERT_NE(spy, nullptr);
  EXPECT_EQ(spy->Count(WM_SYSKEYDOWN, VK_SPACE), 0);
  delete spy;
}

TEST_F(Popups, FreeingThePopupOrItsOwnerInsideTheLoopReturnsCleanly) {
  for (bool freeOwner : {false, true}) {
    SCOPED_TRACE(freeOwner ? "owner freed" : "popup freed");
    auto* victim = new TTestContainer(form);
    victim->SetParent(form);
    victim->SetBounds(200, 10, 100, 24);
    Pump();
    TTestPopup* popup = NewPopup(victim, true);
    popups.pop_back();  // freed here, not by the fixture
    TWeakRef<TTestPopup> popupRef(popup);
    ScriptedSteps steps;
    steps.Add(50, [&] {
      if (freeOwner)
        delete victim;
      else
        delete popup;
    });
    popup->Present(nullptr);
    Pump();
    EXPECT_EQ(VisiblePopupCount(), 0);
    if (popupRef) {
      EXPECT_EQ(popup->GetOwnerControl(), nullptr);
      delete popup;
    } else {
      delete victim;
    }
  }
}

TEST_F(Popups, AClickInAPopupOpenedFromAPopupKeepsBoth) {
  TTestPopup* outer = NewPopup(owner, false, "Outer");
  auto* inner = new TTestContainer(outer);
  inner->SetParent(outer);
  inner->SetBounds(10, 10, 80, 24);
  outer->Present(nullptr);
  Pump();
  TTestPopup* nested = NewPopup(inner, false, "Nested");
  nested->Present(nullptr);
  Pump();
  ASSERT_EQ(VisiblePopupCount(), 2);
  // The nested popup's window belongs to the outer popup through its owner.
  EXPECT_TRUE(OwnsWindow(outer, nested->GetHandle(), true));
  ScriptClick(Screen(nested, 20, 20));
  Pump();
  EXPECT_EQ(VisiblePopupCount(), 2);
  ScriptClick(Screen(other, 20, 10));
  Pump();
  EXPECT_EQ(VisiblePopupCount(), 0);
}

// A popup kept inside the work area, as the editors' drop-downs are.
class TClampedPopup : public TTestPopup {
 public:
  using TTestPopup::TTestPopup;
  bool ClipsToWorkArea() override { return true; }
};

TEST_F(Popups, APopupThatClipsToTheWorkAreaShrinksByWhatItOverhangs) {
  auto* popup = new TClampedPopup(owner);
  popups.push_back(popup);
  const TRect area = NearestMonitorWorkArea(TPoint(0, 0));
  struct Case {
    TPoint at;
    TPoint placed;
    TSize size;
  };
  const Case kCases[] = {
      {TPoint(area.Left + 10, area.Top + 10), TPoint(area.Left + 10, area.Top + 10), {120, 80}},
      {TPoint(area.Left - 30, area.Top + 10), TPoint(area.Left, area.Top + 10), {90, 80}},
      {TPoint(area.Left + 10, area.Top - 20), TPoint(area.Left + 10, area.Top), {120, 60}},
      {TPoint(area.Right - 50, area.Bottom - 30), TPoint(area.Right - 50, area.Bottom - 30), {50, 30}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.at.X << ", " << c.at.Y);
    popup->SetBounds(0, 0, 120, 80);
    TPoint p = c.at;
    popup->FitToWorkArea(p);
    EXPECT_EQ(p, c.placed);
    EXPECT_EQ(popup->GetWidth(), c.size.cx);
    EXPECT_EQ(popup->GetHeight(), c.size.cy);
  }
}

}  // namespace
