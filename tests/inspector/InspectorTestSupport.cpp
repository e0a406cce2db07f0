#include "InspectorTestSupport.h"

#include "user/User.h"
#include "user/VirtualKeys.h"

void InspectorTest::SetUp() { SetClock(&clock); }

void InspectorTest::TearDown() {
  for (TForm* form : forms) delete form;
  forms.clear();
  if (GetCapture()) ReleaseCapture();
  Pump();
  SetClock(nullptr);
}

namespace {
// An idle pass that never waits: mouse enter and leave are found, and the loop returns.
struct IdleNoWait : TObject {
  void Idle(TObject*, bool& Done) { Done = false; }
};
IdleNoWait gIdleNoWait;
}  // namespace

void InspectorTest::Pump() {
  for (int round = 0; round < 3; ++round) {
    Application()->ProcessMessages();
    TIdleEvent saved = Application()->GetOnIdle();
    Application()->SetOnIdle(MakeEvent<&IdleNoWait::Idle>(&gIdleNoWait));
    Application()->HandleMessage();
    Application()->SetOnIdle(saved);
    UpdateAllWindows();
  }
}

void InspectorTest::Wait(uint64_t Milliseconds, uint64_t Step) {
  for (uint64_t done = 0; done < Milliseconds; done += Step) {
    clock.Advance(Step);
    Pump();
  }
}

TForm* InspectorTest::NewForm(Integer Width, Integer Height) {
  auto* form = new TForm(nullptr, 0);
  form->SetBounds(60, 60, Width, Height);
  forms.push_back(form);
  return form;
}

void InspectorTest::MoveTo(TControl* Control, Integer X, Integer Y) {
  InputMouseMove(Control->ClientToScreen(Point(X, Y)));
  Pump();
}

void InspectorTest::Press(TControl* Control, Integer X, Integer Y, MouseButton Button) {
  const TPoint p = Control->ClientToScreen(Point(X, Y));
  InputMouseMove(p);
  InputMouseButton(p, Button, true);
  Pump();
}

void InspectorTest::Release(TControl* Control, Integer X, Integer Y, MouseButton Button) {
  InputMouseButton(Control->ClientToScreen(Point(X, Y)), Button, false);
  Pump();
}

void InspectorTest::Click(TControl* Control, Integer X, Integer Y) {
  Press(Control, X, Y);
  Release(Control, X, Y);
}

void InspectorTest::Key(UINT VirtualKey, uint32_t Character) {
  InputKey(VirtualKey, true, Character);
  InputKey(VirtualKey, false);
  Pump();
}

void InspectorTest::AltKey(UINT VirtualKey) {
  InputKey(VK_MENU, true);
  InputKey(VirtualKey, true);
  InputKey(VirtualKey, false);
  InputKey(VK_MENU, false);
  Pump();
}
