#pragma once
// Test helpers for the framework: a fake clock, a windowed control that logs the messages it
// gets, and ways to run the application's loop until nothing is left to do.

#include <gtest/gtest.h>

#include <vector>

#include "user/User.h"
#include "vcl/Forms.h"

// A control with a window of its own, published the way a panel is, that keeps a log of the
// framework messages it receives.
class TTestPanel : public TCustomControl {
  TAVREN_CLASS(TTestPanel, TCustomControl)
 public:
  explicit TTestPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle.Include(csAcceptsControls);
    SetBounds(0, 0, 50, 20);
  }
  std::vector<UINT> Log;
  // How many times Msg came.
  int Count(UINT Msg) const;
  using TWinControl::AlignControls;

 protected:
  void WndProc(TMessage& Message) override;
};

// A windowless control.
class TTestGraphic : public TGraphicControl {
  TAVREN_CLASS(TTestGraphic, TGraphicControl)
 public:
  explicit TTestGraphic(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 40, 20); }
  std::vector<UINT> Log;
  int Count(UINT Msg) const;

 protected:
  void WndProc(TMessage& Message) override;
};

// Every test of the framework runs on a fake clock, so that hints, timers and modal loops
// never wait for real time.
class VclTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Handles what the queue holds, then one idle pass (mouse enter and leave) without waiting.
  void Settle();
  // A plain form made first, so that it becomes the application's main form and the program's
  // dialogs under test close as dialogs do (closing the main form would end the application).
  void CreateMainForm();
  // A form made without a form resource, at a known place, not yet shown.
  TForm* NewForm(Integer Left = 100, Integer Top = 100, Integer Width = 400, Integer Height = 300);

  FakeClock clock;
  std::vector<TForm*> forms;
};
