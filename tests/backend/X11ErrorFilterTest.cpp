#include <gtest/gtest.h>

#include <vector>

#include "backend/X11ErrorFilter.h"

// Xlib's macros (None, Bool, Status) break other headers: it comes last.
#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace {

std::vector<int> gPassedOn;

int RecordError(Display*, XErrorEvent* error) {
  gPassedOn.push_back(error->error_code);
  return 0;
}

// A wake-up sent to a window the event loop has just destroyed must not end the program; every
// other error still reaches the handler that was there before.
TEST(X11ErrorFilter, DropsOnlyStaleWakeupsAndPassesTheRestOn) {
  XSetErrorHandler(RecordError);
  FilterStaleWakeupErrors();
  XErrorHandler filter = XSetErrorHandler(nullptr);
  ASSERT_NE(filter, nullptr);
  ASSERT_NE(filter, RecordError);

  struct Case {
    unsigned char error, request;
    bool passedOn;
  } cases[] = {
      {BadWindow, X_SendEvent, false},
      {BadWindow, X_ConfigureWindow, true},
      {BadMatch, X_SendEvent, true},
  };
  for (const Case& c : cases) {
    gPassedOn.clear();
    XErrorEvent event{};
    event.type = 0;
    event.error_code = c.error;
    event.request_code = c.request;
    EXPECT_EQ(filter(nullptr, &event), 0);
    EXPECT_EQ(gPassedOn.size(), c.passedOn ? 1u : 0u) << int(c.error) << "/" << int(c.request);
  }
}

}  // namespace
