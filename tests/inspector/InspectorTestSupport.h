#pragma once
// A fixture for the inspector controls: a fake clock, a form on the headless screen, input through
// the window manager's queue, and a pump that runs what the queue holds and paints.

#include <gtest/gtest.h>

#include <vector>

#include "user/Clock.h"
#include "user/InputEvents.h"
#include "vcl/Forms.h"

class InspectorTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Handles every queued message and paints what is invalid.
  void Pump();
  // Moves the fake clock in steps of Step milliseconds, pumping after each.
  void Wait(uint64_t Milliseconds, uint64_t Step = 1);
  TForm* NewForm(Integer Width = 400, Integer Height = 300);
  // Input at a client point of Control, handled before returning.
  void MoveTo(TControl* Control, Integer X, Integer Y);
  void Press(TControl* Control, Integer X, Integer Y, MouseButton Button = MouseButton::Left);
  void Release(TControl* Control, Integer X, Integer Y, MouseButton Button = MouseButton::Left);
  void Click(TControl* Control, Integer X, Integer Y);
  void Key(UINT VirtualKey, uint32_t Character = 0);
  void AltKey(UINT VirtualKey);

  FakeClock clock;
  std::vector<TForm*> forms;
};
