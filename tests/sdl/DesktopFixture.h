#pragma once
// The program on a real X server: each suite starts its own Xvfb (with or without a window
// manager) and the SDL2 backend on it, and drives forms through real X input from a thread of
// its own while this thread runs the program's message loop. Suites skip, saying why, where no
// X server can start.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/xserver/XDriver.h"
#include "tests/xserver/XServer.h"
#include "vcl/Forms.h"

class DesktopTest : public testing::Test {
 protected:
  static void StartDesktop(bool windowManager);
  static void StopDesktop();
  void SetUp() override;
  void TearDown() override;

  // A form shown at a known place with this caption, freed after the test.
  TForm* ShowForm(const String& caption, const RECT& bounds, TFormBorderStyle border = bsSizeable);
  // Shows the form and waits until the X server shows it where the form thinks it is, active;
  // its X window (None after the time-out).
  XWindow ShowAndWait(TForm* form);
  // Runs the program's loop until `done` holds; false after timeoutMs.
  bool RunUntil(const std::function<bool()>& done, int timeoutMs = 15000);
  // Runs `script` (real input, through a connection of its own) on another thread while this
  // thread runs the program's loop, until the script has ended and `done` holds.
  bool Drive(const std::function<void(XDriver&)>& script, const std::function<bool()>& done = nullptr);
  // Saves a picture of the X screen as <suite>-<test>-<step>.png under the test output, through
  // `x` (a script's connection) or this thread's.
  static void Shot(const std::string& step, XDriver* x = nullptr);
  // Shows a form with a combo box of four colours and an edit, drops the list down by its button,
  // checks its height, chooses "Blue" by a click and types into the edit afterwards.
  void ChooseFromDropDown();

  // This thread's connection to the server.
  static XDriver& X() { return *gX; }
  static const std::string& Display() { return gServer->Display(); }

 private:
  static std::unique_ptr<XServer> gServer;
  static std::unique_ptr<XDriver> gX;
  static std::string gSkipReason;
  std::vector<TForm*> FForms;
};

class NoWindowManagerTest : public DesktopTest {
 protected:
  static void SetUpTestSuite() { StartDesktop(false); }
  static void TearDownTestSuite() { StopDesktop(); }
};

class WindowManagerTest : public DesktopTest {
 protected:
  static void SetUpTestSuite() { StartDesktop(true); }
  static void TearDownTestSuite() { StopDesktop(); }
};

// The new viewable top windows of the screen since `before` (popups, menus, boxes).
std::vector<XWindow> NewTopWindows(XDriver& x, const std::vector<XWindow>& before);
// Waits for a new top window since `before`; 0 when none came.
XWindow WaitForNewTopWindow(XDriver& x, const std::vector<XWindow>& before);

// A control of class T placed on `parent` (its client coordinates).
template <class T>
T* Place(TWinControl* parent, const RECT& bounds) {
  auto* control = new T(parent);
  control->SetParent(parent);
  control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  return control;
}
