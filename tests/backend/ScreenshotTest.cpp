// A picture of a few windows for a person to look at: a frame with its caption, a popup and a
// message box, saved under $TAVREN_TEST_OUTPUT.

#include <sys/stat.h>

#include <cstdlib>

#include "BackendFixture.h"

TEST_F(BackendTest, ScreenshotOfAFrameAPopupAndAMessageBox) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);

  HWND frame = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(60, 40, 520, 360), RGB(255, 255, 255));
  SetWindowText(frame, "Tavren Video to WMV Converter");
  Create(WS_POPUP | WS_BORDER | WS_VISIBLE, Bounds(380, 120, 260, 140), RGB(255, 255, 225), nullptr,
         WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
  Pump();
  String file = String(output) + "/backend-windows.png";
  bool saved = false;
  SetModalResponder([&](const ModalRequest&) {
    saved = screen.SaveScreenPng(file);
    return IDOK;
  });
  MessageBox(frame,
             "The conversion finished with errors. The log file holds the details of each task that "
             "could not be converted.\n\nOpen the log now?",
             "Conversion", MB_OKCANCEL | MB_ICONWARNING);
  EXPECT_TRUE(saved) << file;
}
