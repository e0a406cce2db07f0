#include "DesktopFixture.h"

#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "backend/BackendStart.h"
#include "controls/ComboBox.h"
#include "user/User.h"
#include "vcl/StdCtrls.h"

std::unique_ptr<XServer> DesktopTest::gServer;
std::unique_ptr<XDriver> DesktopTest::gX;
std::string DesktopTest::gSkipReason;

void DesktopTest::StartDesktop(bool windowManager) {
  gSkipReason.clear();
  gServer = std::make_unique<XServer>();
  if (!gServer->Start(windowManager)) {
    gSkipReason = gServer->Error();
    return;
  }
  gX = std::make_unique<XDriver>(gServer->Display());
  if (!gX->Connected()) {
    gSkipReason = "cannot connect to the X server just started";
    return;
  }
  // Letters the keyboard lacks get keys before SDL reads the keyboard map.
  gX->MapKeys("é");
  setenv("DISPLAY", gServer->Display().c_str(), 1);
  setenv("TAVREN_BACKEND", "sdl", 1);
  if (BackendStart() != BackendKind::Sdl) gSkipReason = "SDL's video does not start on Xvfb";
}

void DesktopTest::StopDesktop() {
  // SDL lets go of the server before it stops.
  BackendEnd();
  gX.reset();
  gServer.reset();
}

void DesktopTest::SetUp() {
  if (!gSkipReason.empty()) GTEST_SKIP() << "No X server for the desktop tests: " << gSkipReason;
}

void DesktopTest::TearDown() {
  for (TForm* form : FForms) delete form;
  FForms.clear();
  Application()->ProcessMessages();
}

TForm* DesktopTest::ShowForm(const String& caption, const RECT& bounds, TFormBorderStyle border) {
  auto* form = new TForm(nullptr, 0);
  FForms.push_back(form);
  form->SetBorderStyle(border);
  form->SetCaption(caption);
  form->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  return form;
}

XWindow DesktopTest::ShowAndWait(TForm* form) {
  form->Show();
  XWindow window = 0;
  bool shown = RunUntil([&] {
    if (!window) window = X().FindWindow(form->GetCaption());
    return window && X().Geometry(window) == form->GetBoundsRect() && form->GetActive();
  });
  EXPECT_TRUE(shown) << "the form \"" << form->GetCaption() << "\" did not come up";
  return shown ? window : 0;
}

bool DesktopTest::RunUntil(const std::function<bool()>& done, int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    Application()->ProcessMessages();
    UpdateAllWindows();
    if (done()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    // Returns as soon as an X event or a message of ours arrives.
    WaitNativeEvents(20);
  }
}

bool DesktopTest::Drive(const std::function<void(XDriver&)>& script, const std::function<bool()>& done) {
  std::atomic<bool> finished{false};
  std::thread driver([&] {
    XDriver x(Display());
    if (x.Connected()) script(x);
    else ADD_FAILURE() << "the script cannot connect to " << Display();
    finished = true;
    WakeNativeEventWait();
  });
  bool ok = RunUntil([&] { return finished && (!done || done()); }, 30000);
  driver.join();
  return ok;
}

void DesktopTest::Shot(const std::string& step, XDriver* x) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) return;
  std::string folder = std::string(output) + "/sdl";
  mkdir(output, 0755);
  mkdir(folder.c_str(), 0755);
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(test->test_suite_name()) + "-" + test->name() + "-" + step;
  if (!x) UpdateAllWindows();
  EXPECT_TRUE((x ? *x : X()).SaveScreenshot(folder + "/" + name + ".png")) << name;
}

std::vector<XWindow> NewTopWindows(XDriver& x, const std::vector<XWindow>& before) {
  std::vector<XWindow> result;
  for (XWindow w : x.TopWindows())
    if (std::find(before.begin(), before.end(), w) == before.end()) result.push_back(w);
  return result;
}

void DesktopTest::ChooseFromDropDown() {
  TForm* form = ShowForm("Drop-down", Bounds(80, 80, 320, 200));
  auto* combo = Place<TComboBox>(form, Bounds(16, 16, 160, 24));
  combo->SetStyle(csDropDownList);
  for (const char* colour : {"Red", "Green", "Blue", "Black"}) combo->GetItems()->Add(colour);
  auto* edit = Place<TEdit>(form, Bounds(16, 120, 160, 24));
  ASSERT_NE(ShowAndWait(form), 0);
  const POINT button = combo->ClientToScreen(Point(combo->GetWidth() - 8, combo->GetHeight() / 2));
  const POINT field = edit->ClientToScreen(Point(20, 10));
  const int row = static_cast<int>(SendMessage(combo->GetHandle(), CB_GETITEMHEIGHT, 0, 0));
  const std::vector<XWindow> before = X().TopWindows();
  EXPECT_TRUE(Drive(
      [&](XDriver& x) {
        x.Click(button);
        XWindow list = WaitForNewTopWindow(x, before);
        ASSERT_NE(list, 0u) << "the list did not drop down";
        RECT r = x.Geometry(list);
        // As high as its four items, not as DropDownCount's eight.
        EXPECT_EQ(r.Height(), 4 * row + 2);
        Shot("dropped", &x);
        x.Click({r.Left + 20, r.Top + 1 + 2 * row + row / 2});
        EXPECT_TRUE(x.WaitFor([&] { return NewTopWindows(x, before).empty(); })) << "the list stayed down";
      },
      [&] { return combo->GetItemIndex() == 2 && !combo->GetDroppedDown(); }))
      << "chosen: " << combo->GetItemIndex();
  EXPECT_EQ(combo->GetText(), "Blue");
  // The keyboard still reaches the form. (A window manager may hold a click back while it
  // focuses: keys wait until the click has landed.)
  EXPECT_TRUE(Drive([&](XDriver& x) { x.Click(field); }, [&] { return edit->Focused(); }));
  EXPECT_TRUE(Drive([&](XDriver& x) { x.Type("ok"); }, [&] { return edit->GetText() == "ok"; }))
      << "typed after the drop-down: " << edit->GetText();
  Shot("chosen");
}

XWindow WaitForNewTopWindow(XDriver& x, const std::vector<XWindow>& before) {
  XWindow found = 0;
  x.WaitFor([&] {
    std::vector<XWindow> shown = NewTopWindows(x, before);
    found = shown.empty() ? 0 : shown.back();
    return found != 0;
  });
  return found;
}
